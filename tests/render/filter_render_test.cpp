// Filter effects played through the manager and the frame driver, drawn by
// the renderer: entrances show more and more of the shape, exits less and
// less, and the masks open where they should.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "host/Webdeck.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"

using namespace platform;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Shape "2", red, (50, 40) to (150, 110) on a 200 x 150 slide; its effect
// plays one filter for 1000 ms from the slide's start, as a deck would have
// it: an entrance makes the shape visible first, an exit hides it at its
// end, and both hold what they set (fill 2).
struct Show {
  Show(int kind, int presetClass, int subtype) {
    IWebdeckSlide::ResetInstance();
    slide = boost::make_shared<Slide>();
    slide->width = 200;
    slide->height = 150;
    slide->AddShape(L"2").SetBounds(50, 40, 100, 70).SetSolidFill({255, 0, 0, 255});
    Effect& effect = slide->Effects()->AddEffect(L"2");
    effect.PresetClass(presetClass).NodeType(1).SetOwnDuration(1000).Set<int>(ePropFill, 2);
    if (presetClass == 0) Visibility(effect, L"visible", 0);
    effect.AddBehaviour(eBehaviourFilter)
        .Set<int>(ePropFilterKind, kind)
        .Set<int>(ePropFilterSubtype, subtype)
        .Set<int>(ePropFadeOut, presetClass)
        .Duration(1000);
    if (presetClass == 1) Visibility(effect, L"hidden", 999);
    manager = IAnimationManager::Create(boost::make_shared<PublishContext>(150.0, 200.0, 25, 0));
    manager->BuildSlide(slide, 0, 0);
    screen = SlideScreen::Build(slide);
    driver = boost::make_shared<FrameDriver>(manager, screen);
    driver->Build();
  }
  ~Show() { IWebdeckSlide::ResetInstance(); }

  static void Visibility(Effect& effect, const wchar_t* value, int delay) {
    effect.AddBehaviour(eBehaviourSet)
        .Set<int>(ePropAttribute, 7)
        .Set<std::wstring>(ePropToValueText, value)
        .Set<int>(ePropFill, 2)
        .Delay(delay)
        .Duration(1);
  }

  render::Image At(uint32_t t) {
    driver->Frame(t);
    return renderer.Render(*screen, 200, 150);
  }

  boost::shared_ptr<Slide> slide;
  boost::shared_ptr<IAnimationManager> manager;
  boost::shared_ptr<SlideScreen> screen;
  boost::shared_ptr<FrameDriver> driver;
  render::FrameRenderer renderer;
};

bool Red(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) > 200 && ((pixel >> 8) & 0xFF) < 60 && (pixel & 0xFF) < 60;
}

// The share of the shape's box drawn red.
double RedShare(const render::Image& image) {
  int red = 0;
  for (int y = 40; y < 110; ++y)
    for (int x = 50; x < 150; ++x) red += Red(image.Pixel(x, y));
  return red / 7000.0;
}

struct Row {
  const char* name;
  int kind, subtype;
};

const Row kFilters[] = {
    {"peek from the left", 0, 0},
    {"peek from the right", 0, 1},
    {"peek from below", 0, 2},
    {"peek from above", 0, 3},
    {"vertical blinds", 2, 0},
    {"horizontal blinds", 2, 8},
    {"box out", 3, 0},
    {"box in", 3, 14},
    {"diamond out", 4, 0},
    {"diamond in", 4, 14},
    {"circle out", 5, 0},
    {"circle in", 5, 14},
    {"split horizontal in", 6, 10},
    {"split vertical in", 6, 11},
    {"split horizontal out", 6, 12},
    {"split vertical out", 6, 13},
    {"plus out", 7, 0},
    {"plus in", 7, 14},
    {"wipe from the left", 8, 0},
    {"wipe from the right", 8, 1},
    {"wipe from the bottom", 8, 2},
    {"wipe from the top", 8, 3},
    {"checkerboard down", 9, 0},
    {"checkerboard across", 9, 8},
    {"strips 4", 10, 4},
    {"strips 5", 10, 5},
    {"strips 6", 10, 6},
    {"strips 7", 10, 7},
    {"dissolve", 12, 0},
    {"vertical random bars", 13, 0},
    {"horizontal random bars", 13, 8},
    {"wedge", 14, 0},
    {"wheel 1", 15, 0},
    {"wheel 2", 16, 0},
    {"wheel 3", 17, 0},
    {"wheel 4", 18, 0},
    {"wheel 8", 19, 0},
};

