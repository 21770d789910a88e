// The frame driver against stand-ins of the manager and its screen
// animations: what it builds against, the order it applies in, the reset
// between frames, sounds and media.
#include <gtest/gtest.h>

#include <map>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "fake_animation.h"
#include "host/Properties.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"

using namespace platform;

namespace {

std::wstring NameOf(const boost::shared_ptr<IScreenObject>& object) {
  std::wstring name;
  object->GetName(name);
  return name;
}

// What the stand-ins were asked to do, in order.
std::vector<std::wstring> calls;

// Logs each target it is applied to under its tag, moves it right by t and
// shows it; it has a sound at `soundAt` when that is not 0.
class DrivenAnimation : public FakeAnimation {
 public:
  DrivenAnimation(std::wstring tag, uint32_t mode, std::vector<std::wstring> names)
      : FakeAnimation(nullptr), tag(std::move(tag)), mode(mode) {
    targetNames = std::move(names);
    duration = 1000;
  }
  void Build(const boost::shared_ptr<IScreenObject>& target,
             const std::vector<AnimationStep>& steps) override {
    builtOn = NameOf(target);
    stepCount = steps.size();
  }
  void Apply(const boost::shared_ptr<IScreenObject>& target, uint32_t time) override {
    calls.push_back(tag + L":" + NameOf(target));
    if (auto context = QueryAs<IShapeContext>(target, eIidScreenShape9)) {
      context->GetTransform()[0] += time;
      context->GetColorTransform()->alphaMul = 1.0;
    }
  }
  uint32_t GetTargetMode() override { return mode; }
  bool HasSound() override { return soundAt != 0; }
  void GetSoundAction(boost::shared_ptr<IActionObject>& action,
                      const boost::shared_ptr<IScreenObject>&, uint32_t time) override {
    if (time == soundAt) action = CreateScreenActionObject(eActionTypeSound, eSoundTypeEffect);
  }

  std::wstring builtOn;
  size_t stepCount = 0;
  uint32_t soundAt = 0;
  std::wstring tag;
  uint32_t mode;
};

class FakeMedia : public IAudioAnimation, public IVideoAnimation {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  void ApplyMedia(const boost::shared_ptr<IScreenObject>& target) override {
    calls.push_back(L"media:" + NameOf(target));
  }
};

// A manager that answers what the driver asks from the test's animations;
// what the driver does not ask it leaves to the library's manager.
class FakeManager : public AnimationManager {
 public:
  FakeManager() : AnimationManager(boost::make_shared<PublishContext>()) {}
  uint32_t GetShapeAnimationCount(std::wstring id) override {
    return animations.count(id) ? static_cast<uint32_t>(animations[id].size()) : 0;
  }
  void GetShapeAnimation(boost::shared_ptr<IScreenAnimation>& out, std::wstring id,
                         uint32_t index) override {
    out = animations.at(id).at(index);
  }
  void GetAudioAnimation(boost::shared_ptr<IAudioAnimation>& out, const std::wstring& id) override {
    if (id == L"snd") out = boost::make_shared<FakeMedia>();
  }
  void GetVideoAnimation(boost::shared_ptr<IVideoAnimation>& out, const std::wstring& id) override {
    if (id == L"4") out = boost::make_shared<FakeMedia>();
  }
  // Hides the text body, as the real one hides what entrances reveal.
  void HideRevealedParts(const boost::shared_ptr<IScreenObject>& object,
                         bool ignoreHidden) override {
    calls.push_back(L"hide:" + NameOf(object) + (ignoreHidden ? L"!" : L""));
    auto parts = QueryAs<IChildList>(object, eIidChildList);
    for (uint32_t i = 0; parts && i < parts->GetChildCount(); ++i)
      if (NameOf(parts->GetChild(i)) == L"2/text")
        QueryAs<IShapeContext>(parts->GetChild(i), eIidScreenShape9)
            ->GetColorTransform()
            ->alphaMul = 0.0;
  }
  uint32_t GetStepCount() override { return 2; }
  void GetStep(AnimationStep& out, uint32_t index) override { out.startTime = index * 1000; }

