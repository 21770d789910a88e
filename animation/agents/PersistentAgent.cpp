#include "agents/PersistentAgent.h"

#include <algorithm>

PersistentAgent::PersistentAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t holdUntil)
    : ContainerAgent(child, 0, 0) {
  StoreTiming(child->GetStart(), holdUntil);
}

bool PersistentAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                     EInterfaceId id) {
  if (id == eIidPersistentAgent || id == eIidPersistentAgent70)
    return AnswerInterface<PersistentAgent>(this, out, sharesOwner);
  return false;
}

// Before the child's start the child decides; after its end it keeps getting
// its end time. An indefinite child ends at the indefinite time, not before
// its start.
void PersistentAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const uint32_t holdUntil = GetDuration();
  if (holdUntil != 0xFFFFFFFFu && t > holdUntil) return;
  GetChild()->Apply(context, std::min(t, ChildEnd()));
}
