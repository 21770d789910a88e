// The mask primitives the filters make with the publisher's screen-shape
// factory. Each says which calls it makes: some filters finish their shapes
// (outline off, geometry, filled), others give the geometry only.
#pragma once

#include <vector>

#include <boost/shared_ptr.hpp>

#include "host/Kinefold.h"
#include "host/Screen.h"

namespace masks {

// SetOutline(0), SetGeometry, SetFilled(1).
boost::shared_ptr<IScreenShape> Rectangle(double l, double t, double r, double b);
// SetGeometry, SetFilled(1).
boost::shared_ptr<IScreenShape> FilledRectangle(double l, double t, double r, double b);
// SetGeometry only (the cells of checkerboards and strips).
boost::shared_ptr<IScreenShape> BareRectangle(double l, double t, double r, double b);
// SetOutline(0), one vertex property per point in order, SetFilled(1).
boost::shared_ptr<IScreenShape> Polygon(const std::vector<Kinefold::TPoint>& points);
// A line segment from (x1, y1) to (x2, y2): SetGeometry only.
boost::shared_ptr<IScreenShape> Line(double x1, double y1, double x2, double y2);
// A circle about (cx, cy): SetGeometry of its square, radius, centre,
// SetFilled(1).
boost::shared_ptr<IScreenShape> Circle(double cx, double cy, double radius);
// An empty group; the caller finishes it.
boost::shared_ptr<IScreenShape> Group();

}  // namespace masks
