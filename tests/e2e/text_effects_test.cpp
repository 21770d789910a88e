// Character effects on generated decks, drawn: each letter, word or paragraph
// changes at its own time. Every probe is taken between the start times of
// two units, so the earlier one has changed and the later one not yet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <boost/make_shared.hpp>

#include "pptx/DeckReader.h"
#include "pptx/DeckWriter.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"
#include "support/Played.h"

using namespace platform;
namespace x = pptx::xml;

namespace {

const double kWidth = 400, kHeight = 300;

boost::shared_ptr<render::PangoMeasurer> Measurer() {
  static const auto measurer = boost::make_shared<render::PangoMeasurer>();
  return measurer;
}

// Shape 2 holds `paragraphs` in black 24-point text; one slide, played from
// its start: every effect starts with the previous one.
boost::shared_ptr<Slide> TextSlide(const std::vector<x::Para>& paragraphs,
                                   std::vector<x::Effect> effects, const std::string& buildList) {
  pptx::DeckWriter writer(kWidth, kHeight);
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Shape(2, "text", 10, 10, 380, 280, "", "", paragraphs);
  for (x::Effect& e : effects) e.nodeType = "withEffect";
  slide.timing = x::Timing({x::Sequence{"", effects}}, buildList);
  pptx::Diagnostics diagnostics;
  pptx::Deck deck = pptx::ReadDeckFromMemory("text.pptx", writer.Bytes(), diagnostics);
  EXPECT_EQ(deck.slides.size(), 1u);
  return deck.slides.empty() ? boost::make_shared<Slide>() : deck.slides[0];
}

struct Played : play::Played {  // no minimum length
  Played(const std::vector<x::Para>& paragraphs, std::vector<x::Effect> effects,
         const std::string& buildList = "")
      : play::Played(TextSlide(paragraphs, effects, buildList), Measurer()) {}

  render::Image At(uint32_t t) {
    driver->Frame(t);
    return renderer.Render(*screen, static_cast<int>(kWidth), static_cast<int>(kHeight));
  }
  // Authored bounds of a node, in pixels (the slide is drawn at its size).
  const double* Bounds(const std::wstring& name) { return screen->FindNode(name)->Bounds(); }
  // Where letter `i` of the first paragraph stands in the last frame drawn.
  double LetterX(size_t i) {
    return screen->FindShape(L"2")->CurrentPlace(*Measurer()).paragraphs[0].letters[i].x;
  }

  render::FrameRenderer renderer{Measurer()};
};

x::Para Big(const std::string& text) {
  x::Para p;
  p.runs.push_back(x::Run{text, "sz=\"2400\"", "000000"});
  return p;
}

// An emphasis of these behaviours after `delay` ms, by letter ("lt") or word
// ("wd") `step` ms apart when `unit` is given.
x::Effect Emphasis(const std::string& behaviours, uint32_t delay = 0, const char* unit = nullptr,
                   int step = 0) {
  x::Effect e;
  e.presetClass = "emph";
  e.delay = delay;
  e.behaviours = behaviours;
  if (unit)
    e.iterate = std::string("<p:iterate type=\"") + unit + "\"><p:tmAbs val=\"" +
                std::to_string(step) + "\"/></p:iterate>";
  return e;
}

std::string Bold() {
  return x::Set(x::ShapeTarget(2), "style.fontWeight", "bold", 0, 100);
}

int Channel(uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

// Sum of darkness (255 - green) over columns [left, right) of the image.
long Ink(const render::Image& image, double left, double right) {
  long ink = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = static_cast<int>(left); x < static_cast<int>(right) && x < image.Width(); ++x)
      ink += 255 - Channel(image.Pixel(x, y), 8);
  return ink;
}

// Pixels in the box that are clearly red, and clearly dark.
std::pair<int, int> RedAndDark(const render::Image& image, const double* box) {
  int red = 0, dark = 0;
  for (int y = static_cast<int>(box[1]); y < static_cast<int>(box[3]); ++y)
    for (int x = static_cast<int>(box[0]); x < static_cast<int>(box[2]); ++x) {
      const uint32_t p = image.Pixel(x, y);
      if (Channel(p, 16) > 150 && Channel(p, 8) < 90) ++red;
      if (Channel(p, 16) < 90 && Channel(p, 8) < 90) ++dark;
    }
  return {red, dark};
}

// Heights of the bands of rows that hold ink, top to bottom.
std::vector<int> InkBands(const render::Image& image) {
  std::vector<int> bands;
  bool inBand = false;
  for (int y = 0; y < image.Height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.Width() && !ink; ++x) ink = Channel(image.Pixel(x, y), 8) < 128;
    if (ink && !inBand) bands.push_back(0);
    if (ink) ++bands.back();
    inBand = ink;
  }
  return bands;
}

