#include "cli/VideoEncoder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace cli {

namespace {

// Threads each encoder runs with: fixed, so that the bytes do not depend on
// the machine or on the command's own threads.
constexpr int kEncoderThreads = 2;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {0};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

bool VideoFormatFor(const std::string& path, VideoFormat& format) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string extension = Lower(path.substr(dot + 1));
  if (extension == "mp4")
    format = VideoFormat::Mp4;
  else if (extension == "webm")
    format = VideoFormat::WebM;
  else if (extension == "gif")
    format = VideoFormat::Gif;
  else
    return false;
  return true;
}

const char* VideoExtensions() {
  return ".mp4 (H.264 and AAC), .webm (VP9 and Opus) or .gif";
}

VideoEncoder::~VideoEncoder() {
  Close();
}

void VideoEncoder::Close() {
  if (format_ && fileOpen_) avio_closep(&format_->pb);
  fileOpen_ = false;
  avformat_free_context(format_);
  format_ = nullptr;
  avcodec_free_context(&video_);
  avcodec_free_context(&audio_);
  sws_freeContext(scaler_);
  scaler_ = nullptr;
  swr_free(&resampler_);
  avfilter_graph_free(&palette_);
  av_frame_free(&filtered_);
  av_frame_free(&picture_);
  av_frame_free(&sound_);
  av_packet_free(&packet_);
}

bool VideoEncoder::Fail(const std::string& what, int code) {
  error_ = code ? what + " (" + AvError(code) + ")" : what;
  return false;
}

bool VideoEncoder::Open(const std::string& path, const VideoSettings& settings) {
  const char* muxer = settings.format == VideoFormat::Mp4    ? "mp4"
                      : settings.format == VideoFormat::WebM ? "webm"
                                                             : "gif";
  // The file name stays with the writer: the MP4 writer opens the file again
  // to move its index to the front.
  int code = avformat_alloc_output_context2(&format_, nullptr, muxer, path.c_str());
  if (code < 0 || !format_) return Fail(std::string("no ") + muxer + " writer", code);
  // No random ids nor version strings: the same frames give the same bytes.
  format_->flags |= AVFMT_FLAG_BITEXACT;
  packet_ = av_packet_alloc();
  if (!packet_) return Fail("out of memory", 0);
  if (!OpenVideo(settings)) return false;
  if (settings.audio && settings.format != VideoFormat::Gif && !OpenAudio(settings.format))
    return false;

  code = avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE);
  if (code < 0) return Fail("cannot create the file", code);
  fileOpen_ = true;
  AVDictionary* options = nullptr;
  if (settings.format == VideoFormat::Mp4) av_dict_set(&options, "movflags", "+faststart", 0);
  // The last GIF frame lasts one frame.
  if (settings.format == VideoFormat::Gif)
    av_dict_set_int(&options, "final_delay", std::lround(100.0 / settings.fps), 0);
  code = avformat_write_header(format_, &options);
  av_dict_free(&options);
  if (code < 0) return Fail("cannot write the header", code);
  headerWritten_ = true;
  return true;
}

