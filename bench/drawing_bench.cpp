// DrawSystem and each diagram into a canvas that only counts, so the drawing's own work is
// measured.
#include <benchmark/benchmark.h>

#include "core/analysis/compute_results.h"
#include "core/drawing/deflected_shape.h"
#include "core/drawing/drawings.h"

namespace {

class CountingCanvas : public strevo::Canvas {
 public:
  void Refresh() override { lines = 0; }
  void SetScale(float, float, float, float) override {}
  void SetLineWidth(int) override {}
  void Line(float, float, float, float, int) override { ++lines; }
  void Box(float, float, float, float, int) override { ++lines; }
  void SetLabelCaption(int, const std::string& caption) override {
    benchmark::DoNotOptimize(caption.data());
  }
  void SetLabelLeft(int, float) override {}
  void SetLabelTop(int, float) override {}
  void SetLabelVisible(int, bool) override {}
  long lines = 0;
};

strevo::InputSet AllLoads() {
  strevo::InputSet in;
  in.wD = 1;
  in.q = 2;
  in.h = 4;
  in.a = 3;
  in.b = 2;
  in.L = 5;
  in.wS = 0.5;
  in.F = 10;
  in.I1 = 1;
  in.I2 = 1.5;
  return in;
}

struct Drawn {
  Drawn() {
    strevo::ComputeResults(in, system, results);
    strevo::DrawSystem(in, system, results, canvas);
  }
  strevo::InputSet in = AllLoads();
  std::optional<strevo::SystemType> system = strevo::SystemType::FixedFrame;
  strevo::SharedResults results;
  CountingCanvas canvas;
};

void BM_DrawSystem(benchmark::State& state) {
  Drawn d;
  for (auto _ : state) {
    strevo::DrawSystem(d.in, d.system, d.results, d.canvas);
  }
  benchmark::DoNotOptimize(d.canvas.lines);
}
BENCHMARK(BM_DrawSystem);

template <strevo::DiagramOutcome (*Draw)(const strevo::InputSet&, const strevo::SharedResults&,
                                         strevo::Canvas&)>
void BM_Diagram(benchmark::State& state) {
  Drawn d;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Draw(d.in, d.results, d.canvas));
  }
}
BENCHMARK(BM_Diagram<strevo::DrawMomentDiagram>)->Name("BM_MomentDiagram");
BENCHMARK(BM_Diagram<strevo::DrawShearDiagram>)->Name("BM_ShearDiagram");
BENCHMARK(BM_Diagram<strevo::DrawNormalForceDiagram>)->Name("BM_NormalForceDiagram");

// The deflected shape over the picture, and the tooltip's values at one mouse position (on the
// beam, the member found last).
void BM_DeflectedShape(benchmark::State& state) {
  strevo::SharedResults results;
  const strevo::Computation computation =
      strevo::Compute(AllLoads(), strevo::SystemType::FixedFrame, results);
  CountingCanvas canvas;
  for (auto _ : state) {
    benchmark::DoNotOptimize(strevo::DrawDeflectedShape(computation, canvas));
  }
}
BENCHMARK(BM_DeflectedShape)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TooltipReadout(benchmark::State& state) {
  strevo::SharedResults results;
  const strevo::Computation computation =
      strevo::Compute(AllLoads(), strevo::SystemType::FixedFrame, results);
  for (auto _ : state) {
    benchmark::DoNotOptimize(strevo::ReadoutAt(computation, 490, 301, 11));
  }
}
BENCHMARK(BM_TooltipReadout)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