TEST(FilterRender, EntrancesGrowAndExitsShrink) {
  for (const Row& row : kFilters) {
    for (int presetClass : {0, 1}) {
      const std::string name = std::string(row.name) + (presetClass ? " exit" : " entrance");
      Show show(row.kind, presetClass, row.subtype);
      std::vector<double> shares;
      for (uint32_t t : {0u, 250u, 500u, 750u, 990u}) shares.push_back(RedShare(show.At(t)));
      // The first frame after the end draws the end state once more (inward
      // shapes keep their collapsed middle cut out, wheels their gaps); from
      // the next one on the filter draws nothing.
      const double end = RedShare(show.At(1200));
      const double after = RedShare(show.At(1400));
      const bool in = presetClass == 0;
      // A little stays of the collapsed shapes: slivers, thin bands, one bar.
      EXPECT_NEAR(shares.front(), in ? 0.0 : 1.0, 0.08) << name;
      EXPECT_NEAR(shares.back(), in ? 1.0 : 0.0, 0.1) << name;
      EXPECT_GT(shares[2], 0.05) << name;
      EXPECT_LT(shares[2], 0.95) << name;
      for (size_t i = 1; i < shares.size(); ++i) {
        if (in)
          EXPECT_GE(shares[i], shares[i - 1] - 0.01) << name << " frame " << i;
        else
          EXPECT_LE(shares[i], shares[i - 1] + 0.01) << name << " frame " << i;
      }
      EXPECT_NEAR(end, in ? 1.0 : 0.0, 0.06) << name;
      // After that the shape stays shown, or hidden.
      EXPECT_NEAR(after, in ? 1.0 : 0.0, 0.01) << name;
    }
  }
}

struct Spot {
  double x, y;
  bool red;
};

// Where the masks open, half way through an entrance.
TEST(FilterRender, WhereEntrancesOpen) {
  // Points at a distance from the centre (100, 75), at an angle in degrees
  // (0 right, growing clockwise).
  auto polar = [](double degrees, double r, bool red) {
    return Spot{100 + r * std::cos(degrees * kPi / 180), 75 + r * std::sin(degrees * kPi / 180),
                red};
  };
  const struct {
    const char* name;
    int kind, subtype;
    std::vector<Spot> spots;
  } rows[] = {
      {"box out: the centre first", 3, 0, {{100, 75, true}, {53, 43, false}}},
      {"box in: the edges first", 3, 14, {{100, 75, false}, {53, 43, true}}},
      {"circle out", 5, 0, {{100, 75, true}, {53, 43, false}}},
      {"wipe from the left", 8, 0, {{60, 75, true}, {140, 75, false}}},
      {"wipe from the top", 8, 3, {{100, 45, true}, {100, 105, false}}},
      {"peek from the left: the right half, slid in", 0, 0, {{60, 75, true}, {140, 75, false}}},
      {"strips from the top left", 10, 7, {{55, 45, true}, {145, 105, false}}},
      {"split vertical out", 6, 13, {{100, 75, true}, {55, 75, false}}},
      {"wedge: the top half", 14, 0, {{100, 45, true}, {100, 105, false}}},
      {"four spokes: a quarter of each quarter and a bit",
       18,
       0,
       {polar(-80, 25, true), polar(-100, 25, false), polar(10, 25, true), polar(-10, 25, false),
        polar(100, 25, true), polar(80, 25, false), polar(-170, 25, true), polar(170, 25, false)}},
  };
  for (const auto& row : rows) {
    Show show(row.kind, 0, row.subtype);
    const render::Image image = show.At(500);
    for (const Spot& s : row.spots)
      EXPECT_EQ(Red(image.Pixel(int(s.x), int(s.y))), s.red)
          << row.name << " at " << s.x << ", " << s.y;
  }
}

}  // namespace
