// The filter frame on the publisher's screen objects: which agent each filter
// kind gets, how a morphing filter's mask is attached and switched, how a
// per-frame filter replaces its mask, and which way entrances and exits go.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fake_screen.h"
#include "filter_fixtures.h"
#include "filters/BlindsAgent.h"
#include "filters/BoxAgent.h"
#include "filters/CheckerBoardAgent.h"
#include "filters/CircleAgent.h"
#include "filters/DiamondAgent.h"
#include "filters/DissolveOutAgent.h"
#include "filters/FadeAgent.h"
#include "filters/PeekInAgent.h"
#include "filters/PlusAgent.h"
#include "filters/RandomBarsAgent.h"
#include "filters/SplitAgent.h"
#include "filters/StripsAgent.h"
#include "filters/WedgeAgent.h"
#include "filters/WheelAgent.h"
#include "filters/WipeAgent.h"

namespace {

using filters::MakeFilter;
using filters::MakeFilterAs;
using filters::Params;
using filters::Stage;

template <class A>
bool Is(EffectAgent* agent) {
  return dynamic_cast<A*>(agent) != nullptr;
}

TEST(FilterFactory, EveryFilterKindHasItsAgent) {
  const struct {
    int kind;
    bool (*is)(EffectAgent*);
    uint32_t agentKind;  // 1 morphing (and peek, fade), 2 rebuilt per frame
    int32_t spokes;
  } rows[] = {
      {0, Is<PeekInAgent>, 1, 0},      {1, Is<FadeAgent>, 1, 0},
      {2, Is<BlindsAgent>, 1, 0},      {3, Is<BoxAgent>, 1, 0},
      {4, Is<DiamondAgent>, 1, 0},     {5, Is<CircleAgent>, 1, 0},
      {6, Is<SplitAgent>, 1, 0},       {7, Is<PlusAgent>, 1, 0},
      {8, Is<WipeAgent>, 1, 0},        {9, Is<CheckerBoardAgent>, 1, 0},
      {10, Is<StripsAgent>, 1, 0},     {12, Is<DissolveOutAgent>, 2, 0},
      {13, Is<RandomBarsAgent>, 2, 0}, {14, Is<WedgeAgent>, 2, 0},
      {15, Is<WheelAgent>, 2, 1},      {16, Is<WheelAgent>, 2, 2},
      {17, Is<WheelAgent>, 2, 3},      {18, Is<WheelAgent>, 2, 4},
      {19, Is<WheelAgent>, 2, 8},
  };
  for (const auto& row : rows) {
    boost::shared_ptr<EffectAgent> agent = MakeFilter(row.kind);
    ASSERT_TRUE(agent) << row.kind;
    EXPECT_TRUE(row.is(agent.get())) << row.kind;
    EXPECT_EQ(agent->GetKind(), row.agentKind) << row.kind;
    EXPECT_TRUE(Supports(agent, eIidFilterAgent)) << row.kind;
    EXPECT_EQ(agent->AppliesToShape(), 1u) << row.kind;
    if (auto wheel = boost::dynamic_pointer_cast<WheelAgent>(agent)) {
      EXPECT_EQ(wheel->Spokes(), row.spokes) << row.kind;
    }
  }
  EXPECT_FALSE(MakeFilter(11));
}

// The morph's ratio follows the progress, truncated.
TEST(MorphFilterAgent, RatioFollowsTheProgress) {
  const struct {
    float accel, decel;
    uint32_t t;
    uint32_t ratio;
  } rows[] = {
      {0, 0, 0, 0},
      {0, 0, 500, 32767},
      {0, 0, 1000, 65535},
      {0, 0, 333, 21823},  // 0.333 x 65535 = 21823.155
      {50000, 50000, 500, 32767},
      {100000, 0, 500, 16383},  // a quarter of the way at half the time
      {0, 100000, 500, 49151},
  };
  for (const auto& row : rows) {
    Stage stage(100, 100, 200, 100);
    Params params;
    params.accel = row.accel;
    params.decel = row.decel;
    auto box = MakeFilterAs<BoxAgent>(3, params);
    box->PrepareAction(stage.Target());
    box->Apply(stage.Target(), row.t);
    auto mask = filters::MaskNamed(stage.Node(), box->MaskName());
    ASSERT_TRUE(mask);
    EXPECT_TRUE(filters::IsActive(stage.Node(), mask));
    EXPECT_EQ(filters::Ours(filters::Ours(mask)->Content())->Ratio(), row.ratio)
        << row.accel << "/" << row.decel << " at " << row.t;
  }
  EXPECT_EQ(MorphFilterAgent::RatioFor(-0.001), 0u);
  EXPECT_EQ(MorphFilterAgent::RatioFor(1.001), 65535u);
  EXPECT_EQ(MorphFilterAgent::RatioFor(std::nan("")), 0u);
}

// Attached switched off; on while the agent draws; off before the start; on
// once more, at the end, on the first frame after it; then left alone.
TEST(MorphFilterAgent, SwitchesItsMaskAroundTheInterval) {
  Stage stage(100, 100, 200, 100);
  Params params;
  params.start = 200;
  params.duration = 300;
  auto box = MakeFilterAs<BoxAgent>(3, params);
  box->PrepareAction(stage.Target());
  stage.screen->CaptureAuthored();
  ASSERT_EQ(stage.Node().Frame().masks.size(), 1u);
  const auto mask = stage.Node().Frame().masks[0].shape;
  EXPECT_EQ(filters::NameOf(mask), box->MaskName());
  EXPECT_FALSE(filters::IsActive(stage.Node(), mask));
  EXPECT_TRUE(Supports(filters::Ours(mask)->Content(), eIidMorphShape));
  auto ratio = [&] { return filters::Ours(filters::Ours(mask)->Content())->Ratio(); };

  const struct {
    uint32_t t;
    bool reset;  // a publisher frame (reset first) or a second call on the same frame
    bool active;
    uint32_t ratio;
  } frames[] = {
      {100, true, false, 0},      {300, true, true, 21845},
      {100, false, false, 21845}, {650, true, true, 65535},
      {700, true, false, 65535},  {250, true, true, 10922},  // back inside: drawn again
  };
  for (const auto& f : frames) {
    if (f.reset) stage.screen->ResetFrame();
    box->Apply(stage.Target(), f.t);
    EXPECT_EQ(filters::IsActive(stage.Node(), mask), f.active) << f.t;
    EXPECT_EQ(ratio(), f.ratio) << f.t;
  }

  // Played backwards, the start state is drawn before the start.
  auto reversed = MakeFilterAs<BoxAgent>(3, params);
  reversed->SetReversed(1);
  Stage other(100, 100, 200, 100);
  reversed->PrepareAction(other.Target());
  reversed->Apply(other.Target(), 100);
  const auto back = filters::MaskNamed(other.Node(), reversed->MaskName());
  EXPECT_TRUE(filters::IsActive(other.Node(), back));
  EXPECT_EQ(filters::Ours(filters::Ours(back)->Content())->Ratio(), 0u);
}

// The preset class picks the morph's ends; neither entrance nor exit leaves
// the morph empty, and such a mask does not clip.
TEST(InOutAgent, PresetClassPicksTheMorph) {
  Stage stage(100, 100, 200, 100);
  const struct {
    const char* name;
    int presetClass, subtype;
    // What the start and end are: 'c' collapsed rect, 'f' full rect, 'e' the
    // group that shows nothing, 'h' the bounds with the collapsed shape cut
    // out, '-' none.
    char start, end;
  } rows[] = {
      {"entrance outward", 0, 0, 'c', 'f'}, {"entrance inward", 0, 14, 'e', 'h'},
      {"exit inward", 1, 14, 'f', 'c'},     {"exit outward", 1, 0, 'h', 'e'},
      {"emphasis", 2, 0, '-', '-'},         {"unset", -1, 0, 'c', 'f'},
  };
  auto what = [](const boost::shared_ptr<IScreenShape>& s) -> char {
    if (!s) return '-';
    platform::MaskShape* m = filters::Ours(s);
    if (m->Kind() == eIidRectangleShape)
      return m->GetBounds()[2] - m->GetBounds()[0] > 2 ? 'f' : 'c';
    if (m->Kind() != eIidGroupShape || m->Children().size() != 2) return '?';
    const double* first = m->Children()[0]->GetBounds();
    return first[2] - first[0] > 2 ? 'e' : 'h';
  };
  for (const auto& row : rows) {
    Params params;
    params.presetClass = row.presetClass;
    params.subtype = row.subtype;
    auto box = MakeFilterAs<BoxAgent>(3, params);
    box->PrepareAction(stage.Target());
    const auto container = filters::MaskNamed(stage.Node(), box->MaskName());
    const platform::MaskShape* morph = filters::Ours(filters::Ours(container)->Content());
    EXPECT_EQ(what(morph->Start()), row.start) << row.name;
    EXPECT_EQ(what(morph->End()), row.end) << row.name;
    EXPECT_EQ(filters::Ours(container)->Clips(), row.start != '-') << row.name;
  }
}

// Without a compound interface there is nothing to attach masks to: the
// agents build, draw nothing and do not fail. Peek still moves the shape.
TEST(FilterAgents, ContextWithoutMaskListGetsNoMask) {
  for (int kind : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 19}) {
    fake::NodePtr node = fake::MakeNode(L"2", {9, 10}, 100, 100, 300, 200);
    boost::shared_ptr<EffectAgent> agent = MakeFilter(kind);
    agent->PrepareAction(node);
    for (uint32_t t : {0u, 500u, 1000u, 1500u}) agent->Apply(node, t);
    EXPECT_TRUE(node->masks.masks.empty()) << kind;
  }
}

