// Effects compiled into screen animations: the agent each behaviour gets,
// how behaviours are classified, and the lengths they add up to.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "agents/PropertyEffectAgent.h"
#include "agents/RepeatAgent.h"
#include "agents/SetEffectAgent.h"
#include "behaviours.h"
#include "document/Effect.h"
#include "document/Shape.h"
#include "fake_screen.h"
#include "host/Properties.h"
#include "screen/AgentSelection.h"
#include "screen/EffectAgentFactory.h"
#include "screen/ScreenAnimation.h"

namespace {

using platform::BehaviourNode;
using platform::Effect;

using namespace behaviours;

// An effect on "7" of `own` ms with a 1000 ms fade.
boost::shared_ptr<Effect> Fade(uint32_t own = 1000) {
  auto effect = MakeEffect(own);
  AddFade(*effect, 1000);
  return effect;
}

// The effect compiled, its length computed against `shape`.
boost::shared_ptr<ScreenAnimation> Compile(
    const boost::shared_ptr<Effect>& effect,
    const boost::shared_ptr<platform::Shape>& shape = boost::make_shared<platform::Shape>(L"7")) {
  auto animation = boost::make_shared<ScreenAnimation>(effect, Context());
  animation->ComputeDuration(shape);
  return animation;
}

// The behaviours by agent, the sub-animations' bookkeeping, target names and
// the web id.
TEST(ScreenAnimation, ClassifiesBehavioursByTheirAgents) {
  auto effect = Fade();
  effect->AddBehaviour(eBehaviourRotation).Set<int>(ePropBy, 60000);
  effect->AddBehaviour(eBehaviourCommand).Duration(1);
  effect->AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, 11).Duration(500);
  auto& click = effect->AddSubAnimation(eBehaviourAudio).Set<int>(ePropSubAnimTrigger, 2);
  effect->AddSubAnimation(eBehaviourAudio);
  auto animation = Compile(effect);
  EXPECT_EQ(animation->ShapeBehaviours().size(), 2u);
  EXPECT_EQ(animation->ShapeDurations(), std::vector<uint32_t>{1000});  // only the fade has one
  EXPECT_TRUE(animation->TextBehaviours().empty());
  EXPECT_EQ(animation->GetTargetMode(), 1u);
  EXPECT_EQ(GetInt(effect, ePropMinimumLength), 500);

  animation->MarkClickSubAnimations();
  EXPECT_TRUE(GetBool(click.Sheet(), ePropWaitsForClick));
  EXPECT_TRUE(animation->HasSound());
  EXPECT_TRUE(animation->RemoveSoundBehaviour(nullptr));
  EXPECT_TRUE(animation->RemoveSoundBehaviour(nullptr));
  EXPECT_FALSE(animation->RemoveSoundBehaviour(nullptr));

  // Names already listed keep their value.
  animation->Build(fake::MakeShape(L"7", {}), {});
  std::map<std::wstring, uint32_t> names{{L"7/shape", 5}};
  animation->CollectTargetNames(names);
  EXPECT_EQ(names, (std::map<std::wstring, uint32_t>{{L"7/shape", 5}}));
  auto manager = boost::make_shared<WebdeckAnimationManager>();
  for (int i = 0; i < 12; ++i) manager->GetUniqueAnimCount();
  animation->AttachHtmlManager(manager);
  std::wstring id;
  animation->GetEffectId(id);
  EXPECT_EQ(id, L"effect_ID12");

  // An effect of only a command has no agents: it builds nothing and is final.
  auto bare = MakeEffect(1000);
  bare->AddBehaviour(eBehaviourCommand);
  auto none = Compile(bare);
  EXPECT_EQ(none->GetTargetMode(), 0u);
  none->Build(fake::MakeShape(L"7", {L"text"}), {});
  EXPECT_TRUE(none->ShapeAgents().empty() && none->IsFinal());
}

