// The preset table: every preset shape is there and compiles, outlines stay
// finite whatever the size and adjust values, stay in their box, and adjust
// values move the points they should; and the guide formulas: each
// operator, the built-in names, the order of definitions, malformed guides,
// and custom geometry resolved with its guides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "document/Shape.h"
#include "render/GeometryGuides.h"
#include "render/PresetGeometry.h"
#include "render/PresetTable.h"
#include "render/ShapePath.h"

namespace {

using platform::GeometryPath;
using platform::PathCommand;
using render::ApplyGuideOp;
using render::GuideList;
using render::GuideOp;

// Every preset shape name the family table of docs/presets.md lists
// ("callout1..3" stands for three of them).
std::set<std::string> DocumentedPresets() {
  std::ifstream doc(std::string(SLIDEANIM_GOLDEN_DIR) + "/../../docs/presets.md");
  const std::regex row(R"(\| [a-z ]+ \| (.+, .+) \|)"), range(R"((\D+)(\d+)\.\.(\d+))");
  std::set<std::string> names;
  std::smatch m;
  for (std::string line; std::getline(doc, line);) {
    if (!std::regex_match(line, m, row)) continue;
    std::istringstream cells(m[1].str());
    for (std::string name; std::getline(cells >> std::ws, name, ',');) {
      if (!std::regex_match(name, m, range)) {
        names.insert(name);
        continue;
      }
      for (int i = std::stoi(m[2]); i <= std::stoi(m[3]); ++i)
        names.insert(m[1].str() + std::to_string(i));
    }
  }
  return names;
}

// Presets that reach out of their box by design: the tips and leader lines
// of callouts.
bool PointsOutside(const std::string& name) {
  return name.find("allout") != std::string::npos && name.find("Arrow") == std::string::npos;
}

// The end points of the path commands, in the shape's coordinates.
std::vector<std::pair<double, double>> EndPoints(const GeometryPath& path, double w, double h) {
  const double sx = path.width > 0 ? w / path.width : 1, sy = path.height > 0 ? h / path.height : 1;
  std::vector<std::pair<double, double>> points;
  for (const PathCommand& c : path.commands) {
    const int at = c.kind == PathCommand::CubicTo ? 4 : c.kind == PathCommand::QuadTo ? 2 : 0;
    if (c.kind != PathCommand::ArcTo && c.kind != PathCommand::Close)
      points.push_back({c.v[at] * sx, c.v[at + 1] * sy});
  }
  return points;
}

std::vector<std::string> AdjustNames(const render::PresetEntry& entry) {
  std::istringstream in(entry.adjust);
  std::vector<std::string> names;
  std::string name, value;
  while (in >> name >> value) names.push_back(name);
  return names;
}

TEST(PresetTable, EveryPresetIsThereAndCompiles) {
  std::set<std::string> names;
  for (const render::PresetEntry& entry : render::PresetEntries())
    EXPECT_TRUE(names.insert(entry.name).second) << "twice: " << entry.name;
  // An entry that does not compile is left out of the names.
  const std::vector<std::string> compiled = render::PresetNames();
  EXPECT_EQ(compiled.size(), names.size());
  // The documentation lists them all, and no other.
  const std::set<std::string> expected = DocumentedPresets();
  ASSERT_FALSE(expected.empty()) << "no family table in docs/presets.md";
  for (const std::string& name : expected)
    EXPECT_TRUE(std::binary_search(compiled.begin(), compiled.end(), name)) << "missing " << name;
  for (const std::string& name : compiled) EXPECT_TRUE(expected.count(name)) << "extra " << name;
}

// Finite for any size and adjust value; with the default values, at the
// first two sizes, inside the box (callouts' tips and leaders aside).
TEST(PresetTable, OutlinesStayFiniteAndDefaultsInTheirBox) {
  const double sizes[][2] = {{120, 80}, {80, 120}, {0, 80}, {120, 0}, {0, 0}, {1e5, 1}};
  const double extremes[] = {-1e9, -50000, 0, 50000, 1e9};
  for (const render::PresetEntry& entry : render::PresetEntries()) {
    SCOPED_TRACE(entry.name);
    std::vector<render::AdjustValues> adjustments = {{}};
    for (const std::string& adj : AdjustNames(entry))
      for (double value : extremes) adjustments.push_back({{adj, value}});
    for (double value : extremes) {
      render::AdjustValues all;
      for (const std::string& adj : AdjustNames(entry)) all.push_back({adj, value});
      adjustments.push_back(all);
    }
    for (const auto& size : sizes)
      for (const render::AdjustValues& adjust : adjustments) {
        std::vector<GeometryPath> paths;
        ASSERT_TRUE(render::PresetOutline(entry.name, size[0], size[1], adjust, &paths));
        ASSERT_FALSE(paths.empty());
        for (const GeometryPath& path : paths)
          for (const PathCommand& c : path.commands)
            for (double v : c.v) ASSERT_TRUE(std::isfinite(v)) << size[0] << "x" << size[1];
        if (!adjust.empty() || &size - sizes > 1 || PointsOutside(entry.name)) continue;
        // The factors that fit some polygons to their box are rounded.
        const double tolerance = 1e-4 * std::max(size[0], size[1]);
        for (const GeometryPath& path : paths)
          for (const auto& p : EndPoints(path, size[0], size[1])) {
            EXPECT_TRUE(p.first >= -tolerance && p.first <= size[0] + tolerance &&
                        p.second >= -tolerance && p.second <= size[1] + tolerance)
                << "(" << p.first << ", " << p.second << ")";
          }
      }
  }
}

TEST(PresetTable, AdjustValuesMoveTheirPoints) {
  using K = PathCommand;
  const struct {
    const char* preset;
    double w, h;
    render::AdjustValues adjust;
    size_t first, command;  // values first and first + 1 of the first path's command
    PathCommand::Kind kind;
    double x, y;
  } cases[] = {
      {"roundRect", 100, 50, {{"adj", 20000}}, 0, 0, K::MoveTo, 0, 10},
      {"roundRect", 100, 50, {{"adj", 90000}}, 0, 0, K::MoveTo, 0, 25},  // pinned
      {"roundRect", 100, 50, {{"adj7", 1}}, 0, 0, K::MoveTo, 0, 50 / 6.0},
      {"rightArrow", 200, 100, {{"adj1", 30000}, {"adj2", 80000}}, 0, 1, K::LineTo, 120, 35},
      {"triangle", 100, 50, {{"adj", 0}}, 0, 1, K::LineTo, 0, 0},
      {"chevron", 200, 100, {{"adj", 30000}}, 0, 5, K::LineTo, 30, 50},
      {"star5", 100, 100, {{"adj", 0}}, 0, 1, K::LineTo, 50, 55.2785},
      {"pie", 200, 100, {{"adj1", 0}, {"adj2", 5400000}}, 0, 0, K::MoveTo, 200, 50},
      // A pie's arc turns from its start to its end angle, in degrees.
      {"pie", 200, 100, {{"adj1", 0}, {"adj2", 5400000}}, 2, 1, K::ArcTo, 0, 90},
      {"can", 100, 200, {{"adj", 50000}}, 0, 0, K::MoveTo, 0, 25},
      {"wedgeRectCallout", 100, 100, {}, 0, 10, K::LineTo, 29.167, 112.5},
      {"flowChartDocument", 100, 100, {}, 0, 2, K::LineTo, 21600, 17322},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.preset);
    std::vector<GeometryPath> paths;
    ASSERT_TRUE(render::PresetOutline(c.preset, c.w, c.h, c.adjust, &paths));
    ASSERT_TRUE(!paths.empty() && c.command < paths[0].commands.size());
    const PathCommand& command = paths[0].commands[c.command];
    EXPECT_EQ(command.kind, c.kind);
    EXPECT_NEAR(command.v[c.first], c.x, 1e-3);
    EXPECT_NEAR(command.v[c.first + 1], c.y, 1e-3);
  }
}

