// The web records of effects, read from the JSON text of published slides.
#include <gtest/gtest.h>

#include "web_test_deck.h"

namespace {

using behaviours::AddFade;
using platform::BehaviourNode;
using web::BoxSlide;
using web::ordered_json;

const uint32_t kIndefinite = 0xFFFFFFFFu;

// One shape-side behaviour: its keys join the effect's own, in order, and
// the text is what the player reads.
TEST(WebEffectRecord, SingleBehaviourMergesIntoTheRecord) {
  BoxSlide box(0, 0, 10, 20);
  AddFade(*box.effect, 1000);
  slides::Played played(box.slide);
  const std::string json = platform::ToUtf8(played.manager->GetJsonContent());
  EXPECT_NE(json.find(R"({"id":"effect_ID0","target":"9/shape","presetClass":0,)"
                      R"("properties":{"duration":1000,"origin":[5.0,10.0],)"
                      R"("type":0,"variable":14,"values":[0,0,100,1]}})"),
            std::string::npos)
      << json;
}

// Two shape-side behaviours: a record of type 5 with one part each, each
// with its own duration and, when not 0, its delay.
TEST(WebEffectRecord, SeveralBehavioursBecomeParts) {
  BoxSlide box(0, 0, 10, 10);
  AddFade(*box.effect, 1000);
  box.effect->AddBehaviour(eBehaviourRotation).Set<int>(ePropBy, 5400000).Duration(500).Delay(250);
  const ordered_json expected = ordered_json::parse(R"({
    "type": 5, "duration": 1000, "origin": [5.0, 5.0],
    "parts": [
      {"type": 0, "variable": 14, "values": [0, 0, 100, 1], "duration": 1000},
      {"type": 2, "variable": 15, "by": 90.0, "duration": 500, "delay": 250}
    ]})");
  EXPECT_EQ(web::OnlyRecord(box.slide), expected);
}

