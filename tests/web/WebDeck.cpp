// The deck that the browser test plays; see WebDeck.h.
#include "web/WebDeck.h"

#include <string>
#include <vector>

#include "pptx/DeckWriter.h"

namespace x = pptx::xml;

namespace {

constexpr int kTarget = 2;
constexpr int kTitle = 3;
constexpr int kButton = 4;
constexpr uint32_t kLength = 1000;

x::Para Label(const std::string& text, const std::string& size = "3200") {
  x::Para p;
  p.runs.push_back(x::Run{text, "b=\"1\" sz=\"" + size + "\"", "FFFFFF"});
  p.pPr = "algn=\"ctr\"";
  return p;
}

x::Effect Make(const std::string& presetClass, const std::string& behaviours,
               const std::string& attrs = "") {
  x::Effect effect;
  effect.presetClass = presetClass;
  effect.nodeType = "clickEffect";
  effect.behaviours = behaviours;
  effect.attrs = attrs;
  effect.length = kLength;
  return effect;
}

std::string Reveal(const std::string& target, const std::string& filter) {
  return x::Set(target, "style.visibility", "visible") + x::Filter(target, filter, true, kLength);
}

struct Case {
  std::string family;
  std::vector<x::Sequence> sequences;
  std::string shapes;  // beyond the title and the target
  std::vector<x::Para> text;
  std::string buildList;
  bool sound = false;
  uint32_t length = kLength;  // of the slide's animation
  bool random = false;
};

}  // namespace

