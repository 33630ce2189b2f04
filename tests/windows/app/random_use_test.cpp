// Thousands of random user actions on the real windows, with the program's promises checked
// after every one: it is alive, b follows L and a, no command leaves a span of 0, exactly the
// labels of the last drawing are visible, and nothing but fault reports and drawing notes is shown.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <iostream>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"
#include "windows/results/picture_box.h"

namespace strevo {
namespace {

constexpr unsigned kSeed = 20261207;
constexpr int kSteps = 4000;

const char* const kFragments[] = {"",       " ",     "-",      "+",      "0",   "1",   "2.5",
                                  "12",     ".",     "7.",     "e",      "E-3", "1e3", "1e308",
                                  "1e-308", "1e999", "-1e400", "abc",    "x",   ",5",  "0.000",
                                  "99999",  "-0",    "3.75",   "1e-400", "  4", "nan", "inf"};

std::optional<double> Number(const QString& text) {
  try {
    return FieldValue(text.toStdString());
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

class RandomUse : public ::testing::Test {
 protected:
  RandomUse() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~RandomUse() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  QString RandomText() {
    QString text;
    const int parts = std::uniform_int_distribution<int>(0, 3)(random);
    for (int i = 0; i < parts; ++i) {
      text += QString::fromUtf8(kFragments[std::uniform_int_distribution<std::size_t>(
          0, std::size(kFragments) - 1)(random)]);
    }
    return text;
  }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

  std::set<int> VisibleDiagramLabels() {
    std::set<int> visible;
    for (int i = 11; i <= 23; ++i) {
      if (!app.ResultsWindow().Picture1()->Label3(i)->isHidden()) {
        visible.insert(i);
      }
    }
    return visible;
  }

  std::mt19937 random{kSeed};
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

std::set<int> Range(int first, int last) {
  std::set<int> range;
  for (int i = first; i <= last; ++i) {
    range.insert(i);
  }
  return range;
}

TEST_F(RandomUse, TheWindowsKeepTheirPromises) {
  Form1& form = app.MainWindow();
  std::set<int> expectedLabels = Range(11, 23);  // a freshly loaded window's layout state
  int faults = 0, notes = 0, diagrams = 0;
  for (int step = 0; step < kSteps; ++step) {
    const bool wasLoaded = app.IsResultsWindowLoaded();
    const std::size_t shownBefore = messages.shown.size();
    int keys = 1;
    std::optional<std::set<int>> drawn;  // labels the action leaves visible, if it draws
    std::set<int> ownLabels;
    const int action = Pick(12);
    switch (action) {
      case 0:
      case 1:
      case 2: {
        QLineEdit* field = form.Text1(Pick(10));
        const QString text = RandomText();
        if (Pick(3) == 0) {
          field->setText(text);  // pasted in one go
        } else {
          field->selectAll();
          field->del();
          QTest::keyClicks(field, text);
          keys = std::max(1, static_cast<int>(text.size()) + 1);
        }
        break;
      }
      case 3:
        QTest::mouseClick(form.Option1(Pick(3)), Qt::LeftButton);
        break;
      case 4:
        form.mnuneu_Click();
        break;
      case 5:
        form.mnuschnittgroessen_Click();
        drawn = std::set<int>{};
        break;
      case 6:
        form.mnudrucken_Click();
        break;
      case 7: {
        if (!wasLoaded) {
          break;
        }
        const int button = 4 + Pick(4);
        app.ResultsWindow().Command(button)->click();
        const std::set<int> labels[] = {{}, Range(11, 15), Range(20, 23), Range(16, 19)};
        ownLabels = labels[button - 4];
        drawn = std::set<int>{};
        break;
      }
      case 8: {
        Form4& sections = app.SectionsWindow();
        if (Pick(2) == 0) {
          sections.SetColumnFamily(Pick(3));
        }
        QListWidget* list = sections.List(1 + Pick(2));
        if (list->count() > 0) {
          list->setCurrentRow(Pick(list->count()));
        }
        break;
      }
      case 9:
        form.mnuquerschnitte_Click();
        app.SectionsWindow().close();
        break;
      case 10:
        if (wasLoaded) {
          app.ResultsWindow().close();
        }
        break;
      default:
        if (wasLoaded) {
          app.ResultsWindow().Command1_Click();  // OK only hides
        }
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // What was shown: fault reports from the guard and notes of the diagram buttons, no more
    // than one per keystroke.
    const std::size_t shown = messages.shown.size() - shownBefore;
    ASSERT_LE(shown, static_cast<std::size_t>(keys)) << "step " << step;
    bool faulted = false;
    for (std::size_t i = shownBefore; i < messages.shown.size(); ++i) {
      const Message& m = messages.shown[i];
      // A point load off the beam is refused like a fault: nothing is computed or drawn.
      if (m.icon == MessageIcon::Critical &&
          (m.text.startsWith("Laufzeitfehler: ") ||
           m.text == QStringLiteral("Die Einzellast F muss auf dem Riegel stehen: 0 ≤ a ≤ L."))) {
        ++faults;
        faulted = true;
      } else {
        ASSERT_EQ(m.icon, MessageIcon::Information)
            << "step " << step << ": " << m.text.toStdString();
        ASSERT_EQ(action, 7) << "only a diagram button explains itself";
        ++notes;
      }
    }

    if (!wasLoaded && app.IsResultsWindowLoaded()) {
      expectedLabels = Range(11, 23);
    }
    if (drawn) {
      expectedLabels = shown == 0 && !faulted ? ownLabels : std::set<int>{};
      diagrams += expectedLabels.empty() ? 0 : 1;
    }
    if (app.IsResultsWindowLoaded()) {
      ASSERT_EQ(VisibleDiagramLabels(), expectedLabels) << "step " << step << " action " << action;
    }

    const std::optional<double> L = Number(form.Text1(5)->text());
    const std::optional<double> a = Number(form.Text1(3)->text());
    if (action == 5 || action == 6) {
      ASSERT_TRUE(!L || *L != 0) << "step " << step << ": a command left a span of 0";
    }
    const TakenComputation* last = app.LastComputation();
    ASSERT_TRUE(last == nullptr || last->Snapshot().inputs.L != 0)
        << "step " << step << ": computed L = 0";
    if (L && a && std::isfinite(*L - *a)) {
      ASSERT_EQ(form.Text1(4)->text().toStdString(), FormatFixed2(*L - *a)) << "step " << step;
    }
    ASSERT_TRUE(form.isVisible());
  }
  std::cout << "random use: " << kSteps << " steps, " << faults << " faults reported, " << notes
            << " drawing notes, " << diagrams << " diagrams drawn (seed " << kSeed << ")\n";
  RecordProperty("faults", faults);
  EXPECT_GT(faults, 0) << "the random inputs reach the fault paths";
}

}  // namespace
}  // namespace strevo
