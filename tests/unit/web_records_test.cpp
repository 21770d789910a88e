// The web records of effects and the values of property animations in them,
// read from the JSON text of published slides: the manager compiles them, the
// frame driver builds every screen animation against the publisher's screen
// objects. The boxes sit on the 720 x 540 slide of the published context.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "agent_slides.h"
#include "behaviours.h"
#include "common/Utf8.h"

namespace {

using namespace behaviours;
using nlohmann::ordered_json;
using platform::BehaviourNode;

const uint32_t kIndefinite = 0xFFFFFFFFu;

ordered_json Publish(const boost::shared_ptr<platform::Slide>& slide) {
  slides::Played played(slide);
  return ordered_json::parse(platform::ToUtf8(played.manager->GetJsonContent()));
}

// The record ("properties", or another key) of the deck's only effect.
ordered_json OnlyRecord(const boost::shared_ptr<platform::Slide>& slide,
                        const char* key = "properties") {
  const ordered_json doc = Publish(slide);
  EXPECT_EQ(doc["effects"].size(), 1u) << doc.dump();
  return doc["effects"].empty() ? ordered_json() : doc["effects"][0][key];
}

// The same without its duration and origin.
ordered_json OwnKeys(const boost::shared_ptr<platform::Slide>& slide) {
  ordered_json record = OnlyRecord(slide);
  record.erase("duration");
  record.erase("origin");
  return record;
}

// A slide with one box "9" of the given bounds and one effect of 1000 ms on
// it.
struct BoxSlide {
  BoxSlide(double x, double y, double w, double h, int presetClass = 0)
      : slide(boost::make_shared<platform::Slide>()) {
    slide->AddShape(L"9").SetBounds(x, y, w, h);
    effect = &slide->Effects()->AddEffect(L"9");
    effect->PresetClass(presetClass).NodeType(0).SetOwnDuration(1000);
  }
  boost::shared_ptr<platform::Slide> slide;
  platform::Effect* effect;
};

// A part that turns by one degree; as a sub-animation that follows the
// main behaviours.
BehaviourNode& Turn(BehaviourNode& b, int duration) {
  return b.Set<int>(ePropBy, 60000).Duration(duration);
}
BehaviourNode& TurnAfterTheMain(platform::Effect& e, int duration) {
  return Turn(e.AddSubAnimation(eBehaviourRotation), duration)
      .Set<int>(ePropSubAnimTrigger, 0)
      .Set<int>(ePropSubAnimStart, 1);
}

TEST(WebEffectRecord, EffectTiming) {
  using E = platform::Effect;
  auto integer = [](EPropertyId key, int value) { return [=](E& e) { e.Set<int>(key, value); }; };
  // Repeated `count` thousandths, with sub-effects starting at `starts`.
  auto until = [](int count, std::vector<int> starts) {
    return [=](E& e) {
      auto list = boost::make_shared<PropertySheetList>();
      for (int start : starts) {
        auto sheet = boost::make_shared<platform::PropertySheet>();
        sheet->Set<int>(ePropSubAnimStart, start);
        list->Add(sheet);
      }
      e.Set<int>(ePropRepeatCount, count).Set(ePropSubEffects, list);
    };
  };
  const struct {
    const char* name;
    std::function<void(E&)> set;
    const char* keys;  // the record's keys besides origin and the fade's
  } rows[] = {
      {"delayed", [](E& e) { e.Delay(300); }, R"({"delay":300,"duration":1000})"},
      {"indefinite", [](E& e) { e.SetOwnDuration(kIndefinite); }, R"({"duration":1})"},
      {"past 2^31 ms", [](E& e) { e.SetOwnDuration(0x80000000u); }, R"({"duration":-2147483648})"},
      {"three times", integer(ePropRepeatCount, 3000), R"({"duration":1000,"repeat":3})"},
      {"for ever", integer(ePropRepeatCount, -1), R"({"duration":1000,"repeat":0})"},
      {"reversed", [](E& e) { e.Set<bool>(ePropAutoReverse, true); },
       R"({"duration":1000,"autoReverse":true})"},
      {"eased", [](E& e) { e.Set<float>(ePropAccel, 25000).Set<float>(ePropDecel, 50000); },
       R"({"duration":1000,"accelerate":250.0,"decelerate":500.0})"},
      {"rewound", integer(ePropFill, 0), R"({"duration":1000,"rewind":true})"},
      {"held", integer(ePropFill, 1), R"({"duration":1000})"},
      {"until the next click", until(-1, {8}),
       R"({"duration":1000,"repeat":0,"untilNextClick":true})"},
      {"until the slide ends", until(-1, {2, 8}),
       R"({"duration":1000,"repeat":0,"untilNextClick":true,"untilSlideEnd":true})"},
      {"repeated, so neither", until(2000, {8}), R"({"duration":1000,"repeat":2})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 10, 10);
    AddFade(*box.effect, 1000);
    row.set(*box.effect);
    ordered_json record = OnlyRecord(box.slide);
    EXPECT_EQ(record["origin"], ordered_json::parse("[5.0, 5.0]")) << row.name;
    for (const char* fadeKey : {"origin", "type", "variable", "values"}) record.erase(fadeKey);
    EXPECT_EQ(record, ordered_json::parse(row.keys)) << row.name;
  }
}

// Two or more shape-side behaviours become a record of type 5 with one part
// each. Parts keep their own timing: easing in ms of their own length, reverse,
// a length of 1 for an indefinite one, a set's length of 1, the next click,
// and a sub-animation after the main ones that ends with the effect. The
// sound is a part of its own and is listed under its name; the audio
// behaviour itself is a part without keys of its kind.
TEST(WebEffectRecord, PartTiming) {
  BoxSlide box(0, 0, 10, 10);
  AddFade(*box.effect, 1000).Set<float>(ePropAccel, 50000).Set<bool>(ePropAutoReverse, true);
  Turn(box.effect->AddBehaviour(eBehaviourRotation), -1);
  box.effect->AddBehaviour(eBehaviourSet)
      .Set<int>(ePropAttribute, 4)
      .Set<std::wstring>(ePropToValueText, L"0.5")
      .Duration(400)
      .Delay(100);
  Turn(box.effect->AddSubAnimation(eBehaviourRotation), 300).Set<int>(ePropSubAnimTrigger, 2);
  TurnAfterTheMain(*box.effect, 300);
  box.effect->AddSubAnimation(eBehaviourAudio).Duration(200);
  box.effect->SetOwnDuration(1000);
  const ordered_json doc = Publish(box.slide);
  EXPECT_EQ(doc["effects"][0]["properties"], ordered_json::parse(R"({
      "type":5,"duration":1000,"origin":[5.0,5.0],"parts":[
      {"accelerate":500.0,"autoReverse":true,"type":0,"variable":14,"values":[0,0,100,1],
       "duration":1000},
      {"type":2,"variable":15,"by":1.0,"duration":1},
      {"type":1,"variable":14,"to":0.5,"duration":1,"delay":100},
      {"onNextClick":true,"type":2,"variable":15,"by":1.0,"duration":300},
      {"type":2,"variable":15,"by":1.0,"duration":300,"delay":700},
      {"duration":200}, {"type":8,"sound":"","soundInParts":true}]})"));
  EXPECT_EQ(doc["sounds"],
            ordered_json::parse(R"({"":[{"type":8,"sound":"","soundInParts":true}]})"));
}

// A sub-animation after the main behaviours ends with the effect: its delay
// is the effect's length less its own, negative when it is the longer, and
// taken from an indefinite length as it stands.
TEST(WebEffectRecord, DelayAfterTheMainBehaviours) {
  const struct {
    uint32_t own;
    int dur;
    const char* timing;
  } rows[] = {
      {500, 300, R"({"duration":300,"delay":200})"},
      {500, 500, R"({"duration":500})"},
      {500, 800, R"({"duration":800,"delay":-300})"},
      {kIndefinite, 800, R"({"duration":800,"delay":-801})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 10, 10);
    AddFade(*box.effect, 500);
    TurnAfterTheMain(*box.effect, row.dur);
    box.effect->SetOwnDuration(row.own);
    ordered_json part = {{"type", 2}, {"variable", 15}, {"by", 1.0}};
    part.update(ordered_json::parse(row.timing));
    EXPECT_EQ(OnlyRecord(box.slide)["parts"][1], part) << row.dur;
  }
}

// Each scale to a size is written relative to the size the one before
// reached; a scale by a factor is relative anyway.
TEST(WebEffectRecord, SuccessiveScales) {
  BoxSlide box(0, 0, 10, 10);
  const std::pair<EPropertyId, Kinefold::TPoint> scales[] = {
      {ePropTo, {200, 200}}, {ePropTo, {300, 300}}, {ePropBy, {150, 50}},
      {ePropTo, {300, 150}}, {ePropTo, {100, 100}},
  };
  for (const auto& [key, point] : scales)
    box.effect->AddBehaviour(eBehaviourScale).Set(key, point).Duration(100);
  ordered_json values, record = OnlyRecord(box.slide);
  for (ordered_json part : record["parts"]) {
    values.push_back(part["values"]);
    part.erase("values");
    EXPECT_EQ(part, ordered_json::parse(R"({"type":3,"variable":19,"duration":100})"));
  }
  EXPECT_EQ(values, ordered_json::parse("[[100,100],[50,50],[50,-50],[0,-50],"
                                        "[-66.666664,-33.333332]]"));
}

// The keys of each kind of behaviour, on a box centred at (20, 10). Mask
// filters: their effect type, the wheel's spokes, the direction when it is
// one the player knows, and whether they bring the shape in or out.
TEST(WebEffectRecord, KeysOfEachKind) {
  using Add = std::function<void(BoxSlide&)>;
  auto ints = [](uint32_t kind, std::vector<std::pair<EPropertyId, int>> keys) -> Add {
    return [=](BoxSlide& box) {
      BehaviourNode& b = box.effect->AddBehaviour(kind).Duration(1000);
      for (const auto& key : keys) b.Set<int>(key.first, key.second);
    };
  };
  auto filter = [&](int kind, int subtype = -1) {
    if (subtype < 0) return ints(eBehaviourFilter, {{ePropFilterKind, kind}});
    return ints(eBehaviourFilter, {{ePropFilterKind, kind}, {ePropFilterSubtype, subtype}});
  };
  // A set of `attribute` to `v`, on the box's text when `text`.
  auto set = [](int attribute, boost::shared_ptr<IPropertyValue> v, bool text = false) -> Add {
    return [=](BoxSlide& box) {
      if (text) box.slide->FindShape(L"9")->SetText({L"ab"});
      BehaviourNode& b = box.effect->AddBehaviour(eBehaviourSet).Duration(1000);
      b.Set<int>(ePropAttribute, attribute);
      if (v) b.Sheet()->SetProperty(ePropToValueText, v);
    };
  };
  auto path = [](const wchar_t* text, float speed) -> Add {
    return [=](BoxSlide& box) {
      BehaviourNode& b = box.effect->AddBehaviour(eBehaviourMotion).Duration(1000);
      b.Set<std::wstring>(ePropMotionPath, text).Set<float>(ePropSpeed306, speed);
    };
  };
  const struct {
    const char* name;
    int presetClass;
    Add add;
    const char* record;  // without duration and origin
  } rows[] = {
      {"fade in", 0, filter(1), R"({"type":0,"variable":14,"values":[0,0,100,1]})"},
      {"fade out", 1, filter(1), R"({"type":0,"variable":14,"values":[0,1,100,0]})"},
      {"fade in emphasis", 2, filter(1), R"({"type":0,"variable":14,"values":[0,0,100,1]})"},
      {"wipe", 0, filter(2, 1), R"({"type":32,"direction":1,"presetClass":0})"},
      {"mask 8 out", 1, filter(8, 15), R"({"type":38,"direction":15,"presetClass":1})"},
      {"direction unknown", 0, filter(12, 16), R"({"type":41,"presetClass":0})"},
      {"mask for emphasis", 2, filter(13), R"({"type":42,"direction":0})"},
      {"mask 14 out", 1, filter(14, 3), R"({"type":43,"direction":3,"presetClass":1})"},
      {"wheel 1", 0, filter(15, 0), R"({"type":44,"spokes":1,"direction":0,"presetClass":0})"},
      {"wheel 8 out", 1, filter(19, 0), R"({"type":44,"spokes":8,"direction":0,"presetClass":1})"},
      {"turn 90", 0, ints(eBehaviourRotation, {{ePropBy, 5400000}}),
       R"({"type":2,"variable":15,"by":90.0})"},
      {"rotation from and to", 0,
       ints(eBehaviourRotation, {{ePropFrom, -1800000}, {ePropTo, 5400000}}),
       R"({"type":0,"variable":15,"values":[0.0,-30.0,100.0,90.0]})"},
      {"rotation to alone", 0, ints(eBehaviourRotation, {{ePropTo, 5400000}}), "{}"},
      {"colour by HSL", 2,
       ints(eBehaviourColor, {{ePropColorSpace, 1}, {ePropHueBy, 270}, {ePropLightnessBy, -10}}),
       R"({"type":3,"variable":1,"ColorSpace":"HSL","values":[270,0,-10]})"},
      {"colour to", 2, ints(eBehaviourColor, {{ePropToValueText, 0xFF8000}, {ePropAttribute, 6}}),
       R"({"type":4,"variable":3,"ColorSpace":"RGB","values":[255,128,0,255]})"},
      {"colour by RGB", 2,
       ints(eBehaviourColor, {{ePropColorSpace, 0}, {ePropRedBy, 100}, {ePropAttribute, 19}}),
       R"({"type":3,"variable":2,"ColorSpace":"RGB","values":[100,0,0]})"},
      {"colour to nothing", 2, ints(eBehaviourColor, {}), "{}"},
      {"set hidden", 0, set(7, Text(L"hidden")), R"({"type":1,"variable":17,"to":false})"},
      {"set visible", 0, set(7, Text(L"visible")), R"({"type":1,"variable":17,"to":true})"},
      {"set x", 0, set(0, Text(L"0.5")), R"({"type":1,"variable":12,"to":360.0})"},
      {"set y", 0, set(1, Text(L"#ppt_y+0.5")), R"({"type":1,"variable":13,"to":280.0})"},
      {"set rotation", 0, set(5, Text(L"180")), R"({"type":1,"variable":15,"to":3.1415927})"},
      {"set fill colour", 0, set(9, boost::make_shared<PropertyValue<int>>(0x102030)),
       R"({"type":1,"variable":0,"to":[16,32,48,255]})"},
      {"set no line", 0, set(19, nullptr), R"({"type":1,"variable":2,"to":[0,0,0,255]})"},
      {"set font", 0, set(13, Text(L"Arial"), true), R"({"type":1,"variable":7,"to":"Arial"})"},
      {"set bold", 0, set(11, Text(L"bold"), true), R"({"type":1,"variable":5,"to":true})"},
      {"set attribute 8", 0, set(8, Text(L"0.5"), true), R"({"type":1,"variable":-1,"to":0.0})"},
      {"path", 0, path(L"M 0 0 L 0.25 0 E", 100000), R"({"type":6,"values":"M 0 0 L 0.25 0"})"},
      {"motion path backwards", 0, path(L"M 0 0 L 0 0.5", -100000),
       R"({"type":6,"values":"M 0 0 L 0 0.5","reversePath":true})"},
      // x is divided by the slide's height and y by its width.
      {"motion by an offset", 0,
       [](BoxSlide& box) {
         box.effect->AddBehaviour(eBehaviourMotion)
             .Duration(1000)
             .Set<Kinefold::TPoint>(ePropMotionBy, {270, 360});
       },
       R"({"type":6,"values":"M 0 0 L 0.5 0.5"})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 40, 20, row.presetClass);
    row.add(box);
    EXPECT_EQ(OwnKeys(box.slide), ordered_json::parse(row.record)) << row.name;
  }
}

// One shape-side behaviour: its keys join the effect's own, in order. An
// exit that hides its shape as the slide starts plays like an entrance. Text
// played word by word is one record, for the shape, whatever the number of
// units translated.
TEST(WebEffectRecord, TheEffectEntry) {
  BoxSlide one(0, 0, 10, 20);
  AddFade(*one.effect, 1000);
  slides::Played played(one.slide);
  EXPECT_THAT(platform::ToUtf8(played.manager->GetJsonContent()),
              testing::HasSubstr(R"({"id":"effect_ID0","target":"9/shape","presetClass":0,)"
                                 R"("properties":{"duration":1000,"origin":[5.0,10.0],)"
                                 R"("type":0,"variable":14,"values":[0,0,100,1]}})"));
  BoxSlide exit(0, 0, 10, 10, 1);
  exit.effect->NodeType(1);
  exit.effect->AddBehaviour(eBehaviourSet)
      .Set<int>(ePropAttribute, 7)
      .Set<std::wstring>(ePropToValueText, L"hidden")
      .Duration(1);
  EXPECT_EQ(OnlyRecord(exit.slide, "presetClass"), 0);
  auto words = slides::TextSlide();
  auto& effect = words->Effects()->AddEffect(L"7");
  effect.PresetClass(0).NodeType(0).SetOwnDuration(500);
  effect.Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 200);
  AddFade(effect, 500);
  EXPECT_EQ(OnlyRecord(words, "target"), "7");
  EXPECT_EQ(OnlyRecord(words)["origin"], ordered_json::parse("[200.0, 150.0]"));
}

BehaviourNode& AddProperty(platform::Effect& effect, int attribute) {
  return effect.AddBehaviour(eBehaviourProperty).Set<int>(ePropAttribute, attribute).Duration(1000);
}

BehaviourNode& SetFormulas(BehaviourNode& b, const wchar_t* from, const wchar_t* to,
                           const wchar_t* by) {
  if (from) b.Set<std::wstring>(ePropFrom, from);
  if (to) b.Set<std::wstring>(ePropTo, to);
  if (by) b.Set<std::wstring>(ePropBy, by);
  return b;
}

// From, to and by, in slide units for positions and in factors of the
// shape's own size for width and height.
TEST(WebPropertyValues, FromToBy) {
  const struct {
    const char* name;
    double x, y, w, h;  // the box
    int attribute;
    const wchar_t *from, *to, *by;
    int variable;
    const char* values;
  } rows[] = {
      {"to, from the centre", 50, 50, 100, 100, 0, nullptr, L"0.5", nullptr, 12, "[0,100,100,360]"},
      {"by", 50, 50, 100, 100, 1, nullptr, nullptr, L"0.25", 13, "[0,100,100,235]"},
      {"from and to", 50, 50, 100, 100, 0, L"0.25", L"0.75", nullptr, 12, "[0,180,100,540]"},
      {"neither to nor by", 50, 50, 100, 100, 4, nullptr, nullptr, nullptr, 14, "[0,0,100,1]"},
      {"width, a quarter wide", 0, 0, 180, 100, 2, nullptr, L"0.5", nullptr, 10, "[0,1,100,2]"},
      {"height, a quarter high", 0, 0, 100, 135, 3, nullptr, nullptr, L"0.25", 11, "[0,1,100,2]"},
      {"to by formula", 50, 50, 100, 100, 1, nullptr, L"#ppt_y+#ppt_h", nullptr, 13,
       "[0,100,100,200]"},
      {"rotation, as it stands", 0, 0, 10, 10, 5, L"0", L"90", nullptr, 15, "[0,0,100,90]"},
      {"attribute 8 has no values", 0, 0, 10, 10, 8, nullptr, L"0.5", nullptr, -1, "[]"},
  };
  for (const auto& row : rows) {
    BoxSlide box(row.x, row.y, row.w, row.h);
    SetFormulas(AddProperty(*box.effect, row.attribute), row.from, row.to, row.by);
    const ordered_json record = {
        {"type", 0}, {"variable", row.variable}, {"values", ordered_json::parse(row.values)}};
    EXPECT_EQ(OwnKeys(box.slide), record) << row.name;
  }
}

// Property animations of one effect follow on from each other: each starts
// where the one before left the shape, unless it restarts from the authored
// state (fill 1 or 2); a reversed move ends where it started.
TEST(WebPropertyValues, MovesFollowOnFromEachOther) {
  struct Move {
    int attribute;
    const wchar_t* to;
    int fill = -1;  // none
    bool reverse = false;
    const wchar_t* by = nullptr;
  };
  const struct {
    const char* name;
    std::vector<Move> moves;
    const char* values;  // of each part
  } rows[] = {
      {"right, then left", {{0, L"0.5"}, {0, L"0.25"}}, "[[0,100,100,360],[0,360,100,180]]"},
      // There and back, then left: the back ends where it started.
      {"and back", {{0, L"0.5", -1, true}, {0, L"0.25"}}, "[[0,100,100,360],[0,100,100,180]]"},
      {"restarting", {{0, L"0.5", 1}, {0, L"0.25", 2}}, "[[0,100,100,360],[0,100,100,180]]"},
      {"fill 0 follows on", {{0, L"0.5"}, {0, L"0.25", 0}}, "[[0,100,100,360],[0,360,100,180]]"},
      {"down, right, then down again",
       {{1, L"0.5"}, {0, L"0.25"}, {1, nullptr, -1, false, L"0.1"}},
       "[[0,100,100,270],[0,100,100,180],[0,270,100,324]]"},
      {"opacity leaves the position alone",
       {{0, L"0.5"}, {4, L"0.5"}, {0, nullptr, -1, false, L"0.125"}},
       "[[0,100,100,360],[0,0,100,0.5],[0,360,100,450]]"},
  };
  for (const auto& row : rows) {
    BoxSlide box(50, 50, 100, 100);
    for (const Move& move : row.moves) {
      BehaviourNode& b =
          SetFormulas(AddProperty(*box.effect, move.attribute), nullptr, move.to, move.by);
      if (move.fill >= 0) b.Set<int>(ePropFill, move.fill);
      if (move.reverse) b.Set<bool>(ePropAutoReverse, true);
    }
    ordered_json values, record = OnlyRecord(box.slide);
    for (const auto& part : record["parts"]) values.push_back(part["values"]);
    EXPECT_EQ(values, ordered_json::parse(row.values)) << row.name;
  }
}

// Time-value lists on a box centred at (100, 100), a quarter of the slide
// wide and half of it high. Strings are formulas in fractions of the slide
// (or the visibility words), numbers are fractions of the slide, or of the
// shape's own position when the list has formulas. Unless a row gives its
// own list, y goes from 0 (by the row's formula) to 1 (plain).
//
// Entries whose formula has one of the known shapes become formula records:
// time, "for", the shape, the scale, the functions, then the numbers, with
// "number operator number" folded as it is read. The scale is the one of
// the animated attribute: slide width for x, the inverse size fraction for
// width and height, 1 otherwise.
TEST(WebPropertyValues, Lists) {
  const struct {
    const char* name;
    const wchar_t* formula;
    const char* values;  // a formula row's plain last entry scales by the shape's position or size
    int attribute = 1;
    std::vector<Entry> entries = {};
  } rows[] = {
      {"visibility", nullptr, "[0,0,50,1]", 7, {{0, Text(L"hidden")}, {50, Text(L"visible")}}},
      {"numbers", nullptr, "[0,180,100,360]", 0, {{0, Number(0.25f)}, {100, Number(0.5f)}}},
      // Formulas as strings, and numbers of a list with a formula.
      {"x", nullptr, "[0,100,100,280]", 0, {{0, Text(L"#ppt_x")}, {100, Text(L"#ppt_x+0.25")}}},
      {"$", nullptr, "[0,50,100,100]", 0, {{0, Number(0.5f), L"#ppt_x+$"}, {100, Number(1.0f)}}},
      {"one entry", nullptr, "[50,270]", 1, {{50, Number(0.5f)}}},
      {"no value", nullptr, "[100,0.5]", 4, {{0, nullptr}, {100, Number(0.5f)}}},
      {"shape 0", L"$*sin(6.28*$)", R"([0, "for", 0, 540, 0, 6.28, 100, 100])"},
      {"shape 1", L"#ppt_y-sin(pi*$)/3", R"([0, "for", 1, 540, 0, 3, 100, 100])"},
      {"shape 2", L"#ppt_x+(cos(-6.28*(1-$))*-#ppt_x-sin(-6.28*(1-$))*(#ppt_y))*(1-$)",
       R"([0, "for", 2, 540, 1, 0, 6.28, 1, 6.28, 1, 1, 100, 100])"},
      {"shape 3", L"#ppt_y + (sin(-6.28*(1-$)) * -#ppt_x +cos(-6.28*(1-$)) * (#ppt_y)) * (1-$)",
       R"([0, "for", 3, 540, 0, 1, 6.28, 1, 6.28, 1, 1, 100, 100])"},
      {"folded after a bracket", L"#ppt_h*cos(2*3*$)", R"([0, "for", 0, 540, 1, 6, 100, 100])"},
      {"folded left to right", L"$*max(1+2*3-1/2*$)", R"([0, "for", 0, 540, 4, 4, 100, 100])"},
      {"a number with two points", L"$*abs(0.5.5*$)", R"([0, "for", 0, 540, 5, 0.5, 100, 100])"},
      // Not folded at the very start, so the shape is not one of the four.
      {"two numbers first", L"2*3*(4*$)", "[0, 0, 100, 100]"},
      {"unknown shape", L"#ppt_y+$*0.1", "[0, 0, 100, 100]"},
      // pi is a name, not a number: 2*pi stays a product.
      {"named constants", L"#ppt_y+(sin(-2*pi*(1-$))*-#ppt_x+cos(-2*pi*(1-$))*(1-#ppt_y))*(1-$)",
       "[0, 0, 100, 100]"},
      {"a character no formula has", L"$*sin(6.28*$)^2", "[0, 0, 100, 100]"},
      {"x scale", L"$*sin(1*$)", R"([0, "for", 0, 720, 0, 1, 100, 100])", 0},
      {"width scale", L"$*sin(1*$)", R"([0, "for", 0, 4, 0, 1, 100, 1])", 2},
      {"height scale", L"$*sin(1*$)", R"([0, "for", 0, 2, 0, 1, 100, 1])", 3},
      {"opacity scale", L"$*sin(1*$)", R"([0, "for", 0, 1, 0, 1, 100, 1])", 4},
  };
  for (const auto& row : rows) {
    BoxSlide box(10, -35, 180, 270);  // centred at (100, 100), a quarter wide, half high
    SetList(AddProperty(*box.effect, row.attribute),
            row.formula ? std::vector<Entry>{{0, Number(0.0f), row.formula}, {100, Number(1.0f)}}
                        : row.entries);
    const ordered_json record = OnlyRecord(box.slide);
    const ordered_json values = ordered_json::parse(row.values);
    EXPECT_EQ(record["values"], values) << row.name;
    EXPECT_EQ(record["type"], values.size() > 4 ? 7 : 0) << row.name;
  }
}

}  // namespace
