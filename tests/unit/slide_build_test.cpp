// The slide build: steps, timing, triggers, media, drops and the click timeline.
#include <gtest/gtest.h>

#include <sstream>

#include "document/Slide.h"
#include "fake_animation.h"
#include "support/Values.h"

namespace {

const uint32_t kNone = 0xFFFFFFFFu;
using Names = std::vector<std::wstring>;
using Times = std::vector<uint32_t>;

// A step: "start-end", then "dropped" when its first effect was, its
// trigger "@object/bookmark" and sequence kind "seq<k>" when they are not the
// defaults, and the shapes it animates.
std::wstring Describe(const AnimationStep& s) {
  std::wstring d = std::to_wstring(s.startTime) + L"-" +
                   (s.endTime == kNone ? L"open" : std::to_wstring(s.endTime));
  if (!s.kept) d += L" dropped";
  if (s.triggerObjectId != L"-1" || s.triggerBookmark != L"-1")
    d += L" @" + s.triggerObjectId + L"/" + s.triggerBookmark;
  if (s.sequenceKind) d += L" seq" + std::to_wstring(s.sequenceKind);
  for (const auto& name : s.shapeNames) d += L" " + name;
  return d;
}

// A bookmark trigger: "name at time: object -> target".
std::wstring Describe(const BookmarkTrigger& b) {
  std::wostringstream d;
  d << b.bookmarkName << L" at " << b.time << L": " << b.triggerObjectId << L" -> " << b.targetId;
  return d.str();
}

// The descriptions of the manager's records that `get` reads, `count` of them.
template <class T>
Names All(IAnimationManager& manager, uint32_t (IAnimationManager::*count)(),
          void (IAnimationManager::*get)(T&, uint32_t)) {
  Names all((manager.*count)());
  for (uint32_t i = 0; i < all.size(); ++i) {
    T record;
    (manager.*get)(record, i);
    all[i] = Describe(record);
  }
  return all;
}
Names Steps(IAnimationManager& m) {
  return All(m, &IAnimationManager::GetStepCount, &IAnimationManager::GetStep);
}
Names Bookmarks(IAnimationManager& m) {
  return All(m, &IAnimationManager::GetBookmarkTriggerCount,
             &IAnimationManager::GetBookmarkTrigger);
}

class SlideBuildTest : public ::testing::Test {
 protected:
  void SetUp() override { IWebdeckSlide::ResetInstance(); }
  void TearDown() override {
    IWebdeckSlide::ResetInstance();
    ProcessAdmin::SetUsePowerpoint(false);
  }

  // A manager of `rate` fps that has built `slide`.
  boost::shared_ptr<AnimationManager> Built(const boost::shared_ptr<platform::Slide>& slide,
                                            uint32_t rate = 25, uint32_t defaultFrames = 0) {
    auto manager = MakeFakeManager(
        boost::make_shared<PublishContext>(540.0, 720.0, rate, defaultFrames), &made);
    manager->BuildSlide(slide, 0, 0);
    return manager;
  }
  static platform::Effect& AddEffect(platform::Slide& slide, const std::wstring& target,
                                     int nodeType, int delay, uint32_t duration,
                                     int presetClass = 0) {
    platform::Effect& effect = slide.Effects()->AddEffect(target);
    effect.PresetClass(presetClass).NodeType(nodeType).Delay(delay).SetOwnDuration(duration);
    return effect;
  }
  // Clicks of a timeline, each "start: animation ids".
  static Names Clicks(const std::wstring& trigger) {
    Names clicks;
    auto timeline = IWebdeckSlide::GetInstance()->GetAnimationManager()->GetTimeLineAnim(trigger);
    if (timeline)
      for (const auto& click : timeline->GetClicks()) {
        clicks.push_back(std::to_wstring(click->GetStartTime()) + L":");
        for (const auto& id : click->GetAnimations()) clicks.back() += L" " + id;
      }
    return clicks;
  }
  // The slide's length, and its length after triggers.
  static Times Lengths(IAnimationManager& manager) {
    return {manager.GetSlideLength(), manager.GetSlideLengthAfterTriggers()};
  }
  // A shape's start, end and animation count.
  static Times Shape(IAnimationManager& manager, const wchar_t* id) {
    return {manager.GetShapeStartTime(id), manager.GetShapeEndTime(id),
            manager.GetShapeAnimationCount(id)};
  }

  // One field of every animation made, in build order.
  template <class T>
  std::vector<T> Each(T FakeAnimation::*field) const {
    std::vector<T> values;
    for (const auto& a : made) values.push_back((*a).*field);
    return values;
  }

