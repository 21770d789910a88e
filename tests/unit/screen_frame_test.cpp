// Frame state of screen objects: the mask child list of interface 12 and the
// frame reset that restores what the slide looked like after its build.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/MaskShapes.h"
#include "publisher/SlideScreen.h"

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
  ASSERT_EQ(node->Masks().ActiveShapes().size(), 1u);
  EXPECT_EQ(node->Masks().ActiveShapes()[0], b);
  masks->SetChildActive(true,
                        ScreenShapeFactroy::GetScreenShape(eIidRectangleShape));  // not a child

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
  auto letter = screen->Find(L"2/p0/w0/l0");
  auto letterContext = QueryAs<IShapeContext>(letter, eIidScreenShape9);

  // What the build does: a mask attached switched off, a part hidden.
  auto kept = Container();
  masks->InsertChild(kept, 0);
  masks->SetChildActive(false, kept);
  letterContext->GetColorTransform()->alphaMul = 0.0;
  screen->CaptureAuthored();

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
  EXPECT_TRUE(runObject->Changed());
  EXPECT_TRUE(runObject->Current().bold);
  EXPECT_TRUE(screen->FindShape(L"2")->TextPropsChanged());
  Kinefold::TColor colour{1, 2, 3, 255};
  screen->FindNode(L"2/shape/fill")->MutableFrame().fill.Set(colour);

  screen->ResetFrame();
  EXPECT_TRUE(IsIdentityTransform(target->GetTransform()));
  EXPECT_EQ(*target->GetColorTransform(), Kinefold::TColorMatrix());
  EXPECT_EQ(target->GetPosition()[0], 10.0);
  EXPECT_EQ(Children(*masks), (Shapes{kept, nullptr}));
  EXPECT_FALSE(screen->FindNode(L"2")->Masks().HasActive());
  EXPECT_EQ(letterContext->GetColorTransform()->alphaMul, 0.0);
  EXPECT_FALSE(GetBool(current, ePropBold));
  EXPECT_DOUBLE_EQ(GetDouble(current, ePropFontSize), 18.0);
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

TEST(FrameReset, DetachedChildrenAreNotAuthored) {
  auto screen = Screen();
  auto masks = QueryAs<ICompoundShape>(screen->Find(L"2"), eIidCompoundShape);
  auto c = Container();
  masks->InsertChild(c, 0);
  masks->DetachChild(c);
  screen->CaptureAuthored();
  EXPECT_EQ(Children(*masks), (Shapes{c, nullptr}));  // still there for the current frame
  screen->ResetFrame();
  EXPECT_EQ(Children(*masks), (Shapes{nullptr}));
}

}  // namespace
