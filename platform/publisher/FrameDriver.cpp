#include "publisher/FrameDriver.h"

#include <map>

#include "host/Properties.h"

namespace platform {

FrameDriver::FrameDriver(const boost::shared_ptr<IAnimationManager>& manager,
                         const boost::shared_ptr<SlideScreen>& screen)
    : manager_(manager), screen_(screen) {}

void FrameDriver::Build() {
  if (built_ || !manager_ || !screen_) return;
  built_ = true;
  const uint32_t stepCount = manager_->GetStepCount();
  steps_.resize(stepCount);
  for (uint32_t i = 0; i < stepCount; ++i) manager_->GetStep(steps_[i], i);

  for (const auto& shape : screen_->Shapes()) {
    const std::wstring& id = shape->Name();
    const uint32_t count = manager_->GetShapeAnimationCount(id);
    if (count == 0) continue;
    const boost::shared_ptr<IScreenObject> node = shape;
    for (uint32_t i = 0; i < count; ++i) {
      Entry entry;
      entry.shapeId = id;
      manager_->GetShapeAnimation(entry.animation, id, i);
      if (!entry.animation) continue;
      boost::shared_ptr<IScreenObject> target = node;
      const uint32_t mode = entry.animation->GetTargetMode();
      if (mode == 0 && shape->Runs()) target = shape->Runs();
      entry.animation->Build(target, steps_);
      // Mixed behaviours: the shape's nodes take the shape side only, so the
      // text side is built once more on the run view, whose objects take only
      // that side (the steps are already there).
      if (mode == 2 && shape->Runs())
        entry.animation->Build(shape->Runs(), std::vector<AnimationStep>());
      entry.hasSound = entry.animation->HasSound();
      CollectTargets(*shape, entry);
      entries_.push_back(std::move(entry));
    }
    manager_->HideRevealedParts(node, false);
  }
  ApplyMedia();
  screen_->CaptureAuthored();
}

void FrameDriver::CollectTargets(const ShapeNode& shape, Entry& entry) const {
  std::map<std::wstring, uint32_t> names;
  entry.animation->CollectTargetNames(names);
  if (names.empty()) return;
  auto take = [&](const std::wstring& name, const boost::shared_ptr<IScreenObject>& object) {
    auto it = names.find(name);
    if (it == names.end()) return;
    entry.targets.emplace_back(name, object);
    names.erase(it);
  };
  // Tree order: the shape and its parts first, then its run objects.
  const_cast<ShapeNode&>(shape).Walk([&](ScreenNode& n) { take(n.Name(), n.shared_from_this()); });
  if (const auto& runs = shape.Runs()) {
    take(runs->Name(), runs);
    take(runs->Text()->Name(), runs->Text());
    for (const auto& paragraph : runs->Text()->Paragraphs()) take(paragraph->Name(), paragraph);
  }
  for (const auto& run : shape.AllRuns()) take(run->Name(), run);
  // Whatever else the agents name, wherever it is on the slide.
  for (const auto& left : names)
    if (auto object = screen_->Find(left.first)) entry.targets.emplace_back(left.first, object);
}

void FrameDriver::ApplyMedia() {
  const auto& slide = screen_->GetSlide();
  const auto& effects = slide ? slide->Effects() : boost::shared_ptr<EffectList>();
  if (!effects) return;
  for (const auto& sound : effects->Sounds()) {
    boost::shared_ptr<IAudioAnimation> audio;
    manager_->GetAudioAnimation(audio, sound->GetId());
    if (audio) audio->ApplyMedia(screen_->MediaFor(sound->GetId()));
  }
  for (const auto& video : effects->Videos()) {
    boost::shared_ptr<IVideoAnimation> animation;
    manager_->GetVideoAnimation(animation, video->GetId());
    if (!animation) continue;
    animation->ApplyMedia(screen_->MediaFor(video->GetId()));
    animation->ApplyMedia(screen_->PlayerFor(video->GetId()));
  }
}

void FrameDriver::Frame(uint32_t t, std::vector<SoundCue>* sounds) {
  if (!screen_) return;
  screen_->ResetFrame();
  for (const Entry& entry : entries_)
    for (const auto& target : entry.targets) entry.animation->Apply(target.second, t);
  if (!sounds) return;
  for (const Entry& entry : entries_) {
    if (!entry.hasSound) continue;
    for (const auto& target : entry.targets) {
      boost::shared_ptr<IActionObject> action;
      entry.animation->GetSoundAction(action, target.second, t);
      if (!action) continue;
      boost::shared_ptr<IInterface> sheet = action;
      sounds->push_back(
          SoundCue{entry.shapeId, target.first, action, GetString(sheet, ePropOutSoundName)});
    }
  }
}

}  // namespace platform