bool VideoEncoder::OpenVideo(const VideoSettings& settings) {
  const bool gif = settings.format == VideoFormat::Gif;
  const char* name = settings.format == VideoFormat::Mp4    ? "libx264"
                     : settings.format == VideoFormat::WebM ? "libvpx-vp9"
                                                            : "gif";
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (!codec) return Fail(std::string("this FFmpeg has no ") + name + " encoder", 0);
  video_ = avcodec_alloc_context3(codec);
  if (!video_) return Fail("out of memory", 0);
  // yuv420p halves the chroma planes: the picture's size must be even.
  width_ = gif ? settings.width : std::max(2, settings.width & ~1);
  height_ = gif ? settings.height : std::max(2, settings.height & ~1);
  video_->width = width_;
  video_->height = height_;
  video_->time_base = AVRational{1, static_cast<int>(settings.fps)};
  video_->framerate = AVRational{static_cast<int>(settings.fps), 1};
  video_->pix_fmt = gif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_YUV420P;
  video_->thread_count = gif ? 1 : kEncoderThreads;
  video_->gop_size = static_cast<int>(settings.fps) * 10;
  if (format_->oformat->flags & AVFMT_GLOBALHEADER) video_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const double q = std::min(100, std::max(0, settings.quality));
  AVDictionary* options = nullptr;
  if (settings.format == VideoFormat::Mp4) {
    av_dict_set(&options, "preset", "veryfast", 0);
    av_dict_set_int(&options, "crf", std::lround(45.0 - 0.35 * q), 0);
  } else if (settings.format == VideoFormat::WebM) {
    video_->bit_rate = 0;
    av_dict_set_int(&options, "crf", std::lround(60.0 - 0.45 * q), 0);
    av_dict_set(&options, "deadline", "realtime", 0);
    av_dict_set_int(&options, "cpu-used", 8, 0);
    av_dict_set_int(&options, "row-mt", 1, 0);
  } else {
    // Each frame has its own palette: pixels left as they were cannot be
    // made transparent, a frame keeps the rectangle that changed.
    av_dict_set(&options, "gifflags", "offsetting", 0);
  }
  int code = avcodec_open2(video_, codec, &options);
  av_dict_free(&options);
  if (code < 0) return Fail(std::string("cannot start the ") + name + " encoder", code);

  videoStream_ = avformat_new_stream(format_, nullptr);
  if (!videoStream_) return Fail("out of memory", 0);
  videoStream_->time_base = gif ? AVRational{1, 100} : video_->time_base;
  videoStream_->avg_frame_rate = video_->framerate;
  code = avcodec_parameters_from_context(videoStream_->codecpar, video_);
  if (code < 0) return Fail("cannot describe the video stream", code);

  picture_ = av_frame_alloc();
  if (!picture_) return Fail("out of memory", 0);
  if (gif) return OpenPalette(settings.fps);
  picture_->format = video_->pix_fmt;
  picture_->width = width_;
  picture_->height = height_;
  code = av_frame_get_buffer(picture_, 0);
  if (code < 0) return Fail("out of memory", code);

  scaler_ = sws_alloc_context();
  if (!scaler_) return Fail("out of memory", 0);
  av_opt_set_int(scaler_, "srcw", width_, 0);
  av_opt_set_int(scaler_, "srch", height_, 0);
  av_opt_set_int(scaler_, "src_format", AV_PIX_FMT_BGRA, 0);
  av_opt_set_int(scaler_, "dstw", width_, 0);
  av_opt_set_int(scaler_, "dsth", height_, 0);
  av_opt_set_int(scaler_, "dst_format", video_->pix_fmt, 0);
  av_opt_set_int(scaler_, "sws_flags", SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, 0);
  code = sws_init_context(scaler_, nullptr, nullptr);
  if (code < 0) return Fail("cannot convert the frames", code);
  return true;
}

bool VideoEncoder::OpenPalette(uint32_t fps) {
  // Frames go in as they are drawn; each comes out with a palette made for it.
  picture_->format = AV_PIX_FMT_BGRA;
  picture_->width = width_;
  picture_->height = height_;
  int code = av_frame_get_buffer(picture_, 0);
  if (code < 0) return Fail("out of memory", code);
  filtered_ = av_frame_alloc();
  palette_ = avfilter_graph_alloc();
  if (!filtered_ || !palette_) return Fail("out of memory", 0);
  palette_->nb_threads = 1;
  const std::string source = "video_size=" + std::to_string(width_) + "x" +
                             std::to_string(height_) +
                             ":pix_fmt=" + std::to_string(static_cast<int>(AV_PIX_FMT_BGRA)) +
                             ":time_base=1/" + std::to_string(fps) + ":pixel_aspect=1/1";
  code = avfilter_graph_create_filter(&paletteIn_, avfilter_get_by_name("buffer"), "in",
                                      source.c_str(), nullptr, palette_);
  if (code >= 0)
    code = avfilter_graph_create_filter(&paletteOut_, avfilter_get_by_name("buffersink"), "out",
                                        nullptr, nullptr, palette_);
  if (code < 0) return Fail("cannot make the GIF palettes", code);
  const AVPixelFormat formats[] = {AV_PIX_FMT_PAL8, AV_PIX_FMT_NONE};
  code = av_opt_set_int_list(paletteOut_, "pix_fmts", formats, AV_PIX_FMT_NONE,
                             AV_OPT_SEARCH_CHILDREN);
  AVFilterInOut* outputs = avfilter_inout_alloc();
  AVFilterInOut* inputs = avfilter_inout_alloc();
  if (code >= 0 && outputs && inputs) {
    outputs->name = av_strdup("in");
    outputs->filter_ctx = paletteIn_;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = paletteOut_;
    code = avfilter_graph_parse_ptr(
        palette_, "split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1", &inputs,
        &outputs, nullptr);
    if (code >= 0) code = avfilter_graph_config(palette_, nullptr);
  } else if (code >= 0) {
    code = AVERROR(ENOMEM);
  }
  avfilter_inout_free(&inputs);
  avfilter_inout_free(&outputs);
  if (code < 0) return Fail("cannot make the GIF palettes", code);
  return true;
}

