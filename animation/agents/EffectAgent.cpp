#include "agents/EffectAgent.h"

#include <cmath>

namespace {
const uint32_t kIndefinite = 0xFFFFFFFFu;
}

EffectAgent::EffectAgent(const boost::shared_ptr<IInterface>& behaviour, uint32_t kind,
                         uint32_t accel, uint32_t decel)
    : behaviour_(behaviour), kind_(kind), accel_(accel / 100000.0), decel_(decel / 100000.0) {}

EffectAgent::~EffectAgent() = default;

bool EffectAgent::QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                                 EInterfaceId id) {
  switch (id) {
    case eIidPropertySheet:
      return AnswerInterface<IPropertySheet>(this, out, sharesOwner);
    case eIidEffectAgent:
      return AnswerInterface<EffectAgent>(this, out, sharesOwner);
    default:
      return false;
  }
}

void EffectAgent::GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId) {
  out.reset();
}

void EffectAgent::SetProperty(EPropertyId, const boost::shared_ptr<IPropertyValue>&) {}

void EffectAgent::StoreTiming(uint32_t start, uint32_t duration) {
  start_.Set(start);
  duration_.Set(duration);
}

// A trapezoid velocity profile of area 1: the speed rises linearly for
// accelTime, cruises, and falls linearly to 0 over decelTime.
void EffectAgent::SetTiming(uint32_t start, uint32_t duration) {
  StoreTiming(start, duration);
  const double total = duration;
  const double accelTime = total * accel_;
  const double decelTime = total * decel_;
  const double cruise = (1.0 - accel_ - decel_) * total;
  accelTime_.Set(accelTime);
  decelTime_.Set(decelTime);
  double accelRate = 0.0;
  double decelRate = 0.0;
  if (accelTime != 0.0 && decelTime != 0.0) {
    accelRate = 1.0 / ((0.5 * accelTime + cruise + 0.5 * decelTime) * accelTime);
    decelRate = accelTime * accelRate / decelTime;
  } else if (accelTime == 0.0 && decelTime != 0.0) {
    decelRate = 1.0 / ((0.5 * decelTime + cruise) * decelTime);
  } else if (accelTime != 0.0 && decelTime == 0.0) {
    accelRate = 1.0 / ((0.5 * accelTime + cruise) * accelTime);
  }
  accelRate_.Set(accelRate);
  decelRate_.Set(decelRate);
}

void EffectAgent::PrepareAction(const boost::shared_ptr<IScreenObject>&) {}

void EffectAgent::Reset() {}

void EffectAgent::SetPresetClass(const boost::shared_ptr<PresetClassCell>& cell) {
  presetClass_ = cell;
}

void EffectAgent::SetReversed(uint32_t reversed) {
  reversed_ = reversed;
}

uint32_t EffectAgent::GetDuration() {
  return duration_.Get();
}

double EffectAgent::GetProgress(uint32_t t) {
  const uint32_t elapsed = t - start_.Get();
  const double u = elapsed;
  const double total = duration_.Get();
  const double ta = accelTime_.Get();
  const double td = decelTime_.Get();
  const double a = accelRate_.Get();
  const double d = decelRate_.Get();
  const double cruise = total - ta - td;
  const double e = total - td;  // where the deceleration begins

  if (ta != 0.0 && td != 0.0) {
    const double vmax = ta * a;
    // The phase boundaries are whole milliseconds here.
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
    if (total == 0.0) return 1.0;
    return u / total;
  }
  const double vmax = ta * a;
  if (u <= ta) return 0.5 * a * u * u;
  return 0.5 * a * ta * ta + (u - ta) * vmax;
}

bool EffectAgent::IsActive(uint32_t t) {
  const uint32_t start = start_.Get();
  if (t < start) return false;
  if (duration_.Get() == kIndefinite) return true;
  if (finished_) return false;
  return t <= start + duration_.Get();
}

bool EffectAgent::OnBeforeStart(const boost::shared_ptr<IScreenObject>&, uint32_t& t) {
  if (reversed_ == 0) return false;
  finished_ = true;
  t = start_.Get();
  return true;
}

bool EffectAgent::OnAfterEnd(const boost::shared_ptr<IScreenObject>&, uint32_t& t) {
  if (reversed_ != 0) return false;
  finished_ = true;
  t = start_.Get() + duration_.Get();
  return true;
}

bool EffectAgent::CheckTime(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) {
  // Time went back into the interval: the end frame is to be drawn again.
  if (finished_ && reversed_ == 0 && t < duration_.Get()) finished_ = false;
  if (IsActive(t)) return true;
  if (finished_) return false;
  if (t < start_.Get()) return OnBeforeStart(context, t);
  return OnAfterEnd(context, t);
}
