// Writes the program picture as the desktop icon at build time.
#include <QGuiApplication>

#include "program_picture.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    return 2;
  }
  QGuiApplication application(argc, argv);
  return strevo::ProgramPicture(QSize(128, 128)).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
