#include "filters/WheelAgent.h"

#include <cmath>

#include "filters/MaskPrimitives.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
// 89 pi: with the 2 / (spokes x 90) below, 89/90 of a spoke's sector.
constexpr double kSweep = 279.6017461694916;

}  // namespace

WheelAgent::WheelAgent(const boost::shared_ptr<IInterface>& behaviour,
                       const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                       uint32_t decel, int32_t spokes)
    : ArcAgent(behaviour, metrics, accel, decel), spokes_(spokes) {}

void WheelAgent::BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const double p = GetProgress(t);
  const double radius = Radius(), cx = CentreXExact(), cy = CentreYExact();
  boost::shared_ptr<IScreenShape> wheel = masks::Group();
  wheel->SetFilled(1);
  for (int32_t i = 0; i < spokes_; ++i) {
    const double offset = (kPi / spokes_) * 2.0 * i;
    const double a1 = -kPi / 2.0 - offset;
    const double a2 = p * (kSweep / (spokes_ * 90.0)) * 2.0 - kPi / 2.0 - offset;
    wheel->AddChild(BuildPie(a1, a2, cx, cy, radius));
  }
  AddExitCircle(wheel);
  ReplaceMask(context, wheel);
}
