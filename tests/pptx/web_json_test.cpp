// From a generated .pptx deck to the web description: read the deck, build
// the slide, build every screen animation against the publisher's screen
// objects and read the JSON text.
#include <nlohmann/json.hpp>

#include "DeckFixture.h"
#include "support/Played.h"

using namespace testdeck;
using nlohmann::ordered_json;

namespace {

ordered_json PublishForWeb(const boost::shared_ptr<platform::Slide>& slide) {
  return ordered_json::parse(platform::ToUtf8(play::Played(slide).manager->GetJsonContent()));
}

TEST(WebJson, DeckToEffectRecords) {
  const std::string box = x::ShapeTarget(3);
  x::Effect appear = FadeIn(3, 500);
  x::Effect spin = MakeEffect("emph", "withEffect", x::Rotate(box, 21600000, 1000));
  x::Effect glide = MakeEffect("path", "afterEffect", x::Motion(box, "M 0 0 L 0.25 0 E", 1000));
  x::Effect slide = MakeEffect("emph", "afterEffect",
                               x::Anim(box, "ppt_x", 1000, "calcmode=\"lin\" valueType=\"num\"",
                                       x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x+0.25")));
  x::Effect leave =
      MakeEffect("exit", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", false, 500));
  pptx::Diagnostics diagnostics;
  auto deck =
      ReadSlide("web_json", TextShape(2, 1) + x::Shape(3, "Box", 600, 300, 160, 120, "FF0000"),
                MainSequence({appear, spin, glide, slide, leave}), diagnostics);
  ASSERT_TRUE(deck);
  EXPECT_EQ(diagnostics.WarningCount(), 0u);

  const ordered_json doc = PublishForWeb(deck);
  // In the order the host builds them: shape by shape. Effects after
  // others on the same click are delayed by the ones before.
  const ordered_json expected = ordered_json::parse(R"([
    {"id": "effect_ID4", "target": "2", "presetClass": 1, "properties": {
      "duration": 500, "origin": [300.0, 200.0], "type": 0, "variable": 14,
      "values": [0, 1, 100, 0]}},
    {"id": "effect_ID0", "target": "3/shape", "presetClass": 0, "properties": {
      "type": 5, "duration": 500, "origin": [680.0, 360.0], "parts": [
        {"type": 1, "variable": 17, "to": true, "duration": 1},
        {"type": 0, "variable": 14, "values": [0, 0, 100, 1], "duration": 500}]}},
    {"id": "effect_ID1", "target": "3/shape", "presetClass": 2, "properties": {
      "duration": 1000, "origin": [680.0, 360.0], "type": 2, "variable": 15, "by": 360.0}},
    {"id": "effect_ID2", "target": "3/shape", "presetClass": 3, "properties": {
      "delay": 1000, "duration": 1000, "origin": [680.0, 360.0], "type": 6,
      "values": "M 0 0 L 0.25 0"}},
    {"id": "effect_ID3", "target": "3/shape", "presetClass": 2, "properties": {
      "delay": 2000, "duration": 1000, "origin": [680.0, 360.0], "type": 0, "variable": 12,
      "values": [0.0, 680.0, 100.0, 1000.0]}}])");
  EXPECT_EQ(doc["effects"], expected) << doc["effects"].dump(1);

  // Every record is played by a click of the main sequence.
  std::vector<std::string> played;
  ASSERT_FALSE(doc["timelines"].empty());
  EXPECT_EQ(doc["timelines"][0]["trigger"], "");
  for (const ordered_json& click : doc["timelines"][0]["clicks"])
    for (const ordered_json& id : click["animations"]) played.push_back(id.get<std::string>());
  EXPECT_EQ(played, (std::vector<std::string>{"effect_ID0", "effect_ID1", "effect_ID2",
                                              "effect_ID3", "effect_ID4"}));
}

}  // namespace
