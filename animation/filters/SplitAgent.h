// Split: a bar through the centre, reaching one extent beyond the widened
// bounds on either side, opens to the whole shape. Subtypes 10 (horizontal)
// and 11 (vertical) close inwards from the edges; the others (12 horizontal,
// anything else vertical) open outwards.
#pragma once

#include "filters/InOutAgent.h"

class SplitAgent : public InOutAgent {
 public:
  SplitAgent(const boost::shared_ptr<IInterface>& behaviour,
             const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;
};
