// Preset shapes drawn by the renderer, one or two of each family with adjust
// values of their own, compared with the references in tests/golden/presets/
// (see Golden.h to regenerate them).
#include <gtest/gtest.h>

#include <sstream>

#include "Golden.h"
#include "document/Slide.h"
#include "publisher/SlideScreen.h"

using namespace platform;

namespace {

struct Case {
  const char* golden;
  const char* preset;
  const char* adjust;  // name value pairs
  double x, y, w, h;
  bool flipH;
};

const Case kCases[] = {
    // Basic shapes.
    {"round_rect", "roundRect", "adj 35000", 8, 16, 80, 64, false},
    {"can", "can", "adj 40000", 16, 8, 64, 80, false},
    {"moon", "moon", "adj 30000", 16, 8, 64, 80, false},
    {"block_arc", "blockArc", "adj1 0 adj2 10800000 adj3 30000", 8, 8, 80, 80, false},
    {"frowning_face", "smileyFace", "adj -4653", 8, 8, 80, 80, false},
    {"gear9", "gear9", "adj1 15000", 8, 8, 80, 80, false},
    {"sun", "sun", "adj 35000", 8, 8, 80, 80, false},
    // Stars and seals.
    {"star5", "star5", "adj 30000", 8, 8, 80, 80, false},
    {"irregular_seal", "irregularSeal1", "", 8, 16, 80, 64, false},
    // Block arrows.
    {"right_arrow", "rightArrow", "adj1 60000 adj2 30000", 8, 20, 80, 56, false},
    {"uturn_arrow", "uturnArrow", "adj5 60000", 8, 8, 80, 80, false},
    {"curved_arrow_flipped", "curvedRightArrow", "adj3 35000", 24, 8, 48, 80, true},
    {"circular_arrow", "circularArrow", "adj3 16200000 adj4 0 adj5 15000", 8, 8, 80, 80, false},
    // Flowchart symbols.
    {"flowchart_document", "flowChartDocument", "", 8, 16, 80, 64, false},
    {"flowchart_disk", "flowChartMagneticDisk", "", 16, 8, 64, 80, false},
    // Callouts.
    {"wedge_callout", "wedgeRoundRectCallout", "adj1 30000 adj2 80000", 8, 8, 72, 56, false},
    {"cloud_callout", "cloudCallout", "adj1 40000 adj2 -75000", 8, 28, 64, 56, false},
    {"border_callout", "borderCallout2", "adj6 -10000", 24, 8, 64, 48, false},
    // Brackets, ribbons and banners.
    {"left_brace", "leftBrace", "adj1 15000 adj2 30000", 32, 8, 32, 80, false},
    {"ribbon", "ribbon2", "adj1 25000", 4, 16, 88, 64, false},
    {"vertical_scroll", "verticalScroll", "adj 20000", 16, 8, 64, 80, false},
    {"wave", "wave", "adj2 5000", 8, 16, 80, 64, false},
    // Action buttons and math.
    {"home_button", "actionButtonHome", "", 8, 8, 80, 80, false},
    {"not_equal", "mathNotEqual", "adj2 4800000", 8, 8, 80, 80, false},
    // A connector is never filled.
    {"bent_connector", "bentConnector3", "adj1 30000", 8, 16, 80, 64, false},
    // Custom geometry whose points and arcs come from its guides: a rounded tab
    // whose corner radius is a quarter of the height, and a notch from a value.
    {"custom_guides", "custom", "", 8, 16, 80, 64, false},
};

// A 96 x 96 slide with shape 2 at these bounds, filled and outlined.
Shape& AddShape(const boost::shared_ptr<Slide>& slide, double x, double y, double w, double h) {
  LineStyle line;
  line.present = true;
  line.colour = {20, 40, 90, 255};
  line.width = 2;
  return slide->AddShape(L"2")
      .SetBounds(x, y, w, h)
      .SetSolidFill({68, 114, 196, 255})
      .SetLine(line);
}

using PresetGolden = ::testing::TestWithParam<Case>;

TEST_P(PresetGolden, DrawsLikeItsReference) {
  const Case& c = GetParam();
  auto slide = golden::SmallSlide(96, 96);
  Shape& shape = AddShape(slide, c.x, c.y, c.w, c.h).SetGeometry(c.preset).SetFlip(c.flipH, false);
  if (std::string(c.preset).rfind("bentConnector", 0) == 0) shape.SetKind(ShapeKind::Connector);
  std::istringstream adjust(c.adjust);
  std::string name;
  double value;
  while (adjust >> name >> value) shape.geometry.adjust.push_back({name, value});
  if (shape.geometry.preset == "custom") {
    shape.geometry.guides = {{"notch", "val 30000"},
                             {"rad", "*/ h 1 4"},
                             {"x1", "+- r 0 rad"},
                             {"nx", "*/ w notch 100000"},
                             {"ny", "*/ h 1 2"}};
    GeometryPath path;
    path.commands = {{PathCommand::MoveTo, {}, {"l", "t"}},
                     {PathCommand::LineTo, {}, {"x1", "t"}},
                     {PathCommand::ArcTo, {}, {"rad", "rad", "3cd4", "cd4"}},
                     {PathCommand::LineTo, {}, {"r", "b"}},
                     {PathCommand::LineTo, {}, {"l", "b"}},
                     {PathCommand::LineTo, {}, {"nx", "ny"}},
                     {PathCommand::Close, {}, {}}};
    shape.geometry.paths = {path};
  }
  golden::ExpectMatches(golden::Draw(*SlideScreen::Build(slide)),
                        std::string("presets/") + c.golden);
}

INSTANTIATE_TEST_SUITE_P(Families, PresetGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.golden);
                         });

}  // namespace
