#include "section_check.h"

#include <cmath>

#include "member_forces.h"
#include "text_rules.h"

namespace strevo {
namespace {

// Units: N in kN and A in cm² give kN/cm², ×10 N/mm²; M in kNm and W in cm³ give
// 100 kN/cm², ×1000 N/mm²; Q in kN over mm² gives ×1000 N/mm².
constexpr double kNormalStress = 10, kBendingStress = 1000, kShearStress = 1000;
constexpr double kGravity = 9.81;

struct Governing {
  double value = -1;
  std::string place;
  void Consider(double candidate, const std::string& where) {
    if (candidate > value) {
      value = candidate;
      place = where;
    }
  }
};

std::string PlaceOn(Member member, double s, const InputSet& in) {
  const double h = in.h;
  switch (member) {
    case Member::LeftColumn:
      return s <= 0   ? "Fuß A"
             : s >= h ? "Ecke links"
                      : "linke Stütze, " + FormatFixed2(s) + " m über A";
    case Member::Beam:
      return s <= 0 ? "Ecke links" : s >= in.L ? "Ecke rechts" : "x = " + FormatFixed2(s) + " m";
    case Member::RightColumn:
      break;
  }
  return s <= 0   ? "Ecke rechts"
         : s >= h ? "Fuß B"
                  : "rechte Stütze, " + FormatFixed2(h - s) + " m über B";
}

// The largest |M| and |Q| of a member: the moment's extremes lie at the ends of its pieces and
// where the shear is zero; the shear's at the ends of the pieces (it is linear on each).
void Extremes(const Computation& c, Member member, Governing& moment, Governing& shear) {
  MomentPiece pieces[2];
  const int count = MomentPieces(c.inputs, c.results, member, pieces);
  for (int i = 0; i < count; ++i) {
    const MomentPiece& p = pieces[i];
    const double length = p.end - p.start;
    const auto M = [&](double t) { return p.m0 + (p.m1 + p.m2 * t) * t; };
    for (const double t : {0.0, length}) {
      moment.Consider(std::abs(M(t)), PlaceOn(member, p.start + t, c.inputs));
      shear.Consider(std::abs(p.m1 + 2 * p.m2 * t), PlaceOn(member, p.start + t, c.inputs));
    }
    if (p.m2 != 0) {
      const double t = -p.m1 / (2 * p.m2);
      if (t > 0 && t < length) {
        moment.Consider(std::abs(M(t)), PlaceOn(member, p.start + t, c.inputs));
      }
    }
  }
}

std::optional<MemberCheck> CheckMember(const Computation& c, const std::string& designation,
                                       std::initializer_list<Member> members, double fy) {
  const SectionProperties* section = FindSection(designation);
  if (section == nullptr) {
    return std::nullopt;
  }
  Governing sigma, tau;
  for (const Member member : members) {
    Governing moment, shear;
    Extremes(c, member, moment, shear);
    const double N = std::abs(ForcesAt(c.inputs, c.results, member, 0).N);
    sigma.Consider(kNormalStress * N / section->A + kBendingStress * moment.value / section->Wel,
                   moment.place);
    tau.Consider(kShearStress * shear.value / (section->tw * (section->h - 2 * section->tf)),
                 shear.place);
  }
  return MemberCheck{section,
                     sigma.value,
                     sigma.place,
                     tau.value,
                     tau.place,
                     sigma.value / fy,
                     tau.value / (fy / std::sqrt(3.0)),
                     section->mass * kGravity / 1000};
}

LimitCheck Limit(double lengthM, double displacementMm, int n) {
  const double moved = std::abs(displacementMm);
  return {moved > 0 ? lengthM * 1000 / moved : 0, moved * n <= lengthM * 1000};
}

std::string Ratio(const LimitCheck& limit) {
  return limit.ratio > 0 ? "1/" + std::to_string(std::llround(std::floor(limit.ratio))) : "0";
}

void MemberRows(std::vector<ListRow>& rows, const char* member, const char* sectionOf,
                const std::optional<MemberCheck>& check, const std::string& designation) {
  if (!check) {
    rows.push_back({std::string("Profil ") + member, "kein Profil gewählt", "", "", false});
    return;
  }
  const char* verdict = check->Eta() <= 1 ? "Nachweis erfüllt" : "Nachweis nicht erfüllt";
  rows.push_back({std::string("Profil ") + member, designation, "", sectionOf, false});
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
  rows.push_back({symbol, Ratio(limit), "",
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

SectionCheck CheckSections(const Computation& computation, const CheckSettings& settings) {
  SectionCheck check;
  if (!computation.system) {
    return check;
  }
  const double fy = YieldStrength(settings.grade);  // γM0 = 1.0
  check.columns = CheckMember(computation, computation.columnSection,
                              {Member::LeftColumn, Member::RightColumn}, fy);
  check.beam = CheckMember(computation, computation.beamSection, {Member::Beam}, fy);
  if (const auto& d = computation.deformation) {
    check.sway = Limit(computation.inputs.h, d->u, settings.swayLimit);
    check.deflection = Limit(computation.inputs.L, d->w, settings.deflectionLimit);
  }
  return check;
}

std::vector<ListRow> CheckRows(const Computation& computation, const CheckSettings& settings) {
  std::vector<ListRow> rows;
  const SectionCheck check = CheckSections(computation, settings);
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

std::vector<ListRow> ListRowsOf(const Computation& computation, const CheckSettings& settings) {
  std::vector<ListRow> rows = ResultListRows(computation);
  const std::vector<ListRow> check = CheckRows(computation, settings);
  rows.insert(rows.end(), check.begin(), check.end());
  return rows;
}

}  // namespace strevo
