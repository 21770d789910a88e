#include <gtest/gtest.h>

#include <cmath>

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

using platform::BehaviourNode;

const double kPi = 3.141592653589793;

boost::shared_ptr<BehaviourNode> Node(int attribute, const wchar_t* value = nullptr) {
  auto node = behaviours::AttributeNode(eBehaviourSet, attribute);
  if (value) node->Set<std::wstring>(ePropToValueText, value);
  return node;
}

boost::shared_ptr<SetEffectAgent> Agent(const boost::shared_ptr<BehaviourNode>& node,
                                        uint32_t accel = 0, uint32_t decel = 0) {
  return behaviours::MakeAgent<SetEffectAgent>(node, accel, decel);
}

TEST(SetEffectAgent, SortsAttributesIntoShapeAndText) {
  // Kind 8 is neither for a set, a shape attribute for a property animation.
  for (int attribute = -1; attribute <= 22; ++attribute) {
    const bool text = attribute >= 10 && attribute <= 14;
    const bool shape = (attribute >= 0 && attribute <= 20) && !text;
    auto node = Node(attribute);
    EXPECT_EQ(Agent(node)->AppliesToShape(), shape && attribute != 8 ? 1u : 0u) << attribute;
    PropertyEffectAgent property(node, boost::make_shared<PublishContext>(), 0, 0);
    EXPECT_EQ(property.AppliesToShape(), shape ? 1u : 0u) << attribute;
  }
}

TEST(SetEffectAgent, HasNoEasing) {
  auto agent = Agent(Node(0), 50000, 50000);
  EXPECT_DOUBLE_EQ(agent->GetProgress(250), 0.25);
}

// The transforms a set draws are in the property agent's table.
TEST(SetEffectAgent, SetsOpacityAndColour) {
  // Without rounding: half opacity is 127.5 below, truncated to 127.
  auto shape = fake::MakeShape(L"7", {});
  Agent(Node(4, L"0.5"))->Apply(shape, 0);
  EXPECT_EQ(std::make_pair(shape->colour.alphaMul, shape->colour.alphaAdd),
            std::make_pair(1.0, -127));

  auto colour = Node(9);
  colour->Set<int>(ePropToValueText, 0xFF8000);
  Agent(colour)->Apply(shape, 0);
  const auto& c = shape->colour;
  EXPECT_EQ(std::make_tuple(c.redMul, c.blueMul, c.redAdd, c.greenAdd, c.blueAdd),
            std::make_tuple(0.0, 0.0, 255, 128, 0));
}

TEST(SetEffectAgent, HiddenWhileActive) {
  auto agent = Agent(Node(7, L"hidden"));
  agent->SetTiming(200, 300);
  auto screen = slides::Screen();
  const struct {
    uint32_t t;
    double alpha;
  } frames[] = {{100, 1.0}, {200, 0.0}, {500, 0.0}, {650, 0.0}, {700, 1.0}};
  for (const auto& frame : frames) {
    screen->ResetFrame();
    agent->Apply(screen->Find(L"7"), frame.t);
    for (const wchar_t* leaf : {L"7/shape/fill", L"7/p0/w0/l1"})
      EXPECT_EQ(slides::ColourOf(*screen, leaf).alphaMul, frame.alpha) << frame.t << leaf;
    EXPECT_EQ(slides::ColourOf(*screen, L"7/p0").alphaMul, 1.0);
  }

  // "visible" shows every part; any other value hides.
  screen->FindNode(L"7/p0/w0/l1")->MutableFrame().colour.alphaMul = 0.0;
  Agent(Node(7, L"visible"))->Apply(screen->Find(L"7"), 0);
  EXPECT_EQ(slides::ColourOf(*screen, L"7/p0/w0/l1").alphaMul, 1.0);
  Agent(Node(7, L"Visible"))->Apply(screen->Find(L"7"), 0);
  EXPECT_EQ(slides::ColourOf(*screen, L"7/p0/w0/l1").alphaMul, 0.0);
}

// Italic, bold and underline are in the property agent's table.
TEST(SetEffectAgent, SetsCharacterProperties) {
  auto screen = slides::Screen();
  auto props = slides::Props(*screen, L"7/p0/r0");
  auto agent = Agent(Node(14, L"1.5"));
  agent->Apply(screen->Find(L"7/runs/p0"), 0);
  EXPECT_DOUBLE_EQ(GetDouble(props, ePropFontSize), 30.0);
  EXPECT_TRUE(GetBool(props, ePropCharPropsChanged));
  agent->Apply(screen->Find(L"7/runs/p0"), 10);
  EXPECT_FALSE(GetBool(props, ePropCharPropsChanged)) << "cleared, and the size is the same";

  Agent(Node(13, L"Georgia"))->Apply(screen->Find(L"7/runs/text"), 0);
  EXPECT_EQ(GetString(props, ePropCharString96), L"Georgia");
  // A text attribute does not draw on the shape, nor a shape attribute on text.
  auto shapeProps = slides::Props(*screen, L"7/p0/r1");
  Agent(Node(12, L"true"))->Apply(screen->Find(L"7"), 0);
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
    Agent(Node(c.attribute, c.value))->BuildWebValue(out, shape, value);
    ASSERT_TRUE(out) << c.name;
    EXPECT_EQ(out->GetName(), WEBDECK::kEffectChangeToValue) << c.name;
    EXPECT_EQ(WEBDECK::ToJson(*out).dump(), c.json) << c.name;
    EXPECT_NEAR(value, c.out, 1e-6) << c.name;
  }
}

// Reset lets the behaviour go: its attribute reads 0 and nothing is drawn.
TEST(SetEffectAgent, LetsGoOnReset) {
  auto agent = Agent(Node(7, L"hidden"));
  EXPECT_TRUE(Supports(agent, eIidSetAgent));
  agent->Reset();
  EXPECT_EQ(GetInt(agent, ePropAttribute), 0);
  auto shape = fake::MakeShape(L"7", {});
  agent->Apply(shape, 10);
  EXPECT_EQ(fake::Find(shape, L"7/shape/fill")->colour.alphaMul, 1.0);
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
