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

uint64_t EndOf(const boost::shared_ptr<EffectAgent>& agent) {
  return static_cast<uint64_t>(agent->GetStart()) + agent->GetDuration();
}

bool GivesWay(const std::vector<SelectedAgent>& all, size_t i) {
  const boost::shared_ptr<EffectAgent>& agent = all[i].inner;
  if (IsSetOrProperty(agent)) {
    const int attribute = Attribute(agent);
    if (attribute != 2 && attribute != 3 && attribute != 5) return false;
    for (size_t j = i + 1; j < all.size(); ++j) {
      const boost::shared_ptr<EffectAgent>& later = all[j].inner;
      if (later->IsActive(all[j].time) && IsSetOrProperty(later) && Attribute(later) == attribute)
        return true;
    }
    return false;
  }
  if (Supports(agent, eIidScaleAgent)) {
    for (size_t j = i + 1; j < all.size(); ++j) {
      const boost::shared_ptr<EffectAgent>& later = all[j].inner;
      if (later->IsActive(all[j].time) && Supports(later, eIidScaleAgent) &&
          Has(later->Behaviour(), ePropFrom) && later->GetStart() > agent->GetStart())
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

std::vector<SelectedAgent> SelectAgents(const std::vector<boost::shared_ptr<EffectAgent>>& agents,
                                        uint32_t u) {
  std::vector<SelectedAgent> all;
  all.reserve(agents.size());
  for (const boost::shared_ptr<EffectAgent>& agent : agents) {
    if (!agent) continue;
    SelectedAgent entry;
    entry.stored = agent;
    entry.inner = LookThroughFolding(agent, u);
    entry.time = u;
    all.push_back(entry);
  }

  std::vector<SelectedAgent> chosen;
  for (size_t i = 0; i < all.size(); ++i)
    if (!GivesWay(all, i)) chosen.push_back(all[i]);

  // Held scale agents: one whose end does not reach past the latest end of
  // the held scales already running adds nothing.
  std::vector<SelectedAgent> result;
  uint64_t maxEnd = 0;
  for (const SelectedAgent& entry : chosen) {
    boost::shared_ptr<PersistentAgent> hold =
        QueryAs<PersistentAgent>(entry.stored, eIidPersistentAgent);
    if (hold && Supports(hold->GetChild(), eIidScaleAgent)) {
      const boost::shared_ptr<EffectAgent>& scale = hold->GetChild();
      const uint64_t end = EndOf(scale);
      if (maxEnd >= end) continue;
      if (scale->GetStart() < entry.time) maxEnd = end;
    }
    result.push_back(entry);
  }
  return result;
}
