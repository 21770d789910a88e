#include "cli/Frames.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include <boost/make_shared.hpp>

#include "cli/FramePipeline.h"
#include "cli/FrameTimes.h"
#include "cli/SlidePlayer.h"
#include "host/Webdeck.h"
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
  deck.slides.clear();  // `slides` holds the chosen ones, each until it is drawn

  // Every slide's length first: it says how many frames the slide takes, and
  // a request that is too large is refused before anything is drawn. Each
  // slide is built for that and let go; it is built again when it is drawn,
  // so that only the slides being drawn are held.
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::vector<uint32_t>> plans;
  std::vector<uint32_t> lengths;
  bool tooMany = false;
  for (const auto& slide : slides) {
    IWebdeckSlide::ResetInstance();  // as when it is drawn, below
    const uint32_t length =
        SlidePlayer(slide, options.deck.fps, options.deck.defaultEffectFrames, measurer).Length();
    lengths.push_back(length);
    const uint32_t to = options.hasTo ? options.to : length;
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
  std::vector<PipelineSlide> work(slides.size());
  std::vector<std::unique_ptr<SlidePlayer>> players(slides.size());
  std::vector<int> numbers(slides.size());
  std::vector<char> hidden(slides.size());
  for (size_t s = 0; s < slides.size(); ++s) {
    const platform::Slide& slide = *slides[s];
    numbers[s] = slide.number;
    hidden[s] = slide.hidden ? 1 : 0;
    // Frames draw nothing of the web description, which would otherwise keep
    // the records of every slide built: each slide starts a fresh one.
    work[s].open = [&, s] {
      IWebdeckSlide::ResetInstance();
      players[s] = std::make_unique<SlidePlayer>(slides[s], options.deck.fps,
                                                 options.deck.defaultEffectFrames, measurer);
      return players[s].get();
    };
    work[s].times = plans[s];
    work[s].width = FrameWidth(slide, options.width);
    work[s].height = HeightFor(slide, work[s].width);
    work[s].collectSounds = true;
  }
  const bool written = pipeline.Run(
      work,
      [&](size_t s, size_t i, std::shared_ptr<const render::Image> image) {
        const std::string file = JoinPath(options.output, FrameFileName(numbers[s], i));
        pipeline.Post([image, file] { return image && image->Valid() && image->WritePng(file); },
                      file);
      },
      [&](size_t s) {  // the slide and its screen objects are no longer needed
        players[s].reset();
        slides[s].reset();
      });
  if (!written) {
    err << "error: " << pipeline.Failure() << ": cannot write the frame\n";
    return kExitFailed;
  }
  uint64_t total = 0;
  for (size_t s = 0; s < work.size(); ++s) {
    total += plans[s].size();
    out << "slide " << numbers[s] << (hidden[s] ? " (hidden)" : "") << ": " << plans[s].size()
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
