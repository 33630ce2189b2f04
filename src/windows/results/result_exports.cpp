#include "result_exports.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QRect>
#include <QSvgGenerator>
#include <QWidget>
#include <stdexcept>

#include "save_file.h"

namespace strevo {
namespace {

constexpr int kImageScale = 2;

void Render(QWidget& window, const QRect& area, QPainter& painter) {
  window.render(&painter, QPoint(0, 0), QRegion(area));
}

QMimeData* ResultListMimeData(const std::vector<ListRow>& rows) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(ResultListText(rows)));
  data->setHtml(QString::fromStdString(ResultListHtml(rows)));
  return data;
}

}  // namespace

void CopyResultList(const std::vector<ListRow>& rows) {
  QGuiApplication::clipboard()->setMimeData(ResultListMimeData(rows));
}

void SaveResultCsv(const QString& path, const std::vector<ListRow>& rows) {
  const std::string csv = ResultListCsv(rows);
  SaveFile(path,
           [&](QIODevice& device) { device.write(csv.data(), static_cast<qint64>(csv.size())); });
}

void SavePicture(const QString& path, QWidget& window, const QRect& area) {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    SaveFile(path, [&](QIODevice& device) {
      QSvgGenerator svg;
      svg.setOutputDevice(&device);
      svg.setSize(area.size());
      svg.setViewBox(QRect(QPoint(0, 0), area.size()));
      svg.setTitle(QStringLiteral("Strevo"));
      QPainter painter(&svg);
      Render(window, area, painter);
    });
    return;
  }
  QImage image(area.size() * kImageScale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kImageScale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    Render(window, area, painter);
  }
  SaveFile(path, [&](QIODevice& device) {
    if (!image.save(&device, "PNG")) {
      throw std::runtime_error("Das Bild konnte nicht als PNG geschrieben werden.");
    }
  });
}

void SaveReport(const QString& path, const TakenComputation& taken, const ReportFacts& facts) {
  SaveFile(path, [&](QIODevice& device) { WriteReport(device, taken, facts); });
}

}  // namespace strevo