bool VideoEncoder::AddPaletteFrame(const uint8_t* pixels, int stride) {
  // A frame the same as the one before lengthens that one's delay instead.
  const size_t row = static_cast<size_t>(width_) * 4;
  bool same = !previous_.empty();
  for (int y = 0; same && y < height_; ++y)
    same = std::memcmp(pixels + static_cast<ptrdiff_t>(y) * stride, previous_.data() + y * row,
                       row) == 0;
  if (same) {
    ++videoPts_;
    repeated_ = true;
    return true;
  }
  previous_.resize(row * static_cast<size_t>(height_));
  for (int y = 0; y < height_; ++y)
    std::memcpy(previous_.data() + y * row, pixels + static_cast<ptrdiff_t>(y) * stride, row);
  repeated_ = false;
  return SendPalettePicture(videoPts_++);
}

bool VideoEncoder::SendPalettePicture(int64_t pts) {
  int code = av_frame_make_writable(picture_);
  if (code < 0) return Fail("out of memory", code);
  const size_t row = static_cast<size_t>(width_) * 4;
  for (int y = 0; y < height_; ++y)
    std::memcpy(picture_->data[0] + static_cast<ptrdiff_t>(y) * picture_->linesize[0],
                previous_.data() + y * row, row);
  picture_->pts = pts;
  code = av_buffersrc_add_frame_flags(paletteIn_, picture_, AV_BUFFERSRC_FLAG_KEEP_REF);
  if (code < 0) return Fail("cannot make the GIF palettes", code);
  return DrainPalette();
}

bool VideoEncoder::DrainPalette() {
  for (;;) {
    int code = av_buffersink_get_frame(paletteOut_, filtered_);
    if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
    if (code < 0) return Fail("cannot make the GIF palettes", code);
    const bool sent = Send(video_, videoStream_, filtered_);
    av_frame_unref(filtered_);
    if (!sent) return false;
  }
}

bool VideoEncoder::OpenAudio(VideoFormat format) {
  const char* name = format == VideoFormat::Mp4 ? "aac" : "libopus";
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (!codec) return Fail(std::string("this FFmpeg has no ") + name + " encoder", 0);
  audio_ = avcodec_alloc_context3(codec);
  if (!audio_) return Fail("out of memory", 0);
  // The first sample format the encoder takes; the resampler converts to it.
  audio_->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
  audio_->sample_rate = kSampleRate;
  av_channel_layout_default(&audio_->ch_layout, kChannels);
  audio_->bit_rate = format == VideoFormat::Mp4 ? 160000 : 128000;
  audio_->time_base = AVRational{1, kSampleRate};
  audio_->thread_count = 1;
  if (format_->oformat->flags & AVFMT_GLOBALHEADER) audio_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  int code = avcodec_open2(audio_, codec, nullptr);
  if (code < 0) return Fail(std::string("cannot start the ") + name + " encoder", code);

  audioStream_ = avformat_new_stream(format_, nullptr);
  if (!audioStream_) return Fail("out of memory", 0);
  audioStream_->time_base = audio_->time_base;
  code = avcodec_parameters_from_context(audioStream_->codecpar, audio_);
  if (code < 0) return Fail("cannot describe the sound stream", code);

  code = swr_alloc_set_opts2(&resampler_, &audio_->ch_layout, audio_->sample_fmt, kSampleRate,
                             &audio_->ch_layout, AV_SAMPLE_FMT_FLT, kSampleRate, 0, nullptr);
  if (code < 0 || (code = swr_init(resampler_)) < 0) return Fail("cannot convert the sound", code);

  sound_ = av_frame_alloc();
  if (!sound_) return Fail("out of memory", 0);
  sound_->format = audio_->sample_fmt;
  sound_->sample_rate = kSampleRate;
  av_channel_layout_copy(&sound_->ch_layout, &audio_->ch_layout);
  sound_->nb_samples = audio_->frame_size > 0 ? audio_->frame_size : 1024;
  code = av_frame_get_buffer(sound_, 0);
  if (code < 0) return Fail("out of memory", code);
  return true;
}

