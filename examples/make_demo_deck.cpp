// Writes examples/decks/demo.pptx, the deck that shows off slideanim: an
// entrance, an emphasis, a motion path, text built paragraph by paragraph, an
// exit, and a button that triggers a callout.
//
//   make_demo_deck [OUTPUT.pptx]     (default: demo.pptx)
//   slideanim inspect OUTPUT.pptx
#include <iostream>

#include "pptx/DeckWriter.h"

namespace x = pptx::xml;

namespace {

x::Para Label(const std::string& text) {
  x::Para p;
  p.runs.push_back(x::Run{text, "b=\"1\" sz=\"2400\"", "FFFFFF"});
  p.pPr = "algn=\"ctr\"";
  return p;
}

x::Effect MakeEffect(const std::string& presetClass, int presetId, const std::string& nodeType,
                     const std::string& behaviours, uint32_t length) {
  x::Effect effect;
  effect.presetClass = presetClass;
  effect.presetId = presetId;
  effect.nodeType = nodeType;
  effect.behaviours = behaviours;
  effect.length = length;
  return effect;
}

// Appear, then reveal through a filter.
std::string Reveal(int spid, const std::string& filter, uint32_t ms) {
  return x::Set(x::ShapeTarget(spid), "style.visibility", "visible") +
         x::Filter(x::ShapeTarget(spid), filter, true, ms);
}

}  // namespace

int main(int argc, char** argv) {
  std::string output = argc > 1 ? argv[1] : "demo.pptx";
  enum { kTitle = 2, kBox = 3, kBall = 4, kPoints = 5, kButton = 6, kCallout = 7 };

  pptx::DeckWriter writer(1280, 720);
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  std::vector<x::Para> points;
  for (const char* line : {"Effects come from the slide's timing tree",
                           "Steps start on a click, with or after the previous one",
                           "Text can build paragraph by paragraph"}) {
    x::Para p;
    p.runs.push_back(x::Run{line, "sz=\"2400\"", ""});
    p.pPr = "<a:spcBef><a:spcPts val=\"1200\"/></a:spcBef>";
    points.push_back(p);
  }
  x::Para hint = x::P("Click the button");
  slide.shapes =
      x::Placeholder(kTitle, "Title", "title", -1, {x::P("slideanim demo")}) +
      x::Shape(kBox, "Box", 80, 200, 240, 160, "4472C4", "2F528F", {Label("Box")}, "roundRect") +
      x::Shape(kBall, "Ball", 400, 230, 100, 100, "ED7D31", "", {}, "ellipse") +
      x::Shape(kPoints, "Points", 700, 180, 540, 300, "", "", points) +
      x::Shape(kButton, "Button", 80, 560, 200, 70, "70AD47", "507E32", {Label("Press me")},
               "roundRect") +
      x::Shape(kCallout, "Callout", 320, 540, 320, 110, "FFC000", "", {hint},
               "wedgeRoundRectCallout");

  std::vector<x::Effect> main = {
      MakeEffect("entr", 22, "clickEffect", Reveal(kBox, "wipe(left)", 600), 600),
      MakeEffect("entr", 10, "withEffect", Reveal(kBall, "fade", 600), 600),
      MakeEffect("emph", 8, "clickEffect", x::Rotate(x::ShapeTarget(kBox), 21600000, 1200), 1200),
      MakeEffect("path", 42, "afterEffect",
                 x::Motion(x::ShapeTarget(kBall), "M 0 0 C 0.05 -0.2 0.1 0.2 0.12 0 E", 1500),
                 1500),
  };
  for (int p = 0; p < 3; ++p) {
    x::Effect line =
        MakeEffect("entr", 10, p == 0 ? "clickEffect" : "afterEffect",
                   x::Set(x::ParagraphTarget(kPoints, p, p), "style.visibility", "visible") +
                       x::Filter(x::ParagraphTarget(kPoints, p, p), "fade", true, 500),
                   500);
    main.push_back(line);
  }
  x::Effect exit = MakeEffect("exit", 10, "clickEffect",
                              x::Filter(x::ShapeTarget(kBox), "fade", false, 500) +
                                  x::Set(x::ShapeTarget(kBox), "style.visibility", "hidden", 499),
                              500);
  main.push_back(exit);
  x::Effect callout = MakeEffect("entr", 4, "clickEffect", Reveal(kCallout, "box(out)", 500), 500);
  callout.presetSubtype = 32;

  slide.timing =
      x::Timing({x::Sequence{"", main}, x::Sequence{x::ClickCondition(kButton), {callout}}},
                x::BuildParagraph(kPoints, 0, "p"));
  slide.transition = "<p:transition spd=\"med\"><p:fade/></p:transition>";

  if (!writer.Save(output)) {
    std::cerr << "error: cannot write " << output << "\n";
    return 1;
  }
  std::cout << "wrote " << output << "\n";
  return 0;
}
