// The slide build: steps, timing, triggers, media, drops and the click timeline.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "document/Slide.h"
#include "fake_animation.h"

namespace {

const uint32_t kNone = 0xFFFFFFFFu;
using Fakes = std::vector<boost::shared_ptr<FakeAnimation>>;
using Names = std::vector<std::wstring>;

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

// The descriptions of `count` records that `get` fills in.
template <class T>
std::vector<std::wstring> All(uint32_t count, const std::function<void(T&, uint32_t)>& get) {
  std::vector<std::wstring> all(count);
  for (uint32_t i = 0; i < count; ++i) {
    T record;
    get(record, i);
    all[i] = Describe(record);
  }
  return all;
}

class SlideBuildTest : public ::testing::Test {
 protected:
  void SetUp() override { IWebdeckSlide::ResetInstance(); }
  void TearDown() override {
    IWebdeckSlide::ResetInstance();
    ProcessAdmin::SetUsePowerpoint(false);
  }

  boost::shared_ptr<AnimationManager> Manager(uint32_t rate = 25, uint32_t defaultFrames = 0) {
    return MakeFakeManager(boost::make_shared<PublishContext>(540.0, 720.0, rate, defaultFrames),
                           &made);
  }
  // A manager of `rate` fps that has built `slide`.
  boost::shared_ptr<AnimationManager> Built(const boost::shared_ptr<platform::Slide>& slide,
                                            uint32_t rate = 25, uint32_t defaultFrames = 0) {
    auto manager = Manager(rate, defaultFrames);
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
  // Each step and each bookmark trigger the manager lists, described whole.
  static std::vector<std::wstring> Steps(IAnimationManager& manager) {
    return All<AnimationStep>(manager.GetStepCount(),
                              [&](AnimationStep& s, uint32_t i) { manager.GetStep(s, i); });
  }
  static std::vector<std::wstring> Bookmarks(IAnimationManager& manager) {
    return All<BookmarkTrigger>(
        manager.GetBookmarkTriggerCount(),
        [&](BookmarkTrigger& b, uint32_t i) { manager.GetBookmarkTrigger(b, i); });
  }
  // Clicks of a timeline as (start, animation ids).
  static std::vector<std::pair<uint32_t, Names>> Clicks(const std::wstring& trigger) {
    std::vector<std::pair<uint32_t, Names>> clicks;
    auto timeline = IWebdeckSlide::GetInstance()->GetAnimationManager()->GetTimeLineAnim(trigger);
    if (timeline)
      for (const auto& click : timeline->GetClicks())
        clicks.emplace_back(click->GetStartTime(), click->GetAnimations());
    return clicks;
  }

  // One field of every animation made, in build order.
  template <class T>
  std::vector<T> Each(T FakeAnimation::*field) const {
    std::vector<T> values;
    for (const auto& a : made) values.push_back((*a).*field);
    return values;
  }

  Fakes made;
};
using Times = std::vector<uint32_t>;

boost::shared_ptr<platform::Slide> SlideWithShapes(std::initializer_list<const wchar_t*> ids) {
  auto slide = boost::make_shared<platform::Slide>();
  for (const wchar_t* id : ids) slide->AddShape(id).SetBounds(0, 0, 100, 50);
  return slide;
}

void AddBookmarks(platform::Shape& media,
                  std::initializer_list<std::pair<const wchar_t*, double>> marks) {
  auto bookmarks = boost::make_shared<PropertySheetList>();
  for (auto mark : marks) {
    auto sheet = boost::make_shared<platform::PropertySheet>();
    sheet->Set<std::wstring>(ePropBookmarkName, mark.first)
        .Set<double>(ePropBookmarkTime, mark.second);
    bookmarks->Add(sheet);
  }
  media.Sheet()->SetList(ePropBookmarks, bookmarks);
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
  EXPECT_EQ(manager->GetSlideLength(), 1540u);
  EXPECT_EQ(manager->GetSlideLengthAfterTriggers(), 1540u);
  EXPECT_EQ(slide->Length(), 1540u);
  EXPECT_TRUE(manager->HasAnimations());
  EXPECT_EQ(made[1]->tags, Times{0});
  EXPECT_EQ(made[1]->clickMarks, 1) << "the after-previous effect marks its predecessor";
  EXPECT_EQ(Each(&FakeAnimation::hiddenChecks), (std::vector<int>{0, 0, 0}));
  for (const wchar_t* id : {L"s0", L"s1", L"s2"}) {
    EXPECT_EQ(manager->GetShapeStartTime(id), kNone);
    EXPECT_EQ(manager->GetShapeEndTime(id), 1540u);
    EXPECT_EQ(manager->GetShapeAnimationCount(id), 1u);
  }

  // The click timeline of the same build.
  EXPECT_EQ(Each(&FakeAnimation::htmlDelayOffset), (Times{0, 0, 1000}));
  auto clicks = Clicks(L"");
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0], std::make_pair(0u, Names{}));
  EXPECT_EQ(clicks[1], std::make_pair(40u, Names{L"effect_ID0", L"effect_ID1", L"effect_ID2"}));
  auto html = IWebdeckSlide::GetInstance()->GetAnimationManager();
  EXPECT_EQ(html->GetLastAnimTime(), 500u);
  EXPECT_EQ(html->GetLastAnimTimeSeq(), 1000u);
}

