// Mask shapes from the publisher's factory, as the filters build them:
// rectangles, circles, even-odd groups, morphs and pies of line segments.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "host/Properties.h"
#include "publisher/MaskShapes.h"

namespace masks {

inline boost::shared_ptr<IScreenShape> Rect(double l, double t, double r, double b) {
  auto s = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
  s->SetOutline(0);
  s->SetGeometry(l, t, r, b);
  s->SetFilled(1);
  return s;
}

inline boost::shared_ptr<IScreenShape> Circle(double cx, double cy, double radius) {
  auto s = ScreenShapeFactroy::GetScreenShape(eIidCircleShape);
  SetDouble(s, ePropCircleRadius, radius);
  SetPoint(s, ePropCircleCentre, {cx, cy});
  return s;
}

inline boost::shared_ptr<IScreenShape> Group(
    std::initializer_list<boost::shared_ptr<IScreenShape>> kids) {
  auto g = ScreenShapeFactroy::GetScreenShape(eIidGroupShape);
  g->SetFilled(1);
  for (const auto& k : kids) g->AddChild(k);
  return g;
}

inline boost::shared_ptr<IScreenShape> Morph(const boost::shared_ptr<IScreenShape>& a,
                                             const boost::shared_ptr<IScreenShape>& b,
                                             uint32_t ratio) {
  auto m = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  m->SetStartShape(a);
  m->SetEndShape(b);
  m->SetRatio(ratio);
  return m;
}

// The pie slice the wedge and wheel filters build: an arc of short segments
// from a1 to a2 and the two radii, as line shapes in one group.
inline boost::shared_ptr<IScreenShape> Pie(double a1, double a2, double cx, double cy, double r) {
  auto g = Group({});
  const double step = 10.0 / r > 0.1 ? 0.1 : 10.0 / r;
  auto line = [&](double x1, double y1, double x2, double y2) {
    auto l = ScreenShapeFactroy::GetScreenShape(eIidLineShape);
    l->SetOutline(0);
    l->SetGeometry(x1, y1, x2, y2);
    g->AddChild(l);
  };
  for (double a = a1; a <= a2; a += step) {
    const double e = std::min(a + step, a2);
    line(cx + r * std::cos(a), cy + r * std::sin(a), cx + r * std::cos(e), cy + r * std::sin(e));
  }
  line(cx + r * std::cos(a2), cy + r * std::sin(a2), cx, cy);
  line(cx, cy, cx + r * std::cos(a1), cy + r * std::sin(a1));
  return g;
}

}  // namespace masks
