#include "filters/BoxAgent.h"

#include "filters/MaskPrimitives.h"

BoxAgent::BoxAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

void BoxAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  PrepareOnce(target);
  WidenSmall(10.0);
  InOutAgent::PrepareAction(target);
}

boost::shared_ptr<IScreenShape> BoxAgent::BuildCollapsedShape() {
  const double cx = CentreX(), cy = CentreY();
  return masks::Rectangle(cx - 1.0, cy - 1.0, cx + 1.0, cy + 1.0);
}

boost::shared_ptr<IScreenShape> BoxAgent::BuildFullShape() {
  const TRect& a = MaskArea();
  return masks::Rectangle(a.left, a.top, a.right, a.bottom);
}
