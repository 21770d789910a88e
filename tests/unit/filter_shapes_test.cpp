// The geometry of the mask filters: margins, collapsed and full shapes,
// cells, bands and bars, on the publisher's mask shapes.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "filter_fixtures.h"
#include "filters/BlindsAgent.h"
#include "filters/CheckerBoardAgent.h"
#include "filters/DissolveOutAgent.h"
#include "filters/RandomBarsAgent.h"

namespace {

using filters::MakeFilter;
using filters::MakeFilterAs;
using filters::Ours;
using filters::Params;
using filters::Stage;
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

// Shapes at (0, 0). Margins widen the bounds in place on each preparation.
TEST(FilterShapes, Margins) {
  const struct {
    const char* name;
    int kind;
    double w, h;
    int prepares;
    Box area;
  } rows[] = {
      {"box: 10, 30 across an extent below 60", 3, 100, 50, 1, {-10, -30, 110, 80}},
      {"box prepared twice widens again", 3, 100, 50, 2, {-20, -40, 120, 90}},
      {"wipe", 8, 40, 100, 1, {-30, -10, 70, 110}},
      {"split", 6, 100, 50, 1, {-10, -30, 110, 80}},
      {"circle, diamond, plus: none", 5, 100, 50, 1, {0, 0, 100, 50}},
      {"strips: 20", 10, 100, 40, 1, {-20, -20, 120, 60}},
      {"blinds take the bounds afresh", 2, 100, 40, 2, {-20, -20, 120, 60}},
      {"checkerboard takes the bounds afresh", 9, 300, 90, 2, {-5, -5, 305, 95}},
      {"peek: 30 across a small extent only", 0, 50, 60, 1, {-30, 0, 80, 60}},
      {"dissolve", 12, 50, 50, 1, {-30, -30, 80, 80}},
      {"wedge: none", 14, 50, 50, 1, {0, 0, 50, 50}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, row.h);
    auto agent = boost::dynamic_pointer_cast<FilterAgent>(MakeFilter(row.kind));
    for (int i = 0; i < row.prepares; ++i) agent->PrepareAction(stage.Target());
    EXPECT_EQ(AreaOf(*agent), row.area) << row.name;
  }
  // Random bars widen when they make their first bar.
  Stage stage(0, 0, 50, 100);
  auto bars = MakeFilterAs<RandomBarsAgent>(13);
  bars->PrepareAction(stage.Target());
  EXPECT_EQ(AreaOf(*bars), (Box{0, 0, 50, 100}));
  bars->Apply(stage.Target(), 500);
  EXPECT_EQ(AreaOf(*bars), (Box{-30, 0, 80, 100}));
}

// Shape (0, 0)-(w, 50): collapsed rectangles; the full one is the bounds.
TEST(FilterShapes, CollapsedRectangles) {
  const struct {
    const char* name;
    int kind, subtype;
    double w;
    Box collapsed;
  } rows[] = {
      {"box: 2 x 2 about the whole-unit centre", 3, 0, 101, {49, 24, 51, 26}},
      {"wipe from the left", 8, 0, 100, {-10, -30, -9, 80}},
      {"wipe from the right", 8, 1, 100, {109, -30, 110, 80}},
      {"wipe from the bottom", 8, 2, 100, {-10, 79, 110, 80}},
      {"wipe from the top", 8, 3, 100, {-10, -30, 110, -29}},
      {"wipe with no edge keeps the bounds", 8, 5, 100, {-10, -30, 110, 80}},
      // One extent beyond the bounds; the near edge is not rounded.
      {"split 10: horizontal", 6, 10, 101, {-131, 24, 232, 26}},
      {"split 12: horizontal", 6, 12, 101, {-131, 24, 232, 26}},
      {"split 11: vertical", 6, 11, 101, {49.5, -140, 52, 190}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, 50);
    auto agent = MakeFilterAs<InOutAgent>(row.kind, filters::ForClass(0, row.subtype));
    agent->PrepareAction(stage.Target());
    EXPECT_EQ(RectOf(agent->BuildCollapsedShape()), row.collapsed) << row.name;
    EXPECT_EQ(RectOf(agent->BuildFullShape()), AreaOf(*agent)) << row.name;
  }
}

TEST(FilterShapes, CircleDiamondAndPlus) {
  // Ellipse radii: half extents in whole units times the square root of 2.
  const double circles[][6] = {
      {100, 100, 71, 71, 50, 50}, {200, 100, 141, 71, 100, 50}, {201, 101, 141, 71, 100, 50}};
  for (const auto& c : circles) {
    Stage stage(0, 0, c[0], c[1]);
    auto circle = MakeFilterAs<InOutAgent>(5);
    circle->PrepareAction(stage.Target());
    auto full = circle->BuildFullShape();
    EXPECT_EQ(GetInt(full, ePropEllipseRadiusX), c[2]) << c[0];
    EXPECT_EQ(GetInt(full, ePropEllipseRadiusY), c[3]) << c[0];
    EXPECT_EQ(GetPoint(full, ePropEllipseCentre), (Kinefold::TPoint{c[4], c[5]})) << c[0];
    EXPECT_TRUE(platform::Contains(GeometryOf(full), c[0] - 1.5, c[1] - 1.5)) << c[0];
    EXPECT_EQ(GetDouble(circle->BuildCollapsedShape(), ePropCircleRadius), 1.0);
  }
  auto vertices = [](const boost::shared_ptr<IScreenShape>& s) {
    std::vector<double> out;
    for (const Kinefold::TPoint& p : Ours(s)->Sheet()->Vertices())
      out.insert(out.end(), {p.x, p.y});
    return out;
  };
  Stage stage(0, 0, 100, 50);
  auto diamond = MakeFilterAs<InOutAgent>(4);
  diamond->PrepareAction(stage.Target());
  // Twice the half extents each way: the edges pass through the corners.
  EXPECT_EQ(vertices(diamond->BuildFullShape()), (Box{-50, 25, 50, -25, 150, 25, 50, 75}));
  EXPECT_EQ(vertices(diamond->BuildCollapsedShape()), (Box{49, 25, 50, 24, 51, 25, 50, 26}));
  auto plus = MakeFilterAs<InOutAgent>(7);
  plus->PrepareAction(stage.Target());
  EXPECT_EQ(vertices(plus->BuildCollapsedShape()),
            (Box{0,   24, 49, 24, 49, 0,  51, 0,  51, 24, 100, 24,
                 100, 26, 51, 26, 51, 50, 49, 50, 49, 26, 0,   26}));
  EXPECT_EQ(vertices(plus->BuildFullShape()), (Box{0,  1,  1,  1,  1,  0, 99, 0, 99, 1, 100, 1, 100,
                                                   49, 99, 49, 99, 50, 1, 50, 1, 49, 0, 49}));
}

// Children of a group, their number and the rectangle of one of them.
void ExpectGroup(const boost::shared_ptr<IScreenShape>& group, size_t count, size_t index,
                 const Box& rect, const std::string& what) {
  const auto& children = Ours(group)->Children();
  ASSERT_EQ(children.size(), count) << what;
  EXPECT_EQ(RectOf(children[index]), rect) << what;
}

// At most 10 rows and 7 columns of about 20 units, one more of each built,
// every other row (or column) shifted by half a cell; slivers one unit wide.
TEST(FilterShapes, CheckerBoardAndBlinds) {
  Stage wide(0, 0, 300, 90);  // (-5, -5)-(305, 95): 5 rows of 20, 7 columns
  const double cw = 310.0 / 7;
  Params across;
  across.subtype = 8;
  auto board = MakeFilterAs<CheckerBoardAgent>(9, across);
  board->PrepareAction(wide.Target());
  EXPECT_EQ(std::make_pair(board->Rows(), board->Columns()), std::make_pair(5, 7));
  const double x0 = -5 - cw * 0.5;
  ExpectGroup(board->BuildFullShape(), 48, 8, {x0, 15, x0 + cw, 35}, "across");
  ExpectGroup(board->BuildCollapsedShape(), 48, 1, {-5 + cw, -5, -5 + cw + 1, 15}, "across");
  auto down = MakeFilterAs<CheckerBoardAgent>(9);
  down->PrepareAction(wide.Target());
  ExpectGroup(down->BuildFullShape(), 48, 6, {-5 + cw, -15, -5 + 2 * cw, 5}, "down");
  ExpectGroup(down->BuildCollapsedShape(), 48, 1, {-5, 15, -5 + cw, 16}, "down");
  Stage tiny(0, 0, 5, 5);  // under 20 units: still one cell
  board->PrepareAction(tiny.Target());
  EXPECT_EQ(std::make_pair(board->Rows(), board->Columns()), std::make_pair(1, 1));

  // Blinds: bands of 20 below an extent of 220, ten equal ones from there.
  const struct {
    double w;
    int subtype;
    size_t bands;
    Box first, thin;
  } blinds[] = {
      {80, 0, 6, {-20, -20, 0, 60}, {-20, -20, -19, 60}},
      {90, 0, 6, {-20, -20, 0, 60}, {-20, -20, -19, 60}},  // the rest is margin
      {260, 0, 10, {-20, -20, 10, 60}, {-20, -20, -19, 60}},
      {300, 8, 4, {-20, -20, 320, 0}, {-20, -20, 320, -19}},  // 40 high: 80 down
  };
  for (const auto& row : blinds) {
    Stage stage(0, 0, row.w, 40);
    auto agent = MakeFilterAs<BlindsAgent>(2, filters::ForClass(0, row.subtype));
    agent->PrepareAction(stage.Target());
    const platform::MaskShape* morph = filters::MorphOf(stage.Node(), *agent);
    ExpectGroup(morph->End(), row.bands, 0, row.first, "blinds full");
    ExpectGroup(morph->Start(), row.bands, 0, row.thin, "blinds thin");
  }
}

// Ten bands of a tenth of the larger extent from the subtype's corner; exits
// take the opposite corner; rounding is trunc(x + 0.5), so -34 becomes -33.
TEST(FilterShapes, StripsBands) {
  const struct {
    const char* name;
    double w;
    int presetClass, subtype;
    size_t band;
    Box collapsed, full;
  } rows[] = {
      // 100 x 40 widened to (-20, -20)-(120, 60): D = 140, bands of 14.
      {"7 from the top left", 100, 0, 7, 1, {-33, -5, -32, 8}, {-33, -5, 246, 8}},
      {"4 from the bottom right", 100, 0, 4, 1, {134, 46, 135, 32}, {-145, 46, 134, 32}},
      {"5 from the bottom left", 100, 0, 5, 2, {-47, 32, -46, 18}, {-47, 32, 232, 18}},
      {"6 from the top right", 100, 0, 6, 2, {148, 8, 149, 22}, {-131, 8, 148, 22}},
      {"an exit with 4 goes as 7", 100, 1, 4, 1, {-33, -5, -32, 8}, {-33, -5, 246, 8}},
      {"no corner: empty bands", 100, 0, 2, 3, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"bands of 14.1", 101, 0, 7, 1, {-33, -5, -32, 8}, {-33, -5, 248, 8}},
  };
  for (const auto& row : rows) {
    Stage stage(0, 0, row.w, 40);
    auto strips = MakeFilterAs<InOutAgent>(10, filters::ForClass(row.presetClass, row.subtype));
    strips->PrepareAction(stage.Target());
    ExpectGroup(strips->BuildCollapsedShape(), 10, row.band, row.collapsed, row.name);
    ExpectGroup(strips->BuildFullShape(), 10, row.band, row.full, row.name);
  }
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
    auto agent =
        MakeFilterAs<GeneralAgent>(row.kind, filters::ForClass(row.presetClass, row.subtype));
    agent->PrepareAction(stage.Target());
    for (const auto& frame : row.frames) {
      agent->Apply(stage.Target(), frame.first);
      const std::vector<uint32_t>& remaining =
          row.kind == 13 ? boost::dynamic_pointer_cast<RandomBarsAgent>(agent)->Remaining()
                         : boost::dynamic_pointer_cast<DissolveOutAgent>(agent)->Remaining();
      const std::string at = std::string(row.name) + " at " + std::to_string(frame.first);
      const auto& children = Ours(agent->MaskGroup())->Children();
      EXPECT_EQ(children.size(), frame.second + row.presetClass) << at;
      EXPECT_EQ(remaining.size(), row.total - frame.second) << at;
      EXPECT_EQ(std::set<uint32_t>(remaining.begin(), remaining.end()).size(), remaining.size());
      // The exit's whole rectangle comes first; the pieces cut holes in it.
      if (row.presetClass) {
        EXPECT_EQ(RectOf(children[0]).size(), 4u) << at;
      }
      // Every piece shown covers the shape (bars reach into the margin, so
      // only the cells are counted on the way).
      const double shown = frame.second / double(row.total);
      if (row.total && (row.kind == 12 || frame.second == row.total)) {
        EXPECT_NEAR(filters::VisibleShare(stage.Node()), row.presetClass ? 1 - shown : shown, 0.05)
            << at;
      }
    }
  }
}

}  // namespace
