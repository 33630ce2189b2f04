// The last computation and what leaves the program from it, driven through the results
// window's right-click commands and keys: list window, clipboard, CSV, picture, PDF report.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include <gtest/gtest.h>

#include "core/base/text_rules.h"
#include "core/text/rechenweg.h"
#include "core/text/result_list.h"
#include "recording_messages.h"
#include "report/picture_painter.h"
#include "scripted_file_dialogs.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/results/picture_box.h"
#include "windows/results/rechenweg_view.h"
#include "windows/sections/form4.h"
#include "windows/ui/file_dialog_service.h"

namespace strevo {
namespace {

// Answers the next file dialog as a user does: goes to `folder`, types `name`, picks the type
// `filter` (from 0) in the dialog's list of types with the mouse, and presses Enter in the name
// field.
void AnswerFileDialog(const QString& folder, const QString& name, int filter) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, folder, name, filter] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      return;
    }
    poll->stop();
    poll->deleteLater();
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(edit, nullptr) << "Qt's own dialog";
    ASSERT_NE(types, nullptr);
    dialog->setDirectory(folder);
    QTest::keyClicks(edit, name);
    types->showPopup();
    QAbstractItemView* list = types->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(filter, 0)).center());
    EXPECT_EQ(types->currentIndex(), filter);
    QTest::keyClick(edit, Qt::Key_Return);
  });
  poll->start();
}

