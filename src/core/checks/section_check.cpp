#include "core/checks/section_check.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "core/analysis/member_forces.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

// Units: N in kN and A in cm² give kN/cm², ×10 N/mm²; M in kNm and W in cm³ give
// 100 kN/cm², ×1000 N/mm²; Q in kN over mm² gives ×1000 N/mm².
constexpr double kNormalStress = 10, kBendingStress = 1000, kShearStress = 1000;
constexpr double kGravity = 9.81;

// The largest of a value so far and where it lies; the first place on a tie.
struct Governing {
  double value = -1;
  Member member = Member::LeftColumn;
  double s = 0;
  bool Consider(double candidate, Member where, double at) {
    if (!(candidate > value)) {
      return false;
    }
    value = candidate;
    member = where;
    s = at;
    return true;
  }
};

// The member's ends by their names, the rest by its position; a column is named because one
// check covers both.
std::string PlaceOn(Member member, double s, double h, double L) {
  const double length = member == Member::Beam ? L : h;
  if (s <= 0 || s >= length) {
    static const char* const kEnds[3][2] = {
        {"Fuß A", "Ecke links"}, {"Ecke links", "Ecke rechts"}, {"Ecke rechts", "Fuß B"}};
    return kEnds[static_cast<int>(member)][s <= 0 ? 0 : 1];
  }
  InputSet in;
  in.h = h;
  in.L = L;
  const std::string position = PositionOn(in, member, s);
  return member == Member::Beam ? position : std::string(MemberName(member)) + ", " + position;
}

// The forces stand, so stresses fault only under absurd loads: the largest of them, with its
// value ("q = 5e+306"), is the field to look at.
std::string LargestLoad(const InputSet& in) {
  const std::pair<const char*, double> loads[] = {
      {"wD", in.wD}, {"q", in.q}, {"wS", in.wS}, {"F", in.F}};
  const auto* const largest = std::max_element(
      std::begin(loads), std::end(loads),
      [](const auto& a, const auto& b) { return std::abs(a.second) < std::abs(b.second); });
  return std::string(largest->first) + " = " + ShortestNumber(largest->second);
}

std::optional<MemberCheck> CheckMember(const Computation& c, const std::string& designation,
                                       std::initializer_list<Member> members, double fy) {
  const SectionProperties* section = FindSection(designation);
  if (section == nullptr) {
    return std::nullopt;
  }
  try {
    return CheckMemberOn(*c.forces, c.inputs.h, c.inputs.L, *section, members, fy);
  } catch (const ArithmeticFault& fault) {
    const std::string why = FaultText(fault) + " bei den Spannungen aus " + LargestLoad(c.inputs);
    return MemberCheck{section, 0, {}, 0, {}, 0, 0, section->mass * kGravity / 1000, 0, 0, 0, why};
  }
}

void MemberRows(std::vector<ListRow>& rows, const char* member, const char* sectionOf,
                const std::optional<MemberCheck>& check, const std::string& designation) {
  if (!check) {
    rows.push_back({std::string("Profil ") + member, "kein Profil gewählt", "", "", false});
    return;
  }
  rows.push_back({std::string("Profil ") + member, designation, "", sectionOf, false});
  if (!check->fault.empty()) {
    rows.push_back({std::string("η") + member, "—", "",
                    "Nachweis nicht berechenbar: " + check->fault, false, Verdict::NotMet});
    return;
  }
  const char* verdict = check->Eta() <= 1 ? "Nachweis erfüllt" : "Nachweis nicht erfüllt";
  rows.push_back(
      {std::string("σ") + member, FormatFixed2(check->sigma), "N/mm²", check->sigmaPlace});
  rows.push_back({std::string("τ") + member, FormatFixed2(check->tau), "N/mm²", check->tauPlace});
  rows.push_back({std::string("η") + member, FormatFixed2(check->Eta()), "",
                  check->EtaPlace() + ": " + verdict, true,
                  check->Eta() <= 1 ? Verdict::Met : Verdict::NotMet});
  rows.push_back({std::string("g") + member, FormatFixed2(check->selfWeight), "kN/m",
                  "Eigengewicht, nicht in den Lasten enthalten"});
}

