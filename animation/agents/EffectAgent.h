// The root of every effect agent: one behaviour of one effect on one target,
// with its interval on the effect's time axis and its velocity profile.
#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "host/Optional.h"
#include "host/PropertySheet.h"
#include "host/Screen.h"

using PresetClassCell = Optional<uint32_t>;

class EffectAgent : public IPropertySheet {
 public:
  // accel and decel are in 1/100000 of the duration.
  EffectAgent(const boost::shared_ptr<IInterface>& behaviour, uint32_t kind, uint32_t accel,
              uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  ~EffectAgent() override;
  // Agents that carry an animated attribute answer it here; the base has none.
  void GetProperty(boost::shared_ptr<IPropertyValue>& out, EPropertyId key) override;
  void SetProperty(EPropertyId key, const boost::shared_ptr<IPropertyValue>& value) override;

  virtual void SetTiming(uint32_t start, uint32_t duration);
  // Draws the agent's state at time t (ms from the effect's start) into `context`.
  virtual void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) = 0;
  // 1 when the agent works on the shape as a whole, 0 when on character runs.
  virtual uint32_t AppliesToShape() = 0;
  virtual void PrepareAction(const boost::shared_ptr<IScreenObject>& target);
  virtual void Reset();
  virtual void SetPresetClass(const boost::shared_ptr<PresetClassCell>& cell);
  virtual void SetReversed(uint32_t reversed);
  virtual uint32_t GetDuration();
  virtual double GetProgress(uint32_t t);
  virtual bool IsActive(uint32_t t);
  virtual bool OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t);
  virtual bool OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t);
  // True when Apply is to draw at t; t may come back clamped to the start or end.
  virtual bool CheckTime(const boost::shared_ptr<IScreenObject>& context, uint32_t& t);

  uint32_t GetStart() const { return start_.Get(); }
  uint32_t GetKind() const { return kind_; }
  uint32_t GetReversed() const { return reversed_; }
  // Fractions of the duration spent accelerating and decelerating.
  double GetAccel() const { return accel_; }
  double GetDecel() const { return decel_; }
  bool IsFinished() const { return finished_; }
  const boost::shared_ptr<IInterface>& Behaviour() const { return behaviour_; }
  const boost::shared_ptr<PresetClassCell>& PresetClass() const { return presetClass_; }

 protected:
  // Start and duration without the profile (agents whose progress stays linear).
  void StoreTiming(uint32_t start, uint32_t duration);
  void SetFinished(bool finished) { finished_ = finished; }
  void ReleaseBehaviour() { behaviour_.reset(); }

 private:
  boost::shared_ptr<IInterface> behaviour_;
  boost::shared_ptr<PresetClassCell> presetClass_;
  uint32_t kind_;
  uint32_t reversed_ = 0;
  Optional<uint32_t> start_;
  Optional<uint32_t> duration_;
  double accel_;
  double decel_;
  Optional<double> accelRate_;
  Optional<double> decelRate_;
  Optional<double> accelTime_;
  Optional<double> decelTime_;
  bool finished_ = false;
};
