// Writes examples/decks/demo.pptx, the deck that shows off slideanim. Four
// slides:
//   1. entrances by the filters that morph one mask (blinds, box, diamond,
//      circle, split, plus, wipe, checkerboard, strips) and a fly-in made of a
//      motion and a fade;
//   2. entrances by the filters that draw a new mask every frame (wedge, wheel
//      with 1, 2, 3, 4 and 8 spokes, dissolve, random bars) and peek;
//   3. emphasis (spin with a sound, grow/shrink, colour change, bold flash), a
//      custom motion path and exits;
//   4. text built by paragraph, by word and by letter, and a button that
//      triggers a callout.
// The sound is a short chime that this program synthesises and stores as WAV.
// The same program always writes the same bytes.
//
//   make_demo_deck [OUTPUT.pptx]     (default: demo.pptx)
//   slideanim inspect OUTPUT.pptx
// The README's picture, docs/images/demo-sheet.png, is its contact sheet:
//   slideanim sheet demo.pptx --count 4 --columns 4 --width 240 -o sheet.png
//   convert sheet.png +dither -colors 64 -strip PNG8:docs/images/demo-sheet.png
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "pptx/DeckWriter.h"

namespace x = pptx::xml;

namespace {

// ---- the chime ------------------------------------------------------------

// libsndfile writes into a string through these callbacks.
struct MemoryFile {
  std::string bytes;
  sf_count_t at = 0;
};

sf_count_t MemoryLength(void* user) {
  return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  sf_count_t base = whence == SEEK_CUR   ? file->at
                    : whence == SEEK_END ? static_cast<sf_count_t>(file->bytes.size())
                                         : 0;
  file->at = std::max<sf_count_t>(0, base + offset);
  return file->at;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  sf_count_t size = static_cast<sf_count_t>(file->bytes.size());
  sf_count_t n = std::max<sf_count_t>(0, std::min(count, size - file->at));
  std::memcpy(out, file->bytes.data() + file->at, static_cast<size_t>(n));
  file->at += n;
  return n;
}

sf_count_t MemoryWrite(const void* data, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  size_t end = static_cast<size_t>(file->at + count);
  if (file->bytes.size() < end) file->bytes.resize(end);
  std::memcpy(&file->bytes[static_cast<size_t>(file->at)], data, static_cast<size_t>(count));
  file->at += count;
  return count;
}

sf_count_t MemoryTell(void* user) {
  return static_cast<MemoryFile*>(user)->at;
}

// A two-note chime, 0.3 s of 16-bit mono at 11025 Hz: two sines an octave
// and a fifth apart, with a fast attack and an exponential decay.
std::string Chime() {
  const int rate = 11025;
  const int frames = rate * 3 / 10;
  std::vector<short> samples(frames);
  const double pi = 3.14159265358979323846;
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / rate;
    double second =
        t < 0.08 ? 0 : std::sin(2 * pi * 1318.5 * (t - 0.08)) * std::exp(-(t - 0.08) * 14);
    double first = std::sin(2 * pi * 987.8 * t) * std::exp(-t * 16);
    double attack = std::min(1.0, t * 400);
    samples[i] = static_cast<short>(std::lround(attack * (0.45 * first + 0.4 * second) * 32767));
  }
  SF_VIRTUAL_IO io = {MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
  MemoryFile file;
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &file);
  if (!sound) return std::string();
  bool ok = sf_write_short(sound, samples.data(), frames) == frames;
  if (sf_close(sound) != 0 || !ok) return std::string();
  return file.bytes;
}

// ---- slide content ----------------------------------------------------------

x::Para Label(const std::string& text, int size = 2000, const std::string& colour = "FFFFFF",
              bool bold = true) {
  x::Para p;
  p.runs.push_back(x::Run{
      text, std::string(bold ? "b=\"1\" " : "") + "sz=\"" + std::to_string(size) + "\"", colour});
  p.pPr = "algn=\"ctr\"";
  return p;
}

x::Para Line(const std::string& text, int size = 2400) {
  x::Para p;
  p.runs.push_back(x::Run{text, "sz=\"" + std::to_string(size) + "\"", "1F2A44"});
  p.pPr = "<a:spcBef><a:spcPts val=\"900\"/></a:spcBef>";
  return p;
}

std::string Title(const std::string& text) {
  return x::Placeholder(2, "Title", "title", -1, {x::P(text)});
}

x::Effect MakeEffect(const std::string& presetClass, int presetId, int subtype,
                     const std::string& nodeType, const std::string& behaviours, uint32_t length,
                     int groupId = 0) {
  x::Effect effect;
  effect.presetClass = presetClass;
  effect.presetId = presetId;
  effect.presetSubtype = subtype;
  effect.nodeType = nodeType;
  effect.behaviours = behaviours;
  effect.length = length;
  effect.groupId = groupId;
  return effect;
}