TEST_F(SlideBuildTest, LaterClickStepsStartOneFrameAfterTheirGroup) {
  auto slide = SlideWithShapes({L"a", L"b"});
  AddEffect(*slide, L"a", 0, 0, 500);
  AddEffect(*slide, L"b", 0, 0, 500);
  auto manager = Built(slide);
  // 500 is moved by one frame onto 540.
  EXPECT_EQ(Steps(*manager), (Names{L"0-540 a", L"580-open b"}));
  EXPECT_EQ(made[1]->start, 580u);
  EXPECT_EQ(manager->GetSlideLength(), 1080u) << "1080 is a multiple of the frame";
  // The timeline adds a second frame once it holds more than one click.
  auto clicks = Clicks(L"");
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[1].first, 40u);
  EXPECT_EQ(clicks[2], std::make_pair(620u, Names{L"effect_ID1"}));
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
  EXPECT_EQ(manager->GetSlideLength(), 1360u);
  EXPECT_EQ(manager->GetSlideLengthAfterTriggers(), 960u) << "less the 400 ms the trigger adds";
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s1"), 2u);

  // The trigger object gets its own timeline, starting at 0; the build stays
  // on it until another trigger comes.
  auto main = Clicks(L"");
  ASSERT_EQ(main.size(), 2u);
  EXPECT_EQ(main[1], std::make_pair(40u, Names{L"effect_ID0"}));
  auto own = Clicks(L"b");
  ASSERT_EQ(own.size(), 2u);
  EXPECT_EQ(own[0], std::make_pair(0u, Names{L"effect_ID1", L"effect_ID2"}));
  EXPECT_EQ(own[1], std::make_pair(440u, Names{L"effect_ID3"}));
}

TEST_F(SlideBuildTest, BookmarkTriggerOnAVideoWithAStartOffset) {
  auto slide = SlideWithShapes({L"s1"});
  platform::Shape& video = slide->AddShape(L"v");
  video.SetMedia(platform::MediaKind::Video);
  AddBookmarks(video, {{L"bm1", 500.0}, {L"bm2", 3000.0}});
  video.Sheet()->Set<double>(ePropMediaTrimStart, 1500.0).Set<int>(ePropMediaSetting122, 4);
  auto& media = slide->Effects()->AddVideo(L"v");
  AddEffect(*slide, L"v", 0, 0, 0, 5).Set<double>(ePropMediaStart, 0.5);
  AddEffect(*slide, L"s1", 0, 0, 500).SetTrigger(platform::MakeBookmarkTrigger(L"v", L"bm2"));
  auto manager = Built(slide);

  boost::shared_ptr<IInterface> m = slide->Effects()->Videos()[0];
  EXPECT_EQ(GetDouble(m, ePropMediaStart), 2.0) << "1.5 s trimmed plus 0.5 s start";
  EXPECT_EQ(GetInt(m, ePropVideoStartTime), 0);
  EXPECT_EQ(GetInt(m, ePropMediaSetting122), 4);
  (void)media;
  // A bookmark before the start position is raised to 0.
  EXPECT_EQ(Bookmarks(*manager), (Names{L"bm1 at 0: vTrig -> -1", L"bm2 at 1000: vTrig -> -1"}));

  EXPECT_EQ(Steps(*manager), (Names{L"0-0 vTrig", L"40-open @vTrig/bm2 s1"}));
  EXPECT_EQ(manager->GetSlideLength(), 580u);
  EXPECT_EQ(manager->GetSlideLengthAfterTriggers(), 80u);
  boost::shared_ptr<IVideoAnimation> videoAnimation;
  manager->GetVideoAnimation(videoAnimation, L"v");
  EXPECT_TRUE(videoAnimation);
}

