#include "cli/MemoryInput.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace cli {

MemoryInput::~MemoryInput() {
  avformat_close_input(&format_);
  if (io_) av_freep(&io_->buffer);
  avio_context_free(&io_);
}

int MemoryInput::Read(void* opaque, uint8_t* buffer, int size) {
  auto* input = static_cast<MemoryInput*>(opaque);
  const int64_t left = static_cast<int64_t>(input->bytes_->size()) - input->position_;
  if (left <= 0) return AVERROR_EOF;
  const int n = static_cast<int>(std::min<int64_t>(left, size));
  std::memcpy(buffer, input->bytes_->data() + input->position_, static_cast<size_t>(n));
  input->position_ += n;
  return n;
}

int64_t MemoryInput::Seek(void* opaque, int64_t offset, int whence) {
  auto* input = static_cast<MemoryInput*>(opaque);
  const int64_t size = static_cast<int64_t>(input->bytes_->size());
  if (whence & AVSEEK_SIZE) return size;
  whence &= ~AVSEEK_FORCE;
  const int64_t target = whence == SEEK_SET   ? offset
                         : whence == SEEK_CUR ? input->position_ + offset
                         : whence == SEEK_END ? size + offset
                                              : -1;
  if (target < 0 || target > size) return AVERROR(EINVAL);
  input->position_ = target;
  return target;
}

bool MemoryInput::Open(const std::string& bytes, std::string& error) {
  bytes_ = &bytes;
  position_ = 0;
  const int bufferSize = 1 << 16;
  auto* buffer = static_cast<unsigned char*>(av_malloc(bufferSize));
  if (buffer) io_ = avio_alloc_context(buffer, bufferSize, 0, this, &Read, nullptr, &Seek);
  if (!io_) {
    av_free(buffer);
    error = "out of memory";
    return false;
  }
  format_ = avformat_alloc_context();
  if (!format_) {
    error = "out of memory";
    return false;
  }
  format_->pb = io_;
  format_->flags |= AVFMT_FLAG_CUSTOM_IO;
  int code = avformat_open_input(&format_, nullptr, nullptr, nullptr);
  if (code < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {0};
    av_strerror(code, text, sizeof text);
    error = std::string("not a media file that can be read (") + text + ")";
    return false;  // the context is freed
  }
  if (avformat_find_stream_info(format_, nullptr) < 0) {
    error = "cannot read its streams";
    return false;
  }
  return true;
}

}  // namespace cli
