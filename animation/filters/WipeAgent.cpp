#include "filters/WipeAgent.h"

#include "filters/MaskPrimitives.h"

WipeAgent::WipeAgent(const boost::shared_ptr<IInterface>& behaviour,
                     const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                     uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

void WipeAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  PrepareOnce(target);
  WidenSmall(10.0);
  InOutAgent::PrepareAction(target);
}

boost::shared_ptr<IScreenShape> WipeAgent::BuildCollapsedShape() {
  TRect a = MaskArea();
  switch (Subtype()) {
    case 0:  // from the left
      a.right = a.left + 1.0;
      break;
    case 1:  // from the right
      a.left = a.right - 1.0;
      break;
    case 2:  // from the bottom
      a.top = a.bottom - 1.0;
      break;
    case 3:  // from the top
      a.bottom = a.top + 1.0;
      break;
    default:
      break;
  }
  return masks::Rectangle(a.left, a.top, a.right, a.bottom);
}

boost::shared_ptr<IScreenShape> WipeAgent::BuildFullShape() {
  const TRect& a = MaskArea();
  return masks::Rectangle(a.left, a.top, a.right, a.bottom);
}
