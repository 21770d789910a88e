// Effects and behaviours for the compile tests: the publish context they are
// compiled in (30 fps, a default effect of 15 frames: 500 ms, a frame 34 ms),
// an effect on shape "7", a fade, and time-value lists.
#pragma once

#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "common/PropertySheet.h"
#include "document/Effect.h"
#include "host/Properties.h"

namespace behaviours {

inline boost::shared_ptr<PublishContext> Context() {
  return boost::make_shared<PublishContext>(540.0, 720.0, 30, 15);
}

inline boost::shared_ptr<platform::Effect> MakeEffect(uint32_t duration) {
  auto effect = boost::make_shared<platform::Effect>(L"7");
  effect->SetOwnDuration(duration).PresetClass(0);
  return effect;
}

inline platform::BehaviourNode& AddFade(platform::Effect& effect, int duration = 1000) {
  return effect.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, 1).Duration(duration);
}

// A behaviour of `kind` that drives `attribute`.
inline boost::shared_ptr<platform::BehaviourNode> AttributeNode(uint32_t kind, int attribute) {
  auto node = boost::make_shared<platform::BehaviourNode>(kind);
  node->Set<int>(ePropAttribute, attribute);
  return node;
}

// An agent of class A for `node`, in a default publish context, from 0 for 1000 ms.
template <class A>
boost::shared_ptr<A> MakeAgent(const boost::shared_ptr<platform::BehaviourNode>& node,
                               uint32_t accel = 0, uint32_t decel = 0) {
  auto agent = boost::make_shared<A>(node, boost::make_shared<PublishContext>(), accel, decel);
  agent->SetTiming(0, 1000);
  return agent;
}

// One entry of a time-value list: its time in percent, its value (none when
// null) and its formula (none when empty).
struct Entry {
  double percent;
  boost::shared_ptr<IPropertyValue> value;
  std::wstring formula = {};
};

inline boost::shared_ptr<IPropertyValue> Text(const std::wstring& s) {
  return boost::make_shared<PropertyValue<std::wstring>>(s);
}
inline boost::shared_ptr<IPropertyValue> Number(float f) {
  return boost::make_shared<PropertyValue<float>>(f);
}

inline void SetList(platform::BehaviourNode& node, const std::vector<Entry>& entries) {
  auto list = boost::make_shared<PropertySheetList>();
  for (const Entry& e : entries) {
    auto sheet = boost::make_shared<platform::PropertySheet>();
    sheet->Set<double>(ePropTavTime, e.percent);
    if (e.value) sheet->SetProperty(ePropTavValue, e.value);
    if (!e.formula.empty()) sheet->Set<std::wstring>(ePropTavFormula, e.formula);
    list->Add(sheet);
  }
  node.Set<boost::shared_ptr<PropertySheetList>>(ePropTimeValueList, list);
}

}  // namespace behaviours