  std::vector<boost::shared_ptr<FakeAnimation>> made;
};

boost::shared_ptr<platform::Slide> SlideWithShapes(std::initializer_list<const wchar_t*> ids) {
  auto slide = boost::make_shared<platform::Slide>();
  for (const wchar_t* id : ids) slide->AddShape(id).SetBounds(0, 0, 100, 50);
  return slide;
}

// Media shape `id` of `kind` with its bookmarks, `trim` ms cut from its start.
platform::Shape& AddMedia(platform::Slide& slide, const wchar_t* id, platform::MediaKind kind,
                          std::vector<platform::MediaBookmark> bookmarks, double trim = 0) {
  platform::MediaInfo info;
  info.bookmarks = std::move(bookmarks);
  info.trimStartMs = trim;
  return slide.AddShape(id).SetMedia(kind).SetMediaInfo(info);
}

}  // namespace

TEST_F(SlideBuildTest, WorkedExample) {
  auto slide = SlideWithShapes({L"s0", L"s1", L"s2"});
  AddEffect(*slide, L"s0", 0, 0, 500);
  AddEffect(*slide, L"s1", 1, 0, 1000);
  AddEffect(*slide, L"s2", 2, 200, 300);
  auto manager = Built(slide);

  EXPECT_EQ(Each(&FakeAnimation::start), (Times{0, 0, 1200}));
  EXPECT_EQ(Steps(*manager), Names{L"0-open s0 s1 s2"});
  EXPECT_EQ(Lengths(*manager), (Times{1540, 1540}));
  EXPECT_EQ(slide->Length(), 1540u);
  EXPECT_TRUE(manager->HasAnimations());
  EXPECT_EQ(made[1]->tags, Times{0});
  EXPECT_EQ(made[1]->clickMarks, 1) << "the after-previous effect marks its predecessor";
  EXPECT_EQ(Each(&FakeAnimation::hiddenChecks), (std::vector<int>{0, 0, 0}));
  for (const wchar_t* id : {L"s0", L"s1", L"s2"})
    EXPECT_EQ(Shape(*manager, id), (Times{kNone, 1540, 1}));

  // The click timeline of the same build.
  EXPECT_EQ(Each(&FakeAnimation::htmlDelayOffset), (Times{0, 0, 1000}));
  EXPECT_EQ(Clicks(L""), (Names{L"0:", L"40: effect_ID0 effect_ID1 effect_ID2"}));
  auto html = IWebdeckSlide::GetInstance()->GetAnimationManager();
  EXPECT_EQ((Times{html->GetLastAnimTime(), html->GetLastAnimTimeSeq()}), (Times{500, 1000}));
}

// An exit ends its shape when it ends; other shapes end with the slide.
TEST_F(SlideBuildTest, LaterClickStepsStartOneFrameAfterTheirGroup) {
  auto slide = SlideWithShapes({L"a", L"b"});
  AddEffect(*slide, L"a", 0, 0, 500, 1);
  AddEffect(*slide, L"b", 0, 0, 500);
  auto manager = Built(slide);
  // 500 is moved by one frame onto 540.
  EXPECT_EQ(Steps(*manager), (Names{L"0-540 a", L"580-open b"}));
  EXPECT_EQ(made[1]->start, 580u);
  EXPECT_EQ(manager->GetSlideLength(), 1080u) << "1080 is a multiple of the frame";
  EXPECT_EQ(Shape(*manager, L"a"), (Times{kNone, 500, 1}));
  EXPECT_EQ(Shape(*manager, L"b"), (Times{kNone, 1080, 1}));
  EXPECT_EQ(Shape(*manager, L"none"), (Times{kNone, kNone, 0}));
  // The timeline adds a second frame once it holds more than one click.
  EXPECT_EQ(Clicks(L""), (Names{L"0:", L"40: effect_ID0", L"620: effect_ID1"}));
}

TEST_F(SlideBuildTest, TransitionDefaultLengthAndAnAutomaticStart) {
  auto slide = SlideWithShapes({L"a", L"b"});
  slide->SetTransition(700);
  AddEffect(*slide, L"a", 1, 100, kNone);  // with previous, first on the slide
  AddEffect(*slide, L"b", 2, 0, 300);
  auto manager = Built(slide, 30, 15);  // frame 34 ms, default length 500 ms
  EXPECT_EQ(Steps(*manager), Names{L"734-open seq1 a b"}) << "700 moved by one 34 ms frame";
  // b starts after the 500 ms default length and the delay.
  EXPECT_EQ(Each(&FakeAnimation::start), (Times{834, 1334}));
  EXPECT_EQ(made[0]->tags, (Times{255, 0}));
  EXPECT_EQ(made[0]->hiddenChecks, 1) << "the slide starts with an automatic effect";
  EXPECT_EQ(made[0]->clickMarks, 1);
  EXPECT_EQ(manager->GetSlideLength(), 1668u);
}

