// `slideanim video` end to end: the built command writes each format from
// small generated decks, and the files are read back here with FFmpeg's
// libraries directly: streams, size, rate, duration, pictures against the
// renderer's frames, GIF delays and where the sound starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "cli/SlidePlayer.h"
#include "cli/VideoEncoder.h"
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

scratch::Folder* const kScratch = scratch::Folder::Register("video");

std::string In(const std::string& name) {
  return kScratch->In(name);
}

using command::ReadFile;
using command::Result;

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
  std::vector<float> sound;               // decoded sound, mono
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
  SwrContext* resampler = nullptr;
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
      } else {
        if (!resampler) {
          AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
          swr_alloc_set_opts2(&resampler, &mono, AV_SAMPLE_FMT_FLT, frame->sample_rate,
                              &frame->ch_layout, static_cast<AVSampleFormat>(frame->format),
                              frame->sample_rate, 0, nullptr);
          swr_init(resampler);
          media.sampleRate = frame->sample_rate;
        }
        const size_t at = media.sound.size();
        media.sound.resize(at + static_cast<size_t>(frame->nb_samples) + 64);
        uint8_t* out[1] = {reinterpret_cast<uint8_t*>(media.sound.data() + at)};
        const int n =
            swr_convert(resampler, out, frame->nb_samples + 64,
                        const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
        media.sound.resize(at + static_cast<size_t>(std::max(0, n)));
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
  for (AVCodecContext* codec : decoders) {
    avcodec_send_packet(codec, nullptr);
    take(codec);
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  sws_freeContext(scaler);
  swr_free(&resampler);
  for (AVCodecContext*& codec : decoders) avcodec_free_context(&codec);
  avformat_close_input(&format);
  return media;
}

// The renderer's picture of slide `index` (0-based) of `deck` at `t` ms, RGB24.
std::vector<uint8_t> Reference(const std::string& deck, size_t index, uint32_t t) {
  pptx::Diagnostics diagnostics;
  pptx::Deck read = pptx::ReadDeck(deck, diagnostics);
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  cli::SlidePlayer player(read.slides.at(index), kFps, 0, measurer);
  player.Seek(t);
  render::FrameRenderer renderer(measurer);
  render::Image image = renderer.Render(player.Screen(), kWidth, kHeight);
  std::vector<uint8_t> rgb;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t p = image.Pixel(x, y);
      rgb.push_back(static_cast<uint8_t>(p >> 16));
      rgb.push_back(static_cast<uint8_t>(p >> 8));
      rgb.push_back(static_cast<uint8_t>(p));
    }
  return rgb;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    const double d = double(a[i]) - double(b[i]);
    sum += d * d;
  }
  const double mse = sum / a.size();
  return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::vector<uint32_t> Lengths(const std::string& deck) {
  pptx::Diagnostics diagnostics;
  pptx::Deck read = pptx::ReadDeck(deck, diagnostics);
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  std::vector<uint32_t> lengths;
  for (const auto& slide : read.slides)
    lengths.push_back(cli::SlidePlayer(slide, kFps, 0, measurer).Length());
  return lengths;
}

// When the second of the first slide's two click steps starts.
uint32_t SecondStep(const std::string& deck) {
  pptx::Diagnostics diagnostics;
  pptx::Deck read = pptx::ReadDeck(deck, diagnostics);
  cli::SlidePlayer player(read.slides.at(0), kFps, 0, boost::make_shared<render::PangoMeasurer>());
  EXPECT_EQ(player.Steps().size(), 2u);
  return player.Steps().size() == 2 ? player.Steps()[1].startTime : 0;
}

// `writer`'s deck saved in the scratch folder as `name`.
std::string Saved(const std::string& name, const pptx::DeckWriter& writer) {
  return testdeck::Saved(In(name), writer);
}
using testdeck::FadeIn;

// Slide 1: a red box fades in on a click over 500 ms; slide 2, hidden, and
// slide 3 have no animations.
std::string FadeDeck() {
  static const std::string path = [] {
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& first = writer.AddSlide();
    first.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000");
    first.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500)}}});
    pptx::DeckWriter::Slide& hidden = writer.AddSlide();
    hidden.shapes = x::Shape(2, "Hidden", 100, 100, 200, 100, "00FF00");
    hidden.hidden = true;
    writer.AddSlide().shapes = x::Shape(2, "Still", 600, 300, 400, 300, "0000FF");
    return Saved("fade.pptx", writer);
  }();
  return path;
}

