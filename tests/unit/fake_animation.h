// A screen animation double for the slide build and the manager: its length is
// the effect's own duration, its preset class the effect's, and it records
// what the build asked of it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "host/Properties.h"
#include "manager/AnimationManager.h"

class FakeAnimation : public IScreenAnimation {
 public:
  FakeAnimation(const boost::shared_ptr<IAnimationEffect>& effect) : effect_(effect) {}

  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  void ComputeDuration(const boost::shared_ptr<IShape>&) override {
    duration = effect_ ? effect_->GetOwnDuration() : 0;
  }
  void Build(const boost::shared_ptr<IScreenObject>&, const std::vector<AnimationStep>&) override {}
  void Apply(const boost::shared_ptr<IScreenObject>&, uint32_t) override {}
  void SetStartTime(uint32_t s) override { start = s; }
  uint32_t GetStartTime() override { return start; }
  uint32_t GetDuration() override { return duration; }
  bool IsFinal() override { return false; }
  uint32_t GetTargetMode() override { return 1; }
  int32_t GetPresetClass() override { return GetInt(effect_, ePropPresetClass); }
  int32_t GetNodeType() override { return GetInt(effect_, ePropNodeType); }
  void CollectTargetNames(std::map<std::wstring, uint32_t>& names) override {
    for (const auto& name : targetNames) names[name] = 0;
  }
  bool HasSound() override { return false; }
  bool RemoveSoundBehaviour(const boost::shared_ptr<IInterface>&) override { return false; }
  void SetTag(uint32_t t) override { tags.push_back(t); }
  uint32_t GetTag() override { return tags.empty() ? 255 : tags.back(); }
  void GetSoundAction(boost::shared_ptr<IActionObject>& action,
                      const boost::shared_ptr<IScreenObject>&, uint32_t) override {
    action.reset();
  }
  void GetEffectName(std::wstring& name) override { name.clear(); }
  void GetEffectId(std::wstring& id) override { id = effectId; }
  void SetHtmlDelayOffset(uint32_t offset) override { htmlDelayOffset = offset; }
  void AttachHtmlManager(const boost::shared_ptr<WebdeckAnimationManager>& manager) override {
    effectId = L"effect_ID" + std::to_wstring(manager->GetUniqueAnimCount());
  }
  void ComputeInitiallyHidden() override { ++hiddenChecks; }
  uint32_t IsInitiallyHidden() override { return hidden; }
  bool HasColorBehaviour() override { return false; }
  void MarkClickSubAnimations() override { ++clickMarks; }
  uint32_t GetRepeatCount() override { return 1; }

  uint32_t start = 0;
  uint32_t duration = 0;
  uint32_t hidden = 0;
  std::vector<uint32_t> tags;
  int hiddenChecks = 0;
  int clickMarks = 0;
  uint32_t htmlDelayOffset = 0;
  std::wstring effectId;
  std::vector<std::wstring> targetNames;

 private:
  boost::shared_ptr<IAnimationEffect> effect_;
};

// A manager whose build makes FakeAnimations; `made` lists them in build order.
inline boost::shared_ptr<AnimationManager> MakeFakeManager(
    const boost::shared_ptr<PublishContext>& context,
    std::vector<boost::shared_ptr<FakeAnimation>>* made) {
  auto manager = boost::make_shared<AnimationManager>(context);
  manager->SetAnimationFactory(
      [made](const boost::shared_ptr<IAnimationEffect>& effect,
             const boost::shared_ptr<PublishContext>&) -> boost::shared_ptr<IScreenAnimation> {
        auto animation = boost::make_shared<FakeAnimation>(effect);
        if (made) made->push_back(animation);
        return animation;
      });
  return manager;
}
