// Which of a target's agents a frame applies, and the agents they stand for
// once repeat and hold containers are looked through.
#pragma once

#include <cstdint>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"

struct SelectedAgent {
  boost::shared_ptr<EffectAgent> stored;  // as filed, with its containers
  boost::shared_ptr<EffectAgent> inner;   // repeat and hold containers looked through
  uint32_t time = 0;                      // the local time its checks used
};

// The agents of `agents` (in build order) to apply at local time `u`:
// - a set or property agent of attribute 2, 3 or 5 gives way to a later active
//   one of the same attribute;
// - a scale agent gives way to a later active scale agent with a from value
//   that starts after it;
// - of the held scale agents, one whose end is not past the ends of those
//   already running is left out;
// - every other agent is applied.
// A repeat container folds the time by its period for its own and the later
// checks.
std::vector<SelectedAgent> SelectAgents(const std::vector<boost::shared_ptr<EffectAgent>>& agents,
                                        uint32_t u);

// The agent inside repeat and hold containers.
boost::shared_ptr<EffectAgent> LookThrough(boost::shared_ptr<EffectAgent> agent);