// An entrance: the shape appears, then a filter reveals it.
std::string Reveal(int spid, const std::string& filter, uint32_t ms) {
  return x::Set(x::ShapeTarget(spid), "style.visibility", "visible") +
         x::Filter(x::ShapeTarget(spid), filter, true, ms);
}

// An exit: a filter hides the shape, which is hidden at the end.
std::string Conceal(int spid, const std::string& filter, uint32_t ms) {
  return x::Filter(x::ShapeTarget(spid), filter, false, ms) +
         x::Set(x::ShapeTarget(spid), "style.visibility", "hidden", ms - 1);
}

// One tile of the entrance slides: a filled shape with its effect's name.
struct Tile {
  const char* label;
  const char* filter;  // empty: the fly-in
  int presetId;
  int subtype;
  const char* fill;
  const char* geometry;
};

// Lays tiles out in rows of five below the title; each row starts on a click
// (the first one as the slide starts) and its tiles follow one after another.
void EntranceSlide(pptx::DeckWriter::Slide& slide, const std::string& title,
                   const std::vector<Tile>& tiles) {
  const double width = 208, height = 150, gapX = 32, gapY = 60, left = 72, top = 200;
  const uint32_t ms = 700;
  std::vector<x::Effect> effects;
  std::string builds;
  slide.shapes = Title(title);
  for (size_t i = 0; i < tiles.size(); ++i) {
    const Tile& tile = tiles[i];
    int spid = static_cast<int>(i) + 3;
    double col = static_cast<double>(i % 5), row = static_cast<double>(i / 5);
    slide.shapes +=
        x::Shape(spid, tile.label, left + col * (width + gapX), top + row * (height + gapY), width,
                 height, tile.fill, "", {Label(tile.label)}, tile.geometry);
    std::string nodeType = i % 5 == 0 ? (i == 0 ? "afterEffect" : "clickEffect") : "afterEffect";
    std::string behaviours;
    if (*tile.filter) {
      behaviours = Reveal(spid, tile.filter, ms);
    } else {
      // Flies in from below the slide while it fades in.
      behaviours = x::Set(x::ShapeTarget(spid), "style.visibility", "visible") +
                   x::Motion(x::ShapeTarget(spid), "M 0 0.45 L 0 0 E", ms) +
                   x::Filter(x::ShapeTarget(spid), "fade", true, ms);
    }
    effects.push_back(MakeEffect("entr", tile.presetId, tile.subtype, nodeType, behaviours, ms));
    builds += x::BuildParagraph(spid, 0, "", true);
  }
  slide.timing = x::Timing({x::Sequence{"", effects}}, builds);
}

// The tiles of the two entrance slides: masks that morph, then masks drawn
// every frame.
const Tile kEntranceTiles[] = {
    {"Blinds", "blinds(horizontal)", 3, 10, "4472C4", "rect"},
    {"Box", "box(out)", 4, 32, "ED7D31", "rect"},
    {"Diamond", "diamond(out)", 8, 32, "A5A5A5", "rect"},
    {"Circle", "circle(in)", 6, 16, "FFC000", "rect"},
    {"Split", "barn(outVertical)", 16, 42, "5B9BD5", "rect"},
    {"Plus", "plus(out)", 13, 32, "70AD47", "rect"},
    {"Wipe", "wipe(down)", 22, 4, "264478", "rect"},
    {"Checkerboard", "checkerboard(across)", 5, 10, "9E480E", "rect"},
    {"Strips", "strips(downRight)", 18, 12, "636363", "rect"},
    {"Fly in", "", 2, 4, "997300", "roundRect"},
    {"Wedge", "wedge", 20, 0, "4472C4", "ellipse"},
    {"Wheel 1", "wheel(1)", 21, 1, "ED7D31", "ellipse"},
    {"Wheel 2", "wheel(2)", 21, 2, "A5A5A5", "ellipse"},
    {"Wheel 3", "wheel(3)", 21, 3, "FFC000", "ellipse"},
    {"Wheel 4", "wheel(4)", 21, 4, "5B9BD5", "ellipse"},
    {"Wheel 8", "wheel(8)", 21, 8, "70AD47", "ellipse"},
    {"Dissolve", "dissolve", 9, 0, "264478", "rect"},
    {"Random bars", "randombar(vertical)", 14, 5, "9E480E", "rect"},
    {"Peek", "slide(fromBottom)", 12, 4, "636363", "rect"},
    {"Fade", "fade", 10, 0, "997300", "roundRect"},
};

void MaskSlide(pptx::DeckWriter::Slide& slide) {
  EntranceSlide(slide, "Entrances: masks that morph",
                std::vector<Tile>(kEntranceTiles, kEntranceTiles + 10));
}

