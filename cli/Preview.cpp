#include "cli/Preview.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <system_error>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "cli/FramePipeline.h"
#include "cli/FrameTimes.h"
#include "cli/Frames.h"
#include "cli/PreviewPage.h"
#include "cli/SlidePlayer.h"
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
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;

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

  // Slides are drawn at once; each slide's frames in order, so a frame is
  // compared with the one before it on the same thread.
  struct SlideFiles {
    ordered_json names = ordered_json::array();
    std::shared_ptr<const render::Image> previous;
    std::string previousName;
    uint64_t files = 0;
    ordered_json entry;
  };
  std::vector<SlideFiles> done(players.size());
  FramePipeline pipeline(options.jobs, measurer);
  std::vector<PipelineSlide> work(players.size());
  for (size_t s = 0; s < players.size(); ++s) {
    const platform::Slide& slide = players[s]->GetSlide();
    work[s].player = players[s].get();
    work[s].times = FrameTimes(0, players[s]->Length(), fps);
    work[s].width = FrameWidth(slide, options.width);
    work[s].height = HeightFor(slide, work[s].width);
  }
  const bool written = pipeline.Run(
      work,
      [&](size_t s, size_t i, std::shared_ptr<const render::Image> image) {
        SlideFiles& files = done[s];
        // A frame like the one before it (most are, while a step waits) shares its file.
        if (files.previous && image && SamePixels(*image, *files.previous)) {
          files.names.push_back(files.previousName);
          return;
        }
        const std::string name = FrameFileName(slides[s]->number, i);
        const std::string file = JoinPath(frameFolder, name);
        pipeline.Post([image, file] { return image && image->Valid() && image->WritePng(file); },
                      file);
        files.previous = image;
        files.previousName = "frames/" + name;
        files.names.push_back(files.previousName);
        ++files.files;
      },
      [&](size_t s) {
        SlidePlayer& player = *players[s];
        const platform::Slide& slide = player.GetSlide();
        ordered_json& entry = done[s].entry;
        entry["number"] = slide.number;
        entry["hidden"] = slide.hidden;
        entry["width"] = work[s].width;
        entry["height"] = work[s].height;
        entry["length"] = player.Length();
        entry["frames"] = done[s].names;
        entry["steps"] = StepsOf(player);
        done[s].previous.reset();
        players[s].reset();
      });
  if (!written) {
    err << "error: " << pipeline.Failure() << ": cannot write the frame\n";
    return kExitFailed;
  }
  ordered_json list = ordered_json::array();
  uint64_t frames = 0, files = 0;
  for (size_t s = 0; s < work.size(); ++s) {
    frames += work[s].times.size();
    files += done[s].files;
    list.push_back(done[s].entry);
    out << "slide " << slides[s]->number << ": " << work[s].times.size() << " frame"
        << (work[s].times.size() == 1 ? "" : "s") << ", length " << done[s].entry["length"]
        << " ms\n";
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
