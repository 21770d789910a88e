// Wedge: a pie slice that opens symmetrically from straight up, clockwise and
// anticlockwise at once, to 358 degrees (a 2-degree gap stays pointing down).
// An exit shows the circle less the slice.
#pragma once

#include "filters/ArcAgent.h"

class WedgeAgent : public ArcAgent {
 public:
  WedgeAgent(const boost::shared_ptr<IInterface>& behaviour,
             const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
};
