// The windows: the main window's start-up sequence, a whole "&Schnittgrößen" command
// including painting the picture into an offscreen image, and the design window opening a
// design of 2000 load cases until it is shown.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "core/design/design_file.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/design/design_window.h"
#include "windows/results/picture_box.h"
#include "windows/ui/command_guard.h"
#include "windows/ui/file_dialog_service.h"
#include "windows/ui/message_service.h"

namespace {

class SilentMessages : public strevo::MessageService {
 public:
  strevo::MessageAnswer Show(QWidget*, const strevo::Message&) override {
    return strevo::MessageAnswer::Ok;
  }
};

class NoFiles : public strevo::FileDialogService {
 public:
  QString ShowOpen(QWidget*, const strevo::CommonDialogSettings&) override { return {}; }
  QString ShowSave(QWidget*, strevo::CommonDialogSettings&) override { return {}; }
};

class OneFile : public strevo::FileDialogService {
 public:
  QString ShowOpen(QWidget*, const strevo::CommonDialogSettings&) override { return name; }
  QString ShowSave(QWidget*, strevo::CommonDialogSettings&) override { return {}; }
  QString name;
};

SilentMessages messages;
NoFiles files;

void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    strevo::StrevoApp app(messages, files);
    app.Start();
    QApplication::processEvents();
    benchmark::DoNotOptimize(&app);
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_SchnittgroessenWithPainting(benchmark::State& state) {
  strevo::StrevoApp app(messages, files);
  app.Start();
  strevo::PictureBox* picture = app.ResultsWindow().Picture1();
  QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    app.MainWindow().mnuschnittgroessen_Click();
    QPainter painter(&image);
    picture->render(&painter);
  }
}
BENCHMARK(BM_SchnittgroessenWithPainting)->Unit(benchmark::kMicrosecond);

// What the design window needs of the program, and nothing it does not.
class BenchDesignHost : public strevo::DesignHost {
 public:
  strevo::CommandGuard& Guard() override { return guard; }
  strevo::MessageService& Messages() override { return silent; }
  strevo::FileDialogService& FileDialogs() override { return files; }
  strevo::FurtherLoadsService& FurtherLoadsDialogs() override { return furtherLoads; }
  strevo::PortalChoice MainPortal() const override {
    return {strevo::SystemType::TwoHingedFrame, 6, 15, {"HE 300 A", 0}, {"IPE 450", 0}};
  }
  strevo::LoadCase MainLoads() const override { return {4, 0, 0, 0, 0}; }
  void ApplyPortal(const strevo::PortalChoice&) override {}
  const strevo::DesignResult& TakeDesign(strevo::DesignResult result) override {
    last = std::move(result);
    return last;
  }
  void DesignWindowClosed() override {}

  SilentMessages silent;
  strevo::CommandGuard guard{silent};
  OneFile files;
  strevo::QtFurtherLoadsService furtherLoads{silent};
  strevo::DesignResult last;
};

// The hall with 2000 permanent load cases, opened in the shown window: read, filled, laid out
// and painted. Its computation runs on another thread and is cancelled outside the timing.
void BM_OpenDesignOf2000Cases(benchmark::State& state) {
  strevo::Design design;
  design.system = strevo::SystemType::TwoHingedFrame;
  design.h = 6;
  design.L = 15;
  design.columns.section = "HE 300 A";
  design.beam.section = "IPE 450";
  for (int i = 0; i < 2000; ++i) {
    strevo::DesignCase c;
    c.name = "Ausbaulast " + std::to_string(i + 1);
    c.loads.q = 0.01 * (i + 1);
    design.loadCases.push_back(c);
  }
  QTemporaryDir dir;
  BenchDesignHost host;
  host.files.name = dir.filePath(QStringLiteral("viele.strevo"));
  QFile file(host.files.name);
  if (!file.open(QIODevice::WriteOnly)) {
    state.SkipWithError("no temporary file");
    return;
  }
  file.write(strevo::WriteDesign(design).c_str());
  file.close();
  strevo::DesignWindow window(host);
  window.Form_Load();
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    window.mnuOeffnen_Click();
    QApplication::processEvents();
    state.PauseTiming();
    window.Abbrechen_Click();
    window.Form_Load();  // back to one case, so that every round opens the same
    window.Abbrechen_Click();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenDesignOf2000Cases)->Unit(benchmark::kMillisecond);

}  // namespace
