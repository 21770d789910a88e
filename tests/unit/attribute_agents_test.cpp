// The agents that change one attribute: property animations (from, to and
// by, or a time-value list) and sets, which draw alike where both apply.
#include <gtest/gtest.h>

#include <sstream>

#include <boost/make_shared.hpp>

#include "agent_slides.h"
#include "agents/PropertyEffectAgent.h"
#include "agents/SetEffectAgent.h"
#include "agents/TransformOps.h"
#include "behaviours.h"
#include "document/Effect.h"
#include "fake_screen.h"
#include "webdeck/JsonNode.h"

namespace {

using namespace behaviours;
using platform::BehaviourNode;

// The fake shape: bounds (100, 100, 300, 200) on a 720 x 540 slide.
const double kFx = 200.0 / 720.0;         // centre x
const double kFy = 150.0 / 540.0;         // centre y
const double kFw = 200.0 / 720.0;         // width
const double kFh = 100.0 / 540.0;         // height
const double kTenth = 0.100000001490116;  // 0.1 as formulas read it
const double kPi = 3.141592653589793;

boost::shared_ptr<BehaviourNode> Node(int attribute) {
  return AttributeNode(eBehaviourProperty, attribute);
}
boost::shared_ptr<BehaviourNode> SetNode(int attribute, const wchar_t* value = nullptr) {
  auto node = AttributeNode(eBehaviourSet, attribute);
  if (value) node->Set<std::wstring>(ePropToValueText, value);
  return node;
}

boost::shared_ptr<PropertyEffectAgent> Agent(const boost::shared_ptr<BehaviourNode>& node,
                                             uint32_t accel = 0, uint32_t decel = 0) {
  return MakeAgent<PropertyEffectAgent>(node, accel, decel);
}
boost::shared_ptr<SetEffectAgent> SetAgent(const boost::shared_ptr<BehaviourNode>& node,
                                           uint32_t accel = 0, uint32_t decel = 0) {
  return MakeAgent<SetEffectAgent>(node, accel, decel);
}

boost::shared_ptr<IPropertyValue> Colour(uint32_t r, uint32_t g, uint32_t b) {
  return boost::make_shared<PropertyValue<Kinefold::TColor>>(Kinefold::TColor{r, g, b, 255});
}

// The value at u of from, to and by (null leaves a key out), eased in and
// out by `ease` thousandths each.
TEST(PropertyEffectAgent, InterpolatesFromToAndBy) {
  const struct {
    const char* name;
    int attribute;
    const wchar_t *from, *to, *by;
    uint32_t u;
    double expected;
    uint32_t ease = 0;
  } cases[] = {
      // To alone starts at the shape's x.
      {"to alone", 0, nullptr, L"0.5", nullptr, 500, kFx + (0.5 - kFx) * 0.5},
      {"by adds to the shape's y", 1, nullptr, nullptr, L"0.25", 1000, kFy + 0.25},
      {"to wins over by", 1, nullptr, L"0.5", L"0.25", 1000, 0.5},
      {"neither goes to 1", 2, nullptr, nullptr, nullptr, 500, kFw + (1 - kFw) * 0.5},
      {"height starts at its fraction", 3, nullptr, nullptr, nullptr, 0, kFh},
      {"font size starts at 1", 14, nullptr, L"2", nullptr, 500, 1.5},
      {"other attributes start at 0", 4, nullptr, nullptr, nullptr, 250, 0.25},
      {"formulas read the geometry", 0, L"#ppt_x", L"#ppt_x+0.1", nullptr, 1000, kFx + kTenth},
      {"formulas read #ppt_w and #ppt_h", 0, L"#ppt_w", L"#ppt_h", nullptr, 0, kFw},
      {"... at the end", 0, L"#ppt_w", L"#ppt_h", nullptr, 1000, kFh},
      // Half accelerating, half decelerating: a quarter of the way in, an eighth is done.
      {"eased", 4, L"0", L"1", nullptr, 250, 0.125, 50000},
      {"eased, half way", 4, L"0", L"1", nullptr, 500, 0.5, 50000},
  };
  for (const auto& c : cases) {
    auto node = Node(c.attribute);
    if (c.from) node->Set<std::wstring>(ePropFrom, c.from);
    if (c.to) node->Set<std::wstring>(ePropTo, c.to);
    if (c.by) node->Set<std::wstring>(ePropBy, c.by);
    auto agent = Agent(node, c.ease, c.ease);
    agent->Apply(fake::MakeShape(L"7", {}), c.u);
    EXPECT_NEAR(agent->ValueAt(c.u), c.expected, 1e-9) << c.name;
  }
}

// The values of a time-value list on x at each u; list times are eased too.
TEST(PropertyEffectAgent, WalksTheTimeValueList) {
  const struct {
    const char* name;
    std::vector<Entry> entries;
    std::vector<std::pair<uint32_t, double>> points;  // (u, value)
    uint32_t ease = 0;
  } cases[] = {
      {"a formula on the entry reached reads $",
       {{0, Number(0), L"#ppt_x+$*0.1"}, {100, Number(1)}},
       {{500, kFx + 0.5 * kTenth}, {0, kFx}}},
      {"up and down",
       {{0, Text(L"0")}, {50, Text(L"1")}, {100, Text(L"0")}},
       {{0, 0.0}, {250, 0.5}, {500, 1.0}, {750, 0.5}, {1000, 0.0}}},
      {"string values are formulas",
       {{0, Text(L"#ppt_y")}, {100, Text(L"#ppt_y+0.5")}},
       {{1000, kFy + 0.5}, {500, kFy + 0.25}}},
      {"the last value holds", {{0, Number(0)}, {50, Number(2)}}, {{800, 2.0}}},
      {"eased", {{0, Number(0)}, {100, Number(1)}}, {{250, 0.125}}, 50000},
      // One entry is no list: from, to and by apply.
      {"one entry", {{0, Number(0.9f)}}, {{0, kFx}}},
  };
  for (const auto& c : cases) {
    auto node = Node(0);
    SetList(*node, c.entries);
    auto agent = Agent(node, c.ease, c.ease);
    agent->Apply(fake::MakeShape(L"7", {}), 0);
    for (const auto& point : c.points)
      EXPECT_NEAR(agent->ValueAt(point.first), point.second, 1e-9)
          << c.name << " at " << point.first;
  }
}

// A property animation from and to a value, and a set to it, draw the
// same; a set leaves width and height alone.
TEST(PropertyEffectAgent, DrawsShapeAttributesLikeASet) {
  const double tenth = kTenth * 720;
  const struct {
    const char* name;
    int attribute;
    const wchar_t* value;
    std::vector<double> transform;
    bool set;       // the set agent draws it too
    double tx = 0;  // where the shape is drawn before
  } cases[] = {
      {"x", 0, L"0.5", {160, 0, 0, 0, 1, 1}, true},
      {"x by formula", 0, L"#ppt_x+0.1", {tenth, 0, 0, 0, 1, 1}, true},
      {"y", 1, L"0.5", {0, 120, 0, 0, 1, 1}, true},
      {"width about the centre", 2, L"0.5", {-160, 0, 0, 0, 1.8, 1}, false},
      {"height about the centre", 3, L"0.5", {0, -255, 0, 0, 1, 2.7}, false},
      {"rotation in degrees", 5, L"90", {350, -50, 1, -1, 0, 0}, true},
      {"shear about the centre line", 20, L"0.5", {-75, 0, 0, 0.5, 1, 1}, true},
      {"nothing", 6, L"0.5", {0, 0, 0, 0, 1, 1}, true},
      {"nothing for 8", 8, L"0.5", {0, 0, 0, 0, 1, 1}, true},
      // Positions are measured where the shape is drawn now.
      {"x of a moved shape", 0, L"0.5", {160, 0, 0, 0, 1, 1}, true, 10},
  };
  const std::vector<double> identity = {0, 0, 0, 0, 1, 1};
  for (const auto& c : cases) {
    auto node = Node(c.attribute);
    node->Set<std::wstring>(ePropFrom, c.value).Set<std::wstring>(ePropTo, c.value);
    auto property = fake::MakeShape(L"7", {}), set = fake::MakeShape(L"7", {});
    property->transform[transform::kTx] = set->transform[transform::kTx] = c.tx;
    Agent(node)->Apply(property, 400);
    SetAgent(SetNode(c.attribute, c.value))->Apply(set, 500);
    for (size_t i = 0; i < 6; ++i) {
      EXPECT_NEAR(property->transform[i], c.transform[i], 1e-9) << c.name << i;
      EXPECT_NEAR(set->transform[i], c.set ? c.transform[i] : identity[i], 1e-6) << c.name << i;
    }
  }
}

TEST(PropertyEffectAgent, OpacityShowsEveryPart) {
  auto node = Node(4);
  node->Set<std::wstring>(ePropFrom, L"0.5").Set<std::wstring>(ePropTo, L"0.5");
  auto screen = slides::Screen();
  screen->FindNode(L"7/shape/fill")->MutableFrame().colour.alphaMul = 0.0;
  screen->FindNode(L"7/p0/w1/l0")->MutableFrame().colour.alphaMul = 0.0;
  Agent(node)->Apply(screen->Find(L"7"), 0);
  EXPECT_EQ(slides::ColourOf(*screen, L"7").alphaAdd, -127);  // 127.5 - 255 + 0.5
  EXPECT_EQ(slides::ColourOf(*screen, L"7/shape/fill").alphaMul, 1.0);
  EXPECT_EQ(slides::ColourOf(*screen, L"7/p0/w1/l0").alphaMul, 1.0);
}

// Visibility is drawn on the leaves only (one digit each at every time): a
// property animation follows its list; a set hides while active and for one
// frame clamped to its end after it. "visible" shows every part, even one
// hidden before (w0/l1 here); any other value hides.
TEST(AttributeAgents, VisibilityOnTheLeaves) {
  auto listed = Node(7);
  SetList(*listed, {{20, Text(L"visible")}, {50, Text(L"hidden")}});
  auto hidden = SetAgent(SetNode(7, L"hidden"));
  hidden->SetTiming(200, 300);
  const struct {
    const char* name;
    boost::shared_ptr<EffectAgent> agent;
    const char* times;
    const char* leaves;  // fill, w0/l0, w0/l1, w1/l1
    bool hiddenFirst;
  } rows[] = {
      {"a list", Agent(listed), "100 300 600 1000", "0000 1111 0000 0000", false},
      {"a set while active", hidden, "100 200 500 650 700", "1111 0000 0000 0000 1111", false},
      {"a set to visible", SetAgent(SetNode(7, L"visible")), "0", "1111", true},
      {"a set to Visible", SetAgent(SetNode(7, L"Visible")), "0", "0000", true},
  };
  auto digit = [](double alpha) { return alpha == 0 ? '0' : alpha == 1 ? '1' : '?'; };
  for (const auto& row : rows) {
    auto screen = slides::Screen();
    std::istringstream times(row.times);
    std::string leaves;
    for (uint32_t t; times >> t;) {
      screen->ResetFrame();
      if (row.hiddenFirst) screen->FindNode(L"7/p0/w0/l1")->MutableFrame().colour.alphaMul = 0.0;
      row.agent->Apply(screen->Find(L"7"), t);
      leaves += leaves.empty() ? "" : " ";
      for (const wchar_t* leaf : {L"7/shape/fill", L"7/p0/w0/l0", L"7/p0/w0/l1", L"7/p0/w1/l1"})
        leaves += digit(slides::ColourOf(*screen, leaf).alphaMul);
      for (const wchar_t* compound : {L"7", L"7/text", L"7/p0", L"7/p0/w0"})
        EXPECT_EQ(slides::ColourOf(*screen, compound).alphaMul, 1.0) << row.name << " at " << t;
    }
    EXPECT_EQ(leaves, row.leaves) << row.name;
  }
}

TEST(PropertyEffectAgent, FillColourIsDiscreteAndRestoredAtTheEnd) {
  auto node = Node(9);
  SetList(*node, {{10, Colour(255, 0, 0)}, {50, Colour(0, 0, 255)}});
  auto agent = Agent(node);
  auto shape = fake::MakeShape(L"7", {});
  const struct {
    uint32_t t;
    int32_t red, blue;
  } frames[] = {{0, 0, 0}, {200, 255, 0}, {700, 0, 255}};
  for (const auto& frame : frames) {
    agent->Apply(shape, frame.t);
    const auto& c = shape->colour;
    EXPECT_EQ(std::make_tuple(c.redMul, c.redAdd, c.blueAdd),
              std::make_tuple(0.0, frame.red, frame.blue))
        << frame.t;
  }
  // After the end the last colour is drawn once more ...
  shape->ResetFrame();
  agent->Apply(shape, 1500);
  EXPECT_EQ(std::make_pair(shape->colour.blueMul, shape->colour.blueAdd), std::make_pair(0.0, 255));
  // ... but played backwards the agent leaves the shape its own colours there.
  auto reversed = Agent(node);
  reversed->SetReversed(1);
  reversed->Apply(shape, 1500);
  EXPECT_EQ(shape->colour, Kinefold::TColorMatrix());
}

TEST(PropertyEffectAgent, TakesTheGeometryOnce) {
  auto agent = Agent(Node(0));
  auto shape = fake::MakeShape(L"7", {});
  shape->transform[transform::kA] = shape->transform[transform::kD] = 2.0;
  agent->Apply(shape, 0);
  const RegParser::VariableMap expected{{2, kFx},          {3, kFy},         {4, kFh},
                                        {5, kFw},          {8, 400.0 / 720}, {9, 300.0 / 540},
                                        {10, 400.0 / 720}, {11, 200.0 / 540}};
  EXPECT_EQ(agent->Variables(), expected);
  shape->ResetFrame();
  agent->Apply(shape, 10);
  EXPECT_EQ(agent->Variables(), expected);

  // A slide without extent gives fractions of 0.
  auto flat = boost::make_shared<PropertyEffectAgent>(
      Node(0), boost::make_shared<PublishContext>(0.0, 0.0, 30, 15), 0, 0);
  flat->SetTiming(0, 1000);
  flat->Apply(fake::MakeShape(L"7", {}), 0);
  for (const auto& v : flat->Variables()) EXPECT_EQ(v.second, 0.0) << v.first;
}

TEST(PropertyEffectAgent, ShapeAndTextAttributesKeepToTheirTargets) {
  auto screen = slides::Screen();
  auto move = Agent(Node(0));
  move->Apply(screen->Find(L"7/runs/text"), 0);
  EXPECT_FALSE(move->IsPrepared());

  auto size = Agent(Node(14));
  size->Apply(screen->Find(L"7"), 0);
  EXPECT_EQ(std::make_pair(size->IsPrepared(), size->IsTextPrepared()),
            std::make_pair(false, false));
  EXPECT_DOUBLE_EQ(GetDouble(slides::Props(*screen, L"7/p0/r0"), ePropFontSize), 20.0);
  size->Apply(screen->Find(L"7/runs/text"), 0);
  EXPECT_EQ(std::make_pair(size->IsPrepared(), size->IsTextPrepared()),
            std::make_pair(false, true));
}

// A property animation (on runs of kind 0 only) and a set write the same
// character properties, but for underlining.
TEST(PropertyEffectAgent, SetsCharacterPropertiesLikeASet) {
  const struct {
    const char* name;
    int attribute;
    const wchar_t* value;
    EPropertyId key;
    int before, after;
  } cases[] = {
      {"italic", 10, L"italic", ePropItalic, 0, 1},
      {"not italic", 10, L"normal", ePropItalic, 1, 0},
      {"bold", 11, L"bold", ePropBold, 0, 1},
      {"normal", 11, L"normal", ePropBold, 1, 0},
      {"other values leave bold alone", 11, L"bolder", ePropBold, 1, 1},
      {"... either way", 11, L"", ePropBold, 0, 0},
      {"underline", 12, L"true", ePropUnderline, 0, 2},
      {"no underline", 12, L"false", ePropUnderline, 2, 0},
  };
  for (const auto& c : cases) {
    auto node = Node(c.attribute);
    SetList(*node, {{0, Text(c.value)}});
    auto screen = slides::Screen(), other = slides::Screen();
    SetInt(screen->Find(L"7/p0/r1"), ePropRunKind, 1);
    for (const wchar_t* run : {L"7/p0/r0", L"7/p0/r1"}) {
      SetInt(slides::Props(*screen, run), c.key, c.before);
      SetInt(slides::Props(*other, run), c.key, c.before);
    }
    Agent(node)->Apply(screen->Find(L"7/runs/text"), 100);
    SetAgent(SetNode(c.attribute, c.value))->Apply(other->Find(L"7/runs/text"), 0);
    auto read = [&](const platform::SlideScreen& s, const wchar_t* run) {
      return GetInt(slides::Props(s, run), c.key);
    };
    // A property animation leaves underlining alone, and runs of kind 1.
    const int after = c.key == ePropUnderline ? c.before : c.after;
    EXPECT_EQ(std::make_tuple(read(*screen, L"7/p0/r0"), read(*screen, L"7/p0/r1"),
                              read(*other, L"7/p0/r1")),
              std::make_tuple(after, c.before, c.after))
        << c.name;
  }

  auto font = Node(13);
  SetList(*font, {{0, Text(L"Georgia")}});
  auto screen = slides::Screen();
  Agent(font)->Apply(screen->Find(L"7/runs/p0"), 0);
  for (const wchar_t* run : {L"7/p0/r0", L"7/p0/r1"})
    EXPECT_EQ(GetString(slides::Props(*screen, run), ePropCharString96), L"Georgia");
}

// Played by the frame driver: the publisher resets the runs before each frame.
TEST(PropertyEffectAgent, FontSizeNotesEachChange) {
  auto slide = slides::TextSlide();
  auto& effect = slide->Effects()->AddEffect(L"7");
  effect.PresetClass(2).NodeType(1).SetOwnDuration(1000);
  effect.AddBehaviour(eBehaviourProperty)
      .Set<int>(ePropAttribute, 14)
      .Set<std::wstring>(ePropTo, L"2")
      .Duration(1000);
  slides::Played played(slide);
  // The agent compares each run with the last size it wrote: of runs of one
  // size only the first is noted ("+" where noted).
  const auto run = played.screen->Find(L"7/p0/r0");
  std::ostringstream sizes;
  for (uint32_t t : {0, 0, 500, 500, 1000, 1000}) {
    played.driver->Frame(t);
    const auto props = GetSheet(run, ePropRunCharProps);
    sizes << GetDouble(props, ePropFontSize)
          << (GetBool(props, ePropCharPropsChanged) ? "+ " : " ");
  }
  EXPECT_EQ(sizes.str(), "20+ 20 30+ 30 40+ 40 ");
}

TEST(SetEffectAgent, SortsAttributesIntoShapeAndText) {
  // Kind 8 is neither for a set, a shape attribute for a property animation.
  for (int attribute = -1; attribute <= 22; ++attribute) {
    const bool text = attribute >= 10 && attribute <= 14;
    const bool shape = (attribute >= 0 && attribute <= 20) && !text;
    auto node = SetNode(attribute);
    EXPECT_EQ(SetAgent(node)->AppliesToShape(), shape && attribute != 8 ? 1u : 0u) << attribute;
    PropertyEffectAgent property(node, boost::make_shared<PublishContext>(), 0, 0);
    EXPECT_EQ(property.AppliesToShape(), shape ? 1u : 0u) << attribute;
  }
}

TEST(SetEffectAgent, HasNoEasing) {
  auto agent = SetAgent(SetNode(0), 50000, 50000);
  EXPECT_DOUBLE_EQ(agent->GetProgress(250), 0.25);
}

// The transforms a set draws are in the property agent's table.
TEST(SetEffectAgent, SetsOpacityAndColour) {
  // Without rounding: half opacity is 127.5 below, truncated to 127.
  auto shape = fake::MakeShape(L"7", {});
  SetAgent(SetNode(4, L"0.5"))->Apply(shape, 0);
  EXPECT_EQ(std::make_pair(shape->colour.alphaMul, shape->colour.alphaAdd),
            std::make_pair(1.0, -127));

  auto colour = SetNode(9);
  colour->Set<int>(ePropToValueText, 0xFF8000);
  SetAgent(colour)->Apply(shape, 0);
  const auto& c = shape->colour;
  EXPECT_EQ(std::make_tuple(c.redMul, c.blueMul, c.redAdd, c.greenAdd, c.blueAdd),
            std::make_tuple(0.0, 0.0, 255, 128, 0));
}

// Italic, bold and underline are in the property agent's table.
TEST(SetEffectAgent, SetsCharacterProperties) {
  auto screen = slides::Screen();
  auto props = slides::Props(*screen, L"7/p0/r0");
  auto agent = SetAgent(SetNode(14, L"1.5"));
  agent->Apply(screen->Find(L"7/runs/p0"), 0);
  EXPECT_DOUBLE_EQ(GetDouble(props, ePropFontSize), 30.0);
  EXPECT_TRUE(GetBool(props, ePropCharPropsChanged));
  agent->Apply(screen->Find(L"7/runs/p0"), 10);
  EXPECT_FALSE(GetBool(props, ePropCharPropsChanged)) << "cleared, and the size is the same";

  SetAgent(SetNode(13, L"Georgia"))->Apply(screen->Find(L"7/runs/text"), 0);
  EXPECT_EQ(GetString(props, ePropCharString96), L"Georgia");
  // A text attribute does not draw on the shape, nor a shape attribute on text.
  auto shapeProps = slides::Props(*screen, L"7/p0/r1");
  SetAgent(SetNode(12, L"true"))->Apply(screen->Find(L"7"), 0);
  EXPECT_EQ(GetInt(shapeProps, ePropUnderline), 0);
}

// The value a set gives the web, as the JSON it writes, and the number it
// leaves in its in/out argument, which goes in as 3 (so 3 is "untouched").
TEST(SetEffectAgent, DescribesItsValueForTheWeb) {
  const struct {
    const char* name;
    int attribute;
    const wchar_t* value;
    const char* json;
    double out;
  } cases[] = {
      {"x in slide units", 0, L"0.5", "360.0", 360},
      {"y in slide units", 1, L"0.25", "135.0", 135},
      {"x from the authored centre", 0, L"ppt_x", "200.0", 200},
      {"opacity", 4, L"0.5", "0.5", 0.5},
      {"rotation in radians", 5, L"90", "1.5707964", kPi / 2},
      {"visible", 7, L"visible", "true", 1},
      {"hidden", 7, L"hidden", "false", 0},
      {"italic", 10, L"italic", "true", 3},
      {"bold", 11, L"bold", "true", 3},
      {"normal", 11, L"normal", "false", 3},
      {"underline", 12, L"true", "true", 3},
      {"font", 13, L"Georgia", "\"Georgia\"", 3},
      {"font size as a number", 14, L"1.5", "1.5", 1.5},
      {"shear", 20, L"#ppt_w", "0.2777778", 200.0 / 720},
      {"width has no value", 2, L"0.5", "0.0", 0},
      {"no value at all", 0, nullptr, "0.0", 0},
      {"formula numbers", 4, L"0.1", "0.1", 0.1f},
  };
  for (const auto& c : cases) {
    auto shape = fake::MakeShape(L"7", {});
    shape->transform[transform::kA] = 2.0;  // the web value ignores the frame
    boost::shared_ptr<WEBDECK::PptxJSPropertyHolder> out;
    double value = 3;
    SetAgent(SetNode(c.attribute, c.value))->BuildWebValue(out, shape, value);
    ASSERT_TRUE(out) << c.name;
    EXPECT_EQ(out->GetName(), WEBDECK::kEffectChangeToValue) << c.name;
    EXPECT_EQ(WEBDECK::ToJson(*out).dump(), c.json) << c.name;
    EXPECT_NEAR(value, c.out, 1e-6) << c.name;
  }
}

// Reset lets the behaviour go: nothing is drawn after, and a set's attribute
// reads 0.
TEST(AttributeAgents, LetGoOnReset) {
  auto property = Agent(Node(5));
  auto set = SetAgent(SetNode(7, L"hidden"));
  EXPECT_TRUE(Supports(set, eIidSetAgent));
  property->Reset();
  set->Reset();
  EXPECT_EQ(
      std::make_tuple(!property->Behaviour(), property->ValueAt(500), GetInt(set, ePropAttribute)),
      std::make_tuple(true, 0.0, 0));
  auto shape = fake::MakeShape(L"7", {});
  property->Apply(shape, 500);
  set->Apply(shape, 10);
  EXPECT_EQ(std::make_pair(shape->transform[transform::kA],
                           fake::Find(shape, L"7/shape/fill")->colour.alphaMul),
            std::make_pair(1.0, 1.0));
}

// An exit that hides its shape at once keeps it hidden from the slide's start.
TEST(SetEffectAgent, ExitThatHidesFirstStartsHidden) {
  const struct {
    const char* name;
    int presetClass, delay;
    const wchar_t* value;
    double alpha;
  } rows[] = {
      {"hidden at once", 1, 0, L"hidden", 0.0}, {"hidden later", 1, 100, L"hidden", 1.0},
      {"an entrance", 0, 0, L"hidden", 0.0},  // entrances always start hidden
      {"an emphasis", 2, 0, L"hidden", 1.0},    {"letter case counts", 1, 0, L"Hidden", 1.0},
      {"shown at once", 1, 0, L"visible", 1.0},
  };
  for (const auto& row : rows) {
    auto slide = slides::TextSlide();
    auto& effect = slide->Effects()->AddEffect(L"7");
    effect.PresetClass(row.presetClass).NodeType(1).SetOwnDuration(500);
    effect.AddBehaviour(eBehaviourSet)
        .Set<int>(ePropAttribute, 7)
        .Set<std::wstring>(ePropToValueText, row.value)
        .Duration(1)
        .Delay(row.delay);
    slides::Played played(slide);
    // What the build left for every frame to start from.
    double alpha = 1.0;
    for (auto* n = played.screen->FindNode(L"7/shape/fill").get(); n; n = n->Parent())
      alpha *= n->Authored().colour.alphaMul;
    EXPECT_EQ(alpha, row.alpha) << row.name;
  }
}

}  // namespace
