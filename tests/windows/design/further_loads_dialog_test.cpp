// The further loads dialog driven without its event loop: rows added and removed, a cell that is no
// number refused on OK, OK and Abbrechen.
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "recording_messages.h"
#include "windows/design/further_loads_dialog.h"

namespace strevo {
namespace {

class FurtherLoadsDialogTest : public ::testing::Test {
 protected:
  QTableWidget& Partial() { return *dialog.Partial(); }
  QTableWidget& Points() { return *dialog.Points(); }
  static QString Cell(QTableWidget& table, int row, int column) {
    return table.item(row, column)->text();
  }
  static void Type(QTableWidget& table, int row, int column, const QString& text) {
    table.item(row, column)->setText(text);
  }
  void Click(const char* name) {
    QPushButton* button = dialog.Button(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  testing::RecordingMessages messages;
  const FurtherLoads given{{{-2.9, 0, 1.2}, {-1.7, 1.2, 6}}, {{3, 12}}};
  FurtherLoadsDialog dialog{QStringLiteral("Wind"), given, messages};
};

TEST_F(FurtherLoadsDialogTest, RowsAreAddedAndRemovedAndOkTakesTheTables) {
  EXPECT_EQ(dialog.windowTitle(), "Weitere Lasten – Wind");
  ASSERT_EQ(Partial().rowCount(), 2);
  EXPECT_EQ(Cell(Partial(), 1, 1), "1.2") << "the case's loads, shortest text";
  ASSERT_EQ(Points().rowCount(), 1);
  EXPECT_EQ(Cell(Points(), 0, 0), "12");
  EXPECT_EQ(Cell(Points(), 0, 1), "3");
  Click("TeillastHinzufuegen");
  ASSERT_EQ(Partial().rowCount(), 3);
  EXPECT_EQ(Partial().currentRow(), 2) << "the new row is the current one";
  EXPECT_EQ(Cell(Partial(), 2, 0), "");
  Type(Partial(), 2, 0, QStringLiteral("0,75"));  // a decimal comma reads as a point
  Type(Partial(), 2, 1, QStringLiteral("6"));
  Type(Partial(), 2, 2, QStringLiteral("15"));
  Partial().setCurrentCell(0, 1);
  Click("TeillastEntfernen");
  ASSERT_EQ(Partial().rowCount(), 2);
  EXPECT_EQ(Cell(Partial(), 0, 0), "-1.7") << "the current row went";
  EXPECT_EQ(Partial().currentRow(), 0);

  Points().setCurrentCell(0, 0);
  Click("EinzellastEntfernen");
  EXPECT_EQ(Points().rowCount(), 0);
  Click("EinzellastEntfernen");  // none left: nothing happens
  EXPECT_EQ(Points().rowCount(), 0);
  Click("EinzellastHinzufuegen");
  Type(Points(), 0, 0, QStringLiteral(" 8 "));
  Click("EinzellastHinzufuegen");  // left empty: 0, as an empty cell of the case table
  Type(Points(), 1, 1, QStringLiteral("2.5"));

  Click("OK");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const FurtherLoads expected{{{-1.7, 1.2, 6}, {0.75, 6, 15}}, {{0, 8}, {2.5, 0}}};
  EXPECT_EQ(dialog.Loads(), expected);
}

TEST_F(FurtherLoadsDialogTest, OkRefusesACellThatIsNoNumberAndSaysWhere) {
  Type(Partial(), 1, 1, QStringLiteral("1.2 m"));
  Type(Points(), 0, 1, QStringLiteral("drei"));
  dialog.setResult(-1);
  Click("OK");
  ASSERT_EQ(messages.shown.size(), 1u) << "the first one, then the next OK the next";
  EXPECT_EQ(messages.shown[0].text, "„von“ (Teillast 2): „1.2 m“ ist keine Zahl.");
  EXPECT_EQ(messages.shown[0].title, "Weitere Lasten");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(dialog.result(), -1) << "still open";
  EXPECT_EQ(Partial().currentRow(), 1);
  EXPECT_EQ(Partial().currentColumn(), 1);
  EXPECT_EQ(dialog.Loads(), given);

  Type(Partial(), 1, 1, QStringLiteral("1,5"));
  Click("OK");
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "„a“ (Einzellast 1): „drei“ ist keine Zahl.");
  EXPECT_EQ(dialog.result(), -1);
  EXPECT_EQ(Points().currentColumn(), 1);

  Type(Points(), 0, 1, QStringLiteral("3"));
  Click("OK");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Loads().partial[1], (PartialBeamLoad{-1.7, 1.5, 6}));
}

TEST_F(FurtherLoadsDialogTest, AbbrechenKeepsTheLoadsAsGiven) {
  Click("TeillastHinzufuegen");
  Type(Partial(), 2, 0, QStringLiteral("x"));
  Click("Abbrechen");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(messages.shown.empty()) << "nothing is read";
  EXPECT_EQ(dialog.Loads(), given);
}

}  // namespace
}  // namespace strevo
