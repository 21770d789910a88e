#include "cli/VideoProgress.h"

#include <cinttypes>
#include <cstdio>
#include <string>

namespace cli {

VideoProgress::VideoProgress(std::ostream& err, bool shown, uint64_t total)
    : err_(err), shown_(shown), total_(total), begin_(Clock::now()), last_(begin_) {}

void VideoProgress::Update(uint64_t done) {
  if (!shown_) return;
  const auto now = Clock::now();
  if (done != total_ && now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  const double seconds = std::chrono::duration<double>(now - begin_).count();
  const double speed = seconds > 0 ? done / seconds : 0.0;
  char line[128];
  std::snprintf(line, sizeof line, "\rframe %" PRIu64 " of %" PRIu64 ", %.1f fps, %.0f s left   ",
                done, total_, speed, speed > 0 ? (total_ - done) / speed : 0.0);
  err_ << line << std::flush;
  drawn_ = true;
}

void VideoProgress::Clear() {
  if (drawn_) err_ << "\r" << std::string(72, ' ') << "\r" << std::flush;
  drawn_ = false;
}

}  // namespace cli
