#include "cli/PngWriter.h"

#include <algorithm>
#include <system_error>

namespace cli {

PngWriter::PngWriter(unsigned jobs) {
  for (unsigned i = 0; jobs > 1 && i < jobs; ++i) {
    try {
      threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      break;  // write with the threads there are, or on the caller's thread
    }
  }
  limit_ = 2 * threads_.size();
}

PngWriter::~PngWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  ready_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

unsigned PngWriter::DefaultJobs() {
  return std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
}

void PngWriter::Write(std::shared_ptr<const render::Image> image, const std::string& path) {
  if (threads_.empty()) {
    const bool written = image && image->Valid() && image->WritePng(path);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!written && failed_.empty()) failed_ = path;
    return;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  room_.wait(lock, [this] { return queue_.size() < limit_; });
  queue_.push_back(Job{std::move(image), path});
  lock.unlock();
  ready_.notify_one();
}

void PngWriter::Work() {
  for (;;) {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, and nothing left to write
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++busy_;
    lock.unlock();
    room_.notify_one();
    const bool written = job.image && job.image->Valid() && job.image->WritePng(job.path);
    job.image.reset();
    lock.lock();
    if (!written && failed_.empty()) failed_ = job.path;
    --busy_;
    lock.unlock();
    room_.notify_all();
  }
}

bool PngWriter::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  room_.wait(lock, [this] { return queue_.empty() && busy_ == 0; });
  return failed_.empty();
}

bool PngWriter::Failed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !failed_.empty();
}

std::string PngWriter::FailedPath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

}  // namespace cli
