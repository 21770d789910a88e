#include "screen/AgentSelection.h"

#include <algorithm>

#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "host/Properties.h"

namespace {

// Folds u into the repeat's first pass when it lies within a later one.
uint32_t FoldByRepeat(RepeatAgent& repeat, uint32_t u) {
  const uint32_t start = repeat.GetStart();
  const uint32_t period = repeat.GetPeriod();
  if (u < start || period == 0) return u;
  uint32_t local = u - start;
  if (local <= repeat.GetDuration() && local > period) local = (local - 1) % period + 1;
  return start + local;
}

boost::shared_ptr<EffectAgent> LookThroughFolding(boost::shared_ptr<EffectAgent> agent,
                                                  uint32_t& u) {
  for (;;) {
    if (boost::shared_ptr<RepeatAgent> repeat = QueryAs<RepeatAgent>(agent, eIidRepeatAgent)) {
      u = FoldByRepeat(*repeat, u);
      agent = repeat->GetChild();
    } else if (boost::shared_ptr<PersistentAgent> hold =
                   QueryAs<PersistentAgent>(agent, eIidPersistentAgent)) {
      agent = hold->GetChild();
    } else {
      return agent;
    }
  }
}

bool IsSetOrProperty(const boost::shared_ptr<EffectAgent>& agent) {
  return Supports(agent, eIidSetAgent) || Supports(agent, eIidPropertyAgent);
}

int Attribute(const boost::shared_ptr<EffectAgent>& agent) {
  boost::shared_ptr<IPropertyValue> value;
  agent->GetProperty(value, ePropAttribute);
  return property_cast<int>(value);
}

uint64_t EndOf(EffectAgent& agent) {
  return static_cast<uint64_t>(agent.GetStart()) + agent.GetDuration();
}

// The checks below read only the facts and the agents' activity, which has
// no side effects, so the kind is compared before the activity is asked.
bool GivesWay(const std::vector<AgentFacts>& facts, const std::vector<uint32_t>& times, size_t i) {
  const AgentFacts& agent = facts[i];
  if (agent.setOrProperty) {
    const int attribute = agent.attribute;
    if (attribute != 2 && attribute != 3 && attribute != 5) return false;
    for (size_t j = i + 1; j < facts.size(); ++j) {
      const AgentFacts& later = facts[j];
      if (later.setOrProperty && later.attribute == attribute && later.inner->IsActive(times[j]))
        return true;
    }
    return false;
  }
  if (agent.scale) {
    for (size_t j = i + 1; j < facts.size(); ++j) {
      const AgentFacts& later = facts[j];
      if (later.scale && later.scaleWithFrom && later.inner->IsActive(times[j]) &&
          later.inner->GetStart() > agent.inner->GetStart())
        return true;
    }
  }
  return false;
}

}  // namespace

boost::shared_ptr<EffectAgent> LookThrough(boost::shared_ptr<EffectAgent> agent) {
  uint32_t unused = 0;
  return LookThroughFolding(agent, unused);
}

std::vector<AgentFacts> StudyAgents(const std::vector<boost::shared_ptr<EffectAgent>>& agents) {
  std::vector<AgentFacts> facts;
  facts.reserve(agents.size());
  for (const boost::shared_ptr<EffectAgent>& agent : agents) {
    if (!agent) continue;
    AgentFacts entry;
    entry.stored = agent;
    boost::shared_ptr<EffectAgent> inner = agent;
    for (;;) {
      if (boost::shared_ptr<RepeatAgent> repeat = QueryAs<RepeatAgent>(inner, eIidRepeatAgent)) {
        entry.repeats.push_back(repeat.get());
        inner = repeat->GetChild();
      } else if (boost::shared_ptr<PersistentAgent> hold =
                     QueryAs<PersistentAgent>(inner, eIidPersistentAgent)) {
        inner = hold->GetChild();
      } else {
        break;
      }
    }
    entry.inner = inner;
    entry.setOrProperty = IsSetOrProperty(inner);
    if (entry.setOrProperty) entry.attribute = Attribute(inner);
    entry.scale = Supports(inner, eIidScaleAgent);
    entry.scaleWithFrom = entry.scale && Has(inner->Behaviour(), ePropFrom);
    if (boost::shared_ptr<PersistentAgent> hold =
            QueryAs<PersistentAgent>(agent, eIidPersistentAgent))
      if (Supports(hold->GetChild(), eIidScaleAgent)) entry.heldScale = hold->GetChild().get();
    facts.push_back(std::move(entry));
  }
  return facts;
}

void ChooseAgents(const std::vector<AgentFacts>& facts, uint32_t u,
                  std::vector<ChosenAgent>& chosen) {
  chosen.clear();
  // A repeat folds the time for its own checks and every later agent's.
  thread_local std::vector<uint32_t> times;
  times.resize(facts.size());
  for (size_t i = 0; i < facts.size(); ++i) {
    for (RepeatAgent* repeat : facts[i].repeats) u = FoldByRepeat(*repeat, u);
    times[i] = u;
  }
  // Held scale agents: one whose end does not reach past the latest end of
  // the held scales already running adds nothing.
  uint64_t maxEnd = 0;
  for (size_t i = 0; i < facts.size(); ++i) {
    if (GivesWay(facts, times, i)) continue;
    if (EffectAgent* scale = facts[i].heldScale) {
      const uint64_t end = EndOf(*scale);
      if (maxEnd >= end) continue;
      if (scale->GetStart() < times[i]) maxEnd = end;
    }
    chosen.push_back(ChosenAgent{i, times[i]});
  }
}

std::vector<SelectedAgent> SelectAgents(const std::vector<boost::shared_ptr<EffectAgent>>& agents,
                                        uint32_t u) {
  const std::vector<AgentFacts> facts = StudyAgents(agents);
  std::vector<ChosenAgent> chosen;
  ChooseAgents(facts, u, chosen);
  std::vector<SelectedAgent> result;
  result.reserve(chosen.size());
  for (const ChosenAgent& c : chosen)
    result.push_back(SelectedAgent{facts[c.index].stored, facts[c.index].inner, c.time});
  return result;
}
