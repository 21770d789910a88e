#include "cli/FrameTimes.h"

#include <cstddef>

namespace cli {

uint64_t FrameCount(uint32_t from, uint32_t to, uint32_t fps) {
  if (to < from || fps == 0) return 0;
  // i * 1000 / fps <= to - from  <=>  i * 1000 < (to - from + 1) * fps.
  const uint64_t span = static_cast<uint64_t>(to - from) + 1;
  return (span * fps + 999) / 1000;
}

std::vector<uint32_t> FrameTimes(uint32_t from, uint32_t to, uint32_t fps) {
  std::vector<uint32_t> times;
  const uint64_t count = FrameCount(from, to, fps);
  times.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i)
    times.push_back(from + static_cast<uint32_t>(i * 1000 / fps));
  return times;
}

uint64_t FrameIndexAt(uint32_t t, uint32_t fps) {
  return fps == 0 ? 0 : FrameCount(0, t, fps) - 1;
}

std::vector<uint32_t> SpreadTimes(uint32_t length, uint32_t count) {
  if (length == 0 || count <= 1) return {0};
  std::vector<uint32_t> times;
  times.reserve(count);
  for (uint32_t k = 0; k < count; ++k) {
    const uint32_t t =
        static_cast<uint32_t>((static_cast<uint64_t>(length) * k + (count - 1) / 2) / (count - 1));
    if (times.empty() || times.back() != t) times.push_back(t);
  }
  return times;
}

}  // namespace cli
