// What `slideanim frames` does per frame on the bundled demo deck: bring the
// slide to the frame's time, draw it, and (as the command does) write the
// PNG. items_per_second is frames per second.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

#include "cli/FrameTimes.h"
#include "cli/SlidePlayer.h"
#include "pptx/DeckReader.h"
#include "render/FrameRenderer.h"
#include "render/PangoText.h"

namespace {

std::string DemoDeck() {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of('/')) + "/../examples/decks/demo.pptx";
}

// The demo's first slide, made ready to play, and its frame times at 30 fps.
struct Demo {
  boost::shared_ptr<render::PangoMeasurer> measurer = boost::make_shared<render::PangoMeasurer>();
  std::unique_ptr<cli::SlidePlayer> player;
  std::vector<uint32_t> times;

  bool Load(benchmark::State& state) {
    pptx::Diagnostics diagnostics;
    pptx::Deck deck;
    try {
      deck = pptx::ReadDeck(DemoDeck(), diagnostics);
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return false;
    }
    if (deck.slides.empty()) {
      state.SkipWithError("the demo deck has no slides");
      return false;
    }
    player = std::make_unique<cli::SlidePlayer>(deck.slides[0], 30, 0, measurer);
    player->Prepare();
    times = cli::FrameTimes(0, player->Length(), 30);
    return true;
  }
};

// args: frame width; whether the PNG is written.
void BM_DemoFrames(benchmark::State& state) {
  Demo demo;
  if (!demo.Load(state)) return;
  const int width = static_cast<int>(state.range(0));
  const bool png = state.range(1) != 0;
  const int height = width * 9 / 16;
  const std::string file = "/tmp/slideanim-bench-" + std::to_string(::getpid()) + ".png";
  render::FrameRenderer renderer(demo.measurer);
  size_t i = 0;
  for (auto _ : state) {
    demo.player->Seek(demo.times[i]);
    render::Image image = renderer.Render(demo.player->Screen(), width, height);
    if (png) image.WritePng(file);
    benchmark::DoNotOptimize(image.Surface());
    i = (i + 1) % demo.times.size();
  }
  std::remove(file.c_str());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["frames"] = static_cast<double>(demo.times.size());
}
BENCHMARK(BM_DemoFrames)
    ->ArgNames({"width", "png"})
    ->Args({1280, 1})
    ->Args({1280, 0})
    ->Args({320, 1})
    ->Unit(benchmark::kMillisecond);

// Bringing the slide to each time without drawing: the animation's share.
void BM_DemoSeek(benchmark::State& state) {
  Demo demo;
  if (!demo.Load(state)) return;
  size_t i = 0;
  for (auto _ : state) {
    demo.player->Seek(demo.times[i]);
    i = (i + 1) % demo.times.size();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_DemoSeek);

}  // namespace
