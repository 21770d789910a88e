// The compiled form of one effect on one shape.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "host/Document.h"
#include "host/Optional.h"
#include "host/Screen.h"
#include "host/Webdeck.h"
#include "screen/AgentSelection.h"
#include "screen/IScreenAnimation.h"

class EffectAgent;

using AgentMap = std::map<std::wstring, std::vector<boost::shared_ptr<EffectAgent>>>;
using PresetClassCell = Optional<uint32_t>;

class ScreenAnimation : public IScreenAnimation {
 public:
  ScreenAnimation(const boost::shared_ptr<IAnimationEffect>& effect,
                  const boost::shared_ptr<PublishContext>& context);
  ~ScreenAnimation() override;

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void ComputeDuration(const boost::shared_ptr<IShape>& shape) override;
  void Build(const boost::shared_ptr<IScreenObject>& target,
             const std::vector<AnimationStep>& steps) override;
  void Apply(const boost::shared_ptr<IScreenObject>& target, uint32_t time) override;
  void SetStartTime(uint32_t start) override { startTime_ = start; }
  uint32_t GetStartTime() override { return startTime_; }
  uint32_t GetDuration() override;
  bool IsFinal() override;
  uint32_t GetTargetMode() override { return targetMode_; }
  int32_t GetPresetClass() override;
  int32_t GetNodeType() override;
  void CollectTargetNames(std::map<std::wstring, uint32_t>& names) override;
  bool HasSound() override { return hasSound_; }
  bool RemoveSoundBehaviour(const boost::shared_ptr<IInterface>& unused) override;
  void SetTag(uint32_t tag) override { tag_ = tag; }
  uint32_t GetTag() override { return tag_; }
  void GetSoundAction(boost::shared_ptr<IActionObject>& action,
                      const boost::shared_ptr<IScreenObject>& target, uint32_t time) override;
  void GetEffectName(std::wstring& name) override;
  void GetEffectId(std::wstring& id) override { id = effectId_; }
  void SetHtmlDelayOffset(uint32_t offset) override { htmlDelayOffset_ = offset; }
  void AttachHtmlManager(const boost::shared_ptr<WebdeckAnimationManager>& manager) override;
  void ComputeInitiallyHidden() override;
  uint32_t IsInitiallyHidden() override { return initiallyHidden_; }
  bool HasColorBehaviour() override;
  void MarkClickSubAnimations() override;
  uint32_t GetRepeatCount() override { return repeatCount_.Get(); }

  // The effect node this animation was compiled from.
  const boost::shared_ptr<IAnimationEffect>& GetEffectNode() const { return effectNode_; }
  const AgentMap& TextAgents() const { return textAgents_; }
  const AgentMap& ShapeAgents() const { return shapeAgents_; }
  const std::vector<uint32_t>& SoundStartOffsets() const { return soundStartOffsets_; }
  uint32_t GetBaseDuration() const { return baseDuration_.Get(); }
  bool IsTextIterationActive() const { return textIterationActive_; }
  const boost::shared_ptr<IScreenObject>& GetCurrentTarget() const { return currentTarget_; }
  const std::wstring& GetCurrentTargetName() const { return currentTargetName_; }
  const std::vector<boost::shared_ptr<IBehaviourNode>>& TextBehaviours() const {
    return textBehaviours_;
  }
  const std::vector<boost::shared_ptr<IBehaviourNode>>& ShapeBehaviours() const {
    return shapeBehaviours_;
  }
  const std::vector<boost::shared_ptr<IBehaviourNode>>& TextSubAnimations() const {
    return textSubAnimations_;
  }
  const std::vector<boost::shared_ptr<IBehaviourNode>>& ShapeSubAnimations() const {
    return shapeSubAnimations_;
  }
  const std::vector<uint32_t>& ShapeDurations() const { return shapeDurations_; }
  const std::vector<uint32_t>& TextDurations() const { return textDurations_; }

 private:
  friend class TimingTranslator;
  // The writer is this class's web half, split out for length: it reads most of the
  // compiled state and keeps the open record, sub-list and scale cursors here between calls.
  friend class WebRecordWriter;

