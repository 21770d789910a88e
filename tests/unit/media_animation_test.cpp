// Sound and video animations copy the media timing onto the objects that play
// them; the sound agent writes its settings on its action, and sounds start
// with their effect or with each word.
#include <gtest/gtest.h>

#include <iomanip>
#include <map>
#include <sstream>
#include <vector>

#include <boost/make_shared.hpp>

#include "agent_slides.h"
#include "agents/AudioEffectAgent.h"
#include "common/PropertySheet.h"
#include "document/Effect.h"
#include "document/Slide.h"
#include "fake_screen.h"
#include "host/Properties.h"
#include "publisher/MediaObjects.h"
#include "screen/MediaAnimation.h"

namespace {

// The publisher's media object and video player, without bounds.
const double kNoBounds[4] = {0, 0, 0, 0};
boost::shared_ptr<platform::MediaScreenObject> MediaNode() {
  return boost::make_shared<platform::MediaScreenObject>(L"media", kNoBounds);
}

boost::shared_ptr<platform::Media> FullMedia() {
  auto media = boost::make_shared<platform::Media>(L"m1");
  media->Set<double>(ePropMediaValue304, 0.75)
      .Set<double>(ePropMediaStart, 1.5)
      .Set<double>(ePropMediaEnd, 4000.0);
  const std::pair<EPropertyId, int> integers[] = {
      {ePropMediaRepeatCount, 3},  {ePropMediaValue351, 9},     {ePropDelay, 250},
      {ePropSoundStartTime, 1040}, {ePropVideoStartTime, 2080}, {ePropMediaDuration, 3000},
      {ePropHtmlAnimIndex, 3},     {ePropClickOffset, 120},     {ePropMediaSetting122, 1},
      {ePropMediaSetting123, 2},
  };
  for (const auto& [key, value] : integers) media->Set<int>(key, value);
  return media;
}

// Every key of an object's sheet with its value as text (numbers in full), so
// that a missing or extra key fails as much as a wrong value.
using Keys = std::map<EPropertyId, std::wstring>;
Keys Written(const boost::shared_ptr<IInterface>& object) {
  Keys written;
  auto sheet = boost::dynamic_pointer_cast<platform::PropertySheet>(SheetOf(object));
  for (EPropertyId key : sheet ? sheet->Keys() : std::vector<EPropertyId>()) {
    auto value = GetValue(object, key);
    std::wostringstream text;
    text << std::setprecision(17) << property_cast<double>(value);
    written[key] =
        value->GetType() == ePropTypeString ? property_cast<std::wstring>(value) : text.str();
  }
  return written;
}

}  // namespace

// Each row with its conversion; the two settings are written even when missing.
TEST(MediaAnimation, CopiesTheMediaRowsWithTheirConversions) {
  auto applied = [](bool video, const boost::shared_ptr<platform::Media>& media) {
    auto node = MediaNode();
    if (video)
      VideoAnimation(media).ApplyMedia(node);
    else
      AudioAnimation(media).ApplyMedia(node);
    return Written(node->Sheet());
  };
  const Keys sound = {
      {ePropOutSound392, L"0.75"},       {ePropOutMediaRepeatCount, L"3"},
      {ePropOutSound406, L"9"},          {ePropOutMediaStartMs, L"1500"},
      {ePropOutMediaEnd, L"4000"},       {ePropOutDelay, L"250"},
      {ePropOutSoundStartTime, L"1040"}, {ePropOutSoundDuration, L"3000"},
      {ePropOutHtmlAnimIndex, L"3"},     {ePropOutClickOffset, L"120"},
      {ePropOutMediaSetting122, L"1"},   {ePropOutMediaSetting123, L"2"},
  };
  const Keys video = {
      {ePropOutVideo393, L"0.75"},       {ePropOutDelay, L"250"},
      {ePropOutVideoStartTime, L"2080"}, {ePropOutMediaStartMs, L"1500"},
      {ePropOutVideoDuration, L"3000"},  {ePropOutMediaSetting122, L"1"},
      {ePropOutMediaSetting123, L"2"},
  };
  EXPECT_EQ(applied(false, FullMedia()), sound);
  EXPECT_EQ(applied(true, FullMedia()), video);
  EXPECT_EQ(applied(false, boost::make_shared<platform::Media>(L"bare")),
            (Keys{{ePropOutMediaSetting122, L"0"}, {ePropOutMediaSetting123, L"0"}}));
  EXPECT_EQ(applied(true, nullptr), Keys{});
}

TEST(MediaAnimation, GroupsApplyToEveryMediaChildDepthFirst) {
  auto outer = fake::MakeNode(L"outer", {eIidChildList});
  auto inner = fake::MakeNode(L"inner", {eIidChildList});
  auto a = MediaNode();
  auto b = MediaNode();
  inner->children = {a};
  outer->children = {inner, b};
  AudioAnimation(FullMedia()).ApplyMedia(outer);
  for (const auto& node : {a, b}) EXPECT_EQ(Written(node->Sheet()).size(), 12u);
}

