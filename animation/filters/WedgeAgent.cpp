#include "filters/WedgeAgent.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Half the opening at the end: pi less one degree.
constexpr double kHalfOpening = 3.12413936106985;

}  // namespace

WedgeAgent::WedgeAgent(const boost::shared_ptr<IInterface>& behaviour,
                       const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                       uint32_t decel)
    : ArcAgent(behaviour, metrics, accel, decel) {}

void WedgeAgent::BuildFrame(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  const double p = GetProgress(t);
  const double radius = Radius();
  boost::shared_ptr<IScreenShape> pie =
      BuildPie(-kPi / 2.0 - p * kHalfOpening, p * kHalfOpening - kPi / 2.0, CentreXExact(),
               CentreYExact(), radius);
  AddExitCircle(pie);
  ReplaceMask(context, pie);
}