TEST(WebEffectRecord, EffectTiming) {
  auto subEffects = [](std::vector<int> starts) {
    auto list = boost::make_shared<PropertySheetList>();
    for (int start : starts) {
      auto sheet = boost::make_shared<platform::PropertySheet>();
      sheet->Set<int>(ePropSubAnimStart, start);
      list->Add(sheet);
    }
    return list;
  };
  const struct {
    const char* name;
    std::function<void(platform::Effect&)> set;
    const char* keys;  // the record's keys besides origin and the fade's
  } rows[] = {
      {"plain", [](platform::Effect&) {}, R"({"duration":1000})"},
      {"delayed", [](platform::Effect& e) { e.Delay(300); }, R"({"delay":300,"duration":1000})"},
      {"indefinite", [](platform::Effect& e) { e.SetOwnDuration(kIndefinite); },
       R"({"duration":1})"},
      {"past 2^31 ms", [](platform::Effect& e) { e.SetOwnDuration(0x80000000u); },
       R"({"duration":-2147483648})"},
      {"three times", [](platform::Effect& e) { e.Set<int>(ePropRepeatCount, 3000); },
       R"({"duration":1000,"repeat":3})"},
      {"for ever", [](platform::Effect& e) { e.Set<int>(ePropRepeatCount, -1); },
       R"({"duration":1000,"repeat":0})"},
      {"reversed", [](platform::Effect& e) { e.Set<bool>(ePropAutoReverse, true); },
       R"({"duration":1000,"autoReverse":true})"},
      {"eased",
       [](platform::Effect& e) { e.Set<float>(ePropAccel, 25000).Set<float>(ePropDecel, 50000); },
       R"({"duration":1000,"accelerate":250.0,"decelerate":500.0})"},
      {"rewound", [](platform::Effect& e) { e.Set<int>(ePropFill, 0); },
       R"({"duration":1000,"rewind":true})"},
      {"held", [](platform::Effect& e) { e.Set<int>(ePropFill, 1); }, R"({"duration":1000})"},
      {"until the next click",
       [&](platform::Effect& e) {
         e.Set<int>(ePropRepeatCount, -1).Set(ePropSubEffects, subEffects({8}));
       },
       R"({"duration":1000,"repeat":0,"untilNextClick":true})"},
      {"until the slide ends",
       [&](platform::Effect& e) {
         e.Set<int>(ePropRepeatCount, -1).Set(ePropSubEffects, subEffects({2, 8}));
       },
       R"({"duration":1000,"repeat":0,"untilNextClick":true,"untilSlideEnd":true})"},
      {"repeated, so neither",
       [&](platform::Effect& e) {
         e.Set<int>(ePropRepeatCount, 2000).Set(ePropSubEffects, subEffects({8}));
       },
       R"({"duration":1000,"repeat":2})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 10, 10);
    AddFade(*box.effect, 1000);
    row.set(*box.effect);
    ordered_json record = web::OnlyRecord(box.slide);
    EXPECT_EQ(record["origin"], ordered_json::parse("[5.0, 5.0]")) << row.name;
    for (const char* fadeKey : {"origin", "type", "variable", "values"}) record.erase(fadeKey);
    EXPECT_EQ(record, ordered_json::parse(row.keys)) << row.name;
  }
}

// Parts keep their own timing: easing in ms of their own length, reverse,
// a length of 1 for an indefinite one, a set's length of 1, the next click,
// and a sub-animation after the main ones that ends with the effect.
TEST(WebEffectRecord, PartTiming) {
  BoxSlide box(0, 0, 10, 10);
  AddFade(*box.effect, 1000).Set<float>(ePropAccel, 50000).Set<bool>(ePropAutoReverse, true);
  box.effect->AddBehaviour(eBehaviourRotation).Set<int>(ePropBy, 60000).Duration(-1);
  box.effect->AddBehaviour(eBehaviourSet)
      .Set<int>(ePropAttribute, 4)
      .Set<std::wstring>(ePropToValueText, L"0.5")
      .Duration(400)
      .Delay(100);
  box.effect->AddSubAnimation(eBehaviourRotation)
      .Set<int>(ePropBy, 60000)
      .Set<int>(ePropSubAnimTrigger, 2)
      .Duration(300);
  box.effect->AddSubAnimation(eBehaviourRotation)
      .Set<int>(ePropBy, 60000)
      .Set<int>(ePropSubAnimTrigger, 0)
      .Set<int>(ePropSubAnimStart, 1)
      .Duration(300);
  box.effect->SetOwnDuration(1000);
  const ordered_json parts = web::OnlyRecord(box.slide)["parts"];
  ASSERT_EQ(parts.size(), 5u) << parts.dump();
  EXPECT_EQ(parts[0], ordered_json::parse(R"({"accelerate":500.0,"autoReverse":true,
      "type":0,"variable":14,"values":[0,0,100,1],"duration":1000})"));
  EXPECT_EQ(parts[1], ordered_json::parse(R"({"type":2,"variable":15,"by":1.0,"duration":1})"));
  EXPECT_EQ(parts[2], ordered_json::parse(R"({"type":1,"variable":14,"to":0.5,
      "duration":1,"delay":100})"));
  EXPECT_EQ(parts[3], ordered_json::parse(R"({"onNextClick":true,"type":2,"variable":15,
      "by":1.0,"duration":300})"));
  EXPECT_EQ(parts[4], ordered_json::parse(R"({"type":2,"variable":15,"by":1.0,
      "duration":300,"delay":700})"));
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
    box.effect->AddSubAnimation(eBehaviourRotation)
        .Set<int>(ePropBy, 60000)
        .Set<int>(ePropSubAnimTrigger, 0)
        .Set<int>(ePropSubAnimStart, 1)
        .Duration(row.dur);
    box.effect->SetOwnDuration(row.own);
    ordered_json part = web::OnlyRecord(box.slide)["parts"][1];
    for (const char* key : {"type", "variable", "by"}) part.erase(key);
    EXPECT_EQ(part, ordered_json::parse(row.timing)) << row.dur;
  }
}

