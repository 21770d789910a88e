#include "agents/VelocityProfile.h"

#include <cmath>

VelocityProfile VelocityProfile::For(double duration, double accel, double decel) {
  VelocityProfile p;
  p.accelTime = duration * accel;
  p.decelTime = duration * decel;
  const double cruise = (1.0 - accel - decel) * duration;
  if (p.accelTime != 0.0 && p.decelTime != 0.0) {
    p.accelRate = 1.0 / ((0.5 * p.accelTime + cruise + 0.5 * p.decelTime) * p.accelTime);
    p.decelRate = p.accelTime * p.accelRate / p.decelTime;
  } else if (p.accelTime == 0.0 && p.decelTime != 0.0) {
    p.decelRate = 1.0 / ((0.5 * p.decelTime + cruise) * p.decelTime);
  } else if (p.accelTime != 0.0 && p.decelTime == 0.0) {
    p.accelRate = 1.0 / ((0.5 * p.accelTime + cruise) * p.accelTime);
  }
  return p;
}

double VelocityProfile::ProgressAt(double u, double duration) const {
  const double ta = accelTime;
  const double td = decelTime;
  const double a = accelRate;
  const double d = decelRate;
  const double cruise = duration - ta - td;
  const double e = duration - td;  // where the deceleration begins
  if (ta != 0.0 && td != 0.0) {
    const double vmax = ta * a;
    if (u <= std::trunc(ta)) return 0.5 * a * u * u;
    if (u <= std::trunc(e)) return 0.5 * a * ta * ta + (u - ta) * vmax;
    return 0.5 * a * ta * ta + vmax * cruise + (u - e) * vmax - 0.5 * d * (u - e) * (u - e);
  }
  if (ta == 0.0 && td != 0.0) {
    const double vmax = td * d;
    if (u <= e) return u * vmax;
    return u * vmax - 0.5 * d * (u - e) * (u - e);
  }
  if (ta == 0.0 && td == 0.0) {
    // An agent without length has only its end state.
    if (duration == 0.0) return 1.0;
    return u / duration;
  }
  const double vmax = ta * a;
  if (u <= ta) return 0.5 * a * u * u;
  return 0.5 * a * ta * ta + (u - ta) * vmax;
}
