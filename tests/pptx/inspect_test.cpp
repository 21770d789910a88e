// End to end: decks read, built by the animation library, described for the
// web and inspected by the slideanim command; every deck of the shared corpus
// when it is there.
#include "DeckFixture.h"

#include <fstream>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "common/Utf8.h"
#include "host/Webdeck.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"
#include "publisher/SlideScreen.h"
#include "support/Command.h"
#include "support/Corpus.h"

using namespace testdeck;

namespace {

using CommandResult = command::Result;

// Builds every slide, reads everything the manager hands back, and builds
// its screen animations for the web: every record has its id, target,
// duration and origin, and parts only under type 5. Returns the records.
size_t BuildEverySlide(const pptx::Deck& deck, const std::string& name) {
  size_t records = 0;
  for (const auto& slide : deck.slides) {
    IWebdeckSlide::ResetInstance();
    auto context = boost::make_shared<PublishContext>(slide->height, slide->width, 25, 0);
    boost::shared_ptr<IAnimationManager> manager = IAnimationManager::Create(context);
    manager->BuildSlide(slide, 0, 0);
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
    platform::FrameDriver driver(manager, platform::SlideScreen::Build(slide));
    driver.Build();
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
  IWebdeckSlide::ResetInstance();
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

TEST(Inspect, BadRequestsAndUnreadableDecksExitNonZeroWithOneLine) {
  if (!command::Available()) GTEST_SKIP() << "no slideanim command at " << command::Path();
  std::string broken = DeckPath("inspect_not_a_zip");
  std::ofstream(broken) << "plain text";
  CommandResult run = command::Run("inspect '" + broken + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "error: " + broken + ": not a zip archive, so not a .pptx file\n");
  EXPECT_TRUE(run.out.empty());

  std::string path = DeckPath("inspect_slides");
  ASSERT_TRUE(DemoLikeDeck().Save(path));
  CommandResult missing = command::Run("inspect --slide 7 '" + path + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("there is no slide 7 (the deck has 2)"), std::string::npos);

  EXPECT_NE(command::Run("inspect --fps 0 '" + path + "'").status, 0);
  EXPECT_NE(command::Run("inspect").status, 0);
  CommandResult help = command::Run("inspect --help");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--slide", "--fps", "--default-effect-frames", "--json"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

}  // namespace
