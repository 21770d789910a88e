// The frame driver's cost per frame, without drawing: the reset of every
// screen object and the calls into the screen animations.
#include <benchmark/benchmark.h>

#include <map>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "manager/IAnimationManager.h"
#include "publisher/FrameDriver.h"

namespace {

boost::shared_ptr<platform::Slide> TwentyTextShapes() {
  auto slide = boost::make_shared<platform::Slide>();
  for (int i = 0; i < 20; ++i) {
    const std::wstring id = std::to_wstring(i + 2);
    slide->AddShape(id)
        .SetBounds(20 + (i % 5) * 188, 20 + (i / 5) * 130, 170, 110)
        .SetSolidFill({200, 100, 50, 255})
        .SetText({L"Shape " + id, L"with a second line of text"});
    platform::Effect& effect = slide->Effects()->AddEffect(id);
    effect.PresetClass(0).NodeType(i == 0 ? 0 : 1);
    effect.Set<int>(ePropIterateType, 1).Set<int>(ePropIterateTime, 100);
    effect.AddBehaviour(eBehaviourSet)
        .Set<int>(ePropAttribute, 7)
        .Set<std::wstring>(ePropToValueText, L"visible")
        .Duration(1);
    effect.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, eFilterFade).Duration(500);
  }
  return slide;
}

// The slide's own effects, built by the animation library.
void BM_DriverFrame(benchmark::State& state) {
  auto slide = TwentyTextShapes();
  auto manager = IAnimationManager::Create(boost::make_shared<PublishContext>(540.0, 960.0, 25, 0));
  manager->BuildSlide(slide, 0, 0);
  auto screen = platform::SlideScreen::Build(slide);
  platform::FrameDriver driver(manager, screen);
  driver.Build();
  uint32_t t = 0;
  for (auto _ : state) {
    driver.Frame(t);
    t = (t + 40) % 4000;
  }
  state.counters["animations"] = static_cast<double>(driver.AnimationCount());
  state.counters["nodes"] = static_cast<double>(screen->NodeCount());
}
BENCHMARK(BM_DriverFrame);

// A stand-in animation that moves every node it is filed under, for the
// driver's own overhead whatever the library builds.
class MoveAnimation : public IScreenAnimation {
 public:
  explicit MoveAnimation(std::map<std::wstring, uint32_t> names) : names_(std::move(names)) {}
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  void ComputeDuration(const boost::shared_ptr<IShape>&) override {}
  void Build(const boost::shared_ptr<IScreenObject>&, const std::vector<AnimationStep>&) override {}
  void Apply(const boost::shared_ptr<IScreenObject>& target, uint32_t time) override {
    if (auto c = QueryAs<IShapeContext>(target, eIidScreenShape9)) c->GetTransform()[0] += time;
  }
  void SetStartTime(uint32_t) override {}
  uint32_t GetStartTime() override { return 0; }
  uint32_t GetDuration() override { return 0; }
  bool IsFinal() override { return false; }
  uint32_t GetTargetMode() override { return 1; }
  int32_t GetPresetClass() override { return 0; }
  int32_t GetNodeType() override { return 0; }
  void CollectTargetNames(std::map<std::wstring, uint32_t>& names) override {
    names.insert(names_.begin(), names_.end());
  }
  bool HasSound() override { return false; }
  bool RemoveSoundBehaviour(const boost::shared_ptr<IInterface>&) override { return false; }
  void SetTag(uint32_t) override {}
  uint32_t GetTag() override { return 0; }
  void GetSoundAction(boost::shared_ptr<IActionObject>&, const boost::shared_ptr<IScreenObject>&,
                      uint32_t) override {}
  void GetEffectName(std::wstring&) override {}
  void GetEffectId(std::wstring&) override {}
  void SetHtmlDelayOffset(uint32_t) override {}
  void AttachHtmlManager(const boost::shared_ptr<WebdeckAnimationManager>&) override {}
  void ComputeInitiallyHidden() override {}
  uint32_t IsInitiallyHidden() override { return 0; }
  bool HasColorBehaviour() override { return false; }
  void MarkClickSubAnimations() override {}
  uint32_t GetRepeatCount() override { return 1; }

 private:
  std::map<std::wstring, uint32_t> names_;
};

class WordManager : public IAnimationManager {
 public:
  explicit WordManager(const platform::SlideScreen& screen) {
    // Two animations per shape, filed under the geometry part and each word.
    for (const auto& shape : screen.Shapes()) {
      std::map<std::wstring, uint32_t> names{{shape->Name() + L"/shape", 0}};
      shape->Walk([&](platform::ScreenNode& n) {
        if (n.GetRole() == platform::ScreenNode::Role::Word) names[n.Name()] = 0;
      });
      animations_[shape->Name()] = {boost::make_shared<MoveAnimation>(names),
                                    boost::make_shared<MoveAnimation>(names)};
    }
  }
  bool QueryInterface(boost::shared_ptr<IInterface>*, bool*, EInterfaceId) override {
    return false;
  }
  void BuildSlide(const boost::shared_ptr<ISlide>&, int32_t, int32_t) override {}
  uint32_t GetSlideLength() override { return 0; }
  uint32_t GetSlideLengthAfterTriggers() override { return 0; }
  uint32_t GetShapeStartTime(std::wstring) override { return 0; }
  uint32_t GetShapeEndTime(std::wstring) override { return 0; }
  uint32_t GetShapeAnimationCount(std::wstring id) override {
    auto it = animations_.find(id);
    return it == animations_.end() ? 0 : static_cast<uint32_t>(it->second.size());
  }
  void GetShapeAnimation(boost::shared_ptr<IScreenAnimation>& out, std::wstring id,
                         uint32_t index) override {
    out = animations_.at(id).at(index);
  }
  void GetAudioAnimation(boost::shared_ptr<IAudioAnimation>&, const std::wstring&) override {}
  void GetVideoAnimation(boost::shared_ptr<IVideoAnimation>&, const std::wstring&) override {}
  void HideRevealedParts(const boost::shared_ptr<IScreenObject>&, bool) override {}
  uint32_t GetStepCount() override { return 0; }
  void GetStep(AnimationStep&, uint32_t) override {}
  uint32_t GetBookmarkTriggerCount() override { return 0; }
  void GetBookmarkTrigger(BookmarkTrigger&, uint32_t) override {}
  bool IsShapeActiveAt(const boost::shared_ptr<IShape>&, uint32_t) override { return true; }
  bool HasAnimations() override { return true; }
  bool HasMarkedAnimation(std::wstring) override { return false; }
  std::wstring GetJsonContent() override { return std::wstring(); }

 private:
  std::map<std::wstring, std::vector<boost::shared_ptr<IScreenAnimation>>> animations_;
};

void BM_DriverFrameStandIn(benchmark::State& state) {
  auto screen = platform::SlideScreen::Build(TwentyTextShapes());
  platform::FrameDriver driver(boost::make_shared<WordManager>(*screen), screen);
  driver.Build();
  uint32_t t = 0;
  for (auto _ : state) {
    driver.Frame(t);
    t = (t + 40) % 4000;
  }
  state.counters["animations"] = static_cast<double>(driver.AnimationCount());
  state.counters["nodes"] = static_cast<double>(screen->NodeCount());
}
BENCHMARK(BM_DriverFrameStandIn);

}  // namespace
