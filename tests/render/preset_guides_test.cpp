// The guide formulas of shape geometry: each operator, the built-in names, the
// order of definitions, malformed guides, and custom geometry resolved with
// its guides.
#include <gtest/gtest.h>

#include <cmath>

#include "render/GeometryGuides.h"
#include "render/PresetGeometry.h"

using render::ApplyGuideOp;
using render::GuideList;
using render::GuideOp;

namespace {

constexpr double kDeg = 60000.0;  // guide angle units per degree

TEST(GuideOps, EachOperatorOnItsArguments) {
  const struct {
    const char* name;
    double x, y, z, expected;
  } cases[] = {
      {"*/", 6, 4, 3, 8},
      {"*/", 6, 4, 0, 0},  // a division by zero counts as 0
      {"+-", 6, 4, 3, 7},
      {"+/", 6, 4, 5, 2},
      {"+/", 6, 4, 0, 0},
      {"?:", 1, 10, 20, 10},
      {"?:", 0, 10, 20, 20},  // only a positive condition takes the first
      {"?:", -1, 10, 20, 20},
      {"abs", -7, 0, 0, 7},
      {"at2", 0, 1, 0, 90 * kDeg},
      {"at2", -1, 0, 0, 180 * kDeg},
      {"at2", 1, -1, 0, -45 * kDeg},
      {"cat2", 10, 3, 4, 6},
      {"sat2", 10, 3, 4, 8},
      {"cos", 10, 60 * kDeg, 0, 5},
      {"sin", 10, 30 * kDeg, 0, 5},
      {"tan", 10, 45 * kDeg, 0, 10},
      {"max", 3, -4, 0, 3},
      {"min", 3, -4, 0, -4},
      {"mod", 2, 3, 6, 7},
      {"pin", 0, -5, 10, 0},
      {"pin", 0, 5, 10, 5},
      {"pin", 0, 15, 10, 10},
      {"sqrt", 16, 0, 0, 4},
      {"sqrt", -16, 0, 0, 0},  // not a number: 0
      {"val", 42, 0, 0, 42},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GuideOp op;
    int arity = 0;
    ASSERT_TRUE(render::ParseGuideOp(c.name, &op, &arity));
    EXPECT_NEAR(ApplyGuideOp(op, c.x, c.y, c.z), c.expected, 1e-9);
  }
  GuideOp op;
  int arity = 0;
  EXPECT_FALSE(render::ParseGuideOp("**", &op, &arity));
  EXPECT_TRUE(render::ParseGuideOp("pin", &op, &arity));
  EXPECT_EQ(arity, 3);
}

double Named(const GuideList& list, const std::vector<double>& values, const char* name) {
  GuideList::Operand operand;
  std::string error;
  EXPECT_TRUE(list.Resolve(name, &operand, &error)) << error;
  return GuideList::Value(values, operand);
}

TEST(GuideList, BuiltInNamesFollowTheSize) {
  GuideList list;
  const std::vector<double> v = list.Evaluate(200, 100, {});
  const struct {
    const char* name;
    double expected;
  } cases[] = {
      {"w", 200},          {"h", 100},    {"l", 0},       {"t", 0},           {"r", 200},
      {"b", 100},          {"hc", 100},   {"vc", 50},     {"ss", 100},        {"ls", 200},
      {"wd3", 200 / 3.},   {"hd8", 12.5}, {"ssd8", 12.5}, {"cd4", 90 * kDeg}, {"3cd4", 270 * kDeg},
      {"7cd8", 315 * kDeg}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Named(list, v, c.name), c.expected) << c.name;
}

TEST(GuideList, AdjustValuesGuidesAndTheirOrder) {
  GuideList list;
  std::string error;
  list.AddAdjust("adj", 25000);
  ASSERT_TRUE(list.AddGuide("a", "pin 0 adj 50000", &error)) << error;
  ASSERT_TRUE(list.AddGuide("x1", "*/ ss a 100000", &error)) << error;
  ASSERT_TRUE(list.AddGuide("x2", "+- r 0 x1", &error)) << error;
  ASSERT_TRUE(list.AddGuide("x1", "*/ x1 2 1", &error)) << error;  // hides the first x1
  ASSERT_TRUE(list.AddGuide("x3", "val x1", &error)) << error;
  const struct {
    render::AdjustValues adjust;
    double x2, x3;
  } cases[] = {
      {{}, 175, 50},                                     // the default
      {{{"adj", 10000}}, 190, 20},                       // the document's value
      {{{"adj", 90000}}, 150, 100},                      // pinned
      {{{"other", 1}, {"adj", 0}, {"adj", 1}}, 200, 0},  // the first of a name counts
  };
  for (const auto& c : cases) {
    const std::vector<double> v = list.Evaluate(200, 100, c.adjust);
    EXPECT_DOUBLE_EQ(Named(list, v, "x2"), c.x2);
    EXPECT_DOUBLE_EQ(Named(list, v, "x3"), c.x3);
  }
}

TEST(GuideList, MalformedGuidesAreRefused) {
  const struct {
    const char* formula;
    const char* error;
  } cases[] = {
      {"*/ w 2", "needs more arguments"},
      {"val 1 2", "too many arguments"},
      {"times w 2", "unknown operator \"times\""},
      {"+- w later 0", "unknown guide \"later\""},
      {"val self", "unknown guide \"self\""},  // a guide cannot use itself
      {"val 3x", "unknown guide \"3x\""},      // a number must be the whole token
      {"", "unknown operator"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    GuideList list;
    std::string error;
    EXPECT_FALSE(list.AddGuide("self", c.formula, &error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

// Custom geometry of a 100 x 50 slide-unit shape (952500 x 476250 EMU).
platform::Geometry Custom(double pathWidth, double pathHeight,
                          std::vector<platform::PathCommand> commands) {
  platform::Geometry g;
  g.preset = "custom";
  g.guides = {{"half", "*/ w 1 2"}, {"quarter", "*/ cd2 1 2"}};
  platform::GeometryPath path;
  path.width = pathWidth;
  path.height = pathHeight;
  path.commands = std::move(commands);
  g.paths = {path};
  return g;
}

platform::PathCommand Command(platform::PathCommand::Kind kind,
                              std::vector<std::pair<double, std::string>> operands) {
  platform::PathCommand c;
  c.kind = kind;
  for (size_t i = 0; i < operands.size(); ++i) {
    c.v[i] = operands[i].first;
    c.ref[i] = operands[i].second;
  }
  return c;
}

TEST(CustomGeometry, GuidesAreEvaluatedInTheDocumentsUnits) {
  using K = platform::PathCommand;
  const struct {
    const char* what;
    double pathWidth, pathHeight;
    K command;
    double v[4];
  } cases[] = {
      // Without a size of its own a path's guide values are EMU, turned into
      // slide units; its numbers already are.
      {"own units", 0, 0, Command(K::LineTo, {{0, "half"}, {7, ""}}), {50, 7}},
      {"built-in", 0, 0, Command(K::LineTo, {{0, "r"}, {0, "b"}}), {100, 50}},
      // With a size, guide values are in the path's units.
      {"path units", 200, 100, Command(K::MoveTo, {{0, "half"}, {3, ""}}), {476250, 3}},
      // Arc angles from guides are 60000ths of a degree, numbers degrees.
      {"angles",
       0,
       0,
       Command(K::ArcTo, {{0, "half"}, {10, ""}, {0, "quarter"}, {45, ""}}),
       {50, 10, 90, 45}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<platform::GeometryPath> out;
    std::string error;
    ASSERT_TRUE(render::ResolveCustomGeometry(Custom(c.pathWidth, c.pathHeight, {c.command}), 100,
                                              50, &out, &error))
        << error;
    ASSERT_EQ(out.size(), 1u);
    EXPECT_DOUBLE_EQ(out[0].width, c.pathWidth);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[0].commands[0].v[i], c.v[i], 1e-9) << i;
  }
}

TEST(CustomGeometry, AnUnknownNameIsReported) {
  std::vector<platform::GeometryPath> out;
  std::string error;
  platform::Geometry g = Custom(0, 0, {Command(platform::PathCommand::LineTo, {{0, "nowhere"}})});
  EXPECT_FALSE(render::ResolveCustomGeometry(g, 100, 50, &out, &error));
  EXPECT_NE(error.find("\"nowhere\""), std::string::npos) << error;
  g.guides.push_back({"broken", "*/ w"});
  EXPECT_FALSE(render::ResolveCustomGeometry(g, 100, 50, &out, &error));
  EXPECT_NE(error.find("\"broken\""), std::string::npos) << error;
}

}  // namespace
