// The shape tree read into document shapes, with their geometry guides.
#include "DeckFixture.h"

#include "document/Shape.h"

#include <cmath>
#include <sstream>

using namespace testdeck;

namespace {

// A 1x1 PNG.
const std::string kPng(
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89\0\0\0\rIDATx"
    "\x9c"
    "c\xf8\xcf\xc0\xf0\x1f\0\x05\0\x01\xff\x89\x99=\x1d\0\0\0\0IEND\xae"
    "B`\x82",
    70);

// A shape in one line: kind, id, position, size (to a millionth), then its
// turn and flip.
std::string Describe(const boost::shared_ptr<platform::Shape>& shape) {
  const char* const kinds[] = {"shape", "picture", "group", "connector", "frame"};
  auto near = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
  std::ostringstream out;
  out << kinds[static_cast<int>(shape->Kind())] << " " << platform::ToUtf8(shape->Id()) << ": "
      << near(shape->X()) << "," << near(shape->Y()) << " " << near(shape->Width()) << "x"
      << near(shape->Height());
  if (shape->Rotation() != 0) out << " turned " << near(shape->Rotation());
  if (shape->FlipH()) out << " flipped";
  return out.str();
}

// Every shape of the slide described, in reading order.
std::vector<std::string> Described(const boost::shared_ptr<platform::Slide>& slide) {
  std::vector<std::string> shapes;
  for (const auto& shape : slide->AllShapes()) shapes.push_back(Describe(shape));
  return shapes;
}

// A geometry in one line: preset, adjust values, guides, then each path with
// its size and commands, a guide's name standing for each value it gives.
std::string Describe(const platform::Geometry& geometry) {
  std::ostringstream out;
  out << geometry.preset;
  for (const auto& adjust : geometry.adjust) out << "; " << adjust.first << "=" << adjust.second;
  for (const auto& guide : geometry.guides) out << "; " << guide.name << "=" << guide.formula;
  for (const auto& path : geometry.paths) {
    out << "; " << path.width << "x" << path.height << (path.filled ? "" : " unfilled") << ":";
    for (const auto& command : path.commands) {
      const int values[] = {2, 2, 6, 4, 4, 0};  // by kind
      out << " "
          << "MLCQAZ"[command.kind];
      for (int i = 0; i < values[command.kind]; ++i)
        if (command.ref[i].empty())
          out << " " << command.v[i];
        else
          out << " " << command.ref[i];
    }
  }
  return out.str();
}

// A 100 x 50 slide-unit shape with this geometry and frame attributes.
std::string Sp(int id, const std::string& geometry, const std::string& xfrm = "") {
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm" + xfrm +
         "><a:off x=\"0\" y=\"0\"/><a:ext cx=\"952500\" cy=\"476250\"/></a:xfrm>" + geometry +
         "</p:spPr></p:sp>";
}
std::string Custom(const std::string& paths) {
  return "<a:custGeom><a:pathLst>" + paths + "</a:pathLst></a:custGeom>";
}

// Three slides of a 960 x 720 deck: shapes of every kind, with transitions
// on the first two and the second hidden.
TEST(ShapeReader, KindsBoundsFillsMediaGeometryAndSlides) {
  pptx::DeckWriter writer(960, 720);
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.transition = R"(<p:transition spd="slow"><p:fade/></p:transition>)";
  slide.shapes =
      x::Shape(2, "Box", 100, 50, 200, 100, "FF8000", "0000FF") +
      x::Connector(3, "Arrow", 10, 20, 300, 0, "00FF00") +
      x::Table(4, "Table", 400, 400, 200, 100) +
      x::Picture(5, "Photo", 600, 20, 64, 64, "rIdImage") +
      x::Media(6, "Song", false, 10, 10, 32, 32, "rIdSong", "rIdImage", 100, 0, {{"Verse", 2500}}) +
      x::Media(7, "Clip", true, 100, 10, 320, 180, "rIdClip", "rIdImage") +
      // Custom geometry with guides, two paths with a bad coordinate each, a
      // preset with adjust values, and custom geometry turned and flipped.
      Sp(12, R"(<a:custGeom><a:avLst><a:gd name="adj" fmla="val 25000"/></a:avLst><a:gdLst>)"
             R"(<a:gd name="x1" fmla="*/ w adj 100000"/><a:gd name="ang" fmla="val cd4"/>)"
             R"(</a:gdLst><a:pathLst><a:path><a:moveTo><a:pt x="x1" y="476250"/></a:moveTo>)"
             R"(<a:arcTo wR="x1" hR="95250" stAng="ang" swAng="5400000"/><a:close/></a:path>)"
             R"(<a:path w="200" h="100" fill="none"><a:moveTo><a:pt x="0" y="b"/></a:moveTo>)"
             R"(</a:path></a:pathLst></a:custGeom>)") +
      Sp(13, Custom(R"(<a:path><a:moveTo><a:pt x="x 1" y="0"/></a:moveTo></a:path>)")) +
      Sp(14, Custom(R"(<a:path><a:lnTo><a:pt x="1"/></a:lnTo></a:path>)")) +
      Sp(15, R"(<a:prstGeom prst="wedgeRectCallout"><a:avLst><a:gd name="adj1" fmla="val -40000"/>)"
             R"(<a:gd name="adj2" fmla="*/ 1 2 3"/></a:avLst></a:prstGeom>)") +
      Sp(16,
         Custom(R"(<a:path w="100" h="100"><a:moveTo><a:pt x="0" y="0"/></a:moveTo><a:lnTo>)"
                R"(<a:pt x="100" y="50"/></a:lnTo><a:arcTo wR="10" hR="10" stAng="0" )"
                R"(swAng="5400000"/><a:close/></a:path>)"),
         R"( rot="5400000" flipH="1")");
  slide.relationships = {{"rIdImage", "image", "../media/image1.png", false},
                         {"rIdSong", "audio", "../media/song.wav", false},
                         {"rIdClip", "video", "../media/clip.mp4", false}};
  writer.AddPart("ppt/media/image1.png", kPng, "image/png");
  writer.AddPart("ppt/media/song.wav", "RIFF", "audio/wav");
  writer.AddPart("ppt/media/clip.mp4", "....", "video/mp4");
  pptx::DeckWriter::Slide& second = writer.AddSlide();
  second.hidden = true;
  second.transition =
      R"(<mc:AlternateContent xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/)"
      R"(2006"><mc:Choice Requires="p14"><p:transition spd="slow" p14:dur="1250"><p14:vortex/>)"
      R"(</p:transition></mc:Choice><mc:Fallback><p:transition spd="slow"><p:fade/>)"
      R"(</p:transition></mc:Fallback></mc:AlternateContent>)";
  writer.AddSlide();
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("shape_kinds", writer, diag);
  ASSERT_EQ(deck.slides.size(), 3u);
  EXPECT_EQ(
      (std::vector<double>{deck.width, deck.height, deck.slides[2]->width, deck.slides[2]->height}),
      (std::vector<double>{960, 720, 960, 720}));
  const uint32_t durations[] = {1000, 1250, 0};  // 0: no transition
  for (size_t i = 0; i < 3; ++i) {
    auto transition = deck.slides[i]->GetTransition();
    EXPECT_EQ(transition ? transition->GetDuration() : 0u, durations[i]) << i;
    EXPECT_EQ(deck.slides[i]->hidden, i == 1) << i;
  }
  EXPECT_EQ(deck.slides[2]->number, 3);
  auto s = deck.slides[0];
  EXPECT_EQ(Described(s),
            (std::vector<std::string>{
                "shape 2: 100,50 200x100", "connector 3: 10,20 300x0", "frame 4: 400,400 200x100",
                "picture 5: 600,20 64x64", "picture 6: 10,10 32x32", "picture 7: 100,10 320x180",
                "shape 12: 0,0 100x50", "shape 13: 0,0 100x50", "shape 14: 0,0 100x50",
                "shape 15: 0,0 100x50", "shape 16: 0,0 100x50 turned 90 flipped"}));
  EXPECT_EQ(Warned(diag), "invalid custom geometry x2");
  auto box = s->FindShape(L"2");
  EXPECT_EQ(box->Name(), L"Box");
  EXPECT_EQ(std::make_tuple(box->Fill().type, box->Fill().colour, box->Line().present,
                            box->Line().colour, box->Line().width),
            std::make_tuple(platform::eFillSolid, Kinefold::TColor{255, 128, 0, 255}, true,
                            Kinefold::TColor{0, 0, 255, 255}, 2.0));  // 19050 EMU
  EXPECT_EQ(Describe(box->geometry), "rect");
  // Tables are frames of the table interface (61), pictures have theirs (16).
  auto table = s->FindShape(L"4");
  auto picture = s->FindShape(L"5");
  EXPECT_EQ(table->graphicKind, "table");
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(table), static_cast<EInterfaceId>(61)));
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(picture), static_cast<EInterfaceId>(16)));
  EXPECT_EQ(picture->picture.bytes.size(), kPng.size());
  EXPECT_EQ(picture->picture.contentType, "image/png");
  // Media shapes keep their part, trims, bookmarks and poster, and have
  // their sound or video object.
  auto song = s->FindShape(L"6");
  EXPECT_EQ(song->Media(), platform::MediaKind::Audio);
  ASSERT_EQ(song->mediaInfo.bookmarks.size(), 1u);
  EXPECT_EQ(std::make_tuple(song->mediaInfo.partName, song->mediaInfo.trimStartMs,
                            song->mediaInfo.bookmarks[0].name, song->picture.bytes.size()),
            std::make_tuple(std::string("ppt/media/song.wav"), 100.0, std::wstring(L"Verse"),
                            kPng.size()));
  EXPECT_TRUE(s->Effects()->FindSound(L"6") && s->Effects()->FindVideo(L"7"));
  EXPECT_FALSE(s->Effects()->FindSound(L"7"));
  // Adjust values first, then guides, in document order. Names stay names;
  // numbers of a path without a size become slide units, arc angles degrees.
  EXPECT_EQ(
      Describe(s->FindShape(L"12")->geometry),
      "custom; adj=val 25000; x1=*/ w adj 100000; ang=val cd4; 0x0: M x1 50 A x1 10 ang 90 Z; "
      "200x100 unfilled: M 0 b");
  // A coordinate that is neither a number nor a name, or a missing one,
  // leaves the bounding rectangle with a warning. Of a preset's values only
  // plain ones are adjust values; the preset's default stands in for the
  // others. A turned path keeps its own size.
  std::vector<std::string> geometries;
  for (const wchar_t* id : {L"13", L"14", L"15", L"16"})
    geometries.push_back(Describe(s->FindShape(id)->geometry));
  EXPECT_EQ(geometries,
            (std::vector<std::string>{"rect", "rect", "wedgeRectCallout; adj1=-40000",
                                      "custom; 100x100: M 0 0 L 100 50 A 10 10 0 90 Z"}));
}

