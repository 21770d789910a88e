// End to end: decks read, built by the animation library, described for the
// web and inspected by the slideanim command; every deck of the shared corpus
// when it is there.
#include <nlohmann/json.hpp>

#include "DeckFixture.h"
#include "common/Utf8.h"
#include "support/Command.h"
#include "support/Corpus.h"
#include "support/Played.h"

using namespace testdeck;
using nlohmann::ordered_json;

namespace {

// Every corpus deck reads, builds and inspects: the manager hands back every
// shape animation it counts, and every web record has its id, target,
// duration and origin, and parts only under type 5.
TEST(Inspect, EveryCorpusDeckReadsBuildsAndInspects) {
  std::vector<std::string> decks = corpus::Decks();
  if (decks.empty()) GTEST_SKIP() << "no corpus at " << corpus::Dir();
  size_t records = 0;
  for (const std::string& path : decks) {
    SCOPED_TRACE(path);
    pptx::Deck deck;
    std::string refusal;
    if (!corpus::Read(path, deck, &refusal)) {
      ADD_FAILURE() << refusal;
      continue;
    }
    EXPECT_FALSE(deck.slides.empty());
    for (const auto& slide : deck.slides) {
      play::Played played(slide);
      for (const auto& shape : slide->AllShapes())
        for (uint32_t i = 0; i < played.manager->GetShapeAnimationCount(shape->Id()); ++i) {
          boost::shared_ptr<IScreenAnimation> animation;
          played.manager->GetShapeAnimation(animation, shape->Id(), i);
          EXPECT_TRUE(animation);
        }
      const auto doc = nlohmann::json::parse(platform::ToUtf8(played.manager->GetJsonContent()));
      for (const nlohmann::json& effect : doc["effects"]) {
        const nlohmann::json& record = effect["properties"];
        EXPECT_TRUE(effect["id"].get<std::string>().rfind("effect_ID", 0) == 0 &&
                    !effect["target"].get<std::string>().empty() && record.contains("duration") &&
                    record["origin"].size() == 2 &&
                    (!record.contains("parts") || record["type"] == 5))
            << effect.dump();
        ++records;
      }
    }
    if (!command::Available()) continue;
    // The steps and animations of every slide, through the command.
    command::Result run = command::Run("inspect --json '" + path + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("error:"), std::string::npos) << run.err;
    nlohmann::json report = nlohmann::json::parse(run.out, nullptr, false);
    ASSERT_FALSE(report.is_discarded());
    EXPECT_EQ(report["slides"].size(), deck.slides.size());
  }
  EXPECT_GT(records, 0u);
}

// Two slides: a text shape (2) and a box (3) with five effects of every
// class and node type, and an empty one.
pptx::DeckWriter WebDeck() {
  const std::string box = x::ShapeTarget(3);
  x::Effect spin = MakeEffect("emph", "withEffect", x::Rotate(box, 21600000, 1000));
  x::Effect glide = MakeEffect("path", "afterEffect", x::Motion(box, "M 0 0 L 0.25 0 E", 1000));
  x::Effect slide = MakeEffect("emph", "afterEffect",
                               x::Anim(box, "ppt_x", 1000, R"(calcmode="lin" valueType="num")",
                                       x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x+0.25")));
  x::Effect leave =
      MakeEffect("exit", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", false, 500));
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& first = writer.AddSlide();
  first.shapes = TextShape(2, 1) + x::Shape(3, "Box", 600, 300, 160, 120, "FF0000");
  first.timing = MainSequence({FadeIn(3, 500), spin, glide, slide, leave});
  writer.AddSlide();
  return writer;
}

// The names of an object's members, in order of name.
std::string Members(const nlohmann::json& object) {
  std::string names;
  for (const auto& item : object.items()) names += (names.empty() ? "" : " ") + item.key();
  return names;
}

TEST(Inspect, JsonReportHasTheDocumentedShape) {
  if (!command::Available()) GTEST_SKIP() << "no slideanim command at " << command::Path();
  const std::string path = Saved(DeckPath("inspect_json"), WebDeck());
  command::Result run =
      command::Run("inspect --json --fps 25 --default-effect-frames 2 '" + path + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  nlohmann::json report = nlohmann::json::parse(run.out);
  ASSERT_EQ(report["slides"].size(), 2u);
  const nlohmann::json& slide = report["slides"][0];
  EXPECT_EQ(slide["index"], 1);
  EXPECT_TRUE(slide["length"].is_number_integer());
  EXPECT_EQ(Members(slide),
            "bookmarkTriggers hasAnimations index length lengthAfterTriggers shapes steps");
  for (const nlohmann::json& step : slide["steps"])
    EXPECT_EQ(Members(step), "bookmark end kept kind shapes start trigger");
  for (const nlohmann::json& shape : slide["shapes"]) {
    EXPECT_EQ(Members(shape), "animations end id start");
    for (const nlohmann::json& a : shape["animations"])
      EXPECT_EQ(Members(a),
                "duration effectId initiallyHidden nodeType presetClass repeatCount start "
                "targetMode");
  }
  // One slide only, and the report as text; a failed run prints nothing.
  nlohmann::json second = nlohmann::json::parse(
      command::Run("inspect --json --slide 2 '" + path + "'").out, nullptr, false);
  EXPECT_TRUE(second.is_object() && second["slides"].size() == 1 &&
              second["slides"][0]["index"] == 2)
      << second.dump();
  EXPECT_NE(command::Run("inspect '" + path + "'").out.find("slide 1: length "), std::string::npos);
}

TEST(WebJson, DeckToEffectRecords) {
  pptx::Diagnostics diagnostics;
  auto deck = Read("web_json", WebDeck(), diagnostics).slides.at(0);
  EXPECT_EQ(diagnostics.WarningCount(), 0u);
  const ordered_json doc =
      ordered_json::parse(platform::ToUtf8(play::Played(deck).manager->GetJsonContent()));
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
  EXPECT_EQ(doc["timelines"], ordered_json::parse(R"([{"trigger": "", "clicks": [
    {"start": 0, "animations": []},
    {"start": 40, "animations": ["effect_ID0", "effect_ID1", "effect_ID2", "effect_ID3"]},
    {"start": 3120, "animations": ["effect_ID4"]}]}])"))
      << doc["timelines"].dump();
}

}  // namespace
