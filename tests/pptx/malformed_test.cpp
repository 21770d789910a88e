// Bad input: file-level problems end the read with one error naming the file
// and the part; element-level problems are skipped with a warning; limits
// stop oversized input, each with its own message.
#include "DeckFixture.h"
#include "pptx/Units.h"

#include <fstream>
#include <functional>

using namespace testdeck;

namespace {

std::string WriteFile(const std::string& name, const std::string& bytes) {
  std::string path = DeckPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

pptx::DeckWriter OneSlide() {
  pptx::DeckWriter writer;
  writer.AddSlide().shapes = x::Shape(2, "Box", 0, 0, 10, 10, "FF0000");
  return writer;
}

// The one-slide deck's bytes after `edit`.
std::function<std::string()> Edited(std::function<void(pptx::DeckWriter&)> edit) {
  return [edit] {
    auto w = OneSlide();
    edit(w);
    return w.Bytes();
  };
}
std::function<std::string()> Without(const char* part) {
  return Edited([part](pptx::DeckWriter& w) { w.RemovePart(part); });
}
std::function<std::string()> Replaced(const char* part, const char* xml) {
  return Edited([part, xml](pptx::DeckWriter& w) { w.ReplacePart(part, xml); });
}
std::function<std::string()> Bytes(const char* bytes) {
  return [bytes] { return std::string(bytes); };
}

// The default limits with one of them set to `value`.
template <class T>
pptx::ReadLimits Limit(T pptx::ReadLimits::*field, T value) {
  pptx::ReadLimits limits;
  limits.*field = value;
  return limits;
}

TEST(MalformedInput, FileLevelProblemsNameTheFileAndThePart) {
  const char* const kPresentation = "ppt/presentation.xml";
  const pptx::ReadLimits kDefault;
  const struct {
    const char* feature;
    std::function<std::string()> deck;  // the file's bytes
    pptx::ReadLimits limits;
    const char* part;
    const char* message;
  } rows[] = {
      {"not_a_zip", Bytes("just some text, not an archive"), kDefault, "",
       "not a zip archive, so not a .pptx file"},
      {"empty_file", Bytes(""), kDefault, "", "not a zip archive, so not a .pptx file"},
      {"no_presentation_part", Without(kPresentation), kDefault, kPresentation,
       "the presentation part is missing, so this is not a presentation"},
      {"broken_presentation_xml",
       Replaced(kPresentation, "<p:presentation xmlns:p=\"x\"><p:sldIdLst>"), kDefault,
       kPresentation, "not well-formed XML"},
      {"wrong_root_element", Replaced(kPresentation, "<html/>"), kDefault, kPresentation,
       "not a presentation part (its root element is <html>)"},
      {"broken_slide_xml", Replaced("ppt/slides/slide1.xml", "<p:sld><p:cSld></p:sld>"), kDefault,
       "ppt/slides/slide1.xml", "not well-formed XML"},
      {"dangling_slide_relationship", Without("ppt/slides/slide1.xml"), kDefault, kPresentation,
       "relationship \"rId10\" points to ppt/slides/slide1.xml, which is missing"},
      {"slide_without_relationship",
       Replaced("ppt/_rels/presentation.xml.rels",
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                "relationships\"/>"),
       kDefault, kPresentation,
       "the slide list names relationship \"rId10\", which does not exist"},
      {"too_many_entries", Edited([](pptx::DeckWriter&) {}),
       Limit<size_t>(&pptx::ReadLimits::maxEntries, 5), "", "entries, more than the limit of 5"},
      {"xml_too_large", Edited([](pptx::DeckWriter&) {}),
       Limit<uint64_t>(&pptx::ReadLimits::maxXmlBytes, 1000), "",
       "the XML part is larger than the limit of 1000 bytes uncompressed"},
      {"total_too_large", Edited([](pptx::DeckWriter&) {}),
       Limit<uint64_t>(&pptx::ReadLimits::maxTotalBytes, 6000), "",
       "the parts read so far are larger than the limit of 6000 bytes uncompressed in total"},
      {"too_many_slides", Edited([](pptx::DeckWriter& w) {
         w.AddSlide();
         w.AddSlide();
       }),
       Limit<size_t>(&pptx::ReadLimits::maxSlides, 2), kPresentation,
       "the deck has 3 slides, more than the limit of 2"},
  };
  for (const auto& row : rows) {
    std::string path = WriteFile(row.feature, row.deck());
    pptx::Diagnostics diag;
    try {
      pptx::ReadDeck(path, diag, row.limits);
      ADD_FAILURE() << row.feature << ": no error";
    } catch (const pptx::ReadError& error) {
      std::string what = error.what();
      EXPECT_EQ(what.find(path + ": "), 0u) << what;
      if (*row.part) {
        EXPECT_EQ(error.Part(), row.part) << what;
      }
      EXPECT_NE(what.find(row.message), std::string::npos) << row.feature << ": " << what;
      EXPECT_EQ(what.find('\n'), std::string::npos) << "one line: " << what;
      ASSERT_EQ(diag.Errors().size(), 1u);
      EXPECT_EQ(diag.Errors()[0], what);
    }
  }
}

TEST(MalformedInput, ElementLevelProblemsAreSkippedWithOneWarningPerKind) {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Picture(2, "Lost", 0, 0, 10, 10, "rIdGone") +
                 x::Picture(3, "Also lost", 0, 0, 10, 10, "rIdGone") +
                 x::Shape(4, "Box", 0, 0, 10, 10, "FF0000") + "<p:unknownThing/>";
  slide.timing = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(4), "zoom(in)", true, 500)),
       MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(99), "fade", true, 500)),
       MakeEffect("entr", "clickEffect", "<p:animZoom/>")});
  writer.ReplacePart("ppt/slides/_rels/slide1.xml.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "relationships\"><Relationship Id=\"rIdLayout\" Type=\"http://schemas."
                     "openxmlformats.org/officeDocument/2006/relationships/slideLayout\" "
                     "Target=\"../slideLayouts/missing.xml\"/></Relationships>");
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("element_problems", writer, diag);
  auto s = deck.slides[0];
  EXPECT_EQ(s->AllShapes().size(), 3u);
  EXPECT_EQ(s->Effects()->Effects().size(), 2u);
  EXPECT_EQ(diag.Count("dangling relationship"), 3u);  // two images and the layout
  EXPECT_EQ(diag.Count("unknown filter"), 1u);
  EXPECT_EQ(diag.Count("effect on a missing shape"), 1u);
  EXPECT_EQ(diag.Count("unsupported behaviour"), 1u);
  EXPECT_EQ(diag.Count("effect without target"), 1u);
  EXPECT_EQ(diag.Count("unknown shape element"), 1u);
  std::vector<std::string> lines = diag.Lines();
  EXPECT_EQ(lines.size(), diag.Warnings().size());
  bool counted = false;
  for (const std::string& line : lines)
    if (line.rfind("warning: dangling relationship: ", 0) == 0 &&
        line.find("(and 2 more)") != std::string::npos)
      counted = true;
  EXPECT_TRUE(counted);
}

