#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "fake_screen.h"

namespace {

struct ProfileCase {
  const char* name;
  uint32_t accel, decel, duration;
  std::vector<std::pair<uint32_t, double>> points;  // (u, progress)
};

TEST(EffectAgentProgress, FollowsTheVelocityProfile) {
  const ProfileCase cases[] = {
      {"linear", 0, 0, 1000, {{0, 0.0}, {250, 0.25}, {1000, 1.0}}},
      {"half and half",
       50000,
       50000,
       1000,
       {{0, 0}, {250, 0.125}, {500, 0.5}, {750, 0.875}, {1000, 1}}},
      {"full accel", 100000, 0, 1000, {{0, 0}, {500, 0.25}, {900, 0.81}, {1000, 1}}},
      {"decel only", 0, 100000, 1000, {{0, 0}, {500, 0.75}, {1000, 1}}},
      {"accel, cruise, decel", 20000, 30000, 1000, {{200, 0.4 / 3}, {700, 0.8}, {1000, 1}}},
      {"no length gives the end state", 0, 0, 0, {{0, 1}}},
  };
  for (const ProfileCase& c : cases) {
    fake::ProbeAgent agent(false, c.accel, c.decel);
    agent.SetTiming(300, c.duration);
    for (const auto& point : c.points)
      EXPECT_NEAR(agent.GetProgress(300 + point.first), point.second, 1e-9)
          << c.name << " at u=" << point.first;
  }
}

TEST(EffectAgentTime, ForwardAgentDrawsOneClampedFrameAfterItsEnd) {
  fake::ProbeAgent agent;
  agent.SetTiming(200, 300);
  const struct {
    uint32_t in;
    bool draws;
    uint32_t out;
  } frames[] = {{100, false, 100}, {200, true, 200}, {500, true, 500}, {650, true, 500},
                {700, false, 700}, {250, true, 250}, {900, true, 500}};
  for (const auto& f : frames) {
    uint32_t t = f.in;
    EXPECT_EQ(agent.CheckTime(nullptr, t), f.draws) << "t=" << f.in;
    EXPECT_EQ(t, f.out) << "t=" << f.in;
  }
  EXPECT_TRUE(agent.IsFinished());
}

TEST(EffectAgentTime, ReversedAgentClampsAtItsStart) {
  fake::ProbeAgent agent;
  agent.SetTiming(200, 300);
  agent.SetReversed(1);
  uint32_t t = 100;
  EXPECT_TRUE(agent.CheckTime(nullptr, t));
  EXPECT_EQ(t, 200u);
  EXPECT_TRUE(agent.IsFinished());
  t = 650;
  EXPECT_FALSE(agent.CheckTime(nullptr, t));

  fake::ProbeAgent fresh;
  fresh.SetTiming(200, 300);
  fresh.SetReversed(1);
  t = 650;
  EXPECT_FALSE(fresh.CheckTime(nullptr, t));
}

TEST(EffectAgentTime, IndefiniteIsActiveFromItsStart) {
  fake::ProbeAgent agent;
  agent.SetTiming(100, 0xFFFFFFFFu);
  EXPECT_FALSE(agent.IsActive(99));
  EXPECT_TRUE(agent.IsActive(100));
  EXPECT_TRUE(agent.IsActive(0xFFFFFFF0u));
}

}  // namespace
