#include "cli/Frames.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

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
  // The deck is read twice, a slide at a time, so that it is never held
  // whole. First every slide's length: it says how many frames the slide
  // takes, and a request that is too large is refused before anything is
  // drawn. Each chosen slide is built for that and let go; it is read and
  // built again when its first frame is due and let go after its last.
  struct Chosen {
    int number = 0;
    bool hidden = false;
    int width = 0, height = 0;  // of the images
    uint32_t length = 0;
    std::vector<uint32_t> plan;
  };
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  pptx::Diagnostics diagnostics;
  std::unique_ptr<pptx::DeckReader> reader;
  std::vector<Chosen> chosen;
  std::ostringstream refusals;  // given after the reader's warnings
  bool tooMany = false;
  size_t count = 0;
  try {
    reader = std::make_unique<pptx::DeckReader>(path, diagnostics);
    while (boost::shared_ptr<platform::Slide> slide = reader->Next()) {
      ++count;
      if (options.deck.slide != 0 && slide->number != options.deck.slide) continue;
      IWebdeckSlide::ResetInstance();  // as when it is drawn, below
      Chosen c;
      c.number = slide->number;
      c.hidden = slide->hidden;
      c.width = FrameWidth(*slide, options.width);
      c.height = HeightFor(*slide, c.width);
      c.length =
          SlidePlayer(slide, options.deck.fps, options.deck.defaultEffectFrames, measurer).Length();
      const uint32_t to = options.hasTo ? options.to : c.length;
      const uint32_t from = options.hasFrom ? options.from : 0;
      const uint64_t frames = FrameCount(from, to, options.deck.fps);
      if (options.at.empty() && frames > options.maxFrames) {
        refusals << "error: " << path << ": slide " << c.number << " takes " << frames
                 << " frames from " << from << " to " << to << " ms at " << options.deck.fps
                 << " fps, more than the limit of " << options.maxFrames
                 << " (--max-frames); choose a range with --from and --to, or a lower --fps\n";
        tooMany = true;
      } else {
        c.plan = options.at.empty() ? FrameTimes(from, to, options.deck.fps) : options.at;
      }
      chosen.push_back(std::move(c));
    }
  } catch (const pptx::ReadError& error) {
    diagnostics.Print(err);
    err << "error: " << error.what() << "\n";
    return kExitFailed;
  }
  diagnostics.Print(err);
  if (!CheckSlide(options.deck, count, err)) return kExitBadRequest;
  err << refusals.str();
  if (tooMany) return kExitBadRequest;
  if (!MakeFolder(options.output, err)) return kExitFailed;

  // The second reading, under the frame state lock: slides are opened about
  // in order, and one read before its turn waits in `early`.
  reader->Rewind();
  std::vector<boost::shared_ptr<platform::Slide>> early(chosen.size());
  size_t reread = 0;  // chosen slides read the second time
  auto readSlide = [&](size_t s) {
    while (!early[s]) {
      boost::shared_ptr<platform::Slide> slide = reader->Next();
      if (!slide || reread >= chosen.size())
        throw pptx::ReadError(path, "the slide list", "the deck changed while it was drawn");
      if (options.deck.slide != 0 && slide->number != options.deck.slide) continue;
      if (!chosen[reread].plan.empty()) early[reread] = std::move(slide);
      ++reread;
    }
    return std::move(early[s]);
  };

  // Frames of several slides are drawn at once; the lines come in slide order.
  FramePipeline pipeline(options.jobs, measurer);
  std::vector<PipelineSlide> work(chosen.size());
  std::vector<std::unique_ptr<SlidePlayer>> players(chosen.size());
  for (size_t s = 0; s < chosen.size(); ++s) {
    // Frames draw nothing of the web description, which would otherwise keep
    // the records of every slide built: each slide starts a fresh one.
    work[s].open = [&, s] {
      IWebdeckSlide::ResetInstance();
      players[s] = std::make_unique<SlidePlayer>(readSlide(s), options.deck.fps,
                                                 options.deck.defaultEffectFrames, measurer);
      return players[s].get();
    };
    work[s].times = chosen[s].plan;
    work[s].width = chosen[s].width;
    work[s].height = chosen[s].height;
    work[s].collectSounds = true;
  }
  bool written = false;
  try {
    written = pipeline.Run(
        work,
        [&](size_t s, size_t i, std::shared_ptr<const render::Image> image) {
          const std::string file = JoinPath(options.output, FrameFileName(chosen[s].number, i));
          pipeline.Post([image, file] { return image && image->Valid() && image->WritePng(file); },
                        file);
        },
        [&](size_t s) { players[s].reset(); });  // the slide and its screen objects go
  } catch (const pptx::ReadError& error) {
    err << "error: " << error.what() << "\n";
    return kExitFailed;
  }
  if (!written) {
    err << "error: " << pipeline.Failure() << ": cannot write the frame\n";
    return kExitFailed;
  }
  uint64_t total = 0;
  for (size_t s = 0; s < work.size(); ++s) {
    const Chosen& c = chosen[s];
    total += c.plan.size();
    out << "slide " << c.number << (c.hidden ? " (hidden)" : "") << ": " << c.plan.size()
        << " frame" << (c.plan.size() == 1 ? "" : "s") << ", length " << c.length << " ms, "
        << SoundsText(work[s].sounds);
    if (c.plan.empty())
      out << " (the slide ends at " << c.length << " ms, before --from " << options.from << ")";
    out << "\n";
  }
  out << "wrote " << total << " frame" << (total == 1 ? "" : "s") << " to " << options.output
      << "\n";
  return kExitOk;
}

}  // namespace cli
