#include "filters/DiamondAgent.h"

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

DiamondAgent::DiamondAgent(const boost::shared_ptr<IInterface>& behaviour,
                           const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                           uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

boost::shared_ptr<IScreenShape> DiamondAgent::BuildCollapsedShape() {
  const double cx = CentreX(), cy = CentreY();
  return masks::Polygon({{cx - 1.0, cy}, {cx, cy - 1.0}, {cx + 1.0, cy}, {cx, cy + 1.0}});
}

// A diamond through the corners of the bounds reaches twice the half extents
// from the centre each way.
boost::shared_ptr<IScreenShape> DiamondAgent::BuildFullShape() {
  const double hw = AreaWidth() * 0.5, hh = AreaHeight() * 0.5;
  const double a = transform::TruncToInt(hh / (hh / hw) + hw + 0.5);
  const double c = transform::TruncToInt((hh / hw) * hw + hh + 0.5);
  const double cx = CentreX(), cy = CentreY();
  boost::shared_ptr<IScreenShape> diamond =
      masks::Polygon({{cx - a, cy}, {cx, cy - c}, {cx + a, cy}, {cx, cy + c}});
  diamond->SetGeometry(cx - a, cy - c, cx + a, cy + c);
  return diamond;
}
