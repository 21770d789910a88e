#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/AutoReverseAgent.h"
#include "agents/PersistentAgent.h"
#include "agents/RepeatAgent.h"
#include "behaviours.h"
#include "document/Effect.h"
#include "document/Shape.h"
#include "fake_screen.h"
#include "host/Properties.h"
#include "screen/AgentSelection.h"
#include "screen/ScreenAnimation.h"

namespace {

using platform::Effect;

using namespace behaviours;

// Compiles `effect` for a document shape with `text` and builds it on `target`.
boost::shared_ptr<ScreenAnimation> Build(const boost::shared_ptr<Effect>& effect,
                                         const boost::shared_ptr<IScreenObject>& target,
                                         const std::vector<std::wstring>& text = {},
                                         uint32_t start = 0,
                                         const std::vector<AnimationStep>& steps = {}) {
  auto animation = boost::make_shared<ScreenAnimation>(effect, Context());
  auto document = boost::make_shared<platform::Shape>(L"7");
  if (!text.empty()) document->SetText(text);
  animation->ComputeDuration(document);
  animation->SetStartTime(start);
  animation->Build(target, steps);
  return animation;
}

// An effect of `duration` on shape "7" with a fade of `fade`.
boost::shared_ptr<Effect> Faded(uint32_t duration = 1000, int fade = 1000) {
  auto effect = MakeEffect(duration);
  AddFade(*effect, fade);
  return effect;
}

// "name:start" of every agent, by target name, with containers looked through;
// a sound's agent is marked "(sound)".
std::string Starts(const ScreenAnimation& animation) {
  std::map<std::wstring, std::string> starts;
  for (const AgentMap* map : {&animation.ShapeAgents(), &animation.TextAgents()})
    for (const auto& entry : *map)
      for (const auto& agent : entry.second)
        starts[entry.first] += " " + std::string(entry.first.begin(), entry.first.end()) + ":" +
                               std::to_string(LookThrough(agent)->GetStart()) +
                               (Supports(LookThrough(agent), eIidAudioAgent) ? "(sound)" : "");
  std::string text;
  for (const auto& entry : starts) text += entry.second;
  return text.empty() ? text : text.substr(1);
}

// A target without children is animated itself; an animation mark picks the
// one child it names, if any.
TEST(TimingTranslation, WhatIsAnimated) {
  auto effect = MakeEffect(1000);
  AddFade(*effect).Delay(200);
  auto part = fake::MakeNode(L"7/shape", {10, 9, 12});
  auto animation = Build(effect, part);
  EXPECT_EQ(Starts(*animation), "7/shape:200");
  EXPECT_EQ(animation->GetCurrentTarget(), part);
  for (const wchar_t* mark : {L"7/shape", L"nothing"}) {
    effect->Set<std::wstring>(ePropAnimationMark, mark);
    EXPECT_EQ(Starts(*Build(effect, fake::MakeShape(L"7", {}))),
              std::wstring(mark) == L"7/shape" ? "7/shape:200" : "");
  }
  // A colour change on text by word makes the shape part a shape.
  auto coloured = Faded();
  coloured->AddBehaviour(eBehaviourColor).Duration(1000);
  coloured->Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 500);
  auto shape = fake::MakeShape(L"7", {L"a"}, false);
  Build(coloured, shape, {L"a"});
  EXPECT_TRUE(fake::Find(shape, L"7/shape")->shapeFlag);
  // The text carries the shape's sound.
  auto sounded = Faded();
  sounded->Set<int>(ePropIterateType, 0);
  sounded->AddSubAnimation(eBehaviourAudio);
  EXPECT_EQ(Starts(*Build(sounded, fake::MakeShape(L"7", {L"a"}), {L"a"})),
            "7/shape:0 7/text:0 7/text:1000(sound)");
}

// Units start an interval apart. Without a fill the text plays alone; with
// one the shape plays first. By letter the blank takes no step.
TEST(TimingTranslation, UnitsStartAnIntervalApart) {
  const struct {
    int type, interval;
    std::wstring text;
    bool filled;
    const char* starts;
    std::vector<uint32_t> sounds;
  } rows[] = {
      {1, 500, L"one two three", false, "7/p0/w0:0 7/p0/w1:500 7/p0/w2:1000", {0, 500, 1000}},
      {1, 500, L"one two three", true, "7/p0/w0:1000 7/p0/w1:1500 7/p0/w2:2000 7/shape:0", {}},
      {2, 100, L"a b", false, "7/p0/w0/l0:0 7/p0/w0/l1:100 7/p0/w1/l0:100", {0, 100}},
  };
  for (const auto& row : rows) {
    auto effect = Faded();
    effect->Set<int>(ePropIterateType, row.type).Set<int>(ePropIterateTime, row.interval);
    auto animation = Build(effect, fake::MakeShape(L"7", {row.text}, row.filled), {row.text});
    EXPECT_EQ(Starts(*animation), row.starts) << row.type << row.filled;
    EXPECT_EQ(animation->SoundStartOffsets(), row.sounds) << row.type << row.filled;
  }
  // A paragraph range restarts each paragraph.
  auto ranged = Faded();
  ranged->Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 300);
  ranged->Set<bool>(ePropByParagraph, true)
      .Set<int>(ePropParagraphFirst, 1)
      .Set<int>(ePropParagraphLast, 2);
  const std::vector<std::wstring> text{L"a", L"b c", L"d", L"e"};
  auto shape = fake::MakeShape(L"7", text);
  EXPECT_EQ(Starts(*Build(ranged, shape, text)), "7/p1/w0:0 7/p1/w1:300 7/p2/w0:0");
  EXPECT_TRUE(fake::Find(shape, L"7/p1")->separate);
  EXPECT_FALSE(fake::Find(shape, L"7/p0")->separate);
  EXPECT_FALSE(fake::Find(shape, L"7/p1/w0")->separate);  // words only by letter
}

