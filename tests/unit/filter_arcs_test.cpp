// Wedge and wheel pies, dissolve cells and peek offsets on the publisher's
// screen objects.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "filter_fixtures.h"
#include "filters/DissolveOutAgent.h"
#include "filters/PeekInAgent.h"
#include "filters/WedgeAgent.h"
#include "filters/WheelAgent.h"

namespace {

using filters::kPi;
using filters::MakeFilter;
using filters::MakeFilterAs;
using filters::Ours;
using filters::Params;
using filters::Stage;
using platform::MaskGeometry;

// The content of the frame's mask.
MaskGeometry Content(const GeneralAgent& agent) {
  return Ours(agent.CurrentMask())->Geometry();
}

// Line children of a group, and the other children.
size_t CountKind(const MaskGeometry& g, MaskGeometry::Kind kind) {
  size_t n = 0;
  for (const MaskGeometry& c : g.children) n += c.kind == kind;
  return n;
}

double AngleOf(double x, double y, double cx, double cy) {
  return std::atan2(y - cy, x - cx);
}

TEST(ArcAgent, ChordsAreShortAndTheSliceCloses) {
  const struct {
    double radius, step;
  } steps[] = {{255, 10.0 / 255}, {50, 0.1}, {100, 0.1}, {101, 10.0 / 101}};
  for (const auto& s : steps) EXPECT_DOUBLE_EQ(ArcAgent::ArcStep(s.radius), s.step) << s.radius;

  // A quarter turn on radius 255: every chord at most 10 long, then the two
  // radii back to the first point.
  auto pie = ArcAgent::BuildPie(-kPi / 2, 0, 100, 100, 255);
  const MaskGeometry g = platform::GeometryOf(pie);
  ASSERT_EQ(g.kind, MaskGeometry::Group);
  ASSERT_EQ(CountKind(g, MaskGeometry::Line), g.children.size());
  const size_t chords = g.children.size() - 2;
  EXPECT_EQ(chords, size_t(std::ceil((kPi / 2) / (10.0 / 255))));
  for (size_t i = 0; i < chords; ++i) {
    const double* v = g.children[i].v;
    EXPECT_LE(std::hypot(v[2] - v[0], v[3] - v[1]), 10.0 + 1e-9) << i;
  }
  EXPECT_TRUE(platform::Contains(g, 150, 50));   // inside the slice
  EXPECT_FALSE(platform::Contains(g, 50, 150));  // the other quarters
  EXPECT_FALSE(platform::Contains(g, 150, 150));
  // Nothing at zero angle: one chord of no length and the two radii.
  const MaskGeometry none = platform::GeometryOf(ArcAgent::BuildPie(1, 1, 0, 0, 50));
  EXPECT_EQ(none.children.size(), 3u);
  EXPECT_FALSE(platform::Contains(none, 10 * std::cos(1.02), 10 * std::sin(1.02)));
}

// 300 x 400 at (0, 0): radius 250 + 5 about (150, 200).
TEST(WedgeAgent, OpensFromTheTopBothWays) {
  const struct {
    const char* name;
    int presetClass;
    uint32_t t;
    std::vector<std::pair<double, double>> shown, hidden;
  } rows[] = {
      {"entrance at the start: nothing", 0, 0, {}, {{150, 10}, {150, 390}, {10, 200}}},
      {"entrance half way: the top half", 0, 500, {{150, 10}, {20, 150}}, {{150, 390}}},
      {"entrance at the end: all but a gap below",
       0,
       1000,
       {{150, 10}, {10, 200}, {290, 390}},
       {{150, 390}}},
      {"exit at the start: the whole circle", 1, 0, {{150, 10}, {150, 390}, {5, 5}}, {}},
      {"exit half way: the bottom half", 1, 500, {{150, 390}}, {{150, 10}, {20, 150}}},
      {"exit at the end: the gap below", 1, 1000, {{150, 390}}, {{150, 10}, {10, 200}}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, 300, 400);
    Params params;
    params.presetClass = row.presetClass;
    auto wedge = MakeFilterAs<WedgeAgent>(14, params);
    wedge->PrepareAction(stage.Target());
    wedge->Apply(stage.Target(), row.t);
    const MaskGeometry g = Content(*wedge);
    const auto outline = platform::Outline(g);
    for (const auto& p : row.shown)
      EXPECT_TRUE(platform::Contains(outline, p.first, p.second)) << row.name << " " << p.first;
    for (const auto& p : row.hidden)
      EXPECT_FALSE(platform::Contains(outline, p.first, p.second)) << row.name << " " << p.first;
    // The exit's circle.
    const bool exit = row.presetClass == 1;
    ASSERT_EQ(CountKind(g, MaskGeometry::Ellipse), exit ? 1u : 0u) << row.name;
    if (exit) {
      const MaskGeometry& circle = g.children.back();
      EXPECT_DOUBLE_EQ(circle.v[0], 150);
      EXPECT_DOUBLE_EQ(circle.v[1], 200);
      EXPECT_DOUBLE_EQ(circle.v[2], 255);
    }
    if (row.t == 0) {
      EXPECT_EQ(CountKind(g, MaskGeometry::Line), 3u) << row.name;
    }
  }
}

// Slices start at equal angles from straight up, anticlockwise in turn, and
// sweep clockwise over 89/90 of their sector.
TEST(WheelAgent, SpokesAndSweep) {
  const struct {
    const char* name;
    int kind, presetClass;
    uint32_t t;
    int spokes;
    double sweep;  // radians per slice
  } rows[] = {
      {"four spokes at the end", 18, 0, 1000, 4, kPi / 2 * 89 / 90},
      {"one spoke half way", 15, 0, 500, 1, kPi * 89 / 90},
      {"eight spokes half way, exit", 19, 1, 500, 8, kPi / 8 * 89 / 90},
      {"two spokes at the start", 16, 0, 0, 2, 0},
      {"three spokes at the end", 17, 0, 1000, 3, 2 * kPi / 3 * 89 / 90},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, 300, 400);
    Params params;
    params.presetClass = row.presetClass;
    auto wheel = MakeFilterAs<WheelAgent>(row.kind, params);
    wheel->PrepareAction(stage.Target());
    wheel->Apply(stage.Target(), row.t);
    const MaskGeometry g = Content(*wheel);
    ASSERT_EQ(CountKind(g, MaskGeometry::Group), size_t(row.spokes)) << row.name;
    ASSERT_EQ(CountKind(g, MaskGeometry::Ellipse), row.presetClass ? 1u : 0u) << row.name;
    for (int i = 0; i < row.spokes; ++i) {
      const MaskGeometry& slice = g.children[size_t(i)];
      const double start = -kPi / 2 - 2 * kPi / row.spokes * i;
      const double* first = slice.children.front().v;
      EXPECT_NEAR(std::remainder(AngleOf(first[0], first[1], 150, 200) - start, 2 * kPi), 0, 1e-9)
          << row.name << " spoke " << i;
      // The arc ends where the second last line (the radius back) starts.
      const double* back = slice.children[slice.children.size() - 2].v;
      EXPECT_NEAR(std::remainder(AngleOf(back[0], back[1], 150, 200) - start, 2 * kPi),
                  std::remainder(row.sweep, 2 * kPi), 1e-9)
          << row.name << " spoke " << i;
    }
  }
  // One spoke half way: the right half shows, the left does not; the exit the
  // other way round.
  for (int presetClass : {0, 1}) {
    Stage stage(0, 0, 300, 400);
    Params params;
    params.presetClass = presetClass;
    auto wheel = MakeFilterAs<WheelAgent>(15, params);
    wheel->PrepareAction(stage.Target());
    wheel->Apply(stage.Target(), 500);
    EXPECT_EQ(filters::Visible(stage.Node(), 250, 200), presetClass == 0);
    EXPECT_EQ(filters::Visible(stage.Node(), 50, 200), presetClass == 1);
  }
}

