// `slideanim video` on the bundled demo deck at 1280x720, 30 fps, into an
// MP4 file: the whole command, from reading the deck to the finished file.
// Counters: video_s (seconds of video), realtime_x (seconds of video per
// second of wall time) and per_core_x (seconds of video per CPU second of
// every thread of the process, encoder threads included).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "cli/Video.h"

namespace {

std::string DemoDeck() {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of('/')) + "/../examples/decks/demo.pptx";
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// args: --jobs; the video's format (0 mp4, 1 webm, 2 gif).
void BM_DemoVideo(benchmark::State& state) {
  static const char* const kExtensions[] = {".mp4", ".webm", ".gif"};
  cli::VideoOptions options;
  options.deck.deck = DemoDeck();
  options.deck.fps = 30;
  options.width = 1280;
  options.jobs = static_cast<unsigned>(state.range(0));
  options.output =
      "/tmp/slideanim-bench-" + std::to_string(::getpid()) + kExtensions[state.range(1)];
  options.progress = cli::VideoOptions::Progress::Never;
  double videoSeconds = 0, cpu = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    const double before = CpuSeconds();
    if (cli::RunVideo(options, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      break;
    }
    cpu += CpuSeconds() - before;
    // "wrote FILE: N frames at 30 fps, ..."
    const std::string text = out.str();
    const size_t colon = text.find(": ", text.rfind("wrote "));
    videoSeconds = std::stod(text.substr(colon + 2)) / 30.0;
  }
  std::remove(options.output.c_str());
  state.counters["video_s"] = videoSeconds;
  state.counters["realtime_x"] =
      benchmark::Counter(videoSeconds * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["per_core_x"] = cpu > 0 ? videoSeconds * state.iterations() / cpu : 0;
}
BENCHMARK(BM_DemoVideo)
    ->ArgNames({"jobs", "format"})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
