// The list window against a scripted host: the typeset Rechenweg, chosen steps copied as text,
// laid out anew to its width, and a window that fits a small screen without cutting the list.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include <gtest/gtest.h>

#include "core/analysis/computation.h"
#include "recording_messages.h"
#include "test_inputs.h"
#include "windows/results/rechenweg_view.h"
#include "windows/results/result_list_window.h"

namespace strevo {
namespace {

class FakeListHost : public ResultListHost {
 public:
  CommandGuard& Guard() override { return guard; }
  void ResultListClosed() override {}
  CheckSettings CheckSettingsInUse() const override { return settings; }
  void UseCheckSettings(const CheckSettings& s) override { settings = s; }

  testing::RecordingMessages messages;
  CommandGuard guard{messages};
  CheckSettings settings;
};

TakenComputation AllLoadsTaken() {
  SharedResults shared;
  return {Compute(testing::AllLoads(), SystemType::FixedFrame, shared), CheckSettings{}};
}

class ResultListWindowTest : public ::testing::Test {
 protected:
  ResultListWindowTest() : window(host) {
    window.ShowComputation(&taken, false);
    window.ShowRechenweg();
    window.resize(640, 600);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  RechenwegView& View() { return *window.Rechenweg(); }
  // A click on the step's first line, scrolled into view.
  void Click(int step, Qt::KeyboardModifiers modifiers = {}) {
    View().verticalScrollBar()->setValue(static_cast<int>(View().Top(step)) - 20);
    const int y = static_cast<int>(View().Top(step)) - View().verticalScrollBar()->value() + 4;
    QTest::mouseClick(View().viewport(), Qt::LeftButton, modifiers, QPoint(30, y));
  }
  std::string Copied() {
    QApplication::clipboard()->clear();
    QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
    return QApplication::clipboard()->text().toStdString();
  }
  std::string TextOf(std::initializer_list<int> steps) {
    std::vector<RechenwegStep> chosen;
    for (const int i : steps) {
      chosen.push_back(taken.Rechenweg()[static_cast<std::size_t>(i)]);
    }
    return RechenwegText(chosen);
  }

  FakeListHost host;
  TakenComputation taken = AllLoadsTaken();
  ResultListWindow window;
};

// Ctrl+C copies every step while none is chosen, else the chosen ones in their order: a click
// chooses one, Ctrl+click adds or removes one, Shift+click the run from the last click.
TEST_F(ResultListWindowTest, CtrlCCopiesTheChosenStepsOrAll) {
  ASSERT_EQ(View().Steps().size(), taken.Rechenweg().size());
  EXPECT_EQ(Copied(), RechenwegText(taken.Rechenweg()));
  Click(3);
  EXPECT_EQ(View().Selected(), std::vector<int>{3});
  EXPECT_EQ(Copied(), TextOf({3}));
  Click(6, Qt::ControlModifier);
  EXPECT_EQ(Copied(), TextOf({3, 6}));
  Click(3, Qt::ControlModifier);
  EXPECT_EQ(Copied(), TextOf({6}));
  Click(5, Qt::ShiftModifier);
  EXPECT_EQ(Copied(), TextOf({3, 4, 5})) << "from the last click, 3, on";
  Click(1);
  EXPECT_EQ(View().Selected(), std::vector<int>{1});
  // Below the last step nothing is chosen, and all is copied again.
  View().verticalScrollBar()->setValue(View().verticalScrollBar()->maximum());
  QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                    QPoint(30, View().viewport()->height() - 2));
  EXPECT_TRUE(View().Selected().empty());
  EXPECT_EQ(Copied(), RechenwegText(taken.Rechenweg()));
}

// A new computation chooses nothing: a stale choice would copy steps of another working.
TEST_F(ResultListWindowTest, ANewComputationClearsTheChoice) {
  Click(2);
  window.ShowComputation(&taken, true);
  EXPECT_TRUE(View().Selected().empty());
}

// Narrower, the steps break into more lines and each stays within the width; the scroll range
// follows the taller working.
TEST_F(ResultListWindowTest, TheStepsAreLaidOutAnewToTheWidth) {
  const auto fits = [&] {
    return std::all_of(View().Blocks().begin(), View().Blocks().end(),
                       [&](const typeset::Block& b) { return b.width <= View().LayoutWidth(); });
  };
  const auto height = [&] {
    double sum = 0;
    for (const typeset::Block& b : View().Blocks()) {
      sum += b.height;
    }
    return sum;
  };
  window.resize(1000, 600);
  QApplication::processEvents();
  EXPECT_TRUE(fits());
  const double wide = height();
  const int range = View().verticalScrollBar()->maximum();
  window.resize(420, 600);
  QApplication::processEvents();
  EXPECT_LT(View().LayoutWidth(), 420);
  EXPECT_TRUE(fits());
  EXPECT_GT(height(), wide) << "long sums broken into more lines";
  EXPECT_GT(View().verticalScrollBar()->maximum(), range);
}

// Tab leaves the view; the arrows and the page keys scroll it.
TEST_F(ResultListWindowTest, KeysScrollTheViewAndTabLeavesIt) {
  View().setFocus();
  View().verticalScrollBar()->setValue(0);
  QTest::keyClick(&View(), Qt::Key_PageDown);
  const int page = View().verticalScrollBar()->value();
  EXPECT_GT(page, 0);
  QTest::keyClick(&View(), Qt::Key_Down);
  EXPECT_GT(View().verticalScrollBar()->value(), page);
  QTest::keyClick(&View(), Qt::Key_Tab);
  EXPECT_FALSE(View().hasFocus());
}

// On a screen with little room (as at a scale factor of 2) the window is no larger than the
// room, and the list's symbol, value and unit columns still show their whole texts.
TEST_F(ResultListWindowTest, TheWindowFitsASmallScreenAndCutsNoValue) {
  const QRect small(0, 0, 700, 500);
  window.FitTo(small);
  EXPECT_LE(window.width(), small.width());
  EXPECT_LE(window.height(), small.height());
  EXPECT_LE(window.maximumHeight(), small.height());
  const QRect roomy(0, 0, 2000, 1400);
  window.FitTo(roomy);
  EXPECT_GE(window.height(), 700) << "where there is room the list shows many rows";
  QTableWidget* table = window.Table();
  ASSERT_GT(table->rowCount(), 20);
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString text = table->item(r, c)->text();
      EXPECT_GT(table->horizontalHeader()->sectionSize(c),
                table->fontMetrics().horizontalAdvance(text))
          << text.toStdString();
    }
  }
  EXPECT_EQ(table->horizontalHeader()->sectionResizeMode(3), QHeaderView::Stretch);
}

TEST_F(ResultListWindowTest, AListOpenedAnewShowsEveryRemarkWhole) {
  ResultListWindow opened(host);
  opened.ShowComputation(&taken, false);
  opened.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&opened));
  QApplication::processEvents();
  QTableWidget* table = opened.Table();
  ASSERT_GT(table->rowCount(), 20);
  EXPECT_LE(opened.width(), opened.screen()->availableGeometry().width());
  for (int r = 0; r < table->rowCount(); ++r) {
    const QString text = table->item(r, 3)->text();
    EXPECT_GT(table->horizontalHeader()->sectionSize(3),
              table->fontMetrics().horizontalAdvance(text))
        << text.toStdString();
  }
}

}  // namespace
}  // namespace strevo
