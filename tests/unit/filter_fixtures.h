// What the filter tests share: a one-shape slide built by the publisher,
// filter agents made by the factory, and what their masks leave visible.
#pragma once

#include <string>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include "document/Effect.h"
#include "document/Slide.h"
#include "filters/GeneralAgent.h"
#include "filters/MorphFilterAgent.h"
#include "host/Properties.h"
#include "publisher/MaskGeometry.h"
#include "publisher/MaskShapes.h"
#include "publisher/SlideScreen.h"
#include "screen/EffectAgentFactory.h"

namespace filters {

constexpr double kPi = 3.14159265358979323846;

struct Params {
  int presetClass = 0;  // < 0: the cell is left unset
  int subtype = 0;
  int transition = 0;
  uint32_t start = 0;
  uint32_t duration = 1000;
  float accel = 0.0f;  // 1/100000 of the duration
  float decel = 0.0f;
};

// The agent the factory makes for filter `kind`, as an A, with its preset
// class and timing set as the timing translation sets them.
template <class A = EffectAgent>
boost::shared_ptr<A> MakeFilter(int kind, const Params& params = Params()) {
  auto node = boost::make_shared<platform::BehaviourNode>(eBehaviourFilter);
  node->Set<int>(ePropFilterKind, kind)
      .Set<int>(ePropFilterSubtype, params.subtype)
      .Set<int>(ePropFadeOut, params.transition)
      .Set<float>(ePropAccel, params.accel)
      .Set<float>(ePropDecel, params.decel);
  boost::shared_ptr<EffectAgent> agent = CreateEffectAgent(
      boost::make_shared<platform::Effect>(L"2"), boost::make_shared<PublishContext>(), node);
  if (!agent) return nullptr;
  auto cell = boost::make_shared<PresetClassCell>();
  if (params.presetClass >= 0) cell->Set(static_cast<uint32_t>(params.presetClass));
  agent->SetPresetClass(cell);
  agent->SetTiming(params.start, params.duration);
  return boost::dynamic_pointer_cast<A>(agent);
}

// Shape "2" with bounds (l, t) to (l + w, t + h) on a slide of its own.
struct Stage {
  Stage(double l, double t, double w, double h) {
    slide = boost::make_shared<platform::Slide>();
    slide->AddShape(L"2").SetBounds(l, t, w, h).SetSolidFill({255, 0, 0, 255});
    screen = platform::SlideScreen::Build(slide);
  }
  boost::shared_ptr<IScreenObject> Target() const { return screen->Find(L"2"); }
  platform::ScreenNode& Node() const { return *screen->FindNode(L"2"); }

  // Filter `kind` as an A, prepared on the shape and drawn at time t if one
  // is given.
  template <class A = EffectAgent>
  boost::shared_ptr<A> Prepare(int kind, const Params& params = Params(),
                               uint32_t t = 0xFFFFFFFF) const {
    auto agent = MakeFilter<A>(kind, params);
    agent->PrepareAction(Target());
    if (t != 0xFFFFFFFF) agent->Apply(Target(), t);
    return agent;
  }

  boost::shared_ptr<platform::Slide> slide;
  boost::shared_ptr<platform::SlideScreen> screen;
};

inline platform::MaskShape* Ours(const boost::shared_ptr<IScreenShape>& shape) {
  return dynamic_cast<platform::MaskShape*>(shape.get());
}

// The morph shape a morphing filter attached to `node`.
inline platform::MaskShape* MorphOf(const platform::ScreenNode& node,
                                    const MorphFilterAgent& agent) {
  for (const platform::MaskEntry& e : node.Frame().masks)
    if (Ours(e.shape)->Name() == agent.MaskName()) return Ours(Ours(e.shape)->Content());
  return nullptr;
}

// What the node's active masks leave visible at (x, y).
inline bool Visible(const platform::ScreenNode& node, double x, double y) {
  for (const auto& shape : node.Masks().ActiveShapes()) {
    const platform::MaskShape* mask = Ours(shape);
    if (mask && mask->Clips() && !platform::Contains(mask->Geometry(), x, y)) return false;
  }
  return true;
}

// The share of the node's bounds left visible, sampled on a 50 x 50 grid.
inline double VisibleShare(const platform::ScreenNode& node) {
  const double* b = node.Bounds();
  int visible = 0;
  for (int i = 0; i < 50; ++i)
    for (int j = 0; j < 50; ++j)
      visible += Visible(node, b[0] + (b[2] - b[0]) * (i + 0.5) / 50,
                         b[1] + (b[3] - b[1]) * (j + 0.5) / 50);
  return visible / 2500.0;
}

}  // namespace filters
