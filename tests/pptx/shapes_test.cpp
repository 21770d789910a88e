// The shape tree read into document shapes, with their geometry guides.
#include "DeckFixture.h"

#include "document/Shape.h"

using namespace testdeck;

namespace {

// A 1x1 PNG.
const std::string kPng(
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89\0\0\0\rIDATx"
    "\x9c"
    "c\xf8\xcf\xc0\xf0\x1f\0\x05\0\x01\xff\x89\x99=\x1d\0\0\0\0IEND\xae"
    "B`\x82",
    70);

// x, y, width and height of a shape, to compare in one line.
std::vector<double> Bounds(const boost::shared_ptr<platform::Shape>& shape) {
  return {shape->X(), shape->Y(), shape->Width(), shape->Height()};
}
using Box = std::vector<double>;

TEST(ShapeReader, SlideSizeInSlideUnits) {
  const struct { double width, height; } sizes[] = {{1280, 720}, {960, 720}};
  for (const auto& size : sizes) {
    pptx::DeckWriter writer(size.width, size.height);
    writer.AddSlide().shapes = x::Shape(2, "Box", 0, 0, 10, 10, "FF0000");
    pptx::Diagnostics diag;
    pptx::Deck deck = Read("slide_size", writer, diag);
    EXPECT_EQ((Box{deck.width, deck.height, deck.slides[0]->width, deck.slides[0]->height}),
              (Box{size.width, size.height, size.width, size.height}));
  }
}

TEST(ShapeReader, KindsBoundsFillsAndInterfaces) {
  std::string shapes = x::Shape(2, "Box", 100, 50, 200, 100, "FF8000", "0000FF") +
                       x::Connector(3, "Arrow", 10, 20, 300, 0, "00FF00") +
                       x::Table(4, "Table", 400, 400, 200, 100) +
                       x::Picture(5, "Photo", 600, 20, 64, 64, "rIdImage") +
                       "<p:sp><p:nvSpPr><p:cNvPr id=\"6\" name=\"Turned\"/><p:cNvSpPr/><p:nvPr/>"
                       "</p:nvSpPr><p:spPr><a:xfrm rot=\"5400000\" flipH=\"1\"><a:off x=\"0\" "
                       "y=\"0\"/><a:ext cx=\"952500\" cy=\"476250\"/></a:xfrm><a:custGeom>"
                       "<a:pathLst><a:path w=\"100\" h=\"100\"><a:moveTo><a:pt x=\"0\" y=\"0\"/>"
                       "</a:moveTo><a:lnTo><a:pt x=\"100\" y=\"50\"/></a:lnTo><a:arcTo wR=\"10\" "
                       "hR=\"10\" stAng=\"0\" swAng=\"5400000\"/><a:close/></a:path></a:pathLst>"
                       "</a:custGeom></p:spPr></p:sp>";
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = shapes;
  slide.relationships.push_back({"rIdImage", "image", "../media/image1.png", false});
  writer.AddPart("ppt/media/image1.png", kPng, "image/png");
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("shape_kinds", writer, diag);
  auto s = deck.slides[0];
  ASSERT_EQ(s->AllShapes().size(), 5u);

  auto box = s->FindShape(L"2");
  EXPECT_EQ(box->Kind(), platform::ShapeKind::Shape);
  EXPECT_EQ(box->Name(), L"Box");
  EXPECT_EQ(Bounds(box), (Box{100, 50, 200, 100}));
  EXPECT_EQ(box->Fill().type, platform::eFillSolid);
  EXPECT_EQ(box->Fill().colour, (Kinefold::TColor{255, 128, 0, 255}));
  EXPECT_TRUE(box->Line().present);
  EXPECT_EQ(box->Line().colour, (Kinefold::TColor{0, 0, 255, 255}));
  EXPECT_DOUBLE_EQ(box->Line().width, 2.0);  // 19050 EMU
  EXPECT_EQ(box->geometry.preset, "rect");

  EXPECT_EQ(s->FindShape(L"3")->Kind(), platform::ShapeKind::Connector);
  auto table = s->FindShape(L"4");
  EXPECT_EQ(table->Kind(), platform::ShapeKind::GraphicFrame);
  EXPECT_EQ(table->graphicKind, "table");
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(table), static_cast<EInterfaceId>(61)));
  EXPECT_DOUBLE_EQ(table->Width(), 200);

  auto picture = s->FindShape(L"5");
  EXPECT_EQ(picture->Kind(), platform::ShapeKind::Picture);
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(picture), static_cast<EInterfaceId>(16)));
  EXPECT_EQ(picture->picture.bytes.size(), kPng.size());
  EXPECT_EQ(picture->picture.contentType, "image/png");

  auto turned = s->FindShape(L"6");
  EXPECT_DOUBLE_EQ(turned->Rotation(), 90.0);
  EXPECT_TRUE(turned->FlipH());
  EXPECT_EQ(Bounds(turned), (Box{0, 0, 100, 50}));
  ASSERT_EQ(turned->geometry.preset, "custom");
  ASSERT_EQ(turned->geometry.paths.size(), 1u);
  const platform::GeometryPath& path = turned->geometry.paths[0];
  ASSERT_EQ(path.commands.size(), 4u);
  EXPECT_EQ(path.commands[2].kind, platform::PathCommand::ArcTo);
  EXPECT_DOUBLE_EQ(path.commands[2].v[3], 90.0);
  EXPECT_EQ(diag.WarningCount(), 0u);
}

