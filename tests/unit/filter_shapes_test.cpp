// The geometry of the shape-mask filters: margins, collapsed and full shapes,
// cells, bands and bars, on the publisher's mask shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "filter_fixtures.h"
#include "filters/BlindsAgent.h"
#include "filters/CheckerBoardAgent.h"
#include "filters/CircleAgent.h"
#include "filters/DiamondAgent.h"
#include "filters/PlusAgent.h"
#include "filters/RandomBarsAgent.h"
#include "filters/SplitAgent.h"
#include "filters/StripsAgent.h"
#include "filters/WipeAgent.h"

namespace {

using filters::MakeFilter;
using filters::MakeFilterAs;
using filters::Ours;
using filters::Params;
using filters::Stage;
using Kinefold::TPoint;
using platform::MaskGeometry;

struct Box {
  double l, t, r, b;
};

void ExpectRect(const MaskGeometry& g, const Box& e, const std::string& what) {
  ASSERT_EQ(g.kind, MaskGeometry::Rect) << what;
  EXPECT_DOUBLE_EQ(g.v[0], e.l) << what;
  EXPECT_DOUBLE_EQ(g.v[1], e.t) << what;
  EXPECT_DOUBLE_EQ(g.v[2], e.r) << what;
  EXPECT_DOUBLE_EQ(g.v[3], e.b) << what;
}

void ExpectArea(const FilterAgent& agent, const Box& e, const std::string& what) {
  EXPECT_DOUBLE_EQ(agent.MaskArea().left, e.l) << what;
  EXPECT_DOUBLE_EQ(agent.MaskArea().top, e.t) << what;
  EXPECT_DOUBLE_EQ(agent.MaskArea().right, e.r) << what;
  EXPECT_DOUBLE_EQ(agent.MaskArea().bottom, e.b) << what;
}

std::vector<TPoint> Vertices(const boost::shared_ptr<IScreenShape>& s) {
  return Ours(s)->Sheet()->Vertices();
}

void ExpectPoints(const std::vector<TPoint>& got, const std::vector<TPoint>& want,
                  const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_DOUBLE_EQ(got[i].x, want[i].x) << what << " vertex " << i;
    EXPECT_DOUBLE_EQ(got[i].y, want[i].y) << what << " vertex " << i;
  }
}

