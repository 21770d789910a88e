#include "document/Effect.h"

#include <algorithm>

#include "host/Properties.h"

namespace platform {

BehaviourNode::BehaviourNode(uint32_t behaviourKind) : sheet_(boost::make_shared<PropertySheet>()) {
  kind = behaviourKind;
}

boost::shared_ptr<BehaviourNode> BehaviourNode::Clone() const {
  auto copy = boost::make_shared<BehaviourNode>(*this);
  copy->sheet_ = sheet_->Clone();
  return copy;
}

bool BehaviourNode::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                   EInterfaceId id) {
  if (id != eIidPropertySheet) return false;
  if (out) {
    *out = sheet_;
    if (sharesOwner) *sharesOwner = false;
  }
  return true;
}

Effect::Effect(const std::wstring& targetId)
    : targetId_(targetId), sheet_(boost::make_shared<PropertySheet>()) {}

bool Effect::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                            EInterfaceId id) {
  if (id != eIidPropertySheet) return false;
  if (out) {
    *out = sheet_;
    if (sharesOwner) *sharesOwner = false;
  }
  return true;
}

boost::shared_ptr<IBehaviourNode> Effect::GetMainBehaviour(uint32_t index) {
  if (index >= main_.size()) return boost::shared_ptr<IBehaviourNode>();
  return main_[index];
}

boost::shared_ptr<IBehaviourNode> Effect::GetSubAnimation(uint32_t index) {
  if (index >= sub_.size()) return boost::shared_ptr<IBehaviourNode>();
  return sub_[index];
}

// The longest delay plus active length of the main behaviours: a behaviour
// that reverses plays its duration twice, and it plays that as many times as
// its repeat count says (in thousandths, 1 for none); an endless repeat makes
// the effect endless.
uint32_t Effect::GetOwnDuration() {
  if (hasOwnDuration_) return ownDuration_;
  const uint64_t kLongest = 0xFFFFFFFEu;
  uint64_t longest = 0;
  for (const auto& node : main_) {
    boost::shared_ptr<IInterface> item = node;
    const uint32_t duration = static_cast<uint32_t>(GetInt(item, ePropDuration));
    if (duration == 0xFFFFFFFFu) return 0xFFFFFFFFu;
    uint64_t active = duration;
    if (GetBool(item, ePropAutoReverse)) active *= 2;
    if (Has(item, ePropRepeatCount)) {
      const int32_t repeat = GetInt(item, ePropRepeatCount);
      if (repeat < 0) return 0xFFFFFFFFu;
      if (repeat != 1)  // 1 stands for no repeat
        active = std::min(active * static_cast<uint64_t>(repeat) / 1000, kLongest);
    }
    const uint64_t end =
        static_cast<uint64_t>(static_cast<uint32_t>(GetInt(item, ePropDelay))) + active;
    longest = std::max(longest, end);
  }
  return static_cast<uint32_t>(std::min(longest, kLongest));
}

Effect& Effect::SetOwnDuration(uint32_t ms) {
  hasOwnDuration_ = true;
  ownDuration_ = ms;
  return *this;
}

Effect& Effect::SetTrigger(const boost::shared_ptr<TriggerCondition>& trigger) {
  trigger_ = trigger;
  return *this;
}

BehaviourNode& Effect::AddBehaviour(uint32_t kind) {
  main_.push_back(boost::make_shared<BehaviourNode>(kind));
  return *main_.back();
}

BehaviourNode& Effect::AddSubAnimation(uint32_t kind) {
  sub_.push_back(boost::make_shared<BehaviourNode>(kind));
  return *sub_.back();
}

boost::shared_ptr<TriggerCondition> MakeClickTrigger(const std::wstring& objectId) {
  auto trigger = boost::make_shared<TriggerCondition>();
  trigger->event.Set(eTriggerOnClick);
  trigger->target = boost::make_shared<TriggerTarget>();
  trigger->target->firstName = objectId;
  trigger->target->useFirstName = true;
  return trigger;
}

boost::shared_ptr<TriggerCondition> MakeBookmarkTrigger(const std::wstring& mediaId,
                                                        const std::wstring& bookmark) {
  auto trigger = boost::make_shared<TriggerCondition>();
  trigger->event.Set(eTriggerOnBookmark);
  trigger->target = boost::make_shared<TriggerTarget>();
  trigger->target->firstName = mediaId;
  trigger->target->secondName = bookmark;
  trigger->target->useFirstName = true;
  return trigger;
}

}  // namespace platform
