#include "cli/Frames.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include <boost/make_shared.hpp>

#include "cli/FramePipeline.h"
#include "cli/FrameTimes.h"
#include "cli/SlidePlayer.h"
#include "render/PangoText.h"

namespace cli {

std::string FrameFileName(int number, uint64_t index) {
  char name[64];
  std::snprintf(name, sizeof name, "slide%02d_f%05llu.png", number,
                static_cast<unsigned long long>(index));
  return name;
}

int FrameWidth(const platform::Slide& slide, int width) {
  if (width > 0) return width;
  if (slide.width >= 1 && slide.width <= 16384) return static_cast<int>(std::lround(slide.width));
  return 1280;
}

int RunFrames(const FramesOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.deck.deck;
  if (options.hasFrom && options.hasTo && options.from > options.to) {
    err << "error: --from " << options.from << " is after --to " << options.to << "\n";
    return kExitBadRequest;
  }
  if (options.at.size() > options.maxFrames) {
    err << "error: --at asks for " << options.at.size() << " frames, more than the limit of "
        << options.maxFrames << " (--max-frames)\n";
    return kExitBadRequest;
  }
  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> slides;
  if (int status = OpenDeck(options.deck, deck, slides, err)) return status;

  // Build every slide first: its length says how many frames it takes, and a
  // request that is too large is refused before anything is drawn.
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::unique_ptr<SlidePlayer>> players;
  std::vector<std::vector<uint32_t>> plans;
  bool tooMany = false;
  for (const auto& slide : slides) {
    players.push_back(std::make_unique<SlidePlayer>(slide, options.deck.fps,
                                                    options.deck.defaultEffectFrames, measurer));
    const uint32_t to = options.hasTo ? options.to : players.back()->Length();
    const uint32_t from = options.hasFrom ? options.from : 0;
    const uint64_t count = FrameCount(from, to, options.deck.fps);
    if (options.at.empty() && count > options.maxFrames) {
      err << "error: " << path << ": slide " << slide->number << " takes " << count
          << " frames from " << from << " to " << to << " ms at " << options.deck.fps
          << " fps, more than the limit of " << options.maxFrames
          << " (--max-frames); choose a range with --from and --to, or a lower --fps\n";
      tooMany = true;
      plans.emplace_back();
      continue;
    }
    plans.push_back(options.at.empty() ? FrameTimes(from, to, options.deck.fps) : options.at);
  }
  if (tooMany) return kExitBadRequest;
  if (!MakeFolder(options.output, err)) return kExitFailed;

  // Frames of several slides are drawn at once; the lines come in slide order.
  FramePipeline pipeline(options.jobs, measurer);
  std::vector<PipelineSlide> work(players.size());
  std::vector<uint32_t> lengths(players.size());
  for (size_t s = 0; s < players.size(); ++s) {
    const platform::Slide& slide = players[s]->GetSlide();
    work[s].player = players[s].get();
    work[s].times = plans[s];
    work[s].width = FrameWidth(slide, options.width);
    work[s].height = HeightFor(slide, work[s].width);
    work[s].collectSounds = true;
    lengths[s] = players[s]->Length();
  }
  const bool written = pipeline.Run(
      work,
      [&](size_t s, size_t i, std::shared_ptr<const render::Image> image) {
        const std::string file = JoinPath(options.output, FrameFileName(slides[s]->number, i));
        pipeline.Post([image, file] { return image && image->Valid() && image->WritePng(file); },
                      file);
      },
      [&](size_t s) { players[s].reset(); });  // its screen objects are no longer needed
  if (!written) {
    err << "error: " << pipeline.Failure() << ": cannot write the frame\n";
    return kExitFailed;
  }
  uint64_t total = 0;
  for (size_t s = 0; s < work.size(); ++s) {
    const platform::Slide& slide = *slides[s];
    total += plans[s].size();
    out << "slide " << slide.number << (slide.hidden ? " (hidden)" : "") << ": " << plans[s].size()
        << " frame" << (plans[s].size() == 1 ? "" : "s") << ", length " << lengths[s] << " ms, "
        << SoundsText(work[s].sounds);
    if (plans[s].empty())
      out << " (the slide ends at " << lengths[s] << " ms, before --from " << options.from << ")";
    out << "\n";
  }
  out << "wrote " << total << " frame" << (total == 1 ? "" : "s") << " to " << options.output
      << "\n";
  return kExitOk;
}

}  // namespace cli