TEST(ShapeReader, GroupMembersFollowTheirGroup) {
  // A group drawn at (100, 100) 200x100 whose members use a child frame of
  // twice the size at (0, 0): members are halved and moved.
  std::string inner = x::Group(5, "Inner", 200, 0, 200, 200, 0, 0, 200, 200,
                               x::Shape(6, "Deep", 0, 0, 100, 100, "00FF00"));
  std::string members = x::Shape(3, "Left", 0, 0, 200, 200, "FF0000") +
                        x::Shape(4, "Right", 200, 0, 200, 200, "0000FF") + inner;
  std::string shapes = x::Group(2, "Group", 100, 100, 200, 100, 0, 0, 400, 200, members) +
                       x::Shape(7, "After", 0, 0, 10, 10) +
                       x::Group(8, "Turned", 0, 0, 100, 100, 0, 0, 100, 100,
                                x::Shape(9, "Corner", 0, 0, 20, 20, "000000"), 90);
  pptx::Diagnostics diag;
  auto slide = ReadSlide("groups", shapes, "", diag);
  const auto& all = slide->AllShapes();
  std::vector<std::wstring> order;
  for (const auto& shape : all) order.push_back(shape->Id());
  EXPECT_EQ(order, (std::vector<std::wstring>{L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}));
  auto group = slide->FindShape(L"2");
  EXPECT_EQ(group->Kind(), platform::ShapeKind::Group);
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(group), static_cast<EInterfaceId>(25)));
  EXPECT_EQ(group->Children().size(), 3u);
  EXPECT_DOUBLE_EQ(group->groupFrame.childWidth, 400);
  auto right = slide->FindShape(L"4");
  EXPECT_EQ(right->Parent(), group);
  EXPECT_EQ(Bounds(right), (Box{200, 100, 100, 100}));
  EXPECT_EQ(Bounds(slide->FindShape(L"6")), (Box{200, 100, 50, 50}));  // through both groups
  // A quarter turn of the group carries the member's centre round the
  // group's centre (50, 50): from (10, 10) to (90, 10).
  auto corner = slide->FindShape(L"9");
  EXPECT_NEAR(corner->X() + corner->Width() / 2, 90, 1e-9);
  EXPECT_NEAR(corner->Y() + corner->Height() / 2, 10, 1e-9);
  EXPECT_NEAR(corner->Rotation(), 90, 1e-9);
}

