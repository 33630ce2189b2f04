// The handbook window: the contents on the left, the text on the right, and a search field. F1
// opens it from every window of the program, through one filter on the application.
#pragma once

#include <QWidget>
#include <functional>

class QEvent;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace strevo {

struct Handbook;

class HandbookWindow : public QWidget {
  Q_OBJECT

 public:
  HandbookWindow();

  QTreeWidget* Contents() const { return contents_; }
  QTextBrowser* Text() const { return text_; }
  QLineEdit* Search() const { return search_; }
  QLabel* SearchStatus() const { return status_; }

  // Selects the next occurrence of the search text after the cursor, from the top again after
  // the last one (Enter, F3).
  void FindNext();

 private:
  int BuildContents(const Handbook& handbook);
  void ShowSection(const QTreeWidgetItem* item);
  // Marks every occurrence of the search text.
  void Highlight();

  QTreeWidget* contents_;
  QTextBrowser* text_;
  QLineEdit* search_;
  QLabel* status_;
};

// Calls `show` when F1 is pressed in any window of the application, a window-modal dialog
// included; install it on the application.
class HandbookKey : public QObject {
  Q_OBJECT

 public:
  explicit HandbookKey(std::function<void()> show) : show_(std::move(show)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> show_;
};

}  // namespace strevo