// 400 cells in random order, as many as the progress asks (at least one);
// an exit starts from the whole bounds; going back starts over.
TEST(DissolveOutAgent, CountsAndRestart) {
  const struct {
    const char* name;
    int presetClass;
    std::vector<std::pair<uint32_t, size_t>> frames;  // time, cells shown
  } rows[] = {
      {"entrance", 0, {{0, 1}, {1, 1}, {500, 200}, {999, 400}, {1000, 400}}},
      {"exit", 1, {{0, 1}, {250, 100}, {1000, 400}}},
      {"going back", 0, {{1000, 400}, {250, 100}, {300, 120}}},
      {"going back, exit", 1, {{750, 300}, {0, 1}}},
  };
  for (const auto& row : rows) {
    Stage stage(100, 100, 200, 100);
    Params params;
    params.presetClass = row.presetClass;
    auto dissolve = MakeFilterAs<DissolveOutAgent>(12, params);
    dissolve->PrepareAction(stage.Target());
    ASSERT_EQ(dissolve->Cells().size(), 400u);
    EXPECT_EQ(dissolve->Cells()[21], std::make_pair(1u, 1u));
    EXPECT_EQ(dissolve->Cells()[399], std::make_pair(19u, 19u));
    const size_t extra = row.presetClass == 1 ? 1 : 0;
    for (const auto& frame : row.frames) {
      stage.screen->ResetFrame();
      dissolve->Apply(stage.Target(), frame.first);
      const std::string at = std::string(row.name) + " at " + std::to_string(frame.first);
      EXPECT_EQ(Ours(dissolve->MaskGroup())->Children().size(), frame.second + extra) << at;
      EXPECT_EQ(dissolve->Remaining().size(), 400 - frame.second) << at;
      std::set<uint32_t> distinct(dissolve->Remaining().begin(), dissolve->Remaining().end());
      EXPECT_EQ(distinct.size(), dissolve->Remaining().size()) << at;
      const double share = filters::VisibleShare(stage.Node());
      const double expected = double(frame.second) / 400;
      // The visible share follows the cells shown (cells are 10 x 5 here).
      if (!stage.Node().Frame().masks.empty()) {
        EXPECT_NEAR(share, row.presetClass ? 1 - expected : expected, 0.05) << at;
      }
    }
  }
}

