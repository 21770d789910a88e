// Rendering a 1280 x 720 frame of twenty shapes with text.
#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include "document/Slide.h"
#include "host/Properties.h"
#include "publisher/MaskShapes.h"
#include "publisher/SlideScreen.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace {

boost::shared_ptr<platform::Slide> TwentyShapes() {
  auto slide = boost::make_shared<platform::Slide>();
  const char* presets[] = {"rect", "roundRect", "ellipse", "triangle", "diamond"};
  platform::CharProps props;
  props.font = "DejaVu Sans";
  props.size = 14;
  for (int i = 0; i < 20; ++i) {
    platform::LineStyle line;
    line.present = true;
    line.width = 2;
    slide->AddShape(std::to_wstring(i + 2))
        .SetBounds(20 + (i % 5) * 188, 20 + (i / 5) * 130, 170, 110)
        .SetGeometry(presets[i % 5])
        .SetSolidFill({static_cast<uint32_t>(40 + i * 10), 120, 200, 255})
        .SetLine(line)
        .SetText({L"Shape " + std::to_wstring(i), L"with a second line of text"}, props);
  }
  return slide;
}

void BM_RenderFrame(benchmark::State& state) {
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  auto screen = platform::SlideScreen::Build(TwentyShapes(), measurer);
  render::FrameRenderer renderer(measurer);
  for (auto _ : state) {
    render::Image image = renderer.Render(*screen, 1280, 720);
    benchmark::DoNotOptimize(image.Surface());
  }
}
BENCHMARK(BM_RenderFrame)->Unit(benchmark::kMillisecond);

// The same with every word moved and every shape masked, so that text is
// drawn word by word under a clip.
void BM_RenderAnimatedFrame(benchmark::State& state) {
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  auto screen = platform::SlideScreen::Build(TwentyShapes(), measurer);
  for (const auto& shape : screen->Shapes()) {
    auto morph = ScreenShapeFactroy::GetScreenShape(eIidMorphShape);
    auto from = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
    auto to = ScreenShapeFactroy::GetScreenShape(eIidRectangleShape);
    const double* b = shape->Bounds();
    from->SetGeometry((b[0] + b[2]) / 2 - 1, (b[1] + b[3]) / 2 - 1, (b[0] + b[2]) / 2 + 1,
                      (b[1] + b[3]) / 2 + 1);
    to->SetGeometry(b[0] - 10, b[1] - 10, b[2] + 10, b[3] + 10);
    morph->SetStartShape(from);
    morph->SetEndShape(to);
    morph->SetRatio(40000);
    auto container = ScreenShapeFactroy::GetCompoundScreenShape(eIidMaskContainer);
    container->SetContent(morph);
    shape->Masks().InsertChild(container, 0);
    shape->Walk([](platform::ScreenNode& node) {
      if (node.GetRole() == platform::ScreenNode::Role::Word) node.MutableFrame().transform[1] = 3;
    });
  }
  render::FrameRenderer renderer(measurer);
  for (auto _ : state) {
    render::Image image = renderer.Render(*screen, 1280, 720);
    benchmark::DoNotOptimize(image.Surface());
  }
}
BENCHMARK(BM_RenderAnimatedFrame)->Unit(benchmark::kMillisecond);

// The same with the runs split at letters (a bold effect walks every shape
// letter by letter), every other letter bold and every third one red, so the
// text is laid out again and drawn with per-letter colours.
void BM_RenderLetterEffectFrame(benchmark::State& state) {
  auto measurer = boost::make_shared<render::PangoMeasurer>();
  auto slide = TwentyShapes();
  for (const auto& shape : slide->AllShapes())
    slide->Effects()
        ->AddEffect(shape->Id())
        .Set<int>(ePropIterateType, 2)
        .AddBehaviour(eBehaviourSet)
        .Set<int>(ePropAttribute, 11);
  auto screen = platform::SlideScreen::Build(slide, measurer);
  render::FrameRenderer renderer(measurer);
  for (auto _ : state) {
    screen->ResetFrame();
    for (const auto& shape : screen->Shapes()) {
      for (size_t i = 0; i < shape->AllRuns().size(); i += 2)
        SetBool(GetSheet(shape->AllRuns()[i], ePropRunCharProps), ePropBold, true);
      size_t n = 0;
      shape->Walk([&n](platform::ScreenNode& node) {
        if (node.GetRole() == platform::ScreenNode::Role::Letter && n++ % 3 == 0)
          node.MutableFrame().text.Set(Kinefold::TColor{255, 0, 0, 255});
      });
    }
    render::Image image = renderer.Render(*screen, 1280, 720);
    benchmark::DoNotOptimize(image.Surface());
  }
}
BENCHMARK(BM_RenderLetterEffectFrame)->Unit(benchmark::kMillisecond);

}  // namespace
