#include "filters/MaskPrimitives.h"

#include "host/Properties.h"

namespace masks {

boost::shared_ptr<IScreenShape> Rectangle(double l, double t, double r, double b) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  shape->SetOutline(0);
  shape->SetGeometry(l, t, r, b);
  shape->SetFilled(1);
  return shape;
}

boost::shared_ptr<IScreenShape> FilledRectangle(double l, double t, double r, double b) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  shape->SetGeometry(l, t, r, b);
  shape->SetFilled(1);
  return shape;
}

boost::shared_ptr<IScreenShape> BareRectangle(double l, double t, double r, double b) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  shape->SetGeometry(l, t, r, b);
  return shape;
}

boost::shared_ptr<IScreenShape> Polygon(const std::vector<Kinefold::TPoint>& points) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidPolygonShape);
  shape->SetOutline(0);
  for (const Kinefold::TPoint& p : points) SetPoint(shape, ePropPolygonVertex, p);
  shape->SetFilled(1);
  return shape;
}

boost::shared_ptr<IScreenShape> Line(double x1, double y1, double x2, double y2) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidLineShape);
  shape->SetGeometry(x1, y1, x2, y2);
  return shape;
}

boost::shared_ptr<IScreenShape> Circle(double cx, double cy, double radius) {
  boost::shared_ptr<IScreenShape> shape = ScreenShapeFactroy::GetScreenShape(eIidCircleShape);
  shape->SetGeometry(cx - radius, cy - radius, cx + radius, cy + radius);
  SetDouble(shape, ePropCircleRadius, radius);
  SetPoint(shape, ePropCircleCentre, Kinefold::TPoint{cx, cy});
  shape->SetFilled(1);
  return shape;
}

boost::shared_ptr<IScreenShape> Group() {
  return ScreenShapeFactroy::GetScreenShape(eIidGroupShape);
}

}  // namespace masks
