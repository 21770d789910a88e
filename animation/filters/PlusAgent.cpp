#include "filters/PlusAgent.h"

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

namespace {

// The twelve corners of a cross over (l, t, r, b) whose arms leave dx at the
// left and right and dy at the top and bottom of each corner.
std::vector<Kinefold::TPoint> Cross(double l, double t, double r, double b, double dx, double dy) {
  return {{l, t + dy}, {l + dx, t + dy}, {l + dx, t}, {r - dx, t}, {r - dx, t + dy}, {r, t + dy},
          {r, b - dy}, {r - dx, b - dy}, {r - dx, b}, {l + dx, b}, {l + dx, b - dy}, {l, b - dy}};
}

}  // namespace

PlusAgent::PlusAgent(const boost::shared_ptr<IInterface>& behaviour,
                     const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                     uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

boost::shared_ptr<IScreenShape> PlusAgent::BuildCollapsedShape() {
  const TRect& a = MaskArea();
  const double dx = transform::TruncToInt(AreaWidth() * 0.5 + 0.5) - 1;
  const double dy = transform::TruncToInt(AreaHeight() * 0.5 + 0.5) - 1;
  return masks::Polygon(Cross(a.left, a.top, a.right, a.bottom, dx, dy));
}

boost::shared_ptr<IScreenShape> PlusAgent::BuildFullShape() {
  const TRect& a = MaskArea();
  boost::shared_ptr<IScreenShape> plus =
      masks::Polygon(Cross(a.left, a.top, a.right, a.bottom, 1.0, 1.0));
  plus->SetGeometry(a.left, a.top, a.right, a.bottom);
  return plus;
}
