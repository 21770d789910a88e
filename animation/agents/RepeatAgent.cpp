#include "agents/RepeatAgent.h"

RepeatAgent::RepeatAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t count,
                         uint32_t period, uint32_t accel, uint32_t decel)
    : ContainerAgent(child, accel, decel), count_(count), period_(period) {}

bool RepeatAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                 EInterfaceId id) {
  if (id == eIidRepeatAgent) return AnswerInterface<RepeatAgent>(this, out, sharesOwner);
  return false;
}

uint32_t RepeatAgent::Fold(uint32_t t) const {
  const uint32_t last = count_ * period_;
  if (period_ < t && t <= last) return (t - 1) % period_ + 1;
  return t;
}

void RepeatAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  GetChild()->Apply(context, Fold(t));
}

bool RepeatAgent::ChildIsHeld() const {
  return Supports(GetChild(), eIidPersistentAgent70);
}

// A repeat around a hold container never clamps: the hold keeps the end state.
bool RepeatAgent::OnBeforeStart(const boost::shared_ptr<IScreenObject>&, uint32_t& t) {
  if (GetReversed() == 0) return false;
  if (!ChildIsHeld()) {
    SetFinished(true);
    t = GetStart();
  }
  return true;
}

bool RepeatAgent::OnAfterEnd(const boost::shared_ptr<IScreenObject>&, uint32_t& t) {
  if (GetReversed() != 0) return false;
  if (!ChildIsHeld()) {
    SetFinished(true);
    t = GetStart() + GetDuration();
  }
  return true;
}