// The repeat count is given in thousandths. Doubling and repeating are
// 32-bit products: just past 2^32 they wrap. An indefinite repeat (-1) leaves
// the doubled pass.
TEST(ScreenAnimation, RepeatAndReverseLengthenTheEffect) {
  const struct {
    uint32_t own;
    bool reverse;
    int repeat;  // 0: absent
    uint32_t count, duration;
  } rows[] = {{1000, false, 0, 1, 1000},       {1000, false, 1, 1, 1000},
              {1000, false, 3000, 3, 3000},    {1000, false, 2500, 2, 2000},
              {1000, false, 500, 0, 0},        {1000, false, -1, 0xFFFFFFFFu, 1000},
              {1000, true, 3000, 3, 6000},     {0x7FFFFFFFu, true, 1, 1, 0xFFFFFFFEu},
              {0x80000001u, true, 1, 1, 2},    {1431655764, false, 3000, 3, 4294967292u},
              {1431655766, false, 3000, 3, 2}, {0x80000001u, true, -1, 0xFFFFFFFFu, 2}};
  for (const auto& row : rows) {
    auto effect = Fade(row.own);
    effect->Set<bool>(ePropAutoReverse, row.reverse);
    if (row.repeat) effect->Set<int>(ePropRepeatCount, row.repeat);
    auto animation = Compile(effect);
    EXPECT_EQ(std::make_pair(animation->GetRepeatCount(), animation->GetDuration()),
              std::make_pair(row.count, row.duration))
        << row.own << " x" << row.repeat;
  }
}

// The text has 6 words of 22 letters in 3 paragraphs; units are `interval`
// ms apart, or 10 % of the fade with kPercent, and only in paragraph `range`
// when that is not -1. With a fill the shape plays before its text.
TEST(ScreenAnimation, ComputeDurationCountsTextUnits) {
  enum { kThreeD = 1, kNoWords = 2, kPercent = 4, kWholeText = 8, kBackground = 16 };
  const struct {
    const char* name;
    uint32_t own;
    int iterate, interval, range, flags;
    uint32_t base;
  } rows[] = {
      {"zero stays", 0, 0, 200, -1, 0, 0},
      {"short becomes L", 300, 0, 200, -1, 0, 500},
      {"indefinite becomes L", 0xFFFFFFFFu, 0, 200, -1, 0, 500},
      {"by word", 1000, 1, 200, -1, 0, 5 * 200 + 1000 + 1000},
      {"by letter", 1000, 2, 200, -1, 0, 21 * 200 + 1000 + 1000},
      {"by word, percent", 1000, 1, 0, -1, kPercent, 5 * 100 + 1000 + 1000},
      {"paragraph range", 1000, 1, 200, 1, 0, 200 + 1000},
      // n = 1 and n = 0: the 32-bit sum wraps when the interval is the longer.
      {"one word", 1000, 1, 1500, 2, 0, 1000},
      {"no words in range", 1000, 1, 1500, 5, 0, 4294966796u},
      {"no words, shape first", 1000, 1, 1500, -1, kNoWords, 500},
      {"other iterate type counts no units", 1000, 3, 1500, -1, 0, 500},
      {"whole text", 1000, 1, 200, -1, kWholeText, 5 * 200 + 1000},
      {"background", 1000, 1, 200, -1, kBackground, 1000},
      {"3-D shape", 1000, 1, 200, -1, kThreeD, 1000},
  };
  for (const auto& row : rows) {
    auto effect = Fade(row.own);
    effect->Set<int>(ePropIterateType, row.iterate);
    if (row.flags & kPercent)
      effect->Set<int>(ePropIteratePercent, 10);
    else
      effect->Set<int>(ePropIterateTime, row.interval);
    if (row.range >= 0)
      effect->Set<bool>(ePropByParagraph, true)
          .Set<int>(ePropParagraphFirst, row.range)
          .Set<int>(ePropParagraphLast, row.range);
    if (row.flags & kWholeText) effect->Set<bool>(ePropWholeText, true);
    if (row.flags & kBackground) effect->Set<bool>(ePropAnimateBackground, true);
    auto shape = boost::make_shared<platform::Shape>(L"7");
    if (row.flags & kNoWords)
      shape->SetText({L""});
    else
      shape->SetText({L"one two three", L"four five", L"six"});
    shape->threeD = row.flags & kThreeD;
    EXPECT_EQ(Compile(effect, shape)->GetBaseDuration(), row.base) << row.name;
  }
}