std::vector<WebCase> WriteWebDeck(const std::string& path) {
  const std::string target = x::ShapeTarget(kTarget);
  std::vector<Case> cases;
  auto entrance = [&](const std::string& family, const std::string& filter) {
    Case c{family, {{"", {Make("entr", Reveal(target, filter))}}}, "", {}, "", false};
    c.random = filter == "dissolve" || filter.rfind("randombar", 0) == 0;
    cases.push_back(c);
  };
  entrance("fade", "fade");
  entrance("blinds", "blinds(horizontal)");
  entrance("box", "box(in)");
  entrance("diamond", "diamond(out)");
  entrance("circle", "circle(in)");
  entrance("split", "barn(inVertical)");
  entrance("plus", "plus(out)");
  entrance("wipe", "wipe(left)");
  entrance("checkerboard", "checkerboard(across)");
  entrance("strips", "strips(downRight)");
  entrance("dissolve", "dissolve");
  entrance("random bars", "randombar(horizontal)");
  entrance("wedge", "wedge");
  for (const char* spokes : {"1", "2", "3", "4", "8"})
    entrance(std::string("wheel ") + spokes, std::string("wheel(") + spokes + ")");
  entrance("peek", "slide(fromBottom)");

  auto effect = [&](const std::string& family, const std::string& presetClass,
                    const std::string& behaviours, const std::string& attrs = "",
                    uint32_t length = kLength) {
    Case c{family, {{"", {Make(presetClass, behaviours, attrs)}}}, "", {}, "", false};
    c.length = length;
    cases.push_back(c);
  };
  effect("fade out", "exit",
         x::Filter(target, "fade", false, kLength) +
             x::Set(target, "style.visibility", "hidden", kLength - 1));
  effect("motion", "path", x::Motion(target, "M 0 0 C 0.1 -0.3 0.2 0.3 0.25 0 E", kLength),
         "accel=\"30000\" decel=\"30000\"");
  effect("rotation", "emph", x::Rotate(target, 21600000, kLength));
  // A static shape above the turning one stays above it.
  cases.back().shapes = x::Shape(5, "Cover", 580, 200, 160, 90, "ED7D31");
  effect("scale", "emph", x::Scale(target, 150, 50, kLength), "autoRev=\"1\"", 2 * kLength);
  effect("colour", "emph", x::Colour(target, "fillcolor", "C00000", kLength));
  // A colour change by HSL offsets and one by RGB offsets, of the fill.
  auto colourBy = [&](const std::string& space, const std::string& by) {
    return "<p:animClr clrSpc=\"" + space + "\" dir=\"cw\"><p:cBhvr><p:cTn id=\"#\" dur=\"" +
           std::to_string(kLength) + "\" fill=\"hold\"/>" + target +
           "<p:attrNameLst><p:attrName>fillcolor</p:attrName></p:attrNameLst></p:cBhvr><p:by>" +
           by + "</p:by></p:animClr>";
  };
  effect("colour hsl", "emph", colourBy("hsl", "<p:hsl h=\"7200000\" s=\"0\" l=\"0\"/>"));
  effect("colour by", "emph", colourBy("rgb", "<p:rgb r=\"50000\" g=\"0\" b=\"-50000\"/>"));
  effect("formula", "entr",
         x::Set(target, "style.visibility", "visible") +
             x::Anim(target, "ppt_y", kLength, "calcmode=\"lin\" valueType=\"num\"",
                     x::Tav("0", "#ppt_y") + x::Tav("100000", "#ppt_y", "#ppt_y-sin(pi*$)/3")));
  effect("repeat", "emph", x::Rotate(target, 5400000, kLength / 2), "repeatCount=\"2000\"");
  effect("set", "emph",
         x::Set(target, "style.rotation", "30", 0) +
             x::Anim(target, "ppt_x", kLength, "calcmode=\"lin\" valueType=\"num\"",
                     x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x+0.2")));

  // A slide whose effect starts when the slide opens, without a click.
  cases.push_back(
      {"opens by itself", {{"", {Make("entr", Reveal(target, "wipe(down)"))}}}, "", {}, "", false});
  cases.back().sequences[0].effects[0].nodeType = "withEffect";

  // Text by paragraph, word and letter.
  std::vector<x::Para> lines = {Label("First line", "2400"), Label("Second line", "2400"),
                                Label("Third line", "2400")};
  {
    Case c{"paragraphs", {}, "", lines, x::BuildParagraph(kTarget, 0, "p"), false};
    std::vector<x::Effect> effects;
    for (int p = 0; p < 3; ++p) {
      x::Effect e = Make("entr", Reveal(x::ParagraphTarget(kTarget, p, p), "wipe(left)"));
      e.nodeType = p == 0 ? "clickEffect" : "afterEffect";
      e.length = kLength / 2;
      e.behaviours = x::Set(x::ParagraphTarget(kTarget, p, p), "style.visibility", "visible") +
                     x::Filter(x::ParagraphTarget(kTarget, p, p), "wipe(left)", true, kLength / 2);
      effects.push_back(e);
    }
    c.sequences = {{"", effects}};
    c.length = 3 * kLength / 2;
    cases.push_back(c);
  }
  for (const char* unit : {"wd", "lt"}) {
    x::Effect e = Make("entr", Reveal(target, "fade"));
    e.iterate = std::string("<p:iterate type=\"") + unit + "\"><p:tmAbs val=\"" +
                (unit[0] == 'w' ? "150" : "40") + "\"/></p:iterate>";
    e.behaviours = x::Set(target, "style.visibility", "visible") +
                   x::Filter(target, "fade", true, kLength / 2);
    e.length = kLength / 2;
    Case c{unit[0] == 'w' ? "words" : "letters", {{"", {e}}}, "", lines, "", false};
    c.length = unit[0] == 'w' ? 1750 : 2080;  // a pass of the shape, then the units
    cases.push_back(c);
  }
  {
    Case c{"trigger", {}, "", {}, "", false};
    c.shapes = x::Shape(kButton, "Button", 80, 560, 240, 90, "70AD47", "", {Label("Press", "2400")},
                        "roundRect");
    c.sequences = {{x::ClickCondition(kButton), {Make("entr", Reveal(target, "circle(out)"))}}};
    cases.push_back(c);
  }
  {
    x::Effect e = Make("entr", Reveal(target, "wipe(up)"));
    e.subTnLst = x::EffectSound("rIdChime", "chime.wav", 80000);
    cases.push_back({"sound", {{"", {e}}}, "", {}, "", true});
  }

  // A short chime: 0.3 s of a 660 Hz tone, 8 kHz mono 8-bit PCM.
  std::string wave;
  {
    const uint32_t samples = 2400;
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) wave += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](uint16_t v) {
      wave += static_cast<char>(v & 0xFF);
      wave += static_cast<char>(v >> 8);
    };
    wave += "RIFF";
    put32(36 + samples);
    wave += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    wave += "data";
    put32(samples);
    for (uint32_t i = 0; i < samples; ++i)
      wave += static_cast<char>(((i * 660 * 2 / 8000) % 2) ? 160 : 96);
  }

  std::vector<WebCase> out;
  pptx::DeckWriter writer(1280, 720);
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    std::vector<x::Para> text = c.text.empty() ? std::vector<x::Para>{Label(c.family)} : c.text;
    x::Para title;
    title.runs.push_back(x::Run{std::to_string(i + 1) + ". " + c.family, "sz=\"2800\"", "404040"});
    slide.shapes =
        x::Shape(kTitle, "Title", 60, 40, 1160, 80, "", "", {title}) +
        x::Shape(kTarget, "Target", 440, 235, 400, 250, "4472C4", "2F528F", text, "roundRect") +
        c.shapes;
    slide.timing = x::Timing(c.sequences, c.buildList);
    if (c.sound) slide.relationships.push_back({"rIdChime", "audio", "../media/chime.wav", false});
    out.push_back(WebCase{static_cast<int>(i + 1), c.family, c.length, c.random});
  }
  writer.AddPart("ppt/media/chime.wav", wave, "audio/wav");
  if (!writer.Save(path)) out.clear();
  return out;
}
