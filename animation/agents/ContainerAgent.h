// A time container: an agent with one child that it drives with a mapped time.
#pragma once

#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"

class ContainerAgent : public EffectAgent {
 public:
  ContainerAgent(const boost::shared_ptr<EffectAgent>& child, uint32_t accel, uint32_t decel);

  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId id) override;
  void Apply(const boost::shared_ptr<IScreenObject>& context, uint32_t t) override;
  uint32_t AppliesToShape() override;
  void PrepareAction(const boost::shared_ptr<IScreenObject>& target) override;

  const boost::shared_ptr<EffectAgent>& GetChild() const { return child_; }

 protected:
  // The child's end on the effect's time axis, never past the indefinite time.
  uint32_t ChildEnd() const;

 private:
  boost::shared_ptr<EffectAgent> child_;
};
