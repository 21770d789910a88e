// The manager's read-back: a fresh manager, look-ups, activity and revealed parts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

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
  EXPECT_EQ((std::vector<uint32_t>{
                manager->GetSlideLength(), manager->GetSlideLengthAfterTriggers(),
                manager->GetStepCount(), manager->GetBookmarkTriggerCount(),
                manager->GetShapeAnimationCount(L"2"), manager->GetShapeStartTime(L"2")}),
            (std::vector<uint32_t>{kNone, kNone, 0, 0, 0, kNone}));
  EXPECT_FALSE(manager->HasAnimations() || manager->HasMarkedAnimation(L"2"));
  boost::shared_ptr<IAudioAnimation> audio;
  manager->GetAudioAnimation(audio, L"m");
  EXPECT_FALSE(audio);
  boost::shared_ptr<IScreenAnimation> animation;
  EXPECT_THROW(manager->GetShapeAnimation(animation, L"2", 0), std::out_of_range);
  EXPECT_EQ(manager->GetJsonContent(), LR"({"effects":[],"sounds":{},"timelines":[]})");
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

// The shape's animations by index, and the parts its entrances reveal.
TEST_F(ManagerTest, ShapeAnimationsAndRevealedParts) {
  auto manager = BuildShape({0, 2, 0, 1});
  ASSERT_EQ(manager->GetShapeAnimationCount(L"2"), 4u);
  boost::shared_ptr<IScreenAnimation> second;
  manager->GetShapeAnimation(second, L"2", 1);
  EXPECT_EQ(second, made[1]);
  EXPECT_THAT(
      [&] { manager->GetShapeAnimation(second, L"2", 4); },
      testing::ThrowsMessage<std::out_of_range>(testing::StrEq("invalid vector<T> subscript")));
  made[0]->targetNames = {L"2/p0"};              // entrance
  made[1]->targetNames = {L"2/p1"};              // emphasis: shown before
  made[2]->targetNames = {L"2/p1", L"2/shape"};  // entrance after the emphasis
  made[3]->targetNames = {L"2/p2"};              // exit, starting hidden
  made[3]->hidden = 1;

  auto fill = Part(L"2/shape/fill"), p0 = Part(L"2/p0"), p1 = Part(L"2/p1"), p2 = Part(L"2/p2");
  auto geometry = Part(L"2/shape", {fill});
  auto shape = Part(L"2", {geometry, Part(L"2/text", {p0, p1, p2})});

  auto stranger = Part(L"9");
  auto alphas = [&] {
    std::vector<double> out;
    for (const auto& node : {p0, fill, geometry, p1, p2, stranger})
      out.push_back(node->colour.alphaMul);
    return out;
  };
  // A compound part hides through its parts; an earlier emphasis shows its
  // part first; hidden exits count only when not ignored.
  manager->HideRevealedParts(shape, true);
  EXPECT_EQ(alphas(), (std::vector<double>{0, 0, 1, 1, 1, 1}));
  manager->HideRevealedParts(shape, false);
  manager->HideRevealedParts(stranger, false);
  EXPECT_EQ(alphas(), (std::vector<double>{0, 0, 1, 1, 0, 1}));
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