// A compound that notes what is done to its mask children (and keeps every
// child, detached or not).
class Recorder : public IScreenObject, public ICompoundShape {
 public:
  bool QueryInterface(boost::shared_ptr<IInterface>* out, bool* shares, EInterfaceId id) override {
    if (id != eIidCompoundShape) return false;
    return AnswerInterface<ICompoundShape>(this, out, shares);
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

  // The calls since the last look, each with the child's order of arrival.
  std::vector<std::string> Take() { return std::move(log); }

  double bounds[4] = {100, 100, 300, 200};
  std::vector<boost::shared_ptr<IScreenShape>> children;
  std::vector<boost::shared_ptr<IScreenShape>> known;
  std::vector<std::string> log;

 private:
  void Note(const boost::shared_ptr<IScreenShape>& c, const std::string& what) {
    auto it = std::find(known.begin(), known.end(), c);
    if (it == known.end()) it = known.insert(known.end(), c);
    log.push_back(what + " #" + std::to_string(it - known.begin()));
  }
};

using Calls = std::vector<std::string>;

// The order of the calls on the mask list, frame by frame.
TEST(FilterAgents, MaskCallsInOrder) {
  Params params;
  params.start = 200;
  params.duration = 300;
  {
    auto host = boost::make_shared<Recorder>();
    auto box = MakeFilter(3, params);
    box->PrepareAction(host);
    EXPECT_EQ(host->Take(), (Calls{"insert 0 #0", "off #0"}));  // attached switched off
    box->Apply(host, 300);
    EXPECT_EQ(host->Take(), (Calls{"on #0"}));
    box->Apply(host, 650);  // clamped to the end: off, then on at the end
    EXPECT_EQ(host->Take(), (Calls{"off #0", "on #0"}));
    EXPECT_EQ(filters::Ours(filters::Ours(host->children[0])->Content())->Ratio(), 65535u);
    box->Apply(host, 700);  // finished
    EXPECT_EQ(host->Take(), Calls{});
    box->Apply(host, 100);
    EXPECT_EQ(host->Take(), (Calls{"off #0"}));
  }
  {
    auto host = boost::make_shared<Recorder>();
    auto wedge = MakeFilter(14, params);
    wedge->PrepareAction(host);
    EXPECT_EQ(host->Take(), Calls{});
    wedge->Apply(host, 300);
    EXPECT_EQ(host->Take(), (Calls{"insert 0 #0", "detach #0", "on #0"}));
    wedge->Apply(host, 400);
    EXPECT_EQ(host->Take(), (Calls{"detach #0", "insert 0 #1", "detach #1", "on #1"}));
    wedge->Apply(host, 100);
    EXPECT_EQ(host->Take(), (Calls{"off #1"}));
  }
  {
    auto host = boost::make_shared<Recorder>();
    auto peek = MakeFilter(0, params);
    peek->PrepareAction(host);
    EXPECT_EQ(host->Take(), (Calls{"insert 0 #0", "on #0"}));  // on for good
    for (uint32_t t : {100u, 300u, 650u, 700u}) peek->Apply(host, t);
    EXPECT_EQ(host->Take(), Calls{});
  }
}

// Per-frame masks: each frame puts a new container in front, for that frame
// only, and lets the last one go; before the start it is switched off.
TEST(GeneralAgent, ReplacesItsMaskEveryFrame) {
  Stage stage(100, 100, 200, 100);
  Params params;
  params.start = 200;
  params.duration = 500;
  auto wedge = MakeFilterAs<WedgeAgent>(14, params);
  wedge->Apply(stage.Target(), 300);  // not prepared: nothing to build on
  EXPECT_TRUE(stage.Node().Frame().masks.empty());
  wedge->PrepareAction(stage.Target());
  stage.screen->CaptureAuthored();
  EXPECT_TRUE(stage.Node().Frame().masks.empty());

  // A host that never resets: the previous container is detached twice and
  // leaves.
  std::vector<boost::shared_ptr<ICompoundScreenShape>> seen;
  for (uint32_t t : {300u, 400u, 500u}) {
    wedge->Apply(stage.Target(), t);
    ASSERT_EQ(stage.Node().Frame().masks.size(), 1u) << t;
    const platform::MaskEntry& entry = stage.Node().Frame().masks[0];
    EXPECT_EQ(entry.shape, wedge->CurrentMask()) << t;
    EXPECT_TRUE(entry.active && entry.detached) << t;
    seen.push_back(wedge->CurrentMask());
  }
  EXPECT_NE(seen[0], seen[1]);
  // Before the start the last mask is switched off.
  wedge->Apply(stage.Target(), 100);
  EXPECT_FALSE(stage.Node().Frame().masks[0].active);

  // A publisher that resets: each frame starts without the last mask.
  stage.screen->ResetFrame();
  EXPECT_TRUE(stage.Node().Frame().masks.empty());
  wedge->Apply(stage.Target(), 800);  // after the end: the end state, once
  ASSERT_EQ(stage.Node().Frame().masks.size(), 1u);
  const auto last = wedge->CurrentMask();
  stage.screen->ResetFrame();
  wedge->Apply(stage.Target(), 900);
  EXPECT_EQ(wedge->CurrentMask(), last);
  EXPECT_TRUE(stage.Node().Frame().masks.empty());
}

struct Probe {
  double x, y;
  bool entrance, exit;  // visible half way through
};

struct DirectionRow {
  const char* name;
  int kind, subtype;
  std::vector<Probe> probes;
};

// Shape (100, 100)-(300, 200): entrances show more and more of it, from
// nothing to all of it; exits less and less, from all of it to nothing. Half
// way through, the probes tell where the mask opens.
TEST(FilterAgents, EntrancesRevealAndExitsHide) {
  // The collapsed shapes keep a little: two-unit bars and crosses, and the
  // checkerboard's one-unit slivers of every cell.
  auto tolerance = [](const DirectionRow& row) { return row.kind == 9 ? 0.06 : 0.03; };
  const DirectionRow rows[] = {
      {"box out", 3, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"box in", 3, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"circle out", 5, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"circle in", 5, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"diamond out", 4, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"diamond in", 4, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"plus out", 7, 0, {{200, 150, true, false}, {105, 105, false, true}}},
      {"plus in", 7, 14, {{200, 150, false, true}, {105, 105, true, false}}},
      {"split horizontal in", 6, 10, {{200, 150, false, true}, {200, 105, true, false}}},
      {"split vertical in", 6, 11, {{200, 150, false, true}, {105, 150, true, false}}},
      {"split horizontal out", 6, 12, {{200, 150, true, false}, {200, 105, false, true}}},
      {"split vertical out", 6, 13, {{200, 150, true, false}, {105, 150, false, true}}},
      {"wipe from left", 8, 0, {{120, 150, true, false}, {280, 150, false, true}}},
      {"wipe from right", 8, 1, {{120, 150, false, true}, {280, 150, true, false}}},
      {"wipe from bottom", 8, 2, {{200, 110, false, true}, {200, 190, true, false}}},
      {"wipe from top", 8, 3, {{200, 110, true, false}, {200, 190, false, true}}},
      // Cells of 30 x 22 from 95 across and 95 down; the slivers open from
      // the cells' tops (left edges for subtype 8), both ways.
      {"checkerboard down", 9, 0, {{110, 100, true, true}, {110, 115, false, false}}},
      {"checkerboard across", 9, 8, {{100, 110, true, true}, {120, 110, false, false}}},
      // Bands from the bottom right (4), top left (7), bottom left (5) or top
      // right (6); an exit runs its entrance backwards, so the same corner is
      // the last to go.
      {"strips 4", 10, 4, {{290, 190, true, true}, {110, 110, false, false}}},
      {"strips 7", 10, 7, {{110, 110, true, true}, {290, 190, false, false}}},
      {"strips 5", 10, 5, {{110, 190, true, true}, {290, 110, false, false}}},
      {"strips 6", 10, 6, {{290, 110, true, true}, {110, 190, false, false}}},
  };
  for (const DirectionRow& row : rows) {
    for (int presetClass : {0, 1}) {
      Stage stage(100, 100, 200, 100);
      Params params;
      params.presetClass = presetClass;
      params.subtype = row.subtype;
      boost::shared_ptr<EffectAgent> agent = MakeFilter(row.kind, params);
      agent->PrepareAction(stage.Target());
      stage.screen->CaptureAuthored();
      std::vector<double> shares;
      for (uint32_t t : {0u, 250u, 500u, 750u, 1000u}) {
        stage.screen->ResetFrame();
        agent->Apply(stage.Target(), t);
        shares.push_back(filters::VisibleShare(stage.Node()));
        if (t != 500) continue;
        for (const Probe& p : row.probes)
          EXPECT_EQ(filters::Visible(stage.Node(), p.x, p.y), presetClass ? p.exit : p.entrance)
              << row.name << (presetClass ? " exit" : " entrance") << " at " << p.x << "," << p.y;
      }
      const std::string name = std::string(row.name) + (presetClass ? " exit" : " entrance");
      EXPECT_NEAR(shares.front(), presetClass ? 1.0 : 0.0, tolerance(row)) << name;
      EXPECT_NEAR(shares.back(), presetClass ? 0.0 : 1.0, tolerance(row)) << name;
      for (size_t i = 1; i < shares.size(); ++i) {
        if (presetClass)
          EXPECT_LE(shares[i], shares[i - 1]) << name << " step " << i;
        else
          EXPECT_GE(shares[i], shares[i - 1]) << name << " step " << i;
      }
      EXPECT_GT(shares[2], 0.1) << name;
      EXPECT_LT(shares[2], 0.9) << name;
    }
  }
}

// Blinds take their direction from the transition, not the preset class.
TEST(BlindsAgent, TransitionPicksTheDirection) {
  for (int presetClass : {0, 1, 2}) {
    for (int transition : {0, 1}) {
      Stage stage(100, 100, 200, 100);
      Params params;
      params.presetClass = presetClass;
      params.transition = transition;
      auto blinds = MakeFilter(2, params);
      blinds->PrepareAction(stage.Target());
      stage.screen->CaptureAuthored();
      std::vector<double> shares;
      for (uint32_t t : {0u, 500u, 1000u}) {
        stage.screen->ResetFrame();
        blinds->Apply(stage.Target(), t);
        shares.push_back(filters::VisibleShare(stage.Node()));
      }
      const bool in = transition == 0;
      EXPECT_NEAR(shares[0], in ? 0.0 : 1.0, 0.05) << presetClass << "/" << transition;
      EXPECT_NEAR(shares[1], 0.5, 0.1) << presetClass << "/" << transition;
      EXPECT_NEAR(shares[2], in ? 1.0 : 0.0, 0.05) << presetClass << "/" << transition;
    }
  }
}

}  // namespace
