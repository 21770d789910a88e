// The behaviour elements read from the timing tree: property animations,
// filters, colours, motion, turns, scales, sets and commands, the attribute
// each one drives, and behaviour repeats unrolled into passes.
#include "DeckFixture.h"

#include <cmath>
#include <map>
#include <sstream>

#include "pptx/Mappings.h"
#include "support/Played.h"

using namespace testdeck;

namespace {

const int kIndefinite = -1;

// A behaviour's time node with more attributes and a start delay.
std::string Timed(std::string behaviour, const std::string& attrs, uint32_t delay = 0) {
  const std::string plain = "fill=\"hold\"></p:cTn>";
  const std::string start =
      delay ? "<p:stCondLst><p:cond delay=\"" + std::to_string(delay) + "\"/></p:stCondLst>" : "";
  behaviour.replace(behaviour.find(plain), plain.size(),
                    "fill=\"hold\" " + attrs + ">" + start + "</p:cTn>");
  return behaviour;
}

std::string Repeated(const std::string& behaviour, const std::string& count) {
  return Timed(behaviour, "repeatCount=\"" + count + "\"");
}

// Behaviour repeats are unrolled into copies one pass apart, and the
// effect's length counts every pass; what copies cannot draw is reported.
// Played, the after-effect that follows starts when the passes end, and each
// frame shows the pass it falls in.
TEST(BehaviourReader, BehaviourRepeatsAreUnrolledAndPlayed) {
  const std::string box = x::ShapeTarget(3);
  auto turns = [&](long long by, const char* count) {
    return Repeated(x::Rotate(box, by, 200), count);
  };
  const std::string turn = x::Rotate(box, 7200000, 200), quarter = x::Rotate(box, 5400000, 200);
  const char* const kAddsUp = "repeated turn or scale adds up x1";
  const char* const kEndless = "endless behaviour repeat x1";
  const struct {
    const char* name;
    std::vector<int> delays;  // of the main behaviours
    int lastRepeat;           // 303 of the last one, 0 when absent
    uint32_t own;             // the effect's length, where the after-effect starts
    const char* warned;
    std::string behaviour;
  } rows[] = {
      {"turns on", {0, 200, 400}, 0, 600, kAddsUp, turns(7200000, "3000")},
      {"whole turns", {0, 200}, 0, 400, "", turns(21600000, "2000")},
      {"reversed", {100, 500}, 0, 900, "", Timed(turn, R"(autoRev="1" repeatCount="2000")", 100)},
      {"reversed once", {600}, 0, 1000, "", Timed(quarter, R"(autoRev="1")", 600)},
      {"fraction", {0, 200}, 1500, 500, "fractional behaviour repeat x1", turns(21600000, "2500")},
      {"endless", {0}, kIndefinite, 0xFFFFFFFFu, kEndless, turns(7200000, "indefinite")},
      {"motion", {0, 300}, 0, 600, "", Repeated(x::Motion(box, "M 0 0 L 0.1 0 E", 300), "2000")},
      {"scale", {0, 300}, 0, 600, kAddsUp, Repeated(x::Scale(box, 150, 150, 300), "2000")},
  };
  // Frames played (time, degrees): 120° three times, 200 ms each, is 360° at
  // 600; 90° from 600 to 800 and back by 1000 is half way back at 900.
  std::map<std::string, std::vector<std::pair<uint32_t, double>>> frames = {
      {"turns on", {{100, 60}, {200, 120}, {400, 240}, {500, 300}, {600, 360}}},
      {"reversed once", {{600, 0}, {700, 45}, {800, 90}, {900, 45}, {1000, 0}}}};
  for (const auto& row : rows) {
    x::Effect next = MakeEffect("emph", "afterEffect", x::Rotate(x::ShapeTarget(4), 60000, 100));
    pptx::Diagnostics diag;
    auto slide =
        ReadSlide("behaviour_repeat",
                  x::Shape(3, "Box", 0, 0, 100, 100, "FF0000") +
                      x::Shape(4, "Next", 200, 0, 100, 100, "00FF00"),
                  MainSequence({MakeEffect("emph", "clickEffect", row.behaviour), next}), diag);
    auto effect = EffectAt(slide, 0);
    ASSERT_TRUE(effect) << row.name;
    std::vector<int> delays;
    for (uint32_t i = 0; i < effect->GetMainBehaviourCount(); ++i)
      delays.push_back(Int(Main(effect, i), ePropDelay));
    EXPECT_EQ(delays, row.delays) << row.name;
    EXPECT_EQ(Int(Main(effect, 0), ePropRepeatCount), row.delays.size() == 1 ? row.lastRepeat : 0)
        << row.name;
    EXPECT_EQ(Int(Main(effect, effect->GetMainBehaviourCount() - 1), ePropRepeatCount),
              row.lastRepeat)
        << row.name;
    EXPECT_EQ(effect->GetOwnDuration(), row.own) << row.name;
    EXPECT_EQ(Warned(diag), row.warned) << row.name;
    play::Played played(slide);
    boost::shared_ptr<IScreenAnimation> after;
    played.manager->GetShapeAnimation(after, L"4", 0);
    EXPECT_TRUE(row.own == 0xFFFFFFFFu || after->GetStartTime() == row.own)
        << row.name << ": " << after->GetStartTime();
    const auto shape = QueryAs<IShapeContext>(played.screen->Find(L"3/shape"), eIidScreenShape9);
    for (const auto& frame : frames[row.name]) {
      played.driver->Frame(frame.first);
      const double* m = shape->GetTransform();
      const double radians = frame.second * 3.141592653589793 / 180.0;
      EXPECT_NEAR(m[4], std::cos(radians), 1e-6) << row.name << " at " << frame.first;
      EXPECT_NEAR(m[2], std::sin(radians), 1e-6) << row.name << " at " << frame.first;
    }
  }
}

TEST(BehaviourReader, EveryKindOfBehaviour) {
  // Filters with their directions, whose subtypes count up from the first.
  const struct {
    std::string filter;
    int kind;
    int subtype;
    std::vector<std::string> directions;
  } rows[] = {
      {"fade", eFilterFade, -1, {}},
      {"dissolve", eFilterDissolve, -1, {}},
      {"wedge", eFilterWedge, -1, {}},
      {"blinds", eFilterBlinds, 8, {"horizontal", "vertical"}},
      {"box", eFilterBox, 14, {"in", "out"}},
      {"checkerboard", eFilterCheckerBoard, 8, {"across", "down"}},
      {"circle", eFilterCircle, 14, {"in", "out"}},
      {"diamond", eFilterDiamond, 14, {"in", "out"}},
      {"plus", eFilterPlus, 14, {"in", "out"}},
      {"slide", eFilterPeekIn, 0, {"fromLeft", "fromRight", "fromBottom", "fromTop"}},
      {"barn", eFilterSplit, 10, {"inHorizontal", "inVertical", "outHorizontal", "outVertical"}},
      {"randombar", eFilterRandomBars, 8, {"horizontal", "vertical"}},
      {"strips", eFilterStrips, 4, {"upLeft", "upRight", "downLeft", "downRight"}},
      {"wheel(1)", eFilterWheel1, -1, {}},
      {"wheel(2)", eFilterWheel2, -1, {}},
      {"wheel(3)", eFilterWheel3, -1, {}},
      {"wheel(4)", eFilterWheel4, -1, {}},
      {"wheel(8)", eFilterWheel8, -1, {}},
      {"wipe", eFilterWipe, 0, {"left", "right", "down", "up"}},
      // Unknown: no filter, and a warning each.
      {"pixelate", eFilterNone11, -1, {}},
      {"wheel(5)", eFilterNone11, -1, {}},
      {"wipe(sideways)", eFilterNone11, -1, {}},
  };
  // Each filter read out (kind, subtype, fading out) after its name.
  std::vector<std::string> expected;
  std::string filters;
  for (const auto& row : rows)
    for (size_t i = 0; i < std::max<size_t>(row.directions.size(), 1); ++i) {
      const std::string filter =
          row.directions.empty() ? row.filter : row.filter + "(" + row.directions[i] + ")";
      filters += x::Filter(x::ShapeTarget(2), filter, false, 500);
      expected.push_back(filter + ": " + std::to_string(row.kind) + " " +
                         std::to_string(row.subtype + int(i)) + " 1");
    }
  std::string target = x::ShapeTarget(2);
  const std::string cTn = R"(<p:cBhvr><p:cTn id="#" dur="500"/>)" + target;
  std::string behaviours =
      R"(<p:animClr clrSpc="rgb">)" + cTn +
      R"(<p:attrNameLst><p:attrName>fillcolor</p:attrName></p:attrNameLst></p:cBhvr>)"
      R"(<p:by><p:rgb r="10000" g="-20000" b="100000"/></p:by></p:animClr>)"
      R"(<p:animClr clrSpc="hsl">)" +
      cTn +
      R"(<p:attrNameLst><p:attrName>style.color</p:attrName></p:attrNameLst></p:cBhvr>)"
      R"(<p:by><p:hsl h="5400000" s="50000" l="-25000"/></p:by></p:animClr>)" +
      x::Colour(target, "stroke.color", "FF0000", 500) +
      x::Motion(target, "M 0 0 L 0.25 0.5 E", 2000) +
      R"(<p:animMotion origin="parent" pathEditMode="fixed">)" + cTn +
      R"(</p:cBhvr><p:by x="25000" y="-50000"/></p:animMotion>)" +
      x::Rotate(target, 21600000, 1000) + x::Scale(target, 150, 150, 500) +
      x::Set(target, "style.visibility", "hidden") + R"(<p:cmd type="verb" cmd="open">)" + cTn +
      "</p:cBhvr></p:cmd>" +
      x::Anim(target, "ppt_x", 500, "from=\"0\" to=\"#ppt_x\" by=\"0.25\"",
              x::Tav("0", "0", "#ppt_x+$*0.1") + x::Tav("50000", "visible") +
                  x::Tav("120000", "1") + x::Tav("-5000", "0.5"));
  // Colour sets look at their shape: fill colour where it has text, the
  // whole colour where it has a fill only.
  x::Effect sets = MakeEffect(
      "emph", "clickEffect",
      x::Set(target, "fillcolor", "unused") + x::Set(x::ShapeTarget(3), "fillcolor", "unused"));
  x::Effect unknown = MakeEffect("emph", "clickEffect", x::Set(x::ShapeTarget(3), "wobble", "1"));
  pptx::Diagnostics diag;
  auto slide = ReadSlide("behaviours", TextShape(2, 1) + x::Shape(3, "Box", 0, 0, 50, 50, "FF0000"),
                         MainSequence({MakeEffect("emph", "clickEffect", behaviours), sets, unknown,
                                       MakeEffect("exit", "clickEffect", filters)}),
                         diag);
  EXPECT_EQ(
      Warned(diag),
      "behaviour of another shape x1, key times out of order or range x1, unknown attribute x1, "
      "unknown filter x3");
  EXPECT_EQ((std::vector<int>{Int(Main(EffectAt(slide, 1), 0), ePropAttribute),
                              Int(Main(EffectAt(slide, 1), 1), ePropAttribute),
                              Int(Main(EffectAt(slide, 2), 0), ePropAttribute)}),
            (std::vector<int>{pptx::eAttrFillColour, pptx::eAttrColour, pptx::eAttrNothing}));
  auto effect = EffectAt(slide, 0);
  std::vector<uint32_t> kinds;
  for (uint32_t i = 0; i < effect->GetMainBehaviourCount(); ++i)
    kinds.push_back(Main(effect, i)->GetKind());
  EXPECT_EQ(kinds, (std::vector<uint32_t>{eBehaviourColor, eBehaviourColor, eBehaviourColor,
                                          eBehaviourMotion, eBehaviourMotion, eBehaviourRotation,
                                          eBehaviourScale, eBehaviourSet, eBehaviourCommand,
                                          eBehaviourProperty}));
  // Space, attribute and the three offsets; 10 % of 255 is 26.
  EXPECT_EQ(Values(Main(effect, 0),
                   {ePropColorSpace, ePropAttribute, ePropRedBy, ePropGreenBy, ePropBlueBy}),
            (Numbers{0, pptx::eAttrFillColour, 26, -51, 255}));
  EXPECT_EQ(Values(Main(effect, 1), {ePropColorSpace, ePropAttribute, ePropHueBy, ePropSaturationBy,
                                     ePropLightnessBy}),
            (Numbers{1, pptx::eAttrColour, 90, 50, -25}));
  auto to = Main(effect, 2);
  EXPECT_EQ(Int(to, ePropAttribute), pptx::eAttrLineColour);
  EXPECT_EQ(GetColor(boost::shared_ptr<IInterface>(to), ePropToValueText),
            (Kinefold::TColor{255, 0, 0, 255}));
  // A path relative to the shape, not locked; the offset's path is locked.
  auto path = Main(effect, 3);
  EXPECT_EQ(
      Text(path, ePropMotionPath) + " " + Keys(path, {ePropMotionPathMode, ePropMotionOrigin}),
      "M 0 0 L 0.25 0.5 E 1 1");
  EXPECT_EQ(path->pathEditMode, L"relative");
  EXPECT_EQ(Keys(Main(effect, 4), {ePropMotionPathMode, ePropMotionOrigin}), "1 0");
  EXPECT_EQ(GetPoint(boost::shared_ptr<IInterface>(Main(effect, 4)), ePropMotionBy),
            (Kinefold::TPoint{0.25, -0.5}));
  // Turns in 60000ths of a degree.
  EXPECT_EQ(Values(Main(effect, 5), {ePropBy, ePropAttribute}),
            (Numbers{21600000, pptx::eAttrRotation}));
  EXPECT_EQ(GetPoint(boost::shared_ptr<IInterface>(Main(effect, 6)), ePropBy),
            (Kinefold::TPoint{150, 150}));
  EXPECT_EQ(Keys(Main(effect, 7), {ePropAttribute}) + " " + Text(Main(effect, 7), ePropToValueText),
            std::to_string(pptx::eAttrVisibility) + " hidden");
  EXPECT_EQ(Main(effect, 8)->command, L"open");
  // A property animation: its values, and per point its time, clamped into
  // 0..100 and never decreasing, its formula and the type of its value (5
  // text, 2 number).
  auto behaviour = Main(effect, 9);
  EXPECT_EQ(Int(behaviour, ePropAttribute), pptx::eAttrX);
  EXPECT_EQ(
      Text(behaviour, ePropFrom) + " " + Text(behaviour, ePropTo) + " " + Text(behaviour, ePropBy),
      "0 #ppt_x 0.25");
  boost::shared_ptr<PropertySheetList> list =
      GetSheetList(boost::shared_ptr<IInterface>(behaviour), ePropTimeValueList);
  ASSERT_TRUE(list);
  std::vector<std::string> points;
  for (size_t i = 0; i < list->GetCount(); ++i) {
    boost::shared_ptr<IPropertyValue> value;
    list->GetItem(i)->GetProperty(value, ePropTavValue);
    points.push_back(Keys(list->GetItem(i), {ePropTavTime}) + " " +
                     Text(list->GetItem(i), ePropTavFormula) + " " +
                     (value ? std::to_string(value->GetType()) : "-"));
  }
  EXPECT_EQ(points, (std::vector<std::string>{"0 #ppt_x+$*0.1 2", "50  5", "100  2", "100  2"}));
  // Every filter read out (kind, subtype, fading out) after its name.
  auto filtered = EffectAt(slide, 3);
  ASSERT_EQ(filtered->GetMainBehaviourCount(), expected.size());
  std::vector<std::string> read;
  for (uint32_t i = 0; i < filtered->GetMainBehaviourCount(); ++i)
    read.push_back(expected[i].substr(0, expected[i].find(':')) + ": " +
                   Keys(Main(filtered, i), {ePropFilterKind, ePropFilterSubtype, ePropFadeOut}));
  EXPECT_EQ(read, expected);
}

TEST(BehaviourReader, AttributeKindsFollowWhatTheAgentsDraw) {
  pptx::TargetFacts text{true, false, false}, filled{false, true, true},
      filledText{true, true, false}, outline{false, false, true};
  // Attribute names with the kind each maps to, "name=kind", or "name?kind"
  // for a name the reader does not know.
  const struct {
    uint32_t behaviour;
    pptx::TargetFacts target;
    const char* kinds;
  } rows[] = {
      {eBehaviourProperty, text,
       "ppt_x=0 ppt_y=1 ppt_w=2 ppt_h=3 r=5 ppt_r=5 style.rotation=5 style.fontSize=14 xshear=20"},
      {eBehaviourSet, text,
       "style.opacity=4 style.visibility=7 style.fontStyle=10 style.fontWeight=11 "
       "style.textDecorationUnderline=12 style.fontFamily=13 style.color=9"},
      // The colour agent: text, fill, lines, or everything.
      {eBehaviourColor, filledText, "style.color=9 fillcolor=15"},
      {eBehaviourColor, filled, "fill.color=15 stroke.color=19 ppt_c=6"},
      // Set and property agents paint the whole shape (9) only where that
      // is right; some attributes draw nothing (16).
      {eBehaviourSet, filledText, "style.color=6 fillcolor=15"},
      {eBehaviourSet, filled, "fillcolor=9 fill.on=16 fill.type=16 stroke.on=16 style.wobble?16"},
      {eBehaviourProperty, outline, "stroke.color=9"},
      {eBehaviourProperty, filled, "stroke.color=19 yshear=16"},
  };
  for (const auto& row : rows) {
    std::istringstream names(row.kinds);
    for (std::string name; names >> name;) {
      const size_t mark = name.find_first_of("=?");
      int kind = -100;
      EXPECT_EQ(pptx::MapAttribute(name.substr(0, mark), row.behaviour, row.target, kind),
                name[mark] == '=')
          << name;
      EXPECT_EQ(kind, std::stoi(name.substr(mark + 1)))
          << name << " for behaviour kind " << row.behaviour;
    }
  }
}

}  // namespace
