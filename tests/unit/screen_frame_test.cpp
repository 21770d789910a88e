// Frame state of screen objects: the mask child list of interface 12 and the
// frame reset that restores what the slide looked like after its build; and
// the mask shapes from the factory: the area a mask leaves visible (even-odd
// groups, chained line segments), morphs.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "mask_builders.h"
#include "publisher/MaskShapes.h"
#include "publisher/SlideScreen.h"
#include "support/Values.h"

using namespace platform;

namespace {

boost::shared_ptr<SlideScreen> Screen() {
  auto slide = boost::make_shared<Slide>();
  slide->AddShape(L"2")
      .SetBounds(10, 20, 100, 50)
      .SetSolidFill({10, 20, 30, 255})
      .SetText({L"Hi there"});
  return SlideScreen::Build(slide);
}

boost::shared_ptr<IScreenShape> Container() {
  return ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
}

using Shapes = std::vector<boost::shared_ptr<IScreenShape>>;

// The children, and what asking one past the end gives.
Shapes Children(ICompoundShape& masks) {
  Shapes children;
  for (uint32_t i = 0; i <= masks.GetChildCount(); ++i) children.push_back(masks.GetChild(i));
  return children;
}

TEST(CompoundShape, ChildOperations) {
  auto screen = Screen();
  auto masks = QueryAs<ICompoundShape>(screen->Find(L"2/p0/w1/l0"), eIidCompoundShape);
  ASSERT_TRUE(masks);
  auto a = Container(), b = Container(), c = Container();
  masks->InsertChild(a, 0);
  masks->InsertChild(b, 0);
  masks->InsertChild(c, 99);  // past the end: appended
  EXPECT_EQ(Children(*masks), (Shapes{b, a, c, nullptr}));
  masks->InsertChild(c, 0);  // already there: moves
  masks->InsertChild(boost::shared_ptr<IScreenShape>(), 0);
  EXPECT_EQ(Children(*masks), (Shapes{c, b, a, nullptr}));

  auto node = screen->FindNode(L"2/p0/w1/l0");
  EXPECT_EQ(node->Masks().ActiveShapes().size(), 3u);  // children start switched on
  masks->SetChildActive(false, a);
  masks->SetChildActive(false, c);
  EXPECT_EQ(node->Masks().ActiveShapes(), Shapes{b});
  // Switching on a shape that is not a child does nothing.
  masks->SetChildActive(true, ScreenShapeFactroy::GetScreenShape(eIidRectangleShape));

  // A detached child stays for this frame; detaching it again removes it.
  masks->DetachChild(b);
  EXPECT_EQ(masks->GetChildCount(), 3u);
  masks->SetChildActive(true, b);
  EXPECT_TRUE(node->Masks().HasActive());
  masks->DetachChild(b);
  EXPECT_EQ(masks->GetChildCount(), 2u);
  masks->DetachChild(b);  // no longer a child: nothing happens
  EXPECT_EQ(masks->GetChildCount(), 2u);
}

TEST(FrameReset, RestoresWhatTheBuildLeft) {
  auto screen = Screen();
  auto shape = screen->Find(L"2");
  auto target = QueryAs<IShapeTarget>(shape, eIidShapeTarget);
  auto masks = QueryAs<ICompoundShape>(shape, eIidCompoundShape);
  auto letterContext = QueryAs<IShapeContext>(screen->Find(L"2/p0/w0/l0"), eIidScreenShape9);

  // What the build does: a mask attached switched off, a part hidden.
  auto kept = Container();
  masks->InsertChild(kept, 0);
  masks->SetChildActive(false, kept);
  letterContext->GetColorTransform()->alphaMul = 0.0;
  auto detached = Container();  // stays for the current frame only
  masks->InsertChild(detached, 0);
  masks->DetachChild(detached);
  screen->CaptureAuthored();
  EXPECT_EQ(Children(*masks), (Shapes{detached, kept, nullptr}));

  // What a frame's agents do.
  double* t = target->GetTransform();
  t[0] = 5, t[4] = 2;
  target->GetColorTransform()->alphaAdd = -127;
  target->GetPosition()[0] += 30;
  masks->SetChildActive(true, kept);
  auto frameOnly = Container();
  masks->InsertChild(frameOnly, 0);
  masks->DetachChild(frameOnly);
  masks->InsertChild(Container(), 0);
  letterContext->GetColorTransform()->alphaMul = 1.0;
  auto run = QueryAs<IItemList>(screen->Find(L"2/p0"), eIidRunGroup)->GetItem(0);
  auto current = GetSheet(run, ePropRunCharProps);
  SetBool(current, ePropBold, true);
  SetDouble(current, ePropFontSize, 36.0);
  auto runObject = boost::dynamic_pointer_cast<FormattingRun>(run);
  EXPECT_TRUE(runObject->Changed() && runObject->Current().bold);
  EXPECT_TRUE(screen->FindShape(L"2")->TextPropsChanged());
  screen->FindNode(L"2/shape/fill")->MutableFrame().fill.Set(Kinefold::TColor{1, 2, 3, 255});

  screen->ResetFrame();
  EXPECT_TRUE(IsIdentityTransform(target->GetTransform()));
  EXPECT_EQ(*target->GetColorTransform(), Kinefold::TColorMatrix());
  EXPECT_EQ(target->GetPosition()[0], 10.0);
  EXPECT_EQ(Children(*masks), (Shapes{kept, nullptr}));
  EXPECT_FALSE(screen->FindNode(L"2")->Masks().HasActive());
  EXPECT_EQ(letterContext->GetColorTransform()->alphaMul, 0.0);
  EXPECT_EQ(Values(current, {ePropBold, ePropFontSize}), (Numbers{0, 18}));
  EXPECT_FALSE(runObject->Changed());
  EXPECT_FALSE(screen->FindNode(L"2/shape/fill")->Frame().fill.set);

  // A run whose current sheet was replaced gets its own sheet back.
  auto replacement = boost::make_shared<PropertySheet>();
  replacement->Set<bool>(ePropItalic, true);
  SetValue<boost::shared_ptr<IPropertySheet>>(run, ePropRunCharProps, replacement);
  EXPECT_TRUE(runObject->Current().italic);
  screen->ResetFrame();
  EXPECT_EQ(GetSheet(run, ePropRunCharProps), current);
}

}  // namespace

