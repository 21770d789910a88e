#include "agents/RotationEffectAgent.h"

#include <cmath>

#include "agents/TransformOps.h"
#include "host/Properties.h"

namespace {
const double kPi = 3.141592653589793;
const double kAngleUnits = 60000.0;  // per degree
}  // namespace

RotationEffectAgent::RotationEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                                         const boost::shared_ptr<PublishContext>& metrics,
                                         uint32_t accel, uint32_t decel)
    : BaseEffectAgent(behaviour, metrics, 1, accel, decel) {}

// The angle runs from 0 to the difference of the target and the from value.
void RotationEffectAgent::Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) {
  if (!CheckTime(context, t)) return;
  const boost::shared_ptr<IInterface>& b = Behaviour();
  if (!rotationInitialised_) {
    rotationInitialised_ = true;
    Init(context);
    attribute_ = GetInt(b, ePropAttribute);
  }
  const double p = GetProgress(t);
  const double from = Has(b, ePropFrom) ? GetDouble(b, ePropFrom) / kAngleUnits : 0.0;
  const double target =
      (Has(b, ePropTo) ? GetDouble(b, ePropTo) : GetDouble(b, ePropBy)) / kAngleUnits;
  const double degrees = p * (target - from);

  boost::shared_ptr<IShapeContext> shape = transform::ShapeContextOf(context);
  double* m = shape ? shape->GetTransform() : nullptr;
  if (!m) return;
  const TRect& r = Bounds();
  double x = 0.0, y = 0.0;
  transform::MapPoint(m, r.left + std::fabs(r.right - r.left) * 0.5,
                      r.top + std::fabs(r.bottom - r.top) * 0.5, x, y);
  transform::RotateAbout(m, degrees * kPi / 180.0, x, y);
}
