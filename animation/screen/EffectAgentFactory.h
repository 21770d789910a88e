// The one place where a behaviour's agent class is chosen.
#pragma once

#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"
#include "host/Document.h"

// The agent that plays `behaviour` of `effect`, or null when the behaviour has
// none (commands, unknown kinds, agents not available). Acceleration and
// deceleration come from the behaviour, else from the effect.
boost::shared_ptr<EffectAgent> CreateEffectAgent(
    const boost::shared_ptr<IInterface>& effect, const boost::shared_ptr<PublishContext>& context,
    const boost::shared_ptr<IBehaviourNode>& behaviour);

// The spokes of a wheel filter kind (15 to 19), 0 for any other kind.
uint32_t WheelSpokes(int32_t filterKind);