TEST(ShapeReader, DuplicateAndInvalidIdsGetFreshOnes) {
  std::string shapes = x::Shape(7, "First", 0, 0, 10, 10) + x::Shape(7, "Second", 0, 0, 10, 10) +
                       x::Shape(9, "Third", 0, 0, 10, 10);
  shapes.replace(shapes.find("id=\"9\""), 6, "id=\"x9\"");
  pptx::Diagnostics diag;
  auto slide = ReadSlide("duplicate_ids", shapes, "", diag);
  ASSERT_EQ(slide->AllShapes().size(), 3u);
  std::vector<std::wstring> ids;
  for (const auto& shape : slide->AllShapes()) ids.push_back(shape->Id());
  EXPECT_EQ(ids, (std::vector<std::wstring>{L"7", L"8", L"9"}));  // 8: above every id of the slide
  EXPECT_EQ(diag.Count("duplicate shape id"), 1u);
  EXPECT_EQ(diag.Count("invalid shape id"), 1u);
}

TEST(ShapeReader, TextParagraphsRunsAndStyles) {
  x::Para title;
  title.runs = {{"Bold ", "b=\"1\" sz=\"3200\"", "C00000"},
                {"italic", "i=\"1\" u=\"sng\" cap=\"all\" spc=\"150\"", ""}};
  x::Para second = x::P("second");
  second.level = 1;
  second.runs.push_back({"\n", "", ""});
  second.runs.push_back({"after break", "", ""});
  std::string shapes = x::Shape(2, "Text", 0, 0, 400, 300, "", "", {title, second, x::P("")});
  pptx::Diagnostics diag;
  auto slide = ReadSlide("text", shapes, "", diag);
  auto shape = slide->FindShape(L"2");
  ASSERT_TRUE(shape->HasTextBody());
  EXPECT_TRUE(Supports(boost::shared_ptr<IInterface>(shape), static_cast<EInterfaceId>(22)));
  const auto& paragraphs = shape->Text().paragraphs;
  ASSERT_EQ(paragraphs.size(), 3u);
  ASSERT_EQ(paragraphs[0].runs.size(), 2u);
  const platform::CharProps& bold = paragraphs[0].runs[0].props;
  EXPECT_TRUE(bold.bold);
  EXPECT_DOUBLE_EQ(bold.size, 32.0);
  EXPECT_EQ(bold.colour.red, 192u);
  EXPECT_EQ(bold.font, "DejaVu Sans");  // the theme's minor font through the default style
  const platform::CharProps& italic = paragraphs[0].runs[1].props;
  EXPECT_TRUE(italic.italic);
  EXPECT_EQ(italic.underline, 2);
  EXPECT_DOUBLE_EQ(italic.spacing, 1.5);
  EXPECT_EQ(paragraphs[0].runs[1].text, L"ITALIC");
  EXPECT_DOUBLE_EQ(italic.size, 18.0);  // the presentation's default text style
  EXPECT_EQ(paragraphs[1].level, 1);
  EXPECT_EQ(paragraphs[1].Text(), std::wstring(L"second") + platform::kLineBreak + L"after break");
  EXPECT_TRUE(paragraphs[2].runs.empty());
  // Words and letters for iteration: the break separates words and takes no step.
  platform::ParagraphUnits units = platform::SplitUnits(paragraphs[1]);
  EXPECT_EQ(units.words.size(), 3u);
  EXPECT_EQ(units.steppedLetters, 16u);
}

TEST(ShapeReader, PlaceholdersInheritFrameAndStylesFromLayoutAndMaster) {
  std::string shapes = x::Placeholder(2, "Title 1", "title", -1, {x::P("A title")}) +
                       x::Placeholder(3, "Content 2", "", 1, {x::P("point"), x::P("")});
  pptx::Diagnostics diag;
  auto slide = ReadSlide("placeholders", shapes, "", diag);
  auto title = slide->FindShape(L"2");
  EXPECT_EQ(title->PlaceholderType(), platform::ePlaceholderTitle);
  EXPECT_EQ(Int(title, ePropPlaceholderType), 1);
  EXPECT_NEAR(title->X(), 1280 * 0.07, 1e-3);  // the layout's frame
  EXPECT_NEAR(title->Width(), 1280 * 0.86, 1e-3);
  EXPECT_DOUBLE_EQ(title->Text().paragraphs[0].runs[0].props.size, 44.0);  // title style
  auto body = slide->FindShape(L"3");
  EXPECT_EQ(body->PlaceholderType(), platform::ePlaceholderObject);
  EXPECT_EQ(body->placeholderIndex, 1);
  EXPECT_NEAR(body->Y(), 720 * 0.27, 1e-3);
  EXPECT_DOUBLE_EQ(body->Text().paragraphs[0].runs[0].props.size, 28.0);  // body style
  EXPECT_EQ(body->Text().paragraphs[0].bullet, L"\u2022");
  EXPECT_EQ(body->Text().paragraphs[1].bullet, L"");  // no bullet on an empty paragraph
  EXPECT_EQ(diag.WarningCount(), 0u);
}

