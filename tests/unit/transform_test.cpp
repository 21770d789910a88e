#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/MotionEffectAgent.h"
#include "agents/RotationEffectAgent.h"
#include "agents/ScaleEffectAgent.h"
#include "agents/TransformOps.h"
#include "behaviours.h"
#include "document/Effect.h"
#include "fake_screen.h"
#include "filters/FadeAgent.h"

namespace {

using platform::BehaviourNode;
using transform::kTx;
using transform::kTy;

const double kPi = 3.141592653589793;

// A shape with bounds (100, 100, 300, 200), centre (200, 150), on a 720 x 540 slide.
fake::NodePtr Shape() {
  return fake::MakeShape(L"7", {});
}

using behaviours::MakeAgent;

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