TEST(ShapeReader, GroupMembersFollowTheirGroupAndIdsAreUnique) {
  // A group drawn at (100, 100) 200x100 whose members use a child frame of
  // twice the size at (0, 0): members are halved and moved, through nested
  // groups too. A quarter turn of a group carries its member's centre round
  // the group's centre (50, 50): from (10, 10) to (90, 10). A duplicate or
  // invalid id is replaced by one above every id of the slide.
  std::string inner = x::Group(5, "Inner", 200, 0, 200, 200, 0, 0, 200, 200,
                               x::Shape(6, "Deep", 0, 0, 100, 100, "00FF00"));
  std::string members = x::Shape(3, "Left", 0, 0, 200, 200, "FF0000") +
                        x::Shape(4, "Right", 200, 0, 200, 200, "0000FF") + inner;
  std::string shapes = x::Group(2, "Group", 100, 100, 200, 100, 0, 0, 400, 200, members) +
                       x::Shape(7, "After", 0, 0, 10, 10) +
                       x::Group(8, "Turned", 0, 0, 100, 100, 0, 0, 100, 100,
                                x::Shape(9, "Corner", 0, 0, 20, 20, "000000"), 90) +
                       x::Shape(7, "Again", 0, 0, 10, 10) + x::Shape(99, "Bad", 0, 0, 10, 10);
  shapes.replace(shapes.find("id=\"99\""), 7, "id=\"x99\"");
  pptx::Diagnostics diag;
  auto slide = ReadSlide("groups", shapes, "", diag);
  EXPECT_EQ(Described(slide),
            (std::vector<std::string>{
                "group 2: 100,100 200x100", "shape 3: 100,100 100x100", "shape 4: 200,100 100x100",
                "group 5: 200,100 100x100", "shape 6: 200,100 50x50", "shape 7: 0,0 10x10",
                "group 8: 0,0 100x100 turned 90", "shape 9: 80,0 20x20 turned 90",
                "shape 10: 0,0 10x10", "shape 11: 0,0 10x10"}));
  EXPECT_EQ(Warned(diag), "duplicate shape id x1, invalid shape id x1");
  auto group = slide->FindShape(L"2");
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(group), static_cast<EInterfaceId>(25)));
  EXPECT_EQ(group->Children().size(), 3u);
  EXPECT_DOUBLE_EQ(group->groupFrame.childWidth, 400);
  EXPECT_EQ(slide->FindShape(L"4")->Parent(), group);
}

