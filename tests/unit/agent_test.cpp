// Effect agents: progress through their velocity profile, the times they
// draw at, and the containers that hold, repeat and reverse them.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/AutoReverseAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
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

// namespace

using fake::ProbeAgent;

boost::shared_ptr<ProbeAgent> Child(uint32_t start, uint32_t duration) {
  auto child = boost::make_shared<ProbeAgent>();
  child->SetTiming(start, duration);
  return child;
}

// Applies `agent` at each time and returns what the probe received.
std::vector<uint32_t> Drive(EffectAgent& agent, ProbeAgent& probe, std::vector<uint32_t> times) {
  probe.times.clear();
  for (uint32_t t : times) agent.Apply(nullptr, t);
  return probe.times;
}

TEST(RepeatAgent, FoldsTimeIntoOnePass) {
  auto probe = Child(0, 1000);
  RepeatAgent repeat(probe, 3, 1000, 0, 0);
  repeat.SetTiming(0, 3000);
  EXPECT_EQ(Drive(repeat, *probe, {500, 1000, 1500, 2000, 2500, 3000}),
            (std::vector<uint32_t>{500, 1000, 500, 1000, 500, 1000}));
  // Past its end the repeat clamps once to its end, then draws nothing.
  EXPECT_EQ(Drive(repeat, *probe, {3200, 3300}), (std::vector<uint32_t>{1000}));
}

TEST(RepeatAgent, AroundAHoldPassesLateTimesOn) {
  auto probe = Child(0, 1000);
  auto hold = boost::make_shared<PersistentAgent>(probe, 0xFFFFFFFFu);
  RepeatAgent repeat(hold, 3, 1000, 0, 0);
  repeat.SetTiming(0, 3000);
  // The hold clamps to its child's end; the repeat itself never finishes.
  EXPECT_EQ(Drive(repeat, *probe, {3200, 5000}), (std::vector<uint32_t>{1000, 1000}));
  EXPECT_FALSE(repeat.IsFinished());
}

TEST(RepeatAgent, CountZeroPassesEveryTime) {
  auto probe = Child(0, 0xFFFFFFFFu);
  RepeatAgent repeat(probe, 0, 1000, 0, 0);
  repeat.SetTiming(0, 0xFFFFFFFFu);
  EXPECT_EQ(Drive(repeat, *probe, {500, 1500, 2500}), (std::vector<uint32_t>{500, 1500, 2500}));
}

TEST(PersistentAgent, HoldsTheEndUntilItsTime) {
  auto probe = Child(100, 400);
  PersistentAgent forever(probe, 0xFFFFFFFFu);
  EXPECT_EQ(forever.GetStart(), 100u);
  EXPECT_EQ(Drive(forever, *probe, {50, 300, 10000}), (std::vector<uint32_t>{50, 300, 500}));

  PersistentAgent until(probe, 2000);
  EXPECT_EQ(Drive(until, *probe, {2000, 2001}), (std::vector<uint32_t>{500}));
}

TEST(PersistentAgent, IndefiniteChildIsNotCutShort) {
  auto probe = Child(500, 0xFFFFFFFFu);
  PersistentAgent hold(probe, 0xFFFFFFFFu);
  EXPECT_EQ(Drive(hold, *probe, {600, 90000}), (std::vector<uint32_t>{600, 90000}));
}

TEST(AutoReverseAgent, MirrorsTheSecondHalf) {
  auto probe = Child(0, 1000);
  AutoReverseAgent reverse(probe, 0, 0);
  EXPECT_EQ(reverse.GetDuration(), 2000u);
  EXPECT_EQ(Drive(reverse, *probe, {400, 1000}), (std::vector<uint32_t>{400, 1000}));
  EXPECT_EQ(probe->GetReversed(), 0u);
  EXPECT_EQ(Drive(reverse, *probe, {1300, 2000}), (std::vector<uint32_t>{700, 0}));
  EXPECT_EQ(probe->GetReversed(), 1u);
  // Clamped once at its own end, then nothing; the flag flipped only once.
  EXPECT_EQ(Drive(reverse, *probe, {2500, 2600, 1500}), (std::vector<uint32_t>{0, 500}));
  EXPECT_EQ(probe->GetReversed(), 1u);
}

TEST(AutoReverseAgent, GivenHalfRunsFromZero) {
  auto probe = Child(200, 300);  // a unit that starts late in a 1000 ms pass
  AutoReverseAgent reverse(probe, 1000, 0, 0);
  EXPECT_EQ(reverse.GetStart(), 0u);
  EXPECT_EQ(reverse.GetDuration(), 2000u);
  // The child's end bounds the forward time; the mirror brings it back.
  EXPECT_EQ(Drive(reverse, *probe, {400, 900, 1700}), (std::vector<uint32_t>{400, 500, 300}));
}

}  // namespace
