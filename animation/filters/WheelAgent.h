// Wheel: one pie slice per spoke, starting at equal angles from straight up
// and each sweeping clockwise over 89/90 of its sector. An exit shows the
// circle less the slices.
#pragma once

#include "filters/ArcAgent.h"

class WheelAgent : public ArcAgent {
 public:
  WheelAgent(const boost::shared_ptr<IInterface>& behaviour,
             const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel,
             int32_t spokes);

  void BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;

  int32_t Spokes() const { return spokes_; }

 private:
  int32_t spokes_;
};
