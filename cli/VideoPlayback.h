// Plays an embedded video into a rectangle of the output frames: its pictures
// are decoded in order as the video's time goes on, scaled to the rectangle,
// and only the current one is kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/MemoryInput.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace cli {

class VideoPlayback {
 public:
  VideoPlayback() = default;
  ~VideoPlayback();
  VideoPlayback(const VideoPlayback&) = delete;
  VideoPlayback& operator=(const VideoPlayback&) = delete;

  // Takes the file's bytes; its pictures come out `width` x `height`. False
  // with a one-line reason when it holds no video that can be decoded.
  bool Open(std::string bytes, int width, int height, std::string& error);

  // The picture shown `ms` into the video (cairo ARGB32 rows, Width() * 4
  // bytes each), decoding forward to it: the last one once the video has
  // ended, null before the first. Times must not go back.
  const uint8_t* PictureAt(double ms);
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  bool Decode();  // the next picture into next_; false at the end

  std::string bytes_;
  MemoryInput input_;
  AVCodecContext* codec_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  int stream_ = -1;
  double timeBase_ = 0;  // ms per pts unit
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> current_, next_;
  double currentMs_ = -1, nextMs_ = -1;
  bool hasNext_ = false, draining_ = false;
};

}  // namespace cli