TEST(MalformedInput, AnOversizedPictureIsLeftOutNotFatal) {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = x::Picture(2, "Huge", 0, 0, 10, 10, "rIdImage");
  slide.relationships.push_back({"rIdImage", "image", "../media/huge.png", false});
  writer.AddPart("ppt/media/huge.png", std::string(200000, 'x'), "image/png");
  ASSERT_TRUE(writer.Save(DeckPath("oversized_picture")));
  pptx::ReadLimits limits;
  limits.maxPartBytes = 100000;
  pptx::Diagnostics diag;
  pptx::Deck deck = pptx::ReadDeck(DeckPath("oversized_picture"), diag, limits);
  auto picture = deck.slides[0]->FindShape(L"2");
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->picture.bytes.empty());
  EXPECT_EQ(diag.Count("unreadable part"), 1u);
  EXPECT_TRUE(diag.Errors().empty());
}

TEST(MalformedInput, CountAndDepthLimitsStopWithTheirOwnMessages) {
  std::string nested = x::Shape(9, "Leaf", 0, 0, 10, 10);
  for (int depth = 0; depth < 4; ++depth)
    nested = x::Group(10 + depth, "Level", 0, 0, 100, 100, 0, 0, 100, 100, nested);
  std::string deepTiming = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", true, 1))});
  for (int i = 0; i < 4; ++i) {
    size_t at = deepTiming.find("<p:par><p:cTn id=\"3\"");
    deepTiming.insert(at, "<p:par><p:cTn fill=\"hold\"><p:childTnLst>");
    size_t close = deepTiming.find("</p:childTnLst></p:cTn><p:prevCondLst>");
    deepTiming.insert(close, "</p:childTnLst></p:cTn></p:par>");
  }
  pptx::DeckWriter counts;
  pptx::DeckWriter::Slide& slide = counts.AddSlide();
  slide.shapes = x::Shape(2, "A", 0, 0, 10, 10) + x::Shape(3, "B", 0, 0, 10, 10) +
                 x::Shape(4, "C", 0, 0, 10, 10);
  slide.timing = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", true, 1)),
       MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(3), "fade", true, 1))});
  ASSERT_TRUE(counts.Save(DeckPath("count_limits")));
  pptx::ReadLimits limits;
  limits.maxShapesPerSlide = 2;
  limits.maxEffectsPerSlide = 1;
  pptx::Diagnostics diag;
  pptx::Deck deck = pptx::ReadDeck(DeckPath("count_limits"), diag, limits);
  EXPECT_EQ(deck.slides[0]->AllShapes().size(), 2u);
  EXPECT_EQ(deck.slides[0]->Effects()->Effects().size(), 1u);
  EXPECT_EQ(diag.Count("shape limit reached"), 1u);
  EXPECT_EQ(diag.Count("effect limit reached"), 1u);

  pptx::DeckWriter depths;
  depths.AddSlide().shapes = nested;
  depths.AddSlide().timing = deepTiming;
  ASSERT_TRUE(depths.Save(DeckPath("depth_limits")));
  pptx::ReadLimits shallow;
  shallow.maxDepth = 3;
  diag.Clear();
  deck = pptx::ReadDeck(DeckPath("depth_limits"), diag, shallow);
  EXPECT_EQ(deck.slides[0]->AllShapes().size(), 4u);  // groups 13 to 10; the leaf is skipped
  EXPECT_EQ(diag.Count("nesting too deep"), 2u);      // the groups and the timing tree
  EXPECT_TRUE(deck.slides[1]->Effects()->Effects().empty());
}

