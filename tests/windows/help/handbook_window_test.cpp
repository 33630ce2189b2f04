// The handbook window in the program: F1 from every window (a window-modal dialog included)
// shows one handbook; its contents, search and keys; every key the handbook names exists.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <set>

#include <gtest/gtest.h>

#include "core/handbook/handbook.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "windows/app/strevo_app.h"
#include "windows/design/section_search_window.h"
#include "windows/help/handbook_window.h"
#include "windows/results/form2.h"

namespace strevo {
namespace {

QString HandbookSource() {
  QFile file(QStringLiteral(STREVO_HANDBOOK));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return QString::fromUtf8(file.readAll());
}

class HandbookAppTest : public ::testing::Test {
 protected:
  HandbookAppTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
    QApplication::processEvents();
  }
  ~HandbookAppTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // F1 pressed in `window`, the window active as when the user presses it.
  static void PressF1In(QWidget& window, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(&window, Qt::Key_F1, modifiers);
    QApplication::processEvents();
  }
  void ExpectHandbookInFront(HandbookWindow* first) {
    ASSERT_TRUE(app.IsHandbookLoaded());
    EXPECT_EQ(&app.Handbook(), first) << "one handbook only";
    EXPECT_TRUE(app.Handbook().isVisible());
    EXPECT_TRUE(app.Handbook().isActiveWindow());
    app.Handbook().close();
  }

  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(HandbookAppTest, F1InEveryWindowShowsTheOneHandbookInFront) {
  PressF1In(app.MainWindow(), Qt::ShiftModifier);
  EXPECT_FALSE(app.IsHandbookLoaded()) << "Shift+F1 is Qt's own";
  PressF1In(app.MainWindow());
  ASSERT_TRUE(app.IsHandbookLoaded());
  HandbookWindow* handbook = &app.Handbook();
  EXPECT_TRUE(handbook->parentWidget() == nullptr) << "a window of its own";
  ExpectHandbookInFront(handbook);

  app.MainWindow().mnuschnittgroessen_Click();
  PressF1In(app.ResultsWindow());
  ExpectHandbookInFront(handbook);

  app.ShowDesignWindow();
  PressF1In(app.DesignForm());
  ExpectHandbookInFront(handbook);

  // "Querschnitte bemessen" is modal to the design window; the handbook is not held by it.
  app.DesignForm().QuerschnitteBemessen_Click();
  SectionSearchWindow* search = app.DesignForm().SearchWindow();
  ASSERT_NE(search, nullptr);
  ASSERT_TRUE(search->isVisible());
  ASSERT_EQ(search->windowModality(), Qt::WindowModal);
  PressF1In(*search);
  ExpectHandbookInFront(handbook);
  EXPECT_TRUE(search->isVisible());
}

TEST_F(HandbookAppTest, F1WaitsWhileAMessageHoldsTheWholeProgram) {
  QDialog box(&app.MainWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.show();
  PressF1In(box);
  EXPECT_FALSE(app.IsHandbookLoaded());
  box.close();
  PressF1In(app.MainWindow());
  EXPECT_TRUE(app.IsHandbookLoaded());
}

TEST_F(HandbookAppTest, EscAndCtrlWCloseTheHandbookAndF1BringsItBack) {
  for (const QKeyCombination key :
       {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
    PressF1In(app.MainWindow());
    HandbookWindow& handbook = app.Handbook();
    ASSERT_TRUE(handbook.isVisible());
    handbook.Search()->setFocus();
    QTest::keyClick(handbook.Search(), key.key(), key.keyboardModifiers());
    EXPECT_FALSE(handbook.isVisible());
  }
}

// Every key the handbook names (F-keys, Strg+…, Esc) is a shortcut of one of the windows.
TEST_F(HandbookAppTest, EveryKeyTheHandbookNamesExists) {
  app.MainWindow().mnuschnittgroessen_Click();
  app.ShowResultList();
  app.ShowDesignWindow();
  app.ShowHandbook();
  std::set<QString> registered;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    for (const QAction* action : window->findChildren<QAction*>()) {
      for (const QKeySequence& keys : action->shortcuts()) {
        registered.insert(keys.toString(QKeySequence::PortableText));
      }
    }
    for (const QShortcut* shortcut : window->findChildren<QShortcut*>()) {
      registered.insert(shortcut->key().toString(QKeySequence::PortableText));
    }
    // A table that edits on its edit key takes F2, as every Qt table does.
    for (const QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
      if (view->editTriggers().testFlag(QAbstractItemView::EditKeyPressed)) {
        registered.insert(QStringLiteral("F2"));
      }
    }
  }
  static const QRegularExpression kKey(
      QStringLiteral("(?<![\\w+])(F\\d{1,2}|Strg\\+(?:Umschalt\\+)?[A-Z]|Esc)(?![\\w+])"));
  int named = 0;
  for (const QRegularExpressionMatch& match : kKey.globalMatch(HandbookSource())) {
    QString key = match.captured(1);
    if (key == QStringLiteral("F1")) {
      continue;  // the application's filter, tested above
    }
    key.replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"))
        .replace(QStringLiteral("Umschalt"), QStringLiteral("Shift"));
    EXPECT_TRUE(registered.count(key) == 1) << key.toStdString();
    ++named;
  }
  EXPECT_GE(named, 15);
}

class HandbookWindowTest : public ::testing::Test {
 protected:
  HandbookWindowTest() {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
  }
  HandbookWindow window;
};

TEST_F(HandbookWindowTest, TheContentsListEveryHeadingAndAClickScrollsToIt) {
  const std::vector<HandbookHeading> headings =
      HandbookHeadings(ParseHandbook(HandbookSource().toStdString()));
  std::vector<QTreeWidgetItem*> items;
  for (QTreeWidgetItemIterator it(window.Contents()); *it != nullptr; ++it) {
    items.push_back(*it);
  }
  ASSERT_EQ(items.size(), headings.size());
  // No heading is cut: each ends inside the list's visible width (the row starts after its
  // indentation).
  QTreeWidget* list = window.Contents();
  for (QTreeWidgetItem* item : items) {
    list->scrollToItem(item);
    EXPECT_LE(
        list->visualItemRect(item).left() + list->fontMetrics().horizontalAdvance(item->text(0)),
        list->viewport()->width())
        << item->text(0).toStdString();
  }
  QTreeWidgetItem* target = nullptr;
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i]->text(0).toStdString(), headings[i].text);
    if (headings[i].text == "Die Bemessungsdatei") {
      target = items[i];
    }
  }
  ASSERT_NE(target, nullptr);
  const int top = window.Text()->verticalScrollBar()->value();
  QTreeWidget* contents = window.Contents();
  contents->scrollToItem(target);
  QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                    contents->visualItemRect(target).center());
  // The heading's line is now the first in view.
  QTextBlock heading = window.Text()->document()->begin();
  while (heading.isValid() && !(heading.blockFormat().headingLevel() == 2 &&
                                heading.text() == QStringLiteral("Die Bemessungsdatei"))) {
    heading = heading.next();
  }
  ASSERT_TRUE(heading.isValid());
  const QRect line = window.Text()->cursorRect(QTextCursor(heading));
  EXPECT_GT(window.Text()->verticalScrollBar()->value(), top + window.Text()->height());
  EXPECT_LE(std::abs(line.top()), 10) << line.top();
}