TEST(TimingTranslation, ContainersByKindAndEffect) {
  auto effect = Faded();
  effect->AddBehaviour(eBehaviourRotation).Duration(1000).Set<bool>(ePropAutoReverse, true);
  effect->AddBehaviour(eBehaviourScale).Duration(1000).Set<int>(ePropFill, 2);
  auto animation = Build(effect, fake::MakeShape(L"7", {}));
  const auto& agents = animation->ShapeAgents().at(L"7/shape");
  ASSERT_EQ(agents.size(), 3u);
  EXPECT_FALSE(Supports(agents[0], eIidPersistentAgent));  // a fade is not held
  auto rotation = QueryAs<PersistentAgent>(agents[1], eIidPersistentAgent);
  auto scale = QueryAs<PersistentAgent>(agents[2], eIidPersistentAgent);
  ASSERT_TRUE(rotation && scale);
  EXPECT_EQ(rotation->GetDuration(), 1000u);                        // held until the effect's end
  EXPECT_TRUE(Supports(rotation->GetChild(), eIidContainerAgent));  // reversed
  EXPECT_EQ(scale->GetDuration(), 0xFFFFFFFFu);
  // An indefinite behaviour holds the whole effect.
  auto indefinite = Faded(1000, -1);
  Build(indefinite, fake::MakeShape(L"7", {}));
  EXPECT_EQ(GetInt(indefinite, ePropFill), 2);
}

// The pass doubles when the effect reverses and is multiplied by the
// repeats, both in 32-bit arithmetic; a sub-animation after the main
// behaviours follows the longest of the effect and all passes.
TEST(TimingTranslation, ReverseAndRepeatLengthenThePass) {
  const struct {
    uint32_t own;
    bool reverse;
    int repeat;       // thousandths
    uint32_t half;    // of the reverse container, 0: none
    uint32_t period;  // of the repeat container, 0: none
    uint32_t after;   // start of the sub-animation after the main behaviours
  } rows[] = {
      {1000, false, 3000, 0, 1000, 3000},
      {1000, true, 1, 1000, 0, 2000},
      {1000, true, 2000, 1000, 2000, 4000},
      {0x7FFFFFFFu, true, 2000, 0x7FFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFCu},
      {0x80000001u, true, 2000, 0x80000001u, 2, 0x80000001u},  // wraps below d
  };
  for (const auto& row : rows) {
    auto effect = Faded(row.own);
    effect->Set<bool>(ePropAutoReverse, row.reverse).Set<int>(ePropRepeatCount, row.repeat);
    effect->AddSubAnimation(eBehaviourAudio).Set<int>(ePropSubAnimStart, 1).Duration(50);
    auto animation = Build(effect, fake::MakeShape(L"7", {}));
    const auto& agents = animation->ShapeAgents().at(L"7/shape");
    auto repeat = QueryAs<RepeatAgent>(agents.at(0), eIidRepeatAgent);
    auto reverse =
        QueryAs<AutoReverseAgent>(repeat ? repeat->GetChild() : agents.at(0), eIidContainerAgent);
    EXPECT_EQ(std::make_tuple(repeat ? repeat->GetPeriod() : 0u, reverse ? reverse->GetHalf() : 0u,
                              LookThrough(agents.at(1))->GetStart()),
              std::make_tuple(row.period, row.half, row.after))
        << row.own;
    if (repeat) {
      EXPECT_EQ(std::make_tuple(repeat->GetCount(), repeat->GetStart(), repeat->GetDuration()),
                std::make_tuple(uint32_t(row.repeat / 1000), 0u, animation->GetDuration()))
          << row.own;
    }
  }
}

TEST(TimingTranslation, SubAnimationPlacement) {
  // Steps end at 2000 and 5000; the effect starts at 1000 and lasts 1500.
  std::vector<AnimationStep> steps(2);
  steps[0].endTime = 2000;
  steps[1].endTime = 5000;
  const struct {
    const char* name;
    int trigger;  // -1: absent
    int start;    // -1: absent
    bool waits;
    uint32_t expected;
  } rows[] = {
      {"next click", 2, -1, false, 5000 - 1000 + 34},
      {"turned into a follow-up", 2, -1, true, 1500},
      {"whole effect", 0, 2, false, 0},
      {"after the main behaviours", -1, 1, false, 1500},
      {"default", -1, -1, false, 1500},
  };
  for (const auto& row : rows) {
    auto effect = Faded(1500, 1500);
    auto& sub = effect->AddSubAnimation(eBehaviourAudio).Duration(100);
    if (row.trigger >= 0) sub.Set<int>(ePropSubAnimTrigger, row.trigger);
    if (row.start >= 0) sub.Set<int>(ePropSubAnimStart, row.start);
    if (row.waits) sub.Set<bool>(ePropWaitsForClick, true);
    auto animation = Build(effect, fake::MakeShape(L"7", {}), {}, 1000, steps);
    EXPECT_EQ(LookThrough(animation->ShapeAgents().at(L"7/shape").at(1))->GetStart(), row.expected)
        << row.name;
  }
}

}  // namespace