class ResultExportsTest : public ::testing::Test {
 protected:
  ResultExportsTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~ResultExportsTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  Form1& form() { return app.MainWindow(); }
  Form2& results() { return app.ResultsWindow(); }
  void Type(int field, const QString& text) {
    QLineEdit* edit = form().Text1(field);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Compute() { form().mnuschnittgroessen_Click(); }
  // Window shortcuts reach only the active window.
  static void Activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QString Saved(const QString& name) {
    QString path = dir.filePath(name);
    fileDialogs.names.push_back(path);
    return path;
  }
  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

TEST_F(ResultExportsTest, SnapshotKeptAfterSuccessUnchangedAfterAFaultAndFlaggedAfterAnEdit) {
  EXPECT_EQ(app.LastComputation(), nullptr);
  Compute();
  ASSERT_NE(app.LastComputation(), nullptr);
  EXPECT_EQ(app.LastComputation()->Snapshot().system, SystemType::TwoHingedFrame);
  EXPECT_DOUBLE_EQ(app.LastComputation()->Snapshot().results.k, 1.2);
  EXPECT_FALSE(app.InputsChangedSinceComputation());

  Type(8, "0");  // I1 = 0: the computation fails
  Compute();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_DOUBLE_EQ(app.LastComputation()->Snapshot().inputs.I1, 1)
      << "the failed run left the snapshot";
  EXPECT_DOUBLE_EQ(app.LastComputation()->Snapshot().results.k, 1.2);
  EXPECT_TRUE(app.InputsChangedSinceComputation());
  Type(8, "1.00");
  EXPECT_FALSE(app.InputsChangedSinceComputation()) << "the same values again";
  QTest::mouseClick(form().Option1(2), Qt::LeftButton);
  EXPECT_TRUE(app.InputsChangedSinceComputation()) << "another system";
  form().mnudrucken_Click();
  EXPECT_EQ(app.LastComputation()->Snapshot().system, SystemType::FixedFrame)
      << "\"Drucken\" computes too";
  EXPECT_FALSE(app.InputsChangedSinceComputation());
}

TEST_F(ResultExportsTest, ListWindowOpensWithF4FollowsComputationsAndUnloadsOnClose) {
  form().mnuschnittgroessen_Click();
  app.ResultsWindow().hide();
  Type(8, "0");
  Compute();  // fails: still the first snapshot
  Activate(results());
  QTest::keyClick(&results(), Qt::Key_F4);
  ASSERT_TRUE(app.IsResultListLoaded());
  ResultListWindow& list = app.ResultList();
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(list.windowTitle(), "Ergebnisliste");
  EXPECT_EQ(list.Notice()->text(), "Eingaben seit der letzten Berechnung geändert");
  ASSERT_EQ(list.Table()->rowCount(), 12 + 18 + 3);
  EXPECT_EQ(list.Table()->item(0, 1)->text(), "Zweigelenk Strevo");
  EXPECT_EQ(list.Table()->item(9, 1)->text(), "1.00") << "I1 as computed, not as typed";
  EXPECT_EQ(list.Table()->item(12, 0)->text(), "AH");
  EXPECT_EQ(list.Table()->item(12, 1)->text(), "0.58");
  EXPECT_EQ(list.Table()->item(12, 2)->text(), "kN");
  EXPECT_EQ(list.Table()->item(12, 3)->toolTip(),
            "Horizontalkraft im Lager A, positiv nach rechts");
  EXPECT_TRUE(list.DeformationNote()->text().endsWith(QString::fromUtf8(kLargeDeformationHint)))
      << "w of the defaults is metres";

  Type(8, "2");
  QTest::mouseClick(form().Option1(2), Qt::LeftButton);
  Compute();
  EXPECT_TRUE(list.Notice()->isHidden());
  EXPECT_EQ(list.Table()->rowCount(), 12 + 20 + 3) << "the fixed frame's lines";
  EXPECT_EQ(list.Table()->item(9, 1)->text(), "2.00");
  Type(0, "1");
  EXPECT_FALSE(list.Notice()->isHidden()) << "an edit is noticed at once";

  list.close();
  EXPECT_FALSE(app.IsResultListLoaded());
}

// Esc and Ctrl+W close the list as its title bar does; Tab leaves the table.
TEST_F(ResultExportsTest, ListWindowClosesWithEscAndCtrlWAndTabLeavesTheTable) {
  form().mnuschnittgroessen_Click();
  for (const QKeyCombination key :
       {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
    results().mnuErgebnisliste_Click();
    ASSERT_TRUE(app.IsResultListLoaded());
    ResultListWindow& list = app.ResultList();
    Activate(list);
    list.Table()->setFocus();
    QTest::keyClick(list.Table(), Qt::Key_Tab);
    EXPECT_FALSE(list.Table()->hasFocus());
    QTest::keyClick(&list, key.key(), key.keyboardModifiers());
    EXPECT_FALSE(app.IsResultListLoaded()) << key.toCombined();
  }
}

TEST_F(ResultExportsTest, RechenwegTabShowsTheWorkingAndCopiesIt) {
  Compute();
  results().mnuErgebnisliste_Click();
  ResultListWindow& list = app.ResultList();
  Activate(list);
  list.ShowRechenweg();
  const std::vector<RechenwegStep> steps = BuildRechenweg(app.LastComputation()->Snapshot());
  ASSERT_EQ(list.Rechenweg()->Steps().size(), steps.size());
  EXPECT_EQ(list.Rechenweg()->Steps().front().symbols, "k = I2 · h / (I1 · L)");
  EXPECT_EQ(list.Rechenweg()->Blocks().size(), steps.size()) << "every step typeset";
  QApplication::clipboard()->clear();
  QTest::keyClick(list.Rechenweg(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), RechenwegText(steps));
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
      "k = I2 · h / (I1 · L)\nk = 1,5 · 4 / (1 · 5)\nk = 1,2\n"));
}

TEST_F(ResultExportsTest, ListWindowBeforeAnyComputation) {
  results().mnuErgebnisliste_Click();
  EXPECT_EQ(app.ResultList().Notice()->text(), "Noch keine Berechnung");
  EXPECT_EQ(app.ResultList().Table()->rowCount(), 0);
  EXPECT_FALSE(app.ResultList().Grade()->isEnabled()) << "no section, nothing to grade";
  results().mnuKopieren_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("Noch keine Berechnung"));
}

