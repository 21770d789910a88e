// Wedge and wheel pies, the last dissolve frames and peek offsets on the
// publisher's screen objects.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "filter_fixtures.h"
#include "filters/ArcAgent.h"
#include "filters/PeekInAgent.h"

namespace {

using filters::kPi;
using filters::MakeFilterAs;
using filters::Ours;
using filters::Stage;
using platform::MaskGeometry;

// 300 x 400 at (0, 0): radius 250 + 5 about (150, 200), chords of 10 / 255
// radian; the pie opens both ways from straight up and leaves a gap below.
TEST(WedgeAgent, OpensFromTheTopBothWays) {
  EXPECT_DOUBLE_EQ(ArcAgent::ArcStep(255), 10.0 / 255);
  EXPECT_DOUBLE_EQ(ArcAgent::ArcStep(100), 0.1);
  const struct {
    int presetClass;
    uint32_t t;
    std::vector<std::pair<double, double>> shown, hidden;
  } rows[] = {
      {0, 0, {}, {{150, 10}, {150, 390}, {10, 200}}},
      {0, 500, {{150, 10}, {20, 150}}, {{150, 390}}},
      {0, 1000, {{150, 10}, {10, 200}, {290, 390}}, {{150, 390}}},
      {1, 0, {{150, 10}, {150, 390}, {5, 5}}, {}},
      {1, 500, {{150, 390}}, {{150, 10}, {20, 150}}},
      {1, 1000, {{150, 390}}, {{150, 10}, {10, 200}}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, 300, 400);
    auto wedge = MakeFilterAs<GeneralAgent>(14, filters::ForClass(row.presetClass));
    wedge->PrepareAction(stage.Target());
    wedge->Apply(stage.Target(), row.t);
    const MaskGeometry g = filters::Content(*wedge);
    const auto outline = platform::Outline(g);
    for (const auto& p : row.shown)
      EXPECT_TRUE(platform::Contains(outline, p.first, p.second)) << row.t << " " << p.first;
    for (const auto& p : row.hidden)
      EXPECT_FALSE(platform::Contains(outline, p.first, p.second)) << row.t << " " << p.first;
    std::vector<const MaskGeometry*> lines;  // the chords, then the two radii
    for (const MaskGeometry& c : g.children)
      if (c.kind == MaskGeometry::Line) lines.push_back(&c);
    for (size_t i = 0; i + 2 < lines.size(); ++i)
      EXPECT_LE(std::hypot(lines[i]->v[2] - lines[i]->v[0], lines[i]->v[3] - lines[i]->v[1]),
                10.0 + 1e-9);
    if (row.t == 0) {
      EXPECT_EQ(lines.size(), 3u) << "one empty chord and the two radii";
    }
    // An exit shows the circle less the pie.
    const MaskGeometry& last = g.children.back();
    EXPECT_EQ(last.kind == MaskGeometry::Ellipse, row.presetClass == 1);
    if (row.presetClass) {
      EXPECT_EQ(std::vector<double>(last.v, last.v + 4), (std::vector<double>{150, 200, 255, 255}));
    }
  }
}

// An arc is a whole number of chords for any radius: an absurd one, an
// infinite or NaN one, or a step below the precision of the angles.
TEST(WedgeAgent, ArcsEndForAnyRadius) {
  for (double radius : {1e30, HUGE_VAL, std::nan(""), 0.0, 255.0}) {
    for (double sweep : {1e-20, 2 * kPi}) {
      auto pie = ArcAgent::BuildPie(-kPi / 2, -kPi / 2 + sweep, 150, 200, radius);
      ASSERT_TRUE(Ours(pie)) << radius;
      const size_t lines = Ours(pie)->Geometry().children.size();
      EXPECT_GE(lines, 3u) << radius << " " << sweep;
      EXPECT_LE(lines, 4098u) << radius << " " << sweep;
    }
  }
}

// Slices start at equal angles from straight up, going round anticlockwise,
// and each sweeps clockwise over 89/90 of its sector.
TEST(WheelAgent, SpokesAndSweep) {
  const struct {
    int kind, presetClass;
    uint32_t t;
    int spokes;
    double sweep;
  } rows[] = {
      {18, 0, 1000, 4, kPi / 2 * 89 / 90},     {15, 0, 500, 1, kPi * 89 / 90},
      {19, 1, 500, 8, kPi / 8 * 89 / 90},      {16, 0, 0, 2, 0},
      {17, 0, 1000, 3, 2 * kPi / 3 * 89 / 90},
  };
  auto angle = [](const double* v) { return std::atan2(v[1] - 200, v[0] - 150); };
  for (const auto& row : rows) {
    Stage stage(0, 0, 300, 400);
    auto wheel = MakeFilterAs<GeneralAgent>(row.kind, filters::ForClass(row.presetClass));
    wheel->PrepareAction(stage.Target());
    wheel->Apply(stage.Target(), row.t);
    const MaskGeometry g = filters::Content(*wheel);
    ASSERT_EQ(g.children.size(), size_t(row.spokes + row.presetClass)) << row.kind;
    for (int i = 0; i < row.spokes; ++i) {
      const MaskGeometry& slice = g.children[size_t(i)];
      const double start = -kPi / 2 - 2 * kPi / row.spokes * i;
      // The first chord starts at the start; the radius back starts at the end.
      const double* first = slice.children.front().v;
      const double* back = slice.children[slice.children.size() - 2].v;
      EXPECT_NEAR(std::remainder(angle(first) - start, 2 * kPi), 0, 1e-9) << row.kind << " " << i;
      EXPECT_NEAR(std::remainder(angle(back) - start - row.sweep, 2 * kPi), 0, 1e-9)
          << row.kind << " " << i;
    }
  }
  // One spoke half way: the right half, or for an exit the left.
  for (int presetClass : {0, 1}) {
    Stage stage(0, 0, 300, 400);
    auto wheel = MakeFilterAs<GeneralAgent>(15, filters::ForClass(presetClass));
    wheel->PrepareAction(stage.Target());
    wheel->Apply(stage.Target(), 500);
    EXPECT_EQ(filters::Visible(stage.Node(), 250, 200), presetClass == 0);
    EXPECT_EQ(filters::Visible(stage.Node(), 50, 200), presetClass == 1);
  }
}

// Once every cell is shown, a further frame adds nothing and attaches no mask
// of its own. The cells cover the widened bounds.
TEST(DissolveOutAgent, NothingLeftToShow) {
  Stage stage(0, 0, 40, 40);  // widened to (-30, -30)-(70, 70)
  auto dissolve = MakeFilterAs<GeneralAgent>(12);
  dissolve->PrepareAction(stage.Target());
  dissolve->Apply(stage.Target(), 1000);
  const auto mask = dissolve->CurrentMask();
  double box[4];
  ASSERT_TRUE(platform::GeometryBounds(platform::GeometryOf(dissolve->MaskGroup()), box));
  EXPECT_EQ(std::vector<double>(box, box + 4), (std::vector<double>{-30, -30, 70, 70}));
  stage.screen->ResetFrame();
  dissolve->Apply(stage.Target(), 1000);
  EXPECT_EQ(dissolve->CurrentMask(), mask);
  EXPECT_TRUE(stage.Node().Frame().masks.empty());
}

// The shape moves under a mask on its bounds (widened when small). Shape at
// (100, 100), w x 100; offsets of its position at progress 0, 0.5 and 1.
TEST(PeekInAgent, Offsets) {
  const struct {
    const char* name;
    int presetClass, subtype, transition;
    double w, x[3], y[3];
  } rows[] = {
      {"in from the right", 0, 1, 0, 200, {200, 100, 0}, {0, 0, 0}},
      {"in from the left", 0, 0, 0, 200, {-200, -100, 0}, {0, 0, 0}},
      {"in from below", 0, 2, 0, 200, {0, 0, 0}, {100, 50, 0}},
      {"in from above", 0, 3, 0, 200, {0, 0, 0}, {-100, -50, 0}},
      {"out to the left", 1, 0, 1, 200, {0, -100, -200}, {0, 0, 0}},
      {"out downwards", 1, 2, 1, 200, {0, 0, 0}, {0, 50, 100}},
      {"a small shape moves its widened width", 0, 1, 0, 40, {100, 50, 0}, {0, 0, 0}},
  };
  for (const auto& row : rows) {
    Stage stage(100, 100, row.w, 100);
    auto peek = MakeFilterAs<PeekInAgent>(
        0, filters::ForClass(row.presetClass, row.subtype, row.transition));
    peek->PrepareAction(stage.Target());
    stage.screen->CaptureAuthored();
    const TRect& a = peek->MaskArea();
    const MaskGeometry frame = Ours(peek->Mask())->Geometry();
    EXPECT_EQ(std::vector<double>(frame.v, frame.v + 4),
              (std::vector<double>{a.left, a.top, a.right, a.bottom}));
    for (int i = 0; i < 3; ++i) {
      stage.screen->ResetFrame();
      peek->Apply(stage.Target(), uint32_t(i * 500));
      const double* p = stage.Node().Frame().position;
      EXPECT_DOUBLE_EQ(p[0] - 100, row.x[i]) << row.name << " " << i;
      EXPECT_DOUBLE_EQ(p[1] - 100, row.y[i]) << row.name << " " << i;
      EXPECT_TRUE(stage.Node().Frame().masks.at(0).active) << row.name;
    }
  }
}

}  // namespace
