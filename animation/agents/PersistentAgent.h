// Holds its child's end state until `holdUntil` (for ever when indefinite).
#pragma once

#include "agents/ContainerAgent.h"

class PersistentAgent : public ContainerAgent {
 public:
  PersistentAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t holdUntil);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
};
