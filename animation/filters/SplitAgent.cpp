#include "filters/SplitAgent.h"

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

SplitAgent::SplitAgent(const boost::shared_ptr<IInterface>& behaviour,
                       const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                       uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

void SplitAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  PrepareOnce(target);
  WidenSmall(10.0);
  const int subtype = Subtype();
  BuildMorph(target, subtype == 10 || subtype == 11);
}

boost::shared_ptr<IScreenShape> SplitAgent::BuildCollapsedShape() {
  const TRect& a = MaskArea();
  const double w = AreaWidth(), h = AreaHeight();
  const int subtype = Subtype();
  if (subtype == 10 || subtype == 12) {  // a horizontal bar
    const double cy = a.top + h * 0.5;
    return masks::Rectangle(a.left - w, transform::TruncToInt(cy - 0.5), a.right + w,
                            transform::TruncToInt(cy + 1.5));
  }
  const double cx = a.left + w * 0.5;
  return masks::Rectangle(cx - 1.0, a.top - h, transform::TruncToInt(cx + 1.5), a.bottom + h);
}

boost::shared_ptr<IScreenShape> SplitAgent::BuildFullShape() {
  const TRect& a = MaskArea();
  return masks::Rectangle(a.left, a.top, a.right, a.bottom);
}
