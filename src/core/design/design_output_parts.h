// What the design's output forms share: the values and checks in their order with the names
// each form gives them. Internal to the design library.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/design/design_output.h"

namespace strevo {

// AH … Q5 with X3 and M3, as every form names them.
std::vector<ResultValue> SharedValuesOf(const SharedResults& r);

const std::string& IdOf(const DesignResult& result, std::size_t combination);

// The governing checks in their order, each with its name in the forms and its limit.
struct LimitEntry {
  const char* key;     // "sway", as the JSON names it
  const char* name;    // "Verschiebung h/u"
  const char* symbol;  // "h/u"
  const std::optional<GoverningLimit>& check;
  int limit;
};
std::array<LimitEntry, 2> LimitEntries(const DesignResult& result);
struct MemberEntry {
  const char* key;     // "columns"
  const char* name;    // "Stützen"
  const char* symbol;  // "ηS"
  const std::optional<GoverningMember>& check;
};
std::array<MemberEntry, 2> MemberEntries(const DesignResult& result);

// "etaCrossSection" …, as the JSON and the CSV name each check's utilisation.
const char* EtaKey(MemberCheckKind kind);

// The member's checks in a combination.
const std::optional<MemberDesign>& MemberOf(const DesignResult& result, const MemberEntry& member,
                                            std::size_t combination);

// Which check governs and where: "Biegedrillknicken, Riegel zwischen … und …"; why there is no
// utilisation where the portal is unstable.
std::string GoverningText(const MemberDesign& check);

}  // namespace strevo