// Once every cell is shown, a further frame adds nothing and attaches no
// mask of its own.
TEST(DissolveOutAgent, NothingLeftToShow) {
  Stage stage(0, 0, 40, 40);  // widened to (-30, -30)-(70, 70): cells of 5
  auto dissolve = MakeFilterAs<DissolveOutAgent>(12);
  dissolve->PrepareAction(stage.Target());
  dissolve->Apply(stage.Target(), 1000);
  const auto mask = dissolve->CurrentMask();
  const MaskGeometry g = platform::GeometryOf(dissolve->MaskGroup());
  ASSERT_EQ(g.children.size(), 400u);
  double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
  for (const MaskGeometry& cell : g.children) {
    EXPECT_NEAR(cell.v[2] - cell.v[0], 5.0, 1e-9);
    l = std::min(l, cell.v[0]), t = std::min(t, cell.v[1]);
    r = std::max(r, cell.v[2]), b = std::max(b, cell.v[3]);
  }
  EXPECT_EQ(std::vector<double>({l, t, r, b}), (std::vector<double>{-30, -30, 70, 70}));
  stage.screen->ResetFrame();
  dissolve->Apply(stage.Target(), 1000);
  EXPECT_EQ(dissolve->CurrentMask(), mask);
  EXPECT_TRUE(stage.Node().Frame().masks.empty());
}

// The peek mask is on from the start and never changes; the shape moves
// under it. Shape (100, 100), 200 x 100 (a 40 x 40 one is widened to 100).
TEST(PeekInAgent, Offsets) {
  const struct {
    const char* name;
    int presetClass, subtype, transition;
    double w;
    double x[3], y[3];  // offsets at progress 0, 0.5, 1
  } rows[] = {
      {"in from the right", 0, 1, 0, 200, {200, 100, 0}, {0, 0, 0}},
      {"in from the left", 0, 0, 0, 200, {-200, -100, 0}, {0, 0, 0}},
      {"in from below", 0, 2, 0, 200, {0, 0, 0}, {100, 50, 0}},
      {"in from above", 0, 3, 0, 200, {0, 0, 0}, {-100, -50, 0}},
      {"out to the left", 1, 0, 1, 200, {0, -100, -200}, {0, 0, 0}},
      {"out to the right", 1, 1, 1, 200, {0, 100, 200}, {0, 0, 0}},
      {"out downwards", 1, 2, 1, 200, {0, 0, 0}, {0, 50, 100}},
      {"out upwards", 1, 3, 1, 200, {0, 0, 0}, {0, -50, -100}},
      {"no direction", 0, 5, 0, 200, {0, 0, 0}, {0, 0, 0}},
      {"a small shape moves its widened width", 0, 1, 0, 40, {100, 50, 0}, {0, 0, 0}},
  };
  for (const auto& row : rows) {
    Stage stage(100, 100, row.w, 100);
    Params params;
    params.presetClass = row.presetClass;
    params.subtype = row.subtype;
    params.transition = row.transition;
    auto peek = MakeFilterAs<PeekInAgent>(0, params);
    peek->PrepareAction(stage.Target());
    stage.screen->CaptureAuthored();
    ASSERT_EQ(stage.Node().Frame().masks.size(), 1u);
    EXPECT_TRUE(stage.Node().Frame().masks[0].active);
    const TRect& a = peek->MaskArea();
    const MaskGeometry frame = Ours(peek->Mask())->Geometry();
    EXPECT_EQ(std::vector<double>(frame.v, frame.v + 4),
              (std::vector<double>{a.left, a.top, a.right, a.bottom}));
    for (int i = 0; i < 3; ++i) {
      stage.screen->ResetFrame();
      peek->Apply(stage.Target(), uint32_t(i * 500));
      const double* p = stage.Node().Frame().position;
      EXPECT_DOUBLE_EQ(p[0] - 100, row.x[i]) << row.name << " step " << i;
      EXPECT_DOUBLE_EQ(p[1] - 100, row.y[i]) << row.name << " step " << i;
      EXPECT_TRUE(stage.Node().Frame().masks[0].active) << row.name;
    }
  }
}

}  // namespace
