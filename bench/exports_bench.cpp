// What leaves the program from a computation, for the all-loads case: the result list, the
// clipboard text, and the whole PDF report; and the example design's PDF report and files, also
// with a load case's name 10⁵ letters long.
#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "core/checks/section_check.h"
#include "core/design/design_file.h"
#include "core/design/design_output.h"
#include "core/project/taken_computation.h"
#include "core/text/rechenweg.h"
#include "core/text/result_list.h"
#include "report/design_report.h"
#include "report/report_writer.h"
#include "report/typeset_painter.h"

namespace {

strevo::Computation AllLoads() {
  strevo::InputSet in{1, 2, 4, 3, 2, 5, 0.5, 10, 1, 1.5};
  strevo::SharedResults shared;
  return strevo::Compute(in, strevo::SystemType::FixedFrame, shared);
}

void BM_ResultListRows(benchmark::State& state) {
  const strevo::Computation computation = AllLoads();
  for (auto _ : state) {
    benchmark::DoNotOptimize(strevo::ResultListRows(computation));
  }
}
BENCHMARK(BM_ResultListRows)->Unit(benchmark::kMicrosecond);

void BM_ClipboardText(benchmark::State& state) {
  const strevo::Computation computation = AllLoads();
  for (auto _ : state) {
    const std::vector<strevo::ListRow> rows = strevo::ResultListRows(computation);
    benchmark::DoNotOptimize(strevo::ResultListText(rows));
    benchmark::DoNotOptimize(strevo::ResultListHtml(rows));
  }
}
BENCHMARK(BM_ClipboardText)->Unit(benchmark::kMicrosecond);

void BM_Rechenweg(benchmark::State& state) {
  const strevo::Computation computation = AllLoads();
  for (auto _ : state) {
    const std::vector<strevo::RechenwegStep> steps = strevo::BuildRechenweg(computation);
    benchmark::DoNotOptimize(strevo::RechenwegText(steps));
  }
}
BENCHMARK(BM_Rechenweg)->Unit(benchmark::kMicrosecond);

// Every step typeset as the list window lays it out, 480 pixels wide; the font's metrics are
// made once, as the window keeps them.
void BM_RechenwegTypeset(benchmark::State& state) {
  const std::vector<strevo::RechenwegStep> steps = strevo::BuildRechenweg(AllLoads());
  QImage screen(1, 1, QImage::Format_RGB32);
  const strevo::QtTypesetMetrics metrics(QStringLiteral("DejaVu Sans"), &screen);
  for (auto _ : state) {
    double height = 0;
    for (const strevo::RechenwegStep& step : steps) {
      height += strevo::typeset::TypesetStep(step, metrics, 8.25, 480).height;
    }
    benchmark::DoNotOptimize(height);
  }
}
BENCHMARK(BM_RechenwegTypeset)->Unit(benchmark::kMicrosecond);

// The section check of both members for the three steel grades.
void BM_SectionCheck(benchmark::State& state) {
  strevo::Computation computation = AllLoads();
  computation.columnSection = "HE-A 200";
  computation.beamSection = "IPE 300";
  for (auto _ : state) {
    for (const strevo::SteelGrade grade :
         {strevo::SteelGrade::S235, strevo::SteelGrade::S275, strevo::SteelGrade::S355}) {
      benchmark::DoNotOptimize(strevo::CheckSections(computation, {grade, 150, 300}));
    }
  }
}
BENCHMARK(BM_SectionCheck)->Unit(benchmark::kMicrosecond);

// The computation is taken inside the loop: its check and Rechenweg belong to the report's cost.
void BM_PdfReport(benchmark::State& state) {
  const strevo::Computation computation = AllLoads();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const strevo::TakenComputation taken(computation, {});
    strevo::WriteReport(buffer, taken, {QDateTime::currentDateTime(), false});
    benchmark::DoNotOptimize(buffer.data().size());
  }
}
BENCHMARK(BM_PdfReport)->Unit(benchmark::kMillisecond);

// The design report of the example design, as `strevo-cli --bericht` writes it; the design is
// computed once, before the loop, as the report only lays it out.
void BM_DesignPdfReport(benchmark::State& state) {
  const strevo::DesignResult result =
      strevo::ComputeDesign(strevo::ReadDesignFile(STREVO_DESIGN_EXAMPLE));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    strevo::WriteDesignReport(buffer, result, {QDateTime::currentDateTime(), false});
    benchmark::DoNotOptimize(buffer.data().size());
  }
}
BENCHMARK(BM_DesignPdfReport)->Unit(benchmark::kMillisecond);

// The example with its snow case named by state.range(0) letters: every form of the result
// costs time linear in the name's length (10⁵ letters against 10⁴ about ten times as much).
strevo::DesignResult WithLongName(std::int64_t letters) {
  strevo::Design design = strevo::ReadDesignFile(STREVO_DESIGN_EXAMPLE);
  std::string& name = design.loadCases[1].name;
  name.assign(static_cast<std::size_t>(letters) + 1, 'x');
  name.front() = 'S';
  return strevo::ComputeDesign(design);
}

void BM_DesignPdfReportLongName(benchmark::State& state) {
  const strevo::DesignResult result = WithLongName(state.range(0));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    strevo::WriteDesignReport(buffer, result, {QDateTime::currentDateTime(), false});
    benchmark::DoNotOptimize(buffer.data().size());
  }
}
BENCHMARK(BM_DesignPdfReportLongName)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DesignFilesLongName(benchmark::State& state) {
  const strevo::DesignResult result = WithLongName(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(strevo::DesignResultJson(result).size());
    benchmark::DoNotOptimize(strevo::DesignResultCsv(result).size());
    benchmark::DoNotOptimize(strevo::DesignRows(result).size());
  }
}
BENCHMARK(BM_DesignFilesLongName)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
