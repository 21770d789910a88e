#include <benchmark/benchmark.h>

#include "common/PropertySheet.h"
#include "host/Properties.h"

// Reading a key through the query protocol and the property accessors.
static void BM_PropertyRead(benchmark::State& state) {
  auto sheet = boost::make_shared<platform::PropertySheet>();
  sheet->Set<int>(ePropDuration, 500);
  boost::shared_ptr<IInterface> object = sheet;
  for (auto _ : state) benchmark::DoNotOptimize(GetInt(object, ePropDuration));
}
BENCHMARK(BM_PropertyRead);

BENCHMARK_MAIN();
