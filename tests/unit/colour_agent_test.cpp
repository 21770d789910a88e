#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agent_slides.h"
#include "agents/ColorEffectAgent.h"
#include "behaviours.h"
#include "document/Effect.h"

namespace {

using Kinefold::TColor;
using platform::BehaviourNode;

boost::shared_ptr<ColorEffectAgent> Agent(const boost::shared_ptr<BehaviourNode>& node) {
  return behaviours::MakeAgent<ColorEffectAgent>(node);
}

boost::shared_ptr<BehaviourNode> Node(int attribute) {
  return behaviours::AttributeNode(eBehaviourColor, attribute);
}

const int kRgb = 0, kHsl = 1;

// A change by (a, b, c) in RGB or HSL.
boost::shared_ptr<BehaviourNode> By(int attribute, int space, int a, int b, int c) {
  const EPropertyId keys[2][3] = {{ePropRedBy, ePropGreenBy, ePropBlueBy},
                                  {ePropHueBy, ePropSaturationBy, ePropLightnessBy}};
  auto node = Node(attribute);
  node->Set<int>(ePropColorSpace, space).Set<int>(keys[space][0], a).Set<int>(keys[space][1], b);
  node->Set<int>(keys[space][2], c);
  return node;
}

boost::shared_ptr<BehaviourNode> Towards(int attribute, const TColor& to) {
  auto node = Node(attribute);
  node->Set<TColor>(ePropToValueText, to);
  return node;
}

struct HslCase {
  TColor rgb;
  int hue, saturation, lightness;
};

TEST(ColorEffectAgent, ConvertsBetweenRgbAndHsl) {
  const HslCase cases[] = {
      {{255, 0, 0, 255}, 0, 100, 50},     {{0, 255, 0, 255}, 120, 100, 50},
      {{0, 0, 255, 255}, 240, 100, 50},   {{255, 255, 255, 255}, 0, 0, 100},
      {{127, 127, 127, 255}, 0, 0, 49},   {{0, 127, 127, 255}, 180, 100, 24},
      {{255, 0, 191, 255}, 315, 100, 50}, {{127, 255, 0, 255}, 90, 100, 50},
  };
  for (const HslCase& c : cases) {
    const ColorEffectAgent::Hsl hsl =
        ColorEffectAgent::RgbToHsl(c.rgb.red, c.rgb.green, c.rgb.blue);
    EXPECT_EQ(std::make_tuple(hsl.hue, hsl.saturation, hsl.lightness),
              std::make_tuple(c.hue, c.saturation, c.lightness))
        << c.hue;
  }
  // Back from whole degrees and percent, with truncation on the way.
  const HslCase back[] = {
      {{255, 0, 0, 7}, 0, 100, 50},     {{0, 255, 0, 7}, 120, 100, 50},
      {{0, 0, 255, 7}, 240, 100, 50},   {{127, 127, 127, 7}, 0, 0, 50},
      {{0, 127, 127, 7}, 180, 100, 25}, {{255, 0, 191, 7}, 315, 100, 50},
      {{255, 0, 0, 7}, 360, 100, 50},   {{255, 255, 255, 7}, 0, 0, 100},
  };
  for (const HslCase& c : back)
    EXPECT_EQ(ColorEffectAgent::HslToRgb(c.hue, c.saturation, c.lightness, 7), c.rgb) << c.hue;
}

TEST(ColorEffectAgent, ShiftsHueForwardAroundTheCircle) {
  const TColor cyan{0, 255, 255, 200};  // hue 180
  const struct {
    const char* name;
    int dh, ds, dl;
    double p;
    TColor out;
  } cases[] = {
      {"270 on 180 at half way is 315", 270, 0, 0, 0.5, {255, 0, 191, 200}},
      {"the whole way wraps to 90", 270, 0, 0, 1.0, {127, 255, 0, 200}},
      {"-90 goes forward by 270", -90, 0, 0, 1.0, {127, 255, 0, 200}},
      // Truncation on the way back loses a step at the edge of a sextant.
      {"a full turn stays, nearly", 360, 0, 0, 0.5, {0, 254, 255, 200}},
      {"lightness stops at 100", 0, 0, 80, 1.0, {255, 255, 255, 200}},
      {"saturation stops at 0", 0, -150, 0, 1.0, {127, 127, 127, 200}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColorEffectAgent::ShiftHsl(cyan, c.dh, c.ds, c.dl, c.p), c.out) << c.name;
}

struct ApplyCase {
  const char* name;
  boost::shared_ptr<BehaviourNode> node;
  TColor fill, line, letter;
};

// Half way through, on shape "7": fill (100, 100, 100), line (0, 0, 255),
// letters (255, 0, 0).
TEST(ColorEffectAgent, AnimatesShapeFillLinesOrText) {
  const TColor fill{100, 100, 100, 255}, line{0, 0, 255, 255}, letter{255, 0, 0, 255};
  const TColor green{0, 200, 0, 255}, byFill{150, 120, 100, 255}, byLetter{255, 20, 0, 255};
  const TColor towardsFill{50, 150, 50, 255}, towardsLine{0, 100, 128, 255};
  const ApplyCase cases[] = {
      {"rgb by: all", By(6, kRgb, 100, 40, 0), byFill, {50, 20, 255, 255}, byLetter},
      {"rgb by: text", By(9, kRgb, 100, 40, 0), fill, line, byLetter},
      {"rgb by: fill", By(15, kRgb, 100, 40, 0), byFill, line, letter},
      {"rgb by: lines", By(19, kRgb, -100, 40, 0), fill, {0, 20, 255, 255}, letter},
      {"rgb by: no such attribute", By(7, kRgb, 100, 40, 0), fill, line, letter},
      {"towards: all", Towards(6, green), towardsFill, towardsLine, {128, 100, 0, 255}},
      {"towards: fill", Towards(15, green), towardsFill, line, letter},
      {"towards: lines", Towards(19, green), fill, towardsLine, letter},
      {"towards black by default", Node(9), fill, line, {128, 0, 0, 255}},
      {"hsl by: text", By(9, kHsl, 120, 0, 0), fill, line, {254, 255, 0, 255}},
      // The publisher shifts the shape's line along with its fill.
      {"hsl by: fill", By(15, kHsl, 0, 0, 20), {126, 126, 126, 255}, {51, 51, 255, 255}, letter},
  };
  for (const ApplyCase& c : cases) {
    auto screen = slides::Screen();
    Agent(c.node)->Apply(screen->Find(L"7"), 500);
    EXPECT_EQ(slides::Fill(*screen, L"7/shape/fill"), c.fill) << c.name;
    EXPECT_EQ(slides::Line(*screen, L"7/shape/fill"), c.line) << c.name;
    EXPECT_EQ(slides::Letter(*screen, L"7/p0/w1/l0"), c.letter) << c.name;
  }
}

// Group "3" filled green holds "4", which takes the group's fill and has a
// blue line, and "5", filled with a colour that has no alpha and a red line;
// "6" stands alone, filled grey.
boost::shared_ptr<platform::Slide> GroupSlide() {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"3")
      .SetKind(platform::ShapeKind::Group)
      .SetBounds(0, 0, 200, 100)
      .SetSolidFill({0, 200, 0, 255});
  auto group = slide->FindShape(L"3");
  platform::FillStyle groupFill;
  groupFill.type = platform::eFillGroup;
  platform::LineStyle blue;
  blue.present = true;
  blue.colour = {0, 0, 255, 255};
  slide->AddShape(L"4", group).SetBounds(0, 0, 100, 100).SetFill(groupFill).SetLine(blue);
  platform::LineStyle red = blue;
  red.colour = {255, 0, 0, 0};
  slide->AddShape(L"5", group).SetBounds(100, 0, 100, 100).SetSolidFill({1, 2, 3, 0}).SetLine(red);
  slide->AddShape(L"6").SetBounds(300, 0, 50, 50).SetSolidFill({100, 100, 100, 255});
  return slide;
}

TEST(ColorEffectAgent, GathersBaseColoursOnce) {
  auto screen = slides::Screen(GroupSlide());
  const TColor none{0, 0, 0, 255};
  const struct {
    const wchar_t* target;
    TColor fill;
    std::vector<TColor> lines;
    bool flag;
  } cases[] = {
      {L"3", none, {{0, 0, 255, 255}, {255, 0, 0, 255}}, false},  // a group: its members' lines
      {L"4", none, {}, true},                   // takes the group's fill: no colour of its own
      {L"5", {1, 2, 3, 255}, {}, true},         // a member beside one that takes the group's fill
      {L"5/shape", none, {}, false},            // parts without a document shape
      {L"6", {100, 100, 100, 255}, {}, false},  // its own fill and no group
  };
  for (const auto& c : cases) {
    auto agent = Agent(Towards(15, {9, 9, 9, 255}));
    agent->Apply(screen->Find(c.target), 0);
    EXPECT_EQ(std::make_tuple(agent->FillColour(), agent->LineColours(), agent->FillFlag()),
              std::make_tuple(c.fill, c.lines, c.flag))
        << c.target;
    agent->Apply(screen->Find(c.target), 10);
    EXPECT_EQ(agent->LineColours().size(), c.lines.size()) << "gathered once";
  }
}

TEST(ColorEffectAgent, FillOfAGroupMemberStartsFromTheGroup) {
  auto screen = slides::Screen(GroupSlide());
  Agent(By(15, kRgb, 100, 0, 0))->Apply(screen->Find(L"4"), 1000);
  EXPECT_EQ(slides::Fill(*screen, L"4/shape/fill"), (TColor{100, 200, 0, 255}));
}

}  // namespace

namespace Kinefold {
// For readable failures.
void PrintTo(const TColor& c, std::ostream* os) {
  *os << "(" << c.red << ", " << c.green << ", " << c.blue << ", " << c.alpha << ")";
}
}  // namespace Kinefold
