#include "cli/EncodeStage.h"

namespace cli {

EncodeStage::EncodeStage(VideoEncoder& encoder, bool threaded) : encoder_(encoder) {
  if (threaded) thread_ = std::thread([this] { Run(); });
}

EncodeStage::~EncodeStage() {
  Stop();
}

bool EncodeStage::Push(EncodeItem item) {
  if (!thread_.joinable()) {
    if (!failed_ && !Encode(item)) failed_ = true;
    return !failed_;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  space_.wait(lock, [this] { return queue_.size() < kDepth || failed_; });
  if (failed_) return false;
  queue_.push_back(std::move(item));
  ready_.notify_one();
  return true;
}

bool EncodeStage::Stop() {
  if (thread_.joinable()) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    ready_.notify_one();
    thread_.join();
  }
  return !failed_;
}

bool EncodeStage::Encode(const EncodeItem& item) {
  cairo_surface_t* surface = item.picture.Surface();
  cairo_surface_flush(surface);
  return encoder_.AddFrame(cairo_image_surface_get_data(surface),
                           cairo_image_surface_get_stride(surface)) &&
         encoder_.AddAudio(item.sound.data(), item.sound.size() / 2);
}

void EncodeStage::Run() {
  for (;;) {
    EncodeItem item;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      ready_.wait(lock, [this] { return !queue_.empty() || done_; });
      if (queue_.empty()) return;
      item = std::move(queue_.front());
      queue_.pop_front();
    }
    const bool ok = !failed_ && Encode(item);
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ok) failed_ = true;
    space_.notify_one();
  }
}

}  // namespace cli
