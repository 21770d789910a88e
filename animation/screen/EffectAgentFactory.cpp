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
#include "filters/BlindsAgent.h"
#include "filters/BoxAgent.h"
#include "filters/CheckerBoardAgent.h"
#include "filters/CircleAgent.h"
#include "filters/DiamondAgent.h"
#include "filters/DissolveOutAgent.h"
#include "filters/FadeAgent.h"
#include "filters/PeekInAgent.h"
#include "filters/PlusAgent.h"
#include "filters/RandomBarsAgent.h"
#include "filters/SplitAgent.h"
#include "filters/StripsAgent.h"
#include "filters/WedgeAgent.h"
#include "filters/WheelAgent.h"
#include "filters/WipeAgent.h"
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
  const int kind = GetInt(behaviour, ePropFilterKind);
  switch (kind) {
    case eFilterPeekIn:
      return Make<PeekInAgent>(behaviour, context, p);
    case eFilterFade:
      return Make<FadeAgent>(behaviour, context, p);
    case eFilterBlinds:
      return Make<BlindsAgent>(behaviour, context, p);
    case eFilterBox:
      return Make<BoxAgent>(behaviour, context, p);
    case eFilterDiamond:
      return Make<DiamondAgent>(behaviour, context, p);
    case eFilterCircle:
      return Make<CircleAgent>(behaviour, context, p);
    case eFilterSplit:
      return Make<SplitAgent>(behaviour, context, p);
    case eFilterPlus:
      return Make<PlusAgent>(behaviour, context, p);
    case eFilterWipe:
      return Make<WipeAgent>(behaviour, context, p);
    case eFilterCheckerBoard:
      return Make<CheckerBoardAgent>(behaviour, context, p);
    case eFilterStrips:
      return Make<StripsAgent>(behaviour, context, p);
    case eFilterDissolve:
      return Make<DissolveOutAgent>(behaviour, context, p);
    case eFilterRandomBars:
      return Make<RandomBarsAgent>(behaviour, context, p);
    case eFilterWedge:
      return Make<WedgeAgent>(behaviour, context, p);
    case eFilterWheel1:
    case eFilterWheel2:
    case eFilterWheel3:
    case eFilterWheel4:
    case eFilterWheel8:
      return boost::make_shared<WheelAgent>(behaviour, context, p.accel, p.decel,
                                            static_cast<int32_t>(WheelSpokes(kind)));
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
