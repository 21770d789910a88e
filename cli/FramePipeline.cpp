#include "cli/FramePipeline.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "render/FrameRenderer.h"

namespace cli {

FramePipeline::FramePipeline(unsigned jobs,
                             const boost::shared_ptr<platform::ITextMeasurer>& measurer)
    : jobs_(jobs != 0 ? jobs : DefaultJobs()), measurer_(measurer) {}

unsigned FramePipeline::DefaultJobs() {
  return std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
}

std::mutex& FramePipeline::FrameStateLock() {
  static std::mutex lock;
  return lock;
}

void FramePipeline::Post(std::function<bool()> task, const std::string& what) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(Task{std::move(task), what});
  }
  changed_.notify_one();
}

std::string FramePipeline::Failure() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failure_;
}

long FramePipeline::NextSlide() const {
  if (!failure_.empty() || error_) return -1;
  for (size_t s = 0; s < slides_->size(); ++s)
    if (!drawing_[s] && next_[s] < (*slides_)[s].times.size()) return static_cast<long>(s);
  return -1;
}

bool FramePipeline::Run(std::vector<PipelineSlide>& slides, const FrameFn& onFrame,
                        const SlideFn& onSlideDone) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    slides_ = &slides;
    onFrame_ = &onFrame;
    onSlideDone_ = &onSlideDone;
    next_.assign(slides.size(), 0);
    drawing_.assign(slides.size(), 0);
  }
  // A slide without frames is done at once.
  for (size_t s = 0; s < slides.size(); ++s) {
    if (slides[s].times.empty() && onSlideDone) {
      std::lock_guard<std::mutex> state(FrameStateLock());
      onSlideDone(s);
    }
  }
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < jobs_; ++i) {
    try {
      threads.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      break;  // play with the threads there are
    }
  }
  Work();
  for (std::thread& thread : threads) thread.join();
  std::lock_guard<std::mutex> lock(mutex_);
  slides_ = nullptr;
  if (error_) std::rethrow_exception(error_);
  return failure_.empty();
}

void FramePipeline::Work() {
  render::FrameRenderer renderer(measurer_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const long slide = NextSlide();
    const bool tasksFirst = tasks_.size() >= 2 * static_cast<size_t>(jobs_) || slide < 0;
    if (!tasks_.empty() && tasksFirst) {
      Task task = std::move(tasks_.front());
      tasks_.pop_front();
      ++busyTasks_;
      lock.unlock();
      bool done = false;
      std::exception_ptr error;
      try {
        done = task.run();
      } catch (...) {
        error = std::current_exception();
      }
      task.run = nullptr;  // what the task holds (an image) goes now
      lock.lock();
      --busyTasks_;
      if (error && !error_) error_ = error;
      if (!done && !error && failure_.empty()) failure_ = task.what;
      changed_.notify_all();
      continue;
    }
    if (slide >= 0) {
      const size_t s = static_cast<size_t>(slide);
      PipelineSlide& work = (*slides_)[s];
      const size_t frame = next_[s]++;
      drawing_[s] = 1;
      lock.unlock();
      bool last = false;
      std::exception_ptr error;
      try {
        {
          std::lock_guard<std::mutex> state(FrameStateLock());
          if (!work.player && work.open) work.player = work.open();
          work.player->Seek(work.times[frame], work.collectSounds ? &work.sounds : nullptr);
        }
        std::shared_ptr<const render::Image> image;
        if (work.width > 0 && work.height > 0)
          image = std::make_shared<const render::Image>(
              renderer.Render(work.player->Screen(), work.width, work.height));
        (*onFrame_)(s, frame, std::move(image));
        last = frame + 1 == work.times.size();
        if (last && *onSlideDone_) {
          std::lock_guard<std::mutex> state(FrameStateLock());
          (*onSlideDone_)(s);
        }
      } catch (...) {
        error = std::current_exception();
      }
      lock.lock();
      drawing_[s] = 0;
      if (error && !error_) error_ = error;
      changed_.notify_all();
      continue;
    }
    // Nothing to start: done when no slide is being drawn, no task waits or
    // runs and every slide is finished (or the run stopped).
    const bool drawing = std::find(drawing_.begin(), drawing_.end(), 1) != drawing_.end();
    if (tasks_.empty() && busyTasks_ == 0 && !drawing) return;
    changed_.wait(lock);
  }
}

}  // namespace cli
