#include <QApplication>

#include "message_service.h"
#include "strevo_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  strevo::QtMessageService messages;
  strevo::StrevoApp strevo(messages);
  strevo.Start();
  return application.exec();
}
