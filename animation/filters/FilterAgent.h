// The base of the agents that show a shape through an animated mask, and of
// the fade.
#pragma once

#include "agents/BaseEffectAgent.h"

class FilterAgent : public BaseEffectAgent {
 public:
  FilterAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t kind, uint32_t accel,
              uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  uint32_t AppliesToShape() override { return 1; }
  // Forgets the initialisation and lets go of the behaviour.
  void Reset() override;
};
