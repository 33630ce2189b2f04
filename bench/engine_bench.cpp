// ComputeResults and the deformation solution per system, with the default inputs and with all
// four loads.
#include <benchmark/benchmark.h>

#include "core/analysis/compute_results.h"
#include "core/analysis/deformations.h"

namespace {

strevo::InputSet Inputs(bool allLoads) {
  strevo::InputSet in;
  in.wD = allLoads ? 1.0 : 0.0;
  in.q = 2;
  in.h = 4;
  in.a = 3;
  in.b = 2;
  in.L = 5;
  in.wS = allLoads ? 0.5 : 0.0;
  in.F = allLoads ? 10.0 : 0.0;
  in.I1 = 1;
  in.I2 = 1.5;
  return in;
}

void BM_ComputeResults(benchmark::State& state) {
  const auto system = static_cast<strevo::SystemType>(state.range(0));
  const strevo::InputSet in = Inputs(state.range(1) != 0);
  strevo::SharedResults results;
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    strevo::ResultLines lines = strevo::ComputeResults(in, system, results);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_ComputeResults)
    ->ArgNames({"system", "allLoads"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ComputeDeformation(benchmark::State& state) {
  const auto system = static_cast<strevo::SystemType>(state.range(0));
  const strevo::InputSet in = Inputs(true);
  strevo::SharedResults results;
  strevo::ComputeResults(in, system, results);
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    strevo::Deformation d = strevo::ComputeDeformation(in, system, results);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(BM_ComputeDeformation)
    ->ArgNames({"system"})
    ->DenseRange(0, 2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