// Margins widen the shape's bounds once each preparation; shapes at (0, 0).
TEST(FilterShapes, Margins) {
  const struct {
    const char* name;
    int kind;
    double w, h;
    int prepares;
    Box area;
  } rows[] = {
      {"box: 10, and 30 across an extent below 60", 3, 100, 50, 1, {-10, -30, 110, 80}},
      {"box: 10 both ways", 3, 100, 100, 1, {-10, -10, 110, 110}},
      {"box prepared twice widens again", 3, 100, 50, 2, {-20, -40, 120, 90}},
      {"wipe", 8, 40, 100, 1, {-30, -10, 70, 110}},
      {"split", 6, 100, 50, 1, {-10, -30, 110, 80}},
      {"circle: none", 5, 100, 50, 1, {0, 0, 100, 50}},
      {"diamond: none", 4, 40, 40, 1, {0, 0, 40, 40}},
      {"plus: none", 7, 100, 50, 1, {0, 0, 100, 50}},
      {"strips: 20", 10, 100, 40, 1, {-20, -20, 120, 60}},
      {"blinds: 20", 2, 100, 40, 1, {-20, -20, 120, 60}},
      {"blinds take the bounds afresh", 2, 100, 40, 2, {-20, -20, 120, 60}},
      {"checkerboard: 5", 9, 300, 90, 1, {-5, -5, 305, 95}},
      {"checkerboard takes the bounds afresh", 9, 300, 90, 2, {-5, -5, 305, 95}},
      {"peek: 30 across a small extent", 0, 50, 100, 1, {-30, 0, 80, 100}},
      {"peek: none on larger ones", 0, 100, 60, 1, {0, 0, 100, 60}},
      {"dissolve", 12, 50, 50, 1, {-30, -30, 80, 80}},
      {"wedge: none", 14, 50, 50, 1, {0, 0, 50, 50}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    auto agent = boost::dynamic_pointer_cast<FilterAgent>(MakeFilter(row.kind));
    for (int i = 0; i < row.prepares; ++i) agent->PrepareAction(stage.Target());
    ExpectArea(*agent, row.area, row.name);
  }
  // Random bars widen when they make their first bar, and only then.
  Stage stage(0, 0, 50, 100);
  auto bars = MakeFilterAs<RandomBarsAgent>(13);
  bars->PrepareAction(stage.Target());
  ExpectArea(*bars, {0, 0, 50, 100}, "random bars before a bar");
  for (uint32_t t : {0u, 500u, 1000u}) bars->Apply(stage.Target(), t);
  ExpectArea(*bars, {-30, 0, 80, 100}, "random bars after the bars");
}

TEST(FilterShapes, BoxWipeAndSplitRectangles) {
  const struct {
    const char* name;
    int kind, subtype;
    double w;
    Box collapsed;
  } rows[] = {
      // Shape (0, 0)-(100, 50) widened to (-10, -30)-(110, 80).
      {"box: a 2 x 2 square about the whole-unit centre", 3, 0, 100, {49, 24, 51, 26}},
      {"box on an odd width", 3, 0, 101, {49, 24, 51, 26}},
      {"wipe from the left", 8, 0, 100, {-10, -30, -9, 80}},
      {"wipe from the right", 8, 1, 100, {109, -30, 110, 80}},
      {"wipe from the bottom", 8, 2, 100, {-10, 79, 110, 80}},
      {"wipe from the top", 8, 3, 100, {-10, -30, 110, -29}},
      {"wipe with no edge keeps the bounds", 8, 5, 100, {-10, -30, 110, 80}},
      // The bar reaches one extent beyond the bounds; its near edge is not
      // rounded, its far one is.
      {"split 10: horizontal", 6, 10, 101, {-131, 24, 232, 26}},
      {"split 12: horizontal", 6, 12, 101, {-131, 24, 232, 26}},
      {"split 11: vertical", 6, 11, 101, {49.5, -140, 52, 190}},
      {"split 13: vertical", 6, 13, 101, {49.5, -140, 52, 190}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, 50);
    Params params;
    params.subtype = row.subtype;
    auto agent = MakeFilterAs<InOutAgent>(row.kind, params);
    agent->PrepareAction(stage.Target());
    ExpectRect(platform::GeometryOf(agent->BuildCollapsedShape()), row.collapsed, row.name);
    const TRect& a = agent->MaskArea();
    ExpectRect(platform::GeometryOf(agent->BuildFullShape()), {a.left, a.top, a.right, a.bottom},
               row.name);
  }
}

// The full ellipse goes through the corners of the bounds: half extents in
// whole units grown by the square root of 2, rounded.
TEST(FilterShapes, CircleRadii) {
  const struct {
    double w, h;
    int rx, ry;
    double cx, cy;
  } rows[] = {
      {100, 100, 71, 71, 50, 50},
      {200, 100, 141, 71, 100, 50},
      {201, 101, 141, 71, 100, 50},  // half extents and centre truncated
      {30, 10, 21, 7, 15, 5},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    auto circle = MakeFilterAs<CircleAgent>(5);
    circle->PrepareAction(stage.Target());
    auto full = circle->BuildFullShape();
    EXPECT_EQ(GetInt(full, ePropEllipseRadiusX), row.rx) << row.w;
    EXPECT_EQ(GetInt(full, ePropEllipseRadiusY), row.ry) << row.w;
    EXPECT_TRUE(Has(full, ePropEllipse226));
    const TPoint centre = GetPoint(full, ePropEllipseCentre);
    EXPECT_EQ(centre.x, row.cx);
    EXPECT_EQ(centre.y, row.cy);
    auto collapsed = circle->BuildCollapsedShape();
    EXPECT_EQ(GetDouble(collapsed, ePropCircleRadius), 1.0);
    EXPECT_EQ(GetPoint(collapsed, ePropCircleCentre).x, row.cx);
    // The corners (just inside) are covered.
    const MaskGeometry g = platform::GeometryOf(full);
    EXPECT_TRUE(platform::Contains(g, 0.5, 0.5)) << row.w;
    EXPECT_TRUE(platform::Contains(g, row.w - 1.5, row.h - 1.5)) << row.w;
  }
}

TEST(FilterShapes, DiamondAndPlusPolygons) {
  Stage stage(0, 0, 100, 50);
  auto diamond = MakeFilterAs<DiamondAgent>(4);
  diamond->PrepareAction(stage.Target());
  // Twice the half extents each way, so that the edges pass through the
  // bounds' corners.
  ExpectPoints(Vertices(diamond->BuildFullShape()), {{-50, 25}, {50, -25}, {150, 25}, {50, 75}},
               "diamond full");
  const auto full = diamond->BuildFullShape();
  const double* b = full->GetBounds();
  EXPECT_EQ(std::vector<double>(b, b + 4), (std::vector<double>{-50, -25, 150, 75}));
  ExpectPoints(Vertices(diamond->BuildCollapsedShape()), {{49, 25}, {50, 24}, {51, 25}, {50, 26}},
               "diamond collapsed");

  auto plus = MakeFilterAs<PlusAgent>(7);
  plus->PrepareAction(stage.Target());
  // dx = round(50) - 1, dy = round(25) - 1: arms two units thick.
  ExpectPoints(Vertices(plus->BuildCollapsedShape()),
               {{0, 24},
                {49, 24},
                {49, 0},
                {51, 0},
                {51, 24},
                {100, 24},
                {100, 26},
                {51, 26},
                {51, 50},
                {49, 50},
                {49, 26},
                {0, 26}},
               "plus collapsed");
  ExpectPoints(Vertices(plus->BuildFullShape()),
               {{0, 1},
                {1, 1},
                {1, 0},
                {99, 0},
                {99, 1},
                {100, 1},
                {100, 49},
                {99, 49},
                {99, 50},
                {1, 50},
                {1, 49},
                {0, 49}},
               "plus full");
}

// Cells of about 20 units, at most 10 rows and 7 columns, one more of each
// built; every other row or column is shifted by half a cell.
TEST(FilterShapes, CheckerBoardCells) {
  const struct {
    const char* name;
    double w, h;
    int subtype, rows, columns;
  } rows[] = {
      {"300 x 90, across", 300, 90, 8, 5, 7},
      {"300 x 90, down", 300, 90, 0, 5, 7},
      {"tall", 100, 400, 0, 10, 5},
      {"under 20 units still gets a cell", 5, 5, 0, 1, 1},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    Params params;
    params.subtype = row.subtype;
    auto board = MakeFilterAs<CheckerBoardAgent>(9, params);
    board->PrepareAction(stage.Target());
    EXPECT_EQ(board->Rows(), row.rows) << row.name;
    EXPECT_EQ(board->Columns(), row.columns) << row.name;
    const auto fullShape = board->BuildFullShape(), collapsedShape = board->BuildCollapsedShape();
    const platform::MaskShape* full = Ours(fullShape);
    const platform::MaskShape* collapsed = Ours(collapsedShape);
    const size_t cells = size_t(row.rows + 1) * size_t(row.columns + 1);
    ASSERT_EQ(full->Children().size(), cells) << row.name;
    ASSERT_EQ(collapsed->Children().size(), cells) << row.name;
    const double cw = (row.w + 10) / row.columns, ch = (row.h + 10) / row.rows;
    // The second cell built: in the second column (across: the first row's
    // second cell), and the first cell of the shifted row or column.
    const MaskGeometry second = platform::GeometryOf(full->Children()[1]);
    const MaskGeometry shifted =
        platform::GeometryOf(full->Children()[row.subtype == 8 ? row.columns + 1 : row.rows + 1]);
    const MaskGeometry sliver = platform::GeometryOf(collapsed->Children()[1]);
    if (row.subtype == 8) {
      ExpectRect(second, {-5 + cw, -5, -5 + 2 * cw, -5 + ch}, row.name);
      ExpectRect(shifted, {-5 - cw / 2, -5 + ch, -5 + cw / 2, -5 + 2 * ch}, row.name);
      ExpectRect(sliver, {-5 + cw, -5, -5 + cw + 1, -5 + ch}, row.name);
    } else {
      ExpectRect(second, {-5, -5 + ch, -5 + cw, -5 + 2 * ch}, row.name);
      ExpectRect(shifted, {-5 + cw, -5 - ch / 2, -5 + 2 * cw, -5 + ch / 2}, row.name);
      ExpectRect(sliver, {-5, -5 + ch, -5 + cw, -5 + ch + 1}, row.name);
    }
  }
}

// Bands of 20 below an extent of 220, ten equal bands from there on.
TEST(FilterShapes, BlindsBands) {
  const struct {
    const char* name;
    double w, h;
    int subtype;
    size_t bands;
    Box first, firstThin;
  } rows[] = {
      {"120 across", 80, 40, 0, 6, {-20, -20, 0, 60}, {-20, -20, -19, 60}},
      {"300 across", 260, 40, 0, 10, {-20, -20, 10, 60}, {-20, -20, -19, 60}},
      {"130 across: the rest stays in the margin",
       90,
       40,
       0,
       6,
       {-20, -20, 0, 60},
       {-20, -20, -19, 60}},
      {"horizontal: 120 down", 300, 80, 8, 6, {-20, -20, 320, 0}, {-20, -20, 320, -19}},
  };
  for (const auto& row : rows) {
    for (int transition : {0, 1}) {
      Stage stage(0, 0, row.w, row.h);
      Params params;
      params.subtype = row.subtype;
      params.transition = transition;
      auto blinds = MakeFilterAs<BlindsAgent>(2, params);
      blinds->PrepareAction(stage.Target());
      const auto mask = filters::MaskNamed(stage.Node(), blinds->MaskName());
      const platform::MaskShape* morph = Ours(Ours(mask)->Content());
      const platform::MaskShape* full = Ours(transition ? morph->Start() : morph->End());
      const platform::MaskShape* thin = Ours(transition ? morph->End() : morph->Start());
      ASSERT_EQ(full->Children().size(), row.bands) << row.name;
      ASSERT_EQ(thin->Children().size(), row.bands) << row.name;
      ExpectRect(platform::GeometryOf(full->Children()[0]), row.first, row.name);
      ExpectRect(platform::GeometryOf(thin->Children()[0]), row.firstThin, row.name);
    }
  }
}

// Ten bands of a tenth of the larger extent, laid out from the subtype's
// corner; exits take the opposite corner; coordinates rounded by
// trunc(x + 0.5).
TEST(FilterShapes, StripsBands) {
  const struct {
    const char* name;
    double w;
    int presetClass, subtype;
    size_t band;
    Box collapsed, full;
  } rows[] = {
      // 100 x 40 widened to (-20, -20)-(120, 60): D = 140, bands of 14.
      // Negative whole numbers come out one higher: -34 + 0.5 truncates to -33.
      {"7 from the top left", 100, 0, 7, 1, {-33, -5, -32, 8}, {-33, -5, 246, 8}},
      {"4 from the bottom right", 100, 0, 4, 1, {134, 46, 135, 32}, {-145, 46, 134, 32}},
      {"5 from the bottom left", 100, 0, 5, 2, {-47, 32, -46, 18}, {-47, 32, 232, 18}},
      {"6 from the top right", 100, 0, 6, 2, {148, 8, 149, 22}, {-131, 8, 148, 22}},
      {"an exit with 4 goes as 7", 100, 1, 4, 1, {-33, -5, -32, 8}, {-33, -5, 246, 8}},
      {"an exit with 6 goes as 5", 100, 1, 6, 2, {-47, 32, -46, 18}, {-47, 32, 232, 18}},
      {"no corner: empty bands", 100, 0, 2, 3, {0, 0, 0, 0}, {0, 0, 0, 0}},
      // 101 wide: bands of 14.1; -5.9 rounds to -5, -34.1 to -33, 247.9 to 248.
      {"rounding", 101, 0, 7, 1, {-33, -5, -32, 8}, {-33, -5, 248, 8}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, 40);
    Params params;
    params.presetClass = row.presetClass;
    params.subtype = row.subtype;
    auto strips = MakeFilterAs<StripsAgent>(10, params);
    strips->PrepareAction(stage.Target());
    const auto fullShape = strips->BuildFullShape(), collapsedShape = strips->BuildCollapsedShape();
    const platform::MaskShape* collapsed = Ours(collapsedShape);
    const platform::MaskShape* full = Ours(fullShape);
    ASSERT_EQ(collapsed->Children().size(), 10u) << row.name;
    ASSERT_EQ(full->Children().size(), 10u) << row.name;
    ExpectRect(platform::GeometryOf(collapsed->Children()[row.band]), row.collapsed, row.name);
    ExpectRect(platform::GeometryOf(full->Children()[row.band]), row.full, row.name);
  }
}

// As many bars as whole units across (at most 100), shown as the progress
// asks (at least one), in random order; an exit starts from the whole
// bounds. Going back starts over.
TEST(RandomBarsAgent, CountsAndRestart) {
  const struct {
    const char* name;
    double w, h;
    int presetClass, subtype;
    uint32_t barCount;
    std::vector<std::pair<uint32_t, uint32_t>> frames;  // time, bars shown
  } rows[] = {
      {"50 across", 50, 100, 0, 0, 50, {{0, 1}, {500, 25}, {1000, 50}}},
      {"exit", 50, 100, 1, 0, 50, {{0, 1}, {500, 25}, {1000, 50}}},
      {"horizontal counts the height", 300, 30, 0, 8, 30, {{0, 1}, {500, 15}}},
      {"at most 100", 300, 100, 0, 0, 100, {{0, 1}, {10, 1}, {333, 33}, {1000, 100}}},
      {"under a unit: none", 0.5, 100, 0, 0, 0, {{0, 0}, {1000, 0}}},
      {"going back", 50, 100, 0, 0, 50, {{600, 30}, {100, 5}, {1000, 50}}},
      {"going back, exit", 50, 100, 1, 0, 50, {{600, 30}, {100, 5}}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    Params params;
    params.presetClass = row.presetClass;
    params.subtype = row.subtype;
    auto bars = MakeFilterAs<RandomBarsAgent>(13, params);
    bars->PrepareAction(stage.Target());
    EXPECT_EQ(bars->BarCount(), row.barCount) << row.name;
    for (const auto& frame : row.frames) {
      bars->Apply(stage.Target(), frame.first);
      const size_t extra = row.presetClass == 1 ? 1 : 0;
      const auto& children = Ours(bars->MaskGroup())->Children();
      EXPECT_EQ(children.size(), frame.second + extra) << row.name << " at " << frame.first;
      EXPECT_EQ(bars->Remaining().size(), row.barCount - frame.second) << row.name;
      std::set<uint32_t> distinct(bars->Remaining().begin(), bars->Remaining().end());
      EXPECT_EQ(distinct.size(), bars->Remaining().size()) << row.name;
      EXPECT_EQ(Ours(bars->CurrentMask())->Content(), bars->MaskGroup()) << row.name;
      // The exit's whole area: the bounds, or the widened bounds once the
      // bars have widened them.
      if (extra) {
        const MaskGeometry whole = platform::GeometryOf(children[0]);
        ASSERT_EQ(whole.kind, MaskGeometry::Rect) << row.name;
        EXPECT_TRUE(whole.v[0] <= 0 && whole.v[1] <= 0 && whole.v[2] >= row.w &&
                    whole.v[3] >= row.h)
            << row.name;
      }
    }
  }
}

// The bars tile the (widened) bounds: every bar shown covers everything.
TEST(RandomBarsAgent, BarsTileTheBounds) {
  for (int subtype : {0, 8}) {
    Stage stage(100, 100, 50, 40);
    Params params;
    params.subtype = subtype;
    auto bars = MakeFilterAs<RandomBarsAgent>(13, params);
    bars->PrepareAction(stage.Target());
    bars->Apply(stage.Target(), 1000);
    const auto& children = Ours(bars->MaskGroup())->Children();
    ASSERT_EQ(children.size(), subtype == 8 ? 40u : 50u);
    double covered = 0.0;
    for (const auto& bar : children) {
      const MaskGeometry g = platform::GeometryOf(bar);
      ASSERT_EQ(g.kind, MaskGeometry::Rect);
      // Each bar spans the whole widened extent the other way.
      if (subtype == 8) {
        EXPECT_DOUBLE_EQ(g.v[0], 70);
        EXPECT_DOUBLE_EQ(g.v[2], 180);
        covered += g.v[3] - g.v[1];
      } else {
        EXPECT_DOUBLE_EQ(g.v[1], 70);
        EXPECT_DOUBLE_EQ(g.v[3], 170);
        covered += g.v[2] - g.v[0];
      }
    }
    EXPECT_NEAR(covered, subtype == 8 ? 100 : 110, 1e-9);
    EXPECT_DOUBLE_EQ(filters::VisibleShare(stage.Node()), 1.0);
  }
}

}  // namespace
