#include <algorithm>
#include <string_view>

#include "core/base/text_rules.h"
#include "core/design/design_output.h"
#include "core/design/design_output_parts.h"

namespace strevo {
namespace {

// Full precision with a decimal comma, as German spreadsheets read a number.
std::string CsvNumber(double value) {
  std::string text = ShortestNumber(value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += ';';
    }
    line += CsvField(fields[i]);
  }
  return line + "\r\n";
}

// The columns of the factors: one per case, two for a wind case (from the left, mirrored).
struct FactorColumn {
  std::size_t loadCase;
  bool mirrored;
};
std::vector<FactorColumn> FactorColumns(const DesignResult& result) {
  std::vector<FactorColumn> columns;
  for (std::size_t i = 0; i < result.cases.size(); ++i) {
    columns.push_back({i, false});
    if (result.cases[i].action == Action::Wind) {
      columns.push_back({i, true});
    }
  }
  return columns;
}

std::string FactorColumnTitle(const DesignResult& result, const FactorColumn& column) {
  const DesignCase& loadCase = result.cases[column.loadCase];
  if (loadCase.action != Action::Wind) {
    return loadCase.name;
  }
  return loadCase.name + (column.mirrored ? " (rechts)" : " (links)");
}

std::string CsvCombinations(const DesignResult& result) {
  const std::vector<FactorColumn> columns = FactorColumns(result);
  std::vector<std::string> header{"Kombination", "Grenzzustand", "Bezeichnung"};
  for (const FactorColumn& column : columns) {
    header.push_back(FactorColumnTitle(result, column));
  }
  // The symbols and units are the same for every combination.
  for (const ResultValue& value : ResultValuesOf(CombinationResult{})) {
    header.push_back(std::string(value.symbol) + " [" + value.unit + "]");
  }
  header.insert(header.end(), {"αcr", "Modus", "Lcr links [m]", "Lcr rechts [m]", "φ", "Theorie"});
  const std::vector<ResultValue> designValues = DesignValuesOf(CombinationStability{});
  for (const ResultValue& value : designValues) {
    header.push_back(std::string(value.symbol) + ",d [" + value.unit + "]");
  }
  std::string csv = CsvLine(header);
  for (const CombinationResult& c : result.combinations) {
    std::vector<std::string> fields{c.combination.id, LimitStateName(c.combination.state),
                                    c.combination.label};
    for (const FactorColumn& column : columns) {
      const auto factor = std::find_if(
          c.combination.factors.begin(), c.combination.factors.end(), [&](const CaseFactor& f) {
            return f.loadCase == column.loadCase && f.mirrored == column.mirrored;
          });
      fields.push_back(factor == c.combination.factors.end() ? "" : CsvNumber(factor->factor));
    }
    for (const ResultValue& value : ResultValuesOf(c)) {
      fields.push_back(value.value ? CsvNumber(*value.value) : "");
    }
    if (const std::optional<CombinationStability>& st = c.stability) {
      const bool finite = std::isfinite(st->critical.factor);
      fields.push_back(finite ? CsvNumber(st->critical.factor) : "");
      fields.emplace_back(finite ? ModeName(st->critical.mode) : "kein Druck");
      for (const std::optional<double>& length : st->columnBucklingLength) {
        fields.push_back(length ? CsvNumber(*length) : "");
      }
      fields.push_back(CsvNumber(st->imperfection));
      fields.emplace_back(st->unstable ? "instabil" : TheoryName(*st));
      for (const ResultValue& value : DesignValuesOf(*st)) {
        fields.push_back(CsvNumber(*value.value));
      }
    }
    fields.resize(header.size());
    csv += CsvLine(fields);
  }
  return csv;
}

std::string CsvChecks(const DesignResult& result) {
  std::string csv = CsvLine({"Nachweis", "Wert", "Grenze", "Kombination", "Stelle", "erfüllt"});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check) {
      continue;
    }
    const GoverningMember& governing = *member.check;
    const MemberDesign& check = governing.check;
    const std::string name = member.name;
    csv += CsvLine({name + " η", check.unstable ? "" : CsvNumber(check.Eta()), "1",
                    IdOf(result, governing.combination), GoverningText(check),
                    check.Met() ? "ja" : "nein"});
    for (const MemberCheckKind kind : kMemberCheckKinds) {
      const GoverningMember::Largest& largest = LargestOf(governing, kind);
      const std::optional<MemberDesign>& at = MemberOf(result, member, largest.combination);
      csv += CsvLine({name + " " + CheckName(kind), CsvNumber(largest.eta), "1",
                      IdOf(result, largest.combination), at ? CheckPlace(*at, kind) : "",
                      largest.eta <= 1 ? "ja" : "nein"});
    }
  }
  for (const LimitEntry& limit : LimitEntries(result)) {
    if (limit.check) {
      csv += CsvLine({limit.name, CsvNumber(limit.check->check.ratio), std::to_string(limit.limit),
                      IdOf(result, limit.check->combination), "",
                      limit.check->check.met ? "ja" : "nein"});
    }
  }
  if (!result.checks.columns && !result.checks.beam) {
    return csv;
  }
  // The governing combination's values of each member's checks.
  csv += "\r\n" + CsvLine({"Stab", "Kombination", "maßgebend", "Klasse", "χy", "χz", "χLT", "λ̄y",
                           "λ̄z", "λ̄LT", "Mcr [kNm]", "C1"});
  for (const MemberEntry& member : MemberEntries(result)) {
    if (!member.check || member.check->check.unstable) {
      continue;
    }
    const MemberVerification& v = member.check->check.verification;
    csv += CsvLine({member.name, IdOf(result, member.check->combination),
                    CheckName(GoverningCheck(member.check->check)),
                    std::to_string(v.crossSection.sectionClass), CsvNumber(v.bucklingY.chi),
                    CsvNumber(v.bucklingZ.chi), CsvNumber(v.lateralTorsional.chi),
                    CsvNumber(v.bucklingY.lambda), CsvNumber(v.bucklingZ.lambda),
                    CsvNumber(v.lateralTorsional.lambda), CsvNumber(v.lateralTorsional.Mcr),
                    CsvNumber(v.lateralTorsional.C1)});
  }
  return csv + "\r\n" + CsvLine({kDesignCheckStatement});
}

// Rows of the list.

}  // namespace

std::string DesignResultCsv(const DesignResult& result) {
  return "\xEF\xBB\xBF" + CsvCombinations(result) + "\r\n" + CsvChecks(result);
}

}  // namespace strevo
