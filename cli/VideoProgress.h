// The progress line of `slideanim video` on a terminal: frames done of all,
// the speed in frames per second and the time left, redrawn in place at most
// four times a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace cli {

class VideoProgress {
 public:
  // Draws nothing unless `shown`.
  VideoProgress(std::ostream& err, bool shown, uint64_t total);

  void Update(uint64_t done);
  // Takes the line away, so that other output starts on a clean line.
  void Clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  bool shown_;
  uint64_t total_;
  Clock::time_point begin_, last_;
  bool drawn_ = false;
};

}  // namespace cli
