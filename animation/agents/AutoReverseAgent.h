// Plays its child forward for `half` ms and then backwards for as long.
#pragma once

#include "agents/ContainerAgent.h"

class AutoReverseAgent : public ContainerAgent {
 public:
  // The forward pass is the child's own interval.
  AutoReverseAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t accel, uint32_t decel);
  // The forward pass is [0, half] on the effect's time axis.
  AutoReverseAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t half, uint32_t accel,
                   uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;

  uint32_t GetHalf() const { return half_; }
  bool HasTurned() const { return turned_; }

 private:
  uint32_t half_;
  bool turned_ = false;
};
