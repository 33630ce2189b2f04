// A whole design: every combination of the design file's example with its envelope and checks.
#include <benchmark/benchmark.h>

#include "design_file.h"
#include "design_result.h"

namespace strevo {
namespace {

void BM_ComputeDesignOfTheExample(benchmark::State& state) {
  const Design design = ReadDesignFile(STREVO_DESIGN_EXAMPLE);
  for (auto _ : state) {
    DesignResult result = ComputeDesign(design);
    benchmark::DoNotOptimize(result);
  }
  state.counters["combinations"] = static_cast<double>(ComputeDesign(design).combinations.size());
}
BENCHMARK(BM_ComputeDesignOfTheExample);

}  // namespace
}  // namespace strevo
