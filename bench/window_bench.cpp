// The windows: the main window's start-up sequence, and a whole "&Schnittgrößen" command
// including painting the picture into an offscreen image.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/results/picture_box.h"
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

}  // namespace
