// `slideanim video` end to end: the built command writes each format from
// small generated decks, and the files are read back here with FFmpeg's
// libraries directly: streams, size, rate, duration, pictures against the
// renderer's frames, GIF delays and where the sound starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <boost/make_shared.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "cli/SlidePlayer.h"
#include "pptx/DeckFixture.h"
#include "render/FrameRenderer.h"
#include "render/Image.h"
#include "render/PangoText.h"
#include "support/Command.h"
#include "support/Scratch.h"

namespace {

namespace fs = std::filesystem;
namespace x = pptx::xml;

constexpr uint32_t kFps = 25;
// Small, but not so small that the halved colour planes of yuv420p at the
// boxes' edges alone cost the pictures their 35 dB.
constexpr int kWidth = 320, kHeight = 180;
constexpr uint32_t kHold = 400;

using command::ReadFile;
using command::Result;
using testdeck::FadeIn;
using testdeck::MakeEffect;
using testdeck::Saved;

scratch::Folder* const kScratch = scratch::Folder::Register("video");

std::string In(const std::string& name) {
  return kScratch->In(name);
}

Result MakeVideo(const std::string& deck, const std::string& output,
                 const std::string& extra = "") {
  return command::Run("video --fps " + std::to_string(kFps) + " --width " + std::to_string(kWidth) +
                      " --hold " + std::to_string(kHold) + " " + extra + " '" + deck + "' -o '" +
                      output + "'");
}

// What a file holds, read with libavformat and libavcodec.
struct Media {
  std::string error;
  std::vector<std::string> streams;  // "video h264", "audio aac", ...
  int width = 0, height = 0;
  AVRational rate{0, 1};
  double duration = 0;                    // s, as the container says
  std::vector<std::vector<uint8_t>> rgb;  // decoded pictures, RGB24
  std::vector<int64_t> delays;            // video packet durations, in 1/100 s for GIF
  std::vector<float> sound;               // decoded sound, its first channel
  int sampleRate = 0;
};

Media ReadBack(const std::string& path) {
  av_log_set_level(AV_LOG_ERROR);
  Media media;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
    media.error = "cannot open";
    return media;
  }
  avformat_find_stream_info(format, nullptr);
  media.duration = format->duration > 0 ? format->duration / double(AV_TIME_BASE) : 0;
  std::vector<AVCodecContext*> decoders(format->nb_streams, nullptr);
  int video = -1;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVCodecParameters* p = format->streams[i]->codecpar;
    const bool isVideo = p->codec_type == AVMEDIA_TYPE_VIDEO;
    media.streams.push_back(std::string(isVideo ? "video " : "audio ") +
                            avcodec_get_name(p->codec_id));
    if (isVideo) {
      video = static_cast<int>(i);
      media.width = p->width;
      media.height = p->height;
      media.rate = format->streams[i]->avg_frame_rate;
    }
    const AVCodec* codec = avcodec_find_decoder(p->codec_id);
    decoders[i] = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoders[i], p);
    avcodec_open2(decoders[i], codec, nullptr);
  }
  SwsContext* scaler = nullptr;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto take = [&](AVCodecContext* codec) {
    while (avcodec_receive_frame(codec, frame) >= 0) {
      if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
        scaler = sws_getCachedContext(
            scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
            frame->width, frame->height, AV_PIX_FMT_RGB24,
            SWS_BICUBIC | SWS_FULL_CHR_H_INP | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        std::vector<uint8_t> rgb(static_cast<size_t>(frame->width * frame->height * 3));
        uint8_t* planes[1] = {rgb.data()};
        const int strides[1] = {frame->width * 3};
        sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
        media.rgb.push_back(std::move(rgb));
      } else if (frame->format == AV_SAMPLE_FMT_FLTP) {  // what the sound decoders give
        const float* first = reinterpret_cast<const float*>(frame->extended_data[0]);
        media.sound.insert(media.sound.end(), first, first + frame->nb_samples);
        media.sampleRate = frame->sample_rate;
      }
      av_frame_unref(frame);
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    const int i = packet->stream_index;
    if (i == video) media.delays.push_back(packet->duration);
    if (decoders[i] && avcodec_send_packet(decoders[i], packet) >= 0) take(decoders[i]);
    av_packet_unref(packet);
  }
  for (AVCodecContext* codec : decoders)
    if (avcodec_send_packet(codec, nullptr) >= 0) take(codec);
  av_frame_free(&frame);
  av_packet_free(&packet);
  sws_freeContext(scaler);
  for (AVCodecContext*& codec : decoders) avcodec_free_context(&codec);
  avformat_close_input(&format);
  return media;
}

