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
using transform::kA;
using transform::kB;
using transform::kC;
using transform::kD;
using transform::kTx;
using transform::kTy;

const double kPi = 3.141592653589793;

// A shape with bounds (100, 100, 300, 200), centre (200, 150), on a 720 x 540 slide.
fake::NodePtr Shape() {
  return fake::MakeShape(L"7", {});
}

using behaviours::MakeAgent;

std::vector<double> Matrix(const fake::NodePtr& node) {
  return std::vector<double>(node->transform, node->transform + 6);
}

TEST(TransformOps, QuarterTurnIsExact) {
  double m[6] = {0, 0, 0, 0, 1, 1};
  transform::RotateAbout(m, kPi / 2, 200, 150);
  EXPECT_EQ(std::vector<double>(m, m + 6), (std::vector<double>{350, -50, 1, -1, 0, 0}));
  double x = 0, y = 0;
  transform::MapPoint(m, 300, 150, x, y);
  EXPECT_EQ(x, 200.0);
  EXPECT_EQ(y, 250.0);
}

TEST(TransformOps, ScaleActsAfterTheExistingTransform) {
  double m[6] = {10, 0, 0, 0, 1, 1};  // moved right by 10
  transform::ScaleAbout(m, 2, 3, 100, 100);
  double x = 0, y = 0;
  transform::MapPoint(m, 50, 50, x, y);  // (60, 50) scaled about (100, 100)
  EXPECT_EQ(x, 20.0);
  EXPECT_EQ(y, -50.0);
}

TEST(RotationEffectAgent, TurnsAboutTheCentre) {
  auto node = boost::make_shared<BehaviourNode>(eBehaviourRotation);
  node->Set<int>(ePropBy, 360 * 60000);
  auto shape = Shape();
  MakeAgent<RotationEffectAgent>(node)->Apply(shape, 250);
  EXPECT_EQ(Matrix(shape), (std::vector<double>{350, -50, 1, -1, 0, 0}));

  // From 90 to 180 degrees turns by the difference.
  auto fromTo = boost::make_shared<BehaviourNode>(eBehaviourRotation);
  fromTo->Set<int>(ePropFrom, 90 * 60000).Set<int>(ePropTo, 180 * 60000);
  shape->ResetFrame();
  MakeAgent<RotationEffectAgent>(fromTo)->Apply(shape, 1000);
  EXPECT_EQ(Matrix(shape), (std::vector<double>{350, -50, 1, -1, 0, 0}));
}

TEST(ScaleEffectAgent, ScalesTheAnimatedAxes) {
  auto by = boost::make_shared<BehaviourNode>(eBehaviourScale);
  by->Set<Kinefold::TPoint>(ePropBy, {150, 150}).Set<Kinefold::TPoint>(ePropFrom, {50, 50});
  auto shape = Shape();
  MakeAgent<ScaleEffectAgent>(by)->Apply(shape, 500);
  EXPECT_DOUBLE_EQ(shape->transform[kA], 1.25);
  EXPECT_DOUBLE_EQ(shape->transform[kD], 1.25);
  EXPECT_DOUBLE_EQ(shape->transform[kTx], 200 - 1.25 * 200);

  auto wide = boost::make_shared<BehaviourNode>(eBehaviourScale);
  wide->Set<Kinefold::TPoint>(ePropTo, {200, 100});
  shape->ResetFrame();
  MakeAgent<ScaleEffectAgent>(wide)->Apply(shape, 1000);
  EXPECT_EQ(Matrix(shape), (std::vector<double>{-200, 0, 0, 0, 2, 1}));

  auto empty = fake::MakeNode(L"dot", {9});
  MakeAgent<ScaleEffectAgent>(wide)->Apply(empty, 1000);
  EXPECT_EQ(Matrix(empty), (std::vector<double>{0, 0, 0, 0, 1, 1}));
}

TEST(MotionEffectAgent, PutsTheCentreOnThePath) {
  auto node = boost::make_shared<BehaviourNode>(eBehaviourMotion);
  node->Set<int>(ePropMotionPathMode, 1).Set<std::wstring>(ePropMotionPath, L"M 0 0 L 0.25 0 E");
  auto shape = Shape();
  auto agent = MakeAgent<MotionEffectAgent>(node);
  agent->Apply(shape, 500);
  EXPECT_DOUBLE_EQ(shape->transform[kTx], 90);
  EXPECT_DOUBLE_EQ(shape->transform[kTy], 0);
  // Whatever moved the shape before, its centre lands on the path.
  shape->ResetFrame();
  shape->transform[kTx] = 50;
  shape->transform[kTy] = 20;
  agent->Apply(shape, 0);
  EXPECT_DOUBLE_EQ(shape->transform[kTx], 0);
  EXPECT_DOUBLE_EQ(shape->transform[kTy], 0);
}

TEST(MotionEffectAgent, ReverseSpeedRunsFromTheEnd) {
  auto node = boost::make_shared<BehaviourNode>(eBehaviourMotion);
  node->Set<int>(ePropMotionPathMode, 1)
      .Set<Kinefold::TPoint>(ePropMotionBy, {0.25, 0.5})
      .Set<float>(ePropSpeed306, -100000.0f);
  auto agent = MakeAgent<MotionEffectAgent>(node);
  const struct {
    uint32_t t;
    double tx, ty;
  } frames[] = {{0, 180, 270}, {1000, 0, 0}};
  for (const auto& f : frames) {
    auto shape = Shape();
    agent->Apply(shape, f.t);
    EXPECT_DOUBLE_EQ(shape->transform[kTx], f.tx) << f.t;
    EXPECT_DOUBLE_EQ(shape->transform[kTy], f.ty) << f.t;
  }
}

TEST(MotionEffectAgent, WebPathText) {
  auto by = boost::make_shared<BehaviourNode>(eBehaviourMotion);
  by->Set<Kinefold::TPoint>(ePropMotionBy, {0.25, 0.5}).Set<int>(ePropMotionOrigin, 0);
  double x = 0, y = 0;
  bool slideOrigin = false;
  EXPECT_EQ(MakeAgent<MotionEffectAgent>(by)->GetWebPathText(Shape(), x, y, slideOrigin),
            L"M 0 0 L 0.000462963 0.000694444");
  EXPECT_EQ(x, 200.0);
  EXPECT_EQ(y, 150.0);
  EXPECT_TRUE(slideOrigin);

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
