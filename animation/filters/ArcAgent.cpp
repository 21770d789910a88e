#include "filters/ArcAgent.h"

#include <algorithm>
#include <cmath>

#include "filters/MaskPrimitives.h"

namespace {

// Beyond this many chords an arc is cut into this many: only radii above
// about 6500 units (a full circle of 10-unit chords) get there.
constexpr double kMaxChords = 4096.0;

}  // namespace

ArcAgent::ArcAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel, uint32_t decel)
    : GeneralAgent(behaviour, metrics, accel, decel) {}

ArcAgent::~ArcAgent() = default;

double ArcAgent::ArcStep(double radius) {
  return 10.0 / radius > 0.1 ? 0.1 : 10.0 / radius;
}

boost::shared_ptr<IScreenShape> ArcAgent::BuildPie(double a1, double a2, double cx, double cy,
                                                   double radius) {
  boost::shared_ptr<IScreenShape> group = masks::Group();
  group->SetFilled(1);
  if (a2 >= a1) {
    // A whole number of chords, so that the arc ends for any radius and angle
    // (an infinite or NaN radius, or a step below the angles' precision).
    double step = ArcStep(radius);
    const double wanted = std::floor((a2 - a1) / step) + 1.0;
    long chords = 1;
    if (wanted > kMaxChords) {
      chords = static_cast<long>(kMaxChords);
      step = (a2 - a1) / kMaxChords;
    } else if (wanted >= 1.0) {
      chords = static_cast<long>(wanted);
    } else {
      step = a2 - a1;  // no step to take (a NaN radius): one chord
    }
    for (long i = 0; i < chords; ++i) {
      const double a = a1 + step * static_cast<double>(i);
      const double e = std::min(a + step, a2);
      group->AddChild(masks::Line(cx + radius * std::cos(a), cy + radius * std::sin(a),
                                  cx + radius * std::cos(e), cy + radius * std::sin(e)));
    }
  }
  group->AddChild(masks::Line(cx + radius * std::cos(a2), cy + radius * std::sin(a2), cx, cy));
  group->AddChild(masks::Line(cx, cy, cx + radius * std::cos(a1), cy + radius * std::sin(a1)));
  return group;
}

double ArcAgent::Radius() const {
  const double w = AreaWidth(), h = AreaHeight();
  return std::sqrt((h * h + w * w) * 0.25) + 5.0;
}

double ArcAgent::CentreXExact() const {
  return (MaskArea().left + MaskArea().right) * 0.5;
}

double ArcAgent::CentreYExact() const {
  return (MaskArea().top + MaskArea().bottom) * 0.5;
}

void ArcAgent::AddExitCircle(const boost::shared_ptr<IScreenShape>& group) const {
  if (PresetClassValue() == 1)
    group->AddChild(masks::Circle(CentreXExact(), CentreYExact(), Radius()));
}
