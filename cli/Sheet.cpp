#include "cli/Sheet.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include <pango/pangocairo.h>
#include <boost/make_shared.hpp>

#include "cli/FramePipeline.h"
#include "cli/FrameTimes.h"
#include "cli/SlidePlayer.h"
#include "render/Image.h"
#include "render/PangoText.h"

namespace cli {
namespace {

// Layout of the sheet in pixels.
const int kMargin = 16;
const int kGap = 12;
const int kHeader = 30;
const int kLabel = 20;

struct Block {
  std::unique_ptr<SlidePlayer> player;
  std::vector<uint32_t> times;
  int cellWidth = 0, cellHeight = 0;
  int rows = 0;
  int top = 0;
};

int BlockHeight(const Block& block) {
  return kHeader + block.rows * (block.cellHeight + kLabel) + (block.rows - 1) * kGap;
}

void DrawText(cairo_t* cr, const std::string& text, const char* font, double x, double y,
              double width, bool centred, double grey) {
  std::lock_guard<std::recursive_mutex> lock(render::TextLock());
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* description = pango_font_description_from_string(font);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  pango_layout_set_text(layout, text.c_str(), -1);
  pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  if (centred) pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  cairo_set_source_rgb(cr, grey, grey, grey);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
}

std::string HeaderText(const SlidePlayer& player) {
  const platform::Slide& slide = player.GetSlide();
  size_t clicks = 0;
  for (const AnimationStep& step : player.Steps())
    if (step.sequenceKind == 0) ++clicks;
  std::string text = "Slide " + std::to_string(slide.number);
  if (slide.hidden) text += " (hidden)";
  text += "   length " + std::to_string(player.Length()) + " ms   " +
          std::to_string(player.Steps().size()) + " step" +
          (player.Steps().size() == 1 ? "" : "s") + ", " + std::to_string(clicks) + " on click";
  return text;
}

}  // namespace

int RunSheet(const SheetOptions& options, std::ostream& out, std::ostream& err) {
  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;

  auto measurer = boost::make_shared<render::PangoMeasurer>();
  const long columns = std::max<long>(1, std::min<long>(options.columns, options.count));
  std::vector<Block> blocks;
  long long height = kMargin;
  for (const auto& slide : slides) {
    Block block;
    block.player = std::make_unique<SlidePlayer>(slide, options.deck.fps,
                                                 options.deck.defaultEffectFrames, measurer);
    block.times = SpreadTimes(block.player->Length(), options.count);
    block.cellWidth = options.width;
    block.cellHeight = HeightFor(*slide, options.width);
    block.rows = static_cast<int>((block.times.size() + columns - 1) / columns);
    // Past the largest side the sheet is refused below; keep the number small.
    block.top = static_cast<int>(std::min<long long>(height, kSheetMaxSide));
    height += BlockHeight(block) + kGap;
    blocks.push_back(std::move(block));
  }
  height += kMargin - kGap;
  const long long width = 2LL * kMargin + columns * options.width + (columns - 1) * kGap;
  if (width > kSheetMaxSide || height > kSheetMaxSide || width * height > kSheetMaxPixels) {
    err << "error: " << options.output << ": the sheet would be " << width << " x " << height
        << " pixels, more than the limit of " << kSheetMaxSide << " on a side and "
        << kSheetMaxPixels << " in all; choose one slide (--slide), a smaller --width or a "
        << "lower --count\n";
    return kExitBadRequest;
  }

  const std::string folder = std::filesystem::path(options.output).parent_path().string();
  if (!folder.empty() && !MakeFolder(folder, err)) return kExitFailed;
  render::Image sheet(static_cast<int>(width), static_cast<int>(height));
  if (!sheet.Valid()) {
    err << "error: " << options.output << ": cannot make an image of " << width << " x " << height
        << " pixels\n";
    return kExitFailed;
  }
  cairo_t* cr = cairo_create(sheet.Surface());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  // The cells are drawn on every core, each into its own image, then laid
  // out on the sheet here in order.
  FramePipeline pipeline(options.jobs, measurer);
  std::vector<PipelineSlide> work(blocks.size());
  std::vector<std::vector<std::shared_ptr<const render::Image>>> cells(blocks.size());
  std::vector<std::string> headers(blocks.size());
  for (size_t b = 0; b < blocks.size(); ++b) {
    work[b].player = blocks[b].player.get();
    work[b].times = blocks[b].times;
    work[b].width = blocks[b].cellWidth;
    work[b].height = blocks[b].cellHeight;
    cells[b].resize(blocks[b].times.size());
    headers[b] = HeaderText(*blocks[b].player);
  }
  pipeline.Run(
      work,
      [&](size_t b, size_t i, std::shared_ptr<const render::Image> image) {
        cells[b][i] = std::move(image);
      },
      [&](size_t b) { blocks[b].player.reset(); });
  size_t frames = 0;
  for (size_t b = 0; b < blocks.size(); ++b) {
    const Block& block = blocks[b];
    DrawText(cr, headers[b], "Sans Bold 11", kMargin, block.top + 4,
             static_cast<double>(width - 2 * kMargin), false, 0.15);
    for (size_t i = 0; i < block.times.size(); ++i) {
      const double x = kMargin + static_cast<double>(i % columns) * (block.cellWidth + kGap);
      const double y = block.top + kHeader +
                       static_cast<double>(i / columns) * (block.cellHeight + kLabel + kGap);
      if (cells[b][i] && cells[b][i]->Valid()) {
        cairo_set_source_surface(cr, cells[b][i]->Surface(), x, y);
        cairo_rectangle(cr, x, y, block.cellWidth, block.cellHeight);
        cairo_fill(cr);
      }
      cells[b][i].reset();
      cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
      cairo_set_line_width(cr, 1);
      cairo_rectangle(cr, x - 0.5, y - 0.5, block.cellWidth + 1, block.cellHeight + 1);
      cairo_stroke(cr);
      DrawText(cr, std::to_string(block.times[i]) + " ms", "Sans 9", x, y + block.cellHeight + 3,
               block.cellWidth, true, 0.3);
      ++frames;
    }
  }
  cairo_destroy(cr);
  cairo_surface_flush(sheet.Surface());
  if (!sheet.WritePng(options.output)) {
    err << "error: " << options.output << ": cannot write the sheet\n";
    return kExitFailed;
  }
  out << "wrote " << options.output << ": " << blocks.size() << " slide"
      << (blocks.size() == 1 ? "" : "s") << ", " << frames << " frame" << (frames == 1 ? "" : "s")
      << ", " << width << " x " << height << " pixels\n";
  return kExitOk;
}

}  // namespace cli
