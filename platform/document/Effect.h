// Effects of a slide's timing tree and their behaviour nodes.
#pragma once

#include <string>
#include <vector>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "common/PropertySheet.h"
#include "host/Document.h"

namespace platform {

// An embedded sound that a behaviour plays; the data is not loaded.
struct SoundData {
  std::wstring name;     // the sound's name in the document
  std::string partName;  // the package part that holds it
  std::string contentType;
};

class BehaviourNode : public IBehaviourNode {
 public:
  explicit BehaviourNode(uint32_t behaviourKind);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }

  template <class T>
  BehaviourNode& Set(EPropertyId key, const T& value) {
    sheet_->Set<T>(key, value);
    return *this;
  }
  BehaviourNode& Duration(int ms) { return Set<int>(ePropDuration, ms); }
  BehaviourNode& Delay(int ms) { return Set<int>(ePropDelay, ms); }
  // A copy with a sheet of its own (the values themselves are shared).
  boost::shared_ptr<BehaviourNode> Clone() const;

  // What the document said, kept for tools and messages; the library reads
  // only the sheet.
  std::wstring element;        // "anim", "animEffect", "set", ...
  std::wstring attributeName;  // the first animated attribute name, as written
  std::wstring filter;         // animEffect's filter string
  std::wstring command;        // cmd's command text
  std::wstring pathEditMode;   // animMotion's "relative" or "fixed"
  SoundData sound;             // audio behaviours

 private:
  boost::shared_ptr<PropertySheet> sheet_;
};

class Effect : public IAnimationEffect {
 public:
  explicit Effect(const std::wstring& targetId);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  std::wstring GetTargetId() override { return targetId_; }
  boost::shared_ptr<TriggerCondition> GetTriggerCondition() override { return trigger_; }
  uint32_t GetMainBehaviourCount() override { return static_cast<uint32_t>(main_.size()); }
  boost::shared_ptr<IBehaviourNode> GetMainBehaviour(uint32_t index) override;
  uint32_t GetSubAnimationCount() override { return static_cast<uint32_t>(sub_.size()); }
  boost::shared_ptr<IBehaviourNode> GetSubAnimation(uint32_t index) override;
  // The explicit duration when one was set; else the longest delay plus
  // duration of the main behaviours, indefinite when one of them is.
  uint32_t GetOwnDuration() override;

  const boost::shared_ptr<PropertySheet>& Sheet() const { return sheet_; }
  const std::wstring& TargetId() const { return targetId_; }

  template <class T>
  Effect& Set(EPropertyId key, const T& value) {
    sheet_->Set<T>(key, value);
    return *this;
  }
  Effect& PresetClass(int value) { return Set<int>(ePropPresetClass, value); }
  Effect& NodeType(int value) { return Set<int>(ePropNodeType, value); }
  Effect& Delay(int ms) { return Set<int>(ePropDelay, ms); }
  Effect& SetOwnDuration(uint32_t ms);
  Effect& SetTrigger(const boost::shared_ptr<TriggerCondition>& trigger);

  // Preset of the effect as the document names it (presetID, presetSubtype,
  // grpId and the presetClass text); the sheet carries what the library reads.
  int presetId = 0;
  int presetSubtype = 0;
  int groupId = -1;
  std::wstring presetClassName;

  BehaviourNode& AddBehaviour(uint32_t kind);
  BehaviourNode& AddSubAnimation(uint32_t kind);
  void AddBehaviour(const boost::shared_ptr<BehaviourNode>& node) { main_.push_back(node); }
  void AddSubAnimation(const boost::shared_ptr<BehaviourNode>& node) { sub_.push_back(node); }

 private:
  std::wstring targetId_;
  boost::shared_ptr<TriggerCondition> trigger_;
  std::vector<boost::shared_ptr<BehaviourNode>> main_;
  std::vector<boost::shared_ptr<BehaviourNode>> sub_;
  bool hasOwnDuration_ = false;
  uint32_t ownDuration_ = 0;
  boost::shared_ptr<PropertySheet> sheet_;
};

// A click trigger on the object named `objectId`.
boost::shared_ptr<TriggerCondition> MakeClickTrigger(const std::wstring& objectId);
// A trigger that fires when media `mediaId` reaches bookmark `bookmark`.
boost::shared_ptr<TriggerCondition> MakeBookmarkTrigger(const std::wstring& mediaId,
                                                        const std::wstring& bookmark);

}  // namespace platform