// A 16-bit mono WAV of a 440 Hz tone at half scale.
std::string ToneWav(int rate, double seconds) {
  const uint32_t count = static_cast<uint32_t>(rate * seconds);
  std::string data;
  for (uint32_t i = 0; i < count; ++i) {
    const int16_t s = static_cast<int16_t>(16000 * std::sin(2 * M_PI * 440 * i / rate));
    data.push_back(static_cast<char>(s & 0xFF));
    data.push_back(static_cast<char>((s >> 8) & 0xFF));
  }
  auto u32 = [](uint32_t v) {
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                       char((v >> 24) & 0xFF)};
  };
  auto u16 = [](uint16_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; };
  return "RIFF" + u32(36 + static_cast<uint32_t>(data.size())) + "WAVEfmt " + u32(16) + u16(1) +
         u16(1) + u32(static_cast<uint32_t>(rate)) + u32(static_cast<uint32_t>(rate * 2)) + u16(2) +
         u16(16) + "data" + u32(static_cast<uint32_t>(data.size())) + data;
}

// Two click steps: the box fades in, then a second box fades in with a tone.
std::string SoundDeck() {
  static const std::string path = [] {
    x::Effect withSound = FadeIn(3, 300);
    withSound.subTnLst = x::EffectSound("rIdSound", "tone.wav");
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000") +
                   x::Shape(3, "Other", 700, 100, 400, 200, "0000FF");
    slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 500), withSound}}});
    slide.relationships.push_back({"rIdSound", "audio", "../media/tone.wav", false});
    writer.AddPart("ppt/media/tone.wav", ToneWav(22050, 0.5), "audio/wav");
    return Saved("sound.pptx", writer);
  }();
  return path;
}

// Slide 1 starts a long tone with a click; slide 2's transition stops it and
// slide 3's plays a tone of its own.
std::string TransitionDeck() {
  static const std::string path = [] {
    x::Effect withSound = FadeIn(2, 300);
    withSound.subTnLst = x::EffectSound("rIdLong", "long.wav");
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& first = writer.AddSlide();
    first.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000");
    first.timing = x::Timing({x::Sequence{"", {withSound}}});
    first.relationships.push_back({"rIdLong", "audio", "../media/long.wav", false});
    writer.AddSlide().transition = "<p:transition><p:sndAc><p:endSnd/></p:sndAc></p:transition>";
    pptx::DeckWriter::Slide& third = writer.AddSlide();
    third.transition =
        "<p:transition><p:sndAc><p:stSnd><p:snd r:embed=\"rIdTone\" name=\"tone.wav\"/>"
        "</p:stSnd></p:sndAc></p:transition>";
    third.relationships.push_back({"rIdTone", "audio", "../media/tone.wav", false});
    writer.AddPart("ppt/media/long.wav", ToneWav(22050, 5.0), "audio/wav");
    writer.AddPart("ppt/media/tone.wav", ToneWav(22050, 0.3), "audio/wav");
    return Saved("transition.pptx", writer);
  }();
  return path;
}

// The box fades in on a click, then a second click plays the tone of an
// audio shape, from 100 ms into it.
std::string MediaDeck() {
  static const std::string path = [] {
    x::Effect play;
    play.presetClass = "mediacall";
    play.behaviours = x::PlayMedia(4, 300);
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = x::Shape(2, "Box", 100, 100, 400, 200, "FF0000") +
                   x::Media(4, "Tone", false, 700, 100, 64, 64, "rIdTone", "rIdPoster", 100, 0);
    slide.timing =
        x::Timing({x::Sequence{"", {FadeIn(2, 500), play}}}, "", x::MediaNode(4, false, 100000));
    slide.relationships = {{"rIdTone", "audio", "../media/tone.wav", false},
                           {"rIdPoster", "image", "../media/poster.png", false}};
    writer.AddPart("ppt/media/tone.wav", ToneWav(44100, 0.6), "audio/wav");
    render::Image poster(4, 4);
    poster.WritePng(In("poster.png"));
    writer.AddPart("ppt/media/poster.png", ReadFile(In("poster.png")), "image/png");
    return Saved("media.pptx", writer);
  }();
  return path;
}

