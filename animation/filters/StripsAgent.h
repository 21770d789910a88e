// Strips: ten diagonal-staircase bands (one per tenth of the larger extent of
// the bounds, widened by 20 on every side) that each grow from a one-unit
// sliver beside the shape across it, staggered by one band each. Subtypes 4
// to 7 pick the corner the staircase leaves from; exits mirror them.
#pragma once

#include "filters/InOutAgent.h"

class StripsAgent : public InOutAgent {
 public:
  StripsAgent(const boost::shared_ptr<IInterface>& behaviour,
              const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel);

  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;
  boost::shared_ptr<IScreenShape> BuildCollapsedShape() override;
  boost::shared_ptr<IScreenShape> BuildFullShape() override;

 private:
  boost::shared_ptr<IScreenShape> BuildBands(bool full);
};
