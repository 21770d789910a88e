// The animation builder's entry point: the one class the library exports.
#pragma once

#include <cstdint>
#include <string>

#include <boost/shared_ptr.hpp>

#include "host/Document.h"
#include "host/Interface.h"
#include "host/Screen.h"
#include "manager/AnimationStep.h"
#include "screen/IScreenAnimation.h"

#define SLIDEANIM_EXPORT __attribute__((visibility("default")))

class SLIDEANIM_EXPORT IAnimationManager : public IInterface {
 public:
  // A new manager that keeps `context` (frame rate, default effect length).
  static boost::shared_ptr<IAnimationManager> Create(
      const boost::shared_ptr<PublishContext>& context);

  IAnimationManager();
  IAnimationManager& operator=(const IAnimationManager&);
  ~IAnimationManager() override {}

  // Compiles the slide's effects; `a` and `b` go to ISlide::GetEffectList as they are.
  virtual void BuildSlide(const boost::shared_ptr<ISlide>& slide, int32_t a, int32_t b) = 0;
  virtual uint32_t GetSlideLength() = 0;
  virtual uint32_t GetSlideLengthAfterTriggers() = 0;
  virtual uint32_t GetShapeStartTime(std::wstring shapeId) = 0;
  virtual uint32_t GetShapeEndTime(std::wstring shapeId) = 0;
  virtual uint32_t GetShapeAnimationCount(std::wstring shapeId) = 0;
  virtual void GetShapeAnimation(boost::shared_ptr<IScreenAnimation>& out, std::wstring shapeId,
                                 uint32_t index) = 0;
  virtual void GetAudioAnimation(boost::shared_ptr<IAudioAnimation>& out,
                                 const std::wstring& mediaId) = 0;
  virtual void GetVideoAnimation(boost::shared_ptr<IVideoAnimation>& out,
                                 const std::wstring& mediaId) = 0;
  virtual void HideRevealedParts(const boost::shared_ptr<IScreenObject>& object,
                                 bool ignoreHidden) = 0;
  virtual uint32_t GetStepCount() = 0;
  virtual void GetStep(AnimationStep& out, uint32_t index) = 0;
  virtual uint32_t GetBookmarkTriggerCount() = 0;
  virtual void GetBookmarkTrigger(BookmarkTrigger& out, uint32_t index) = 0;
  virtual bool IsShapeActiveAt(const boost::shared_ptr<IShape>& shape, uint32_t time) = 0;
  virtual bool HasAnimations() = 0;
  virtual bool HasMarkedAnimation(std::wstring shapeId) = 0;
  virtual std::wstring GetJsonContent() = 0;
};
