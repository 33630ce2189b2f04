// A computation as the program keeps it once it has run: the snapshot with its section check
// and its Rechenweg. The check is worked out when it is taken and again only when its grade or
// limits change; the computation's own working, the costliest part and wanted only by the list
// and the report, once on first use. Every window and export lays out what it holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/computation.h"
#include "core/checks/section_check.h"
#include "core/text/rechenweg.h"
#include "core/text/result_list.h"

namespace strevo {

class TakenComputation {
 public:
  TakenComputation(Computation snapshot, const CheckSettings& settings);

  // Checks the sections anew when `settings` differ from those checked against.
  void Recheck(const CheckSettings& settings);

  const Computation& Snapshot() const { return snapshot_; }
  const SectionCheck& Sections() const { return sections_; }
  // The system, the inputs, k and the result values, without the check; laid out when asked,
  // as the list, the exports and the report need them and a computation by itself does not.
  std::vector<ListRow> ResultRows() const { return ResultListRows(snapshot_); }
  const std::vector<ListRow>& CheckRows() const { return checkRows_; }
  // Both, as the list's copy and the CSV file carry them.
  std::vector<ListRow> ListRows() const;
  // The computation's steps with the check's working after them.
  const std::vector<RechenwegStep>& Rechenweg() const;
  std::string DeformationNote() const { return strevo::DeformationNote(snapshot_); }

 private:
  void CheckWith(const CheckSettings& settings);

  Computation snapshot_;
  SectionCheck sections_;
  std::vector<ListRow> checkRows_;
  std::vector<RechenwegStep> checkSteps_;
  // The computation's steps, which no check changes, then checkSteps_; none until first asked.
  mutable std::optional<std::vector<RechenwegStep>> rechenweg_;
  mutable std::size_t computationSteps_ = 0;
};

}  // namespace strevo
