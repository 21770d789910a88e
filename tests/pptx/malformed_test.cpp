// Bad input: file-level problems end the read with one error naming the file
// and the part; element-level problems are skipped with a warning; limits
// stop oversized input, each with its own message.
#include "DeckFixture.h"
#include "pptx/Units.h"

#include <fstream>
#include <functional>

using namespace testdeck;

namespace {

// A one-slide deck's bytes after `edit`.
std::string Edited(const std::function<void(pptx::DeckWriter&)>& edit) {
  pptx::DeckWriter writer;
  writer.AddSlide().shapes = x::Shape(2, "Box", 0, 0, 10, 10, "FF0000");
  edit(writer);
  return writer.Bytes();
}
std::string Without(const char* part) {
  return Edited([part](pptx::DeckWriter& w) { w.RemovePart(part); });
}
std::string Replaced(const char* part, const char* xml) {
  return Edited([part, xml](pptx::DeckWriter& w) { w.ReplacePart(part, xml); });
}

// Per slide: how many shapes and effects were read, and picture bytes.
std::string ReadCounts(const std::vector<boost::shared_ptr<platform::Slide>>& slides) {
  std::string out;
  for (const auto& slide : slides) {
    size_t bytes = 0;
    for (const auto& shape : slide->AllShapes()) bytes += shape->picture.bytes.size();
    out += (out.empty() ? "" : ", ") + std::to_string(slide->AllShapes().size()) + "/" +
           std::to_string(slide->Effects()->Effects().size()) + "/" + std::to_string(bytes);
  }
  return out;
}

// The default limits with one of them set to `value`.
template <class T>
pptx::ReadLimits Limit(T pptx::ReadLimits::*field, T value) {
  pptx::ReadLimits limits;
  limits.*field = value;
  return limits;
}

// Read from a file or from memory alike.
TEST(MalformedInput, FileLevelProblemsNameTheFileAndThePart) {
  const char* const kPresentation = "ppt/presentation.xml";
  const std::string deck = Edited([](pptx::DeckWriter&) {});
  const struct {
    const char* feature;
    std::string deck;  // the file's bytes
    const char* part;  // empty: not checked
    const char* message;
    pptx::ReadLimits limits = {};
  } rows[] = {
      {"not_a_zip", "just some text, not an archive", "", "not a zip archive, so not a .pptx file"},
      {"empty_file", "", "", "not a zip archive, so not a .pptx file"},
      {"zip_header_only", "PK\x03\x04 but nothing else", "",
       "not a zip archive, so not a .pptx file"},
      {"no_presentation_part", Without(kPresentation), kPresentation,
       "the presentation part is missing, so this is not a presentation"},
      {"broken_presentation_xml",
       Replaced(kPresentation, R"(<p:presentation xmlns:p="x"><p:sldIdLst>)"), kPresentation,
       "not well-formed XML"},
      {"wrong_root_element", Replaced(kPresentation, "<html/>"), kPresentation,
       "not a presentation part (its root element is <html>)"},
      {"broken_slide_xml", Replaced("ppt/slides/slide1.xml", "<p:sld><p:cSld></p:sld>"),
       "ppt/slides/slide1.xml", "not well-formed XML"},
      {"dangling_slide_relationship", Without("ppt/slides/slide1.xml"), kPresentation,
       R"(relationship "rId10" points to ppt/slides/slide1.xml, which is missing)"},
      {"slide_without_relationship",
       Replaced(
           "ppt/_rels/presentation.xml.rels",
           R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"/>)"),
       kPresentation, R"(the slide list names relationship "rId10", which does not exist)"},
      {"too_many_entries", deck, "", "entries, more than the limit of 5",
       Limit<size_t>(&pptx::ReadLimits::maxEntries, 5)},
      {"xml_too_large", deck, "",
       "the XML part is larger than the limit of 1000 bytes uncompressed",
       Limit<uint64_t>(&pptx::ReadLimits::maxXmlBytes, 1000)},
      {"total_too_large", deck, "",
       "the parts read so far are larger than the limit of 6000 bytes uncompressed in total",
       Limit<uint64_t>(&pptx::ReadLimits::maxTotalBytes, 6000)},
      {"too_many_slides", Edited([](pptx::DeckWriter& w) {
         w.AddSlide();
         w.AddSlide();
       }),
       kPresentation, "the deck has 3 slides, more than the limit of 2",
       Limit<size_t>(&pptx::ReadLimits::maxSlides, 2)},
  };
  for (const auto& row : rows)
    for (bool inMemory : {false, true}) {
      const std::string path = DeckPath(row.feature);
      std::ofstream(path, std::ios::binary) << row.deck;
      pptx::Diagnostics diag;
      try {
        if (inMemory)
          pptx::ReadDeckFromMemory(path, row.deck, diag, row.limits);
        else
          pptx::ReadDeck(path, diag, row.limits);
        ADD_FAILURE() << row.feature << ": no error";
      } catch (const pptx::ReadError& error) {
        std::string what = error.what();
        EXPECT_EQ(what.find(path + ": "), 0u) << what;
        EXPECT_TRUE(!*row.part || error.Part() == row.part) << what;
        EXPECT_NE(what.find(row.message), std::string::npos) << row.feature << ": " << what;
        EXPECT_EQ(what.find('\n'), std::string::npos) << "one line: " << what;
        EXPECT_EQ(diag.Errors(), std::vector<std::string>{what});
      }
    }
  pptx::Diagnostics diag;
  pptx::Deck fromMemory = pptx::ReadDeckFromMemory("memory.pptx", deck, diag);
  EXPECT_EQ(std::make_pair(fromMemory.slides.size(), fromMemory.fileName),
            std::make_pair(size_t{1}, std::string("memory.pptx")));
}

// Problems inside a deck leave out what they touch, with one warning line
// per kind that counts the others; so do limits, each with its own warning.
TEST(MalformedInput, ProblemsInsideADeckAreSkippedWithOneWarningPerKind) {
  pptx::DeckWriter problems;
  pptx::DeckWriter::Slide& lost = problems.AddSlide();
  lost.shapes = x::Picture(2, "Lost", 0, 0, 10, 10, "rIdGone") +
                x::Picture(3, "Also lost", 0, 0, 10, 10, "rIdGone") +
                x::Shape(4, "Box", 0, 0, 10, 10, "FF0000") + "<p:unknownThing/>";
  lost.timing = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(4), "zoom(in)", true, 500)),
       MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(99), "fade", true, 500)),
       MakeEffect("entr", "clickEffect", "<p:animZoom/>")});
  problems.ReplacePart("ppt/slides/_rels/slide1.xml.rels",
                       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/)"
                       R"(relationships"><Relationship Id="rIdLayout" Type="http://schemas.)"
                       R"(openxmlformats.org/officeDocument/2006/relationships/slideLayout" )"
                       R"(Target="../slideLayouts/missing.xml"/></Relationships>)");
  // Absurd numbers and references everywhere; the read must finish.
  pptx::DeckWriter hostile;
  pptx::DeckWriter::Slide& absurd = hostile.AddSlide();
  absurd.shapes =
      R"(<p:sp><p:nvSpPr><p:cNvPr id="99999999999999999999" name=""/><p:cNvSpPr/><p:nvPr>)"
      R"(<p:ph type="nonsense" idx="-4"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm rot="NaN">)"
      R"(<a:off x="1e400" y="-"/><a:ext cx="-5" cy="abc"/></a:xfrm></p:spPr><p:txBody>)"
      R"(<a:bodyPr lIns="x"/><a:p><a:pPr lvl="42"><a:buAutoNum type="romanUcPeriod" )"
      R"(startAt="-3"/></a:pPr><a:r><a:rPr sz="-1"/><a:t>x</a:t></a:r></a:p></p:txBody></p:sp>)";
  absurd.timing =
      R"(<p:timing><p:tnLst><p:par><p:cTn id="1"><p:childTnLst><p:seq><p:cTn nodeType="mainSeq">)"
      R"(<p:childTnLst><p:par><p:cTn presetClass="sideways" nodeType="wobble" repeatCount="-3" )"
      R"(accel="200000"><p:stCondLst><p:cond delay="indefinite"/></p:stCondLst><p:iterate )"
      R"(type="lt"><p:tmPct val="-1"/></p:iterate><p:childTnLst><p:anim by="1"><p:cBhvr>)"
      R"(<p:cTn dur="4294967295"/><p:tgtEl><p:spTgt spid="NaN"/></p:tgtEl></p:cBhvr></p:anim>)"
      R"(<p:animRot by="1e30"><p:cBhvr><p:cTn dur="1"/><p:tgtEl><p:spTgt spid="1"><p:txEl>)"
      R"(<p:pRg st="5" end="2"/></p:txEl></p:spTgt></p:tgtEl></p:cBhvr></p:animRot><p:set>)"
      R"(<p:cBhvr><p:cTn dur="1"/><p:tgtEl><p:spTgt spid="1"><p:txEl><p:charRg st="900" )"
      R"(end="1000"/></p:txEl></p:spTgt></p:tgtEl></p:cBhvr><p:to><p:clrVal>)"
      R"(<a:schemeClr val="nope"/></p:clrVal></p:to></p:set></p:childTnLst></p:cTn></p:par>)"
      R"(</p:childTnLst></p:cTn></p:seq></p:childTnLst></p:cTn></p:par></p:tnLst></p:timing>)";
  pptx::DeckWriter picture;
  pptx::DeckWriter::Slide& slide = picture.AddSlide();
  slide.shapes = x::Picture(2, "Huge", 0, 0, 10, 10, "rIdImage");
  slide.relationships.push_back({"rIdImage", "image", "../media/huge.png", false});
  picture.AddPart("ppt/media/huge.png", std::string(200000, 'x'), "image/png");
  pptx::DeckWriter counts;
  pptx::DeckWriter::Slide& three = counts.AddSlide();
  three.shapes = x::Shape(2, "A", 0, 0, 10, 10) + x::Shape(3, "B", 0, 0, 10, 10) +
                 x::Shape(4, "C", 0, 0, 10, 10);
  three.timing = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", true, 1)),
       MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(3), "fade", true, 1))});
  // Groups four deep, and a timing tree four levels deeper than usual.
  std::string nested = x::Shape(9, "Leaf", 0, 0, 10, 10);
  for (int depth = 0; depth < 4; ++depth)
    nested = x::Group(10 + depth, "Level", 0, 0, 100, 100, 0, 0, 100, 100, nested);
  std::string deepTiming = MainSequence(
      {MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "fade", true, 1))});
  for (int i = 0; i < 4; ++i) {
    deepTiming.insert(deepTiming.find("<p:par><p:cTn id=\"3\""),
                      "<p:par><p:cTn fill=\"hold\"><p:childTnLst>");
    deepTiming.insert(deepTiming.find("</p:childTnLst></p:cTn><p:prevCondLst>"),
                      "</p:childTnLst></p:cTn></p:par>");
  }
  pptx::DeckWriter depths;
  depths.AddSlide().shapes = nested;
  depths.AddSlide().timing = deepTiming;
  const struct {
    const char* feature;
    const pptx::DeckWriter& deck;
    pptx::ReadLimits limits;
    const char* read;  // shapes, effects and picture bytes of each slide
    const char* warned;
  } rows[] = {
      // Two images and the layout dangle.
      {"element_problems",
       problems,
       {},
       "3/2/0",
       "dangling relationship x3, effect on a missing shape x1, effect without target x1, "
       "unknown filter x1, unknown shape element x1, unsupported behaviour x1"},
      {"hostile_values",
       hostile,
       {},
       "1/0/0",
       "indefinite delay x1, invalid number x7, invalid paragraph level x1, invalid paragraph "
       "range x1, invalid shape id x1, invalid time value x1, negative extent x1, paragraph range "
       "out of bounds x1, unknown attribute x1, unknown colour x1"},
      {"oversized_picture", picture, Limit<uint64_t>(&pptx::ReadLimits::maxPartBytes, 100000),
       "1/0/0", "unreadable part x1"},
      {"shape_limit", counts, Limit<size_t>(&pptx::ReadLimits::maxShapesPerSlide, 2), "2/2/0",
       "shape limit reached x1"},
      {"effect_limit", counts, Limit<size_t>(&pptx::ReadLimits::maxEffectsPerSlide, 1), "3/1/0",
       "effect limit reached x1"},
      // Groups 13 to 10 are kept, the leaf skipped; the timing tree goes.
      {"depth_limit", depths, Limit<size_t>(&pptx::ReadLimits::maxDepth, 3), "4/0/0, 0/0/0",
       "nesting too deep x2"},
  };
  for (const auto& row : rows) {
    pptx::Diagnostics diag;
    pptx::Deck deck = pptx::ReadDeck(Saved(DeckPath(row.feature), row.deck), diag, row.limits);
    EXPECT_EQ(ReadCounts(deck.slides), row.read) << row.feature;
    EXPECT_EQ(Warned(diag), row.warned) << row.feature;
    EXPECT_TRUE(diag.Errors().empty()) << row.feature;
    const std::vector<std::string> lines = diag.Lines();
    ASSERT_EQ(lines.size(), diag.Warnings().size());
    auto line = lines.begin();
    for (const auto& kind : diag.Warnings()) {
      const std::string more = " (and " + std::to_string(kind.second.count - 1) + " more)";
      EXPECT_EQ(line->rfind("warning: " + kind.first + ": ", 0), 0u) << *line;
      EXPECT_EQ(line->find(more) != std::string::npos, kind.second.count > 1) << *line;
      ++line;
    }
  }
}

