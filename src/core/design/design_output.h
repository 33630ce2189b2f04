// The forms a computed design leaves the program in: the JSON result and the CSV of
// `strevo-cli`, and the rows the list window, its copy and its CSV file show.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/base/json.h"
#include "core/design/design_result.h"
#include "core/design/section_search.h"
#include "core/text/result_list.h"

namespace strevo {

// The result as `strevo-cli` writes it on standard output ("strevo-ergebnis", version 1).
std::string DesignResultJson(const DesignResult& result);
// The same handed to `sink` piece by piece as it is written, never held whole.
void WriteDesignResultJson(const DesignResult& result, const JsonWriter::Sink& sink);
// The same for German spreadsheets: UTF-8 with byte-order mark, semicolons, decimal comma, CRLF.
std::string DesignResultCsv(const DesignResult& result);

// The design as list rows: the portal and its sections, the load cases, each combination with
// its factors and values, the envelope's extremes, the checks per combination and the
// governing ones.
std::vector<ListRow> DesignRows(const DesignResult& result);

// A list's rows with the design's after them, when there is a design.
std::vector<ListRow> WithDesignRows(std::vector<ListRow> rows, const DesignResult* design);

// The lightest sections as `strevo-cli --bemessen` writes them: the chosen pair with its mass
// (kg) and utilisations (sway and deflection as limit/n), the next four passing pairs, the
// lighter pairs that fail with why; without a passing pair null and the suggestions.
std::string SectionSearchJson(const SectionSearch& search);

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

// What a design's checks cover and what they leave to the engineer, said wherever they are shown.
// A utilisation with two decimals, rounded up so that one over 1 never reads "1.00"; "∞" where
// the portal is unstable.
std::string EtaText(double eta);

inline constexpr const char* kDesignCheckStatement =
    "Nachweise nach EN 1993-1-1 mit deutschem Nationalen Anhang (γM0 = 1.0, γM1 = 1.1) für jede "
    "GZT-Kombination: Stabilität des Rahmens in seiner Ebene (αcr mit exakten "
    "Stabilitätsfunktionen, Schiefstellung φ, Theorie II. Ordnung bei αcr < 10), Querschnitte der "
    "Klassen 1 und 2 plastisch mit M–V und M–N, der Klasse 3 elastisch nach 6.1, Biegeknicken um y "
    "und z, Biegedrillknicken zwischen den "
    "seitlichen Halterungen (Gabellagerung, Last im Schubmittelpunkt) und die Interaktion nach "
    "6.61/6.62 (Anhang B). Querschnitte der Klasse 4 sind nicht abgedeckt. Rahmenecken, "
    "Anschlüsse und Fußpunkte sind nicht nachgewiesen.";

// The five checks of a member, in the order every form of the result lists them.
enum class MemberCheckKind { CrossSection, BucklingY, BucklingZ, LateralTorsional, Interaction };
inline constexpr std::array<MemberCheckKind, 5> kMemberCheckKinds = {
    MemberCheckKind::CrossSection, MemberCheckKind::BucklingY, MemberCheckKind::BucklingZ,
    MemberCheckKind::LateralTorsional, MemberCheckKind::Interaction};

// "Querschnitt", "Biegeknicken y", "Biegeknicken z", "Biegedrillknicken", "Interaktion".
const char* CheckName(MemberCheckKind kind);
double CheckEta(const MemberVerification& verification, MemberCheckKind kind);
// Where the check governs, as the results name places.
const std::string& CheckPlace(const MemberDesign& design, MemberCheckKind kind);
// The check of the largest η (the first on a tie).
MemberCheckKind GoverningCheck(const MemberDesign& design);
const GoverningMember::Largest& LargestOf(const GoverningMember& governing, MemberCheckKind kind);

// "Seitenverschiebung", "symmetrisch".
const char* ModeName(BucklingMode mode);
// "Theorie I. Ordnung", "Theorie II. Ordnung".
const char* TheoryName(const CombinationStability& stability);
// "1/283": the sway imperfection as the standard writes it.
std::string ImperfectionText(double phi);

// AH … Q5, X3, M3 and u (mm) of the design forces; empty when the portal is unstable.
std::vector<ResultValue> DesignValuesOf(const CombinationStability& stability);

}  // namespace strevo