TEST(ShapeReader, MediaShapesAndTheirObjects) {
  std::string shapes = x::Media(4, "Song", false, 10, 10, 32, 32, "rIdSong", "rIdPoster", 100, 0,
                                {{"Verse", 2500}}) +
                       x::Media(5, "Clip", true, 100, 10, 320, 180, "rIdClip", "rIdPoster");
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& slide = writer.AddSlide();
  slide.shapes = shapes;
  slide.relationships = {{"rIdSong", "audio", "../media/song.wav", false},
                         {"rIdClip", "video", "../media/clip.mp4", false},
                         {"rIdPoster", "image", "../media/poster.png", false}};
  writer.AddPart("ppt/media/song.wav", "RIFF", "audio/wav");
  writer.AddPart("ppt/media/clip.mp4", "....", "video/mp4");
  writer.AddPart("ppt/media/poster.png", kPng, "image/png");
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("media_shapes", writer, diag);
  auto s = deck.slides[0];
  auto song = s->FindShape(L"4");
  EXPECT_EQ(song->Media(), platform::MediaKind::Audio);
  EXPECT_EQ(song->mediaInfo.partName, "ppt/media/song.wav");
  EXPECT_DOUBLE_EQ(song->mediaInfo.trimStartMs, 100);
  ASSERT_EQ(song->mediaInfo.bookmarks.size(), 1u);
  EXPECT_EQ(song->mediaInfo.bookmarks[0].name, L"Verse");
  EXPECT_EQ(song->picture.bytes.size(), kPng.size());
  EXPECT_TRUE(s->Effects()->FindSound(L"4"));
  EXPECT_TRUE(s->Effects()->FindVideo(L"5"));
  EXPECT_FALSE(s->Effects()->FindSound(L"5"));
  EXPECT_EQ(diag.WarningCount(), 0u);
}

TEST(ShapeReader, TransitionAndHiddenSlides) {
  pptx::DeckWriter writer;
  pptx::DeckWriter::Slide& first = writer.AddSlide();
  first.transition = "<p:transition spd=\"slow\"><p:fade/></p:transition>";
  pptx::DeckWriter::Slide& second = writer.AddSlide();
  second.hidden = true;
  second.transition =
      "<mc:AlternateContent "
      "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
      "<mc:Choice Requires=\"p14\"><p:transition spd=\"slow\" p14:dur=\"1250\"><p14:vortex/>"
      "</p:transition></mc:Choice><mc:Fallback><p:transition spd=\"slow\"><p:fade/>"
      "</p:transition></mc:Fallback></mc:AlternateContent>";
  writer.AddSlide();
  pptx::Diagnostics diag;
  pptx::Deck deck = Read("transitions", writer, diag);
  ASSERT_EQ(deck.slides.size(), 3u);
  const uint32_t durations[] = {1000, 1250, 0};  // 0: no transition
  for (size_t i = 0; i < 3; ++i) {
    auto transition = deck.slides[i]->GetTransition();
    EXPECT_EQ(transition ? transition->GetDuration() : 0u, durations[i]) << i;
    EXPECT_EQ(deck.slides[i]->hidden, i == 1) << i;
  }
  EXPECT_EQ(deck.slides[2]->number, 3);
}

// A 100 x 50 slide-unit shape with this geometry.
std::string Sp(int id, const std::string& geometry) {
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"0\" "
         "y=\"0\"/><a:ext cx=\"952500\" cy=\"476250\"/></a:xfrm>" +
         geometry + "</p:spPr></p:sp>";
}

