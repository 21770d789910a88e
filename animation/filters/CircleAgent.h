// Circle: a circle of radius 1 at the centre grows to the ellipse through the
// corners of the shape's bounds (or shrinks to it). Subtype 14 is inward.
#pragma once

#include "filters/InOutAgent.h"

class CircleAgent : public InOutAgent {
 public:
  CircleAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