// Valid XML with absurd values: the reader bounds what later arithmetic would
// lose its precision or its end on, with one warning per kind.
TEST(MalformedInput, AbsurdValuesAreBoundedWithAWarning) {
  std::string shapes;
  for (int id : {2, 3}) {
    std::string huge = x::Shape(id, "Huge", 0, 0, 10, 10, "FF0000");
    huge.replace(huge.find("<a:off"), huge.find("</a:xfrm>") - huge.find("<a:off"),
                 R"(<a:off x="-1e30" y="5e13"/><a:ext cx="1e30" cy="1e30"/>)");
    shapes += huge;
  }
  x::Effect both =
      MakeEffect("entr", "clickEffect", x::Filter(x::ShapeTarget(2), "wedge", true, 500));
  both.attrs = R"(accel="100000" decel="100000")";
  x::Effect path =
      MakeEffect("entr", "clickEffect",
                 x::Motion(x::ShapeTarget(2), "M 0 0 L" + std::string(70000, ' ') + "1 1", 500));
  pptx::Diagnostics diag;
  auto slide = ReadSlide("absurd_values", shapes, MainSequence({both, path}), diag);
  ASSERT_TRUE(slide);
  const auto& shape = *slide->AllShapes().at(0);
  EXPECT_DOUBLE_EQ(shape.Width(), 27273042316900.0 / pptx::kEmuPerUnit);
  EXPECT_DOUBLE_EQ(shape.X(), -27273042329600.0 / pptx::kEmuPerUnit);
  // x, y, cx and cy of both shapes; easing halved to fit; the path dropped.
  EXPECT_EQ(Warned(diag),
            "acceleration over 100% x1, extent out of range x4, motion path too long x1, "
            "offset out of range x4");
  EXPECT_EQ(Values(EffectAt(slide, 0), {ePropAccel, ePropDecel}), (Numbers{50000, 50000}));
  EXPECT_FALSE(Has(boost::shared_ptr<IInterface>(Main(EffectAt(slide, 1), 0)), ePropMotionPath));
}

}  // namespace
