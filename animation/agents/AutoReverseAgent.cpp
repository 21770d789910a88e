#include "agents/AutoReverseAgent.h"

AutoReverseAgent::AutoReverseAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t accel,
                                   uint32_t decel)
    : ContainerAgent(child, accel, decel), half_(child->GetDuration()) {
  StoreTiming(child->GetStart(), 2 * half_);
}

AutoReverseAgent::AutoReverseAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t half,
                                   uint32_t accel, uint32_t decel)
    : ContainerAgent(child, accel, decel), half_(half) {
  StoreTiming(0, 2 * half_);
}

// The backward pass mirrors the time; the child's reversed flag flips once so
// that it clamps at its start instead of its end.
void AutoReverseAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  const boost::shared_ptr<EffectAgent>& child = GetChild();
  uint32_t local = t - GetStart();
  if (local > half_) {
    if (!turned_) {
      turned_ = true;
      child->SetReversed(child->GetReversed() == 0 ? 1 : 0);
    }
    local = 2 * half_ - local;
  }
  uint32_t childTime = local + GetStart();
  const uint32_t childEnd = ChildEnd();
  if (childTime > childEnd) childTime = childEnd;
  child->Apply(context, childTime);
}