// A set or property agent driving `attribute` from `start` for 1000 ms.
template <class A>
boost::shared_ptr<EffectAgent> Agent(uint32_t kind, int attribute, uint32_t start) {
  auto agent = MakeAgent<A>(AttributeNode(kind, attribute));
  agent->SetTiming(start, 1000);
  return agent;
}

std::vector<boost::shared_ptr<EffectAgent>> Chosen(
    const std::vector<boost::shared_ptr<EffectAgent>>& agents, uint32_t u) {
  std::vector<boost::shared_ptr<EffectAgent>> chosen;
  for (const SelectedAgent& s : SelectAgents(agents, u)) chosen.push_back(s.stored);
  return chosen;
}

TEST(AgentSelection, LaterAgentOfTheSameAttributeWins) {
  auto x = Agent<SetEffectAgent>(eBehaviourSet, 2, 0);
  auto laterX = Agent<PropertyEffectAgent>(eBehaviourProperty, 2, 500);
  auto visibility = Agent<SetEffectAgent>(eBehaviourSet, 7, 0);
  auto laterVisibility = Agent<SetEffectAgent>(eBehaviourSet, 7, 0);
  auto other = boost::make_shared<fake::ProbeAgent>();
  std::vector<boost::shared_ptr<EffectAgent>> all{x, visibility, laterX, laterVisibility, other};
  EXPECT_EQ(Chosen(all, 600), (std::vector<boost::shared_ptr<EffectAgent>>{
                                  visibility, laterX, laterVisibility, other}));
  EXPECT_EQ(Chosen(all, 400), all);  // the later one has not started

  // A repeat folds the time for later checks: 2700 to 700, where the later one plays.
  auto y = Agent<SetEffectAgent>(eBehaviourSet, 3, 0);
  auto repeat = boost::make_shared<RepeatAgent>(y, 3, 1000, 0, 0);
  repeat->SetTiming(0, 3000);
  auto laterY = Agent<SetEffectAgent>(eBehaviourSet, 3, 500);
  all = {repeat, laterY};
  EXPECT_EQ(Chosen(all, 2700).size(), 1u);
  EXPECT_EQ(Chosen(all, 2200).size(), 2u);
}

TEST(ScreenAnimation, OverlappingScales) {
  // A scale to 200 % over 1000 ms, then one to 50 %.
  const struct {
    const char* name;
    uint32_t own;
    bool from;  // the second scale has a from value of 100 %
    int duration, delay;
    uint32_t start, t;
    double a;
  } rows[] = {
      {"before the start", 1500, true, 1000, 500, 2000, 1000, 1.0},
      {"a later scale with a from value overrides", 1500, true, 1000, 500, 2000, 2700, 0.9},
      {"a held scale inside a longer one is left out", 1000, false, 400, 200, 0, 900, 1.9},
  };
  for (const auto& row : rows) {
    auto effect = MakeEffect(row.own);
    effect->AddBehaviour(eBehaviourScale).Set<Kinefold::TPoint>(ePropTo, {200, 200}).Duration(1000);
    auto& second = effect->AddBehaviour(eBehaviourScale)
                       .Set<Kinefold::TPoint>(ePropTo, {50, 50})
                       .Duration(row.duration)
                       .Delay(row.delay);
    if (row.from) second.Set<Kinefold::TPoint>(ePropFrom, {100, 100});
    auto animation = Compile(effect);
    auto shape = fake::MakeShape(L"7", {});
    animation->Build(shape, {});
    animation->SetStartTime(row.start);
    auto part = fake::Find(shape, L"7/shape");
    animation->Apply(part, row.t);
    EXPECT_DOUBLE_EQ(part->transform[4], row.a) << row.name;
  }
}

TEST(ScreenAnimation, SoundStartsOnceAndAgainAtEachUnit) {
  auto effect = Fade();
  effect->Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 500);
  effect->AddSubAnimation(eBehaviourAudio);
  auto document = boost::make_shared<platform::Shape>(L"7");
  document->SetText({L"a b c"});
  auto animation = Compile(effect, document);
  auto shape = fake::MakeShape(L"7", {L"a b c"}, false);  // no fill: the text plays alone
  animation->Build(shape, {});
  animation->SetStartTime(100);
  EXPECT_EQ(animation->SoundStartOffsets(), (std::vector<uint32_t>{0, 500, 1000}));

  auto word = fake::Find(shape, L"7/p0/w0");

  const struct {
    uint32_t t;
    bool sound;
  } frames[] = {{50, false},  {110, true},   {130, false}, {620, true},
                {640, false}, {1090, false}, {1120, true}, {9000, false}};
  for (const auto& f : frames) {
    boost::shared_ptr<IActionObject> got;
    animation->GetSoundAction(got, word, f.t);
    EXPECT_EQ(static_cast<bool>(got), f.sound) << "t=" << f.t;
  }
  EXPECT_TRUE(animation->SoundStartOffsets().empty());
}

