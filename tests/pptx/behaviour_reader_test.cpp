// The behaviour elements read from the timing tree: property animations,
// filters, colours, motion, turns, scales, sets and commands, the attribute
// each one drives, and behaviour repeats unrolled into passes.
#include "DeckFixture.h"

#include <cmath>

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
TEST(BehaviourReader, BehaviourRepeatsAreUnrolled) {
  const std::string box = x::ShapeTarget(2);
  auto turns = [&](long long by, const char* count) {
    return Repeated(x::Rotate(box, by, 200), count);
  };
  const std::string turn = x::Rotate(box, 7200000, 200);
  const char* const kAddsUp = "repeated turn or scale adds up x1";
  const struct {
    const char* name;
    std::vector<int> delays;  // of the main behaviours
    int lastRepeat;           // 303 of the last one, 0 when absent
    uint32_t own;
    const char* warned;
    std::string behaviour;
  } rows[] = {
      {"turns on", {0, 200, 400}, 0, 600, kAddsUp, turns(7200000, "3000")},
      {"whole turns", {0, 200}, 0, 400, "", turns(21600000, "2000")},
      {"reversed", {100, 500}, 0, 900, "", Timed(turn, "autoRev=\"1\" repeatCount=\"2000\"", 100)},
      {"fraction", {0, 200}, 1500, 500, "fractional behaviour repeat x1", turns(21600000, "2500")},
      {"endless",
       {0},
       kIndefinite,
       0xFFFFFFFFu,
       "endless behaviour repeat x1",
       turns(7200000, "indefinite")},
      {"motion", {0, 300}, 0, 600, "", Repeated(x::Motion(box, "M 0 0 L 0.1 0 E", 300), "2000")},
      {"scale", {0, 300}, 0, 600, kAddsUp, Repeated(x::Scale(box, 150, 150, 300), "2000")},
  };
  for (const auto& row : rows) {
    pptx::Diagnostics diag;
    auto slide = ReadSlide("behaviour_repeat", TextShape(2, 1),
                           MainSequence({MakeEffect("emph", "clickEffect", row.behaviour)}), diag);
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
  }
}

// Played: the effect lasts all its passes, the after-effect that follows
// starts when they end, and each frame shows the pass it falls in.
TEST(BehaviourReader, BehaviourPassesArePlayedAndTimed) {
  const std::string box = x::ShapeTarget(3);
  const struct {
    const char* name;
    std::string behaviour;
    uint32_t end;  // of the effect, where the after-effect starts
    std::vector<std::pair<uint32_t, double>> frames;  // time, degrees
  } rows[] = {
      // 90° from 600 to 800 and back by 1000: half way back at 900.
      {"reversed",
       Timed(x::Rotate(box, 5400000, 200), "autoRev=\"1\"", 600),
       1000,
       {{600, 0}, {700, 45}, {800, 90}, {900, 45}, {1000, 0}}},
      // 120° three times, 200 ms each: 360° at 600.
      {"repeated",
       Timed(x::Rotate(box, 7200000, 200), "repeatCount=\"3000\""),
       600,
       {{100, 60}, {200, 120}, {400, 240}, {500, 300}, {600, 360}}},
  };
  for (const auto& row : rows) {
    x::Effect next = MakeEffect("emph", "afterEffect", x::Rotate(x::ShapeTarget(4), 60000, 100));
    pptx::Diagnostics diag;
    auto slide =
        ReadSlide("behaviour_passes",
                  x::Shape(3, "Box", 0, 0, 100, 100, "FF0000") +
                      x::Shape(4, "Next", 200, 0, 100, 100, "00FF00"),
                  MainSequence({MakeEffect("emph", "clickEffect", row.behaviour), next}), diag);
    ASSERT_TRUE(slide);
    EXPECT_EQ(EffectAt(slide, 0)->GetOwnDuration(), row.end) << row.name;
    play::Played played(slide);
    boost::shared_ptr<IScreenAnimation> after;
    played.manager->GetShapeAnimation(after, L"4", 0);
    EXPECT_EQ(after->GetStartTime(), row.end) << row.name;
    const auto shape = QueryAs<IShapeContext>(played.screen->Find(L"3/shape"), eIidScreenShape9);
    for (const auto& frame : row.frames) {
      played.driver->Frame(frame.first);
      const double* m = shape->GetTransform();
      const double radians = frame.second * 3.141592653589793 / 180.0;
      EXPECT_NEAR(m[4], std::cos(radians), 1e-6) << row.name << " at " << frame.first;
      EXPECT_NEAR(m[2], std::sin(radians), 1e-6) << row.name << " at " << frame.first;
    }
  }
}