TEST_F(ResultExportsTest, CtrlCCopiesTheListAsTextAndHtml) {
  QTest::mouseClick(form().Option1(0), Qt::LeftButton);
  Compute();
  QApplication::clipboard()->clear();
  Activate(results());
  QTest::keyClick(&results(), Qt::Key_C, Qt::ControlModifier);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text().toStdString(),
            ResultListText(ResultListRows(app.LastComputation()->Snapshot())));
  EXPECT_TRUE(
      data->text().startsWith("System: Geknickter Träger\nwD\t0,00\tkN/m\t"
                              "Gleichlast auf der linken Stütze, positiv nach rechts\n"));
  // Pasted as text into a German spreadsheet, each value reads back as the list's number.
  const QLocale german(QLocale::German);
  const std::vector<ListRow> rows = ResultListRows(app.LastComputation()->Snapshot());
  const QStringList lines = data->text().split(QLatin1Char('\n'));
  for (std::size_t i = 1; i < rows.size(); ++i) {
    bool number = false;
    const double pasted = german.toDouble(lines[static_cast<int>(i)].section('\t', 1, 1), &number);
    EXPECT_TRUE(number) << lines[static_cast<int>(i)].toStdString();
    EXPECT_DOUBLE_EQ(pasted, std::stod(rows[i].value)) << rows[i].symbol;
  }
  EXPECT_TRUE(data->hasHtml());
  EXPECT_TRUE(
      data->html().contains("<td sdval=\"5.00\" sdnum=\"1031;0;0,00\" x:num=\"5.00\" "
                            "style=\"mso-number-format:'0\\.00'\">5,00</td>"));

  results().mnuErgebnisliste_Click();
  Activate(app.ResultList());
  QTableWidget* table = app.ResultList().Table();
  QApplication::clipboard()->clear();
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            ResultListText(ResultListRows(app.LastComputation()->Snapshot())))
      << "nothing selected: the whole list";
  table->setRangeSelected(QTableWidgetSelectionRange(12, 0, 13, 2), true);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "AH\t0,00\tkN\nAV\t5,00\tkN\n")
      << "selected cells: decimal commas as in the whole list";
}