// Each slide of `deck` ready to play, as the command plays it.
std::vector<std::unique_ptr<cli::SlidePlayer>> Players(const std::string& deck) {
  pptx::Diagnostics diagnostics;
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<std::unique_ptr<cli::SlidePlayer>> players;
  const pptx::Deck read = pptx::ReadDeck(deck, diagnostics);
  for (const auto& slide : read.slides)
    players.push_back(std::make_unique<cli::SlidePlayer>(slide, kFps, 0, measurer));
  return players;
}

// The renderer's picture of slide `index` (0-based) of `deck` at `t` ms, RGB24.
std::vector<uint8_t> Reference(const std::string& deck, size_t index, uint32_t t) {
  auto players = Players(deck);
  players.at(index)->Seek(t);
  render::FrameRenderer renderer(boost::make_shared<render::PangoMeasurer>());
  render::Image image = renderer.Render(players[index]->Screen(), kWidth, kHeight);
  std::vector<uint8_t> rgb;
  for (int i = 0; i < kWidth * kHeight; ++i)
    for (int shift : {16, 8, 0})
      rgb.push_back(static_cast<uint8_t>(image.Pixel(i % kWidth, i / kWidth) >> shift));
  return rgb;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  const double mse = sum / a.size();
  return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

double Rms(const std::vector<float>& sound, size_t from, size_t to) {
  to = std::min(to, sound.size());
  if (from >= to) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(sound[i]) * sound[i];
  return std::sqrt(sum / double(to - from));
}

std::vector<uint32_t> Lengths(const std::string& deck) {
  std::vector<uint32_t> lengths;
  for (const auto& player : Players(deck)) lengths.push_back(player->Length());
  return lengths;
}

// When the second of the first slide's two click steps starts.
uint32_t SecondStep(const std::string& deck) {
  const auto players = Players(deck);
  const std::vector<AnimationStep>& steps = players.at(0)->Steps();
  EXPECT_EQ(steps.size(), 2u);
  return steps.size() == 2 ? steps[1].startTime : 0;
}

// Slide 1: a red box fades in on a click over 500 ms; slide 2, hidden, and
// slide 3 have no animations.
std::string FadeDeck() {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& first = writer.AddSlide();
  first.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000");
  first.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500)}}});
  pptx::DeckWriter::Slide& hidden = writer.AddSlide();
  hidden.shapes = x::Shape(2, "Hidden", 100, 100, 200, 100, "00FF00");
  hidden.hidden = true;
  writer.AddSlide().shapes = x::Shape(2, "Still", 600, 300, 400, 300, "0000FF");
  return Saved(In("fade.pptx"), writer);
}

// A 16-bit mono WAV of a 440 Hz tone at half scale.
std::string ToneWav(int rate, double seconds) {
  auto le = [](uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
  };
  std::string data;
  for (int i = 0; i < static_cast<int>(rate * seconds); ++i)  // two's complement samples
    data += le(static_cast<int16_t>(16000 * std::sin(2 * M_PI * 440 * i / rate)), 2);
  const uint32_t size = static_cast<uint32_t>(data.size());
  return "RIFF" + le(36 + size, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) +
         le(rate * 2, 4) + le(2, 2) + le(16, 2) + "data" + le(size, 4) + data;
}

