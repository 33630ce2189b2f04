// Google Benchmark main for benchmarks of windows and painting: one QApplication on the
// offscreen platform.
#include <QApplication>
#include <cstdlib>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
