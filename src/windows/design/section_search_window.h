// The window "Querschnitte bemessen": the families each member may take its section from, the
// lightest pairs of sections that meet every check of the design window's design, the heaviest
// lighter ones that do not and why, and the chosen pair written back into the design. It is
// modal to its design window, so the design cannot change under a shown result. The search runs
// off the window's thread, with its progress and "Abbrechen".
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "core/design/design.h"
#include "core/design/section_search.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

class QGroupBox;
class QHBoxLayout;

namespace strevo {

class BackgroundWork;
class DesignWindow;

class SectionSearchWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SectionSearchWindow)

 public:
  // A window of the design window's, shown by Open.
  explicit SectionSearchWindow(DesignWindow& designWindow);

  // Shows the window; a result found for another design than the one now shown is dropped.
  void Open();

  void Bemessen_Click();
  void Abbrechen_Click();    // the running search: nothing found, the design as it was
  void Uebernehmen_Click();  // the chosen passing pair into the design, then closes

  // The result shown, none before "Bemessen".
  const std::optional<SectionSearch>& Shown() const { return shown_; }

  // member 0 the columns, 1 the beam; family as kSectionFamilies.
  QCheckBox* Family(int member, int family) const { return families_[member][family]; }
  QPushButton* SearchButton() const { return search_; }  // enabled while none runs
  // While a search runs: how many pairs it has decided, and "Abbrechen".
  QProgressBar* Progress() const { return progress_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool IsSearching() const;
  QPushButton* ApplyButton() const { return apply_; }
  // Stützen, Riegel, Masse, η Stützen, η Riegel, h/u, L/w: the passing pairs, lightest first.
  QTableWidget* Passing() const { return passing_; }
  // The lighter failing pairs with why; without a passing pair, what may help.
  QListWidget* Notes() const { return notes_; }
  QLabel* NotesHeading() const { return notesHeading_; }
  QLabel* Verdict() const { return verdict_; }  // red when no pair passes
  QLabel* Count() const { return count_; }      // pairs decided of those allowed

 private:
  QGroupBox* BuildFamilies();
  QHBoxLayout* BuildSearchRow();
  void BuildPassingTable();
  AllowedFamilies Allowed() const;
  void FamiliesChanged();
  void Clear();
  void Show(const SectionSearch& search);
  void SelectionChanged();
  void SearchingChanged();  // the controls that depend on it

 protected:
  void hideEvent(QHideEvent* event) override;  // closed: the search stops

 private:
  DesignWindow& designWindow_;
  std::optional<SectionSearch> shown_;
  std::optional<Design> searched_;  // the design the shown result is for

  std::array<std::array<QCheckBox*, 3>, 2> families_{};
  QPushButton* search_ = nullptr;
  QPushButton* apply_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  BackgroundWork* work_ = nullptr;
  QTableWidget* passing_ = nullptr;
  QLabel* notesHeading_ = nullptr;
  QListWidget* notes_ = nullptr;
  QLabel* verdict_ = nullptr;
  QLabel* count_ = nullptr;
};

}  // namespace strevo
