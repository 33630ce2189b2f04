#include "windows/results/result_exports.h"

#include <QBuffer>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QRect>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QWidget>
#include <stdexcept>

#include "report/save_file.h"

namespace strevo {
namespace {

constexpr int kImageScale = 2;

void Render(QWidget& window, const QRect& area, QPainter& painter) {
  window.render(&painter, QPoint(0, 0), QRegion(area));
}

void Copy(const std::string& text, const std::string& html) {
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(text));
  data->setHtml(QString::fromStdString(html));
  QGuiApplication::clipboard()->setMimeData(data);
}

// The generator names the family a font asks for ("MS Sans Serif"), which a viewer may not
// have; the family the window really draws with, and a generic one after it, show the same.
QByteArray WithResolvedFamilies(const QByteArray& svg, const QWidget& window) {
  QHash<QString, QString> resolved;
  QList<const QWidget*> widgets = {&window};
  for (const QWidget* child : window.findChildren<QWidget*>()) {
    widgets << child;
  }
  for (const QWidget* widget : widgets) {
    resolved.insert(widget->font().family(), QFontInfo(widget->font()).family());
  }
  static const QRegularExpression kFamily(QStringLiteral("font-family=\"([^\"]*)\""));
  const QString text = QString::fromUtf8(svg);
  QString out;
  qsizetype from = 0;
  for (const QRegularExpressionMatch& match : kFamily.globalMatch(text)) {
    const QString asked = match.captured(1);
    const QString family = resolved.value(asked, QFontInfo(QFont(asked)).family());
    out += QStringView(text).mid(from, match.capturedStart() - from);
    out += QStringLiteral("font-family=\"'%1', sans-serif\"").arg(family.toHtmlEscaped());
    from = match.capturedEnd();
  }
  out += QStringView(text).mid(from);
  return out.toUtf8();
}

}  // namespace

void CopyResultList(const std::vector<ListRow>& rows) {
  Copy(ResultListText(rows), ResultListHtml(rows));
}

void CopyListCells(const std::vector<ListRow>& rows, const std::vector<ListCell>& cells) {
  Copy(ListCellsText(rows, cells), ListCellsHtml(rows, cells));
}

void SaveResultCsv(const QString& path, const std::vector<ListRow>& rows) {
  const std::string csv = ResultListCsv(rows);
  SaveFile(path,
           [&](QIODevice& device) { device.write(csv.data(), static_cast<qint64>(csv.size())); });
}

void SavePicture(const QString& path, QWidget& window, const QRect& area) {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    {
      QSvgGenerator svg;
      svg.setOutputDevice(&drawing);
      // Fonts in points become user units at this resolution: the window's, as on screen.
      svg.setResolution(window.logicalDpiY());
      svg.setSize(area.size());
      svg.setViewBox(QRect(QPoint(0, 0), area.size()));
      svg.setTitle(QStringLiteral("Strevo"));
      QPainter painter(&svg);
      Render(window, area, painter);
    }
    const QByteArray text = WithResolvedFamilies(drawing.data(), window);
    SaveFile(path, [&](QIODevice& device) { WriteAll(device, text, path); });
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
