// The compiled form of one effect on one shape, driven by the host per frame.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Document.h"
#include "host/Interface.h"
#include "host/Screen.h"
#include "manager/AnimationStep.h"

class WebdeckAnimationManager;

class IScreenAnimation : public IInterface {
 public:
  virtual void ComputeDuration(const boost::shared_ptr<IShape>& shape) = 0;
  virtual void Build(const boost::shared_ptr<IScreenObject>& target,
                     const std::vector<AnimationStep>& steps) = 0;
  virtual void Apply(const boost::shared_ptr<IScreenObject>& target, uint32_t time) = 0;
  virtual void SetStartTime(uint32_t start) = 0;
  virtual uint32_t GetStartTime() = 0;
  virtual uint32_t GetDuration() = 0;
  virtual bool IsFinal() = 0;
  virtual uint32_t GetTargetMode() = 0;
  virtual int32_t GetPresetClass() = 0;
  virtual int32_t GetNodeType() = 0;
  virtual void CollectTargetNames(std::map<std::wstring, uint32_t>& names) = 0;
  virtual bool HasSound() = 0;
  virtual bool RemoveSoundBehaviour(const boost::shared_ptr<IInterface>& unused) = 0;
  virtual void SetTag(uint32_t tag) = 0;
  virtual uint32_t GetTag() = 0;
  virtual void GetSoundAction(boost::shared_ptr<IActionObject>& action,
                              const boost::shared_ptr<IScreenObject>& target, uint32_t time) = 0;
  virtual void GetEffectName(std::wstring& name) = 0;
  virtual void GetEffectId(std::wstring& id) = 0;
  virtual void SetHtmlDelayOffset(uint32_t offset) = 0;
  virtual void AttachHtmlManager(const boost::shared_ptr<WebdeckAnimationManager>& manager) = 0;
  virtual void ComputeInitiallyHidden() = 0;
  virtual uint32_t IsInitiallyHidden() = 0;
  virtual bool HasColorBehaviour() = 0;
  virtual void MarkClickSubAnimations() = 0;
  virtual uint32_t GetRepeatCount() = 0;
};

// Copies a sound's timing settings onto the screen object that plays it.
class IAudioAnimation : public IInterface {
 public:
  virtual void ApplyMedia(const boost::shared_ptr<IScreenObject>& target) = 0;
};

// Copies a video's timing settings onto the screen object or player that shows it.
class IVideoAnimation : public IInterface {
 public:
  virtual void ApplyMedia(const boost::shared_ptr<IScreenObject>& target) = 0;
};
