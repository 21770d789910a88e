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
  EXPECT_EQ(shape->colour.alphaAdd, -127);
  EXPECT_EQ(shape->colour.alphaMul, 1.0);

  auto colour = Node(9);
  colour->Set<int>(ePropToValueText, 0xFF8000);
  Agent(colour)->Apply(shape, 0);
  EXPECT_EQ(shape->colour.redMul, 0.0);
  EXPECT_EQ(shape->colour.blueMul, 0.0);
  EXPECT_EQ(shape->colour.redAdd, 255);
  EXPECT_EQ(shape->colour.greenAdd, 128);
  EXPECT_EQ(shape->colour.blueAdd, 0);
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

struct WebCase {
  const char* name;
  int attribute;
  const wchar_t* value;
  char holder;  // 'f' float, 'b' bool, 's' string
  double number;
  double out;  // the in/out double afterwards (it goes in as -1)
};

TEST(SetEffectAgent, DescribesItsValueForTheWeb) {
  const float tenth = 0.1f;
  const WebCase cases[] = {
      {"x in slide units", 0, L"0.5", 'f', 360, 360},
      {"y in slide units", 1, L"0.25", 'f', 135, 135},
      {"x from the authored centre", 0, L"ppt_x", 'f', 200, 200},
      {"opacity", 4, L"0.5", 'f', 0.5, 0.5},
      {"rotation in radians", 5, L"90", 'f', kPi / 2, kPi / 2},
      {"visible", 7, L"visible", 'b', 1, 1},
      {"hidden", 7, L"hidden", 'b', 0, 0},
      {"italic", 10, L"italic", 'b', 1, -1},
      {"bold", 11, L"bold", 'b', 1, -1},
      {"normal", 11, L"normal", 'b', 0, -1},
      {"underline", 12, L"true", 'b', 1, -1},
      {"font size as a number", 14, L"1.5", 'f', 1.5, 1.5},
      {"shear", 20, L"#ppt_w", 'f', 200.0 / 720, 200.0 / 720},
      {"width has no value", 2, L"0.5", 'f', 0, 0},
      {"no value at all", 0, nullptr, 'f', 0, 0},
      {"formula numbers", 4, L"0.1", 'f', tenth, tenth},
  };
  for (const WebCase& c : cases) {
    auto shape = fake::MakeShape(L"7", {});
    shape->transform[transform::kA] = 2.0;  // the web value ignores the frame
    boost::shared_ptr<WEBDECK::PptxJSPropertyHolder> out;
    double value = -1;
    Agent(Node(c.attribute, c.value))->BuildWebValue(out, shape, value);
    ASSERT_TRUE(out) << c.name;
    EXPECT_EQ(out->GetName(), WEBDECK::kEffectChangeToValue) << c.name;
    EXPECT_NEAR(value, c.out, 1e-6) << c.name;
    switch (c.holder) {
      case 'f': {
        auto f = boost::dynamic_pointer_cast<WEBDECK::PptxJSFloatPropertyHolder>(out);
        ASSERT_TRUE(f) << c.name;
        EXPECT_FLOAT_EQ(f->GetValue(), static_cast<float>(c.number)) << c.name;
        break;
      }
      case 'b': {
        auto b = boost::dynamic_pointer_cast<WEBDECK::PptxJSBoolPropertyHolder>(out);
        ASSERT_TRUE(b) << c.name;
        EXPECT_EQ(b->GetValue(), c.number != 0) << c.name;
        break;
      }
    }
  }

  boost::shared_ptr<WEBDECK::PptxJSPropertyHolder> out;
  double value = 3;
  Agent(Node(13, L"Georgia"))->BuildWebValue(out, fake::MakeShape(L"7", {}), value);
  auto s = boost::dynamic_pointer_cast<WEBDECK::PptxJSStringPropertyHolder>(out);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetValue(), L"Georgia");
  EXPECT_EQ(value, 3.0);
}

TEST(SetEffectAgent, ReportsItsAttributeAndLetsGo) {
  auto agent = Agent(Node(7, L"hidden"));
  EXPECT_TRUE(Supports(agent, eIidSetAgent));
  EXPECT_EQ(GetInt(agent, ePropAttribute), 7);
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
