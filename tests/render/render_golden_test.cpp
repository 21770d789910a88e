// Frames drawn by the renderer compared with reference images: transforms,
// colour transforms, masks (morphs, even-odd groups, pies of line segments)
// and styled text.
#include <gtest/gtest.h>

#include <cmath>

#include <boost/make_shared.hpp>

#include "Golden.h"
#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"
#include "unit/mask_builders.h"

using namespace platform;
using masks::Rect;

namespace {

constexpr double kPi = 3.14159265358979323846;

using golden::Draw;

boost::shared_ptr<Slide> SmallSlide() {
  return golden::SmallSlide(200, 150);
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

TEST(RenderGolden, TransformedRectangle) {
  auto slide = SmallSlide();
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
  auto slide = SmallSlide();
  slide->AddShape(L"2").SetBounds(0, 60, 200, 30).SetSolidFill({0, 0, 0, 255});
  slide->AddShape(L"3")
      .SetBounds(50, 25, 100, 100)
      .SetGeometry("ellipse")
      .SetSolidFill({220, 30, 30, 255});
  auto screen = SlideScreen::Build(slide);
  QueryAs<IShapeContext>(screen->Find(L"3"), eIidShapeTarget)->GetColorTransform()->alphaAdd = -127;
  golden::ExpectMatches(Draw(*screen), "half_faded");
}

TEST(RenderGolden, BoxMaskMorph) {
  for (uint32_t ratio : {0u, 32767u, 65535u}) {
    auto slide = SmallSlide();
    slide->AddShape(L"2")
        .SetBounds(40, 35, 120, 80)
        .SetSolidFill({40, 160, 80, 255})
        .SetLine(Outline({0, 0, 0, 255}, 2));
    auto screen = SlideScreen::Build(slide);
    // The box entrance: from a 2 x 2 square at the centre to the bounds with
    // their margin.
    Mask(screen->Find(L"2"), masks::Morph(Rect(99, 74, 101, 76), Rect(30, 25, 170, 125), ratio));
    golden::ExpectMatches(Draw(*screen), "box_morph_" + std::to_string(ratio));
  }
}

TEST(RenderGolden, EvenOddCutOut) {
  auto slide = SmallSlide();
  slide->AddShape(L"2").SetBounds(40, 30, 120, 90).SetSolidFill({240, 150, 30, 255});
  auto screen = SlideScreen::Build(slide);
  Mask(screen->Find(L"2"), masks::Group({Rect(40, 30, 160, 120), Rect(80, 55, 120, 95)}));
  golden::ExpectMatches(Draw(*screen), "evenodd_cutout");
}

TEST(RenderGolden, PieSliceOfLineSegments) {
  auto slide = SmallSlide();
  slide->AddShape(L"2").SetBounds(30, 15, 140, 120).SetSolidFill({120, 60, 170, 255});
  auto screen = SlideScreen::Build(slide);
  // The wedge filter at a third of the way: arc segments and two radii.
  const double p = 1.0 / 3.0, cx = 100, cy = 75, r = std::sqrt((140.0 * 140 + 120 * 120) / 4) + 5;
  const double a1 = -kPi / 2 - p * 3.12413936106985, a2 = p * 3.12413936106985 - kPi / 2;
  Mask(screen->Find(L"2"), masks::Pie(a1, a2, cx, cy, r));
  golden::ExpectMatches(Draw(*screen), "pie_slice");
}

TEST(RenderGolden, StyledText) {
  auto slide = SmallSlide();
  TextBody body;
  CharProps base;
  base.font = "DejaVu Sans";
  base.size = 12;
  Paragraph first;
  CharProps bold = base, italic = base, under = base;
  bold.bold = true;
  bold.colour = {20, 40, 140, 255};
  italic.italic = true;
  italic.colour = {200, 30, 30, 255};
  under.underline = 2;
  under.colour = {20, 130, 60, 255};
  first.runs = {{L"Bold ", bold}, {L"italic ", italic}, {L"under", under}};
  Paragraph second;
  CharProps small = base;
  small.size = 8;
  small.colour = {90, 90, 90, 255};
  second.runs = {{L"centred line that wraps in the box", small}};
  second.align = TextAlign::Centre;
  body.paragraphs = {first, second};
  slide->AddShape(L"2")
      .SetBounds(10, 20, 180, 110)
      .SetLine(Outline({160, 160, 160, 255}, 1))
      .SetTextBody(body);
  auto screen = SlideScreen::Build(slide, boost::make_shared<render::PangoMeasurer>());
  golden::ExpectMatches(Draw(*screen), "styled_text", golden::Tolerance{64, 0.03});
}

}  // namespace
