// The renderer: pixel probes of what each piece of frame state does to the
// picture, pictures embedded in the deck, and input it must survive; and
// frames compared with reference images: transforms, colour transforms,
// masks (morphs, even-odd groups, pies of line segments) and styled text.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "Golden.h"
#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/MaskShapes.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/Image.h"
#include "render/PangoText.h"
#include "render/PictureDecoder.h"
#include "support/Command.h"
#include "unit/mask_builders.h"

using namespace platform;

namespace {

const uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

std::vector<unsigned char> FileBytes(const std::string& path) {
  const std::string bytes = command::ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

using golden::Draw;

bool Near(uint32_t pixel, uint32_t expected, int tolerance = 12) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                 static_cast<int>((expected >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

boost::shared_ptr<Slide> SmallSlide() {
  return golden::SmallSlide(100, 100);
}

struct At {
  int x, y;
  uint32_t argb;
};

// Expects each of the pixels near its colour.
void ExpectPixels(const render::Image& image, std::initializer_list<At> pixels) {
  for (const At& p : pixels)
    EXPECT_TRUE(Near(image.Pixel(p.x, p.y), p.argb)) << "at (" << p.x << ", " << p.y << ")";
}

boost::shared_ptr<IShapeTarget> Target(const SlideScreen& screen, const std::wstring& name) {
  return QueryAs<IShapeTarget>(screen.Find(name), eIidShapeTarget);
}

// Attaches `content` as an active mask of `object`, the way filters do.
void Mask(const boost::shared_ptr<IScreenObject>& object,
          const boost::shared_ptr<IScreenShape>& content) {
  auto container = ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
  container->SetContent(content);
  auto masks = QueryAs<ICompoundShape>(object, eIidCompoundShape);
  masks->InsertChild(container, 0);
  masks->SetChildActive(true, container);
}

LineStyle Outline(Kinefold::TColor colour, double width) {
  LineStyle line;
  line.present = true;
  line.colour = colour;
  line.width = width;
  return line;
}

// What each piece of a node's frame state does to the picture, one change a
// frame. A NaN or an infinity anywhere in it (transform, position, opacity,
// mask points) leaves that node out of the frame; the rest of the slide is
// still drawn. Shape 2 is red at (20, 40) 30 x 20; shape 3, blue at (60, 70),
// stands for the rest; group 4 holds a blue square at (10, 10) 20 x 20; shape
// 6, green, 30 x 20 about (75, 30), is turned upright with its text.
TEST(Probe, FrameStateOnThePicture) {
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu;
  auto slide = SmallSlide();
  slide->AddShape(L"2").SetBounds(20, 40, 30, 20).SetSolidFill({255, 0, 0, 255});
  slide->AddShape(L"3").SetBounds(60, 70, 30, 20).SetSolidFill({0, 0, 255, 255});
  slide->AddShape(L"4").SetKind(ShapeKind::Group).SetBounds(10, 10, 50, 50);
  slide->AddShape(L"5", slide->FindShape(L"4"))
      .SetBounds(10, 10, 20, 20)
      .SetSolidFill({0, 0, 255, 255});
  CharProps small;
  small.size = 8;
  slide->AddShape(L"6")
      .SetBounds(60, 20, 30, 20)
      .SetSolidFill({0, 255, 0, 255})
      .SetRotation(90)
      .SetText({L"x"}, small);
  auto screen = SlideScreen::Build(slide);
  double* t = Target(*screen, L"2")->GetTransform();
  double* position = Target(*screen, L"2")->GetPosition();
  Kinefold::TColorMatrix* colour = Target(*screen, L"2")->GetColorTransform();
  const double nan = std::nan("");
  // Draws the frame, looks at the pixels, and starts the next frame afresh.
  const auto expect = [&](const char* what, std::initializer_list<At> pixels) {
    SCOPED_TRACE(what);
    ExpectPixels(Draw(*screen), pixels);
    screen->ResetFrame();
  };
  const std::initializer_list<At> leftOut = {{35, 50, kWhite}, {75, 80, blue}};
  expect("as authored",
         {{35, 50, red}, {75, 80, blue}, {20, 20, blue}, {75, 17, 0xFF00FF00u}, {62, 30, kWhite}});
  QueryAs<IShapeContext>(screen->Find(L"2/shape/fill"), eIidScreenShape9)
      ->GetColorTransform()
      ->alphaMul = 0.0;
  expect("fill hidden", {{35, 50, kWhite}});
  t[4] = t[5] = 0.0;
  expect("scaled to nothing", leftOut);
  t[4] = t[5] = nan;
  expect("NaN scale", leftOut);
  t[0] = HUGE_VAL;
  expect("infinite offset", leftOut);
  position[1] = nan;
  expect("NaN position", leftOut);
  colour->alphaMul = nan;
  expect("NaN opacity", leftOut);
  Mask(screen->Find(L"2"), masks::Rect(20, nan, 50, 60));
  expect("NaN mask point", leftOut);
  colour->redMul = colour->greenMul = colour->blueMul = 0.0;
  colour->blueAdd = 255;
  expect("tinted by the colour offsets", {{35, 50, blue}});
  position[0] += 40;
  expect("moved", {{35, 50, kWhite}, {75, 50, red}});
  // Peek: a mask on the shape's own bounds stays while the shape moves.
  Mask(screen->Find(L"2"), masks::Rect(20, 40, 50, 60));
  position[0] += 15;
  expect("moved under a mask", {{30, 50, kWhite}, {45, 50, red}, {60, 50, kWhite}});
  Target(*screen, L"4")->GetTransform()[1] = 50;
  expect("group moved with its members", {{20, 20, kWhite}, {20, 70, blue}});
}

// Pictures on the left: a PNG the renderer's image writes, a JPEG, and one it
// cannot read. Geometry on the right: an ellipse, an unknown preset, a
// connector and a custom triangle.
TEST(Probe, PicturesAndGeometry) {
  auto slide = golden::SmallSlide(200, 100);
  render::Image blue(4, 4);
  cairo_t* cr = cairo_create(blue.Surface());
  cairo_set_source_rgb(cr, 0, 0, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
  const std::string png = ::testing::TempDir() + "/slideanim-blue-" + std::to_string(::getpid());
  ASSERT_TRUE(blue.WritePng(png));
  slide->AddShape(L"3").SetKind(ShapeKind::Picture).SetBounds(60, 10, 30, 30).picture =
      PictureData{"image/png", FileBytes(png)};
  std::remove(png.c_str());
  slide->AddShape(L"4").SetKind(ShapeKind::Picture).SetBounds(60, 60, 30, 30).picture =
      PictureData{"image/jpeg", FileBytes(SLIDEANIM_FIXTURES_DIR "/green.jpg")};
  slide->AddShape(L"5").SetKind(ShapeKind::Picture).SetBounds(5, 5, 10, 10).picture =
      PictureData{"image/x-emf", {1, 2, 3}};
  const auto add = [&](const wchar_t* id, double x, double y, double w, double h,
                       const char* geometry) -> Shape& {
    return slide->AddShape(id).SetBounds(x, y, w, h).SetGeometry(geometry);
  };
  add(L"6", 110, 10, 40, 40, "ellipse").SetSolidFill({0, 0, 0, 255});
  add(L"7", 160, 10, 30, 30, "noSuchPreset").SetSolidFill({0, 0, 0, 255});
  add(L"8", 110, 70, 80, 0, "straightConnector1")
      .SetKind(ShapeKind::Connector)
      .SetLine(Outline({0, 0, 0, 255}, 4));
  GeometryPath path;
  path.width = path.height = 2;
  using K = PathCommand;
  path.commands = {
      {K::MoveTo, {}, {}}, {K::LineTo, {2, 0}, {}}, {K::LineTo, {0, 2}, {}}, {K::Close, {}, {}}};
  add(L"9", 160, 50, 30, 30, "custom").SetSolidFill({0, 0, 0, 255}).geometry.paths = {path};
  auto screen = SlideScreen::Build(slide);
  EXPECT_TRUE(Target(*screen, L"3/shape")->GetShapeFlag());
  render::Image image = Draw(*screen);
  EXPECT_TRUE(Near(image.Pixel(75, 25), 0xFF0000FFu));
  if (render::DecodesJpeg()) {
    EXPECT_TRUE(Near(image.Pixel(75, 75), 0xFF1EC828u, 16));
  }
  EXPECT_TRUE(Near(image.Pixel(10, 10), kWhite));  // unreadable: nothing drawn
  EXPECT_EQ(render::DecodePicture(PictureData{"image/png", {0x89, 'P', 'N', 'G', 0}}), nullptr);
  EXPECT_EQ(render::DecodePicture(PictureData{"image/jpeg", {0xFF, 0xD8, 0xFF, 0}}), nullptr);
  // (112, 12) is outside the ellipse; the bounds stand in for the unknown
  // preset at (162, 12); (165, 55) is in the custom triangle.
  ExpectPixels(image, {{130, 30, kBlack}, {112, 12, kWhite}, {162, 12, kBlack}});
  ExpectPixels(image, {{150, 70, kBlack}, {165, 55, kBlack}, {185, 75, kWhite}});
}

class TextProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    slide = SmallSlide();
    props.font = "DejaVu Sans";
    props.size = 20;
    slide->AddShape(L"2").SetBounds(0, 0, 100, 40).SetText({L"HI HI"}, props);
    screen = SlideScreen::Build(slide, boost::make_shared<render::PangoMeasurer>());
  }
  // Dark pixels inside a box of the image.
  static int Ink(const render::Image& image, const double* b) {
    int ink = 0;
    for (int y = static_cast<int>(b[1]); y < static_cast<int>(b[3]); ++y)
      for (int x = static_cast<int>(b[0]); x < static_cast<int>(b[2]); ++x)
        if (((image.Pixel(x, y) >> 8) & 0xFF) < 128) ++ink;
    return ink;
  }
  CharProps props;
  boost::shared_ptr<Slide> slide;
  boost::shared_ptr<SlideScreen> screen;
};

TEST_F(TextProbe, UnitsMoveRecolourAndTakeTheCurrentSheet) {
  const double* w0 = screen->Find(L"2/p0/w0")->GetBounds();
  const double* w1 = screen->Find(L"2/p0/w1")->GetBounds();
  render::Image before = Draw(*screen);
  EXPECT_GT(Ink(before, w0), 20);
  EXPECT_GT(Ink(before, w1), 20);
  // The second word drops by 50; the first stays.
  Target(*screen, L"2/p0/w1")->GetTransform()[1] = 50;
  const double below[4] = {w1[0], w1[1] + 50, w1[2], w1[3] + 50};
  render::Image after = Draw(*screen);
  EXPECT_EQ(Ink(after, w0), Ink(before, w0));
  EXPECT_EQ(Ink(after, w1), 0);
  EXPECT_GT(Ink(after, below), 20);
  // One letter on its own, in another colour.
  screen->ResetFrame();
  Kinefold::TColorMatrix blue;
  blue.redMul = blue.greenMul = blue.blueMul = 0.0;
  blue.blueAdd = 255;
  PublisherUtils::ChangeTextColor(screen->Find(L"2/p0/w0/l1"), blue);
  Target(*screen, L"2/p0/w0")->GetTransform()[0] = 0.0;
  QueryAs<IShapeContext>(screen->Find(L"2/p0/w0/l0"), eIidScreenShape9)->GetTransform()[0] = 0.5;
  render::Image tinted = Draw(*screen);
  const double* l1 = screen->Find(L"2/p0/w0/l1")->GetBounds();
  bool blueSeen = false;
  for (int y = static_cast<int>(l1[1]); y < static_cast<int>(l1[3]); ++y)
    for (int x = static_cast<int>(l1[0]); x < static_cast<int>(l1[2]); ++x)
      if (Near(tinted.Pixel(x, y), 0xFF0000FFu, 40)) blueSeen = true;
  EXPECT_TRUE(blueSeen);
  // Character properties come from the current sheet, until the frame is reset.
  screen->ResetFrame();
  const double* body = screen->Find(L"2")->GetBounds();
  const int normal = Ink(Draw(*screen), body);
  auto runs = QueryAs<IItemList>(screen->Find(L"2/runs/p0"), eIidRunGroup);
  for (uint32_t i = 0; i < runs->GetItemCount(); ++i) {
    auto sheet = GetSheet(runs->GetItem(i), ePropRunCharProps);
    SetBool(sheet, ePropBold, true);
    SetDouble(sheet, ePropFontSize, 30.0);
  }
  EXPECT_GT(Ink(Draw(*screen), body), normal * 3 / 2);
  screen->ResetFrame();
  EXPECT_EQ(Ink(Draw(*screen), body), normal);
}

TEST_F(TextProbe, ABulletShowsOnlyWithItsParagraphsText) {
  Paragraph paragraph;
  paragraph.runs.push_back(TextRun{L"HI", props});
  paragraph.bullet = L"\u2022";
  paragraph.marginLeft = 30;
  paragraph.indent = -30;
  TextBody body;
  body.paragraphs.push_back(paragraph);
  slide->FindShape(L"2")->SetTextBody(body);
  screen = SlideScreen::Build(slide, boost::make_shared<render::PangoMeasurer>());
  const double bulletArea[4] = {0, 0, 28, 40};
  EXPECT_GT(Ink(Draw(*screen), bulletArea), 0);
  // Hiding the paragraph hides its letters, and the bullet with them.
  for (const wchar_t* letter : {L"2/p0/w0/l0", L"2/p0/w0/l1"})
    QueryAs<IShapeContext>(screen->Find(letter), eIidScreenShape9)->GetColorTransform()->alphaMul =
        0.0;
  EXPECT_EQ(Ink(Draw(*screen), bulletArea), 0);
}

// PNG files keep every pixel: an opaque frame (written without alpha) and
// one with clear and half-covered pixels (written with it).
TEST(PngFile, KeepsEveryPixel) {
  const std::string path = ::testing::TempDir() + "/slideanim-png-" + std::to_string(::getpid());
  for (const bool opaque : {true, false}) {
    render::Image image(7, 5);
    cairo_t* cr = cairo_create(image.Surface());
    if (opaque) {
      cairo_set_source_rgb(cr, 0.2, 0.4, 0.6);
      cairo_paint(cr);
    }
    cairo_set_source_rgba(cr, 1.0, 0.5, 0.0, opaque ? 1.0 : 0.5);
    cairo_rectangle(cr, 1.5, 1.0, 3.0, 3.0);  // half-covered columns at its edges
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(image.Surface());
    ASSERT_TRUE(image.WritePng(path)) << opaque;
    const render::Image back = render::Image::ReadPng(path);
    const render::ImageDifference d = render::Compare(back, image, 1);
    EXPECT_TRUE(d.sameSize && d.differing == 0) << opaque << ": " << d.differing;
    EXPECT_EQ(back.Pixel(0, 0) >> 24, opaque ? 0xFFu : 0u);
  }
  std::remove(path.c_str());
  EXPECT_FALSE(render::Image(3, 3).WritePng("/nonexistent-folder/x.png"));
}

using masks::Rect;

constexpr double kPi = 3.14159265358979323846;

TEST(RenderGolden, TransformedRectangle) {
  auto slide = golden::SmallSlide(200, 150);  // the size of the references
  slide->AddShape(L"2")
      .SetBounds(60, 50, 80, 50)
      .SetSolidFill({68, 114, 196, 255})
      .SetLine(Outline({20, 40, 90, 255}, 3));
  auto screen = SlideScreen::Build(slide);
  // Turned by 30 degrees and grown by a fifth about the centre (100, 75).
  double* t = QueryAs<IShapeContext>(screen->Find(L"2"), eIidScreenShape9)->GetTransform();
  const double k = std::cos(kPi / 6) * 1.2, s = std::sin(kPi / 6) * 1.2;
  t[4] = k, t[3] = -s, t[2] = s, t[5] = k;
  t[0] = 100 - (k * 100 - s * 75);
  t[1] = 75 - (s * 100 + k * 75);
  golden::ExpectMatches(Draw(*screen), "transformed_rect");
}

TEST(RenderGolden, HalfFadedShape) {
  auto slide = golden::SmallSlide(200, 150);  // the size of the references
  slide->AddShape(L"2").SetBounds(0, 60, 200, 30).SetSolidFill({0, 0, 0, 255});
  slide->AddShape(L"3")
      .SetBounds(50, 25, 100, 100)
      .SetGeometry("ellipse")
      .SetSolidFill({220, 30, 30, 255});
  auto screen = SlideScreen::Build(slide);
  QueryAs<IShapeContext>(screen->Find(L"3"), eIidShapeTarget)->GetColorTransform()->alphaAdd = -127;
  golden::ExpectMatches(Draw(*screen), "half_faded");
}

// The box entrance, from a 2 x 2 square at the centre to the bounds with
// their margin; an even-odd cut-out; the wedge filter at a third of the way:
// arc segments and two radii.
TEST(RenderGolden, Masks) {
  const auto morph = [](uint32_t ratio) {
    return masks::Morph(Rect(99, 74, 101, 76), Rect(30, 25, 170, 125), ratio);
  };
  const auto cutOut = masks::Group({Rect(40, 30, 160, 120), Rect(80, 55, 120, 95)});
  const double p = 1.0 / 3.0, r = std::sqrt((140.0 * 140 + 120 * 120) / 4) + 5;
  const double a1 = -kPi / 2 - p * 3.12413936106985, a2 = p * 3.12413936106985 - kPi / 2;
  const struct {
    std::string golden;
    double x, y, w, h, line;  // no outline when 0
    Kinefold::TColor fill;
    boost::shared_ptr<IScreenShape> mask;
  } cases[] = {
      {"box_morph_0", 40, 35, 120, 80, 2, {40, 160, 80, 255}, morph(0)},
      {"box_morph_32767", 40, 35, 120, 80, 2, {40, 160, 80, 255}, morph(32767)},
      {"box_morph_65535", 40, 35, 120, 80, 2, {40, 160, 80, 255}, morph(65535)},
      {"evenodd_cutout", 40, 30, 120, 90, 0, {240, 150, 30, 255}, cutOut},
      {"pie_slice", 30, 15, 140, 120, 0, {120, 60, 170, 255}, masks::Pie(a1, a2, 100, 75, r)},
  };
  for (const auto& c : cases) {
    auto slide = golden::SmallSlide(200, 150);  // the size of the references
    Shape& shape = slide->AddShape(L"2").SetBounds(c.x, c.y, c.w, c.h).SetSolidFill(c.fill);
    if (c.line > 0) shape.SetLine(Outline({0, 0, 0, 255}, c.line));
    auto screen = SlideScreen::Build(slide);
    Mask(screen->Find(L"2"), c.mask);
    golden::ExpectMatches(Draw(*screen), c.golden);
  }
}

TEST(RenderGolden, StyledText) {
  auto slide = golden::SmallSlide(200, 150);  // the size of the references
  const auto props = [](double size, Kinefold::TColor colour) {
    CharProps p;
    p.font = "DejaVu Sans";
    p.size = size;
    p.colour = colour;
    return p;
  };
  CharProps bold = props(12, {20, 40, 140, 255}), italic = props(12, {200, 30, 30, 255}),
            under = props(12, {20, 130, 60, 255});
  bold.bold = true;
  italic.italic = true;
  under.underline = 2;
  Paragraph first, second;
  first.runs = {{L"Bold ", bold}, {L"italic ", italic}, {L"under", under}};
  second.runs = {{L"centred line that wraps in the box", props(8, {90, 90, 90, 255})}};
  second.align = TextAlign::Centre;
  TextBody body;
  body.paragraphs = {first, second};
  slide->AddShape(L"2")
      .SetBounds(10, 20, 180, 110)
      .SetLine(Outline({160, 160, 160, 255}, 1))
      .SetTextBody(body);
  auto screen = SlideScreen::Build(slide, boost::make_shared<render::PangoMeasurer>());
  golden::ExpectMatches(Draw(*screen), "styled_text", golden::Tolerance{64, 0.03});
}

}  // namespace