TEST(VideoAnimation, DrivesAVideoPlayer) {
  auto player = [](const boost::shared_ptr<platform::Media>& media) {
    auto object = boost::make_shared<platform::VideoPlayerObject>(L"player", kNoBounds);
    VideoAnimation(media).ApplyMedia(object);
    AudioAnimation(media).ApplyMedia(object);  // a sound plays nothing on it
    return std::make_tuple(object->HasStartTime(), object->StartTime(), object->HasSecondSetting(),
                           object->SecondSetting());
  };
  EXPECT_EQ(player(FullMedia()), std::make_tuple(true, 2080, true, 9));
  EXPECT_EQ(player(boost::make_shared<platform::Media>(L"v")), std::make_tuple(false, 0, false, 0));
}

namespace {

using platform::BehaviourNode;

TEST(AudioEffectAgent, WritesTheSoundSettingsOnItsAction) {
  auto full = boost::make_shared<BehaviourNode>(eBehaviourAudio);
  full->Set<double>(ePropMediaValue304, 0.75)
      .Set<int>(ePropRepeatCount, 2500)   // thousandths
      .Set<double>(ePropMediaStart, 1.5)  // seconds
      .Set<double>(ePropMediaEnd, 3.0)
      .Set<int>(ePropDelay, 250)
      .Set<std::wstring>(ePropSoundPart, L"ppt/media/chime.wav");
  auto prepared = [](const boost::shared_ptr<BehaviourNode>& node) {
    AudioEffectAgent agent(node, boost::make_shared<PublishContext>(), 0, 0);
    agent.PrepareAction(boost::shared_ptr<IScreenObject>());
    return Written(agent.GetActionObject());
  };
  const Keys written = {
      {ePropOutSound392, L"0.75"},     {ePropOutRepeatCount, L"2"},
      {ePropOutMediaStartMs, L"1500"}, {ePropOutMediaEnd, L"3"},
      {ePropOutDelay, L"250"},         {ePropOutSoundName, L"ppt/media/chime.wav"},
  };
  EXPECT_EQ(prepared(full), written);
  // Keys the behaviour lacks are not written; a count below 1000 is 0.
  auto bare = boost::make_shared<BehaviourNode>(eBehaviourAudio);
  bare->Set<int>(ePropRepeatCount, 999);
  EXPECT_EQ(prepared(bare), (Keys{{ePropOutRepeatCount, L"0"}, {ePropOutSoundName, L""}}));
  EXPECT_EQ(prepared(nullptr), (Keys{{ePropOutSoundName, L""}}));
}

std::vector<uint32_t> SoundTimes(slides::Played& played, uint32_t until) {
  std::vector<uint32_t> times;
  for (uint32_t t = 0; t <= until; t += 40) {
    std::vector<platform::SoundCue> cues;
    played.driver->Frame(t, &cues);
    for (const auto& cue : cues) {
      EXPECT_EQ(GetInt(cue.action, ePropOutRepeatCount), 2);
      times.push_back(t);
    }
  }
  return times;
}

// The effect's sound starts on its first frame, and once only.
TEST(AudioEffectAgent, SoundStartsWithTheEffect) {
  auto slide = slides::TextSlide();
  auto& effect = slide->Effects()->AddEffect(L"8");
  effect.PresetClass(0).NodeType(1).SetOwnDuration(1000);
  effect.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, 1).Duration(1000);
  effect.AddSubAnimation(eBehaviourAudio).Set<int>(ePropRepeatCount, 2500);
  slides::Played played(slide);
  EXPECT_EQ(SoundTimes(played, 1200), std::vector<uint32_t>{0});
  // Going back does not start it again.
  EXPECT_TRUE(SoundTimes(played, 200).empty());
}

// Text of an unfilled shape played word by word: every word carries the
// sound, and each starts it on the effect's first frame; the first word's
// sound then starts again where each later word begins.
TEST(AudioEffectAgent, SoundRestartsWithEachWord) {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"9").SetBounds(0, 0, 300, 100).SetText({L"ab cd ef"});
  auto& effect = slide->Effects()->AddEffect(L"9");
  effect.PresetClass(0).NodeType(1).SetOwnDuration(400);
  effect.Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 400);
  effect.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, 1).Duration(400);
  effect.AddSubAnimation(eBehaviourAudio).Set<int>(ePropRepeatCount, 2500);
  slides::Played played(slide);
  EXPECT_EQ(SoundTimes(played, 2000), (std::vector<uint32_t>{0, 0, 0, 400, 800}));
}

}  // namespace