  std::map<std::wstring, std::vector<boost::shared_ptr<IScreenAnimation>>> animations;
};

using Names = std::vector<std::wstring>;

class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    auto slide = boost::make_shared<Slide>();
    slide->AddShape(L"2")
        .SetBounds(0, 0, 200, 100)
        .SetSolidFill({9, 9, 9, 255})
        .SetText({L"one two"});
    slide->AddShape(L"3").SetBounds(0, 200, 50, 50);
    slide->AddShape(L"4").SetBounds(300, 0, 50, 50).SetMedia(MediaKind::Video);
    slide->Effects()->AddSound(L"snd");
    slide->Effects()->AddVideo(L"4");
    screen = SlideScreen::Build(slide);
    shapeAnim = boost::make_shared<DrivenAnimation>(
        L"A", 1, Names{L"2/shape", L"2/text", L"2/p0/w1", L"elsewhere"});
    textAnim = boost::make_shared<DrivenAnimation>(L"B", 0, Names{L"2/runs/text", L"3"});
    soundAnim = boost::make_shared<DrivenAnimation>(L"C", 1, Names{L"3"});
    soundAnim->soundAt = 200;
    auto manager = boost::make_shared<FakeManager>();
    manager->animations = {{L"2", {shapeAnim, textAnim}}, {L"3", {soundAnim}}};
    driver = boost::make_shared<FrameDriver>(manager, screen);
    driver->Build();
  }
  // The x offset of each node's frame transform, or its alpha factor.
  std::vector<double> Tx(const Names& names) {
    std::vector<double> out;
    for (const auto& name : names)
      out.push_back(
          QueryAs<IShapeContext>(screen->Find(name), eIidScreenShape9)->GetTransform()[0]);
    return out;
  }
  double Alpha(const std::wstring& name) {
    return QueryAs<IShapeContext>(screen->Find(name), eIidScreenShape9)
        ->GetColorTransform()
        ->alphaMul;
  }

  boost::shared_ptr<SlideScreen> screen;
  boost::shared_ptr<DrivenAnimation> shapeAnim, textAnim, soundAnim;
  boost::shared_ptr<FrameDriver> driver;
};

TEST_F(Driver, BuildsAgainstTheTargetOfEachModeAndAppliesInManagerAndTreeOrder) {
  EXPECT_EQ((Names{shapeAnim->builtOn, textAnim->builtOn, soundAnim->builtOn}),
            (Names{L"2", L"2/runs", L"3"}));
  EXPECT_EQ(shapeAnim->stepCount, 2u);
  ASSERT_EQ(driver->Steps().size(), 2u);
  EXPECT_EQ(driver->Steps()[1].startTime, 1000u);
  EXPECT_EQ(driver->AnimationCount(), 3u);
  EXPECT_EQ(calls,
            (Names{L"hide:2", L"hide:3", L"media:snd/media", L"media:4/media", L"media:4/player"}));
  calls.clear();
  driver->Frame(100);
  EXPECT_EQ(calls,
            (Names{L"A:2/shape", L"A:2/text", L"A:2/p0/w1", L"B:2/runs/text", L"B:3", L"C:3"}));
}

TEST_F(Driver, EveryFrameStartsFromTheBuiltStateAndCollectsSounds) {
  // Hidden by HideRevealedParts at build time: hidden again at every frame start.
  std::vector<SoundCue> sounds;
  driver->Frame(100, &sounds);
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(Tx({L"2/shape", L"3"}), (std::vector<double>{100, 200}));  // "3" twice animated
  EXPECT_DOUBLE_EQ(Alpha(L"2/text"), 1.0);
  driver->Frame(40);  // going back
  EXPECT_EQ(Tx({L"2/shape", L"2/p0/w0"}), (std::vector<double>{40, 0}));
  screen->ResetFrame();
  EXPECT_DOUBLE_EQ(Alpha(L"2/text"), 0.0);
  EXPECT_EQ(Tx({L"2/shape"}), std::vector<double>{0});
  driver->Frame(200, &sounds);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ((Names{sounds[0].shapeId, sounds[0].targetName}), (Names{L"3", L"3"}));
  EXPECT_TRUE(sounds[0].action->PlaysPerUnit());
}

TEST(DriverEdges, NothingToDriveIsFine) {
  FrameDriver empty(boost::make_shared<FakeManager>(),
                    SlideScreen::Build(boost::make_shared<Slide>()));
  empty.Build();
  empty.Build();  // a second build does nothing
  empty.Frame(0);
  EXPECT_EQ(empty.AnimationCount(), 0u);
  FrameDriver none{boost::shared_ptr<IAnimationManager>(), boost::shared_ptr<SlideScreen>()};
  none.Build();
  none.Frame(10);
}

}  // namespace