TEST(BehaviourReader, PropertyAnimationPointsFormulasAndValues) {
  std::string target = x::ShapeTarget(2);
  std::string tavs = x::Tav("0", "0", "#ppt_x+$*0.1") + x::Tav("50000", "visible") +
                     x::Tav("120000", "1") + x::Tav("-5000", "0.5");
  std::string anim = x::Anim(target, "ppt_x", 500, "from=\"0\" to=\"#ppt_x\" by=\"0.25\"", tavs);
  pptx::Diagnostics diag;
  auto slide = ReadSlide("property_animation", TextShape(2, 1),
                         MainSequence({MakeEffect("emph", "clickEffect", anim)}), diag);
  auto behaviour = Main(EffectAt(slide, 0), 0);
  ASSERT_TRUE(behaviour);
  EXPECT_EQ(behaviour->GetKind(), static_cast<uint32_t>(eBehaviourProperty));
  EXPECT_EQ(Int(behaviour, ePropAttribute), pptx::eAttrX);
  EXPECT_EQ(
      Text(behaviour, ePropFrom) + " " + Text(behaviour, ePropTo) + " " + Text(behaviour, ePropBy),
      "0 #ppt_x 0.25");
  boost::shared_ptr<PropertySheetList> list =
      GetSheetList(boost::shared_ptr<IInterface>(behaviour), ePropTimeValueList);
  ASSERT_TRUE(list);
  // Per point: its time, clamped into 0..100 and never decreasing, its
  // formula and the type of its value (5 text, 2 number).
  std::vector<std::string> points;
  for (size_t i = 0; i < list->GetCount(); ++i) {
    boost::shared_ptr<IPropertyValue> value;
    list->GetItem(i)->GetProperty(value, ePropTavValue);
    points.push_back(Keys(list->GetItem(i), {ePropTavTime}) + " " +
                     Text(list->GetItem(i), ePropTavFormula) + " " +
                     (value ? std::to_string(value->GetType()) : "-"));
  }
  EXPECT_EQ(points, (std::vector<std::string>{"0 #ppt_x+$*0.1 2", "50  5", "100  2", "100  2"}));
  EXPECT_TRUE(diag.Has("key times out of order or range"));
}

TEST(BehaviourReader, FilterStrings) {
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
  std::string behaviours;
  for (const auto& row : rows)
    for (size_t i = 0; i < std::max<size_t>(row.directions.size(), 1); ++i) {
      const std::string filter =
          row.directions.empty() ? row.filter : row.filter + "(" + row.directions[i] + ")";
      behaviours += x::Filter(x::ShapeTarget(2), filter, false, 500);
      expected.push_back(filter + ": " + std::to_string(row.kind) + " " +
                         std::to_string(row.subtype + int(i)) + " 1");
    }
  pptx::Diagnostics diag;
  auto slide = ReadSlide("filters", TextShape(2, 1),
                         MainSequence({MakeEffect("exit", "clickEffect", behaviours)}), diag);
  auto effect = EffectAt(slide, 0);
  ASSERT_EQ(effect->GetMainBehaviourCount(), expected.size());
  std::vector<std::string> read;
  for (uint32_t i = 0; i < effect->GetMainBehaviourCount(); ++i)
    read.push_back(expected[i].substr(0, expected[i].find(':')) + ": " +
                   Keys(Main(effect, i), {ePropFilterKind, ePropFilterSubtype, ePropFadeOut}));
  EXPECT_EQ(read, expected);
  EXPECT_EQ(Warned(diag), "unknown filter x3");
}