TEST_F(ResultExportsTest, CsvIsWrittenReadBackAndReplacedWhole) {
  Compute();
  const QString path = Saved("ergebnisse.csv");
  results().mnuErgebnisseSpeichern_Click();
  ASSERT_EQ(fileDialogs.uses.size(), 1u);
  EXPECT_EQ(fileDialogs.uses[0].settings.title, "Ergebnisse speichern");
  EXPECT_EQ(fileDialogs.uses[0].settings.flags & kOverwritePrompt, kOverwritePrompt);
  const QByteArray csv = Contents(path);
  EXPECT_EQ(csv.toStdString(), ResultListCsv(ResultListRows(app.LastComputation()->Snapshot())));
  EXPECT_TRUE(csv.contains("AH;0,58;kN;Horizontalkraft im Lager A, positiv nach rechts\r\n"));

  fileDialogs.names.push_back(dir.filePath("ohne_endung"));
  results().mnuErgebnisseSpeichern_Click();
  EXPECT_TRUE(QFile::exists(dir.filePath("ohne_endung.csv")));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultExportsTest, ASaveThatFailsNamesTheFile) {
  Compute();
  const QString blocked = dir.filePath("fehlt/ergebnisse.csv");  // no such folder
  fileDialogs.names.push_back(blocked);
  results().mnuErgebnisseSpeichern_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith(
      QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden").arg(blocked)))
      << messages.shown[0].text.toStdString();

  EXPECT_FALSE(QFile::exists(blocked));
}

TEST_F(ResultExportsTest, PictureAsPngAtTwiceTheSizeAndAsSvgWithItsLabels) {
  Compute();
  results().show();
  const QString png = Saved("bild.png");
  results().mnuBildSpeichern_Click();
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), results().Picture1()->size() * 2);
  const QColor background = image.pixelColor(image.width() / 2, 20);
  EXPECT_EQ(background, QColor(192, 192, 255)) << "the picture's own background";

  const QString svg = Saved("bild.svg");
  results().mnuBildSpeichern_Click();
  const QByteArray vector = Contents(svg);
  EXPECT_TRUE(vector.contains("<svg"));
  EXPECT_TRUE(vector.contains("AH = 0.58 kN")) << "the value labels are text";
  // The label's text as large as on screen, in a family that exists.
  const QList<QLabel*> labels = results().findChildren<QLabel*>();
  const auto label = std::find_if(labels.begin(), labels.end(),
                                  [](const QLabel* l) { return l->text() == "AH = 0.58 kN"; });
  ASSERT_NE(label, labels.end());
  const QString svgText = QString::fromUtf8(vector);
  const qsizetype end = svgText.indexOf(QStringLiteral(">AH = 0.58 kN</text>"));
  const QString element = svgText.mid(svgText.lastIndexOf(QStringLiteral("<text"), end));
  const QRegularExpressionMatch size =
      QRegularExpression(QStringLiteral("font-size=\"([0-9.]+)\"")).match(element);
  const QRegularExpressionMatch families =
      QRegularExpression(QStringLiteral("font-family=\"([^\"]*)\"")).match(element);
  ASSERT_TRUE(size.hasMatch() && families.hasMatch()) << element.left(300).toStdString();
  const double screenPixels = QFontInfo((*label)->font()).pixelSize();
  EXPECT_NEAR(size.captured(1).toDouble(), screenPixels, 0.05 * screenPixels);
  const QString first =
      families.captured(1).section(QLatin1Char(','), 0, 0).remove(QLatin1Char('\''));
  EXPECT_TRUE(QFontDatabase::families().contains(first)) << first.toStdString();
  EXPECT_EQ(first, QFontInfo((*label)->font()).family());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultExportsTest, ReportHoldsTheSystemInputsResultsAndPictures) {
  Type(0, "1");
  Type(6, "0.5");
  Type(7, "10");
  Compute();
  Type(1, "3");  // changed after the computation: the report says so and keeps the old q
  const QString pdf = Saved("bericht.pdf");
  Activate(results());
  QTest::keyClick(&results(), Qt::Key_R, Qt::ControlModifier);
  ASSERT_TRUE(messages.shown.empty());
  const QByteArray bytes = Contents(pdf);
  ASSERT_TRUE(bytes.startsWith("%PDF"));

  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  for (const char* expected :
       {"Strevoberechnung", "System: Zweigelenk Strevo", "Eingaben seit der letzten Berechnung",
        "Momente", "Querkräfte", "Normalkräfte", "Biegelinie", "Seite 2 von ", "Strevo 1.0.0",
        "Anhang: Rechenweg", "Flächenträgheitsmomente", "Querschnittsauswahl"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
  }
  // Each input and result in its table row: symbol, value with a decimal comma and unit, and
  // what it is (the old q, typed before the change).
  const std::vector<ListRow> rows = ResultListRows(app.LastComputation()->Snapshot());
  ASSERT_EQ(rows.size(), 12u + 18u + 3u);
  EXPECT_EQ(rows[2].symbol + rows[2].value, "q2.00");
  const QString flat = text.simplified();
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::string value = rows[i].value;
    std::replace(value.begin(), value.end(), '.', ',');
    const std::string row =
        rows[i].symbol + " " + value + (rows[i].unit.empty() ? "" : " " + rows[i].unit);
    EXPECT_TRUE(flat.contains(QString::fromStdString(row))) << row;
  }
}