// A sound's bookmarks keep their authored times, whatever its start position.
TEST_F(SlideBuildTest, SoundPlayingToTheDefaultLength) {
  auto slide = SlideWithShapes({});
  AddBookmarks(slide->AddShape(L"snd").SetMedia(platform::MediaKind::Audio),
               {{L"early", 200.0}, {L"odd", -5.0}});
  slide->Effects()->AddSound(L"snd");
  AddEffect(*slide, L"snd", 0, 100, 0, 5)
      .Set<int>(ePropMediaDuration, -1)
      .Set<double>(ePropMediaStart, 0.5);
  auto manager = Built(slide, 25, 25);  // default length 1000 ms

  boost::shared_ptr<IInterface> sound = slide->Effects()->Sounds()[0];
  EXPECT_EQ(GetInt(sound, ePropDelay), 100);
  EXPECT_EQ(GetInt(sound, ePropSoundStartTime), 1100);
  EXPECT_EQ(GetInt(sound, ePropMediaDuration), -1);
  EXPECT_EQ(GetInt(sound, ePropHtmlAnimIndex), 0);
  EXPECT_EQ(GetInt(sound, ePropClickOffset), 0);
  EXPECT_EQ(GetDouble(sound, ePropMediaStart), 0.5);
  EXPECT_EQ(Bookmarks(*manager),
            (Names{L"early at 200: sndTrig -> -1", L"odd at -5: sndTrig -> -1"}));
  EXPECT_EQ(Steps(*manager), Names{L"1000-open sndTrig"});
  EXPECT_EQ(manager->GetSlideLength(), 2140u) << "1000 + the default 1000 + delay 100, on a frame";
  auto clicks = Clicks(L"");
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1], std::make_pair(40u, Names{L"audio_ID0"}));
  boost::shared_ptr<IAudioAnimation> audio;
  manager->GetAudioAnimation(audio, L"snd");
  EXPECT_TRUE(audio);
  boost::shared_ptr<IVideoAnimation> video;
  manager->GetVideoAnimation(video, L"snd");
  EXPECT_FALSE(video);
}

TEST_F(SlideBuildTest, PlaceholderRulesDropEffects) {
  struct Case {
    const char* name;
    int placeholder;
    bool text, fill, answers17;
    int slideKind;
    bool kept;
  } cases[] = {
      {"empty body placeholder", 2, false, false, false, 0, false},
      {"body placeholder with text", 2, true, false, false, 0, true},
      {"empty filled body placeholder", 4, false, true, false, 0, true},
      {"empty title with a text body", 1, false, false, true, 0, false},
      {"empty title without text body", 1, false, false, false, 0, true},
      {"placeholder on a master-like slide", 2, true, true, false, 1, false},
      {"not a placeholder", 0, false, false, false, 1, true},
  };
  for (const Case& c : cases) {
    IWebdeckSlide::ResetInstance();
    auto slide = boost::make_shared<platform::Slide>();
    slide->SetSlideKind(c.slideKind);
    platform::Shape& shape = slide->AddShape(L"p");
    shape.SetPlaceholderType(c.placeholder);
    if (c.text) shape.SetText({L"Title"});
    if (c.answers17) shape.SetText({L""});
    if (c.fill) shape.SetSolidFill({255, 0, 0, 255});
    AddEffect(*slide, L"p", 0, 0, 500);
    auto manager = Built(slide);
    EXPECT_EQ(manager->HasAnimations(), c.kept) << c.name;
    EXPECT_EQ(manager->GetStepCount(), c.kept ? 1u : 0u) << c.name;
  }
}

