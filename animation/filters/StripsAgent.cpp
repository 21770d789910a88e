#include "filters/StripsAgent.h"

#include <algorithm>

#include "agents/TransformOps.h"
#include "filters/MaskPrimitives.h"

namespace {

double Round(double x) {
  return transform::TruncToInt(x + 0.5);
}

}  // namespace

StripsAgent::StripsAgent(const boost::shared_ptr<IInterface>& behaviour,
                         const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                         uint32_t decel)
    : InOutAgent(behaviour, metrics, accel, decel) {}

void StripsAgent::PrepareAction(const boost::shared_ptr<IScreenObject>& target) {
  PrepareOnce(target);
  Widen(20.0, 20.0);
  InOutAgent::PrepareAction(target);
}

boost::shared_ptr<IScreenShape> StripsAgent::BuildCollapsedShape() {
  return BuildBands(false);
}

boost::shared_ptr<IScreenShape> StripsAgent::BuildFullShape() {
  return BuildBands(true);
}

boost::shared_ptr<IScreenShape> StripsAgent::BuildBands(bool full) {
  const TRect& a = MaskArea();
  const double d = std::max(AreaWidth(), AreaHeight());
  int n = 10;
  double step = d / 10.0;
  if (d / 10.0 < 1.0) {
    n = transform::TruncToInt(d);
    step = 1.0;
  }
  // An exit leaves towards the opposite corner.
  int q = Subtype();
  if (PresetClassValue() == 1) {
    switch (q) {
      case 4:
        q = 7;
        break;
      case 7:
        q = 4;
        break;
      case 5:
        q = 6;
        break;
      case 6:
        q = 5;
        break;
      default:
        break;
    }
  }
  // The corner the bands are laid out from, and which way they stack.
  double ox = 0.0, oy = 0.0, sign = 1.0;
  const bool known = q >= 4 && q <= 7;
  switch (q) {
    case 4:
      ox = a.right, oy = a.bottom, sign = -1.0;
      break;
    case 5:
      ox = a.left, oy = a.bottom, sign = -1.0;
      break;
    case 6:
      ox = a.right, oy = a.top;
      break;
    case 7:
      ox = a.left, oy = a.top;
      break;
    default:
      break;
  }
  boost::shared_ptr<IScreenShape> group = masks::Group();
  for (int i = 0; i < n; ++i) {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    if (known) {
      y1 = oy + sign * i * step;
      y2 = oy + sign * (i + 1) * step;
      if (q == 4 || q == 6) {
        x1 = full ? a.left - d + i * step : ox + i * step;
        x2 = full ? ox + i * step : x1 + 1.0;
      } else {
        x1 = ox - i * step;
        x2 = full ? a.right + d - i * step : x1 + 1.0;
      }
    }
    group->AddChild(masks::BareRectangle(Round(x1), Round(y1), Round(x2), Round(y2)));
  }
  group->SetFilled(1);
  group->SetGeometry(a.left, a.top, a.right, a.bottom);
  return group;
}