TEST(MalformedInput, HostileTextNeverCrashes) {
  // Absurd numbers and references everywhere; the read must finish.
  std::string shapes =
      "<p:sp><p:nvSpPr><p:cNvPr id=\"99999999999999999999\" name=\"\"/><p:cNvSpPr/><p:nvPr>"
      "<p:ph type=\"nonsense\" idx=\"-4\"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm rot=\"NaN\">"
      "<a:off x=\"1e400\" y=\"-\"/><a:ext cx=\"-5\" cy=\"abc\"/></a:xfrm></p:spPr><p:txBody>"
      "<a:bodyPr lIns=\"x\"/><a:p><a:pPr lvl=\"42\"><a:buAutoNum type=\"romanUcPeriod\" "
      "startAt=\"-3\"/></a:pPr><a:r><a:rPr sz=\"-1\"/><a:t>x</a:t></a:r></a:p></p:txBody></p:sp>";
  std::string timing =
      "<p:timing><p:tnLst><p:par><p:cTn id=\"1\"><p:childTnLst><p:seq><p:cTn "
      "nodeType=\"mainSeq\"><p:childTnLst><p:par><p:cTn presetClass=\"sideways\" "
      "nodeType=\"wobble\" repeatCount=\"-3\" accel=\"200000\"><p:stCondLst><p:cond "
      "delay=\"indefinite\"/></p:stCondLst><p:iterate type=\"lt\"><p:tmPct val=\"-1\"/>"
      "</p:iterate><p:childTnLst><p:anim by=\"1\"><p:cBhvr><p:cTn dur=\"4294967295\"/>"
      "<p:tgtEl><p:spTgt spid=\"NaN\"/></p:tgtEl></p:cBhvr></p:anim><p:animRot by=\"1e30\">"
      "<p:cBhvr><p:cTn dur=\"1\"/><p:tgtEl><p:spTgt spid=\"1\"><p:txEl><p:pRg st=\"5\" "
      "end=\"2\"/></p:txEl></p:spTgt></p:tgtEl></p:cBhvr></p:animRot><p:set><p:cBhvr><p:cTn "
      "dur=\"1\"/><p:tgtEl><p:spTgt spid=\"1\"><p:txEl><p:charRg st=\"900\" end=\"1000\"/>"
      "</p:txEl></p:spTgt></p:tgtEl></p:cBhvr><p:to><p:clrVal><a:schemeClr val=\"nope\"/>"
      "</p:clrVal></p:to></p:set></p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn>"
      "</p:seq></p:childTnLst></p:cTn></p:par></p:tnLst></p:timing>";
  pptx::Diagnostics diag;
  auto slide = ReadSlide("hostile_values", shapes, timing, diag);
  ASSERT_TRUE(slide);
  EXPECT_EQ(slide->AllShapes().size(), 1u);
  EXPECT_GT(diag.WarningCount(), 5u);
}

