// One slide build: walks the slide's effects, places them on the slide's
// timeline and fills the manager's steps, triggers and per-shape animations.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "manager/AnimationManager.h"
#include "manager/ClickTimeline.h"

class SlideBuild {
 public:
  SlideBuild(AnimationManager& manager, const boost::shared_ptr<ISlide>& slide,
             const boost::shared_ptr<IEffectList>& effects);
  void Run();

 private:
  void CountTargets();
  void MarkBackgroundEffects();
  void BuildEffect(uint32_t index, const boost::shared_ptr<IAnimationEffect>& effect);
  bool DroppedByPlaceholderRules(const boost::shared_ptr<IShape>& shape);
  bool KeepEffectOn3dShape(const boost::shared_ptr<IAnimationEffect>& effect,
                           const boost::shared_ptr<IShape>& shape);
  // Opens a new group when the slide has no step yet or the trigger changed;
  // returns whether it did.
  bool StartGroupIfNeeded(const boost::shared_ptr<IAnimationEffect>& effect);
  void AddNameToLastStep(const std::wstring& name);
  uint32_t AdvanceToNextClick();
  void BuildMedia(uint32_t index, const boost::shared_ptr<IAnimationEffect>& effect);
  void CopyMediaSettings(const boost::shared_ptr<IMedia>& media, double start);
  uint32_t RecordMediaStep(uint32_t index, int32_t kind, int32_t nodeType, uint32_t delay,
                           uint32_t duration, uint32_t total, EPropertyId startKey,
                           const boost::shared_ptr<IMedia>& media);
  // Places a step of timing kind 0 (new click step), 1 (with the step) or 2
  // (after it) lasting `length` ms; `setStart` receives its start. Returns the
  // time it adds to its group.
  uint32_t Place(uint32_t index, int32_t timingKind, uint32_t delay, uint32_t length,
                 const std::wstring& name, bool kept, int32_t sequenceKind,
                 const std::function<void(uint32_t)>& setStart);
  void CollectBookmarkTriggers(const boost::shared_ptr<IMedia>& media, uint32_t added,
                               bool isVideo);
  void FinishShapeEndTimes();
  boost::shared_ptr<IShape> FindShapeById(const std::wstring& id);

  AnimationManager& manager_;
  boost::shared_ptr<ISlide> slide_;
  boost::shared_ptr<IEffectList> effects_;
  uint32_t frame_ = 0;
  uint32_t defaultLength_ = 0;

  std::map<std::wstring, uint32_t> countByTarget_;
  std::vector<std::wstring> paragraphTargets_;
  uint32_t clickStart_ = 0;
  uint32_t afterOffset_ = 0;
  uint32_t lastEnd_ = 0;
  uint32_t stepStart_ = 0;
  uint32_t keptCount_ = 0;
  boost::shared_ptr<TriggerCondition> lastTrigger_;
  boost::shared_ptr<IScreenAnimation> previousAnimation_;
  uint32_t previousNodeType_ = 255;
  bool atSlideStart_ = true;
  uint32_t triggerTime_ = 0;
  ClickTimeline timeline_;

  // Per effect.
  std::wstring triggerObjectId_;
  std::wstring triggerBookmark_;
};
