// Scales the shape about its centre, in percent of its authored size.
#pragma once

#include "agents/BaseEffectAgent.h"

class ScaleEffectAgent : public BaseEffectAgent {
 public:
  ScaleEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                   const boost::shared_ptr<PublishContext>& metrics, uint32_t accel,
                   uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override { return 1; }

 private:
  void InitScale(const boost::shared_ptr<IScreenObject>& context);
  bool HasEmptyBounds() const;

  bool scaleInitialised_ = false;
  double fromX_ = 0.0, fromY_ = 0.0;
  double toX_ = 0.0, toY_ = 0.0;
  double baseX_ = 0.0, baseY_ = 0.0;
};