void LimitRow(std::vector<ListRow>& rows, const char* symbol, const LimitCheck& limit, int n) {
  rows.push_back({symbol, RatioText(limit), "",
                  "Grenze 1/" + std::to_string(n) + (limit.met ? ": erfüllt" : ": nicht erfüllt"),
                  false, limit.met ? Verdict::Met : Verdict::NotMet});
}

}  // namespace

double YieldStrength(SteelGrade grade) {
  switch (grade) {
    case SteelGrade::S235:
      return 235;
    case SteelGrade::S275:
      return 275;
    case SteelGrade::S355:
      break;
  }
  return 355;
}

const char* GradeName(SteelGrade grade) {
  switch (grade) {
    case SteelGrade::S235:
      return "S235";
    case SteelGrade::S275:
      return "S275";
    case SteelGrade::S355:
      break;
  }
  return "S355";
}

MemberCheck CheckMemberOn(const PortalLines& lines, double h, double L,
                          const SectionProperties& section, std::initializer_list<Member> members,
                          double fy) {
  // The same fault detection as the engine: absurd loads give a fault, not "inf".
  const FaultWatch watch;
  Governing sigma, tau;
  const double web = section.tw * (section.h - 2 * section.tf);
  for (const Member member : members) {
    const MemberLines& line = lines[static_cast<std::size_t>(member)];
    const auto stress = [&](double s) {
      return kNormalStress * std::abs(line.N.At(s)) / section.A +
             kBendingStress * std::abs(line.M.At(s)) / section.Wel;
    };
    for (const LinePiece& p : line.M.pieces) {
      for (const double s : {p.start, p.end}) {
        sigma.Consider(stress(s), member, s);
        tau.Consider(kShearStress * std::abs(p.c1 + 2 * p.c2 * (s - p.start)) / web, member, s);
      }
      if (p.c2 == 0) {
        continue;
      }
      // Inside a piece |N|/A + |M|/W is largest where ±N'/A ± M'/W is zero (N is linear).
      const double slope = line.N.PieceAt(p.start + (p.end - p.start) / 2).c1;
      const double ratio = kNormalStress * slope * section.Wel / (kBendingStress * section.A);
      for (const double sign : {0.0, 1.0, -1.0}) {
        const double s = p.start + (-p.c1 + sign * ratio) / (2 * p.c2);
        if (s > p.start && s < p.end && (sign == 0 || slope != 0)) {
          sigma.Consider(stress(s), member, s);
        }
      }
    }
  }
  const MemberLines& atSigma = lines[static_cast<std::size_t>(sigma.member)];
  const MemberLines& atTau = lines[static_cast<std::size_t>(tau.member)];
  const LinePiece& shearPiece = atTau.M.PieceAt(tau.s);
  return {&section,
          watch(sigma.value),
          PlaceOn(sigma.member, sigma.s, h, L),
          watch(tau.value),
          PlaceOn(tau.member, tau.s, h, L),
          watch(sigma.value / fy),
          watch(tau.value / (fy / std::sqrt(3.0))),
          section.mass * kGravity / 1000,
          std::abs(atSigma.N.At(sigma.s)),
          std::abs(atSigma.M.At(sigma.s)),
          std::abs(shearPiece.c1 + 2 * shearPiece.c2 * (tau.s - shearPiece.start)),
          {}};
}

// The verdict compares the values as computed; the ratio is left out where the displacement
// shows as 0.00 mm, since there it is rounding noise (a symmetric portal's sway).
LimitCheck LimitOf(double lengthM, double displacementMm, int n) {
  const double moved = std::abs(displacementMm);
  const bool shown = FormatFixed2(displacementMm) != "0.00";
  return {shown ? std::abs(lengthM) * 1000 / moved : 0, moved * n <= lengthM * 1000};
}

