// Writes the seed inputs of the fuzz targets from our own deck writer:
//
//   make-fuzz-seeds FUZZ_FOLDER     (writes FUZZ_FOLDER/corpus/chain and corpus/path)
//
// Chain seeds come in both forms that chain-fuzzer reads: a whole package
// (first byte 0) and a slide's shape tree and timing split by a NUL byte
// (first byte 1). Each seed carries one kind of effect so that the fuzzer
// starts from every agent.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "pptx/DeckWriter.h"

namespace x = pptx::xml;

namespace {

struct SlideSeed {
  std::string name;
  std::string shapes;
  std::string timing;
};

std::string Shapes() {
  return x::Shape(2, "Box", 100, 100, 300, 200, "4472C4", "000000",
                  {x::P("Hello"), x::P("World")}) +
         x::Shape(3, "Pie", 500, 200, 200, 200, "ED7D31", "", {}, "ellipse");
}

std::string Main(const x::Effect& effect) {
  return x::Timing({x::Sequence{"", {effect}}});
}

x::Effect Entrance(const std::string& behaviours, const std::string& attrs = "") {
  x::Effect effect;
  effect.behaviours = behaviours;
  effect.attrs = attrs;
  return effect;
}

std::vector<SlideSeed> Seeds() {
  const std::string box = x::ShapeTarget(2);
  const std::string show = x::Set(box, "style.visibility", "visible");
  std::vector<SlideSeed> seeds;
  for (const char* filter :
       {"fade", "dissolve", "wedge", "wheel(4)", "blinds(horizontal)", "box(in)",
        "checkerboard(across)", "circle(out)", "diamond(in)", "plus(out)", "slide(fromLeft)",
        "barn(inVertical)", "randombar(horizontal)", "strips(upLeft)", "wipe(down)"}) {
    std::string name = std::string("filter-") + filter;
    for (char& c : name)
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
    seeds.push_back({name, Shapes(), Main(Entrance(show + x::Filter(box, filter, true, 500)))});
  }
  seeds.push_back(
      {"motion", Shapes(),
       Main(Entrance(x::Motion(box, "M 0 0 C 0.1 0.2 0.3 -0.1 0.4 0 L 0.5 0.5 Z E", 1000)))});
  x::Effect letters = Entrance(show + x::Motion(box, "M 0 0 L 0.25 0.1 E", 500));
  letters.iterate = "<p:iterate type=\"lt\"><p:tmPct val=\"10000\"/></p:iterate>";
  seeds.push_back({"motion-letters", Shapes(), Main(letters)});
  const std::string tavs =
      x::Tav("0", "<p:val><p:strVal val=\"#ppt_x\"/></p:val>", "#ppt_x+sin(2*pi*$)*0.1") +
      x::Tav("100000", "<p:val><p:strVal val=\"#ppt_x\"/></p:val>");
  const std::string anim = x::Anim(box, "ppt_x", 700, "calcmode=\"lin\" valueType=\"num\"", tavs);
  seeds.push_back(
      {"anim-formula", Shapes(), Main(Entrance(show + anim, "accel=\"50000\" decel=\"50000\""))});
  seeds.push_back({"emphasis", Shapes(),
                   Main(Entrance(x::Rotate(box, 21600000, 800) + x::Scale(box, 150000, 50000, 800) +
                                     x::Colour(box, "fillcolor", "FF0000", 800),
                                 "autoRev=\"1\" repeatCount=\"2000\""))});
  seeds.push_back({"group", x::Group(4, "Group", 50, 50, 600, 400, 0, 0, 600, 400, Shapes(), 30),
                   Main(Entrance(show + x::Filter(x::ShapeTarget(3), "wheel(1)", true, 500)))});
  return seeds;
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-fuzz-seeds FUZZ_FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder + "/corpus/chain", error);
  std::filesystem::create_directories(folder + "/corpus/path", error);
  bool ok = true;
  for (const SlideSeed& seed : Seeds()) {
    ok &= Write(folder + "/corpus/chain/" + seed.name + ".xml",
                std::string(1, '\1') + seed.shapes + std::string(1, '\0') + seed.timing);
    pptx::DeckWriter writer;
    pptx::DeckWriter::Slide& slide = writer.AddSlide();
    slide.shapes = seed.shapes;
    slide.timing = seed.timing;
    ok &= Write(folder + "/corpus/chain/" + seed.name + ".pptx",
                std::string(1, '\0') + writer.Bytes());
  }
  const char* paths[] = {"M 0 0 L 0.25 0 E",
                         "M0,0L0.25,0",
                         "m 0.1 0.1 l 0.2 0 0 0.2 z",
                         "M 0 0 C 0.1 0.2 0.3 -0.1 0.4 0 E",
                         "M 0 0 c 0.1 0.2 0.3 -0.1 0.4 0 L 1e-3 2.5E-1 Z",
                         "M -0.5 -0.5 C 1 1 -1 1 0.5 -0.5 C 0 0 0 0 0 0 e"};
  int n = 0;
  for (const char* path : paths)
    ok &= Write(folder + "/corpus/path/seed" + std::to_string(++n), std::string("\0\0", 2) + path);
  if (!ok) std::cerr << "make-fuzz-seeds: cannot write under " << folder << "/corpus\n";
  return ok ? 0 : 1;
}
