// Blinds: bands of 20 units across the bounds (widened by 20 on every side),
// or ten equal bands from 220 units on, each opening from a one-unit line at
// its top (subtype 8: horizontal blinds) or left edge. The transition (0 in,
// otherwise out) chooses the direction; the preset class does not.
#pragma once

#include "filters/MorphFilterAgent.h"

class BlindsAgent : public MorphFilterAgent {
 public:
  BlindsAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  // Takes the bounds afresh every time.
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
};