TEST(ShapeOutline, WhatTheShapeDrawsFrom) {
  platform::Shape shape(L"1");
  shape.SetBounds(10, 20, 100, 50);
  std::vector<GeometryPath> paths;
  std::string problem;
  // No preset name is a rectangle; pictures follow their geometry too.
  shape.geometry.preset = "";
  ASSERT_TRUE(render::ShapeOutline(shape, &paths, &problem));
  EXPECT_EQ(paths[0].commands.size(), 5u);
  shape.SetKind(platform::ShapeKind::Picture).SetGeometry("ellipse");
  ASSERT_TRUE(render::ShapeOutline(shape, &paths, &problem));
  EXPECT_EQ(paths[0].commands[1].kind, PathCommand::ArcTo);
  shape.SetGeometry("notAShape");
  EXPECT_FALSE(render::ShapeOutline(shape, &paths, &problem));
  EXPECT_NE(problem.find("\"notAShape\" as its bounding box"), std::string::npos) << problem;
  // Custom paths win over the preset name; a bad guide makes the bounds.
  GeometryPath path;
  path.commands = {PathCommand{PathCommand::LineTo, {}, {"missing"}}};
  shape.geometry.paths = {path};
  EXPECT_FALSE(render::ShapeOutline(shape, &paths, &problem));
  EXPECT_NE(problem.find("unknown guide \"missing\""), std::string::npos) << problem;
  shape.geometry.paths[0].commands[0].ref[0].clear();
  ASSERT_TRUE(render::ShapeOutline(shape, &paths, &problem));
  EXPECT_EQ(paths.size(), 1u);
}

