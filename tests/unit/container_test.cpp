#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/AutoReverseAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "fake_screen.h"

namespace {

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