TEST_F(ResultExportsTest, DeflectedShapeIsDrawnOverThePictureAndSystemClearsIt) {
  Type(7, "10");
  Compute();
  Activate(results());
  PictureBox& picture = *results().Picture1();
  const auto magenta = [&] {
    const std::vector<RecordedStroke>& strokes = picture.Recording().Strokes();
    return std::count_if(strokes.begin(), strokes.end(), [](const RecordedStroke& stroke) {
      return PaletteColour(stroke.colour) == QColor(255, 0, 255) && stroke.width == 2;
    });
  };
  EXPECT_EQ(magenta(), 0);
  QTest::keyClick(&results(), Qt::Key_D, Qt::ControlModifier);
  ASSERT_TRUE(messages.shown.empty());
  EXPECT_GE(magenta(), 72);
  const Deformation& d = *app.LastComputation()->Snapshot().deformation;
  EXPECT_EQ(picture.Label3(24)->text().toStdString(), "u = " + FormatFixed2(d.u) + " mm");
  EXPECT_EQ(picture.Label3(25)->text().toStdString(), "w = " + FormatFixed2(d.w) + " mm");
  // I1 and I2 of the defaults taken as cm4: the material label gives way to the hint.
  EXPECT_EQ(picture.Label3(26)->text(),
            "Stahl; I1, I2 in cm4 gerechnet – Profile: Querschnittsauswahl");
  for (int i = 24; i <= 26; ++i) {
    EXPECT_FALSE(picture.Label3(i)->isHidden()) << i;
  }
  results().Command5_Click();  // a diagram draws over it
  EXPECT_GE(magenta(), 72);
  QTest::mouseClick(results().Command(4), Qt::LeftButton);  // "System"
  EXPECT_EQ(magenta(), 0);
  for (int i = 24; i <= 26; ++i) {
    EXPECT_TRUE(picture.Label3(i)->isHidden()) << i;
  }
}

TEST_F(ResultExportsTest, DeformationsThatCannotBeComputedAreSaid) {
  Type(9, "0");  // I2 = 0: the forces stand, the deformations divide by zero
  Compute();
  ASSERT_TRUE(messages.shown.empty());
  results().mnuVerformung_Click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Die Verformungen sind nicht berechenbar: Division durch Null im Feld I2 = 0.");
  results().mnuErgebnisliste_Click();
  EXPECT_EQ(app.ResultList().DeformationNote()->text(),
            "Verformungen nicht berechenbar: Division durch Null im Feld I2 = 0.");
}

TEST_F(ResultExportsTest, TheTooltipReadsTheValuesUnderTheMouse) {
  Compute();
  results().show();
  PictureBox& picture = *results().Picture1();
  const PictureViewport& viewport = picture.Viewport();
  // Defaults: h 4 m, L 5 m, so the beam runs at 700 - 400 = 300 units from 250 to 750.
  const QPoint onBeam = viewport.ToPixels({250 + 2.4 * 100, 301}).toPoint();
  const std::optional<QString> beam = results().PictureReadout(onBeam);
  ASSERT_TRUE(beam.has_value());
  EXPECT_TRUE(beam->startsWith("Riegel, x = 2.4")) << beam->toStdString();
  EXPECT_TRUE(beam->contains("\nw = ")) << beam->toStdString();
  EXPECT_TRUE(beam->contains("E = 210000 N/mm²"));
  const QPoint onColumn = viewport.ToPixels({750, 500}).toPoint();
  // 2 m below the corner is 2 m above B, to a pixel.
  EXPECT_TRUE(results().PictureReadout(onColumn)->contains(
      QRegularExpression(QString::fromUtf8("^rechte Stütze, (1\\.9|2\\.0)\\d m über B\n"))));
  const QPoint inside = viewport.ToPixels({500, 500}).toPoint();
  EXPECT_FALSE(results().PictureReadout(inside).has_value());

  QHelpEvent help(QEvent::ToolTip, onBeam, picture.mapToGlobal(onBeam));
  QCoreApplication::sendEvent(&picture, &help);
  EXPECT_EQ(QToolTip::text(), *beam);
  QHelpEvent away(QEvent::ToolTip, inside, picture.mapToGlobal(inside));
  QCoreApplication::sendEvent(&picture, &away);
  EXPECT_TRUE(QToolTip::text().startsWith("Rechte Maustaste")) << "the picture's own tooltip";
}

