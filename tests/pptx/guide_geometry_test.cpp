// Geometry guides read from the document: preset adjust values, and custom
// geometry whose paths name its guides.
#include "DeckFixture.h"

#include "document/Shape.h"

using namespace testdeck;

namespace {

// A 100 x 50 slide-unit shape with this geometry.
std::string Sp(int id, const std::string& geometry) {
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"0\" "
         "y=\"0\"/><a:ext cx=\"952500\" cy=\"476250\"/></a:xfrm>" +
         geometry + "</p:spPr></p:sp>";
}

TEST(GuideGeometry, PresetAdjustValuesAreRead) {
  pptx::Diagnostics diag;
  auto slide = ReadSlide("preset_adjust",
                         Sp(2,
                            "<a:prstGeom prst=\"wedgeRectCallout\"><a:avLst>"
                            "<a:gd name=\"adj1\" fmla=\"val -40000\"/>"
                            "<a:gd name=\"adj2\" fmla=\"*/ 1 2 3\"/></a:avLst></a:prstGeom>"),
                         "", diag);
  auto shape = slide->FindShape(L"2");
  EXPECT_EQ(shape->geometry.preset, "wedgeRectCallout");
  // Only plain values are adjust values; the preset's default stands in.
  ASSERT_EQ(shape->geometry.adjust.size(), 1u);
  EXPECT_EQ(shape->geometry.adjust[0].first, "adj1");
  EXPECT_DOUBLE_EQ(shape->geometry.adjust[0].second, -40000);
}

TEST(GuideGeometry, CustomGeometryKeepsItsGuidesAndNames) {
  pptx::Diagnostics diag;
  auto slide = ReadSlide(
      "custom_guides",
      Sp(2,
         "<a:custGeom><a:avLst><a:gd name=\"adj\" fmla=\"val 25000\"/></a:avLst><a:gdLst>"
         "<a:gd name=\"x1\" fmla=\"*/ w adj 100000\"/><a:gd name=\"ang\" fmla=\"val cd4\"/>"
         "</a:gdLst><a:pathLst><a:path><a:moveTo><a:pt x=\"x1\" y=\"476250\"/></a:moveTo>"
         "<a:arcTo wR=\"x1\" hR=\"95250\" stAng=\"ang\" swAng=\"5400000\"/><a:close/></a:path>"
         "<a:path w=\"200\" h=\"100\" fill=\"none\"><a:moveTo><a:pt x=\"0\" y=\"b\"/>"
         "</a:moveTo></a:path></a:pathLst></a:custGeom>") +
          Sp(3,
             "<a:custGeom><a:pathLst><a:path><a:moveTo><a:pt x=\"x 1\" y=\"0\"/>"
             "</a:moveTo></a:path></a:pathLst></a:custGeom>") +
          Sp(4,
             "<a:custGeom><a:pathLst><a:path><a:lnTo><a:pt x=\"1\"/></a:lnTo></a:path>"
             "</a:pathLst></a:custGeom>"),
      "", diag);
  const platform::Geometry& g = slide->FindShape(L"2")->geometry;
  ASSERT_EQ(g.preset, "custom");
  // Adjust values first, then guides, in document order.
  ASSERT_EQ(g.guides.size(), 3u);
  EXPECT_EQ(g.guides[0].name, "adj");
  EXPECT_EQ(g.guides[0].formula, "val 25000");
  EXPECT_EQ(g.guides[2].name, "ang");
  EXPECT_EQ(g.guides[2].formula, "val cd4");
  ASSERT_EQ(g.paths.size(), 2u);
  const platform::GeometryPath& own = g.paths[0];
  EXPECT_DOUBLE_EQ(own.width, 0);
  ASSERT_EQ(own.commands.size(), 3u);
  // Names stay names; numbers of a path without a size become slide units,
  // arc angles degrees.
  EXPECT_EQ(own.commands[0].ref[0], "x1");
  EXPECT_TRUE(own.commands[0].ref[1].empty());
  EXPECT_DOUBLE_EQ(own.commands[0].v[1], 50);
  EXPECT_EQ(own.commands[1].ref[0], "x1");
  EXPECT_DOUBLE_EQ(own.commands[1].v[1], 10);
  EXPECT_EQ(own.commands[1].ref[2], "ang");
  EXPECT_DOUBLE_EQ(own.commands[1].v[3], 90);
  const platform::GeometryPath& sized = g.paths[1];
  EXPECT_DOUBLE_EQ(sized.width, 200);
  EXPECT_FALSE(sized.filled);
  EXPECT_EQ(sized.commands[0].ref[1], "b");
  // A coordinate that is neither a number nor a name, or a missing one,
  // leaves the bounding rectangle with a warning.
  EXPECT_EQ(slide->FindShape(L"3")->geometry.preset, "rect");
  EXPECT_EQ(slide->FindShape(L"4")->geometry.preset, "rect");
  EXPECT_EQ(diag.WarningCount(), 2u);
  ASSERT_FALSE(diag.Lines().empty());
  EXPECT_NE(diag.Lines()[0].find("invalid custom geometry"), std::string::npos) << diag.Lines()[0];
}

}  // namespace
