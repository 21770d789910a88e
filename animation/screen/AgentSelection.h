// Which of a target's agents a frame applies, and the agents they stand for
// once repeat and hold containers are looked through.
#pragma once

#include <cstdint>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "agents/EffectAgent.h"

class RepeatAgent;

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

// What the selection reads of one filed agent that stays the same once its
// screen animation is built, worked out once so that a frame only compares
// times.
struct AgentFacts {
  boost::shared_ptr<EffectAgent> stored;
  std::vector<RepeatAgent*> repeats;  // the containers that fold time, outermost first
  boost::shared_ptr<EffectAgent> inner;
  EffectAgent* heldScale = nullptr;  // the scale agent a stored hold container wraps
  bool setOrProperty = false;
  int attribute = 0;  // of a set or property agent
  bool scale = false;
  bool scaleWithFrom = false;
};

struct ChosenAgent {
  size_t index = 0;   // into the facts
  uint32_t time = 0;  // the local time its checks used
};

// The facts of `agents`, null ones left out.
std::vector<AgentFacts> StudyAgents(const std::vector<boost::shared_ptr<EffectAgent>>& agents);

// The same choice as SelectAgents, from studied agents, into `chosen` (kept
// between frames so that a frame allocates nothing).
void ChooseAgents(const std::vector<AgentFacts>& facts, uint32_t u,
                  std::vector<ChosenAgent>& chosen);

// The agent inside repeat and hold containers.
boost::shared_ptr<EffectAgent> LookThrough(boost::shared_ptr<EffectAgent> agent);
