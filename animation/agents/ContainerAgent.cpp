#include "agents/ContainerAgent.h"

#include <algorithm>

ContainerAgent::ContainerAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t accel,
                               uint32_t decel)
    : EffectAgent(boost::shared_ptr<IInterface>(), child->GetKind(), accel, decel), child_(child) {}

bool ContainerAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                    EInterfaceId id) {
  if (id == eIidContainerAgent) return AnswerInterface<ContainerAgent>(this, out, sharesOwner);
  return EffectAgent::QueryInterface(out, sharesOwner, id);
}

void ContainerAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  child_->Apply(context, t);
}

uint32_t ContainerAgent::AppliesToShape() {
  return child_->AppliesToShape();
}

void ContainerAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  child_->PrepareAction(target);
}

uint32_t ContainerAgent::ChildEnd() const {
  const uint64_t end = static_cast<uint64_t>(child_->GetStart()) + child_->GetDuration();
  return static_cast<uint32_t>(std::min<uint64_t>(end, 0xFFFFFFFFu));
}
