#include "filters/CircleAgent.h"

#include <cmath>

#include "agents/TransformOps.h"
#include "host/Properties.h"

CircleAgent::CircleAgent(const boost::shared_ptr<IInterface>& behaviour,
                         const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                         uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

boost::shared_ptr<IScreenShape> CircleAgent::BuildCollapsedShape() {
  boost::shared_ptr<IScreenShape> circle = ScreenShapeFactroy::GetScreenShape(eIidCircleShape);
  circle->SetOutline(0);
  circle->SetFilled(1);
  SetDouble(circle, ePropCircleRadius, 1.0);
  SetPoint(circle, ePropCircleCentre, Kinefold::TPoint{double(CentreX()), double(CentreY())});
  return circle;
}

// The ellipse with the bounds' proportions that passes through their corners:
// the half extents, in whole units, grown by the square root of 2.
boost::shared_ptr<IScreenShape> CircleAgent::BuildFullShape() {
  boost::shared_ptr<IScreenShape> ellipse = ScreenShapeFactroy::GetScreenShape(eIidEllipseShape);
  ellipse->SetOutline(0);
  const int hw = transform::TruncToInt(AreaWidth() * 0.5);
  const int hh = transform::TruncToInt(AreaHeight() * 0.5);
  const double w2 = double(hw) * hw, h2 = double(hh) * hh;
  const double f = std::sqrt(h2 + w2) / (std::sqrt(2.0 * w2 + 2.0 * h2) * 0.5);
  const double cx = CentreX(), cy = CentreY();
  SetPoint(ellipse, ePropEllipseCentre, Kinefold::TPoint{cx, cy});
  SetInt(ellipse, ePropEllipseRadiusY, transform::TruncToInt(hh * f + 0.5));
  SetInt(ellipse, ePropEllipseRadiusX, transform::TruncToInt(hw * f + 0.5));
  SetInt(ellipse, ePropEllipse226, 0);
  ellipse->SetGeometry(cx - hw, cy - hh, cx + hw, cy + hh);
  ellipse->SetFilled(1);
  return ellipse;
}
