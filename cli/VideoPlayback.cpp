#include "cli/VideoPlayback.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace cli {

VideoPlayback::~VideoPlayback() {
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  sws_freeContext(scaler_);
  avcodec_free_context(&codec_);
}

bool VideoPlayback::Open(std::string bytes, int width, int height, std::string& error) {
  bytes_ = std::move(bytes);
  width_ = width;
  height_ = height;
  if (width <= 0 || height <= 0) {
    error = "it has no area on the frame";
    return false;
  }
  if (!input_.Open(bytes_, error)) return false;
  AVFormatContext* format = input_.Format();
  const AVCodec* decoder = nullptr;
  stream_ = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
  if (stream_ < 0 || !decoder) {
    error = "it has no video that can be decoded";
    return false;
  }
  codec_ = avcodec_alloc_context3(decoder);
  if (!codec_ || avcodec_parameters_to_context(codec_, format->streams[stream_]->codecpar) < 0) {
    error = "out of memory";
    return false;
  }
  codec_->thread_count = 1;
  if (avcodec_open2(codec_, decoder, nullptr) < 0) {
    error = "cannot start its decoder";
    return false;
  }
  timeBase_ = av_q2d(format->streams[stream_]->time_base) * 1000.0;
  packet_ = av_packet_alloc();
  frame_ = av_frame_alloc();
  if (!packet_ || !frame_) {
    error = "out of memory";
    return false;
  }
  hasNext_ = Decode();
  if (!hasNext_) {
    error = "it has no picture that can be decoded";
    return false;
  }
  return true;
}

bool VideoPlayback::Decode() {
  for (;;) {
    const int code = avcodec_receive_frame(codec_, frame_);
    if (code >= 0) {
      scaler_ = sws_getCachedContext(scaler_, frame_->width, frame_->height,
                                     static_cast<AVPixelFormat>(frame_->format), width_, height_,
                                     AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr);
      if (!scaler_) return false;
      next_.resize(static_cast<size_t>(width_) * height_ * 4);
      uint8_t* planes[1] = {next_.data()};
      const int strides[1] = {width_ * 4};
      sws_scale(scaler_, frame_->data, frame_->linesize, 0, frame_->height, planes, strides);
      const int64_t pts = frame_->best_effort_timestamp;
      nextMs_ = pts == AV_NOPTS_VALUE ? (nextMs_ < 0 ? 0 : nextMs_) : pts * timeBase_;
      av_frame_unref(frame_);
      return true;
    }
    if (code == AVERROR_EOF || draining_) return false;
    if (code != AVERROR(EAGAIN)) return false;
    // Feed the decoder the next packet of the video stream.
    for (;;) {
      if (av_read_frame(input_.Format(), packet_) < 0) {
        draining_ = true;
        avcodec_send_packet(codec_, nullptr);
        break;
      }
      const bool ours = packet_->stream_index == stream_;
      const int sent = ours ? avcodec_send_packet(codec_, packet_) : 0;
      av_packet_unref(packet_);
      if (ours && sent >= 0) break;
    }
  }
}

const uint8_t* VideoPlayback::PictureAt(double ms) {
  while (hasNext_ && nextMs_ <= ms) {
    current_.swap(next_);
    currentMs_ = nextMs_;
    hasNext_ = Decode();
  }
  // After the last picture the video stands on it.
  return currentMs_ < 0 ? nullptr : current_.data();
}

}  // namespace cli
