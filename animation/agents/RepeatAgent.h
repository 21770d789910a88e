// Plays its child `count` times, each pass `period` ms long.
#pragma once

#include "agents/ContainerAgent.h"

class RepeatAgent : public ContainerAgent {
 public:
  RepeatAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t count, uint32_t period,
              uint32_t accel, uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  bool OnBeforeStart(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;
  bool OnAfterEnd(const boost::shared_ptr<IScreenObject>& context, uint32_t& t) override;

  uint32_t GetCount() const { return count_; }
  uint32_t GetPeriod() const { return period_; }
  // The time within a pass: a time past the first pass and within the last
  // folds back into (0, period]; an exact multiple maps to the pass's end.
  uint32_t Fold(uint32_t t) const;

 private:
  bool ChildIsHeld() const;

  uint32_t count_;
  uint32_t period_;
};