// A red poster over a green video (made with the command's own encoder),
// played by the second click.
std::string VideoDeck() {
  static const std::string path = [] {
    render::Image picture(64, 36);
    cairo_t* cr = cairo_create(picture.Surface());
    cairo_set_source_rgb(cr, 0, 0.8, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cli::VideoSettings settings;
    settings.width = 64;
    settings.height = 36;
    settings.fps = 25;
    settings.audio = false;
    cli::VideoEncoder encoder;
    EXPECT_TRUE(encoder.Open(In("clip.mp4"), settings)) << encoder.Error();
    cairo_surface_flush(picture.Surface());
    for (int i = 0; i < 25; ++i)
      encoder.AddFrame(cairo_image_surface_get_data(picture.Surface()),
                       cairo_image_surface_get_stride(picture.Surface()));
    EXPECT_TRUE(encoder.Finish()) << encoder.Error();
    cr = cairo_create(picture.Surface());
    cairo_set_source_rgb(cr, 0.8, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    picture.WritePng(In("poster.png"));

    x::Effect play;
    play.presetClass = "mediacall";
    play.behaviours = x::PlayMedia(4, 400);
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = x::Shape(2, "Box", 20, 20, 100, 100, "0000FF") +
                   x::Media(4, "Clip", true, 320, 180, 640, 360, "rIdClip", "rIdPoster");
    slide.timing = x::Timing({x::Sequence{"", {FadeIn(2, 300), play}}}, "", x::MediaNode(4, true));
    slide.relationships = {{"rIdClip", "video", "../media/clip.mp4", false},
                           {"rIdPoster", "image", "../media/poster.png", false}};
    writer.AddPart("ppt/media/clip.mp4", ReadFile(In("clip.mp4")), "video/mp4");
    writer.AddPart("ppt/media/poster.png", ReadFile(In("poster.png")), "image/png");
    return Saved("video.pptx", writer);
  }();
  return path;
}

double Rms(const std::vector<float>& sound, size_t from, size_t to) {
  to = std::min(to, sound.size());
  if (from >= to) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += double(sound[i]) * sound[i];
  return std::sqrt(sum / double(to - from));
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
  // Slides 1 and 3 (slide 2 is hidden), each its length plus the hold.
  const std::vector<uint32_t> lengths = Lengths(FadeDeck());
  ASSERT_EQ(lengths.size(), 3u);
  const double seconds = (lengths[0] + kHold + lengths[2] + kHold) / 1000.0;
  const size_t firstOfSlide3 = static_cast<size_t>(std::ceil((lengths[0] + kHold) * kFps / 1000.0));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const std::string file = In("fade." + c.extension);
    Result run = MakeVideo(FadeDeck(), file);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("wrote " + file), std::string::npos) << run.out;
    // Drawing and encoding on one thread give the same bytes.
    Result alone = MakeVideo(FadeDeck(), In("alone." + c.extension), "--jobs 1");
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(ReadFile(In("alone." + c.extension)), ReadFile(file));
    Media media = ReadBack(file);
    ASSERT_TRUE(media.error.empty()) << media.error;
    EXPECT_EQ(media.streams, c.streams);
    EXPECT_EQ(media.width, kWidth);
    EXPECT_EQ(media.height, kHeight);
    const double frame = 1.0 / kFps;
    if (c.extension == "gif") {
      // Each frame waits 1/25 s (4 hundredths) for every frame it stands
      // for: the held frames are one frame with a longer delay.
      int64_t total = 0;
      for (int64_t delay : media.delays) {
        EXPECT_EQ(delay % 4, 0) << delay;
        total += delay;
      }
      EXPECT_NEAR(total / 100.0, seconds, frame);
      EXPECT_LT(media.delays.size(), firstOfSlide3);
      EXPECT_GE(media.delays.back(), 4);
      continue;
    }
    EXPECT_NEAR(media.rgb.size() * frame, seconds, frame);
    ASSERT_GT(media.rgb.size(), firstOfSlide3);
    EXPECT_EQ(av_cmp_q(media.rate, AVRational{kFps, 1}), 0);
    EXPECT_NEAR(media.duration, seconds, frame);
    // The first frame, one in the middle of the fade, the held end of slide
    // 1 and slide 3 against the renderer's frames at the same times.
    const uint32_t mid = 320;
    const std::vector<std::pair<size_t, std::vector<uint8_t>>> samples = {
        {0, Reference(FadeDeck(), 0, 0)},
        {mid * kFps / 1000, Reference(FadeDeck(), 0, mid)},
        {firstOfSlide3 - 1, Reference(FadeDeck(), 0, lengths[0])},
        {firstOfSlide3 + 1, Reference(FadeDeck(), 2, 1000 / kFps)},
    };
    for (const auto& sample : samples)
      EXPECT_GE(Psnr(media.rgb[sample.first], sample.second), 35.0) << "frame " << sample.first;
  }
}

