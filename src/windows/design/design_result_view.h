// The result side of the design window: the combinations with, for the chosen one, every value
// (first order and as designed) with its diagrams and, for an ultimate one, the portal's
// stability; the envelope of the ultimate ones; the member checks of EN 1993-1-1 and the limits
// with the governing combination and place. It lays out a computed design and computes nothing.
#pragma once

#include <QTabWidget>
#include <array>

#include "core/design/design_output.h"
#include "core/design/design_result.h"

class QLabel;
class QTableWidget;

namespace strevo {

class DesignPicture;

// "HE 300 A", or "I = 18260 cm4 (ohne Profil)" for a bare I.
QString MemberChoiceText(const MemberChoice& member);

// The rows of a member's checks below its own row, in order.
inline constexpr int kCheckRows = static_cast<int>(kMemberCheckKinds.size());

class DesignResultView : public QTabWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DesignResultView)

 public:
  explicit DesignResultView(QWidget* parent = nullptr);

  // Shows `result`, which must outlive the view or the next Show or Clear; the combination
  // chosen before stays chosen while there is one of its number.
  void Show(const DesignResult& result);
  void Clear();
  const DesignResult* Shown() const { return shown_; }

  QTableWidget* Combinations() const { return combinations_; }
  // Größe, Wert (first order), Bemessung (the design forces of an ultimate combination), Einheit.
  QTableWidget* Values() const { return values_; }
  // αcr, Lcr of both columns, φ and its forces, the theory: filled for an ultimate combination.
  QTableWidget* Stability() const { return stability_; }
  QLabel* CombinationLabel() const { return combinationLabel_; }
  QTableWidget* Envelope() const { return envelope_; }
  // Per member a row with its verdict and one for each check (kCheckRows); then the limits.
  QTableWidget* Checks() const { return checks_; }
  QLabel* VerdictLabel() const { return verdict_; }
  // Moment, shear force, normal force.
  DesignPicture* CombinationView(int kind) const { return combinationPictures_[kind]; }
  DesignPicture* EnvelopeView(int kind) const { return envelopePictures_[kind]; }

 private:
  void BuildCombinationPage();
  void BuildEnvelopePage();
  void BuildCheckPage();
  void ShowCombination(int index);
  void ShowStability(const CombinationStability* stability);
  void FillCombinations(const DesignResult& result);
  void FillEnvelope(const DesignResult& result);
  void FillChecks(const DesignResult& result);

  const DesignResult* shown_ = nullptr;
  QTableWidget* combinations_ = nullptr;
  QLabel* combinationLabel_ = nullptr;
  QTableWidget* values_ = nullptr;
  QTableWidget* stability_ = nullptr;
  QTableWidget* envelope_ = nullptr;
  QTableWidget* checks_ = nullptr;
  QLabel* verdict_ = nullptr;
  std::array<DesignPicture*, 3> combinationPictures_{};
  std::array<DesignPicture*, 3> envelopePictures_{};
};

}  // namespace strevo