TEST(ShapeReader, GeometryKeepsItsGuidesNamesAndAdjustValues) {
  pptx::Diagnostics diag;
  auto slide = ReadSlide(
      "custom_guides",
      Sp(2,
         "<a:custGeom><a:avLst><a:gd name=\"adj\" fmla=\"val 25000\"/></a:avLst><a:gdLst>"
         "<a:gd name=\"x1\" fmla=\"*/ w adj 100000\"/><a:gd name=\"ang\" fmla=\"val cd4\"/>"
         "</a:gdLst><a:pathLst><a:path><a:moveTo><a:pt x=\"x1\" y=\"476250\"/></a:moveTo>"
         "<a:arcTo wR=\"x1\" hR=\"95250\" stAng=\"ang\" swAng=\"5400000\"/><a:close/></a:path>"
         "<a:path w=\"200\" h=\"100\" fill=\"none\"><a:moveTo><a:pt x=\"0\" y=\"b\"/>"
         "</a:moveTo></a:path></a:pathLst></a:custGeom>") +
          Sp(3,
             "<a:custGeom><a:pathLst><a:path><a:moveTo><a:pt x=\"x 1\" y=\"0\"/>"
             "</a:moveTo></a:path></a:pathLst></a:custGeom>") +
          Sp(4,
             "<a:custGeom><a:pathLst><a:path><a:lnTo><a:pt x=\"1\"/></a:lnTo></a:path>"
             "</a:pathLst></a:custGeom>") +
          Sp(5,
             "<a:prstGeom prst=\"wedgeRectCallout\"><a:avLst><a:gd name=\"adj1\" "
             "fmla=\"val -40000\"/><a:gd name=\"adj2\" fmla=\"*/ 1 2 3\"/></a:avLst></a:prstGeom>"),
      "", diag);
  const platform::Geometry& g = slide->FindShape(L"2")->geometry;
  ASSERT_EQ(g.preset, "custom");
  // Adjust values first, then guides, in document order.
  ASSERT_EQ(g.guides.size(), 3u);
  EXPECT_EQ(g.guides[0].name, "adj");
  EXPECT_EQ(g.guides[0].formula, "val 25000");
  EXPECT_EQ(g.guides[2].name, "ang");
  EXPECT_EQ(g.guides[2].formula, "val cd4");
  ASSERT_EQ(g.paths.size(), 2u);
  const platform::GeometryPath& own = g.paths[0];
  EXPECT_DOUBLE_EQ(own.width, 0);
  ASSERT_EQ(own.commands.size(), 3u);
  // Names stay names; numbers of a path without a size become slide units,
  // arc angles degrees.
  EXPECT_EQ(own.commands[0].ref[0], "x1");
  EXPECT_TRUE(own.commands[0].ref[1].empty());
  EXPECT_DOUBLE_EQ(own.commands[0].v[1], 50);
  EXPECT_EQ(own.commands[1].ref[0], "x1");
  EXPECT_DOUBLE_EQ(own.commands[1].v[1], 10);
  EXPECT_EQ(own.commands[1].ref[2], "ang");
  EXPECT_DOUBLE_EQ(own.commands[1].v[3], 90);
  const platform::GeometryPath& sized = g.paths[1];
  EXPECT_DOUBLE_EQ(sized.width, 200);
  EXPECT_FALSE(sized.filled);
  EXPECT_EQ(sized.commands[0].ref[1], "b");
  // A coordinate that is neither a number nor a name, or a missing one,
  // leaves the bounding rectangle with a warning.
  EXPECT_EQ(slide->FindShape(L"3")->geometry.preset, "rect");
  EXPECT_EQ(slide->FindShape(L"4")->geometry.preset, "rect");
  EXPECT_EQ(diag.WarningCount(), 2u);
  ASSERT_FALSE(diag.Lines().empty());
  EXPECT_NE(diag.Lines()[0].find("invalid custom geometry"), std::string::npos) << diag.Lines()[0];
  // Of a preset's values only plain ones are adjust values; the preset's
  // default stands in for the others.
  const platform::Geometry& preset = slide->FindShape(L"5")->geometry;
  EXPECT_EQ(preset.preset, "wedgeRectCallout");
  ASSERT_EQ(preset.adjust.size(), 1u);
  EXPECT_EQ(preset.adjust[0], (std::pair<std::string, double>("adj1", -40000)));
}

}  // namespace
