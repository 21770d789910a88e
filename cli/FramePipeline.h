// Plays slides into images on every core, with the same bytes whatever the
// number of threads:
// - a slide's frames are worked out and drawn in time order, by one thread
//   at a time (a slide's screen state follows from the frames before it);
// - the frame state of every slide is worked out under one process-wide lock
//   (FrameStateLock): the random filters reseed the C runtime's random
//   numbers on every frame, and preparing a slide adds to the process-wide
//   web description;
// - drawing happens outside the lock, on a renderer per thread;
// - work without an order of its own (compressing a PNG file) is posted as a
//   task that any free thread runs; while twice as many tasks as threads
//   wait, threads take tasks before new frames, so memory stays bounded.
// Slides are started lowest first, so only about as many slides as threads
// are open at a time, and slides built when they start are built in order.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "cli/SlidePlayer.h"
#include "publisher/TextLayout.h"
#include "render/Image.h"

namespace cli {

struct PipelineSlide {
  SlidePlayer* player = nullptr;
  // Without a player: makes it when the slide's first frame is due, under the
  // frame state lock, so that only the slides being drawn are built.
  std::function<SlidePlayer*()> open;
  std::vector<uint32_t> times;  // ms, in the order the frames are made
  int width = 0, height = 0;    // of the images; no image when either is not positive
  bool collectSounds = false;
  std::vector<SoundStart> sounds;  // the sounds that start, when collected
};

class FramePipeline {
 public:
  // `jobs` threads, the caller's included; 0 for DefaultJobs(). Text that
  // animations change is laid out again with `measurer`.
  FramePipeline(unsigned jobs, const boost::shared_ptr<platform::ITextMeasurer>& measurer);
  FramePipeline(const FramePipeline&) = delete;
  FramePipeline& operator=(const FramePipeline&) = delete;

  // Gets frame `frame` of slide `slide` with its image (null without a
  // size), on the thread that drew it; a slide's frames come in order.
  using FrameFn =
      std::function<void(size_t slide, size_t frame, std::shared_ptr<const render::Image> image)>;
  // Called once after a slide's last frame, under the frame state lock: the
  // place to read what the slide still knows and let its player go.
  using SlideFn = std::function<void(size_t slide)>;

  // Plays every slide and runs every posted task; returns when all are done.
  // False when a task failed: then no new frames are started and Failure()
  // names it. An exception on any thread comes out of Run.
  bool Run(std::vector<PipelineSlide>& slides, const FrameFn& onFrame,
           const SlideFn& onSlideDone = SlideFn());
  // Queues `task`; when it returns false the run fails with `what`.
  void Post(std::function<bool()> task, const std::string& what);
  std::string Failure() const;

  unsigned Jobs() const { return jobs_; }
  // The processors there are, at most 8.
  static unsigned DefaultJobs();
  // Held while any slide's frame state is worked out.
  static std::mutex& FrameStateLock();

 private:
  struct Task {
    std::function<bool()> run;
    std::string what;
  };
  void Work();
  // The slide whose next frame can be made now, or -1.
  long NextSlide() const;

  unsigned jobs_;
  boost::shared_ptr<platform::ITextMeasurer> measurer_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Task> tasks_;
  size_t busyTasks_ = 0;
  std::string failure_;
  std::exception_ptr error_;
  // The run's slides: the next frame of each and whether a thread has it.
  std::vector<PipelineSlide>* slides_ = nullptr;
  const FrameFn* onFrame_ = nullptr;
  const SlideFn* onSlideDone_ = nullptr;
  std::vector<size_t> next_;
  std::vector<char> drawing_;
};

}  // namespace cli