bool VideoEncoder::Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
  int code = avcodec_send_frame(codec, frame);
  if (code < 0) return Fail("the encoder refused a frame", code);
  for (;;) {
    code = avcodec_receive_packet(codec, packet_);
    if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
    if (code < 0) return Fail("the encoder failed", code);
    av_packet_rescale_ts(packet_, codec->time_base, stream->time_base);
    packet_->stream_index = stream->index;
    code = av_interleaved_write_frame(format_, packet_);
    if (code < 0) return Fail("cannot write to the file", code);
  }
}

bool VideoEncoder::AddFrame(const uint8_t* pixels, int stride) {
  if (!headerWritten_) return Fail("the file is not open", 0);
  if (palette_) return AddPaletteFrame(pixels, stride);
  int code = av_frame_make_writable(picture_);
  if (code < 0) return Fail("out of memory", code);
  const uint8_t* source[4] = {pixels, nullptr, nullptr, nullptr};
  const int strides[4] = {stride, 0, 0, 0};
  sws_scale(scaler_, source, strides, 0, height_, picture_->data, picture_->linesize);
  picture_->pts = videoPts_++;
  return Send(video_, videoStream_, picture_);
}

bool VideoEncoder::EncodeAudioFrame(const float* samples, int count) {
  int code = av_frame_make_writable(sound_);
  if (code < 0) return Fail("out of memory", code);
  const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(samples)};
  sound_->nb_samples = count;
  code = swr_convert(resampler_, sound_->data, count, source, count);
  if (code < 0) return Fail("cannot convert the sound", code);
  sound_->pts = audioPts_;
  audioPts_ += count;
  return Send(audio_, audioStream_, sound_);
}

bool VideoEncoder::AddAudio(const float* samples, size_t frames) {
  if (!audio_) return true;
  if (!headerWritten_) return Fail("the file is not open", 0);
  const size_t size = static_cast<size_t>(audio_->frame_size > 0 ? audio_->frame_size : 1024);
  pending_.insert(pending_.end(), samples, samples + frames * kChannels);
  size_t used = 0;
  while (pending_.size() - used >= size * kChannels) {
    if (!EncodeAudioFrame(pending_.data() + used, static_cast<int>(size))) return false;
    used += size * kChannels;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

bool VideoEncoder::Finish() {
  if (!headerWritten_) return Fail("the file is not open", 0);
  if (palette_) {
    // The last frame is given again at its own time, so that the frames
    // left out before it still take their time.
    if (repeated_ && !SendPalettePicture(videoPts_ - 1)) return false;
    int code = av_buffersrc_add_frame_flags(paletteIn_, nullptr, 0);
    if (code < 0) return Fail("cannot make the GIF palettes", code);
    if (!DrainPalette()) return false;
  }
  if (!Send(video_, videoStream_, nullptr)) return false;
  if (audio_) {
    // The encoder pads a short last frame with silence.
    if (!pending_.empty() &&
        !EncodeAudioFrame(pending_.data(), static_cast<int>(pending_.size() / kChannels)))
      return false;
    pending_.clear();
    if (!Send(audio_, audioStream_, nullptr)) return false;
  }
  int code = av_write_trailer(format_);
  if (code < 0) return Fail("cannot finish the file", code);
  code = avio_closep(&format_->pb);
  fileOpen_ = false;
  if (code < 0) return Fail("cannot close the file", code);
  return true;
}

}  // namespace cli
