#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "document/Effect.h"
#include "screen/EffectAgentFactory.h"

namespace {

using platform::BehaviourNode;
using platform::Effect;

boost::shared_ptr<EffectAgent> Create(const boost::shared_ptr<Effect>& effect,
                                      const boost::shared_ptr<BehaviourNode>& node) {
  return CreateEffectAgent(effect, boost::make_shared<PublishContext>(), node);
}

// The id that tells the class apart, or 0 for no agent.
int ClassId(const boost::shared_ptr<EffectAgent>& agent) {
  if (!agent) return 0;
  for (int id : {74, 76, 78, 82, 75, 77})
    if (Supports(agent, static_cast<EInterfaceId>(id))) return id;
  return Supports(agent, eIidBaseEffectAgent) ? 72 : 68;
}

TEST(EffectAgentFactory, DispatchesByKind) {
  auto effect = boost::make_shared<Effect>(L"1");
  // Commands (9) and unknown kinds never have an agent; the colour agent (4)
  // answers only the base id.
  const struct {
    uint32_t kind;
    int id;
  } rows[] = {{0, 0},  {2, 0}, {3, 77},  {4, 72},  {6, 76}, {7, 72},
              {8, 78}, {9, 0}, {10, 75}, {11, 82}, {12, 0}};
  for (const auto& row : rows)
    EXPECT_EQ(ClassId(Create(effect, boost::make_shared<BehaviourNode>(row.kind))), row.id)
        << "kind " << row.kind;
}

TEST(EffectAgentFactory, DispatchesFiltersByFilterKind) {
  auto effect = boost::make_shared<Effect>(L"1");
  auto filter = [&](int kind) {
    auto node = boost::make_shared<BehaviourNode>(eBehaviourFilter);
    node->Set<int>(ePropFilterKind, kind);
    return Create(effect, node);
  };
  EXPECT_EQ(ClassId(filter(1)), 74);  // fade
  for (int kind : {11, 20, -1}) EXPECT_FALSE(filter(kind)) << "filter kind " << kind;
}

TEST(EffectAgentFactory, WheelSpokes) {
  const int spokes[][2] = {{15, 1}, {16, 2}, {17, 3}, {18, 4}, {19, 8}, {14, 0}, {20, 0}};
  for (const auto& row : spokes) EXPECT_EQ(WheelSpokes(row[0]), uint32_t(row[1])) << row[0];
}

TEST(EffectAgentFactory, BehaviourProfileOverridesTheEffects) {
  const struct {
    const char* name;
    float effectAccel, nodeAccel;  // < 0: absent
    double accel;
  } rows[] = {
      {"from the effect, truncated", 50000.7f, -1, 0.5},
      {"the behaviour's even when 0", 50000.0f, 0.0f, 0.0},
      {"the behaviour's alone", -1, 25000.9f, 0.25},
      {"none", -1, -1, 0.0},
      {"held to the whole duration", 250000.0f, -1, 1.0},
  };
  for (const auto& row : rows) {
    auto effect = boost::make_shared<Effect>(L"1");
    auto node = boost::make_shared<BehaviourNode>(eBehaviourRotation);
    if (row.effectAccel >= 0) effect->Set<float>(ePropAccel, row.effectAccel);
    if (row.nodeAccel >= 0) node->Set<float>(ePropAccel, row.nodeAccel);
    effect->Set<float>(ePropDecel, 10000.0f);
    boost::shared_ptr<EffectAgent> agent = Create(effect, node);
    ASSERT_TRUE(agent);
    EXPECT_DOUBLE_EQ(agent->GetAccel(), row.accel) << row.name;
    EXPECT_DOUBLE_EQ(agent->GetDecel(), 0.1) << row.name;
  }
}

}  // namespace