// Mask filters: their effect type, the wheel's spokes, the direction when
// it is one the player knows, and whether they bring the shape in or out.
TEST(WebEffectRecord, MaskFilters) {
  const struct {
    int kind;
    int subtype;  // -1: none
    int presetClass;
    const char* record;
  } rows[] = {
      {2, 1, 0, R"({"type":32,"direction":1,"presetClass":0})"},
      {8, 15, 1, R"({"type":38,"direction":15,"presetClass":1})"},
      {12, 16, 0, R"({"type":41,"presetClass":0})"},
      {13, -1, 2, R"({"type":42,"direction":0})"},
      {14, 3, 1, R"({"type":43,"direction":3,"presetClass":1})"},
      {15, 0, 0, R"({"type":44,"spokes":1,"direction":0,"presetClass":0})"},
      {19, 0, 1, R"({"type":44,"spokes":8,"direction":0,"presetClass":1})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 10, 10, row.presetClass);
    BehaviourNode& filter = AddFade(*box.effect, 1000).Set<int>(ePropFilterKind, row.kind);
    if (row.subtype >= 0) filter.Set<int>(ePropFilterSubtype, row.subtype);
    EXPECT_EQ(web::OwnKeys(box.slide), ordered_json::parse(row.record)) << row.kind;
  }
}

// Each scale to a size is written relative to the size the one before
// reached; a scale by a factor is relative anyway.
TEST(WebEffectRecord, SuccessiveScales) {
  BoxSlide box(0, 0, 10, 10);
  const struct {
    EPropertyId key;
    Kinefold::TPoint point;
    const char* values;
  } rows[] = {
      {ePropTo, {200, 200}, "[100, 100]"},
      {ePropTo, {300, 300}, "[50, 50]"},
      {ePropBy, {150, 50}, "[50, -50]"},
      {ePropTo, {300, 150}, "[0, -50]"},
      {ePropTo, {100, 100}, "[-66.666664, -33.333332]"},
  };
  for (const auto& row : rows)
    box.effect->AddBehaviour(eBehaviourScale).Set(row.key, row.point).Duration(100);
  const ordered_json parts = web::OnlyRecord(box.slide)["parts"];
  ASSERT_EQ(parts.size(), std::size(rows));
  for (size_t i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(parts[i]["type"], 3) << i;
    EXPECT_EQ(parts[i]["variable"], 19) << i;
    EXPECT_EQ(parts[i]["values"], ordered_json::parse(rows[i].values)) << i;
  }
}

// The keys of each kind of behaviour, on a box centred at (20, 10).
TEST(WebEffectRecord, KeysOfEachKind) {
  using Set = std::function<void(BehaviourNode&)>;
  auto value = [](int attribute, boost::shared_ptr<IPropertyValue> v) -> Set {
    return [=](BehaviourNode& b) {
      b.Set<int>(ePropAttribute, attribute);
      if (v) b.Sheet()->SetProperty(ePropToValueText, v);
    };
  };
  auto integers = [](std::vector<std::pair<EPropertyId, int>> keys) -> Set {
    return [=](BehaviourNode& b) {
      for (const auto& key : keys) b.Set<int>(key.first, key.second);
    };
  };
  auto path = [](const wchar_t* text, float speed) -> Set {
    return [=](BehaviourNode& b) {
      b.Set<std::wstring>(ePropMotionPath, text).Set<float>(ePropSpeed306, speed);
    };
  };
  const struct {
    const char* name;
    uint32_t kind;
    int presetClass;
    bool text;  // the behaviour plays on text
    Set set;
    const char* record;  // without duration and origin
  } rows[] = {
      {"fade in", eBehaviourFilter, 0, false, integers({{ePropFilterKind, 1}}),
       R"({"type":0,"variable":14,"values":[0,0,100,1]})"},
      {"fade out", eBehaviourFilter, 1, false, integers({{ePropFilterKind, 1}}),
       R"({"type":0,"variable":14,"values":[0,1,100,0]})"},
      {"fade in emphasis", eBehaviourFilter, 2, false, integers({{ePropFilterKind, 1}}),
       R"({"type":0,"variable":14,"values":[0,0,100,1]})"},
      {"rotation by 90 degrees", eBehaviourRotation, 0, false, integers({{ePropBy, 5400000}}),
       R"({"type":2,"variable":15,"by":90.0})"},
      {"rotation from and to", eBehaviourRotation, 0, false,
       integers({{ePropFrom, -1800000}, {ePropTo, 5400000}}),
       R"({"type":0,"variable":15,"values":[0.0,-30.0,100.0,90.0]})"},
      {"rotation to alone", eBehaviourRotation, 0, false, integers({{ePropTo, 5400000}}), "{}"},
      {"colour by HSL", eBehaviourColor, 2, false,
       integers({{ePropColorSpace, 1}, {ePropHueBy, 270}, {ePropLightnessBy, -10}}),
       R"({"type":3,"variable":1,"ColorSpace":"HSL","values":[270,0,-10]})"},
      {"colour to", eBehaviourColor, 2, false,
       integers({{ePropToValueText, 0xFF8000}, {ePropAttribute, 6}}),
       R"({"type":4,"variable":3,"ColorSpace":"RGB","values":[255,128,0,255]})"},
      {"colour by RGB", eBehaviourColor, 2, false,
       integers({{ePropColorSpace, 0}, {ePropRedBy, 100}, {ePropAttribute, 19}}),
       R"({"type":3,"variable":2,"ColorSpace":"RGB","values":[100,0,0]})"},
      {"colour to nothing", eBehaviourColor, 2, false, integers({}), "{}"},
      {"set hidden", eBehaviourSet, 0, false, value(7, web::Text(L"hidden")),
       R"({"type":1,"variable":17,"to":false})"},
      {"set visible", eBehaviourSet, 0, false, value(7, web::Text(L"visible")),
       R"({"type":1,"variable":17,"to":true})"},
      {"set x", eBehaviourSet, 0, false, value(0, web::Text(L"0.5")),
       R"({"type":1,"variable":12,"to":360.0})"},
      {"set y by formula", eBehaviourSet, 0, false, value(1, web::Text(L"#ppt_y+0.5")),
       R"({"type":1,"variable":13,"to":280.0})"},
      {"set rotation", eBehaviourSet, 0, false, value(5, web::Text(L"180")),
       R"({"type":1,"variable":15,"to":3.1415927})"},
      {"set fill colour", eBehaviourSet, 0, false,
       value(9, boost::make_shared<PropertyValue<int>>(0x102030)),
       R"({"type":1,"variable":0,"to":[16,32,48,255]})"},
      {"set line colour to nothing", eBehaviourSet, 0, false, value(19, nullptr),
       R"({"type":1,"variable":2,"to":[0,0,0,255]})"},
      {"set font", eBehaviourSet, 0, true, value(13, web::Text(L"Arial")),
       R"({"type":1,"variable":7,"to":"Arial"})"},
      {"set bold", eBehaviourSet, 0, true, value(11, web::Text(L"bold")),
       R"({"type":1,"variable":5,"to":true})"},
      {"set attribute 8", eBehaviourSet, 0, true, value(8, web::Text(L"0.5")),
       R"({"type":1,"variable":-1,"to":0.0})"},
      {"motion path", eBehaviourMotion, 0, false, path(L"M 0 0 L 0.25 0 E", 100000),
       R"({"type":6,"values":"M 0 0 L 0.25 0"})"},
      {"motion path backwards", eBehaviourMotion, 0, false, path(L"M 0 0 L 0 0.5", -100000),
       R"({"type":6,"values":"M 0 0 L 0 0.5","reversePath":true})"},
      // x is divided by the slide's height and y by its width.
      {"motion by an offset", eBehaviourMotion, 0, false,
       [](BehaviourNode& b) {
         b.Set<Kinefold::TPoint>(ePropMotionBy, {270, 360});
       },
       R"({"type":6,"values":"M 0 0 L 0.5 0.5"})"},
  };
  for (const auto& row : rows) {
    BoxSlide box(0, 0, 40, 20, row.presetClass);
    if (row.text) box.slide->FindShape(L"9")->SetText({L"ab"});
    row.set(box.effect->AddBehaviour(row.kind).Duration(1000));
    EXPECT_EQ(web::OwnKeys(box.slide), ordered_json::parse(row.record)) << row.name;
  }
}

// The sound is a part of its own and is listed under its name; the audio
// behaviour itself is a part without keys of its kind.
TEST(WebEffectRecord, SoundRecord) {
  BoxSlide box(0, 0, 10, 10);
  AddFade(*box.effect, 1000);
  box.effect->AddSubAnimation(eBehaviourAudio).Duration(200);
  const ordered_json doc = web::Publish(box.slide);
  const ordered_json sound = ordered_json::parse(R"({"type":8,"sound":"","soundInParts":true})");
  ASSERT_EQ(doc["effects"].size(), 1u);
  const ordered_json& parts = doc["effects"][0]["properties"]["parts"];
  ASSERT_EQ(parts.size(), 3u) << parts.dump();
  EXPECT_EQ(parts[1], ordered_json::parse(R"({"duration":200})"));
  EXPECT_EQ(parts[2], sound);
  EXPECT_EQ(doc["sounds"],
            ordered_json::parse(R"({"":[{"type":8,"sound":"","soundInParts":true}]})"));
}

// An exit that hides its shape as the slide starts plays like an entrance.
TEST(WebEffectRecord, HiddenExitIsWrittenAsAnEntrance) {
  BoxSlide box(0, 0, 10, 10, 1);
  box.effect->NodeType(1);
  box.effect->AddBehaviour(eBehaviourSet)
      .Set<int>(ePropAttribute, 7)
      .Set<std::wstring>(ePropToValueText, L"hidden")
      .Duration(1);
  const ordered_json doc = web::Publish(box.slide);
  ASSERT_EQ(doc["effects"].size(), 1u);
  EXPECT_EQ(doc["effects"][0]["presetClass"], 0);
}

// Text played word by word is one record, for the shape, whatever the
// number of units translated.
TEST(WebEffectRecord, OneRecordPerEffect) {
  auto slide = slides::TextSlide();
  auto& effect = slide->Effects()->AddEffect(L"7");
  effect.PresetClass(0).NodeType(0).SetOwnDuration(500);
  effect.Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 200);
  AddFade(effect, 500);
  const ordered_json doc = web::Publish(slide);
  ASSERT_EQ(doc["effects"].size(), 1u) << doc.dump();
  EXPECT_EQ(doc["effects"][0]["target"], "7");
  EXPECT_EQ(doc["effects"][0]["properties"]["origin"], ordered_json::parse("[200.0, 150.0]"));
}

}  // namespace
