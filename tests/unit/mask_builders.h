// Mask shapes as the filters build them: the library's own primitives, an
// even-odd group of given children, a morph and a pie of line segments.
#pragma once

#include <initializer_list>

#include "filters/ArcAgent.h"
#include "filters/MaskPrimitives.h"

namespace masks {

inline boost::shared_ptr<IScreenShape> Rect(double l, double t, double r, double b) {
  return Rectangle(l, t, r, b);
}

inline boost::shared_ptr<IScreenShape> Group(
    std::initializer_list<boost::shared_ptr<IScreenShape>> kids) {
  auto g = Group();
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

// The pie slice the wedge and wheel filters build from a1 to a2.
inline boost::shared_ptr<IScreenShape> Pie(double a1, double a2, double cx, double cy, double r) {
  return ArcAgent::BuildPie(a1, a2, cx, cy, r);
}

}  // namespace masks
