// The filter frame: which agent each filter kind gets, the morph ratio, the
// calls on the mask list frame by frame, and which way entrances and exits
// open, on the publisher's screen objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "fake_screen.h"
#include "filter_fixtures.h"
#include "filters/BoxAgent.h"
#include "filters/DissolveOutAgent.h"
#include "filters/FadeAgent.h"
#include "filters/PeekInAgent.h"
#include "filters/WheelAgent.h"

namespace {

using namespace filters;

// Kind 1: morphing filters, peek and fade; kind 2: rebuilt every frame.
// Without a mask list each agent builds, draws nothing and does not fail.
TEST(FilterFactory, EveryFilterKindHasItsAgent) {
  for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19}) {
    boost::shared_ptr<EffectAgent> agent = MakeFilter(kind);
    ASSERT_TRUE(agent && Supports(agent, eIidFilterAgent)) << kind;
    EXPECT_EQ(agent->GetKind(), kind < 11 ? 1u : 2u) << kind;
    const bool morph = kind > 1 && kind < 11;  // not peek, fade or the per-frame ones
    EXPECT_EQ(boost::dynamic_pointer_cast<MorphFilterAgent>(agent) != nullptr, morph) << kind;
    fake::NodePtr node = fake::MakeNode(L"2", {9, 10}, 100, 100, 300, 200);
    agent->PrepareAction(node);
    for (uint32_t t : {0u, 500u, 1000u, 1500u}) agent->Apply(node, t);
    EXPECT_TRUE(node->masks.masks.empty()) << kind;
  }
  EXPECT_TRUE(MakeFilter<PeekInAgent>(0));
  EXPECT_TRUE(MakeFilter<FadeAgent>(1));
  EXPECT_TRUE(MakeFilter<DissolveOutAgent>(12));
  EXPECT_TRUE(MakeFilter<WheelAgent>(15));  // spokes by kind: wheel tests
  EXPECT_FALSE(MakeFilter(11));
}

// trunc(progress x 65535), after the acceleration profile; held to 0..65535,
// and at the end state once the effect is over.
TEST(MorphFilterAgent, RatioFollowsTheProgress) {
  const struct {
    float accel, decel;
    uint32_t t, ratio;
  } rows[] = {
      {0, 0, 0, 0},
      {0, 0, 500, 32767},
      {0, 0, 1000, 65535},
      {0, 0, 333, 21823},
      {50000, 50000, 500, 32767},
      {100000, 0, 500, 16383},
      {0, 100000, 500, 49151},
      {0, 0, 1500, 65535},
  };
  for (const auto& row : rows) {
    Stage stage(100, 100, 200, 100);
    auto box = stage.Prepare<BoxAgent>(3, {0, 0, 0, 0, 1000, row.accel, row.decel}, row.t);
    EXPECT_EQ(MorphOf(stage.Node(), *box)->Ratio(), row.ratio) << row.t;
  }
  EXPECT_EQ(MorphFilterAgent::RatioFor(-0.001), 0u);
  EXPECT_EQ(MorphFilterAgent::RatioFor(1.001), 65535u);
  EXPECT_EQ(MorphFilterAgent::RatioFor(std::nan("")), 0u);
}

// A compound that notes the calls on its mask children and keeps every child.
class Recorder : public IScreenObject, public ICompoundShape {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* shares, EInterfaceId id) override {
    return id == eIidCompoundShape && AnswerInterface<ICompoundShape>(this, out, shares);
  }
  const double* GetBounds() override { return bounds; }
  void GetName(std::wstring& name) override { name = L"2"; }
  uint32_t GetChildCount() override { return static_cast<uint32_t>(children.size()); }
  boost::shared_ptr<IScreenShape> GetChild(uint32_t i) override { return children.at(i); }
  void InsertChild(const boost::shared_ptr<IScreenShape>& c, int32_t position) override {
    children.insert(children.begin() + position, c);
    Note(c, "insert " + std::to_string(position));
  }
  void SetChildActive(bool on, const boost::shared_ptr<IScreenShape>& c) override {
    Note(c, on ? "on" : "off");
  }
  void DetachChild(const boost::shared_ptr<IScreenShape>& c) override { Note(c, "detach"); }
  // The calls since the last look; #n tells the children apart.
  std::string Take() { return std::exchange(log, std::string()); }

  double bounds[4] = {100, 100, 300, 200};
  std::vector<boost::shared_ptr<IScreenShape>> children, known;
  std::string log;

 private:
  void Note(const boost::shared_ptr<IScreenShape>& c, const std::string& what) {
    auto it = std::find(known.begin(), known.end(), c);
    if (it == known.end()) it = known.insert(known.end(), c);
    log += (log.empty() ? "" : ", ") + what + " #" + std::to_string(it - known.begin());
  }
};