// A text shape's paragraphs, runs and styles, and placeholders that take
// their frame and styles from the layout and master.
TEST(ShapeReader, TextStylesAndPlaceholders) {
  x::Para title;
  title.runs = {{"Bold ", R"(b="1" sz="3200")", "C00000"},
                {"italic", R"(i="1" u="sng" cap="all" spc="150")", ""}};
  x::Para second = x::P("second");
  second.level = 1;
  second.runs.push_back({"\n", "", ""});
  second.runs.push_back({"after break", "", ""});
  pptx::Diagnostics diag;
  auto slide = ReadSlide("text",
                         x::Placeholder(2, "Title 1", "title", -1, {x::P("A title")}) +
                             x::Placeholder(3, "Content 2", "", 1, {x::P("point"), x::P("")}) +
                             x::Shape(5, "Text", 0, 0, 400, 300, "", "", {title, second, x::P("")}),
                         "", diag);
  EXPECT_EQ(diag.WarningCount(), 0u);
  // The layout's frames: the title at 7 % across, 86 % wide, the body 27 % down.
  EXPECT_EQ(Described(slide),
            (std::vector<std::string>{"shape 2: 89.6,36 1100.8x144",
                                      "shape 3: 89.6,194.4 1100.8x468", "shape 5: 0,0 400x300"}));
  auto shape = slide->FindShape(L"5");
  ASSERT_TRUE(shape->HasTextBody());
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(shape), static_cast<EInterfaceId>(22)));
  const auto& paragraphs = shape->Text().paragraphs;
  ASSERT_EQ(paragraphs.size(), 3u);
  ASSERT_EQ(paragraphs[0].runs.size(), 2u);
  // Bold in the theme's minor font through the default style; italic at the
  // presentation's default text size, underlined, in capitals, spaced.
  const platform::CharProps& bold = paragraphs[0].runs[0].props;
  const platform::CharProps& italic = paragraphs[0].runs[1].props;
  EXPECT_EQ(std::make_tuple(bold.bold, bold.size, bold.colour.red, bold.font),
            std::make_tuple(true, 32.0, 192, std::string("DejaVu Sans")));
  EXPECT_EQ(std::make_tuple(italic.italic, italic.size, italic.underline, italic.spacing,
                            paragraphs[0].runs[1].text),
            std::make_tuple(true, 18.0, 2, 1.5, std::wstring(L"ITALIC")));
  EXPECT_EQ(paragraphs[1].level, 1);
  EXPECT_EQ(paragraphs[1].Text(), std::wstring(L"second") + platform::kLineBreak + L"after break");
  EXPECT_TRUE(paragraphs[2].runs.empty());
  // Words and letters for iteration: the break separates words and takes no step.
  platform::ParagraphUnits units = platform::SplitUnits(paragraphs[1]);
  EXPECT_EQ(std::make_pair(units.words.size(), units.steppedLetters),
            (std::pair<size_t, size_t>(3, 16)));
  // The title and body placeholders, and their styles' sizes; no bullet on
  // an empty paragraph.
  auto heading = slide->FindShape(L"2");
  auto body = slide->FindShape(L"3");
  EXPECT_EQ(std::make_tuple(heading->PlaceholderType(), Int(heading, ePropPlaceholderType),
                            body->PlaceholderType(), body->placeholderIndex),
            std::make_tuple(platform::ePlaceholderTitle, 1, platform::ePlaceholderObject, 1));
  const auto& points = body->Text().paragraphs;
  EXPECT_EQ(std::make_tuple(heading->Text().paragraphs[0].runs[0].props.size,
                            points[0].runs[0].props.size, points[0].bullet, points[1].bullet),
            std::make_tuple(44.0, 28.0, std::wstring(L"\u2022"), std::wstring()));
}

}  // namespace
