// Filter effects played through the manager and the frame driver, drawn by
// the renderer: entrances show more and more of the shape, exits less and
// less, and the masks open where they should.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Golden.h"
#include "document/Slide.h"
#include "host/Properties.h"
#include "support/Played.h"

using namespace platform;

namespace {

// Shape "2", red, (50, 40) to (150, 110) on a 200 x 150 slide; its effect
// plays one filter for 1000 ms from the slide's start, as a deck would have
// it: an entrance makes the shape visible first, an exit hides it at its
// end, and both hold what they set (fill 2).
struct Show {
  Show(int kind, int presetClass, int subtype) : played(MakeSlide(kind, presetClass, subtype)) {}

  static boost::shared_ptr<Slide> MakeSlide(int kind, int presetClass, int subtype) {
    auto slide = golden::SmallSlide(200, 150);
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
    return slide;
  }

  static void Visibility(Effect& effect, const wchar_t* value, int delay) {
    effect.AddBehaviour(eBehaviourSet)
        .Set<int>(ePropAttribute, 7)
        .Set<std::wstring>(ePropToValueText, value)
        .Set<int>(ePropFill, 2)
        .Delay(delay)
        .Duration(1);
  }

  render::Image At(uint32_t t) {
    played.driver->Frame(t);
    return golden::Draw(*played.screen);
  }

  play::Played played;
};

// The share of the shape's box drawn red.
double RedShare(const render::Image& image) {
  int red = 0;
  for (int y = 40; y < 110; ++y)
    for (int x = 50; x < 150; ++x) {
      const uint32_t p = image.Pixel(x, y);
      red += ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60 && (p & 0xFF) < 60;
    }
  return red / 7000.0;
}

// Every mask filter with its variants: kind, then subtypes.
const std::vector<std::vector<int>> kFilters = {
    {0, 0, 1, 2, 3}, {2, 0, 8},       {3, 0, 14}, {4, 0, 14},       {5, 0, 14}, {6, 10, 11, 12, 13},
    {7, 0, 14},      {8, 0, 1, 2, 3}, {9, 0, 8},  {10, 4, 5, 6, 7}, {12, 0},    {13, 0, 8},
    {14, 0},         {15, 0},         {16, 0},    {17, 0},          {18, 0},    {19, 0},
};

TEST(FilterRender, EntrancesGrowAndExitsShrink) {
  for (const std::vector<int>& filter : kFilters) {
    for (size_t s = 1; s < filter.size(); ++s) {
      for (int presetClass : {0, 1}) {
        const std::string name = "kind " + std::to_string(filter[0]) + " subtype " +
                                 std::to_string(filter[s]) + (presetClass ? " exit" : " entrance");
        Show show(filter[0], presetClass, filter[s]);
        // How far the filter has come: the share shown for an entrance, the
        // share hidden for an exit.
        std::vector<double> done;
        for (uint32_t t : {0u, 250u, 500u, 750u, 990u, 1200u, 1400u}) {
          const double share = RedShare(show.At(t));
          done.push_back(presetClass == 0 ? share : 1.0 - share);
        }
        // A little stays of the collapsed shapes: slivers, thin bands, one bar.
        EXPECT_NEAR(done[0], 0.0, 0.08) << name;
        EXPECT_NEAR(done[4], 1.0, 0.1) << name;
        EXPECT_GT(done[2], 0.05) << name;
        EXPECT_LT(done[2], 0.95) << name;
        for (size_t i = 1; i < 5; ++i)
          EXPECT_GE(done[i], done[i - 1] - 0.01) << name << " frame " << i;
        // The first frame after the end (1200) draws the end state once more
        // (inward shapes keep their collapsed middle cut out, wheels their
        // gaps); from the next one on the filter draws nothing, and the shape
        // stays shown, or hidden.
        EXPECT_NEAR(done[5], 1.0, 0.06) << name;
        EXPECT_NEAR(done[6], 1.0, 0.01) << name;
      }
    }
  }
}

}  // namespace
