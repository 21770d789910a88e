// The area of a mask shape, as a value: rectangles, ellipses, polygons, line
// segments and groups. A group's area is where an odd number of its children
// overlap; line segments of a group that chain into a closed outline enclose
// the polygon they outline. Morphs are resolved into plain geometry by
// Interpolate before anything is drawn or tested.
#pragma once

#include <vector>

#include "host/Kinefold.h"

namespace platform {

struct MaskGeometry {
  enum Kind { Empty, Rect, Ellipse, Polygon, Line, Group };

  Kind kind = Empty;
  // Rect: left, top, right, bottom. Ellipse: centre x, centre y, radius x,
  // radius y. Line: x1, y1, x2, y2.
  double v[4] = {0.0, 0.0, 0.0, 0.0};
  std::vector<Kinefold::TPoint> points;  // Polygon vertices
  std::vector<MaskGeometry> children;    // Group members

  static MaskGeometry MakeRect(double l, double t, double r, double b);
  static MaskGeometry MakeEllipse(double cx, double cy, double rx, double ry);
  static MaskGeometry MakeLine(double x1, double y1, double x2, double y2);
  static MaskGeometry MakePolygon(const std::vector<Kinefold::TPoint>& points);
  static MaskGeometry MakeGroup(const std::vector<MaskGeometry>& children);
};

using Contour = std::vector<Kinefold::TPoint>;

// False when a coordinate of the geometry is a NaN or an infinity: a node
// clipped by such a mask is left out of the frame.
bool IsFinite(const MaskGeometry& geometry);

// The area as closed contours to be filled with the even-odd rule.
std::vector<Contour> Outline(const MaskGeometry& geometry);
// Even-odd point test over a set of contours.
bool Contains(const std::vector<Contour>& contours, double x, double y);
inline bool Contains(const MaskGeometry& geometry, double x, double y) {
  return Contains(Outline(geometry), x, y);
}

// Left, top, right, bottom of everything the geometry spans; false when it
// spans nothing.
bool GeometryBounds(const MaskGeometry& geometry, double out[4]);

// The shape `t` of the way (0..1) from `from` to `to`:
// - rectangles blend edge by edge, ellipses by centre and radii, lines by
//   their end points, polygons with equal vertex counts vertex by vertex (a
//   rectangle counts as the polygon of its four corners, from the top left
//   clockwise);
// - groups blend child by child; a child that only one side has shrinks to
//   (or grows from) its own centre; a leaf facing a group counts as a group of
//   one;
// - any other pair of leaves is blended as outlines: both are resampled to the
//   same number of points by arc length, starting at their topmost (then
//   leftmost) point and running clockwise, and the points are blended;
// - an empty side grows from (or shrinks to) the other side's centre.
// t = 0 gives `from` and t = 1 gives `to` exactly.
MaskGeometry Interpolate(const MaskGeometry& from, const MaskGeometry& to, double t);

// Scales the geometry about (cx, cy) by s.
MaskGeometry ScaleAbout(const MaskGeometry& geometry, double cx, double cy, double s);

}  // namespace platform
