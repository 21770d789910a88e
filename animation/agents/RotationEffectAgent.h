// Turns the shape about its centre.
#pragma once

#include "agents/BaseEffectAgent.h"

class RotationEffectAgent : public BaseEffectAgent {
 public:
  RotationEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                      const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                      uint32_t decel);

  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return 1; }

 private:
  bool rotationInitialised_ = false;
  int32_t attribute_ = 0;
};
