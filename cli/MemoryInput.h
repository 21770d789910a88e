// Media bytes held in memory, opened with libavformat as if they were a
// file: the embedded sounds and videos of a deck are never written out.
#pragma once

#include <cstdint>
#include <string>

struct AVFormatContext;
struct AVIOContext;

namespace cli {

class MemoryInput {
 public:
  MemoryInput() = default;
  ~MemoryInput();
  MemoryInput(const MemoryInput&) = delete;
  MemoryInput& operator=(const MemoryInput&) = delete;

  // Opens `bytes` (kept by reference: they must outlive this object) and
  // reads the stream information. False with a one-line reason.
  bool Open(const std::string& bytes, std::string& error);
  AVFormatContext* Format() const { return format_; }

 private:
  static int Read(void* opaque, uint8_t* buffer, int size);
  static int64_t Seek(void* opaque, int64_t offset, int whence);

  const std::string* bytes_ = nullptr;
  int64_t position_ = 0;
  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
};

}  // namespace cli
