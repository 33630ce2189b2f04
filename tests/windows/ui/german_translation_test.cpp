// Qt's own texts in German: dialog buttons and the input fields' context menu.
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <memory>

#include <gtest/gtest.h>

#include "windows/ui/german_translation.h"

namespace strevo {
namespace {

TEST(GermanTranslation, ButtonsAndContextMenusSpeakGerman) {
  QTranslator* translator = InstallGermanTranslation(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr) << "qtbase_de.qm (qt6-translations-l10n) was not found";

  QMessageBox question;
  question.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(question.button(QMessageBox::Cancel)->text(), "Abbrechen");
  EXPECT_EQ(question.button(QMessageBox::Ok)->text(), "OK")
      << "the button keeps its German caption";

  QLineEdit edit;
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList captions;
  for (const QAction* action : menu->actions()) {
    captions << action->text().remove('&').split('\t').first();
  }
  for (const char* german : {"Rückgängig", "Wiederherstellen", "Ausschneiden", "Kopieren",
                             "Einfügen", "Löschen", "Alles auswählen"}) {
    EXPECT_TRUE(captions.contains(QString::fromUtf8(german)))
        << german << " in " << captions.join('|').toStdString();
  }
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace
}  // namespace strevo
