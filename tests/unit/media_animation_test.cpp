// Sound and video animations copy the media timing onto the objects that play them.
#include <gtest/gtest.h>

#include <vector>

#include <boost/make_shared.hpp>

#include "common/PropertySheet.h"
#include "document/Slide.h"
#include "fake_screen.h"
#include "host/Properties.h"
#include "screen/MediaAnimation.h"

namespace {

// A screen object named `name` that answers `id` with interface I.
template <class I, EInterfaceId id>
class Fake : public IScreenObject, public I {
 public:
  explicit Fake(const wchar_t* name) : name_(name) {}
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* sharesOwner,
                      EInterfaceId asked) override {
    return asked == id && AnswerInterface<I>(this, out, sharesOwner);
  }
  const double* GetBounds() override { return bounds_; }
  void GetName(std::wstring& name) override { name = name_; }

 private:
  const wchar_t* name_;
  double bounds_[4] = {0, 0, 0, 0};
};

struct MediaNode : Fake<IMediaScreenObject, eIidMediaScreenObject> {
  MediaNode() : Fake(L"media") {}
  boost::shared_ptr<IPropertySheet> GetMediaSheet() override { return sheet; }
  boost::shared_ptr<platform::PropertySheet> sheet = boost::make_shared<platform::PropertySheet>();
};

struct Player : Fake<IVideoPlayer, eIidVideoPlayer> {
  Player() : Fake(L"player") {}
  void SetStartTime(int32_t value) override { starts.push_back(value); }
  void SetSecondSetting(int32_t value) override { settings.push_back(value); }
  std::vector<int32_t> starts, settings;
};

boost::shared_ptr<platform::Media> FullMedia() {
  auto media = boost::make_shared<platform::Media>(L"m1");
  media->Set<double>(ePropMediaValue304, 0.75)
      .Set<int>(ePropMediaRepeatCount, 3)
      .Set<int>(ePropMediaValue351, 9)
      .Set<double>(ePropMediaStart, 1.5)
      .Set<double>(ePropMediaEnd, 4000.0)
      .Set<int>(ePropDelay, 250)
      .Set<int>(ePropSoundStartTime, 1040)
      .Set<int>(ePropVideoStartTime, 2080)
      .Set<int>(ePropMediaDuration, 3000)
      .Set<int>(ePropHtmlAnimIndex, 3)
      .Set<int>(ePropClickOffset, 120)
      .Set<int>(ePropMediaSetting122, 1)
      .Set<int>(ePropMediaSetting123, 2);
  return media;
}

struct Expected {
  EPropertyId key;
  double value;
};

}  // namespace

TEST(AudioAnimation, CopiesEveryRowWithItsConversion) {
  auto node = boost::make_shared<MediaNode>();
  AudioAnimation(FullMedia()).ApplyMedia(node);
  boost::shared_ptr<IInterface> out = node->sheet;
  const Expected rows[] = {
      {ePropOutSound392, 0.75},       {ePropOutMediaRepeatCount, 3}, {ePropOutSound406, 9},
      {ePropOutMediaStartMs, 1500.0}, {ePropOutMediaEnd, 4000.0},    {ePropOutDelay, 250},
      {ePropOutSoundStartTime, 1040}, {ePropOutSoundDuration, 3000}, {ePropOutHtmlAnimIndex, 3},
      {ePropOutClickOffset, 120},     {ePropOutMediaSetting122, 1},  {ePropOutMediaSetting123, 2},
  };
  for (const Expected& row : rows) EXPECT_EQ(GetDouble(out, row.key), row.value) << row.key;
  EXPECT_FALSE(Has(out, ePropOutVideoStartTime));
  EXPECT_FALSE(Has(out, ePropOutVideo393));
}

TEST(VideoAnimation, CopiesItsRowsOntoAMediaObject) {
  auto node = boost::make_shared<MediaNode>();
  VideoAnimation(FullMedia()).ApplyMedia(node);
  boost::shared_ptr<IInterface> out = node->sheet;
  const Expected rows[] = {
      {ePropOutVideo393, 0.75},       {ePropOutDelay, 250},          {ePropOutVideoStartTime, 2080},
      {ePropOutMediaStartMs, 1500.0}, {ePropOutVideoDuration, 3000}, {ePropOutMediaSetting122, 1},
      {ePropOutMediaSetting123, 2},
  };
  for (const Expected& row : rows) EXPECT_EQ(GetDouble(out, row.key), row.value) << row.key;
  EXPECT_FALSE(Has(out, ePropOutSound392));
  EXPECT_FALSE(Has(out, ePropOutSoundStartTime));
}

TEST(MediaAnimation, MissingKeysAreNotWrittenExceptTheTwoSettings) {
  auto node = boost::make_shared<MediaNode>();
  AudioAnimation(boost::make_shared<platform::Media>(L"bare")).ApplyMedia(node);
  EXPECT_EQ(node->sheet->Keys(),
            (std::vector<EPropertyId>{ePropOutMediaSetting122, ePropOutMediaSetting123}));
  boost::shared_ptr<IInterface> out = node->sheet;
  EXPECT_EQ(GetInt(out, ePropOutMediaSetting122), 0);
}

TEST(MediaAnimation, GroupsApplyToEveryMediaChildDepthFirst) {
  auto outer = fake::MakeNode(L"outer", {eIidChildList});
  auto inner = fake::MakeNode(L"inner", {eIidChildList});
  auto a = boost::make_shared<MediaNode>();
  auto b = boost::make_shared<MediaNode>();
  inner->children = {a};
  outer->children = {inner, b};
  AudioAnimation(FullMedia()).ApplyMedia(outer);
  for (const auto& node : {a, b}) {
    boost::shared_ptr<IInterface> out = node->sheet;
    EXPECT_EQ(GetDouble(out, ePropOutMediaStartMs), 1500.0);
  }
}

TEST(VideoAnimation, DrivesAVideoPlayer) {
  auto player = boost::make_shared<Player>();
  VideoAnimation(FullMedia()).ApplyMedia(player);
  EXPECT_EQ(player->starts, std::vector<int32_t>{2080});
  EXPECT_EQ(player->settings, std::vector<int32_t>{9});

  auto bare = boost::make_shared<Player>();
  VideoAnimation(boost::make_shared<platform::Media>(L"v")).ApplyMedia(bare);
  EXPECT_TRUE(bare->starts.empty());
  EXPECT_TRUE(bare->settings.empty());

  // A null video or an object that plays nothing is left alone.
  auto node = boost::make_shared<MediaNode>();
  VideoAnimation(nullptr).ApplyMedia(node);
  AudioAnimation(FullMedia()).ApplyMedia(player);
  EXPECT_TRUE(node->sheet->Keys().empty());
}
