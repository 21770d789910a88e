// An effect agent that draws on a shape: it knows the shape's bounds and the
// slide's extent once initialised.
#pragma once

#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"
#include "host/Document.h"

struct TRect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

class BaseEffectAgent : public EffectAgent {
 public:
  BaseEffectAgent(const boost::shared_ptr<IInterface>& behaviour,
                  const boost::shared_ptr<PublishContext>& metrics, uint32_t kind, uint32_t accel,
                  uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Reset() override;
  // Takes the context's bounds (normalised) and the slide rectangle.
  virtual void Init(const boost::shared_ptr<IScreenObject>& context);

  bool IsInitialised() const { return initialised_; }
  const TRect& Bounds() const { return bounds_; }
  const TRect& SlideRect() const { return slideRect_; }
  const boost::shared_ptr<PublishContext>& Metrics() const { return metrics_; }

 protected:
  void ClearInitialised() { initialised_ = false; }

 private:
  boost::shared_ptr<PublishContext> metrics_;
  TRect bounds_;
  TRect slideRect_;
  bool initialised_ = false;
};
