// The publisher's colour utilities.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agent_slides.h"
#include "host/Properties.h"
#include "publisher/ColorMath.h"
#include "publisher/NodeColours.h"
#include "publisher/SlideScreen.h"

using namespace platform;
using Kinefold::TColor;
using Kinefold::TColorMatrix;

namespace {

// The text slide's shape "7" and empty box "8". The colour agent's tests
// cover the utilities as the agent calls them; these the cases it does not
// reach: offsets adding up in a frame, single units and runs, missing fills
// and lines.
class ColourUtils : public ::testing::Test {
 protected:
  TColor Fill(const std::wstring& id) { return slides::Fill(*screen, id + L"/shape/fill"); }
  TColor Line(const std::wstring& id) { return slides::Line(*screen, id + L"/shape/fill"); }
  TColor Letter(const std::wstring& name) { return slides::Letter(*screen, name); }
  boost::shared_ptr<SlideScreen> screen = slides::Screen();
};

// Towards a colour at half way, as the colour agent builds it.
TColorMatrix Towards(const TColor& to, double p) {
  TColorMatrix m;
  m.redMul = m.greenMul = m.blueMul = 1.0 - p;
  m.redAdd = static_cast<int32_t>(to.red * p);
  m.greenAdd = static_cast<int32_t>(to.green * p);
  m.blueAdd = static_cast<int32_t>(to.blue * p);
  return m;
}

TEST_F(ColourUtils, ShapeColourChangesFillAndLineNotText) {
  PublisherUtils::ChangeShapeColor(screen->Find(L"7"), Towards({200, 0, 0, 255}, 0.5));
  EXPECT_EQ(Fill(L"7"), (TColor{150, 50, 50, 255}));
  EXPECT_EQ(Line(L"7"), (TColor{100, 0, 128, 255}));
  EXPECT_EQ(Letter(L"7/p0/w0/l0"), (TColor{255, 0, 0, 255}));
  // RGB offsets add to the colour; alpha stays within range.
  TColorMatrix by;
  by.alphaAdd = 255;
  by.redAdd = 50;
  PublisherUtils::ChangeShapeColor(screen->Find(L"7"), by);
  EXPECT_EQ(Fill(L"7"), (TColor{200, 50, 50, 255}));
  screen->ResetFrame();
  EXPECT_EQ(Fill(L"7"), (TColor{100, 100, 100, 255}));
}

TEST_F(ColourUtils, TextColourOnUnitsAndRunViews) {
  TColorMatrix blue;
  blue.redMul = blue.greenMul = blue.blueMul = 0.0;
  blue.blueAdd = 255;
  PublisherUtils::ChangeTextColor(screen->Find(L"7/p0/w1"), blue);
  EXPECT_EQ(Letter(L"7/p0/w0/l0"), (TColor{255, 0, 0, 255}));
  EXPECT_EQ(Letter(L"7/p0/w1/l0"), (TColor{0, 0, 255, 255}));
  EXPECT_EQ(Fill(L"7"), (TColor{100, 100, 100, 255}));
  TColor first;
  ASSERT_TRUE(PublisherUtils::GetFirstCharColor(screen->Find(L"7/p0/w1"), first));
  EXPECT_EQ(first, (TColor{0, 0, 255, 255}));
  ASSERT_TRUE(PublisherUtils::GetFirstCharColor(screen->Find(L"7/runs"), first));
  EXPECT_EQ(first, (TColor{255, 0, 0, 255}));
  EXPECT_FALSE(PublisherUtils::GetFirstCharColor(screen->Find(L"8"), first));
  // Through the run view, and through a single run.
  PublisherUtils::ChangeTextColor(screen->Find(L"7/runs/text"), blue);
  EXPECT_EQ(Letter(L"7/p0/w0/l1"), (TColor{0, 0, 255, 255}));
  screen->ResetFrame();
  PublisherUtils::ChangeTextColor(screen->Find(L"7/p0/r1"), blue);
  EXPECT_EQ(Letter(L"7/p0/w0/l0"), (TColor{255, 0, 0, 255}));
  EXPECT_EQ(Letter(L"7/p0/w1/l1"), (TColor{0, 0, 255, 255}));
}

TEST_F(ColourUtils, FillAndLineAnimation) {
  TColorMatrix m = Towards({200, 0, 0, 255}, 0.5);
  // A shape without fill gets one, from the base colour given.
  PublisherUtils::AnimateFillColor(screen->Find(L"8"), m, TColor{0, 0, 0, 255}, false);
  EXPECT_EQ(Fill(L"8"), (TColor{100, 0, 0, 255}));
  PublisherUtils::AnimateLineColor(screen->Find(L"7"), m, {});
  EXPECT_EQ(Line(L"7"), (TColor{100, 0, 128, 255}));
  PublisherUtils::AnimateLineColor(screen->Find(L"8"), m, {});
  TColor none;
  EXPECT_FALSE(LineColour(*screen->FindNode(L"8/shape/fill"), none));
}

TEST(ColourMath, HslShiftAndCompose) {
  struct Case {
    TColor in;
    double dh, ds, dl;
    TColor out;
  } cases[] = {
      {{255, 0, 0, 255}, 120, 0, 0, {0, 255, 0, 255}},
      {{255, 0, 0, 255}, -120, 0, 0, {0, 0, 255, 255}},
      {{255, 0, 0, 128}, 0, -100, 0, {128, 128, 128, 128}},
      {{0, 0, 255, 255}, 0, 0, 60, {255, 255, 255, 255}},
  };
  for (const Case& c : cases) EXPECT_EQ(ShiftHsl(c.in, c.dh, c.ds, c.dl), c.out);
  // Composed matrices apply the first, then the second.
  TColorMatrix fade;
  fade.alphaAdd = -128;
  TColorMatrix half;
  half.alphaMul = 0.5;
  half.redMul = 0.0;
  half.redAdd = 10;
  const TColor c{200, 20, 30, 255};
  EXPECT_EQ(ApplyMatrix(c, Compose(fade, half)), ApplyMatrix(ApplyMatrix(c, fade), half));
  EXPECT_EQ(ApplyMatrix(c, half), (TColor{10, 20, 30, 128}));
}
}  // namespace
