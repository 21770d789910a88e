// The deck that the browser test plays; see WebDeck.h.
#include "web/WebDeck.h"

#include <string>
#include <tuple>
#include <vector>

#include "pptx/DeckWriter.h"

namespace x = pptx::xml;

namespace {

constexpr int kTarget = 2;
constexpr int kTitle = 3;
constexpr int kButton = 4;
constexpr uint32_t kLength = 1000;

x::Para Label(const std::string& text, const std::string& size = "3200") {
  return x::Para{{x::Run{text, "b=\"1\" sz=\"" + size + "\"", "FFFFFF"}}, 0, "algn=\"ctr\""};
}

x::Effect Make(const std::string& presetClass, const std::string& behaviours,
               const std::string& attrs = "", uint32_t length = kLength) {
  x::Effect effect;
  effect.presetClass = presetClass;
  effect.nodeType = "clickEffect";
  effect.behaviours = behaviours;
  effect.attrs = attrs;
  effect.length = length;
  return effect;
}

// A click that shows `target` and reveals it through `filter`.
x::Effect Entrance(const std::string& target, const std::string& filter,
                   uint32_t length = kLength) {
  return Make(
      "entr",
      x::Set(target, "style.visibility", "visible") + x::Filter(target, filter, true, length), "",
      length);
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

// Little-endian bytes of `v`.
std::string Bytes(uint32_t v, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace

std::vector<WebCase> WriteWebDeck(const std::string& path) {
  const std::string target = x::ShapeTarget(kTarget);
  std::vector<Case> cases;
  auto add = [&](const std::string& family, const std::vector<x::Effect>& effects,
                 const std::string& trigger = "") -> Case& {
    cases.push_back(
        Case{family, {{trigger, effects}}, "", {Label(family)}, "", false, kLength, false});
    return cases.back();
  };
  // Entrances, as "family=filter"; dissolve and random bars are random by design.
  for (const std::string entry :
       {"fade=fade", "blinds=blinds(horizontal)", "box=box(in)", "diamond=diamond(out)",
        "circle=circle(in)", "split=barn(inVertical)", "plus=plus(out)", "wipe=wipe(left)",
        "checkerboard=checkerboard(across)", "strips=strips(downRight)", "dissolve=dissolve",
        "random bars=randombar(horizontal)", "wedge=wedge", "wheel 1=wheel(1)", "wheel 2=wheel(2)",
        "wheel 3=wheel(3)", "wheel 4=wheel(4)", "wheel 8=wheel(8)", "peek=slide(fromBottom)"}) {
    const std::string filter = entry.substr(entry.find('=') + 1);
    add(entry.substr(0, entry.find('=')), {Entrance(target, filter)}).random =
        filter == "dissolve" || filter.rfind("randombar", 0) == 0;
  }

  add("fade out", {Make("exit", x::Filter(target, "fade", false, kLength) +
                                    x::Set(target, "style.visibility", "hidden", kLength - 1))});
  add("motion", {Make("path", x::Motion(target, "M 0 0 C 0.1 -0.3 0.2 0.3 0.25 0 E", kLength),
                      "accel=\"30000\" decel=\"30000\"")});
  // A static shape above the turning one stays above it.
  add("rotation", {Make("emph", x::Rotate(target, 21600000, kLength))}).shapes =
      x::Shape(5, "Cover", 580, 200, 160, 90, "ED7D31");
  add("scale", {Make("emph", x::Scale(target, 150, 50, kLength), "autoRev=\"1\"")}).length =
      2 * kLength;
  add("colour", {Make("emph", x::Colour(target, "fillcolor", "C00000", kLength))});
  // A colour change by HSL offsets and one by RGB offsets, of the fill.
  auto colourBy = [&](const std::string& space, const std::string& by) {
    return Make(
        "emph",
        "<p:animClr clrSpc=\"" + space + "\" dir=\"cw\"><p:cBhvr><p:cTn id=\"#\" dur=\"" +
            std::to_string(kLength) + "\" fill=\"hold\"/>" + target +
            "<p:attrNameLst><p:attrName>fillcolor</p:attrName></p:attrNameLst></p:cBhvr><p:by>" +
            by + "</p:by></p:animClr>");
  };
  add("colour hsl", {colourBy("hsl", "<p:hsl h=\"7200000\" s=\"0\" l=\"0\"/>")});
  add("colour by", {colourBy("rgb", "<p:rgb r=\"50000\" g=\"0\" b=\"-50000\"/>")});
  add("formula",
      {Make("entr", x::Set(target, "style.visibility", "visible") +
                        x::Anim(target, "ppt_y", kLength, "calcmode=\"lin\" valueType=\"num\"",
                                x::Tav("0", "#ppt_y") +
                                    x::Tav("100000", "#ppt_y", "#ppt_y-sin(pi*$)/3")))});
  add("repeat", {Make("emph", x::Rotate(target, 5400000, kLength / 2), "repeatCount=\"2000\"")});
  add("set",
      {Make("emph", x::Set(target, "style.rotation", "30", 0) +
                        x::Anim(target, "ppt_x", kLength, "calcmode=\"lin\" valueType=\"num\"",
                                x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x+0.2")))});

  // A slide whose effect starts when the slide opens, without a click.
  add("opens by itself", {Entrance(target, "wipe(down)")}).sequences[0].effects[0].nodeType =
      "withEffect";

  // Text by paragraph, word and letter.
  const std::vector<x::Para> lines = {Label("First line", "2400"), Label("Second line", "2400"),
                                      Label("Third line", "2400")};
  std::vector<x::Effect> paragraphs;
  for (int p = 0; p < 3; ++p) {
    paragraphs.push_back(Entrance(x::ParagraphTarget(kTarget, p, p), "wipe(left)", kLength / 2));
    paragraphs.back().nodeType = p == 0 ? "clickEffect" : "afterEffect";
  }
  Case& built = add("paragraphs", paragraphs);
  built.text = lines;
  built.buildList = x::BuildParagraph(kTarget, 0, "p");
  built.length = 3 * kLength / 2;
  // Each a pass of the shape, then the units.
  for (const auto& [family, unit, delay, length] :
       {std::tuple{"words", "wd", "150", 1750u}, std::tuple{"letters", "lt", "40", 2080u}}) {
    x::Effect e = Entrance(target, "fade", kLength / 2);
    e.iterate = std::string("<p:iterate type=\"") + unit + "\"><p:tmAbs val=\"" + delay +
                "\"/></p:iterate>";
    Case& c = add(family, {e});
    c.text = lines;
    c.length = length;
  }
  add("trigger", {Entrance(target, "circle(out)")}, x::ClickCondition(kButton)).shapes = x::Shape(
      kButton, "Button", 80, 560, 240, 90, "70AD47", "", {Label("Press", "2400")}, "roundRect");
  x::Effect chime = Entrance(target, "wipe(up)");
  chime.subTnLst = x::EffectSound("rIdChime", "chime.wav", 80000);
  add("sound", {chime}).sound = true;

  // A short chime: 0.3 s of a 660 Hz tone, 8 kHz mono 8-bit PCM.
  const uint32_t samples = 2400;
  std::string wave = "RIFF" + Bytes(36 + samples, 4) + "WAVEfmt " + Bytes(16, 4) + Bytes(1, 2) +
                     Bytes(1, 2) + Bytes(8000, 4) + Bytes(8000, 4) + Bytes(1, 2) + Bytes(8, 2) +
                     "data" + Bytes(samples, 4);
  for (uint32_t i = 0; i < samples; ++i)
    wave += static_cast<char>(((i * 660 * 2 / 8000) % 2) ? 160 : 96);

  std::vector<WebCase> out;
  pptx::DeckWriter writer(1280, 720);
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    const x::Para title{
        {x::Run{std::to_string(i + 1) + ". " + c.family, "sz=\"2800\"", "404040"}}, 0, ""};
    slide.shapes =
        x::Shape(kTitle, "Title", 60, 40, 1160, 80, "", "", {title}) +
        x::Shape(kTarget, "Target", 440, 235, 400, 250, "4472C4", "2F528F", c.text, "roundRect") +
        c.shapes;
    slide.timing = x::Timing(c.sequences, c.buildList);
    if (c.sound) slide.relationships.push_back({"rIdChime", "audio", "../media/chime.wav", false});
    out.push_back(WebCase{static_cast<int>(i + 1), c.family, c.length, c.random});
  }
  writer.AddPart("ppt/media/chime.wav", wave, "audio/wav");
  if (!writer.Save(path)) out.clear();
  return out;
}
