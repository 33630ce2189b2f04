// Writes the program picture as the desktop icons at build time: PNGs at 48, 128 and 256
// pixels and a scalable SVG, into the folder given.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include "windows/about/program_picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const int side : {48, 128, 256}) {
    if (!strevo::ProgramPicture(QSize(side, side))
             .save(folder.filePath(QStringLiteral("strevo-%1.png").arg(side)))) {
      return 1;
    }
  }
  QSvgGenerator svg;
  svg.setFileName(folder.filePath(QStringLiteral("strevo.svg")));
  svg.setSize(QSize(100, 100));
  svg.setViewBox(QRect(0, 0, 100, 100));
  svg.setTitle(QStringLiteral("Strevo"));
  QPainter painter(&svg);
  strevo::PaintProgramPicture(painter, 100);
  return painter.end() ? 0 : 1;
}