// Numbers from a broken document (huge radii and coordinates, endless
// swings) leave the cairo context usable.
TEST(ShapeOutline, AbsurdNumbersAreDrawnBounded) {
  platform::Shape shape(L"1");
  shape.SetBounds(0, 0, 10, 10);
  GeometryPath path;
  path.commands = {{PathCommand::MoveTo, {-1e300}, {}},
                   {PathCommand::ArcTo, {1e15, 1e15, 1e9, -1e12}, {}},
                   {PathCommand::LineTo, {0, 1e300}, {}}};
  shape.geometry.preset = "custom";
  shape.geometry.paths = {path};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
  cairo_t* cr = cairo_create(surface);
  int painted = 0;
  render::ForEachShapePath(cr, shape, [&](bool fillable, bool strokable) {
    EXPECT_TRUE(fillable && strokable);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
    ++painted;
  });
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

constexpr double kDeg = 60000.0;  // guide angle units per degree

// A division by zero, and the root of a negative number, count as 0; only a
// positive condition takes the first value. Angles are 60000ths of a degree.
TEST(GuideOps, EachOperatorOnItsArguments) {
  const struct {
    const char* name;
    double x, y, z, expected;
  } cases[] = {{"*/", 6, 4, 3, 8},         {"*/", 6, 4, 0, 0},          {"+-", 6, 4, 3, 7},
               {"+/", 6, 4, 5, 2},         {"+/", 6, 4, 0, 0},          {"?:", 1, 10, 20, 10},
               {"?:", 0, 10, 20, 20},      {"?:", -1, 10, 20, 20},      {"abs", -7, 0, 0, 7},
               {"at2", 0, 1, 0, 5400000},  {"at2", -1, 0, 0, 10800000}, {"at2", 1, -1, 0, -2700000},
               {"cat2", 10, 3, 4, 6},      {"sat2", 10, 3, 4, 8},       {"cos", 10, 3600000, 0, 5},
               {"sin", 10, 1800000, 0, 5}, {"tan", 10, 2700000, 0, 10}, {"max", 3, -4, 0, 3},
               {"min", 3, -4, 0, -4},      {"mod", 2, 3, 6, 7},         {"pin", 0, -5, 10, 0},
               {"pin", 0, 5, 10, 5},       {"pin", 0, 15, 10, 10},      {"sqrt", 16, 0, 0, 4},
               {"sqrt", -16, 0, 0, 0},     {"val", 42, 0, 0, 42}};
  for (const auto& c : cases) {
    GuideOp op;
    int arity = 0;
    ASSERT_TRUE(render::ParseGuideOp(c.name, &op, &arity)) << c.name;
    EXPECT_NEAR(ApplyGuideOp(op, c.x, c.y, c.z), c.expected, 1e-9) << c.name;
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

TEST(GuideList, BuiltInNamesAdjustValuesGuidesAndTheirOrder) {
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
  // The built-in names follow the size.
  const std::vector<double> v = list.Evaluate(200, 100, {});
  const struct {
    const char* name;
    double expected;
  } names[] = {
      {"w", 200},          {"h", 100},    {"l", 0},       {"t", 0},           {"r", 200},
      {"b", 100},          {"hc", 100},   {"vc", 50},     {"ss", 100},        {"ls", 200},
      {"wd3", 200 / 3.},   {"hd8", 12.5}, {"ssd8", 12.5}, {"cd4", 90 * kDeg}, {"3cd4", 270 * kDeg},
      {"7cd8", 315 * kDeg}};
  for (const auto& c : names) EXPECT_DOUBLE_EQ(Named(list, v, c.name), c.expected) << c.name;
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
      {"own units", 0, 0, {K::LineTo, {0, 7}, {"half"}}, {50, 7}},
      {"built-in", 0, 0, {K::LineTo, {}, {"r", "b"}}, {100, 50}},
      // With a size, guide values are in the path's units.
      {"path units", 200, 100, {K::MoveTo, {0, 3}, {"half"}}, {476250, 3}},
      // Arc angles from guides are 60000ths of a degree, numbers degrees.
      {"angles", 0, 0, {K::ArcTo, {0, 10, 0, 45}, {"half", "", "quarter"}}, {50, 10, 90, 45}},
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

// Malformed guides, and names no guide defines, are refused, naming the
// guide and the reason.
TEST(CustomGeometry, MalformedGuidesAndUnknownNamesAreRefused) {
  const struct {
    const char* formula;
    const char* ref;  // the guide the path's point refers to
    const char* error;
  } cases[] = {
      {"*/ w 2", "r", "guide \"self\": \"*/\" needs more arguments"},
      {"val 1 2", "r", "guide \"self\": too many arguments"},
      {"times w 2", "r", "guide \"self\": unknown operator \"times\""},
      {"+- w later 0", "r", "guide \"self\": unknown guide \"later\""},
      {"val self", "r", "guide \"self\": unknown guide \"self\""},  // a guide cannot use itself
      {"val 3x", "r", "guide \"self\": unknown guide \"3x\""},  // a number must be the whole token
      {"", "r", "guide \"self\": unknown operator"},
      {"val 1", "nowhere", "unknown guide \"nowhere\""},
  };
  for (const auto& c : cases) {
    platform::Geometry g = Custom(0, 0, {{PathCommand::LineTo, {}, {c.ref}}});
    g.guides.push_back({"self", c.formula});
    std::vector<platform::GeometryPath> out;
    std::string error;
    EXPECT_FALSE(render::ResolveCustomGeometry(g, 100, 50, &out, &error)) << c.formula;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

}  // namespace
