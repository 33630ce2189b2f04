// The forms a computed design leaves the program in: the JSON result and the CSV of
// `strevo-cli`, and the rows the list window, its copy and its CSV file show.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design_result.h"
#include "result_list.h"

namespace strevo {

// The result as `strevo-cli` writes it on standard output ("strevo-ergebnis", version 1).
std::string DesignResultJson(const DesignResult& result);
// The same for German spreadsheets: UTF-8 with byte-order mark, semicolons, decimal comma, CRLF.
std::string DesignResultCsv(const DesignResult& result);

// The design as list rows: the portal and its sections, the load cases, each combination with
// its factors and values, the envelope's extremes, the checks per combination and the
// governing ones.
std::vector<ListRow> DesignRows(const DesignResult& result);

// A list's rows with the design's after them, when there is a design.
std::vector<ListRow> WithDesignRows(std::vector<ListRow> rows, const DesignResult* design);

// 0 when every check is met, 1 when one is not (the exit status of `strevo-cli`).
int ExitStatusOf(const DesignResult& result);

// One of a combination's values as every form of the result names it.
struct ResultValue {
  const char* symbol;           // "AH"
  const char* unit;             // "kN"
  std::optional<double> value;  // none: u, w, xw when the deformations could not be computed
};
// AH, AV, MA, BH, BV, MB, M1, N1, Q1, M2, N2, Q2, X3, M3, M4, N4, Q4, M5, N5, Q5, u, w, xw.
std::vector<ResultValue> ResultValuesOf(const CombinationResult& combination);

// What a load case is, in words: "Schnee, ψ0 = 0.50", "Nutzlast Kategorie E, ψ0 = 1.00".
std::string ActionText(const DesignCase& loadCase);

// Whether there is an ultimate combination, and so an envelope.
bool HasEnvelope(const DesignResult& result);

// A member check is met when it could be computed and η ≤ 1.
bool CheckMet(const MemberCheck& check);

}  // namespace strevo