// Two click steps: the box fades in, then a second box fades in with a tone.
std::string SoundDeck() {
  x::Effect withSound = FadeIn(3, 300);
  withSound.subTnLst = x::EffectSound("rIdSound", "tone.wav");
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000") +
                 x::Shape(3, "Other", 700, 100, 400, 200, "0000FF");
  slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500), withSound}}});
  slide.relationships.push_back({"rIdSound", "audio", "../media/tone.wav", false});
  writer.AddPart("ppt/media/tone.wav", ToneWav(22050, 0.5), "audio/wav");
  return Saved(In("sound.pptx"), writer);
}

// Slide 1 starts a long tone with a click; slide 2's transition stops it and
// slide 3's plays a tone of its own.
std::string TransitionDeck() {
  x::Effect withSound = FadeIn(2, 300);
  withSound.subTnLst = x::EffectSound("rIdLong", "long.wav");
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& first = writer.AddSlide();
  first.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000");
  first.timing = x::Timing({x::Sequence{"", {withSound}}});
  first.relationships.push_back({"rIdLong", "audio", "../media/long.wav", false});
  writer.AddSlide().transition = "<p:transition><p:sndAc><p:endSnd/></p:sndAc></p:transition>";
  pptx::DeckWriter::Slide& third = writer.AddSlide();
  third.transition = R"(<p:transition><p:sndAc><p:stSnd><p:snd r:embed="rIdTone" name="tone.wav"/>)"
                     "</p:stSnd></p:sndAc></p:transition>";
  third.relationships.push_back({"rIdTone", "audio", "../media/tone.wav", false});
  writer.AddPart("ppt/media/long.wav", ToneWav(22050, 5.0), "audio/wav");
  writer.AddPart("ppt/media/tone.wav", ToneWav(22050, 0.3), "audio/wav");
  return Saved(In("transition.pptx"), writer);
}

// The box fades in on a click, then a second click plays the tone of an
// audio shape, from 100 ms into it.
std::string MediaDeck() {
  const x::Effect play = MakeEffect("mediacall", "clickEffect", x::PlayMedia(4, 300));
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000") +
                 x::Media(4, "Tone", false, 700, 100, 64, 64, "rIdTone", "rIdPoster", 100, 0);
  slide.timing =
      x::Timing({x::Sequence{"", {FadeIn(2, 500), play}}}, "", x::MediaNode(4, false, 100000));
  slide.relationships = {{"rIdTone", "audio", "../media/tone.wav", false},
                         {"rIdPoster", "image", "../media/poster.png", false}};
  writer.AddPart("ppt/media/tone.wav", ToneWav(44100, 0.6), "audio/wav");
  render::Image(4, 4).WritePng(In("poster.png"));
  writer.AddPart("ppt/media/poster.png", ReadFile(In("poster.png")), "image/png");
  return Saved(In("media.pptx"), writer);
}

// A red poster over a green video (the command's own of a green slide),
// played by the second click.
std::string VideoDeck() {
  pptx::DeckWriter green;
  green.AddSlide().shapes = x::Shape(2, "Green", 0, 0, 1280, 720, "00CC00");
  EXPECT_EQ(MakeVideo(Saved(In("green.pptx"), green), In("clip.mp4"), "--no-audio").status, 0);
  render::Image poster(64, 36);
  cairo_t* cr = cairo_create(poster.Surface());
  cairo_set_source_rgb(cr, 0.8, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  poster.WritePng(In("poster.png"));
  const x::Effect play = MakeEffect("mediacall", "clickEffect", x::PlayMedia(4, 400));
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Shape(2, "Box", 20, 20, 100, 100, "0000FF") +
                 x::Media(4, "Clip", true, 320, 180, 640, 360, "rIdClip", "rIdPoster");
  slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 300), play}}}, "", x::MediaNode(4, true));
  slide.relationships = {{"rIdClip", "video", "../media/clip.mp4", false},
                         {"rIdPoster", "image", "../media/poster.png", false}};
  writer.AddPart("ppt/media/clip.mp4", ReadFile(In("clip.mp4")), "video/mp4");
  writer.AddPart("ppt/media/poster.png", ReadFile(In("poster.png")), "image/png");
  return Saved(In("video.pptx"), writer);
}

