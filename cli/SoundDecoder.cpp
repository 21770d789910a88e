#include "cli/SoundDecoder.h"

#include "cli/MemoryInput.h"

#include <algorithm>
#include <cstdint>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace cli {

namespace {

// Everything one decoding holds, freed in one place.
struct Decoding {
  MemoryInput input;
  AVFormatContext* format = nullptr;  // the input's
  AVCodecContext* codec = nullptr;
  SwrContext* resampler = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* frame = nullptr;

  ~Decoding() {
    av_frame_free(&frame);
    av_packet_free(&packet);
    swr_free(&resampler);
    avcodec_free_context(&codec);
  }
};

}  // namespace

bool DecodeSound(const std::string& bytes, int sampleRate, std::vector<float>& samples,
                 std::string& error, double maxSeconds) {
  samples.clear();
  Decoding d;
  if (!d.input.Open(bytes, error)) return false;
  d.format = d.input.Format();
  const AVCodec* decoder = nullptr;
  const int stream = av_find_best_stream(d.format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
  if (stream < 0 || !decoder) {
    error = "it has no sound that can be decoded";
    return false;
  }
  d.codec = avcodec_alloc_context3(decoder);
  if (!d.codec || avcodec_parameters_to_context(d.codec, d.format->streams[stream]->codecpar) < 0 ||
      avcodec_open2(d.codec, decoder, nullptr) < 0 || d.codec->sample_rate <= 0) {
    error = "cannot start its decoder";
    return false;
  }
  AVChannelLayout in;
  if (d.codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || d.codec->ch_layout.nb_channels <= 0)
    av_channel_layout_default(&in, std::max(1, d.codec->ch_layout.nb_channels));
  else
    av_channel_layout_copy(&in, &d.codec->ch_layout);
  AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
  const int code = swr_alloc_set_opts2(&d.resampler, &out, AV_SAMPLE_FMT_FLT, sampleRate, &in,
                                       d.codec->sample_fmt, d.codec->sample_rate, 0, nullptr);
  av_channel_layout_uninit(&in);
  if (code < 0 || swr_init(d.resampler) < 0) {
    error = "cannot resample it";
    return false;
  }
  d.packet = av_packet_alloc();
  d.frame = av_frame_alloc();
  if (!d.packet || !d.frame) {
    error = "out of memory";
    return false;
  }

  const size_t limit = static_cast<size_t>(maxSeconds * sampleRate) * 2;
  auto convert = [&](const AVFrame* frame) {
    const int room = swr_get_out_samples(d.resampler, frame ? frame->nb_samples : 0);
    if (room <= 0) return true;
    const size_t at = samples.size();
    samples.resize(at + static_cast<size_t>(room) * 2);
    uint8_t* target[1] = {reinterpret_cast<uint8_t*>(samples.data() + at)};
    const int n = swr_convert(d.resampler, target, room,
                              frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr,
                              frame ? frame->nb_samples : 0);
    samples.resize(at + static_cast<size_t>(std::max(0, n)) * 2);
    return n >= 0;
  };
  auto drain = [&]() {
    for (;;) {
      int result = avcodec_receive_frame(d.codec, d.frame);
      if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
      if (result < 0) return false;
      const bool ok = convert(d.frame);
      av_frame_unref(d.frame);
      if (!ok) return false;
    }
  };
  bool broken = false;
  while (samples.size() < limit && av_read_frame(d.format, d.packet) >= 0) {
    if (d.packet->stream_index == stream) {
      // A damaged packet is skipped, as players do.
      if (avcodec_send_packet(d.codec, d.packet) >= 0 && !drain()) broken = true;
    }
    av_packet_unref(d.packet);
    if (broken) break;
  }
  avcodec_send_packet(d.codec, nullptr);
  drain();
  convert(nullptr);
  if (samples.size() > limit) samples.resize(limit);
  if (samples.empty()) {
    error = "it holds no sound";
    return false;
  }
  return true;
}

}  // namespace cli