TEST_F(VideoCommand, SoundsStartOnTheirStepsFrame) {
  struct Case {
    std::string deck, said;
  };
  // The tone of an effect, and the tone of an audio shape that a click plays.
  for (const Case& c :
       {Case{SoundDeck(), "\"ppt/media/tone.wav\""}, Case{MediaDeck(), "1 audio shape playing"}}) {
    SCOPED_TRACE(c.deck);
    const uint32_t start = SecondStep(c.deck);
    ASSERT_GE(start, 200u);

    const std::string file = c.deck + ".mp4";
    Result run = MakeVideo(c.deck, file);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(", 1 sound\n"), std::string::npos) << run.out;
    Media media = ReadBack(file);
    ASSERT_GT(media.sampleRate, 0);
    const size_t at = static_cast<size_t>(start) * media.sampleRate / 1000;
    const size_t frame = static_cast<size_t>(media.sampleRate / kFps);
    EXPECT_LT(Rms(media.sound, 0, at - frame), 0.002);
    EXPECT_GT(Rms(media.sound, at, at + frame), 0.1);
    EXPECT_GT(Rms(media.sound, at + 5 * frame, at + 6 * frame), 0.1);
    // The tones end: 0.5 s, and 0.6 s less the 100 ms trimmed from the start.
    EXPECT_LT(Rms(media.sound, at + 14 * frame, media.sound.size()), 0.002);
  }

  Result silent = MakeVideo(SoundDeck(), In("silent.mp4"), "--no-audio");
  ASSERT_EQ(silent.status, 0) << silent.err;
  EXPECT_EQ(ReadBack(In("silent.mp4")).streams, std::vector<std::string>{"video h264"});
}

TEST_F(VideoCommand, TransitionsStopTheSoundsPlayingOrStartTheirOwn) {
  const std::vector<uint32_t> lengths = Lengths(TransitionDeck());
  ASSERT_EQ(lengths.size(), 3u);
  const std::string file = In("transition.mp4");
  Result run = MakeVideo(TransitionDeck(), file);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("transition sound \"ppt/media/tone.wav\""), std::string::npos) << run.out;
  Media media = ReadBack(file);
  ASSERT_GT(media.sampleRate, 0);
  const size_t frame = static_cast<size_t>(media.sampleRate / kFps);
  auto sample = [&](uint32_t ms) { return static_cast<size_t>(ms) * media.sampleRate / 1000; };
  const size_t second = sample(lengths[0] + kHold) + frame;  // within a frame of the start
  const size_t third = sample(lengths[0] + kHold + lengths[1] + kHold) + frame;
  EXPECT_GT(Rms(media.sound, second - 3 * frame, second - 2 * frame), 0.1);
  EXPECT_LT(Rms(media.sound, second + frame, third - 2 * frame), 0.002);
  EXPECT_GT(Rms(media.sound, third, third + frame), 0.1);
}

TEST_F(VideoCommand, AVideoShapeShowsItsPosterThenItsPictures) {
  const size_t start = SecondStep(VideoDeck()) * kFps / 1000;
  ASSERT_GE(start, 1u);

  const std::string file = In("video.mp4");
  Result run = MakeVideo(VideoDeck(), file);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
  Media media = ReadBack(file);
  ASSERT_GT(media.rgb.size(), start + 2);
  // The middle of the shape: red before the click, green from it on.
  auto centre = [&](size_t frame) {
    const size_t at = (static_cast<size_t>(kHeight / 2) * kWidth + kWidth / 2) * 3;
    return std::vector<int>{media.rgb[frame][at], media.rgb[frame][at + 1]};
  };
  EXPECT_GT(centre(start - 1)[0], 150);
  EXPECT_LT(centre(start - 1)[1], 60);
  EXPECT_LT(centre(start + 1)[0], 60);
  EXPECT_GT(centre(start + 1)[1], 150);
}

TEST_F(VideoCommand, RefusalsAndFailuresLeaveNoFile) {
  Result avi = MakeVideo(FadeDeck(), In("out.avi"));
  EXPECT_EQ(avi.status, 2);
  EXPECT_NE(avi.err.find(".mp4"), std::string::npos) << avi.err;
  EXPECT_NE(avi.err.find(".webm"), std::string::npos) << avi.err;
  EXPECT_NE(avi.err.find(".gif"), std::string::npos) << avi.err;
  EXPECT_EQ(std::count(avi.err.begin(), avi.err.end(), '\n'), 1) << avi.err;
  EXPECT_FALSE(fs::exists(In("out.avi")));

  // A folder in the way of the output: the video is made, then cannot take
  // its place; nothing is left behind.
  const fs::path folder = kScratch->Path() / "failures";
  fs::create_directories(folder / "taken.mp4" / "inside");
  Result taken = MakeVideo(FadeDeck(), (folder / "taken.mp4").string());
  EXPECT_EQ(taken.status, 1) << taken.err;
  // A file where the folder should be.
  std::ofstream((folder / "file").string()).put('\n');
  Result noFolder = MakeVideo(FadeDeck(), (folder / "file" / "out.mp4").string());
  EXPECT_EQ(noFolder.status, 1) << noFolder.err;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"file", "taken.mp4"}));

  // A deck that cannot be read.
  Result broken = MakeVideo(In("missing.pptx"), In("missing.mp4"));
  EXPECT_NE(broken.status, 0);
  EXPECT_FALSE(fs::exists(In("missing.mp4")));
}

}  // namespace