void ArcSlide(pptx::DeckWriter::Slide& slide) {
  EntranceSlide(slide, "Entrances: masks drawn every frame",
                std::vector<Tile>(kEntranceTiles + 10, kEntranceTiles + 20));
}

// The effect sound as presentation programs write it: an audio node among the
// effect's sub-animations that starts with the effect.
std::string EffectSound(const std::string& rid, const std::string& name) {
  return "<p:audio><p:cMediaNode vol=\"80000\"><p:cTn id=\"#\" display=\"0\" "
         "masterRel=\"sameClick\"><p:stCondLst><p:cond evt=\"begin\" delay=\"0\"><p:tn "
         "val=\"#\"/></p:cond></p:stCondLst><p:endCondLst><p:cond evt=\"onNext\" "
         "delay=\"0\"><p:tgtEl><p:sldTgt/></p:tgtEl></p:cond></p:endCondLst></p:cTn><p:tgtEl>"
         "<p:sndTgt r:embed=\"" +
         rid + "\" name=\"" + name + "\"/></p:tgtEl></p:cMediaNode></p:audio>";
}

// Points each sound's start condition (written with val="#") at the time node
// of the effect it belongs to, once the time nodes are numbered.
std::string LinkSounds(std::string timing) {
  const std::string mark = "<p:tn val=\"#\"/>", effect = "<p:cTn id=\"";
  for (size_t at; (at = timing.find(mark)) != std::string::npos;) {
    size_t owner = timing.rfind(effect + "", timing.rfind("presetClass=", at));
    size_t start = owner + effect.size();
    std::string id = timing.substr(start, timing.find('"', start) - start);
    timing.replace(at, mark.size(), "<p:tn val=\"" + id + "\"/>");
  }
  return timing;
}

void EmphasisSlide(pptx::DeckWriter::Slide& slide) {
  enum { kStar = 3, kBox = 4, kDisc = 5, kWords = 6, kBall = 7, kPath = 8 };
  slide.shapes =
      Title("Emphasis, paths and exits") +
      x::Shape(kStar, "Star", 90, 200, 200, 200, "FFC000", "BF9000", {}, "star5") +
      x::Shape(kBox, "Box", 370, 225, 150, 150, "4472C4", "2F528F", {Label("Grow")}, "rect") +
      x::Shape(kDisc, "Disc", 600, 225, 150, 150, "70AD47", "", {Label("Colour")}, "ellipse") +
      x::Shape(kWords, "Bold", 830, 240, 360, 120, "", "",
               {Label("Bold flash", 4000, "C00000", false)}) +
      x::Shape(kPath, "Track", 90, 470, 1100, 4, "D9D9D9", "", {}, "rect") +
      x::Shape(kBall, "Ball", 90, 560, 70, 70, "ED7D31", "", {}, "ellipse");

  x::Effect spin = MakeEffect("emph", 8, 0, "afterEffect",
                              x::Rotate(x::ShapeTarget(kStar), 21600000, 1500), 1500);
  spin.subTnLst = EffectSound("rIdChime", "chime.wav");
  x::Effect grow =
      MakeEffect("emph", 6, 0, "afterEffect", x::Scale(x::ShapeTarget(kBox), 150, 150, 600), 1200);
  grow.attrs = "autoRev=\"1\"";
  x::Effect colour =
      MakeEffect("emph", 1, 2, "afterEffect",
                 x::Colour(x::ShapeTarget(kDisc), "fillcolor", "7030A0", 1000), 1000);
  // Bold, normal, bold again and back to the authored weight.
  x::Effect bold =
      MakeEffect("emph", 10, 0, "afterEffect",
                 x::Set(x::ShapeTarget(kWords), "style.fontWeight", "bold", 0, 400) +
                     x::Set(x::ShapeTarget(kWords), "style.fontWeight", "normal", 400, 400) +
                     x::Set(x::ShapeTarget(kWords), "style.fontWeight", "bold", 800, 400) +
                     x::Set(x::ShapeTarget(kWords), "style.fontWeight", "normal", 1200, 1),
                 1201);
  x::Effect path =
      MakeEffect("path", 0, 0, "clickEffect",
                 x::Motion(x::ShapeTarget(kBall),
                           "M 0 0 C 0.08 -0.3 0.2 -0.3 0.25 -0.1 C 0.3 0.08 0.42 0.08 0.5 -0.12 "
                           "C 0.58 -0.32 0.72 -0.2 0.8 0 E",
                           2500),
                 2500);
  std::vector<x::Effect> main = {spin, grow, colour, bold, path};
  main.push_back(MakeEffect("exit", 21, 4, "clickEffect", Conceal(kStar, "wheel(4)", 800), 800, 1));
  main.push_back(MakeEffect("exit", 4, 16, "withEffect", Conceal(kBox, "box(in)", 800), 800, 1));
  main.push_back(MakeEffect("exit", 9, 0, "afterEffect", Conceal(kDisc, "dissolve", 800), 800, 1));
  main.push_back(
      MakeEffect("exit", 22, 8, "afterEffect", Conceal(kWords, "wipe(left)", 700), 700, 1));
  main.push_back(MakeEffect("exit", 10, 0, "withEffect", Conceal(kBall, "fade", 700), 700, 1));

  slide.timing = LinkSounds(
      x::Timing({x::Sequence{"", main}},
                x::BuildParagraph(kBox, 0, "", true) + x::BuildParagraph(kDisc, 0, "", true) +
                    x::BuildParagraph(kWords, 0, "") + x::BuildParagraph(kBox, 1, "", true) +
                    x::BuildParagraph(kDisc, 1, "", true) + x::BuildParagraph(kWords, 1, "")));
  slide.relationships.push_back({"rIdChime", "audio", "../media/chime.wav", false});
}

