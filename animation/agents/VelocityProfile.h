// The trapezoid velocity profile of an agent's easing: the speed rises
// linearly for accelTime, cruises, and falls linearly to 0 over decelTime; the
// area under it is 1.
#pragma once

struct VelocityProfile {
  double accelRate = 0.0;  // per ms squared
  double decelRate = 0.0;
  double accelTime = 0.0;  // ms
  double decelTime = 0.0;

  // The profile of a duration with accel and decel fractions of it.
  static VelocityProfile For(double duration, double accel, double decel);
  // Progress (0 to 1) at u ms of `duration`. With both phases the boundaries
  // are compared as whole milliseconds. A duration of 0 without easing gives 1.
  double ProgressAt(double u, double duration) const;
};