boost::shared_ptr<EffectAgent> Create(const boost::shared_ptr<Effect>& effect,
                                      const boost::shared_ptr<BehaviourNode>& node) {
  return CreateEffectAgent(effect, boost::make_shared<PublishContext>(), node);
}

// The id that tells the class apart, or 0 for no agent.
int ClassId(const boost::shared_ptr<EffectAgent>& agent) {
  if (!agent) return 0;
  for (int id : {74, 76, 78, 82, 75, 77})
    if (Supports(agent, static_cast<EInterfaceId>(id))) return id;
  return Supports(agent, eIidBaseEffectAgent) ? 72 : 68;
}

// Commands (9), unknown kinds and filters (5) of unknown kinds never have an
// agent; the colour agent (4) answers only the base id. Wheel filters (15 to
// 19) have 1, 2, 3, 4 and 8 spokes; other filter kinds none.
TEST(EffectAgentFactory, DispatchesByKindAndFilterKind) {
  auto effect = boost::make_shared<Effect>(L"1");
  const struct {
    uint32_t kind;
    int filterKind, id;
    uint32_t spokes;
  } rows[] = {{0, 0, 0, 0},   {2, 0, 0, 0},   {3, 0, 77, 0},  {4, 0, 72, 0},  {6, 0, 76, 0},
              {7, 0, 72, 0},  {8, 0, 78, 0},  {9, 0, 0, 0},   {10, 0, 75, 0}, {11, 0, 82, 0},
              {12, 0, 0, 0},  {5, 1, 74, 0},  {5, 11, 0, 0},  {5, 20, 0, 0},  {5, -1, 0, 0},
              {5, 14, 74, 0}, {5, 15, 74, 1}, {5, 16, 74, 2}, {5, 17, 74, 3}, {5, 18, 74, 4},
              {5, 19, 74, 8}};
  for (const auto& row : rows) {
    auto node = boost::make_shared<BehaviourNode>(row.kind);
    if (row.kind == eBehaviourFilter) node->Set<int>(ePropFilterKind, row.filterKind);
    EXPECT_EQ(ClassId(Create(effect, node)), row.id) << row.kind << "/" << row.filterKind;
    EXPECT_EQ(WheelSpokes(row.filterKind), row.spokes) << row.filterKind;
  }
}

TEST(EffectAgentFactory, BehaviourProfileOverridesTheEffects) {
  const struct {
    const char* name;
    float effectAccel, nodeAccel;  // < 0: absent
    double accel;
  } rows[] = {
      {"from the effect, truncated", 50000.7f, -1, 0.5},
      {"the behaviour's even when 0", 50000.0f, 0.0f, 0.0},
      {"the behaviour's alone", -1, 25000.9f, 0.25},
      {"none", -1, -1, 0.0},
      {"held to the whole duration", 250000.0f, -1, 1.0},
  };
  for (const auto& row : rows) {
    auto effect = boost::make_shared<Effect>(L"1");
    auto node = boost::make_shared<BehaviourNode>(eBehaviourRotation);
    if (row.effectAccel >= 0) effect->Set<float>(ePropAccel, row.effectAccel);
    if (row.nodeAccel >= 0) node->Set<float>(ePropAccel, row.nodeAccel);
    effect->Set<float>(ePropDecel, 10000.0f);
    boost::shared_ptr<EffectAgent> agent = Create(effect, node);
    ASSERT_TRUE(agent);
    EXPECT_DOUBLE_EQ(agent->GetAccel(), row.accel) << row.name;
    EXPECT_DOUBLE_EQ(agent->GetDecel(), 0.1) << row.name;
  }
}

}  // namespace
