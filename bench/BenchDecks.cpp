#include "bench/BenchDecks.h"

#include <fstream>
#include <vector>

#include "pptx/DeckWriter.h"

namespace bench {
namespace x = pptx::xml;
namespace {

x::Effect Entrance(int presetId, const std::string& behaviours, uint32_t length) {
  x::Effect effect;
  effect.presetClass = "entr";
  effect.presetId = presetId;
  effect.nodeType = "clickEffect";
  effect.behaviours = behaviours;
  effect.length = length;
  return effect;
}

std::string Show(int spid) {
  return x::Set(x::ShapeTarget(spid), "style.visibility", "visible");
}

// The entrance of box `k` (0..7) with shape id `spid`.
x::Effect BoxEntrance(int k, int spid) {
  static const char* const kFilters[] = {"fade",     "wipe(left)", "randombar(horizontal)",
                                         "dissolve", "box(out)",   "wheel(4)"};
  const std::string target = x::ShapeTarget(spid);
  if (k < 6) return Entrance(10, Show(spid) + x::Filter(target, kFilters[k], true, 500), 500);
  if (k == 6) {
    const std::string fly = x::Anim(target, "ppt_y", 500, "calcmode=\"lin\" valueType=\"num\"",
                                    x::Tav("0", "1+#ppt_h/2") + x::Tav("100000", "#ppt_y"));
    return Entrance(2, Show(spid) + fly, 500);
  }
  const std::string zoom = x::Anim(target, "ppt_w", 500, "calcmode=\"lin\" valueType=\"num\"",
                                   x::Tav("0", "0") + x::Tav("100000", "#ppt_w")) +
                           x::Anim(target, "ppt_h", 500, "calcmode=\"lin\" valueType=\"num\"",
                                   x::Tav("0", "0") + x::Tav("100000", "#ppt_h"));
  return Entrance(53, Show(spid) + zoom, 500);
}

}  // namespace

std::string ClickDeck(int slides) {
  pptx::DeckWriter writer(1280, 720);
  for (int s = 0; s < slides; ++s) {
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    std::vector<x::Effect> effects;
    for (int k = 0; k < 8; ++k) {
      const int spid = k + 2;
      x::Para title;
      title.runs.push_back(x::Run{"Box " + std::to_string(k + 1), "b=\"1\" sz=\"2000\"", ""});
      slide.shapes += x::Shape(
          spid, "Box " + std::to_string(k + 1), 40 + (k % 4) * 310, 60 + (k / 4) * 330, 280, 280,
          "4472C4", "2F528F",
          {title, x::P("slide " + std::to_string(s + 1) + " point " + std::to_string(k + 1))});
      effects.push_back(BoxEntrance(k, spid));
    }
    slide.timing = x::Timing({x::Sequence{"", effects}});
  }
  return writer.Bytes();
}

std::string LetterFlyDeck() {
  pptx::DeckWriter writer(1280, 720);
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  std::string text;
  for (int i = 0; text.size() < 200; ++i) text += "letters fly in one by one ";
  text.resize(200);
  slide.shapes = x::Shape(2, "Letters", 40, 40, 1200, 640, "", "", {x::P(text)});
  const std::string target = x::ShapeTarget(2);
  const std::string fly = x::Anim(target, "ppt_x", 500, "calcmode=\"lin\" valueType=\"num\"",
                                  x::Tav("0", "#ppt_x") + x::Tav("100000", "#ppt_x")) +
                          x::Anim(target, "ppt_y", 500, "calcmode=\"lin\" valueType=\"num\"",
                                  x::Tav("0", "1+#ppt_h/2") + x::Tav("100000", "#ppt_y"));
  x::Effect effect = Entrance(2, Show(2) + fly, 500);
  effect.presetSubtype = 4;
  effect.iterate = "<p:iterate type=\"lt\"><p:tmPct val=\"5000\"/></p:iterate>";
  slide.timing = x::Timing({x::Sequence{"", {effect}}});
  return writer.Bytes();
}

bool SaveDeck(const std::string& bytes, const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
  file.close();
  return static_cast<bool>(file);
}

}  // namespace bench
