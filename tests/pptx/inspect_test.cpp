// End to end: decks read, built by the animation library, described for the
// web and inspected by the slideanim command; every deck of the shared corpus
// when it is there.
#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "DeckFixture.h"
#include "common/Utf8.h"
#include "support/Command.h"
#include "support/Corpus.h"
#include "support/Played.h"

using namespace testdeck;
using nlohmann::ordered_json;

namespace {

using CommandResult = command::Result;

// Builds every slide, reads everything the manager hands back, and builds
// its screen animations for the web: every record has its id, target,
// duration and origin, and parts only under type 5. Returns the records.
size_t BuildEverySlide(const pptx::Deck& deck, const std::string& name) {
  size_t records = 0;
  for (const auto& slide : deck.slides) {
    play::Played played(slide);
    const auto& manager = played.manager;
    manager->GetSlideLength();
    for (uint32_t i = 0; i < manager->GetStepCount(); ++i) {
      AnimationStep step;
      manager->GetStep(step, i);
    }
    for (const auto& shape : slide->AllShapes())
      for (uint32_t i = 0; i < manager->GetShapeAnimationCount(shape->Id()); ++i) {
        boost::shared_ptr<IScreenAnimation> animation;
        manager->GetShapeAnimation(animation, shape->Id(), i);
        EXPECT_TRUE(animation) << name;
        if (animation) animation->GetDuration();
      }
    const auto doc = nlohmann::json::parse(platform::ToUtf8(manager->GetJsonContent()));
    for (const nlohmann::json& effect : doc["effects"]) {
      ++records;
      const nlohmann::json& record = effect["properties"];
      EXPECT_EQ(effect["id"].get<std::string>().rfind("effect_ID", 0), 0u) << name;
      EXPECT_FALSE(effect["target"].get<std::string>().empty()) << name;
      EXPECT_TRUE(record.contains("duration")) << name << record.dump();
      EXPECT_EQ(record["origin"].size(), 2u) << name << record.dump();
      EXPECT_TRUE(!record.contains("parts") || record["type"] == 5) << name << record.dump();
    }
  }
  return records;
}

pptx::DeckWriter DemoLikeDeck() {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = TextShape(2, 2) + x::Shape(3, "Button", 10, 10, 50, 20, "FF0000");
  slide.timing = x::Timing(
      {x::Sequence{
           "",
           {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", true, 500)),
            MakeEffect("emph", "afterEffect", x::Rotate(x::ShapeTarget(2), 21600000, 1000))}},
       x::Sequence{
           x::ClickCondition(3),
           {MakeEffect("exit", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", false, 500))}}});
  writer.AddSlide();
  return writer;
}

TEST(Inspect, EveryCorpusDeckReadsBuildsAndInspects) {
  std::vector<std::string> decks = corpus::Decks();
  if (decks.empty()) GTEST_SKIP() << "no corpus at " << corpus::Dir();
  size_t records = 0;
  for (const std::string& path : decks) {
    pptx::Deck deck;
    std::string refusal;
    if (!corpus::Read(path, deck, &refusal)) {
      ADD_FAILURE() << refusal;
      continue;
    }
    EXPECT_FALSE(deck.slides.empty()) << path;
    records += BuildEverySlide(deck, path);
    if (command::Available()) {
      CommandResult run = command::Run("inspect --json '" + path + "'");
      EXPECT_EQ(run.status, 0) << path << "\n" << run.err;
      EXPECT_EQ(run.err.find("error:"), std::string::npos) << run.err;
      nlohmann::json report = nlohmann::json::parse(run.out, nullptr, false);
      ASSERT_FALSE(report.is_discarded()) << path;
      EXPECT_EQ(report["slides"].size(), deck.slides.size()) << path;
    }
  }
  EXPECT_GT(records, 0u);
}

TEST(Inspect, JsonReportHasTheDocumentedShape) {
  if (!command::Available()) GTEST_SKIP() << "no slideanim command at " << command::Path();
  std::string path = DeckPath("inspect_json");
  ASSERT_TRUE(DemoLikeDeck().Save(path));
  CommandResult run =
      command::Run("inspect --json --fps 25 --default-effect-frames 2 '" + path + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  nlohmann::json report = nlohmann::json::parse(run.out);
  ASSERT_EQ(report["slides"].size(), 2u);
  const nlohmann::json& slide = report["slides"][0];
  EXPECT_EQ(slide["index"], 1);
  for (const char* key :
       {"length", "lengthAfterTriggers", "hasAnimations", "steps", "bookmarkTriggers", "shapes"})
    EXPECT_TRUE(slide.contains(key)) << key;
  EXPECT_TRUE(slide["length"].is_number_integer());
  for (const nlohmann::json& step : slide["steps"])
    for (const char* key : {"start", "end", "kept", "trigger", "kind", "bookmark", "shapes"})
      EXPECT_TRUE(step.contains(key)) << key;
  for (const nlohmann::json& shape : slide["shapes"])
    for (const nlohmann::json& a : shape["animations"])
      for (const char* key : {"effectId", "start", "duration", "presetClass", "nodeType",
                              "targetMode", "repeatCount", "initiallyHidden"})
        EXPECT_TRUE(a.contains(key)) << key;

  CommandResult one = command::Run("inspect --json --slide 2 '" + path + "'");
  ASSERT_EQ(one.status, 0);
  nlohmann::json second = nlohmann::json::parse(one.out);
  ASSERT_EQ(second["slides"].size(), 1u);
  EXPECT_EQ(second["slides"][0]["index"], 2);

  CommandResult text = command::Run("inspect '" + path + "'");
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("slide 1: length "), std::string::npos) << text.out;
}

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
