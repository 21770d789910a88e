// The geometry of the mask filters: margins, collapsed and full shapes,
// cells, bands and bars, wedge and wheel pies, the last dissolve frames and
// peek offsets, on the publisher's mask shapes and screen objects.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <vector>

#include "filter_fixtures.h"
#include "filters/ArcAgent.h"
#include "filters/CheckerBoardAgent.h"
#include "filters/DissolveOutAgent.h"
#include "filters/PeekInAgent.h"
#include "filters/RandomBarsAgent.h"

namespace {

using namespace filters;
using platform::GeometryOf;
using platform::MaskGeometry;

using Box = std::vector<double>;  // left, top, right, bottom

Box RectOf(const boost::shared_ptr<IScreenShape>& shape) {
  const MaskGeometry g = GeometryOf(shape);
  return g.kind == MaskGeometry::Rect ? Box(g.v, g.v + 4) : Box();
}

Box AreaOf(const FilterAgent& agent) {
  const TRect& a = agent.MaskArea();
  return {a.left, a.top, a.right, a.bottom};
}

// Shapes at (0, 0). Margins widen the bounds in place on each preparation:
// box and split 10, 30 across an extent below 60; strips 20; peek 30 across a
// small extent only; blinds and checkerboards take the bounds afresh; random
// bars widen with their first bar. Collapsed rectangles: the box's 2 x 2
// about the whole-unit centre; a split's one extent beyond the bounds, its
// near edge not rounded. Their full rectangle is the area.
TEST(FilterShapes, AreasAndCollapsedRectangles) {
  const struct {
    const char* name;
    int kind, subtype;
    double w, h;
    int prepares;
    uint32_t drawnAt;  // 0: not drawn
    Box area, collapsed;
  } rows[] = {
      {"box", 3, 0, 100, 50, 1, 0, {-10, -30, 110, 80}, {}},
      {"box prepared twice", 3, 0, 100, 50, 2, 0, {-20, -40, 120, 90}, {}},
      {"wipe", 8, 0, 40, 100, 1, 0, {-30, -10, 70, 110}, {}},
      {"split", 6, 0, 100, 50, 1, 0, {-10, -30, 110, 80}, {}},
      {"circle, diamond, plus: none", 5, 0, 100, 50, 1, 0, {0, 0, 100, 50}, {}},
      {"strips", 10, 0, 100, 40, 1, 0, {-20, -20, 120, 60}, {}},
      {"blinds", 2, 0, 100, 40, 2, 0, {-20, -20, 120, 60}, {}},
      {"checkerboard", 9, 0, 300, 90, 2, 0, {-5, -5, 305, 95}, {}},
      {"peek", 0, 0, 50, 60, 1, 0, {-30, 0, 80, 60}, {}},
      {"dissolve", 12, 0, 50, 50, 1, 0, {-30, -30, 80, 80}, {}},
      {"wedge: none", 14, 0, 50, 50, 1, 0, {0, 0, 50, 50}, {}},
      {"random bars", 13, 0, 50, 100, 1, 0, {0, 0, 50, 100}, {}},
      {"random bars drawn", 13, 0, 50, 100, 1, 500, {-30, 0, 80, 100}, {}},
      {"box collapsed", 3, 0, 101, 50, 1, 0, {}, {49, 24, 51, 26}},
      {"wipe from the left", 8, 0, 100, 50, 1, 0, {}, {-10, -30, -9, 80}},
      {"wipe from the right", 8, 1, 100, 50, 1, 0, {}, {109, -30, 110, 80}},
      {"wipe from the bottom", 8, 2, 100, 50, 1, 0, {}, {-10, 79, 110, 80}},
      {"wipe from the top", 8, 3, 100, 50, 1, 0, {}, {-10, -30, 110, -29}},
      {"wipe with no edge keeps the bounds", 8, 5, 100, 50, 1, 0, {}, {-10, -30, 110, 80}},
      {"split 10: horizontal", 6, 10, 101, 50, 1, 0, {}, {-131, 24, 232, 26}},
      {"split 12: horizontal", 6, 12, 101, 50, 1, 0, {}, {-131, 24, 232, 26}},
      {"split 11: vertical", 6, 11, 101, 50, 1, 0, {}, {49.5, -140, 52, 190}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    auto agent = stage.Prepare<FilterAgent>(row.kind, Params{0, row.subtype});
    for (int i = 1; i < row.prepares; ++i) agent->PrepareAction(stage.Target());
    if (row.drawnAt) agent->Apply(stage.Target(), row.drawnAt);
    if (!row.area.empty()) {
      EXPECT_EQ(AreaOf(*agent), row.area) << row.name;
    } else {
      auto inOut = boost::dynamic_pointer_cast<InOutAgent>(agent);
      EXPECT_EQ(RectOf(inOut->BuildCollapsedShape()), row.collapsed) << row.name;
      EXPECT_EQ(RectOf(inOut->BuildFullShape()), AreaOf(*agent)) << row.name;
    }
  }
}

TEST(FilterShapes, CircleDiamondAndPlus) {
  // Ellipse radii: half extents in whole units times the square root of 2.
  const double circles[][6] = {
      {100, 100, 71, 71, 50, 50}, {200, 100, 141, 71, 100, 50}, {201, 101, 141, 71, 100, 50}};
  for (const auto& c : circles) {
    Stage stage(0, 0, c[0], c[1]);
    auto circle = stage.Prepare<InOutAgent>(5);
    auto full = circle->BuildFullShape();
    const Kinefold::TPoint centre = GetPoint(full, ePropEllipseCentre);
    EXPECT_EQ((Box{double(GetInt(full, ePropEllipseRadiusX)),
                   double(GetInt(full, ePropEllipseRadiusY)), centre.x, centre.y}),
              Box(c + 2, c + 6))
        << c[0];
    EXPECT_TRUE(platform::Contains(GeometryOf(full), c[0] - 1.5, c[1] - 1.5)) << c[0];
    EXPECT_EQ(GetDouble(circle->BuildCollapsedShape(), ePropCircleRadius), 1.0);
  }
  auto vertices = [](const boost::shared_ptr<IScreenShape>& s) {  // "x,y x,y ..."
    std::ostringstream out;
    out.precision(17);
    for (const Kinefold::TPoint& p : Ours(s)->Sheet()->Vertices()) out << p.x << ',' << p.y << ' ';
    return out.str();
  };
  Stage stage(0, 0, 100, 50);
  auto diamond = stage.Prepare<InOutAgent>(4);
  // Twice the half extents each way: the edges pass through the corners.
  EXPECT_EQ(vertices(diamond->BuildFullShape()), "-50,25 50,-25 150,25 50,75 ");
  EXPECT_EQ(vertices(diamond->BuildCollapsedShape()), "49,25 50,24 51,25 50,26 ");
  auto plus = stage.Prepare<InOutAgent>(7);
  EXPECT_EQ(vertices(plus->BuildCollapsedShape()),
            "0,24 49,24 49,0 51,0 51,24 100,24 100,26 51,26 51,50 49,50 49,26 0,26 ");
  EXPECT_EQ(vertices(plus->BuildFullShape()),
            "0,1 1,1 1,0 99,0 99,1 100,1 100,49 99,49 99,50 1,50 1,49 0,49 ");
}

// Checkerboards: at most 10 rows and 7 columns of about 20 units, one more of
// each built, every other row (or column) shifted by half a cell. Blinds:
// bands of 20 below an extent of 220, ten equal ones from there. Strips: ten
// bands of a tenth of the larger extent from the subtype's corner; exits take
// the opposite corner; rounding is trunc(x + 0.5), so -34 becomes -33. The
// thin shapes are slivers one unit wide. Shapes at (0, 0); the full and thin
// shapes' piece count, and one piece of each.
TEST(FilterShapes, CellsAndBands) {
  const double cw = 310.0 / 7, x0 = -5 - cw * 0.5;  // boards 300 x 90: 7 columns
  const struct {
    int kind;
    double w, h;
    int presetClass, subtype;
    size_t count, full;
    Box fullRect;
    size_t thin;
    Box thinRect;
  } rows[] = {
      // (-5, -5)-(305, 95): 5 rows of 20, across and down.
      {9, 300, 90, 0, 8, 48, 8, {x0, 15, x0 + cw, 35}, 1, {-5 + cw, -5, -5 + cw + 1, 15}},
      {9, 300, 90, 0, 0, 48, 6, {-5 + cw, -15, -5 + 2 * cw, 5}, 1, {-5, 15, -5 + cw, 16}},
      // Blinds; at 90 the rest is margin; 40 high: 80 down.
      {2, 80, 40, 0, 0, 6, 0, {-20, -20, 0, 60}, 0, {-20, -20, -19, 60}},
      {2, 90, 40, 0, 0, 6, 0, {-20, -20, 0, 60}, 0, {-20, -20, -19, 60}},
      {2, 260, 40, 0, 0, 10, 0, {-20, -20, 10, 60}, 0, {-20, -20, -19, 60}},
      {2, 300, 40, 0, 8, 4, 0, {-20, -20, 320, 0}, 0, {-20, -20, 320, -19}},
      // Strips on 100 x 40 widened to (-20, -20)-(120, 60): D = 140, bands of
      // 14, from the top left (7), bottom right (4), bottom left (5), top
      // right (6); an exit with 4 goes as 7; no corner: empty bands; bands of
      // 14.1 on 101.
      {10, 100, 40, 0, 7, 10, 1, {-33, -5, 246, 8}, 1, {-33, -5, -32, 8}},
      {10, 100, 40, 0, 4, 10, 1, {-145, 46, 134, 32}, 1, {134, 46, 135, 32}},
      {10, 100, 40, 0, 5, 10, 2, {-47, 32, 232, 18}, 2, {-47, 32, -46, 18}},
      {10, 100, 40, 0, 6, 10, 2, {-131, 8, 148, 22}, 2, {148, 8, 149, 22}},
      {10, 100, 40, 1, 4, 10, 1, {-33, -5, 246, 8}, 1, {-33, -5, -32, 8}},
      {10, 100, 40, 0, 2, 10, 3, {0, 0, 0, 0}, 3, {0, 0, 0, 0}},
      {10, 101, 40, 0, 7, 10, 1, {-33, -5, 248, 8}, 1, {-33, -5, -32, 8}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "kind " << row.kind << ", " << row.presetClass << "/"
                                    << row.subtype << ", " << row.w);
    Stage stage(0, 0, row.w, row.h);
    auto agent = stage.Prepare<MorphFilterAgent>(row.kind, Params{row.presetClass, row.subtype});
    auto inOut = boost::dynamic_pointer_cast<InOutAgent>(agent);
    // Blinds: the morph they attached.
    const auto full = inOut ? inOut->BuildFullShape() : MorphOf(stage.Node(), *agent)->End();
    const auto thin = inOut ? inOut->BuildCollapsedShape() : MorphOf(stage.Node(), *agent)->Start();
    const auto &fulls = Ours(full)->Children(), &thins = Ours(thin)->Children();
    ASSERT_EQ(std::make_pair(fulls.size(), thins.size()), std::make_pair(row.count, row.count));
    EXPECT_EQ(RectOf(fulls[row.full]), row.fullRect);
    EXPECT_EQ(RectOf(thins[row.thin]), row.thinRect);
  }
  Stage wide(0, 0, 300, 90), tiny(0, 0, 5, 5);  // under 20 units: still one cell
  auto board = wide.Prepare<CheckerBoardAgent>(9, Params{0, 8});
  EXPECT_EQ(std::make_pair(board->Rows(), board->Columns()), std::make_pair(5, 7));
  board->PrepareAction(tiny.Target());
  EXPECT_EQ(std::make_pair(board->Rows(), board->Columns()), std::make_pair(1, 1));
}

// Random bars (as many as whole units across, at most 100) and dissolve (400
// cells) show as many pieces as the progress asks, at least one, each once;
// an exit starts from the whole bounds; going back starts over.
TEST(FilterShapes, RandomPieces) {
  const struct {
    const char* name;
    int kind;
    double w, h;
    int presetClass, subtype;
    size_t total;
    std::vector<std::pair<uint32_t, size_t>> frames;  // time, pieces shown
  } rows[] = {
      {"bars 50 across", 13, 50, 100, 0, 0, 50, {{0, 1}, {500, 25}, {1000, 50}}},
      {"bars count the height", 13, 300, 30, 0, 8, 30, {{0, 1}, {500, 15}}},
      {"at most 100 bars", 13, 300, 100, 0, 0, 100, {{10, 1}, {333, 33}, {1000, 100}}},
      {"under a unit: no bars", 13, 0.5, 100, 0, 0, 0, {{0, 0}, {1000, 0}}},
      {"bars going back, exit", 13, 50, 100, 1, 0, 50, {{600, 30}, {100, 5}, {1000, 50}}},
      {"cells", 12, 200, 100, 0, 0, 400, {{0, 1}, {1, 1}, {500, 200}, {1000, 400}}},
      {"cells going back, exit", 12, 200, 100, 1, 0, 400, {{1000, 400}, {250, 100}}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    auto agent = stage.Prepare<GeneralAgent>(row.kind, Params{row.presetClass, row.subtype});
    for (const auto& frame : row.frames) {
      agent->Apply(stage.Target(), frame.first);
      const std::vector<uint32_t>& remaining =
          row.kind == 13 ? boost::dynamic_pointer_cast<RandomBarsAgent>(agent)->Remaining()
                         : boost::dynamic_pointer_cast<DissolveOutAgent>(agent)->Remaining();
      SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(frame.first));
      const auto& children = Ours(agent->MaskGroup())->Children();
      EXPECT_EQ(children.size(), frame.second + row.presetClass);
      EXPECT_EQ(remaining.size(), row.total - frame.second);
      EXPECT_EQ(std::set<uint32_t>(remaining.begin(), remaining.end()).size(), remaining.size());
      // The exit's whole rectangle comes first; the pieces cut holes in it.
      if (row.presetClass) {
        EXPECT_EQ(RectOf(children[0]).size(), 4u);
      }
      // Every piece shown covers the shape (bars reach into the margin, so
      // only the cells are counted on the way).
      const double shown = frame.second / double(row.total);
      if (row.total && (row.kind == 12 || frame.second == row.total)) {
        EXPECT_NEAR(VisibleShare(stage.Node()), row.presetClass ? 1 - shown : shown, 0.05);
      }
    }
  }
}

// 300 x 400 at (0, 0): radius 250 + 5 about (150, 200), chords of 10 / 255
// radian; the pie opens both ways from straight up and leaves a gap below.
TEST(WedgeAgent, OpensFromTheTopBothWays) {
  EXPECT_DOUBLE_EQ(ArcAgent::ArcStep(255), 10.0 / 255);
  EXPECT_DOUBLE_EQ(ArcAgent::ArcStep(100), 0.1);
  // Probed at the top, the bottom, the left, the upper left, the bottom right
  // and the top left corner: + inside the mask's outline, - outside.
  const double probes[][2] = {{150, 10}, {150, 390}, {10, 200}, {20, 150}, {290, 390}, {5, 5}};
  const struct {
    int presetClass;
    uint32_t t;
    const char* inside;
  } rows[] = {
      {0, 0, "------"}, {0, 500, "+--+-+"}, {0, 1000, "+-++++"},
      {1, 0, "++++++"}, {1, 500, "-++-+-"}, {1, 1000, "-+----"},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, 300, 400);
    const MaskGeometry g =
        GeometryOf(stage.Prepare<GeneralAgent>(14, Params{row.presetClass}, row.t)->CurrentMask());
    const auto outline = platform::Outline(g);
    std::string inside;
    for (const auto& p : probes) inside += platform::Contains(outline, p[0], p[1]) ? '+' : '-';
    EXPECT_EQ(inside, row.inside) << row.presetClass << " at " << row.t;
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
    const MaskGeometry g = GeometryOf(
        stage.Prepare<GeneralAgent>(row.kind, Params{row.presetClass}, row.t)->CurrentMask());
    ASSERT_EQ(g.children.size(), size_t(row.spokes + row.presetClass)) << row.kind;
    for (int i = 0; i < row.spokes; ++i) {
      const MaskGeometry& slice = g.children[size_t(i)];
      const double start = -kPi / 2 - 2 * kPi / row.spokes * i;
      // The first chord starts at the start; the radius back starts at the end.
      const double* first = slice.children.front().v;
      const double* back = slice.children[slice.children.size() - 2].v;
      SCOPED_TRACE(testing::Message() << "kind " << row.kind << ", slice " << i);
      EXPECT_NEAR(std::remainder(angle(first) - start, 2 * kPi), 0, 1e-9);
      EXPECT_NEAR(std::remainder(angle(back) - start - row.sweep, 2 * kPi), 0, 1e-9);
    }
  }
}

// Once every cell is shown, a further frame adds nothing and attaches no mask
// of its own. The cells cover the widened bounds.
TEST(DissolveOutAgent, NothingLeftToShow) {
  Stage stage(0, 0, 40, 40);  // widened to (-30, -30)-(70, 70)
  auto dissolve = stage.Prepare<GeneralAgent>(12, Params(), 1000);
  const auto mask = dissolve->CurrentMask();
  double box[4];
  ASSERT_TRUE(platform::GeometryBounds(GeometryOf(dissolve->MaskGroup()), box));
  EXPECT_EQ(Box(box, box + 4), (Box{-30, -30, 70, 70}));
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
    auto peek = stage.Prepare<PeekInAgent>(0, {row.presetClass, row.subtype, row.transition});
    stage.screen->CaptureAuthored();
    EXPECT_EQ(RectOf(peek->Mask()), AreaOf(*peek));
    for (int i = 0; i < 3; ++i) {
      stage.screen->ResetFrame();
      peek->Apply(stage.Target(), uint32_t(i * 500));
      const double* p = stage.Node().Frame().position;
      EXPECT_EQ((Box{p[0] - 100, p[1] - 100}), (Box{row.x[i], row.y[i]})) << row.name << " " << i;
      EXPECT_TRUE(stage.Node().Frame().masks.at(0).active) << row.name;
    }
  }
}

}  // namespace
