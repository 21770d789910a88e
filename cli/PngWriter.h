// Writes PNG files on worker threads while the caller draws the next frames:
// compressing a full-size frame costs many times what drawing it does. The
// caller hands over each finished image; the screen objects and the renderer
// stay on the caller's thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "render/Image.h"

namespace cli {

class PngWriter {
 public:
  // `jobs` threads; with 0 or 1, every file is written at once on the
  // caller's thread.
  explicit PngWriter(unsigned jobs);
  ~PngWriter();  // waits for the queued files
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  // Queues `image` for `path`. Waits while twice as many images as threads
  // are queued, so that memory stays bounded. The image is only read.
  void Write(std::shared_ptr<const render::Image> image, const std::string& path);
  // Waits for every queued file. False when one could not be written; then
  // FailedPath() names the first such file.
  bool Finish();
  bool Failed() const;
  std::string FailedPath() const;

  // The default number of threads: the processors there are, at most 8.
  static unsigned DefaultJobs();

 private:
  struct Job {
    std::shared_ptr<const render::Image> image;
    std::string path;
  };
  void Work();

  mutable std::mutex mutex_;
  std::condition_variable ready_;  // a job was queued, or the writer stops
  std::condition_variable room_;   // a job was taken, or one finished
  std::deque<Job> queue_;
  size_t busy_ = 0;
  size_t limit_ = 0;
  bool stopping_ = false;
  std::string failed_;
  std::vector<std::thread> threads_;
};

}  // namespace cli
