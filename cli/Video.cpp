#include "cli/Video.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <boost/make_shared.hpp>

extern "C" {
#include <libavutil/log.h>
}

#include "cli/EncodeStage.h"
#include "cli/FramePipeline.h"
#include "cli/Frames.h"
#include "cli/MediaLibrary.h"
#include "cli/SlidePlayer.h"
#include "cli/SoundMixer.h"
#include "cli/VideoEncoder.h"
#include "cli/VideoPlayback.h"
#include "cli/VideoProgress.h"
#include "host/Properties.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) {
  interrupted = 1;
}

// Catches Ctrl-C and termination while the video is written, so that the
// unfinished file is removed; the previous handlers come back at the end.
class InterruptGuard {
 public:
  InterruptGuard() {
    interrupted = 0;
    int_ = std::signal(SIGINT, OnInterrupt);
    term_ = std::signal(SIGTERM, OnInterrupt);
  }
  ~InterruptGuard() {
    std::signal(SIGINT, int_);
    std::signal(SIGTERM, term_);
  }

 private:
  void (*int_)(int);
  void (*term_)(int);
};

// The unfinished file next to the output; removed unless it is renamed into place.
class PartialFile {
 public:
  explicit PartialFile(const std::string& output) {
    const fs::path target(output);
    path_ = (target.parent_path() /
             ("." + target.filename().string() + ".partial-" + std::to_string(::getpid())))
                .string();
  }
  ~PartialFile() {
    std::error_code error;
    if (!committed_) fs::remove(path_, error);
  }
  const std::string& Path() const { return path_; }
  bool Commit(const std::string& output, std::string& error) {
    std::error_code code;
    fs::rename(path_, output, code);
    if (code) {
      error = code.message();
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  std::string path_;
  bool committed_ = false;
};

uint64_t SampleAt(uint64_t frame, uint32_t fps) {
  return frame * VideoEncoder::kSampleRate / fps;
}

// Schedules the sounds that the slide's audio shapes play, as the media
// animations left their settings on the media objects.
size_t AddMediaSounds(SlidePlayer& player, uint64_t slideStart, uint64_t slideEnd, uint32_t fps,
                      MediaLibrary& library, SoundMixer& mixer) {
  size_t added = 0;
  const platform::Slide& slide = player.GetSlide();
  const auto& effects = const_cast<platform::Slide&>(slide).Effects();
  if (!effects) return 0;
  for (const auto& sound : effects->Sounds()) {
    boost::shared_ptr<IInterface> sheet = player.MediaObject(sound->GetId());
    if (!sheet || !Has(sheet, ePropOutSoundStartTime)) continue;  // nothing plays it
    const auto shape = slide.FindShape(sound->GetId());
    if (!shape) continue;
    if (Has(sheet, ePropOutMediaSetting123) && GetInt(sheet, ePropOutMediaSetting123) != 0)
      continue;  // muted
    auto clip = library.Sound(shape->mediaInfo.partName, "the sound of shape " + Utf8(shape->Id()));
    if (!clip) continue;
    const uint64_t clipFrames = clip->size() / 2;
    const double rate = VideoEncoder::kSampleRate / 1000.0;
    Voice voice;
    voice.clip = clip;
    const int32_t startMs = std::max(0, GetInt(sheet, ePropOutSoundStartTime));
    voice.start = SampleAt(slideStart, fps) + static_cast<uint64_t>(startMs * rate);
    const double from =
        Has(sheet, ePropOutMediaStartMs) ? GetDouble(sheet, ePropOutMediaStartMs) : 0;
    const double trimEnd = Has(sheet, ePropOutMediaEnd) ? GetDouble(sheet, ePropOutMediaEnd) : 0;
    voice.from = static_cast<uint64_t>(std::max(0.0, from) * rate);
    const uint64_t cut = static_cast<uint64_t>(std::max(0.0, trimEnd) * rate);
    voice.to = cut < clipFrames ? clipFrames - cut : 0;
    const int repeat =
        Has(sheet, ePropOutMediaRepeatCount) ? GetInt(sheet, ePropOutMediaRepeatCount) : 1;
    voice.plays = repeat < 0 ? 0 : static_cast<uint32_t>(std::max(1, repeat));
    voice.stop = SampleAt(slideEnd, fps);  // media stop with their slide
    voice.gain =
        Has(sheet, ePropOutSound392)
            ? static_cast<float>(std::max(0.0, std::min(1.0, GetDouble(sheet, ePropOutSound392))))
            : 1.0f;
    mixer.Add(voice);
    ++added;
  }
  return added;
}

// A video shape that the slide plays: where it goes on the frame, when it
// starts on the slide and from where in the video.
struct PlayingVideo {
  VideoPlayback playback;
  int x = 0, y = 0;
  uint32_t start = 0;  // ms on the slide
  double from = 0;     // ms into the video
};

// The slide's video shapes that media animations play, opened for playing.
std::vector<std::unique_ptr<PlayingVideo>> OpenVideos(SlidePlayer& player, int width, int height,
                                                      MediaLibrary& library) {
  std::vector<std::unique_ptr<PlayingVideo>> videos;
  const platform::Slide& slide = player.GetSlide();
  const auto& effects = const_cast<platform::Slide&>(slide).Effects();
  if (!effects || slide.width <= 0 || slide.height <= 0) return videos;
  for (const auto& video : effects->Videos()) {
    boost::shared_ptr<IInterface> sheet = player.MediaObject(video->GetId());
    if (!sheet || !Has(sheet, ePropOutVideoStartTime)) continue;  // nothing plays it
    const auto shape = slide.FindShape(video->GetId());
    if (!shape) continue;
    const double sx = width / slide.width, sy = height / slide.height;
    auto playing = std::make_unique<PlayingVideo>();
    playing->x = static_cast<int>(std::lround(shape->X() * sx));
    playing->y = static_cast<int>(std::lround(shape->Y() * sy));
    playing->start = static_cast<uint32_t>(std::max(0, GetInt(sheet, ePropOutVideoStartTime)));
    playing->from = Has(sheet, ePropOutMediaStartMs)
                        ? std::max(0.0, GetDouble(sheet, ePropOutMediaStartMs))
                        : 0.0;
    const std::string what = "the video of shape " + Utf8(shape->Id());
    std::string bytes, error;
    if (!library.Read(shape->mediaInfo.partName, bytes, error) ||
        !playing->playback.Open(std::move(bytes),
                                static_cast<int>(std::lround(shape->Width() * sx)),
                                static_cast<int>(std::lround(shape->Height() * sy)), error)) {
      library.Warn(what, shape->mediaInfo.partName, error + "; its poster picture stays");
      continue;
    }
    videos.push_back(std::move(playing));
  }
  return videos;
}

// Puts each playing video's current picture over the frame of slide time `t`.
void DrawVideos(std::vector<std::unique_ptr<PlayingVideo>>& videos, uint32_t t,
                render::Image& frame) {
  cairo_surface_t* surface = frame.Surface();
  cairo_surface_flush(surface);
  uint8_t* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int width = frame.Width(), height = frame.Height();
  for (auto& video : videos) {
    if (t < video->start) continue;
    const uint8_t* picture = video->playback.PictureAt(video->from + (t - video->start));
    if (!picture) continue;
    const int w = video->playback.Width(), h = video->playback.Height();
    const int left = std::max(0, video->x), right = std::min(width, video->x + w);
    if (left >= right) continue;
    for (int y = std::max(0, video->y); y < std::min(height, video->y + h); ++y)
      std::copy(picture + (static_cast<ptrdiff_t>(y - video->y) * w + (left - video->x)) * 4,
                picture + (static_cast<ptrdiff_t>(y - video->y) * w + (right - video->x)) * 4,
                pixels + static_cast<ptrdiff_t>(y) * stride + left * 4);
  }
  cairo_surface_mark_dirty(surface);
}

// The sound that an effect starts, from its action's settings.
bool AddEffectSound(const SoundStart& start, const boost::shared_ptr<IActionObject>& action,
                    uint64_t frame, uint32_t fps, MediaLibrary& library, SoundMixer& mixer) {
  auto clip = library.Sound(start.soundName, "the sound of the effect on shape " + start.shapeId);
  if (!clip) return false;
  boost::shared_ptr<IInterface> sheet = action;
  Voice voice;
  voice.clip = clip;
  voice.start = SampleAt(frame, fps);
  if (sheet && Has(sheet, ePropOutSound392))
    voice.gain =
        static_cast<float>(std::max(0.0, std::min(1.0, GetDouble(sheet, ePropOutSound392))));
  if (sheet && Has(sheet, ePropOutRepeatCount) && GetInt(sheet, ePropOutRepeatCount) > 1)
    voice.plays = static_cast<uint32_t>(GetInt(sheet, ePropOutRepeatCount));
  mixer.Add(voice);
  return true;
}

std::string Seconds(uint64_t frames, uint32_t fps) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(frames) / fps);
  return text;
}

