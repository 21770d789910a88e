#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/AudioEffectAgent.h"
#include "agents/AutoReverseAgent.h"
#include "agents/MotionEffectAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "agents/RotationEffectAgent.h"
#include "agents/ScaleEffectAgent.h"
#include "fake_screen.h"
#include "filters/FadeAgent.h"

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
  };
  for (const ProfileCase& c : cases) {
    fake::ProbeAgent agent(false, c.accel, c.decel);
    agent.SetTiming(300, c.duration);
    for (const auto& point : c.points)
      EXPECT_NEAR(agent.GetProgress(300 + point.first), point.second, 1e-9)
          << c.name << " at u=" << point.first;
  }
}

TEST(EffectAgentProgress, ZeroLengthGivesTheEndState) {
  fake::ProbeAgent agent;
  agent.SetTiming(100, 0);
  EXPECT_EQ(agent.GetProgress(100), 1.0);
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

TEST(EffectAgentInterfaces, EachClassAnswersItsOwnIds) {
  auto context = boost::make_shared<PublishContext>();
  boost::shared_ptr<IInterface> none;
  auto leaf = [] { return boost::make_shared<fake::ProbeAgent>(); };
  const struct {
    const char* name;
    boost::shared_ptr<EffectAgent> agent;
    std::set<int> ids;
  } rows[] = {
      {"probe", leaf(), {28, 68}},
      {"rotation", boost::make_shared<RotationEffectAgent>(none, context, 0, 0), {28, 68, 72}},
      {"motion", boost::make_shared<MotionEffectAgent>(none, context, 0, 0), {28, 68, 72, 76}},
      {"scale", boost::make_shared<ScaleEffectAgent>(none, context, 0, 0), {28, 68, 72, 78}},
      {"audio", boost::make_shared<AudioEffectAgent>(none, context, 0, 0), {28, 68, 72, 82}},
      {"fade", boost::make_shared<FadeAgent>(none, context, 0, 0), {28, 68, 72, 74}},
      {"container", boost::make_shared<ContainerAgent>(leaf(), 0, 0), {28, 68, 73}},
      {"auto-reverse", boost::make_shared<AutoReverseAgent>(leaf(), 0, 0), {28, 68, 73}},
      {"repeat", boost::make_shared<RepeatAgent>(leaf(), 2, 100, 0, 0), {71}},
      {"hold", boost::make_shared<PersistentAgent>(leaf(), 100), {69, 70}},
  };
  for (const auto& row : rows) {
    for (int id = 0; id < 100; ++id) {
      boost::shared_ptr<IInterface> out;
      bool shares = false;
      const bool answered = row.agent->QueryInterface(&out, &shares, static_cast<EInterfaceId>(id));
      EXPECT_EQ(answered, row.ids.count(id) == 1) << row.name << " id " << id;
      if (answered) {
        EXPECT_TRUE(out && shares) << row.name << " id " << id;
      }
    }
  }
}

}  // namespace
