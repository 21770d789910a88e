// Box: a rectangle that opens from the centre of the shape to its bounds
// (widened by 10, or 30 across extents below 60), or closes from the edges.
// Subtype 14 is the inward variant.
#pragma once

#include "filters/InOutAgent.h"

class BoxAgent : public InOutAgent {
 public:
  BoxAgent(const boost::shared_ptr<IInterface>& behaviour,
           const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  // A 2 x 2 square about the whole-unit centre.
  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  // The widened bounds.
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