TEST_F(SlideBuildTest, ClickTriggerGroupThenBackToTheMainSequence) {
  auto slide = SlideWithShapes({L"s1", L"s2", L"s3", L"b"});
  auto trigger = platform::MakeClickTrigger(L"b");
  AddEffect(*slide, L"s1", 0, 0, 500);
  AddEffect(*slide, L"s2", 0, 0, 400).SetTrigger(trigger);
  AddEffect(*slide, L"s3", 1, 0, 200).SetTrigger(trigger);
  AddEffect(*slide, L"s1", 0, 0, 300);
  auto manager = Built(slide);

  EXPECT_EQ(Steps(*manager), (Names{L"0-540 s1", L"580-1020 @b/-1 s2 s3", L"1060-open s1"}));
  EXPECT_EQ(made[2]->start, 580u);
  // After triggers: less the 400 ms the trigger adds.
  EXPECT_EQ(Lengths(*manager), (Times{1360, 960}));
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s1"), 2u);

  // The trigger object gets its own timeline, starting at 0; the build stays
  // on it until another trigger comes.
  EXPECT_EQ(Clicks(L""), (Names{L"0:", L"40: effect_ID0"}));
  EXPECT_EQ(Clicks(L"b"), (Names{L"0: effect_ID1 effect_ID2", L"440: effect_ID3"}));
}

TEST_F(SlideBuildTest, BookmarkTriggerOnAVideoWithAStartOffset) {
  auto slide = SlideWithShapes({L"s1"});
  AddMedia(*slide, L"v", platform::MediaKind::Video, {{L"bm1", 500.0}, {L"bm2", 3000.0}}, 1500)
      .Sheet()
      ->Set<int>(ePropMediaSetting122, 4);
  slide->Effects()->AddVideo(L"v");
  AddEffect(*slide, L"v", 0, 0, 0, 5).Set<double>(ePropMediaStart, 0.5);
  AddEffect(*slide, L"s1", 0, 0, 500).SetTrigger(platform::MakeBookmarkTrigger(L"v", L"bm2"));
  auto manager = Built(slide);

  // The start is 1.5 s trimmed plus 0.5 s.
  EXPECT_EQ(Values(slide->Effects()->Videos()[0],
                   {ePropMediaStart, ePropVideoStartTime, ePropMediaSetting122}),
            (Numbers{2.0, 0, 4}));
  // A bookmark before the start position is raised to 0.
  EXPECT_EQ(Bookmarks(*manager), (Names{L"bm1 at 0: vTrig -> -1", L"bm2 at 1000: vTrig -> -1"}));
  EXPECT_EQ(Steps(*manager), (Names{L"0-0 vTrig", L"40-open @vTrig/bm2 s1"}));
  EXPECT_EQ(Lengths(*manager), (Times{580, 80}));
  boost::shared_ptr<IVideoAnimation> videoAnimation;
  manager->GetVideoAnimation(videoAnimation, L"v");
  EXPECT_TRUE(videoAnimation);
}

// A sound's bookmarks keep their authored times, whatever its start position.
TEST_F(SlideBuildTest, SoundPlayingToTheDefaultLength) {
  auto slide = SlideWithShapes({});
  AddMedia(*slide, L"snd", platform::MediaKind::Audio, {{L"early", 200.0}, {L"odd", -5.0}});
  slide->Effects()->AddSound(L"snd");
  AddEffect(*slide, L"snd", 0, 100, 0, 5)
      .Set<int>(ePropMediaDuration, -1)
      .Set<double>(ePropMediaStart, 0.5);
  auto manager = Built(slide, 25, 25);  // default length 1000 ms

  EXPECT_EQ(Values(slide->Effects()->Sounds()[0],
                   {ePropDelay, ePropSoundStartTime, ePropMediaDuration, ePropHtmlAnimIndex,
                    ePropClickOffset, ePropMediaStart}),
            (Numbers{100, 1100, -1, 0, 0, 0.5}));
  EXPECT_EQ(Bookmarks(*manager),
            (Names{L"early at 200: sndTrig -> -1", L"odd at -5: sndTrig -> -1"}));
  EXPECT_EQ(Steps(*manager), Names{L"1000-open sndTrig"});
  EXPECT_EQ(manager->GetSlideLength(), 2140u) << "1000 + the default 1000 + delay 100, on a frame";
  EXPECT_EQ(Clicks(L""), (Names{L"0:", L"40: audio_ID0"}));
  boost::shared_ptr<IAudioAnimation> audio;
  manager->GetAudioAnimation(audio, L"snd");
  boost::shared_ptr<IVideoAnimation> video;
  manager->GetVideoAnimation(video, L"snd");
  EXPECT_TRUE(audio && !video);
}

