// Feeds the video encoder on its own thread while the caller draws the next
// frames, or on the caller's thread. At most a few frames wait, so memory
// stays bounded; frames are encoded in the order they are pushed.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/VideoEncoder.h"
#include "render/Image.h"

namespace cli {

// One frame for the encoder: its picture and the sound that goes with it.
struct EncodeItem {
  render::Image picture;
  std::vector<float> sound;  // interleaved stereo
};

class EncodeStage {
 public:
  EncodeStage(VideoEncoder& encoder, bool threaded);
  ~EncodeStage();
  EncodeStage(const EncodeStage&) = delete;
  EncodeStage& operator=(const EncodeStage&) = delete;

  // Hands over the next frame; false once the encoder has failed.
  bool Push(EncodeItem item);
  // Waits for the frames handed over; false when one of them failed.
  bool Stop();

 private:
  static constexpr size_t kDepth = 4;

  bool Encode(const EncodeItem& item);
  void Run();

  VideoEncoder& encoder_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable ready_, space_;
  std::deque<EncodeItem> queue_;
  bool done_ = false;
  std::atomic<bool> failed_{false};
};

}  // namespace cli
