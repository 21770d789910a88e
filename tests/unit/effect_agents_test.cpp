// Effect agents on stand-in screen objects: progress through their velocity
// profile, the times they draw at, the containers that hold, repeat and
// reverse them, and the transforms and fades they draw.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include <boost/make_shared.hpp>

#include "agents/AutoReverseAgent.h"
#include "agents/MotionEffectAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "agents/RotationEffectAgent.h"
#include "agents/ScaleEffectAgent.h"
#include "agents/TransformOps.h"
#include "behaviours.h"
#include "document/Effect.h"
#include "fake_screen.h"
#include "filters/FadeAgent.h"

namespace {

using behaviours::MakeAgent;
using fake::ProbeAgent;
using platform::BehaviourNode;
using transform::kTx;
using transform::kTy;

const uint32_t kIndefinite = 0xFFFFFFFFu;
const double kPi = 3.141592653589793;
TEST(EffectAgentProgress, FollowsTheVelocityProfile) {
  const struct {
    const char* name;
    uint32_t accel, decel, duration;
    std::vector<std::pair<uint32_t, double>> points;  // (u, progress)
  } cases[] = {
      {"linear", 0, 0, 1000, {{0, 0.0}, {250, 0.25}, {1000, 1.0}}},
      {"halves", 50000, 50000, 1000, {{0, 0}, {250, 0.125}, {500, 0.5}, {750, 0.875}, {1000, 1}}},
      {"full accel", 100000, 0, 1000, {{0, 0}, {500, 0.25}, {900, 0.81}, {1000, 1}}},
      {"decel only", 0, 100000, 1000, {{0, 0}, {500, 0.75}, {1000, 1}}},
      {"accel, cruise, decel", 20000, 30000, 1000, {{200, 0.4 / 3}, {700, 0.8}, {1000, 1}}},
      {"no length gives the end state", 0, 0, 0, {{0, 1}}},
  };
  for (const auto& c : cases) {
    ProbeAgent agent(false, c.accel, c.decel);
    agent.SetTiming(300, c.duration);
    for (const auto& point : c.points)
      EXPECT_NEAR(agent.GetProgress(300 + point.first), point.second, 1e-9)
          << c.name << " at u=" << point.first;
  }
}

// What an agent from 200 for 300 ms makes of each time in turn: "-" when it
// does not draw, else the time it draws at. A forward agent draws one frame
// clamped to its end after it; a reversed one clamps to its start before it.
TEST(EffectAgentTime, DrawsOneClampedFrameOutsideItsTime) {
  const struct {
    const char* name;
    bool reversed;
    const char* times;
    const char* drawn;
    bool finished;
  } rows[] = {
      {"forward", false, "100 200 500 650 700 250 900", "- 200 500 500 - 250 500", true},
      {"reversed", true, "100 650", "200 -", true},
      {"reversed, after its end first", true, "650", "-", false},
  };
  for (const auto& row : rows) {
    ProbeAgent agent;
    agent.SetTiming(200, 300);
    agent.SetReversed(row.reversed);
    std::istringstream times(row.times);
    std::string drawn;
    for (uint32_t t; times >> t;)
      drawn += (drawn.empty() ? "" : " ") + (agent.CheckTime(nullptr, t) ? std::to_string(t) : "-");
    EXPECT_EQ(drawn, row.drawn) << row.name;
    EXPECT_EQ(agent.IsFinished(), row.finished) << row.name;
  }
}

TEST(EffectAgentTime, IndefiniteIsActiveFromItsStart) {
  ProbeAgent agent;
  agent.SetTiming(100, kIndefinite);
  EXPECT_FALSE(agent.IsActive(99));
  EXPECT_TRUE(agent.IsActive(100));
  EXPECT_TRUE(agent.IsActive(0xFFFFFFF0u));
}

// The times a container passes its child when applied at each time in turn,
// with "r" where the child plays reversed; then the container's own start
// and length ("inf" for indefinite), and "done" once it has finished.
TEST(ContainerAgents, PassTheirChildTheTimeItIsAt) {
  using Child = boost::shared_ptr<EffectAgent>;
  auto repeat = [](uint32_t count, uint32_t duration) {
    return [=](Child child) {
      auto agent = boost::make_shared<RepeatAgent>(child, count, 1000, 0, 0);
      agent->SetTiming(0, duration);
      return Child(agent);
    };
  };
  auto hold = [](uint32_t until) {
    return [=](Child child) { return Child(boost::make_shared<PersistentAgent>(child, until)); };
  };
  auto holdThenRepeat = [&](Child child) { return repeat(3, 3000)(hold(kIndefinite)(child)); };
  auto reverse = [](Child c) { return Child(boost::make_shared<AutoReverseAgent>(c, 0, 0)); };
  auto reverseHalf = [](Child c) {
    return Child(boost::make_shared<AutoReverseAgent>(c, 1000, 0, 0));
  };
  const struct {
    const char* name;
    std::function<Child(Child)> wrap;
    uint32_t childStart, childDuration;
    const char* times;
    const char* passed;
  } rows[] = {
      // Past its end the repeat clamps once to its end, then draws nothing.
      {"a repeat folds time into one pass", repeat(3, 3000), 0, 1000,
       "500 1000 1500 2000 2500 3000 3200 3300", "500 1000 500 1000 500 1000 1000; 0+3000 done"},
      // The hold clamps to its child's end; the repeat itself never finishes.
      {"a repeat around a hold passes late times on", holdThenRepeat, 0, 1000, "3200 5000",
       "1000 1000; 0+3000"},
      {"a count of 0 passes every time", repeat(0, kIndefinite), 0, kIndefinite, "500 1500 2500",
       "500 1500 2500; 0+inf"},
      {"a hold keeps the end", hold(kIndefinite), 100, 400, "50 300 10000", "50 300 500; 100+inf"},
      {"a hold until its time", hold(2000), 100, 400, "2000 2001", "500; 100+2000"},
      {"a hold does not cut an indefinite child short", hold(kIndefinite), 500, kIndefinite,
       "600 90000", "600 90000; 500+inf"},
      // Clamped once at its own end, then nothing; the flag flipped only once.
      {"a reverse mirrors its second half", reverse, 0, 1000, "400 1000 1300 2000 2500 2600 1500",
       "400 1000 700r 0r 0r 500r; 0+2000"},
      // A unit late in a 1000 ms pass: its end bounds the forward time.
      {"a reverse of a given half runs from 0", reverseHalf, 200, 300, "400 900 1700",
       "400 500 300r; 0+2000"},
  };
  auto ms = [](uint32_t t) { return t == kIndefinite ? std::string("inf") : std::to_string(t); };
  for (const auto& row : rows) {
    auto probe = boost::make_shared<ProbeAgent>();
    probe->SetTiming(row.childStart, row.childDuration);
    auto agent = row.wrap(probe);
    std::istringstream times(row.times);
    std::string passed;
    for (uint32_t t; times >> t;) {
      const size_t before = probe->times.size();
      agent->Apply(nullptr, t);
      if (probe->times.size() == before) continue;
      passed += (passed.empty() ? "" : " ") + std::to_string(probe->times.back()) +
                (probe->GetReversed() ? "r" : "");
    }
    passed += "; " + ms(agent->GetStart()) + "+" + ms(agent->GetDuration()) +
              (agent->IsFinished() ? " done" : "");
    EXPECT_EQ(passed, row.passed) << row.name;
  }
}

// A shape with bounds (100, 100, 300, 200), centre (200, 150), on a 720 x 540 slide.
fake::NodePtr Shape() {
  return fake::MakeShape(L"7", {});
}

// A quarter turn is exact; a scale acts after the transform already there.
TEST(TransformOps, TurnAndScaleAboutAPoint) {
  auto mapped = [](const double* m, double x, double y) {
    std::pair<double, double> out;
    transform::MapPoint(m, x, y, out.first, out.second);
    return out;
  };
  double turned[6] = {0, 0, 0, 0, 1, 1};
  transform::RotateAbout(turned, kPi / 2, 200, 150);
  EXPECT_EQ(std::vector<double>(turned, turned + 6), (std::vector<double>{350, -50, 1, -1, 0, 0}));
  EXPECT_EQ(mapped(turned, 300, 150), std::make_pair(200.0, 250.0));
  double scaled[6] = {10, 0, 0, 0, 1, 1};  // moved right by 10
  transform::ScaleAbout(scaled, 2, 3, 100, 100);
  EXPECT_EQ(mapped(scaled, 50, 50), std::make_pair(20.0, -50.0));  // (60, 50) about (100, 100)
}

// Makes fresh agents of class A for a behaviour of `kind` set up by `set`.
template <class A>
std::function<boost::shared_ptr<EffectAgent>()> Agent(uint32_t kind,
                                                      std::function<void(BehaviourNode&)> set) {
  auto node = boost::make_shared<BehaviourNode>(kind);
  set(*node);
  return [node] { return MakeAgent<A>(node); };
}

// The frame transform each agent leaves at time t of its 1000 ms on the
// shape, on the shape moved by (50, 20) first, or on a shape without extent.
TEST(TransformAgents, DrawTheFrameTransform) {
  using Kinefold::TPoint;
  auto turn = Agent<RotationEffectAgent>(eBehaviourRotation,
                                         [](BehaviourNode& b) { b.Set<int>(ePropBy, 21600000); });
  auto fromTo = Agent<RotationEffectAgent>(eBehaviourRotation, [](BehaviourNode& b) {
    b.Set<int>(ePropFrom, 90 * 60000).Set<int>(ePropTo, 180 * 60000);
  });
  auto grow = Agent<ScaleEffectAgent>(eBehaviourScale, [](BehaviourNode& b) {
    b.Set<TPoint>(ePropBy, {150, 150}).Set<TPoint>(ePropFrom, {50, 50});
  });
  auto wide = Agent<ScaleEffectAgent>(eBehaviourScale, [](BehaviourNode& b) {
    b.Set<TPoint>(ePropTo, {200, 100});
  });
  auto path = Agent<MotionEffectAgent>(eBehaviourMotion, [](BehaviourNode& b) {
    b.Set<int>(ePropMotionPathMode, 1).Set<std::wstring>(ePropMotionPath, L"M 0 0 L 0.25 0 E");
  });
  auto back = Agent<MotionEffectAgent>(eBehaviourMotion, [](BehaviourNode& b) {
    b.Set<int>(ePropMotionPathMode, 1).Set<TPoint>(ePropMotionBy, {0.25, 0.5});
    b.Set<float>(ePropSpeed306, -100000.0f);
  });
  const struct {
    const char* name;
    std::function<boost::shared_ptr<EffectAgent>()> agent;
    char target;  // 's' the shape, 'm' moved, 'e' without extent
    uint32_t t;
    std::vector<double> matrix;
  } rows[] = {
      {"a full turn, a quarter in, about the centre", turn, 's', 250, {350, -50, 1, -1, 0, 0}},
      {"from 90 to 180 degrees turns by 90", fromTo, 's', 1000, {350, -50, 1, -1, 0, 0}},
      {"scale from and by", grow, 's', 500, {200 - 1.25 * 200, 150 - 1.25 * 150, 0, 0, 1.25, 1.25}},
      {"scale to, on one axis", wide, 's', 1000, {-200, 0, 0, 0, 2, 1}},
      {"scale without extent", wide, 'e', 1000, {0, 0, 0, 0, 1, 1}},
      {"the centre on the path", path, 's', 500, {90, 0, 0, 0, 1, 1}},
      {"whatever moved the shape before", path, 'm', 0, {0, 0, 0, 0, 1, 1}},
      {"reverse speed starts at the end", back, 's', 0, {180, 270, 0, 0, 1, 1}},
      {"... and ends at the start", back, 's', 1000, {0, 0, 0, 0, 1, 1}},
  };
  for (const auto& row : rows) {
    auto target = row.target == 'e' ? fake::MakeNode(L"dot", {9}) : Shape();
    if (row.target == 'm') {
      target->transform[kTx] = 50;
      target->transform[kTy] = 20;
    }
    row.agent()->Apply(target, row.t);
    EXPECT_EQ(std::vector<double>(target->transform, target->transform + 6), row.matrix)
        << row.name;
  }
}

TEST(MotionEffectAgent, WebPathText) {
  auto by = boost::make_shared<BehaviourNode>(eBehaviourMotion);
  by->Set<Kinefold::TPoint>(ePropMotionBy, {0.25, 0.5}).Set<int>(ePropMotionOrigin, 0);
  double x = 0, y = 0;
  bool slideOrigin = false;
  EXPECT_EQ(MakeAgent<MotionEffectAgent>(by)->GetWebPathText(Shape(), x, y, slideOrigin),
            L"M 0 0 L 0.000462963 0.000694444");
  EXPECT_EQ(std::make_tuple(x, y, slideOrigin), std::make_tuple(200.0, 150.0, true));

  auto text = boost::make_shared<BehaviourNode>(eBehaviourMotion);
  text->Set<std::wstring>(ePropMotionPath, L"M 0 0 L 1 1 E");
  EXPECT_EQ(MakeAgent<MotionEffectAgent>(text)->GetWebPathText(Shape(), x, y, slideOrigin),
            L"M 0 0 L 1 1");
  EXPECT_FALSE(slideOrigin);
}

TEST(FadeAgent, RunsTheAlphaOffset) {
  const struct {
    int fadeOut;
    uint32_t t;
    int32_t offset;
  } rows[] = {{0, 0, -255}, {0, 500, -127}, {0, 1000, 0},
              {1, 0, 0},    {1, 500, -127}, {1, 1000, -255}};
  for (const auto& row : rows) {
    auto node = boost::make_shared<BehaviourNode>(eBehaviourFilter);
    node->Set<int>(ePropFadeOut, row.fadeOut);
    auto leaf = fake::MakeNode(L"7/shape/fill", {9}, 0, 0, 10, 10);  // a plain shape context
    leaf->colour.alphaMul = 0.5;
    MakeAgent<FadeAgent>(node)->Apply(leaf, row.t);
    EXPECT_EQ(leaf->colour.alphaMul, 1.0);
    EXPECT_EQ(leaf->colour.alphaAdd, row.offset) << row.fadeOut << " at " << row.t;
  }
}

}  // namespace
