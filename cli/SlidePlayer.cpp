#include "cli/SlidePlayer.h"

#include <boost/make_shared.hpp>

#include "cli/Common.h"
#include "host/Properties.h"

namespace cli {

SlidePlayer::SlidePlayer(const boost::shared_ptr<platform::Slide>& slide, uint32_t fps,
                         uint32_t defaultEffectFrames,
                         const boost::shared_ptr<platform::ITextMeasurer>& measurer)
    : slide_(slide), measurer_(measurer) {
  auto context =
      boost::make_shared<PublishContext>(slide->height, slide->width, fps, defaultEffectFrames);
  manager_ = IAnimationManager::Create(context);
  manager_->BuildSlide(slide, 0, 0);
  const uint32_t length = manager_->GetSlideLength();
  length_ = length == 0xFFFFFFFFu ? 0 : length;
  steps_.resize(manager_->GetStepCount());
  for (uint32_t i = 0; i < steps_.size(); ++i) manager_->GetStep(steps_[i], i);
}

void SlidePlayer::Prepare() {
  if (driver_) return;
  screen_ = platform::SlideScreen::Build(slide_, measurer_);
  driver_ = boost::make_shared<platform::FrameDriver>(manager_, screen_);
  driver_->Build();
}

const platform::SlideScreen& SlidePlayer::Screen() {
  Prepare();
  return *screen_;
}

void SlidePlayer::Seek(uint32_t t, std::vector<SoundStart>* sounds,
                       std::vector<platform::SoundCue>* cues) {
  Prepare();
  if (!sounds) {
    driver_->Frame(t);
    return;
  }
  std::vector<platform::SoundCue> started;
  driver_->Frame(t, &started);
  for (const platform::SoundCue& cue : started) {
    SoundStart start;
    start.time = t;
    start.shapeId = Utf8(cue.shapeId);
    start.soundName = Utf8(cue.soundName);
    sounds->push_back(start);
  }
  if (cues) cues->insert(cues->end(), started.begin(), started.end());
}

boost::shared_ptr<IInterface> SlidePlayer::MediaObject(const std::wstring& id) {
  Prepare();
  const auto& effects = slide_->Effects();
  if (!effects || (!effects->FindSound(id) && !effects->FindVideo(id)))
    return boost::shared_ptr<IInterface>();
  boost::shared_ptr<platform::MediaScreenObject> media = screen_->MediaFor(id);
  return media ? boost::shared_ptr<IInterface>(media->Sheet()) : boost::shared_ptr<IInterface>();
}

std::string SoundsText(const std::vector<SoundStart>& sounds) {
  if (sounds.empty()) return "no sounds";
  std::string text = "sounds:";
  for (size_t i = 0; i < sounds.size(); ++i) {
    text +=
        (i == 0 ? " " : "; ") + std::to_string(sounds[i].time) + " ms shape " + sounds[i].shapeId;
    if (!sounds[i].soundName.empty()) text += " \"" + sounds[i].soundName + "\"";
  }
  return text;
}

}  // namespace cli
