// Whole commands over generated decks of 10, 100 and 1000 slides, run in
// process: the per-slide time (the "per_slide" counter, in seconds) should
// stay flat as the deck grows. Then the frame state of 200 letters flying in
// one by one, per frame.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include <boost/make_shared.hpp>

#include "bench/BenchDecks.h"
#include "cli/FrameTimes.h"
#include "cli/Frames.h"
#include "cli/Inspect.h"
#include "cli/SlidePlayer.h"
#include "cli/WebJson.h"
#include "host/Webdeck.h"
#include "pptx/DeckReader.h"
#include "render/PangoText.h"

namespace {

std::string Scratch() {
  return "/tmp/slideanim-bench-" + std::to_string(::getpid());
}

// The generated deck of `slides` slides, written once per process.
const std::string& ClickDeckFile(int slides) {
  static std::map<int, std::string> files;
  auto found = files.find(slides);
  if (found != files.end()) return found->second;
  std::filesystem::create_directories(Scratch());
  const std::string path = Scratch() + "/clicks" + std::to_string(slides) + ".pptx";
  bench::SaveDeck(bench::ClickDeck(slides), path);
  return files[slides] = path;
}

void PerSlide(benchmark::State& state, int slides) {
  state.counters["per_slide"] = benchmark::Counter(
      static_cast<double>(slides),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Inspect(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  cli::InspectOptions options;
  options.deck.deck = ClickDeckFile(slides);
  for (auto _ : state) {
    std::ostringstream out, err;
    if (cli::RunInspect(options, out, err) != cli::kExitOk) state.SkipWithError("inspect failed");
  }
  PerSlide(state, slides);
}
BENCHMARK(BM_Inspect)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Json(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  cli::JsonOptions options;
  options.deck.deck = ClickDeckFile(slides);
  for (auto _ : state) {
    // The description belongs to the process; each run starts a new one.
    IWebdeckSlide::ResetInstance();
    std::ostringstream out, err;
    if (cli::RunJson(options, out, err) != cli::kExitOk) state.SkipWithError("json failed");
  }
  PerSlide(state, slides);
}
BENCHMARK(BM_Json)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Four frames of each slide, 64 pixels wide, on one thread.
void BM_Frames(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  cli::FramesOptions options;
  options.deck.deck = ClickDeckFile(slides);
  options.width = 64;
  options.at = {0, 1000, 2000, 3000};
  options.output = Scratch() + "/frames";
  options.jobs = 1;
  for (auto _ : state) {
    IWebdeckSlide::ResetInstance();
    std::ostringstream out, err;
    if (cli::RunFrames(options, out, err) != cli::kExitOk) state.SkipWithError("frames failed");
  }
  std::filesystem::remove_all(options.output);
  PerSlide(state, slides);
}
BENCHMARK(BM_Frames)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The frame state alone (no drawing) of the 200-letter fly-in, at every
// frame of its timeline in turn.
void BM_LetterFlyFrame(benchmark::State& state) {
  std::filesystem::create_directories(Scratch());
  const std::string path = Scratch() + "/letters.pptx";
  bench::SaveDeck(bench::LetterFlyDeck(), path);
  pptx::Diagnostics diagnostics;
  const pptx::Deck deck = pptx::ReadDeck(path, diagnostics);
  cli::SlidePlayer player(deck.slides.at(0), 30, 0, boost::make_shared<render::PangoMeasurer>());
  player.Prepare();
  const std::vector<uint32_t> times = cli::FrameTimes(0, player.Length(), 30);
  size_t i = 0;
  for (auto _ : state) {
    player.Seek(times[i]);
    i = (i + 1) % times.size();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
  state.counters["frames"] = static_cast<double>(times.size());
}
BENCHMARK(BM_LetterFlyFrame)->Unit(benchmark::kMicrosecond);

// Removes the scratch folder when the benchmarks end.
struct Cleanup {
  ~Cleanup() {
    std::error_code error;
    std::filesystem::remove_all(Scratch(), error);
  }
} cleanup;

}  // namespace