  boost::shared_ptr<IInterface> Effect() const { return effectNode_; }
  // The effect's own duration, at least the default effect length unless 0.
  uint32_t EffectLength() const;
  // The default effect length and the frame length of the publish context.
  uint32_t DefaultLength() const;
  uint32_t FrameLength() const;
  // `percent` of `length` ms, truncated, within the clock's range.
  static uint32_t PercentOf(double percent, uint32_t length);
  // The iteration the translation plays: 0 whole, 1 by word, 2 by letter;
  // other iterate types play as a whole.
  int32_t IterateType() const;
  // The agents filed for `target`, or null when there are none.
  const std::vector<boost::shared_ptr<EffectAgent>>* AgentsFor(
      const boost::shared_ptr<IScreenObject>& target) const;
  // The agents filed for `target` as the frame-by-frame selection reads
  // them, worked out on the first frame that asks; null when there are none.
  const std::vector<AgentFacts>* StudiedAgentsFor(const boost::shared_ptr<IScreenObject>& target);

  // Web output records, written while the timing is translated.
  void WriteEffectRecord();
  void WriteBehaviourRecord(const boost::shared_ptr<IBehaviourNode>& behaviour,
                            const Optional<uint32_t>& duration);
  void WriteSoundRecord(const boost::shared_ptr<EffectAgent>& audio);
  void FinishEffectRecord();

  std::vector<boost::shared_ptr<IBehaviourNode>> textBehaviours_;
  std::vector<boost::shared_ptr<IBehaviourNode>> shapeBehaviours_;
  std::vector<boost::shared_ptr<IBehaviourNode>> textSubAnimations_;
  std::vector<boost::shared_ptr<IBehaviourNode>> shapeSubAnimations_;
  AgentMap textAgents_;
  AgentMap shapeAgents_;
  // Per target object seen by Apply (dropped by Build): its studied agents,
  // and the agents a frame chooses, kept so that a frame allocates nothing.
  struct StudiedTarget {
    boost::weak_ptr<IScreenObject> target;
    bool filed = false;
    std::vector<AgentFacts> agents;
  };
  std::unordered_map<const IScreenObject*, StudiedTarget> studied_;
  std::vector<ChosenAgent> chosen_;
  boost::shared_ptr<IAnimationEffect> effectNode_;
  boost::shared_ptr<PresetClassCell> presetClassCell_;
  boost::shared_ptr<PublishContext> context_;
  uint32_t startTime_ = 0;
  Optional<uint32_t> baseDuration_;
  Optional<uint32_t> repeatCount_;
  // The effect node's auto-reverse and fill, read once: the document is only read.
  Optional<bool> autoReverse_;
  Optional<int32_t> fill_;
  uint32_t targetMode_ = 0;
  std::vector<AnimationStep> steps_;
  bool textIterationActive_ = false;
  bool hasSound_ = false;
  uint32_t tag_ = 255;
  uint32_t initiallyHidden_ = 0;
  std::vector<uint32_t> soundStartOffsets_;
  std::wstring effectId_;
  uint32_t htmlDelayOffset_ = 0;
  boost::shared_ptr<WebdeckAnimationManager> htmlManager_;
  boost::shared_ptr<WebdeckAnimationContent> htmlContent_;
  boost::shared_ptr<WEBDECK::PptxJSObjectArrHolder> htmlSubList_;
  boost::shared_ptr<IScreenObject> currentTarget_;
  std::wstring currentTargetName_;
  double htmlPositionCache_[2] = {0.0, 0.0};
  bool htmlPropertyDescribed_ = false;
  double lastScaleX_ = 100.0;
  double lastScaleY_ = 100.0;
  std::vector<uint32_t> textDurations_;
  std::vector<uint32_t> shapeDurations_;
  std::vector<uint32_t> textSubDurations_;
  std::vector<uint32_t> shapeSubDurations_;
  bool soundRecordWritten_ = false;
};

// The factory the slide build calls.
boost::shared_ptr<IScreenAnimation> CreateScreenAnimation(
    const boost::shared_ptr<IAnimationEffect>& effect,
    const boost::shared_ptr<PublishContext>& context);