using namespace masks;

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Visible(const boost::shared_ptr<IScreenShape>& shape, double x, double y) {
  return Contains(GeometryOf(shape), x, y);
}

// Where the mask leaves the slide visible: polygons and ellipses from their
// properties, groups where an odd number of children overlap, pies of
// chained line segments, the box filter's inward frame pair half way.
TEST(MaskShapes, VisibleArea) {
  auto diamond = ScreenShapeFactroy::GetScreenShape(eIidPolygonShape);
  for (Kinefold::TPoint p : {Kinefold::TPoint{0, 5}, {5, 0}, {10, 5}, {5, 10}})
    SetPoint(diamond, ePropPolygonVertex, p);
  diamond->SetGeometry(0, 0, 10, 10);
  auto ellipse = ScreenShapeFactroy::GetScreenShape(eIidEllipseShape);
  SetPoint(ellipse, ePropEllipseCentre, {0, 0});
  SetInt(ellipse, ePropEllipseRadiusX, 20);
  SetInt(ellipse, ePropEllipseRadiusY, 5);
  SetInt(ellipse, ePropEllipse226, 0);
  ellipse->SetGeometry(-10, -2, 10, 2);
  auto circle = Circle(50, 50, 10);
  auto frame = Group({Rect(0, 0, 100, 100), Rect(40, 40, 60, 60)});
  auto nested = Group({frame, Rect(45, 0, 55, 100)}), empty = Group({});
  auto twice = Group({Rect(0, 0, 100, 100), Rect(0, 0, 100, 100)});
  auto pie = Pie(-kPi / 2, 0.0, 100, 100, 50);  // a quarter from up to right
  auto noAngle = Pie(-kPi / 2, -kPi / 2, 100, 100, 50);
  auto wheel = Group({Pie(-kPi / 2, 0.0, 100, 100, 50), Circle(100, 100, 50)});  // an exit wheel
  auto bounds = Rect(0, 0, 100, 100);
  auto outer = Group({Rect(0, 0, 100, 100), bounds}), inner = Group({Rect(49, 49, 51, 51), bounds});
  auto half = Morph(outer, inner, 32768), start = Morph(outer, inner, 0);
  // Inside and outside each: the diamond's corner is inside its bounds, the
  // pie's points are left of up, below and past the radius.
  const struct {
    boost::shared_ptr<IScreenShape> shape;
    double x, y;
    bool visible;
  } rows[] = {{diamond, 5, 5, true},     {diamond, 1, 1, false},  {circle, 57, 57, true},
              {circle, 58, 58, false},   {ellipse, 19, 0, true},  {ellipse, 0, 6, false},
              {frame, 10, 10, true},     {frame, 50, 50, false},  {frame, 150, 50, false},
              {twice, 50, 50, false},    {nested, 50, 50, true},  {nested, 50, 20, false},
              {nested, 20, 20, true},    {empty, 1, 1, false},    {pie, 120, 80, true},
              {pie, 80, 80, false},      {pie, 120, 120, false},  {pie, 140, 60, false},
              {noAngle, 100, 90, false}, {wheel, 120, 80, false}, {wheel, 80, 120, true},
              {half, 5, 5, true},        {half, 50, 50, false},   {start, 5, 5, false}};
  for (const auto& row : rows)
    EXPECT_EQ(Visible(row.shape, row.x, row.y), row.visible) << row.x << "," << row.y;
  EXPECT_EQ(diamond->GetBounds()[2], 10.0);
  EXPECT_NEAR(circle->GetBounds()[0], 40.0, 1e-9);
  EXPECT_TRUE(Outline(GeometryOf(noAngle)).size() <= 1u);
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
}

TEST(MaskShapes, MorphOfDifferentOrCyclicStructures) {
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

  // A morph that contains itself ends in nothing after a fixed depth.
  auto morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
  morph->SetStartShape(morph);
  morph->SetEndShape(Rect(0, 0, 1, 1));
  morph->SetRatio(30000);
  EXPECT_EQ(GeometryOf(morph).kind, MaskGeometry::Rect);
  morph->SetStartShape(boost::shared_ptr<IScreenShape>());  // frees the shape
}

}  // namespace