void TextSlide(pptx::DeckWriter::Slide& slide) {
  enum { kPoints = 3, kWords = 4, kLetters = 5, kButton = 6, kCallout = 7 };
  std::vector<x::Para> points;
  for (const char* line :
       {"By paragraph: one at a time", "Each one after the last", "With its own fade"})
    points.push_back(Line(line));
  slide.shapes = Title("Text builds and a trigger") +
                 x::Shape(kPoints, "Paragraphs", 72, 190, 560, 220, "DEEBF7", "", points) +
                 x::Shape(kWords, "Words", 680, 190, 528, 100, "", "",
                          {Line("By word, one word after another", 2800)}) +
                 x::Shape(kLetters, "Letters", 680, 310, 528, 100, "", "",
                          {Label("By letter!", 4400, "2F528F")}) +
                 x::Shape(kButton, "Button", 72, 500, 220, 80, "70AD47", "507E32",
                          {Label("Press me")}, "roundRect") +
                 x::Shape(kCallout, "Callout", 340, 460, 420, 150, "FFC000", "",
                          {Label("A trigger started me", 2400, "1F2A44")}, "wedgeRoundRectCallout");

  std::vector<x::Effect> main;
  for (int p = 0; p < 3; ++p) {
    std::string target = x::ParagraphTarget(kPoints, p, p);
    main.push_back(MakeEffect(
        "entr", 10, 0, "afterEffect",
        x::Set(target, "style.visibility", "visible") + x::Filter(target, "fade", true, 600), 600));
  }
  x::Effect words = MakeEffect("entr", 10, 0, "clickEffect", Reveal(kWords, "fade", 500), 1500);
  words.iterate = "<p:iterate type=\"wd\"><p:tmPct val=\"50000\"/></p:iterate>";
  main.push_back(words);
  x::Effect letters =
      MakeEffect("entr", 22, 4, "afterEffect", Reveal(kLetters, "wipe(down)", 300), 1200);
  letters.iterate = "<p:iterate type=\"lt\"><p:tmPct val=\"30000\"/></p:iterate>";
  main.push_back(letters);

  x::Effect callout =
      MakeEffect("entr", 4, 32, "clickEffect", Reveal(kCallout, "box(out)", 600), 600);
  x::Effect wobble = MakeEffect("emph", 8, 0, "afterEffect",
                                x::Rotate(x::ShapeTarget(kCallout), 5 * 60000, 250), 500);
  wobble.attrs = "autoRev=\"1\"";
  slide.timing =
      x::Timing({x::Sequence{"", main}, x::Sequence{x::ClickCondition(kButton), {callout, wobble}}},
                x::BuildParagraph(kPoints, 0, "p") + x::BuildParagraph(kWords, 0, "") +
                    x::BuildParagraph(kLetters, 0, "") + x::BuildParagraph(kCallout, 0, "", true));
  slide.transition = "<p:transition spd=\"med\"><p:fade/></p:transition>";
}

}  // namespace

int main(int argc, char** argv) {
  std::string output = argc > 1 ? argv[1] : "demo.pptx";
  std::string chime = Chime();
  if (chime.empty()) {
    std::cerr << "error: cannot make the chime: " << sf_strerror(nullptr) << "\n";
    return 1;
  }

  pptx::DeckWriter writer(1280, 720);
  MaskSlide(writer.AddSlide());
  ArcSlide(writer.AddSlide());
  EmphasisSlide(writer.AddSlide());
  TextSlide(writer.AddSlide());
  writer.AddPart("ppt/media/chime.wav", chime, "audio/wav");

  if (!writer.Save(output)) {
    std::cerr << "error: cannot write " << output << "\n";
    return 1;
  }
  std::cout << "wrote " << output << "\n";
  return 0;
}
