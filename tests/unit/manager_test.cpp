// The manager's read-back: a fresh manager, look-ups, activity and revealed parts.
#include <gtest/gtest.h>

#include <set>

#include "common/PropertySheet.h"
#include "document/Slide.h"
#include "fake_animation.h"
#include "fake_screen.h"

namespace {

const uint32_t kNone = 0xFFFFFFFFu;

// A screen node: compound (8, 10) when it has parts, a leaf (9) otherwise.
fake::NodePtr Part(const std::wstring& name,
                   std::vector<boost::shared_ptr<IScreenObject>> parts = {}) {
  auto node = fake::MakeNode(name, parts.empty() ? std::set<int>{9} : std::set<int>{8, 9, 10}, 0, 0,
                             10, 10);
  node->children = std::move(parts);
  return node;
}

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { IWebdeckSlide::ResetInstance(); }
  void TearDown() override { IWebdeckSlide::ResetInstance(); }

  // One shape "2" with one effect per entry; returns the fakes.
  boost::shared_ptr<AnimationManager> BuildShape(std::initializer_list<int> presetClasses,
                                                 uint32_t frameRate = 25) {
    slide = boost::make_shared<platform::Slide>();
    slide->AddShape(L"2");
    for (int presetClass : presetClasses)
      slide->Effects()->AddEffect(L"2").PresetClass(presetClass).NodeType(0).SetOwnDuration(500);
    made.clear();
    auto manager =
        MakeFakeManager(boost::make_shared<PublishContext>(540.0, 720.0, frameRate, 0), &made);
    manager->BuildSlide(slide, 0, 0);
    return manager;
  }

  boost::shared_ptr<platform::Slide> slide;
  std::vector<boost::shared_ptr<FakeAnimation>> made;
};

}  // namespace

TEST_F(ManagerTest, FreshManagerReadsBackNothing) {
  boost::shared_ptr<IAnimationManager> manager =
      IAnimationManager::Create(boost::make_shared<PublishContext>());
  EXPECT_EQ(manager->GetSlideLength(), kNone);
  EXPECT_EQ(manager->GetSlideLengthAfterTriggers(), kNone);
  EXPECT_FALSE(manager->HasAnimations());
  EXPECT_EQ(manager->GetStepCount(), 0u);
  EXPECT_EQ(manager->GetBookmarkTriggerCount(), 0u);
  EXPECT_EQ(manager->GetShapeAnimationCount(L"2"), 0u);
  EXPECT_FALSE(manager->HasMarkedAnimation(L"2"));
  EXPECT_EQ(manager->GetShapeStartTime(L"2"), kNone);
  boost::shared_ptr<IAudioAnimation> audio;
  manager->GetAudioAnimation(audio, L"m");
  EXPECT_FALSE(audio);
  boost::shared_ptr<IScreenAnimation> animation;
  EXPECT_THROW(manager->GetShapeAnimation(animation, L"2", 0), std::out_of_range);
  EXPECT_EQ(manager->GetJsonContent(), LR"({"effects":[],"sounds":{},"timelines":[]})");
}

TEST_F(ManagerTest, ShapeAnimationsByIndex) {
  auto manager = BuildShape({0, 2});
  ASSERT_EQ(manager->GetShapeAnimationCount(L"2"), 2u);
  boost::shared_ptr<IScreenAnimation> second;
  manager->GetShapeAnimation(second, L"2", 1);
  EXPECT_EQ(second, made[1]);
  try {
    manager->GetShapeAnimation(second, L"2", 2);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
}

// Active from the start to three frames past the end, and always within the
// first frame; a frame rate of 0 counts as one frame a second.
TEST_F(ManagerTest, ShapeIsActiveAroundItsAnimations) {
  const struct {
    uint32_t rate;
    uint32_t t;
    bool active;
  } rows[] = {{25, 0, true},    {25, 39, true},   {25, 40, false},   {25, 1999, false},
              {25, 2000, true}, {25, 2620, true}, {25, 2621, false}, {25, kNone, false},
              {0, 999, true},   {0, 1000, false}, {0, 2000, true},   {0, 5500, true},
              {0, 5501, false}};
  for (const auto& row : rows) {
    auto manager = BuildShape({0}, row.rate);
    made[0]->start = 2000;  // lasts 500
    EXPECT_EQ(manager->IsShapeActiveAt(slide->FindShape(L"2"), row.t), row.active)
        << row.rate << " fps at " << row.t;
  }
  auto other = boost::make_shared<platform::Shape>(L"other");
  EXPECT_TRUE(BuildShape({0})->IsShapeActiveAt(other, 5000)) << "a shape without animations";
}

TEST_F(ManagerTest, HideRevealedPartsHidesWhatEntrancesReveal) {
  auto manager = BuildShape({0, 2, 0, 1});
  made[0]->targetNames = {L"2/p0"};              // entrance
  made[1]->targetNames = {L"2/p1"};              // emphasis: shown before
  made[2]->targetNames = {L"2/p1", L"2/shape"};  // entrance after the emphasis
  made[3]->targetNames = {L"2/p2"};              // exit, starting hidden
  made[3]->hidden = 1;

  auto fill = Part(L"2/shape/fill"), p0 = Part(L"2/p0"), p1 = Part(L"2/p1"), p2 = Part(L"2/p2");
  auto geometry = Part(L"2/shape", {fill});
  auto shape = Part(L"2", {geometry, Part(L"2/text", {p0, p1, p2})});

  manager->HideRevealedParts(shape, true);
  EXPECT_EQ(p0->colour.alphaMul, 0.0);
  EXPECT_EQ(fill->colour.alphaMul, 0.0) << "a compound part hides through its parts";
  EXPECT_EQ(geometry->colour.alphaMul, 1.0);
  EXPECT_EQ(p1->colour.alphaMul, 1.0) << "an earlier emphasis shows it first";
  EXPECT_EQ(p2->colour.alphaMul, 1.0) << "hidden exits count only when not ignored";

  manager->HideRevealedParts(shape, false);
  EXPECT_EQ(p2->colour.alphaMul, 0.0);

  auto stranger = Part(L"9");
  manager->HideRevealedParts(stranger, false);
  EXPECT_EQ(stranger->colour.alphaMul, 1.0);
}

TEST_F(ManagerTest, MarkedAnimationsAreFoundOnTheEffectNode) {
  auto slide = boost::make_shared<platform::Slide>();
  slide->AddShape(L"2");
  slide->AddShape(L"3");
  platform::Effect& marked = slide->Effects()->AddEffect(L"2");
  marked.PresetClass(0).NodeType(0).Set<std::wstring>(ePropAnimationMark, L"Series 1");
  marked.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, eFilterFade).Duration(500);
  platform::Effect& plain = slide->Effects()->AddEffect(L"3");
  plain.PresetClass(0).NodeType(0).Set<std::wstring>(ePropAnimationMark, L"");
  plain.AddBehaviour(eBehaviourFilter).Set<int>(ePropFilterKind, eFilterFade).Duration(500);
  boost::shared_ptr<IAnimationManager> manager =
      IAnimationManager::Create(boost::make_shared<PublishContext>(540.0, 720.0, 25, 0));
  manager->BuildSlide(slide, 0, 0);
  EXPECT_TRUE(manager->HasMarkedAnimation(L"2"));
  EXPECT_FALSE(manager->HasMarkedAnimation(L"3"));
  EXPECT_FALSE(manager->HasMarkedAnimation(L"4"));
}