// Whether shape "p"'s one effect is built: a kept effect makes one step and
// a slide of 540 ms; a dropped one nothing, though the slide may still count
// as animated.
TEST_F(SlideBuildTest, ShapesThatDropTheirEffects) {
  enum { kText = 1, kFill = 2, kEmptyBody = 4, kMasterLike = 8, kUnsupported = 16, kMissing = 32 };
  struct Case {
    const char* name;
    int placeholder, shape;
    bool usePowerpoint, animated, kept;
  } cases[] = {
      {"empty body placeholder", 2, 0, false, false, false},
      {"body placeholder with text", 2, kText, false, true, true},
      {"empty filled body placeholder", 4, kFill, false, true, true},
      {"empty title with a text body", 1, kEmptyBody, false, false, false},
      {"empty title without text body", 1, 0, false, true, true},
      {"placeholder on a master-like slide", 2, kText | kFill | kMasterLike, false, false, false},
      {"not a placeholder", 0, kMasterLike, false, true, true},
      {"unsupported shape", 0, kUnsupported, false, true, false},
      {"unsupported shape under the switch", 0, kUnsupported, true, true, true},
      {"missing shape", 0, kMissing, false, true, false},
  };
  for (const Case& c : cases) {
    IWebdeckSlide::ResetInstance();
    ProcessAdmin::SetUsePowerpoint(c.usePowerpoint);
    auto slide = boost::make_shared<platform::Slide>();
    slide->SetSlideKind(c.shape & kMasterLike ? 1 : 0);
    if (!(c.shape & kMissing)) {
      platform::Shape& shape = slide->AddShape(L"p").SetPlaceholderType(c.placeholder);
      shape.unsupported = c.shape & kUnsupported;
      if (c.shape & (kText | kEmptyBody)) shape.SetText({c.shape & kText ? L"Title" : L""});
      if (c.shape & kFill) shape.SetSolidFill({255, 0, 0, 255});
    }
    AddEffect(*slide, L"p", 0, 0, 500);
    auto manager = Built(slide);
    EXPECT_EQ(manager->HasAnimations(), c.animated) << c.name;
    EXPECT_EQ((Times{manager->GetStepCount(), manager->GetShapeAnimationCount(L"p"),
                     manager->GetSlideLength()}),
              (c.kept ? Times{1, 1, 540} : Times{0, 0, 0}))
        << c.name;
  }
}

TEST_F(SlideBuildTest, ThreeDRuleDropsTextEffectsButKeepsTheirSteps) {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"d").SetText({L"Label"}).threeD = true;
  slide->AddShape(L"pic").AddInterface(eIidShapeKind16).threeD = true;
  AddEffect(*slide, L"d", 0, 0, 500).Set<bool>(ePropWholeText, true);
  AddEffect(*slide, L"pic", 0, 0, 500).Set<bool>(ePropWholeText, true);
  AddEffect(*slide, L"d", 0, 0, 500);
  auto manager = Built(slide);
  EXPECT_EQ(Steps(*manager), (Names{L"0-540 dropped d", L"580-1080 pic", L"1120-open d"}));
  EXPECT_EQ(manager->GetShapeAnimationCount(L"d"), 1u);
  EXPECT_EQ(manager->GetShapeAnimationCount(L"pic"), 1u);
  EXPECT_EQ(Clicks(L"").size(), 4u) << "the dropped effect keeps its timeline entry";

  // A by-paragraph effect anywhere on a 3-D text shape drops its effects.
  IWebdeckSlide::ResetInstance();
  AddEffect(*slide, L"d", 0, 0, 500).Set<bool>(ePropByParagraph, true);
  EXPECT_EQ(Built(slide)->GetShapeAnimationCount(L"d"), 0u);
}

TEST_F(SlideBuildTest, SlidesInARowAppendAndContinueTheTimeline) {
  auto first = SlideWithShapes({L"s1"});
  AddEffect(*first, L"s1", 0, 0, 500);
  auto second = SlideWithShapes({L"s2"});
  AddEffect(*second, L"s2", 0, 0, 300);
  auto manager = Built(first);
  EXPECT_EQ(manager->GetSlideLength(), 540u);
  manager->BuildSlide(second, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 340u);

  // The next build's first click closes the last step.
  EXPECT_EQ(Steps(*manager), (Names{L"0-0 s1", L"0-open s2"}));
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s1"), 1u);
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s2"), 1u);
  EXPECT_EQ(Clicks(L""), (Names{L"0:", L"40: effect_ID0", L"620: effect_ID1"}));

  // A slide without an effect list sets only the lengths; so does no slide.
  second->RemoveEffectList();
  manager->BuildSlide(second, 0, 0);
  EXPECT_EQ(Lengths(*manager), (Times{0, 0}));
  EXPECT_EQ(manager->GetStepCount(), 2u);
  EXPECT_TRUE(manager->HasAnimations());
  manager->BuildSlide(nullptr, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 0u);
}