// Valid XML with absurd values: the reader bounds what later arithmetic would
// lose its precision or its end on, with one warning line per kind.
TEST(MalformedInput, AbsurdValuesAreBoundedWithAWarning) {
  std::string shapes;
  for (int id : {2, 3}) {
    std::string huge = x::Shape(id, "Huge", 0, 0, 10, 10, "FF0000");
    huge.replace(huge.find("<a:off"), huge.find("</a:xfrm>") - huge.find("<a:off"),
                 "<a:off x=\"-1e30\" y=\"5e13\"/><a:ext cx=\"1e30\" cy=\"1e30\"/>");
    shapes += huge;
  }
  x::Effect both =
      MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "wedge", true, 500));
  both.attrs = "accel=\"100000\" decel=\"100000\"";
  x::Effect path =
      MakeEffect("entr", "clickEffect",
                 x::Motion(x::ShapeTarget(2), "M 0 0 L" + std::string(70000, ' ') + "1 1", 500));
  pptx::Diagnostics diag;
  auto slide = ReadSlide("absurd_values", shapes, MainSequence({both, path}), diag);
  ASSERT_TRUE(slide);
  const auto& shape = *slide->AllShapes().at(0);
  EXPECT_DOUBLE_EQ(shape.Width(), 27273042316900.0 / pptx::kEmuPerUnit);
  EXPECT_DOUBLE_EQ(shape.X(), -27273042329600.0 / pptx::kEmuPerUnit);
  EXPECT_EQ(diag.Count("extent out of range"), 4u);  // cx and cy of both shapes
  EXPECT_EQ(diag.Count("offset out of range"), 4u);  // x and y of both shapes
  auto effect = EffectAt(slide, 0);
  EXPECT_EQ(Values(effect, {ePropAccel, ePropDecel}), (Numbers{50000, 50000}));
  EXPECT_EQ(diag.Count("acceleration over 100%"), 1u);
  EXPECT_FALSE(Has(boost::shared_ptr<IInterface>(Main(EffectAt(slide, 1), 0)), ePropMotionPath));
  EXPECT_EQ(diag.Count("motion path too long"), 1u);
  size_t lines = 0;
  for (const std::string& line : diag.Lines())
    lines += line.find("out of range") != std::string::npos;
  EXPECT_EQ(lines, 2u);
}

TEST(MalformedInput, DecksInMemoryReadAndFailTheSameWay) {
  pptx::Diagnostics diag;
  pptx::Deck deck = pptx::ReadDeckFromMemory("memory.pptx", OneSlide().Bytes(), diag);
  ASSERT_EQ(deck.slides.size(), 1u);
  EXPECT_EQ(deck.fileName, "memory.pptx");
  try {
    pptx::ReadDeckFromMemory("junk.pptx", "PK\x03\x04 but nothing else", diag);
    ADD_FAILURE() << "no error";
  } catch (const pptx::ReadError& error) {
    EXPECT_EQ(std::string(error.what()), "junk.pptx: not a zip archive, so not a .pptx file");
  }
}

}  // namespace
