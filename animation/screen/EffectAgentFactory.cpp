#include "screen/EffectAgentFactory.h"

#include <cmath>

#include <boost/make_shared.hpp>

#include "agents/AudioEffectAgent.h"
#include "agents/ColorEffectAgent.h"
#include "agents/MotionEffectAgent.h"
#include "agents/PropertyEffectAgent.h"
#include "agents/RotationEffectAgent.h"
#include "agents/ScaleEffectAgent.h"
#include "agents/SetEffectAgent.h"
#include "filters/FadeAgent.h"
#include "host/Properties.h"

namespace {

// Acceleration values are 1/100000 of the duration, truncated toward zero.
// Only 0 to 100000 mean anything; anything else (and NaN) is held to that range.
uint32_t ProfileValue(float value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 100000.0f) return 100000;
  return static_cast<uint32_t>(std::trunc(value));
}

struct Profile {
  uint32_t accel = 0;
  uint32_t decel = 0;
};

Profile ReadProfile(const boost::shared_ptr<IInterface>& effect,
                    const boost::shared_ptr<IInterface>& behaviour) {
  Profile p;
  for (const boost::shared_ptr<IInterface>& source : {effect, behaviour}) {
    if (Has(source, ePropAccel)) p.accel = ProfileValue(GetFloat(source, ePropAccel));
    if (Has(source, ePropDecel)) p.decel = ProfileValue(GetFloat(source, ePropDecel));
  }
  return p;
}

template <class Agent>
boost::shared_ptr<EffectAgent> Make(const boost::shared_ptr<IInterface>& behaviour,
                                    const boost::shared_ptr<PublishContext>& context,
                                    const Profile& p) {
  return boost::make_shared<Agent>(behaviour, context, p.accel, p.decel);
}

boost::shared_ptr<EffectAgent> CreateFilterAgent(const boost::shared_ptr<IInterface>& behaviour,
                                                 const boost::shared_ptr<PublishContext>& context,
                                                 const Profile& p) {
  switch (GetInt(behaviour, ePropFilterKind)) {
    case eFilterFade:
      return Make<FadeAgent>(behaviour, context, p);
    // The mask filters (peek, blinds, box, diamond, circle, split, plus, wipe,
    // checkerboard, strips, dissolve, random bars, wedge and the wheels, with
    // WheelSpokes for the last) are created here once they exist.
    case eFilterPeekIn:
    case eFilterBlinds:
    case eFilterBox:
    case eFilterDiamond:
    case eFilterCircle:
    case eFilterSplit:
    case eFilterPlus:
    case eFilterWipe:
    case eFilterCheckerBoard:
    case eFilterStrips:
    case eFilterDissolve:
    case eFilterRandomBars:
    case eFilterWedge:
    case eFilterWheel1:
    case eFilterWheel2:
    case eFilterWheel3:
    case eFilterWheel4:
    case eFilterWheel8:
      return boost::shared_ptr<EffectAgent>();
    default:  // 11 and unknown kinds have no filter
      return boost::shared_ptr<EffectAgent>();
  }
}

}  // namespace

uint32_t WheelSpokes(int32_t filterKind) {
  switch (filterKind) {
    case eFilterWheel1:
      return 1;
    case eFilterWheel2:
      return 2;
    case eFilterWheel3:
      return 3;
    case eFilterWheel4:
      return 4;
    case eFilterWheel8:
      return 8;
    default:
      return 0;
  }
}

boost::shared_ptr<EffectAgent> CreateEffectAgent(
    const boost::shared_ptr<IInterface>& effect, const boost::shared_ptr<PublishContext>& context,
    const boost::shared_ptr<IBehaviourNode>& behaviour) {
  if (!behaviour) return boost::shared_ptr<EffectAgent>();
  const boost::shared_ptr<IInterface> node = behaviour;
  const Profile p = ReadProfile(effect, node);
  switch (behaviour->GetKind()) {
    case eBehaviourFilter:
      return CreateFilterAgent(node, context, p);
    case eBehaviourMotion:
      return Make<MotionEffectAgent>(node, context, p);
    case eBehaviourRotation:
      return Make<RotationEffectAgent>(node, context, p);
    case eBehaviourScale:
      return Make<ScaleEffectAgent>(node, context, p);
    case eBehaviourAudio:
      return Make<AudioEffectAgent>(node, context, p);
    case eBehaviourProperty:
      return Make<PropertyEffectAgent>(node, context, p);
    case eBehaviourColor:
      return Make<ColorEffectAgent>(node, context, p);
    case eBehaviourSet:
      return Make<SetEffectAgent>(node, context, p);
    case eBehaviourCommand:
    default:
      return boost::shared_ptr<EffectAgent>();
  }
}
