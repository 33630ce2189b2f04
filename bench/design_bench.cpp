// A whole design: every combination of the design file's example with its envelope and checks.
#include <benchmark/benchmark.h>

#include "core/design/design_file.h"
#include "core/design/design_result.h"
#include "core/design/section_search.h"

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

// "Querschnitte bemessen" on the example: every pair lighter than the fifth passing one
// decided.
void BM_SearchSectionsOfTheExample(benchmark::State& state) {
  const Design design = ReadDesignFile(STREVO_DESIGN_EXAMPLE);
  for (auto _ : state) {
    SectionSearch search = SearchSections(design, {});
    benchmark::DoNotOptimize(search);
  }
  state.counters["decided"] = static_cast<double>(SearchSections(design, {}).decided);
}
BENCHMARK(BM_SearchSectionsOfTheExample)->Unit(benchmark::kMillisecond)->UseRealTime();

// The worst case: a hundred times the roof load, no pair passes and all 4225 are decided.
void BM_SearchSectionsNonePasses(benchmark::State& state) {
  Design design = ReadDesignFile(STREVO_DESIGN_EXAMPLE);
  design.loadCases.front().loads.q *= 100;
  for (auto _ : state) {
    SectionSearch search = SearchSections(design, {});
    benchmark::DoNotOptimize(search);
  }
}
BENCHMARK(BM_SearchSectionsNonePasses)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace strevo