// Effect from 200 to 500; a frame before the preparation has nothing to build
// on. A morph's mask is attached switched off, on while drawing, off before
// the start; the first frame after the end switches it off and on at the end
// state; then nothing. A per-frame mask is replaced every frame and attached
// for that frame only. Peek's mask is on for good.
TEST(FilterAgents, MaskCallsInOrder) {
  const std::pair<int, const char*> rows[] = {
      {3,
       "prepare: insert 0 #0, off #0 | 300: on #0 | 400: on #0 | 650: off #0, on #0 | 700:  | "
       "100: off #0"},
      {14,
       "prepare:  | 300: insert 0 #0, detach #0, on #0 | "
       "400: detach #0, insert 0 #1, detach #1, on #1 | "
       "650: detach #1, insert 0 #2, detach #2, on #2 | 700:  | 100: off #2"},
      {0, "prepare: insert 0 #0, on #0 | 300:  | 400:  | 650:  | 700:  | 100: "},
  };
  for (const auto& row : rows) {
    auto host = boost::make_shared<Recorder>();
    auto agent = MakeFilter(row.first, {0, 0, 0, 200, 300});
    agent->Apply(host, 300);
    agent->PrepareAction(host);
    std::string calls = "prepare: " + host->Take();
    for (uint32_t t : {300u, 400u, 650u, 700u, 100u}) {
      agent->Apply(host, t);
      calls += " | " + std::to_string(t) + ": " + host->Take();
    }
    EXPECT_EQ(calls, row.second) << row.first;
  }
}

struct Probe {
  double x, y;
  bool entrance, exit;  // visible half way through
};

// Shape (100, 100)-(300, 200), half way through: where each mask has opened
// (entrance) or closed (exit). The transition follows the preset class, as
// in decks.
TEST(FilterAgents, WhereEntrancesAndExitsOpen) {
  const struct {
    const char* name;
    int kind, subtype;
    std::vector<Probe> probes;
  } rows[] = {
      {"box out", 3, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"box in", 3, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"circle out", 5, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"circle in", 5, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"diamond out", 4, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"plus in", 7, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"split horizontal in", 6, 10, {{200, 150, false, true}, {200, 105, true, false}}},
      {"split vertical in", 6, 11, {{200, 150, false, true}, {105, 150, true, false}}},
      {"split horizontal out", 6, 12, {{200, 150, true, false}, {200, 105, false, true}}},
      {"split vertical out", 6, 13, {{200, 150, true, false}, {105, 150, false, true}}},
      {"wipe from the left", 8, 0, {{120, 150, true, false}, {280, 150, false, true}}},
      {"wipe from the bottom", 8, 2, {{200, 110, false, true}, {200, 190, true, false}}},
      // Cells of 30 x 22 from (95, 95); both ways the slivers are half open.
      {"checkerboard down", 9, 0, {{110, 100, true, true}, {110, 115, false, false}}},
      {"checkerboard across", 9, 8, {{100, 110, true, true}, {120, 110, false, false}}},
      // Bands of 24 from (80, 80); half open both ways.
      {"blinds", 2, 0, {{157, 150, true, true}, {172, 150, false, false}}},
      // From the bottom right (4), top left (7), bottom left (5), top right
      // (6); an exit is its entrance backwards, so that corner goes last.
      {"strips 4", 10, 4, {{290, 190, true, true}, {110, 110, false, false}}},
      {"strips 7", 10, 7, {{110, 110, true, true}, {290, 190, false, false}}},
      {"strips 5", 10, 5, {{110, 190, true, true}, {290, 110, false, false}}},
      {"strips 6", 10, 6, {{290, 110, true, true}, {110, 190, false, false}}},
      // One spoke: the right half, or for an exit the left.
      {"wheel", 15, 0, {{250, 150, true, false}, {150, 150, false, true}}},
  };
  for (const auto& row : rows) {
    for (int presetClass : {0, 1}) {
      Stage stage(100, 100, 200, 100);
      stage.Prepare(row.kind, {presetClass, row.subtype, presetClass}, 500);
      for (const Probe& p : row.probes)
        EXPECT_EQ(Visible(stage.Node(), p.x, p.y), presetClass ? p.exit : p.entrance)
            << row.name << (presetClass ? " exit" : " entrance") << " at " << p.x << "," << p.y;
    }
  }
  // Neither entrance nor exit: a morph without shapes, which does not clip.
  Stage stage(100, 100, 200, 100);
  auto box = stage.Prepare<BoxAgent>(3, Params{2}, 500);
  EXPECT_FALSE(MorphOf(stage.Node(), *box)->Start());
  EXPECT_TRUE(Visible(stage.Node(), 105, 105));
  // Blinds go by the transition alone: an exit with transition 0 opens.
  Stage other(100, 100, 200, 100);
  auto blinds = other.Prepare(2, Params{1}, 0);
  EXPECT_FALSE(Visible(other.Node(), 172, 150));
  blinds->Apply(other.Target(), 1000);
  EXPECT_TRUE(Visible(other.Node(), 172, 150));
}

}  // namespace
