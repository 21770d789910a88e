// Wipe: the mask grows from a one-unit sliver along one edge of the widened
// bounds (subtype 0 left, 1 right, 2 bottom, 3 top) across the whole shape.
#pragma once

#include "filters/InOutAgent.h"

class WipeAgent : public InOutAgent {
 public:
  WipeAgent(const boost::shared_ptr<IInterface>& behaviour,
            const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  // The sliver along the subtype's edge; any other subtype keeps the full
  // bounds, so the mask does not change.
  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