// The video of `deck` made as `file` without a warning, and read back; the
// command's output says each of `said`.
Media Made(const std::string& deck, const std::string& file,
           const std::vector<std::string>& said = {}) {
  const Result run = MakeVideo(deck, file);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
  for (const std::string& words : said)
    EXPECT_NE(run.out.find(words), std::string::npos) << run.out;
  return ReadBack(file);
}

using VideoCommand = command::Test;

TEST_F(VideoCommand, EachFormatReadsBackWithItsStreamsTimingAndPictures) {
  struct Case {
    std::string extension;
    std::vector<std::string> streams;
  };
  const std::vector<Case> cases = {
      {"mp4", {"video h264", "audio aac"}},
      {"webm", {"video vp9", "audio opus"}},
      {"gif", {"video gif"}},
  };
  const std::string deck = FadeDeck();
  // Slides 1 and 3 (slide 2 is hidden), each its length plus the hold.
  const std::vector<uint32_t> lengths = Lengths(deck);
  ASSERT_EQ(lengths.size(), 3u);
  const double seconds = (lengths[0] + kHold + lengths[2] + kHold) / 1000.0, frame = 1.0 / kFps;
  const size_t firstOfSlide3 = static_cast<size_t>(std::ceil((lengths[0] + kHold) * kFps / 1000.0));
  // The first frame, one in the middle of the fade, the held end of slide 1
  // and slide 3 against the renderer's frames at the same times.
  const std::vector<std::pair<size_t, std::vector<uint8_t>>> samples = {
      {0, Reference(deck, 0, 0)},
      {320 * kFps / 1000, Reference(deck, 0, 320)},
      {firstOfSlide3 - 1, Reference(deck, 0, lengths[0])},
      {firstOfSlide3 + 1, Reference(deck, 2, 1000 / kFps)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const std::string file = In("fade." + c.extension);
    Media media = Made(deck, file, {"wrote " + file});
    // Drawing and encoding on one thread give the same bytes.
    Result alone = MakeVideo(deck, In("alone." + c.extension), "--jobs 1");
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(ReadFile(In("alone." + c.extension)), ReadFile(file));
    ASSERT_TRUE(media.error.empty()) << media.error;
    EXPECT_EQ(media.streams, c.streams);
    EXPECT_EQ(std::make_pair(media.width, media.height), std::make_pair(kWidth, kHeight));
    if (c.extension == "gif") {
      // Each frame waits 1/25 s (4 hundredths) for every frame it stands
      // for: the held frames are one frame with a longer delay.
      EXPECT_TRUE(std::all_of(media.delays.begin(), media.delays.end(), [](int64_t delay) {
        return delay % 4 == 0;
      })) << ::testing::PrintToString(media.delays);
      EXPECT_NEAR(std::accumulate(media.delays.begin(), media.delays.end(), int64_t{0}) / 100.0,
                  seconds, frame);
      EXPECT_LT(media.delays.size(), firstOfSlide3);
      EXPECT_GE(media.delays.back(), 4);
      continue;
    }
    EXPECT_NEAR(media.rgb.size() * frame, seconds, frame);
    ASSERT_GT(media.rgb.size(), firstOfSlide3);
    EXPECT_EQ(av_cmp_q(media.rate, AVRational{kFps, 1}), 0);
    EXPECT_NEAR(media.duration, seconds, frame);
    for (const auto& sample : samples)
      EXPECT_GE(Psnr(media.rgb[sample.first], sample.second), 35.0) << "frame " << sample.first;
  }
}

// Where each deck's sound is heard, and where it is silent: the tones of an
// effect and of an audio shape start on their click's frame and end (0.5 s,
// and 0.6 s less the 100 ms trimmed from the start); slide 2's transition
// stops slide 1's long tone, and slide 3's plays its own.
TEST_F(VideoCommand, SoundsStartOnTheirStepsFramesAndTransitionsStopOrStartThem) {
  struct Span {
    uint32_t from, to;  // ms
    bool heard;
  };
  struct Case {
    std::string deck;
    std::vector<std::string> said;
    std::vector<Span> spans;
  };
  const uint32_t f = 1000 / kFps;
  auto clicked = [&](const std::string& deck, const std::string& said) {
    const uint32_t at = SecondStep(deck);
    EXPECT_GE(at, 200u);
    return Case{deck,
                {said, ", 1 sound\n"},
                {{0, at - f, false},
                 {at, at + f, true},
                 {at + 5 * f, at + 6 * f, true},
                 {at + 14 * f, UINT32_MAX, false}}};
  };
  const std::vector<uint32_t> lengths = Lengths(TransitionDeck());
  ASSERT_EQ(lengths.size(), 3u);
  // Within a frame of the starts of slides 2 and 3.
  const uint32_t second = lengths[0] + kHold + f, third = second + lengths[1] + kHold;
  const std::vector<Case> cases = {
      clicked(SoundDeck(), "\"ppt/media/tone.wav\""),
      clicked(MediaDeck(), "1 audio shape playing"),
      {TransitionDeck(),
       {"transition sound \"ppt/media/tone.wav\""},
       {{second - 3 * f, second - 2 * f, true},
        {second + f, third - 2 * f, false},
        {third, third + f, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deck);
    Media media = Made(c.deck, c.deck + ".mp4", c.said);
    ASSERT_GT(media.sampleRate, 0);
    auto sample = [&](uint32_t ms) { return static_cast<size_t>(ms) * media.sampleRate / 1000; };
    for (const Span& span : c.spans) {
      const double rms = Rms(media.sound, sample(span.from), sample(span.to));
      EXPECT_TRUE(span.heard ? rms > 0.1 : rms < 0.002) << span.from << "-" << span.to << " ms";
    }
  }
  Result silent = MakeVideo(SoundDeck(), In("silent.mp4"), "--no-audio");
  ASSERT_EQ(silent.status, 0) << silent.err;
  EXPECT_EQ(ReadBack(In("silent.mp4")).streams, std::vector<std::string>{"video h264"});
}

TEST_F(VideoCommand, AVideoShapeShowsItsPosterThenItsPictures) {
  const std::string deck = VideoDeck();
  const size_t start = SecondStep(deck) * kFps / 1000;
  ASSERT_GE(start, 1u);
  Media media = Made(deck, In("video.mp4"));
  ASSERT_GT(media.rgb.size(), start + 2);
  // The middle of the shape: red before the click, green from it on.
  auto colour = [&](size_t frame) {
    const uint8_t* p = &media.rgb[frame][(kHeight / 2 * kWidth + kWidth / 2) * 3];
    return p[0] > 150 && p[1] < 60 ? "red" : p[0] < 60 && p[1] > 150 ? "green" : "neither";
  };
  EXPECT_EQ(std::string(colour(start - 1)) + " " + colour(start + 1), "red green");
}

TEST_F(VideoCommand, RefusalsAndFailuresLeaveNoFile) {
  const std::string deck = FadeDeck();
  Result avi = MakeVideo(deck, In("out.avi"));
  EXPECT_EQ(avi.status, 2);
  for (const char* format : {".mp4", ".webm", ".gif"})
    EXPECT_NE(avi.err.find(format), std::string::npos) << avi.err;
  EXPECT_EQ(std::count(avi.err.begin(), avi.err.end(), '\n'), 1) << avi.err;
  EXPECT_FALSE(fs::exists(In("out.avi")));

  // A folder in the way of the output: the video is made, then cannot take
  // its place; and a file where the folder should be. Nothing is left behind.
  const fs::path folder = kScratch->Path() / "failures";
  fs::create_directories(folder / "taken.mp4" / "inside");
  std::ofstream((folder / "file").string()).put('\n');
  for (const fs::path& out : {folder / "taken.mp4", folder / "file" / "out.mp4"})
    EXPECT_EQ(MakeVideo(deck, out.string()).status, 1) << out;
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"file", "taken.mp4"}));

  // A deck that cannot be read.
  EXPECT_NE(MakeVideo(In("missing.pptx"), In("missing.mp4")).status, 0);
  EXPECT_FALSE(fs::exists(In("missing.mp4")));
}

}  // namespace
