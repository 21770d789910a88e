// The manager: compiles slides and keeps what the builds produced.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Optional.h"
#include "host/Webdeck.h"
#include "manager/IAnimationManager.h"

using ScreenAnimationFactory = std::function<boost::shared_ptr<IScreenAnimation>(
    const boost::shared_ptr<IAnimationEffect>&, const boost::shared_ptr<PublishContext>&)>;

struct ShapeAnimationEntry {
  Optional<uint32_t> startTime;
  Optional<uint32_t> endTime;
  std::vector<boost::shared_ptr<IScreenAnimation>> animations;
};

class AnimationManager : public IAnimationManager {
 public:
  explicit AnimationManager(const boost::shared_ptr<PublishContext>& context);
  ~AnimationManager() override;

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void BuildSlide(const boost::shared_ptr<ISlide>& slide, int32_t a, int32_t b) override;
  uint32_t GetSlideLength() override { return slideLength_; }
  uint32_t GetSlideLengthAfterTriggers() override { return slideLengthAfterTriggers_; }
  uint32_t GetShapeStartTime(std::wstring shapeId) override;
  uint32_t GetShapeEndTime(std::wstring shapeId) override;
  uint32_t GetShapeAnimationCount(std::wstring shapeId) override;
  void GetShapeAnimation(boost::shared_ptr<IScreenAnimation>& out, std::wstring shapeId,
                         uint32_t index) override;
  void GetAudioAnimation(boost::shared_ptr<IAudioAnimation>& out,
                         const std::wstring& mediaId) override;
  void GetVideoAnimation(boost::shared_ptr<IVideoAnimation>& out,
                         const std::wstring& mediaId) override;
  void HideRevealedParts(const boost::shared_ptr<IScreenObject>& object,
                         bool ignoreHidden) override;
  uint32_t GetStepCount() override { return static_cast<uint32_t>(steps_.size()); }
  void GetStep(AnimationStep& out, uint32_t index) override;
  uint32_t GetBookmarkTriggerCount() override {
    return static_cast<uint32_t>(bookmarkTriggers_.size());
  }
  void GetBookmarkTrigger(BookmarkTrigger& out, uint32_t index) override;
  bool IsShapeActiveAt(const boost::shared_ptr<IShape>& shape, uint32_t time) override;
  bool HasAnimations() override { return hasAnimations_; }
  bool HasMarkedAnimation(std::wstring shapeId) override;
  std::wstring GetJsonContent() override;

  // Replaces how the build makes a screen animation from an effect (tests).
  void SetAnimationFactory(const ScreenAnimationFactory& factory) { animationFactory_ = factory; }

 private:
  friend class SlideBuild;

  std::vector<AnimationStep> steps_;
  std::vector<BookmarkTrigger> bookmarkTriggers_;
  std::map<std::wstring, ShapeAnimationEntry> shapeAnimations_;
  boost::shared_ptr<IEffectList> mediaSource_;
  boost::shared_ptr<PublishContext> publishContext_;
  uint32_t slideLength_ = 0xFFFFFFFFu;
  uint32_t slideLengthAfterTriggers_ = 0xFFFFFFFFu;
  bool hasAnimations_ = false;
  boost::shared_ptr<WebdeckAnimationManager> htmlManager_;
  ScreenAnimationFactory animationFactory_;
};