TEST_F(HandbookWindowTest, SearchMarksEveryPlaceAndEnterAndF3StepThroughThemInTurn) {
  const QString wanted = QStringLiteral("strevo-cli");
  const int expected =
      static_cast<int>(window.Text()->toPlainText().count(wanted, Qt::CaseInsensitive));
  ASSERT_GT(expected, 3);
  QTest::keyClicks(window.Search(), wanted);
  const QList<QTextEdit::ExtraSelection> marks = window.Text()->extraSelections();
  ASSERT_EQ(marks.size(), expected);
  for (const QTextEdit::ExtraSelection& mark : marks) {
    EXPECT_EQ(mark.cursor.selectedText().compare(wanted, Qt::CaseInsensitive), 0);
  }
  EXPECT_EQ(window.SearchStatus()->text(), QStringLiteral("%1 Stellen").arg(expected));

  // Enter finds the first place, F3 each next one, then the first again.
  QTest::keyClick(window.Search(), Qt::Key_Return);
  EXPECT_EQ(window.Text()->textCursor().position(), marks[0].cursor.position());
  for (int i = 1; i <= expected; ++i) {
    QTest::keyClick(window.Search(), Qt::Key_F3);
    EXPECT_EQ(window.Text()->textCursor().position(), marks[i % expected].cursor.position()) << i;
  }
}

TEST_F(HandbookWindowTest, SearchSaysNichtGefundenAndMovesNothing) {
  QTest::keyClicks(window.Search(), QStringLiteral("Xylophon"));
  EXPECT_EQ(window.SearchStatus()->text(), QStringLiteral("Nicht gefunden"));
  EXPECT_TRUE(window.Text()->extraSelections().isEmpty());
  const int before = window.Text()->textCursor().position();
  QTest::keyClick(window.Search(), Qt::Key_Return);
  EXPECT_EQ(window.SearchStatus()->text(), QStringLiteral("Nicht gefunden"));
  EXPECT_EQ(window.Text()->textCursor().position(), before);
  EXPECT_FALSE(window.Text()->textCursor().hasSelection());
  window.Search()->clear();
  EXPECT_EQ(window.SearchStatus()->text(), QString());
}

}  // namespace
}  // namespace strevo