TEST(TextEffects, LetterRunsDrawAsTheUnsplitText) {
  // A bold effect by letter that has not started splits the runs at letters;
  // ligatures and kerning stay as they are without it.
  const x::Effect late = Emphasis(Bold(), 5000, "lt", 100), other = Emphasis(Bold(), 5000);
  const std::vector<x::Para> text = {Big("office AVATAR"), Big("Wave fluffier")};
  Played split(text, {late});
  Played whole(text, {other});
  ASSERT_TRUE(split.screen && whole.screen);
  EXPECT_GT(split.screen->FindShape(L"2")->AllRuns().size(),
            whole.screen->FindShape(L"2")->AllRuns().size() + 10);
  EXPECT_EQ(render::Compare(split.At(0), whole.At(0), 0).differing, 0);
}

TEST(TextEffects, ColourByLetter) {
  // Letters turn red 1000 ms apart.
  Played play({Big("ABC")}, {Emphasis(x::Colour(x::ShapeTarget(2), "style.color", "FF0000", 100), 0,
                                      "lt", 1000)});
  for (const auto& [t, expected] : {std::pair<uint32_t, std::string>{600, "rkk"}, {1600, "rrk"}}) {
    const render::Image image = play.At(t);
    std::string colours;
    // Red: many red pixels, hardly any dark; black the other way round.
    for (int i = 0; i < 3; ++i) {
      const auto [red, dark] = RedAndDark(image, play.Bounds(L"2/p0/w0/l" + std::to_wstring(i)));
      colours += red > 20 && dark < 5 ? 'r' : red < 5 && dark > 20 ? 'k' : '?';
    }
    EXPECT_EQ(colours, expected) << "at " << t;
  }
}

TEST(TextEffects, BoldByLetterAndByWord) {
  // Units turn bold 1000 ms apart: at 600 ms only the first unit is bold.
  // Each case: the unit, the text, and the first letter of the second unit.
  for (const auto& c :
       {std::tuple<const char*, const char*, size_t>{"wd", "mm mm mm", 3}, {"lt", "mmm", 1}}) {
    const auto& [iterate, text, second] = c;
    Played play({Big(text)}, {Emphasis(Bold(), 0, iterate, 1000)});
    std::vector<render::Image> frames;
    frames.push_back(play.At(0));
    const double split = play.LetterX(second);
    frames.push_back(play.At(600));
    // The first unit gains ink; the later ones, pushed right by it, keep theirs.
    const double moved = play.LetterX(second);
    EXPECT_GT(moved, split) << iterate;
    EXPECT_GT(Ink(frames[1], 0, moved), Ink(frames[0], 0, split) * 1.15) << iterate;
    const long rest = Ink(frames[0], split, kWidth);
    EXPECT_NEAR(Ink(frames[1], moved, kWidth), rest, rest * 0.05) << iterate;
    for (uint32_t t : {1600u, 2600u}) frames.push_back(play.At(t));
    // Each later unit adds its share.
    std::vector<long> total;
    for (const render::Image& frame : frames) total.push_back(Ink(frame, 0, kWidth));
    const long gain = total[3] - total[0];
    EXPECT_GT(gain, total[0] / 10) << iterate;
    for (size_t i = 1; i < 3; ++i) {
      EXPECT_NEAR(total[i] - total[0], gain * static_cast<long>(i) / 3, gain / 8)
          << iterate << " step " << i;
    }
  }
}

TEST(TextEffects, MixedEffectDrawsBothSides) {
  // A colour (shape side) and bold (text side) in one effect.
  Played play({Big("mmm")},
              {Emphasis(x::Colour(x::ShapeTarget(2), "style.color", "FF0000", 100) + Bold(), 500)});
  boost::shared_ptr<IScreenAnimation> animation;
  play.manager->GetShapeAnimation(animation, L"2", 0);
  ASSERT_TRUE(animation);
  EXPECT_EQ(animation->GetTargetMode(), 2u);
  const render::Image before = play.At(0), after = play.At(1000);
  EXPECT_GT(Ink(after, 0, kWidth), Ink(before, 0, kWidth) * 1.15);
  const auto [red, dark] = RedAndDark(after, play.Bounds(L"2/p0/w0"));
  EXPECT_GT(red, 50);
  EXPECT_EQ(dark, 0);
}

TEST(TextEffects, FontSizeByParagraph) {
  // Each paragraph doubles its size: the first at once, the second 1000 ms
  // later, as a build by paragraph lists them.
  std::vector<x::Effect> effects;
  for (int k = 0; k < 2; ++k)
    effects.push_back(Emphasis(
        x::Anim(x::ParagraphTarget(2, k, k), "style.fontSize", 100, "to=\"2\""), 1000 * k));
  Played play({Big("Hh"), Big("Hh")}, effects, x::BuildParagraph(2, 0, "p"));
  const std::vector<int> before = InkBands(play.At(0));
  const std::vector<int> first = InkBands(play.At(600));
  const std::vector<int> both = InkBands(play.At(1600));
  ASSERT_EQ(std::vector<size_t>({before.size(), first.size(), both.size()}),
            std::vector<size_t>(3, 2));
  EXPECT_NEAR(before[0], before[1], 1);
  EXPECT_NEAR(first[0], 2 * before[0], 3);
  EXPECT_NEAR(first[1], before[1], 1);
  EXPECT_NEAR(both[1], 2 * before[1], 3);
}

}  // namespace
