#include "agents/EffectAgent.h"

#include <cmath>

#include "agents/VelocityProfile.h"

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

void EffectAgent::SetTiming(uint32_t start, uint32_t duration) {
  StoreTiming(start, duration);
  const VelocityProfile p = VelocityProfile::For(duration, accel_, decel_);
  accelTime_.Set(p.accelTime);
  decelTime_.Set(p.decelTime);
  accelRate_.Set(p.accelRate);
  decelRate_.Set(p.decelRate);
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
  VelocityProfile p;
  p.accelTime = accelTime_.Get();
  p.decelTime = decelTime_.Get();
  p.accelRate = accelRate_.Get();
  p.decelRate = decelRate_.Get();
  return p.ProgressAt(elapsed, duration_.Get());
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
