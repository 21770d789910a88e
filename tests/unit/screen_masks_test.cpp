// Mask shapes from the factory: the area a mask
// leaves visible (even-odd groups, chained line segments), morphs.
#include <gtest/gtest.h>

#include <cmath>

#include "mask_builders.h"

using namespace platform;
using namespace masks;

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Visible(const boost::shared_ptr<IScreenShape>& shape, double x, double y) {
  return Contains(GeometryOf(shape), x, y);
}

TEST(MaskShapes, PropertiesGiveTheGeometry) {
  auto poly = ScreenShapeFactroy::GetScreenShape(eIidPolygonShape);
  for (Kinefold::TPoint p : {Kinefold::TPoint{0, 5}, {5, 0}, {10, 5}, {5, 10}})
    SetPoint(poly, ePropPolygonVertex, p);
  poly->SetGeometry(0, 0, 10, 10);
  EXPECT_TRUE(Visible(poly, 5, 5));
  EXPECT_FALSE(Visible(poly, 1, 1));  // outside the diamond, inside its bounds
  EXPECT_EQ(poly->GetBounds()[2], 10.0);

  auto circle = Circle(50, 50, 10);
  EXPECT_TRUE(Visible(circle, 57, 57));
  EXPECT_FALSE(Visible(circle, 58, 58));
  EXPECT_NEAR(circle->GetBounds()[0], 40.0, 1e-9);

  auto ellipse = ScreenShapeFactroy::GetScreenShape(eIidEllipseShape);
  SetPoint(ellipse, ePropEllipseCentre, {0, 0});
  SetInt(ellipse, ePropEllipseRadiusX, 20);
  SetInt(ellipse, ePropEllipseRadiusY, 5);
  SetInt(ellipse, ePropEllipse226, 0);
  ellipse->SetGeometry(-10, -2, 10, 2);
  EXPECT_TRUE(Visible(ellipse, 19, 0));
  EXPECT_FALSE(Visible(ellipse, 0, 6));
}