TEST(BehaviourReader, ColourMotionRotationScaleSetAndCommand) {
  std::string target = x::ShapeTarget(2);
  std::string rgbBy = "<p:animClr clrSpc=\"rgb\"><p:cBhvr><p:cTn id=\"#\" dur=\"500\"/>" + target +
                      "<p:attrNameLst><p:attrName>fillcolor</p:attrName></p:attrNameLst></p:cBhvr>"
                      "<p:by><p:rgb r=\"10000\" g=\"-20000\" b=\"100000\"/></p:by></p:animClr>";
  std::string hslBy =
      "<p:animClr clrSpc=\"hsl\"><p:cBhvr><p:cTn id=\"#\" dur=\"500\"/>" + target +
      "<p:attrNameLst><p:attrName>style.color</p:attrName></p:attrNameLst></p:cBhvr>"
      "<p:by><p:hsl h=\"5400000\" s=\"50000\" l=\"-25000\"/></p:by></p:animClr>";
  std::string behaviours =
      rgbBy + hslBy + x::Colour(target, "stroke.color", "FF0000", 500) +
      x::Motion(target, "M 0 0 L 0.25 0.5 E", 2000) +
      "<p:animMotion origin=\"parent\" pathEditMode=\"fixed\"><p:cBhvr><p:cTn id=\"#\" "
      "dur=\"500\"/>" +
      target + "</p:cBhvr><p:by x=\"25000\" y=\"-50000\"/></p:animMotion>" +
      x::Rotate(target, 21600000, 1000) + x::Scale(target, 150, 150, 500) +
      x::Set(target, "style.visibility", "hidden") +
      "<p:cmd type=\"verb\" cmd=\"open\"><p:cBhvr><p:cTn id=\"#\" dur=\"1\"/>" + target +
      "</p:cBhvr></p:cmd>";
  // Colour sets look at their shape: fill colour where it has text, the
  // whole colour where it has a fill only.
  x::Effect sets = MakeEffect(
      "emph", "clickEffect",
      x::Set(target, "fillcolor", "unused") + x::Set(x::ShapeTarget(3), "fillcolor", "unused"));
  x::Effect unknown = MakeEffect("emph", "clickEffect", x::Set(x::ShapeTarget(3), "wobble", "1"));
  pptx::Diagnostics diag;
  auto slide =
      ReadSlide("behaviours", TextShape(2, 1) + x::Shape(3, "Box", 0, 0, 50, 50, "FF0000"),
                MainSequence({MakeEffect("emph", "clickEffect", behaviours), sets, unknown}), diag);
  EXPECT_EQ(Warned(diag), "behaviour of another shape x1, unknown attribute x1");
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
                                          eBehaviourScale, eBehaviourSet, eBehaviourCommand}));
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
}

TEST(BehaviourReader, AttributeKindsFollowWhatTheAgentsDraw) {
  pptx::TargetFacts text{true, false, false}, filled{false, true, true},
      filledText{true, true, false}, outline{false, false, true};
  const struct {
    const char* name;
    uint32_t behaviour;
    pptx::TargetFacts target;
    int kind;
    bool known;
  } rows[] = {
      {"ppt_x", eBehaviourProperty, text, 0, true},
      {"ppt_y", eBehaviourProperty, text, 1, true},
      {"ppt_w", eBehaviourProperty, text, 2, true},
      {"ppt_h", eBehaviourProperty, text, 3, true},
      {"style.opacity", eBehaviourSet, text, 4, true},
      {"r", eBehaviourProperty, text, 5, true},
      {"ppt_r", eBehaviourProperty, text, 5, true},
      {"style.rotation", eBehaviourProperty, text, 5, true},
      {"style.visibility", eBehaviourSet, text, 7, true},
      {"style.fontStyle", eBehaviourSet, text, 10, true},
      {"style.fontWeight", eBehaviourSet, text, 11, true},
      {"style.textDecorationUnderline", eBehaviourSet, text, 12, true},
      {"style.fontFamily", eBehaviourSet, text, 13, true},
      {"style.fontSize", eBehaviourProperty, text, 14, true},
      {"xshear", eBehaviourProperty, text, 20, true},
      // The colour agent: text, fill, lines, or everything.
      {"style.color", eBehaviourColor, filledText, 9, true},
      {"fillcolor", eBehaviourColor, filledText, 15, true},
      {"fill.color", eBehaviourColor, filled, 15, true},
      {"stroke.color", eBehaviourColor, filled, 19, true},
      {"ppt_c", eBehaviourColor, filled, 6, true},
      // Set and property agents paint the whole shape (9) only where that is right.
      {"style.color", eBehaviourSet, text, 9, true},
      {"style.color", eBehaviourSet, filledText, 6, true},
      {"fillcolor", eBehaviourSet, filled, 9, true},
      {"fillcolor", eBehaviourSet, filledText, 15, true},
      {"stroke.color", eBehaviourProperty, outline, 9, true},
      {"stroke.color", eBehaviourProperty, filled, 19, true},
      // Attributes that draw nothing, and unknown ones.
      {"fill.on", eBehaviourSet, filled, 16, true},
      {"fill.type", eBehaviourSet, filled, 16, true},
      {"stroke.on", eBehaviourSet, filled, 16, true},
      {"yshear", eBehaviourProperty, filled, 16, true},
      {"style.wobble", eBehaviourSet, filled, 16, false},
  };
  for (const auto& row : rows) {
    int kind = -100;
    EXPECT_EQ(pptx::MapAttribute(row.name, row.behaviour, row.target, kind), row.known) << row.name;
    EXPECT_EQ(kind, row.kind) << row.name << " for behaviour kind " << row.behaviour;
  }
}

}  // namespace
