#include "core/project/taken_computation.h"

#include <cstddef>
#include <utility>

namespace strevo {

TakenComputation::TakenComputation(Computation snapshot, const CheckSettings& settings)
    : snapshot_(std::move(snapshot)) {
  CheckWith(settings);
}

void TakenComputation::Recheck(const CheckSettings& settings) {
  if (settings != sections_.settings) {
    CheckWith(settings);
  }
}

void TakenComputation::CheckWith(const CheckSettings& settings) {
  sections_ = CheckSections(snapshot_, settings);
  checkRows_ = strevo::CheckRows(snapshot_, sections_);
  checkSteps_ = CheckRechenweg(snapshot_, sections_);
  if (rechenweg_) {
    rechenweg_->erase(rechenweg_->begin() + static_cast<std::ptrdiff_t>(computationSteps_),
                      rechenweg_->end());
    rechenweg_->insert(rechenweg_->end(), checkSteps_.begin(), checkSteps_.end());
  }
}

const std::vector<RechenwegStep>& TakenComputation::Rechenweg() const {
  if (!rechenweg_) {
    rechenweg_ = BuildRechenweg(snapshot_);
    computationSteps_ = rechenweg_->size();
    rechenweg_->insert(rechenweg_->end(), checkSteps_.begin(), checkSteps_.end());
  }
  return *rechenweg_;
}

std::vector<ListRow> TakenComputation::ListRows() const {
  std::vector<ListRow> rows = ResultRows();
  rows.insert(rows.end(), checkRows_.begin(), checkRows_.end());
  return rows;
}

}  // namespace strevo