const char* CodecsText(VideoFormat format, bool audio) {
  switch (format) {
    case VideoFormat::Mp4:
      return audio ? "H.264 and AAC" : "H.264, no sound";
    case VideoFormat::WebM:
      return audio ? "VP9 and Opus" : "VP9, no sound";
    case VideoFormat::Gif:
      return "GIF";
  }
  return "";
}

}  // namespace

std::vector<uint64_t> SlideFirstFrames(const std::vector<uint32_t>& lengths, uint32_t hold,
                                       uint32_t fps) {
  std::vector<uint64_t> first;
  uint64_t ms = 0;
  first.push_back(0);
  for (uint32_t length : lengths) {
    ms += static_cast<uint64_t>(length) + hold;
    first.push_back((ms * fps + 999) / 1000);
  }
  return first;
}

int RunVideo(const VideoOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.deck.deck;
  const uint32_t fps = options.deck.fps;
  VideoFormat format;
  if (!VideoFormatFor(options.output, format)) {
    err << "error: " << options.output
        << ": cannot write this kind of file; the output must end in " << VideoExtensions() << "\n";
    return kExitBadRequest;
  }
  const fs::path folder = fs::path(options.output).parent_path();
  std::error_code code;
  if (!folder.empty() && !fs::is_directory(folder, code)) {
    err << "error: " << options.output << ": cannot write the file (there is no folder "
        << folder.string() << ")\n";
    return kExitFailed;
  }

  pptx::Deck deck;
  std::vector<boost::shared_ptr<platform::Slide>> chosen, slides;
  if (int status = OpenDeck(options.deck, deck, chosen, err)) return status;
  for (const auto& slide : chosen)
    if (!slide->hidden || options.deck.slide != 0) slides.push_back(slide);
  if (slides.empty()) {
    err << "error: " << path << ": every slide is hidden; name one with --slide\n";
    return kExitBadRequest;
  }

  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::unique_ptr<SlidePlayer>> players;
  std::vector<uint32_t> lengths;
  for (const auto& slide : slides) {
    players.push_back(
        std::make_unique<SlidePlayer>(slide, fps, options.deck.defaultEffectFrames, measurer));
    lengths.push_back(players.back()->Length());
  }
  const std::vector<uint64_t> first = SlideFirstFrames(lengths, options.hold, fps);
  const uint64_t total = first.back();
  if (total == 0) {
    err << "error: " << path
        << ": nothing to show: the slides have no animations and --hold is 0\n";
    return kExitBadRequest;
  }

  VideoSettings settings;
  settings.format = format;
  settings.width = FrameWidth(*slides.front(), options.width);
  settings.height = HeightFor(*slides.front(), settings.width);
  settings.fps = fps;
  settings.quality = options.quality;
  settings.audio = !options.noAudio;

  // Problems are reported here, in one line each; the libraries stay quiet.
  av_log_set_level(AV_LOG_QUIET);
  InterruptGuard interrupts;
  PartialFile partial(options.output);
  VideoEncoder encoder;
  if (!encoder.Open(partial.Path(), settings)) {
    err << "error: " << options.output << ": " << encoder.Error() << "\n";
    return kExitFailed;
  }
  const int width = encoder.Width(), height = encoder.Height();
  const unsigned jobs = options.jobs != 0 ? options.jobs : FramePipeline::DefaultJobs();
  const bool showProgress = options.progress == VideoOptions::Progress::Always ||
                            (options.progress == VideoOptions::Progress::Auto && ::isatty(2));
  VideoProgress progress(err, showProgress, total);
  MediaLibrary library(path, err);
  SoundMixer mixer;
  render::FrameRenderer renderer(measurer);
  size_t soundCount = 0;
  bool failed = false;
  {
    EncodeStage stage(encoder, jobs > 1);
    for (size_t s = 0; s < players.size() && !failed; ++s) {
      SlidePlayer& player = *players[s];
      player.Prepare();
      const uint64_t frames = first[s + 1] - first[s];
      std::vector<SoundStart> sounds;
      // The transition's sound action comes first: it stops the sounds still
      // playing, or starts its own (and ends a looping one).
      const platform::Slide::TransitionSound& transition = player.GetSlide().transitionSound;
      bool transitionSound = false;
      if (encoder.HasAudio() && (transition.stopsSounds || !transition.partName.empty()))
        mixer.Stop(SampleAt(first[s], fps), !transition.stopsSounds);
      if (encoder.HasAudio() && !transition.partName.empty()) {
        Voice voice;
        voice.clip =
            library.Sound(transition.partName, "the transition sound of slide " +
                                                   std::to_string(player.GetSlide().number));
        voice.start = SampleAt(first[s], fps);
        voice.plays = transition.loops ? 0 : 1;
        if (voice.clip) {
          mixer.Add(voice);
          transitionSound = true;
        }
      }
      const size_t mediaSounds =
          encoder.HasAudio() ? AddMediaSounds(player, first[s], first[s + 1], fps, library, mixer)
                             : 0;
      size_t slideSounds = mediaSounds + (transitionSound ? 1 : 0);
      auto videos = OpenVideos(player, width, height, library);
      for (uint64_t i = 0; i < frames; ++i) {
        if (interrupted) {
          failed = true;
          break;
        }
        const uint64_t local = i * 1000 / fps;
        const uint32_t t = static_cast<uint32_t>(std::min<uint64_t>(local, lengths[s]));
        std::vector<platform::SoundCue> cues;
        player.Seek(t, &sounds, &cues);
        const uint64_t frame = first[s] + i;
        if (encoder.HasAudio())
          for (size_t c = 0; c < cues.size(); ++c)
            if (AddEffectSound(sounds[sounds.size() - cues.size() + c], cues[c].action, frame, fps,
                               library, mixer))
              ++slideSounds;
        EncodeItem item;
        item.picture = renderer.Render(player.Screen(), width, height);
        if (!videos.empty() && item.picture.Valid()) DrawVideos(videos, t, item.picture);
        if (encoder.HasAudio()) mixer.MixTo(SampleAt(frame + 1, fps), item.sound);
        if (!item.picture.Valid() || !stage.Push(std::move(item))) {
          failed = true;
          break;
        }
        progress.Update(frame + 1);
      }
      if (failed) break;
      const platform::Slide& slide = player.GetSlide();
      progress.Clear();
      out << "slide " << slide.number << (slide.hidden ? " (hidden)" : "") << ": " << frames
          << " frame" << (frames == 1 ? "" : "s") << ", " << Seconds(frames, fps) << " (length "
          << lengths[s] << " ms, hold " << options.hold << " ms), " << SoundsText(sounds);
      if (transitionSound) out << "; transition sound \"" << transition.partName << "\"";
      if (mediaSounds > 0)
        out << "; " << mediaSounds << " audio shape" << (mediaSounds == 1 ? "" : "s") << " playing";
      out << "\n";
      out.flush();
      soundCount += slideSounds;
      players[s].reset();  // its screen objects are no longer needed
    }
    if (!stage.Stop()) failed = true;
  }
  progress.Clear();
  if (interrupted) {
    err << "error: " << options.output << ": interrupted; nothing is written\n";
    return kExitFailed;
  }
  if (failed || !encoder.Finish()) {
    err << "error: " << options.output << ": " << encoder.Error() << "; nothing is written\n";
    return kExitFailed;
  }
  std::string renameError;
  if (!partial.Commit(options.output, renameError)) {
    err << "error: " << options.output << ": cannot write the file (" << renameError << ")\n";
    return kExitFailed;
  }
  out << "wrote " << options.output << ": " << total << " frame" << (total == 1 ? "" : "s")
      << " at " << fps << " fps, " << Seconds(total, fps) << ", " << width << "x" << height << ", "
      << CodecsText(format, encoder.HasAudio()) << ", " << soundCount << " sound"
      << (soundCount == 1 ? "" : "s") << "\n";
  return kExitOk;
}

}  // namespace cli
