#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agent_slides.h"
#include "agents/AudioEffectAgent.h"
#include "document/Effect.h"
#include "support/Values.h"

namespace {

using platform::BehaviourNode;

boost::shared_ptr<IInterface> Prepared(const boost::shared_ptr<BehaviourNode>& node) {
  AudioEffectAgent agent(node, boost::make_shared<PublishContext>(), 0, 0);
  agent.PrepareAction(boost::shared_ptr<IScreenObject>());
  return agent.GetActionObject();
}

TEST(AudioEffectAgent, WritesTheSoundSettingsOnItsAction) {
  auto node = boost::make_shared<BehaviourNode>(eBehaviourAudio);
  node->Set<double>(ePropMediaValue304, 0.75)
      .Set<int>(ePropRepeatCount, 2500)   // thousandths
      .Set<double>(ePropMediaStart, 1.5)  // seconds
      .Set<double>(ePropMediaEnd, 3.0)
      .Set<int>(ePropDelay, 250)
      .Set<std::wstring>(ePropSoundPart, L"ppt/media/chime.wav");
  auto action = Prepared(node);
  ASSERT_TRUE(action);
  EXPECT_EQ(Values(action, {ePropOutSound392, ePropOutRepeatCount, ePropOutMediaStartMs,
                            ePropOutMediaEnd, ePropOutDelay}),
            (Numbers{0.75, 2, 1500, 3, 250}));
  EXPECT_EQ(GetString(action, ePropOutSoundName), L"ppt/media/chime.wav");

  // Keys the behaviour lacks are not written; a count below 1000 is 0.
  auto bare = boost::make_shared<BehaviourNode>(eBehaviourAudio);
  bare->Set<int>(ePropRepeatCount, 999);
  auto other = Prepared(bare);
  EXPECT_EQ(GetInt(other, ePropOutRepeatCount), 0);
  for (EPropertyId key : {ePropOutSound392, ePropOutMediaStartMs, ePropOutMediaEnd, ePropOutDelay})
    EXPECT_FALSE(Has(other, key)) << key;

  // Without a behaviour only the name is written, empty.
  auto none = Prepared(boost::shared_ptr<BehaviourNode>());
  ASSERT_TRUE(none);
  EXPECT_TRUE(Has(none, ePropOutSoundName));
  EXPECT_EQ(GetString(none, ePropOutSoundName), L"");
  EXPECT_FALSE(Has(none, ePropOutRepeatCount));
}

TEST(AudioEffectAgent, DrawsNothing) {
  AudioEffectAgent agent(boost::shared_ptr<IInterface>(), boost::make_shared<PublishContext>(), 0,
                         0);
  EXPECT_FALSE(agent.GetActionObject());
  auto screen = slides::Screen();
  agent.SetTiming(0, 1000);
  agent.Apply(screen->Find(L"7"), 500);
  EXPECT_TRUE(platform::IsIdentityTransform(screen->FindNode(L"7")->Frame().transform));
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