TEST_F(SlideBuildTest, ThreeDRuleDropsTextEffectsButKeepsTheirSteps) {
  auto slide = boost::make_shared<platform::Slide>();
  platform::Shape& solid = slide->AddShape(L"d");
  solid.SetText({L"Label"});
  solid.threeD = true;
  platform::Shape& picture = slide->AddShape(L"pic");
  picture.threeD = true;
  picture.AddInterface(eIidShapeKind16);
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
  auto second = Manager();
  second->BuildSlide(slide, 0, 0);
  EXPECT_EQ(second->GetShapeAnimationCount(L"d"), 0u);
}

TEST_F(SlideBuildTest, UnsupportedShapesNeedThePowerpointSwitch) {
  for (bool usePowerpoint : {false, true}) {
    IWebdeckSlide::ResetInstance();
    ProcessAdmin::SetUsePowerpoint(usePowerpoint);
    auto slide = SlideWithShapes({});
    slide->AddShape(L"u").unsupported = true;
    AddEffect(*slide, L"u", 0, 0, 500);
    auto manager = Built(slide);
    EXPECT_TRUE(manager->HasAnimations());
    EXPECT_EQ(manager->GetStepCount(), usePowerpoint ? 1u : 0u);
    EXPECT_EQ(manager->GetShapeAnimationCount(L"u"), usePowerpoint ? 1u : 0u);
    EXPECT_EQ(manager->GetSlideLength(), usePowerpoint ? 540u : 0u);
  }
}

TEST_F(SlideBuildTest, EffectOnAMissingShapeCountsButBuildsNothing) {
  auto slide = SlideWithShapes({});
  AddEffect(*slide, L"gone", 0, 0, 500);
  auto manager = Built(slide);
  EXPECT_TRUE(manager->HasAnimations());
  EXPECT_EQ(manager->GetStepCount(), 0u);
  EXPECT_EQ(manager->GetSlideLength(), 0u);
}

TEST_F(SlideBuildTest, TwoSlidesInARowAppendAndContinueTheTimeline) {
  auto first = SlideWithShapes({L"s1"});
  AddEffect(*first, L"s1", 0, 0, 500);
  auto second = SlideWithShapes({L"s2"});
  AddEffect(*second, L"s2", 0, 0, 300);
  auto manager = Manager();
  manager->BuildSlide(first, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 540u);
  manager->BuildSlide(second, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 340u);

  // The next build's first click closes the last step.
  EXPECT_EQ(Steps(*manager), (Names{L"0-0 s1", L"0-open s2"}));
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s1"), 1u);
  EXPECT_EQ(manager->GetShapeAnimationCount(L"s2"), 1u);
  auto clicks = Clicks(L"");
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[1], std::make_pair(40u, Names{L"effect_ID0"}));
  EXPECT_EQ(clicks[2], std::make_pair(620u, Names{L"effect_ID1"}));
}

TEST_F(SlideBuildTest, SlideWithoutEffectListSetsOnlyTheLengths) {
  auto slide = SlideWithShapes({L"s1"});
  AddEffect(*slide, L"s1", 0, 0, 500);
  auto manager = Built(slide);
  slide->RemoveEffectList();
  manager->BuildSlide(slide, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 0u);
  EXPECT_EQ(manager->GetSlideLengthAfterTriggers(), 0u);
  EXPECT_EQ(manager->GetStepCount(), 1u);
  EXPECT_TRUE(manager->HasAnimations());
  manager->BuildSlide(nullptr, 0, 0);
  EXPECT_EQ(manager->GetSlideLength(), 0u);
}

TEST_F(SlideBuildTest, ExitEndsTheShapeEarly) {
  auto slide = SlideWithShapes({L"a", L"b"});
  AddEffect(*slide, L"a", 0, 0, 500, 1);
  AddEffect(*slide, L"b", 0, 0, 1000, 0);
  auto manager = Built(slide);
  EXPECT_EQ(manager->GetShapeEndTime(L"a"), 500u);
  EXPECT_EQ(manager->GetShapeEndTime(L"b"), manager->GetSlideLength());
  EXPECT_EQ(manager->GetShapeEndTime(L"none"), kNone);
}
