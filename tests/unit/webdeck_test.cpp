// The JSON holders and the per-deck collection of records and timelines.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>
#include <nlohmann/json.hpp>

#include "common/Utf8.h"
#include "host/Webdeck.h"
#include "webdeck/JsonNode.h"

using nlohmann::ordered_json;
using namespace WEBDECK;

namespace {

// The document's text, which the records' direct writer must match.
std::string Dump(const PptxJSPropertyHolder& holder) {
  const std::string text = ToJson(holder).dump();
  std::string direct;
  AppendJson(holder, direct);
  EXPECT_EQ(direct, text);
  return text;
}

}  // namespace

// A repeated key keeps its first place and takes the last value.
TEST(JsonHolders, ObjectsKeepInsertionOrderAndNest) {
  PptxHTMLObjPropHolder o("");
  o.AddIntProperty(kEffectDelay, 1);
  o.AddIntProperty(kEffectType, 5);
  o.AddFloatProperty(kEffectAccelerateTime, 0.1f, -1);
  o.AddBoolProperty(kEffectAutoReverse, true);
  o.AddStrProperty("name", L"Title 1");
  o.AddIntArrProperty(kEffectAnimationValues, {0, 1, 100, 0});
  o.AddFloatArrProperty("floats", {0.5f, 2.25f});
  auto position = boost::make_shared<PptxJSArrHolder>(kInitialPosition);
  position->AddObject(boost::make_shared<PptxJSFloatPropertyHolder>("", 150.0f, -1));
  position->AddObject(boost::make_shared<PptxJSFloatPropertyHolder>("", 62.5f, -1));
  o.AddPptxJSPropertyHolder("", position);
  auto parts = boost::make_shared<PptxJSObjectArrHolder>(kEffectSubList);
  auto part = boost::make_shared<PptxHTMLObjPropHolder>("");
  part->AddIntProperty(kEffectDuration, 500);
  parts->AddObject(part);
  o.AddPptxJSPropertyHolder(kEffectSubList, parts);
  o.AddIntProperty(kEffectDelay, 3);
  EXPECT_TRUE(o.Find(kEffectDelay));
  EXPECT_EQ(Dump(o), R"({"delay":3,"type":5,"accelerate":0.1,"autoReverse":true,"name":"Title 1",)"
                     R"("values":[0,1,100,0],"floats":[0.5,2.25],"origin":[150.0,62.5],)"
                     R"("parts":[{"duration":500}]})");
}

// Strings are escaped and encoded; floats print shortest or to a precision.
TEST(JsonHolders, Scalars) {
  auto text = [](const std::wstring& s) { return Dump(PptxJSStringPropertyHolder("", s)); };
  auto number = [](float f, int digits) { return Dump(PptxJSFloatPropertyHolder("", f, digits)); };
  const std::pair<std::string, std::string> rows[] = {
      {text(L"plain"), R"("plain")"},
      {text(L"quote \" and \\"), R"("quote \" and \\")"},
      {text(L"tab\tnew\nline\x01"), R"("tab\tnew\nline\u0001")"},
      {text(L"caf\u00e9 \u20ac \U0001F600"), "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},
      {text(std::wstring(1, static_cast<wchar_t>(0xD800))), "\"\xEF\xBF\xBD\""},
      {number(0.1f, -1), "0.1"},
      {number(1.0f / 3.0f, 2), "0.33"},
      {number(90.0f, -1), "90.0"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.first, row.second);
}

TEST(Utf8, RoundTripsAndRepairs) {
  std::wstring text = L"a\u00e9\u4e2d\U0001F600";
  EXPECT_EQ(platform::FromUtf8(platform::ToUtf8(text)), text);
  EXPECT_EQ(platform::FromUtf8("a\xC3"), L"a\uFFFD");
  EXPECT_EQ(platform::FromUtf8("\xFF\x62"), L"\uFFFDb");
  EXPECT_EQ(platform::FromUtf8("\xC0\x80"), L"\uFFFD");  // overlong
}

// Records already turned into text come first, in order. There is one
// timeline per trigger shape and a main one without: adding the same one
// again changes nothing, a new one for the same trigger replaces it. Clicks
// pop from the end.
TEST(TimeLines, JsonContentListsRecordsSoundsAndClicks) {
  WebdeckAnimationManager manager;
  EXPECT_EQ(manager.GetUniqueAnimCount(), 0u);
  EXPECT_EQ(manager.GetUniqueAnimCount(), 1u);
  auto content = boost::make_shared<WebdeckAnimationContent>(L"2", L"effect_ID0");
  content->presetClass = 1;
  content->GetHTMLObj()->AddIntProperty(kEffectDuration, 500);
  manager.AddAnimContent(content);
  manager.WriteContents();
  EXPECT_TRUE(manager.GetContents().empty());
  manager.AddAnimContent(boost::make_shared<WebdeckAnimationContent>(L"3", L"effect_ID1"));
  auto sound = boost::make_shared<PptxHTMLObjPropHolder>("");
  sound->AddIntProperty(kEffectType, 8);
  manager.AddAnimObjToList(L"chime", sound);

  auto main = boost::make_shared<TimeLineAnim>(), trigger = boost::make_shared<TimeLineAnim>(),
       replacement = boost::make_shared<TimeLineAnim>();
  trigger->SetShapeId(L"7");
  for (const auto& timeline : {main, main, trigger, replacement}) manager.AddTimeLineAnim(timeline);
  EXPECT_EQ(manager.GetTimeLineAnim(L"7"), trigger);
  EXPECT_EQ(manager.GetTimeLineAnim(L""), replacement);
  EXPECT_FALSE(manager.GetTimeLineAnim(L"8"));
  EXPECT_FALSE(main->PopClickEffect());
  main->AddClickEffect(boost::make_shared<ClickContent>(0));
  main->AddClickEffect(boost::make_shared<ClickContent>(40));
  EXPECT_EQ(main->PopClickEffect()->GetStartTime(), 40u);
  EXPECT_EQ(main->NumClickEffect(), 1u);
  auto click = boost::make_shared<ClickContent>(40);
  click->AddAnimToClick(L"effect_ID0");
  click->AddAnimToClick(L"audio_ID1");
  replacement->AddClickEffect(click);

  ordered_json doc = ordered_json::parse(platform::ToUtf8(manager.GetJsonContent()));
  EXPECT_EQ(
      doc.dump(),
      R"({"effects":[{"id":"effect_ID0","target":"2","presetClass":1,"properties":)"
      R"({"duration":500}},{"id":"effect_ID1","target":"3","presetClass":0,"properties":{}}],)"
      R"("sounds":{"chime":[{"type":8}]},"timelines":[{"trigger":"","clicks":[{"start":40,)"
      R"("animations":["effect_ID0","audio_ID1"]}]},{"trigger":"7","clicks":[]}]})");
}

TEST(WebdeckSlide, ResetStartsAFreshDeck) {
  auto first = IWebdeckSlide::GetInstance()->GetAnimationManager();
  EXPECT_EQ(IWebdeckSlide::GetInstance()->GetAnimationManager(), first);
  IWebdeckSlide::ResetInstance();
  EXPECT_NE(IWebdeckSlide::GetInstance()->GetAnimationManager(), first);
}