TEST(MaskShapes, GroupsShowWhereAnOddNumberOfChildrenOverlap) {
  struct Case {
    boost::shared_ptr<IScreenShape> shape;
    double x, y;
    bool visible;
  };
  auto frame = Group({Rect(0, 0, 100, 100), Rect(40, 40, 60, 60)});
  auto nothing = Group({Rect(0, 0, 100, 100), Rect(0, 0, 100, 100)});
  auto nested = Group({frame, Rect(45, 0, 55, 100)});
  Case cases[] = {
      {frame, 10, 10, true},    {frame, 50, 50, false},   {frame, 150, 50, false},
      {nothing, 50, 50, false}, {nested, 50, 50, true},   {nested, 50, 20, false},
      {nested, 20, 20, true},   {Group({}), 1, 1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(Visible(c.shape, c.x, c.y), c.visible) << c.x << "," << c.y;
}

TEST(MaskShapes, ChainedLineSegmentsOutlineAPie) {
  // A quarter pie from up to right, about (100, 100), radius 50.
  auto pie = Pie(-kPi / 2, 0.0, 100, 100, 50);
  EXPECT_TRUE(Visible(pie, 120, 80));
  EXPECT_FALSE(Visible(pie, 80, 80));    // the quarter to the left of up
  EXPECT_FALSE(Visible(pie, 120, 120));  // below
  EXPECT_FALSE(Visible(pie, 140, 60));   // outside the radius
  // A pie of no angle covers nothing.
  EXPECT_TRUE(Outline(GeometryOf(Pie(-kPi / 2, -kPi / 2, 100, 100, 50))).size() <= 1u);
  EXPECT_FALSE(Visible(Pie(-kPi / 2, -kPi / 2, 100, 100, 50), 100, 90));
  // An exit wheel: the circle with the slice cut out.
  auto wheel = Group({Pie(-kPi / 2, 0.0, 100, 100, 50), Circle(100, 100, 50)});
  EXPECT_FALSE(Visible(wheel, 120, 80));
  EXPECT_TRUE(Visible(wheel, 80, 120));
  // Segments that do not close enclose nothing.
  auto open = ScreenShapeFactroy::GetScreenShape(eIidGroupShape);
  auto line = ScreenShapeFactroy::GetScreenShape(eIidLineShape);
  line->SetGeometry(0, 0, 10, 10);
  open->AddChild(line);
  EXPECT_TRUE(Outline(GeometryOf(open)).empty());
}

TEST(MaskShapes, MorphBlendsByRatio) {
  // The box filter's entrance: from the 2 x 2 square to the widened bounds.
  const double from[4] = {49, 24, 51, 26}, to[4] = {-10, -30, 110, 80};
  for (uint32_t ratio : {0u, 32767u, 65535u}) {
    auto m =
        Morph(Rect(from[0], from[1], from[2], from[3]), Rect(to[0], to[1], to[2], to[3]), ratio);
    const double* b = m->GetBounds();
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(b[i], from[i] + (to[i] - from[i]) * ratio / 65535.0, 1e-9) << ratio;
  }
  // Ratios past the end stay at the end shape.
  auto m = Morph(Rect(0, 0, 1, 1), Rect(0, 0, 3, 3), 70000);
  EXPECT_EQ(static_cast<MaskShape*>(m.get())->Ratio(), 65535u);
  EXPECT_NEAR(m->GetBounds()[2], 3.0, 1e-12);
}

TEST(MaskShapes, MorphKinds) {
  // Circle to ellipse: centre and radii.
  auto circle = Circle(50, 50, 1);
  auto ellipse = ScreenShapeFactroy::GetScreenShape(eIidEllipseShape);
  SetPoint(ellipse, ePropEllipseCentre, {50, 50});
  SetInt(ellipse, ePropEllipseRadiusX, 71);
  SetInt(ellipse, ePropEllipseRadiusY, 41);
  MaskGeometry g = GeometryOf(Morph(circle, ellipse, 32768));
  ASSERT_EQ(g.kind, MaskGeometry::Ellipse);
  EXPECT_NEAR(g.v[2], 36.0, 0.01);
  EXPECT_NEAR(g.v[3], 21.0, 0.01);

  // Polygons vertex by vertex; a rectangle meets a 4-gon corner by corner.
  auto diamond = ScreenShapeFactroy::GetScreenShape(eIidPolygonShape);
  for (Kinefold::TPoint p : {Kinefold::TPoint{0, -10}, {10, 0}, {0, 10}, {-10, 0}})
    SetPoint(diamond, ePropPolygonVertex, p);
  g = GeometryOf(Morph(Rect(-10, -10, 10, 10), diamond, 65535 / 2 + 1));
  ASSERT_EQ(g.kind, MaskGeometry::Polygon);
  ASSERT_EQ(g.points.size(), 4u);
  EXPECT_NEAR(g.points[0].x, -5.0, 1e-3);
  EXPECT_NEAR(g.points[0].y, -10.0, 1e-3);

  // Groups child by child: the box filter's inward frame pair.
  auto full = Rect(0, 0, 100, 100);
  auto bounds = Rect(0, 0, 100, 100);
  auto g1 = Group({full, bounds});
  auto g2 = Group({Rect(49, 49, 51, 51), bounds});
  auto half = Morph(g1, g2, 32768);
  EXPECT_TRUE(Visible(half, 5, 5));
  EXPECT_FALSE(Visible(half, 50, 50));
  EXPECT_FALSE(Visible(Morph(g1, g2, 0), 5, 5));
}

TEST(MaskShapes, MorphOfDifferentStructures) {
  // An extra child of the start shrinks away; one of the end grows in.
  auto two = Group({Rect(0, 0, 10, 10), Rect(20, 0, 40, 20)});
  auto one = Group({Rect(0, 0, 10, 10)});
  MaskGeometry g = GeometryOf(Morph(two, one, 32768));
  ASSERT_EQ(g.children.size(), 2u);
  double b[4];
  ASSERT_TRUE(GeometryBounds(g.children[1], b));
  EXPECT_NEAR(b[2] - b[0], 10.0, 0.01);
  g = GeometryOf(Morph(one, two, 16384));
  ASSERT_TRUE(GeometryBounds(g.children[1], b));
  EXPECT_NEAR(b[2] - b[0], 5.0, 0.01);

  // A leaf against a group counts as a group of one.
  g = GeometryOf(Morph(Rect(0, 0, 10, 10), two, 65535 / 2));
  EXPECT_EQ(g.kind, MaskGeometry::Group);

  // Unlike leaves blend as outlines and keep their ends exact.
  auto circle = Circle(0, 0, 10);
  auto square = Rect(-20, -20, 20, 20);
  g = GeometryOf(Morph(circle, square, 32768));
  ASSERT_EQ(g.kind, MaskGeometry::Polygon);
  ASSERT_TRUE(GeometryBounds(g, b));
  EXPECT_GT(b[2], 10.0);
  EXPECT_LT(b[2], 20.0);
  EXPECT_TRUE(Contains(g, 0, 0));
  EXPECT_EQ(GeometryOf(Morph(circle, square, 0)).kind, MaskGeometry::Ellipse);
  EXPECT_EQ(GeometryOf(Morph(circle, square, 65535)).kind, MaskGeometry::Rect);

  // One side only: that side at every ratio. Neither: no area, and a
  // container holding it does not clip.
  auto lonely = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  lonely->SetEndShape(square);
  lonely->SetRatio(10);
  EXPECT_TRUE(Visible(lonely, 19, 19));
  auto container = ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
  EXPECT_FALSE(static_cast<MaskShape*>(container.get())->Clips());
  container->SetContent(ScreenShapeFactroy::GetScreenShape(eIidMorphShape));
  EXPECT_FALSE(static_cast<MaskShape*>(container.get())->Clips());
  container->SetContent(lonely);
  EXPECT_TRUE(static_cast<MaskShape*>(container.get())->Clips());
}

TEST(MaskShapes, SelfContainingShapesEnd) {
  auto morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  morph->SetStartShape(morph);
  morph->SetEndShape(Rect(0, 0, 1, 1));
  morph->SetRatio(30000);
  MaskGeometry g = GeometryOf(morph);
  EXPECT_EQ(g.kind, MaskGeometry::Rect);  // the loop ends in nothing after a fixed depth
  // Break the cycle so the shape is freed.
  morph->SetStartShape(boost::shared_ptr<IScreenShape>());
}

}  // namespace
