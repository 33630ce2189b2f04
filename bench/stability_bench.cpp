// One ultimate combination's stability: the critical load factor by the eigenvalue count and
// the second-order analysis with its iterated normal forces, on the example's portal
// (two-hinged frame h = 6 m, L = 15 m, HE 300 A / IPE 450) under 1.35·G + 1.5·S + 0.9·W.
#include <benchmark/benchmark.h>

#include "core/analysis/frame_stability.h"

namespace strevo {
namespace {

const Portal kPortal{SystemType::TwoHingedFrame, 6, 15, 18260, 33740};

FrameLoads Loads() {
  FrameLoads loads;
  loads.q = 1.35 * 4.0 + 1.5 * 8.0 - 0.9 * 1.2;
  loads.wD = 0.9 * 3.0;
  loads.wS = 0.9 * 1.5;
  loads.pointLoads = {{5.0, 1.05 * 40.0}};
  loads.topLeft = 0.6;
  loads.footLeft = -0.6;
  loads.topRight = 0.6;
  loads.footRight = -0.6;
  return loads;
}

void BM_CriticalLoad(benchmark::State& state) {
  const NormalForces forces{-140, -40, -150};
  for (auto _ : state) {
    benchmark::DoNotOptimize(CriticalLoadOf(kPortal, forces));
  }
}
BENCHMARK(BM_CriticalLoad);

void BM_SecondOrderAnalysis(benchmark::State& state) {
  const FrameLoads loads = Loads();
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnalyseFrame(kPortal, loads, Theory::SecondOrder));
  }
}
BENCHMARK(BM_SecondOrderAnalysis);

// What the design does per ultimate combination: both, one after the other.
void BM_StabilityOfOneCombination(benchmark::State& state) {
  const FrameLoads loads = Loads();
  const NormalForces forces{-140, -40, -150};
  for (auto _ : state) {
    benchmark::DoNotOptimize(CriticalLoadOf(kPortal, forces));
    benchmark::DoNotOptimize(AnalyseFrame(kPortal, loads, Theory::SecondOrder));
  }
}
BENCHMARK(BM_StabilityOfOneCombination);

}  // namespace
}  // namespace strevo