// "1/n", n rounded down as a limit check reads it: whole from 10 up, below that to two
// significant digits ("1/2.5", "1/0.25"), so that no n reads 0 and none overflows. n is first
// taken to fifteen significant digits, so that a quotient such as 3/10, a hair below 0.3 in
// binary, is not cut to 0.29.
std::string RatioText(const LimitCheck& limit) {
  if (!(limit.ratio > 0) || !std::isfinite(limit.ratio)) {
    return "—";
  }
  std::array<char, 400> text{};
  char* const first = text.data();
  char* const last = first + text.size();
  char* end = std::to_chars(first, last, limit.ratio, std::chars_format::scientific, 14).ptr;
  double n = 0;
  std::from_chars(first, end, n);
  if (n >= 10) {
    end = std::to_chars(first, last, std::floor(n), std::chars_format::fixed, 0).ptr;
    return "1/" + std::string(first, end);
  }
  // The text holds n as "d.ddd…e-XX" (or "e+00"): its first two digits, placed by the exponent.
  const char* const e = std::find(first, end, 'e');
  int zeros = 0;
  std::from_chars(e + 2, end, zeros);
  const std::string digits{text[0], text[2]};
  return e[1] == '+' ? "1/" + digits.substr(0, 1) + "." + digits.substr(1)
                     : "1/0." + std::string(static_cast<std::size_t>(zeros - 1), '0') + digits;
}

SectionCheck CheckSections(const Computation& computation, const CheckSettings& settings) {
  SectionCheck check;
  check.settings = settings;
  if (!computation.system) {
    return check;
  }
  const double fy = YieldStrength(settings.grade);  // γM0 = 1.0
  check.columns = CheckMember(computation, computation.columnSection,
                              {Member::LeftColumn, Member::RightColumn}, fy);
  check.beam = CheckMember(computation, computation.beamSection, {Member::Beam}, fy);
  if (const auto& d = computation.deformation) {
    check.sway = LimitOf(computation.inputs.h, d->u, settings.swayLimit);
    check.deflection = LimitOf(computation.inputs.L, d->w, settings.deflectionLimit);
  }
  return check;
}

std::vector<ListRow> CheckRows(const Computation& computation, const SectionCheck& check) {
  std::vector<ListRow> rows;
  const CheckSettings& settings = check.settings;
  if (!check.columns && !check.beam) {
    return rows;
  }
  const double fy = YieldStrength(settings.grade);
  rows.push_back({"Stahlsorte", GradeName(settings.grade), "",
                  "fy = " + std::to_string(static_cast<int>(fy)) + " N/mm², γM0 = 1.0", false});
  MemberRows(rows, "S", "Stützen", check.columns, computation.columnSection);
  MemberRows(rows, "R", "Riegel", check.beam, computation.beamSection);
  if (check.sway) {
    LimitRow(rows, "u / h", *check.sway, settings.swayLimit);
    LimitRow(rows, "w / L", *check.deflection, settings.deflectionLimit);
  }
  return rows;
}

std::vector<RechenwegStep> CheckRechenweg(const Computation& computation,
                                          const SectionCheck& check) {
  std::vector<RechenwegStep> steps;
  const double fy = YieldStrength(check.settings.grade);
  const auto add = [&](const std::optional<MemberCheck>& member, const char* index,
                       const char* members, const std::string& designation) {
    if (!member || !member->fault.empty()) {
      return;
    }
    const SectionProperties& p = *member->section;
    const std::vector<RechenwegStep> more =
        CheckSteps({index, std::string(members) + ", " + designation, p.A, p.Iy, p.Wel, p.h, p.tw,
                    p.tf, member->N, member->M, member->Q, member->sigmaPlace, member->tauPlace, fy,
                    member->etaSigma, member->etaTau});
    steps.insert(steps.end(), more.begin(), more.end());
  };
  add(check.columns, "S", "Stützen", computation.columnSection);
  add(check.beam, "R", "Riegel", computation.beamSection);
  return steps;
}

}  // namespace strevo