TEST_F(ResultExportsTest, ChosenSectionsAreCheckedUntilTheFieldIsTyped) {
  Form4& sections = app.SectionsWindow();
  sections.Combo(2)->setCurrentIndex(0);  // IPE for the beam
  sections.Combo2_Click();
  sections.List(2)->setCurrentRow(12);  // IPE 400
  sections.List(1)->setCurrentRow(4);   // HE-A 180 for the columns
  Compute();
  ASSERT_NE(app.LastComputation(), nullptr);
  EXPECT_EQ(app.LastComputation()->Snapshot().beamSection, "IPE 400");
  EXPECT_EQ(app.LastComputation()->Snapshot().columnSection, "HE-A 180");

  results().mnuErgebnisliste_Click();
  ResultListWindow& list = app.ResultList();
  const auto cell = [&](const QString& symbol, int column) {
    for (int r = 0; r < list.Table()->rowCount(); ++r) {
      if (list.Table()->item(r, 0)->text() == symbol) {
        return list.Table()->item(r, column)->text();
      }
    }
    return QStringLiteral("<keine Zeile>");
  };
  const QString s235 = cell("ηR", 1);
  EXPECT_NE(s235, "<keine Zeile>");
  EXPECT_FALSE(list.findChild<QLabel*>("Nachweishinweis")->isHidden());
  for (const char* control : {"Stahlsorte", "GrenzeU", "GrenzeW"}) {
    EXPECT_TRUE(list.findChild<QWidget*>(control)->isEnabled()) << control;
  }
  list.Grade()->setCurrentIndex(2);  // S355: the check again, no new computation
  EXPECT_EQ(app.CheckSettingsInUse().grade, SteelGrade::S355);
  EXPECT_NEAR(cell("ηR", 1).toDouble(), s235.toDouble() * 235 / 355, 0.006);
  EXPECT_EQ(cell("Stahlsorte", 1), "S355");

  Type(8, "2000");  // I1 no longer the section's value
  Compute();
  EXPECT_EQ(app.LastComputation()->Snapshot().columnSection, "");
  EXPECT_EQ(app.LastComputation()->Snapshot().beamSection, "IPE 400");
  EXPECT_EQ(cell("Profil S", 1), "kein Profil gewählt");
  EXPECT_TRUE(list.Grade()->isEnabled()) << "the beam is still checked";
  Type(9, "3000");  // neither member's section any more
  Compute();
  for (const char* control : {"Stahlsorte", "GrenzeU", "GrenzeW"}) {
    EXPECT_FALSE(list.findChild<QWidget*>(control)->isEnabled()) << control;
  }
}

TEST_F(ResultExportsTest, PictureTooltipNamesTheRightClickMenu) {
  EXPECT_TRUE(results().Picture1()->toolTip().startsWith("Rechte Maustaste"));
  EXPECT_EQ(results().Picture1()->contextMenuPolicy(), Qt::ActionsContextMenu);
  EXPECT_EQ(results().contextMenuPolicy(), Qt::ActionsContextMenu);
  QStringList captions;
  for (QAction* action : results().Picture1()->actions()) {
    captions << action->text() + " " + action->shortcut().toString();
  }
  EXPECT_EQ(captions.join("|"),
            QString::fromUtf8("Ergebnisliste F4|Kopieren Ctrl+C|Ergebnisse speichern… Ctrl+S|"
                              "Bild speichern… Ctrl+B|Bericht speichern… Ctrl+R|Verformung Ctrl+D|"
                              "Bemessung… F5"));
}

// "Bild speichern…" through Qt's own dialog: a name typed without a type, SVG chosen.
TEST_F(ResultExportsTest, PictureDialogWritesTheTypeChosenInIt) {
  QtFileDialogService qtDialogs;
  StrevoApp withDialogs(messages, qtDialogs);
  withDialogs.SetProgramDirectory(STREVO_DATA_DIR);
  withDialogs.Start();
  withDialogs.MainWindow().mnuschnittgroessen_Click();
  Form2& window = withDialogs.ResultsWindow();
  window.show();
  AnswerFileDialog(dir.path(), "bild", 1);
  window.mnuBildSpeichern_Click();
  EXPECT_TRUE(Contents(dir.filePath("bild.svg")).contains("<svg"));
  EXPECT_FALSE(QFile::exists(dir.filePath("bild")));
  EXPECT_FALSE(QFile::exists(dir.filePath("bild.png")));
  // The next time the dialog offers SVG again, and PNG can be chosen back.
  AnswerFileDialog(dir.path(), "zweites", 0);
  window.mnuBildSpeichern_Click();
  EXPECT_FALSE(QImage(dir.filePath("zweites.png")).isNull());
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace strevo
