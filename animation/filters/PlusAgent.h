// Plus: a cross about two units thick spanning the shape's bounds widens to
// the whole bounds (with 1 x 1 notches at the corners). Subtype 14 is inward.
#pragma once

#include "filters/InOutAgent.h"

class PlusAgent : public InOutAgent {
 public:
  PlusAgent(const boost::shared_ptr<IInterface>& behaviour,
            const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
