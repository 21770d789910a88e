#include "cli/Preview.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <system_error>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "cli/FrameTimes.h"
#include "cli/Frames.h"
#include "cli/PngWriter.h"
#include "cli/PreviewPage.h"
#include "cli/SlidePlayer.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace cli {
namespace {

using nlohmann::ordered_json;

bool SamePixels(const render::Image& a, const render::Image& b) {
  if (!a.Valid() || !b.Valid() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  cairo_surface_t* sa = a.Surface();
  cairo_surface_t* sb = b.Surface();
  const int stride = cairo_image_surface_get_stride(sa);
  if (stride != cairo_image_surface_get_stride(sb)) return false;
  return std::memcmp(cairo_image_surface_get_data(sa), cairo_image_surface_get_data(sb),
                     static_cast<size_t>(stride) * static_cast<size_t>(a.Height())) == 0;
}

// Frames of an earlier run into the same folder would be left unreferenced.
void RemoveOldFrames(const std::string& folder) {
  static const std::regex frameName("slide[0-9]+_f[0-9]+\\.png");
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) &&
        std::regex_match(entry.path().filename().string(), frameName))
      std::filesystem::remove(entry.path(), error);
  }
}

ordered_json StepsOf(SlidePlayer& player) {
  const platform::Slide& slide = player.GetSlide();
  const std::vector<AnimationStep>& steps = player.Steps();
  const std::vector<bool> clicks = ClickSteps(steps);
  ordered_json list = ordered_json::array();
  for (size_t i = 0; i < steps.size(); ++i) {
    const AnimationStep& step = steps[i];
    ordered_json entry;
    entry["start"] = step.startTime;
    entry["kind"] = step.sequenceKind;
    entry["click"] = clicks[i];
    const bool bookmark = step.triggerBookmark != L"-1";
    const bool trigger = step.triggerObjectId != L"-1" && !bookmark;
    entry["trigger"] = trigger ? Utf8(step.triggerObjectId) : std::string();
    entry["triggerName"] = std::string();
    entry["bookmark"] = bookmark ? Utf8(step.triggerBookmark) : std::string();
    entry["box"] = nullptr;
    if (trigger) {
      if (const auto shape = slide.FindShape(step.triggerObjectId))
        entry["triggerName"] = Utf8(shape->Name());
      const auto node = player.Screen().FindShape(step.triggerObjectId);
      if (node && slide.width > 0 && slide.height > 0) {
        const double* b = node->Bounds();
        entry["box"] = {100.0 * b[0] / slide.width, 100.0 * b[1] / slide.height,
                        100.0 * (b[2] - b[0]) / slide.width, 100.0 * (b[3] - b[1]) / slide.height};
      }
    }
    list.push_back(entry);
  }
  return list;
}

}  // namespace

std::vector<bool> ClickSteps(const std::vector<AnimationStep>& steps) {
  std::vector<bool> clicks(steps.size(), false);
  for (size_t i = 0; i < steps.size(); ++i) {
    const AnimationStep& step = steps[i];
    if (step.triggerBookmark != L"-1") continue;
    const bool triggered = step.triggerObjectId != L"-1";
    const bool newSequence =
        triggered && (i == 0 || steps[i - 1].triggerObjectId != step.triggerObjectId);
    clicks[i] = step.sequenceKind == 0 || newSequence;
  }
  // One wait per time: a later step at the same start joins the earlier one.
  for (size_t i = 1; i < steps.size(); ++i)
    if (clicks[i] && clicks[i - 1] && steps[i].startTime == steps[i - 1].startTime)
      clicks[i] = false;
  return clicks;
}

int RunPreview(const PreviewOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.deck.deck;
  pptx::Deck deck;
  if (!LoadDeck(path, deck, err)) return kExitFailed;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (!SelectSlides(deck, options.deck, slides, err)) return kExitBadRequest;

  const uint32_t fps = options.deck.fps;
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::unique_ptr<SlidePlayer>> players;
  bool tooMany = false;
  for (const auto& slide : slides) {
    players.push_back(
        std::make_unique<SlidePlayer>(slide, fps, options.deck.defaultEffectFrames, measurer));
    const uint64_t count = FrameCount(0, players.back()->Length(), fps);
    if (count > options.maxFrames) {
      err << "error: " << path << ": slide " << slide->number << " takes " << count << " frames at "
          << fps << " fps, more than the limit of " << options.maxFrames
          << " (--max-frames); choose a lower --fps or one slide (--slide)\n";
      tooMany = true;
    }
  }
  if (tooMany) return kExitBadRequest;

  const std::string frameFolder = JoinPath(options.output, "frames");
  if (!MakeFolder(frameFolder, err)) return kExitFailed;
  RemoveOldFrames(frameFolder);

  render::FrameRenderer renderer(measurer);
  PngWriter writer(options.jobs != 0 ? options.jobs : PngWriter::DefaultJobs());
  ordered_json list = ordered_json::array();
  uint64_t frames = 0, files = 0;
  for (auto& player : players) {
    const platform::Slide& slide = player->GetSlide();
    const int width = FrameWidth(slide, options.width);
    const int height = HeightFor(slide, width);
    ordered_json names = ordered_json::array();
    std::shared_ptr<const render::Image> previous;
    std::string previousName;
    const std::vector<uint32_t> times = FrameTimes(0, player->Length(), fps);
    for (size_t i = 0; i < times.size() && !writer.Failed(); ++i) {
      player->Seek(times[i]);
      auto image =
          std::make_shared<const render::Image>(renderer.Render(player->Screen(), width, height));
      // A frame like the one before it (most are, while a step waits) shares its file.
      if (previous && SamePixels(*image, *previous)) {
        names.push_back(previousName);
        continue;
      }
      const std::string name = FrameFileName(slide.number, i);
      writer.Write(image, JoinPath(frameFolder, name));
      previous = image;
      previousName = "frames/" + name;
      names.push_back(previousName);
      ++files;
    }
    if (!writer.Finish()) {
      err << "error: " << writer.FailedPath() << ": cannot write the frame\n";
      return kExitFailed;
    }
    frames += times.size();
    ordered_json entry;
    entry["number"] = slide.number;
    entry["hidden"] = slide.hidden;
    entry["width"] = width;
    entry["height"] = height;
    entry["length"] = player->Length();
    entry["frames"] = names;
    entry["steps"] = StepsOf(*player);
    list.push_back(entry);
    out << "slide " << slide.number << ": " << times.size() << " frame"
        << (times.size() == 1 ? "" : "s") << ", length " << player->Length() << " ms\n";
    player.reset();
  }

  ordered_json data;
  data["title"] = std::filesystem::path(path).filename().string();
  data["fps"] = fps;
  data["slides"] = list;
  const std::string page = JoinPath(options.output, "index.html");
  std::ofstream file(page, std::ios::binary);
  file << PreviewPage(data);
  file.close();
  if (!file) {
    err << "error: " << page << ": cannot write the page\n";
    return kExitFailed;
  }
  out << "wrote " << page << ": " << list.size() << " slide" << (list.size() == 1 ? "" : "s")
      << ", " << frames << " frame" << (frames == 1 ? "" : "s") << " in " << files << " file"
      << (files == 1 ? "" : "s") << "\n";
  return kExitOk;
}

}  // namespace cli
