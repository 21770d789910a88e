// Writes a video file through FFmpeg's libraries: .mp4 is H.264 (yuv420p)
// with AAC sound, .webm VP9 with Opus sound, .gif a picture per frame with
// its own palette (made and applied by libavfilter's palette filters) and
// frame delays, no sound; a GIF frame the same as the one before it only
// lengthens that one's delay. Frames arrive as cairo ARGB32 pixels and
// sound as interleaved stereo float samples at 48 kHz; both are encoded as
// they come, nothing is kept beyond the codecs' own buffers.
//
// The encoders run with a fixed thread count, so the same frames give the
// same bytes whatever the caller does around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFilterContext;
struct AVFilterGraph;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwrContext;
struct SwsContext;

namespace cli {

enum class VideoFormat { Mp4, WebM, Gif };

// The format that a file name's extension asks for (case-insensitive); false
// for any other extension.
bool VideoFormatFor(const std::string& path, VideoFormat& format);
// "mp4, webm or gif": the extensions accepted, for messages.
const char* VideoExtensions();

struct VideoSettings {
  VideoFormat format = VideoFormat::Mp4;
  int width = 0, height = 0;  // made even for mp4 and webm
  uint32_t fps = 30;
  int quality = 75;   // 0 to 100, higher is better
  bool audio = true;  // no effect on gif
};

class VideoEncoder {
 public:
  static constexpr int kSampleRate = 48000;
  static constexpr int kChannels = 2;

  VideoEncoder() = default;
  ~VideoEncoder();
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;

  // Creates `path` and writes the header. False with Error() set on failure;
  // the caller removes the file.
  bool Open(const std::string& path, const VideoSettings& settings);
  // The frame size actually encoded (even for mp4 and webm).
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasAudio() const { return audio_ != nullptr; }

  // The next frame: cairo ARGB32 pixels (B, G, R, A bytes) of the size given
  // to Open, `stride` bytes a row.
  bool AddFrame(const uint8_t* pixels, int stride);
  // The next `frames` sample frames (left, right, left, ...); ignored when
  // the file has no sound.
  bool AddAudio(const float* samples, size_t frames);
  // Flushes the encoders and writes the trailer.
  bool Finish();

  const std::string& Error() const { return error_; }

 private:
  bool OpenVideo(const VideoSettings& settings);
  bool OpenAudio(VideoFormat format);
  bool OpenPalette(uint32_t fps);
  bool AddPaletteFrame(const uint8_t* pixels, int stride);
  bool SendPalettePicture(int64_t pts);  // previous_, at `pts`
  bool DrainPalette();
  bool EncodeAudioFrame(const float* samples, int count);
  bool Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame);
  bool Fail(const std::string& what, int code);
  void Close();

  std::string error_;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* video_ = nullptr;
  AVCodecContext* audio_ = nullptr;
  AVStream* videoStream_ = nullptr;
  AVStream* audioStream_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AVFilterGraph* palette_ = nullptr;  // gif: frames in, palette pictures out
  AVFilterContext* paletteIn_ = nullptr;
  AVFilterContext* paletteOut_ = nullptr;
  AVFrame* filtered_ = nullptr;
  std::vector<uint8_t> previous_;  // gif: the last frame given, B, G, R, A rows
  bool repeated_ = false;          // gif: frames like it were left out since
  SwrContext* resampler_ = nullptr;
  AVFrame* picture_ = nullptr;
  AVFrame* sound_ = nullptr;
  AVPacket* packet_ = nullptr;
  std::vector<float> pending_;  // sound samples not yet a whole codec frame
  int64_t videoPts_ = 0;
  int64_t audioPts_ = 0;
  int width_ = 0, height_ = 0;
  bool headerWritten_ = false;
  bool fileOpen_ = false;
};

}  // namespace cli
