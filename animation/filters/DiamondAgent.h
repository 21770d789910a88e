// Diamond: a diamond one unit across each way at the centre grows to the
// diamond whose edges pass through the corners of the shape's bounds.
// Subtype 14 is inward.
#pragma once

#include "filters/InOutAgent.h"

class DiamondAgent : public InOutAgent {
 public:
  DiamondAgent(const boost::shared_ptr<IInterface>& behaviour,
               const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
