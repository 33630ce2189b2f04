// The compiled section properties against their own geometry and the profile table, and the
// section check against hand calculations.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/base/text_rules.h"
#include "core/checks/section_check.h"
#include "core/project/taken_computation.h"
#include "core/sections/profile_table.h"
#include "test_inputs.h"

namespace strevo {
namespace {

// The unit of a number's last written digit: 0.1 for "317.8", 1 for "11770", 1000 for "137e3".
double LastDigit(const std::string& text) {
  const std::size_t e = text.find_first_of("eE");
  const std::string mantissa = text.substr(0, e);
  const std::size_t point = mantissa.find('.');
  const double unit =
      point == std::string::npos ? 1 : std::pow(10.0, -double(mantissa.size() - point - 1));
  return e == std::string::npos ? unit : unit * std::pow(10.0, std::stod(text.substr(e + 1)));
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TEST(SectionProperties, AgreeWithTheirGeometryAndTheProfileTable) {
  int found = 0;
  for (const ProfileFamily& family : kProfileFamilies) {
    const ProfileTableReading table =
        ReadProfileTable(std::filesystem::path(STREVO_DATA_DIR) / kProfileTableName, family);
    ASSERT_TRUE(table.valueLine.has_value());
    for (int j = 0; j < family.count; ++j) {
      const std::string name = family.prefix + Trim(table.designations[j]);
      const SectionProperties* s = FindSection(name);
      ASSERT_NE(s, nullptr) << name;
      ++found;
      // Web, two flanges and four root fillets, whose centroids lie 0.2234·r from the flanges.
      const double fillet = (4 - std::numbers::pi) / 4 * s->r * s->r;
      const double A = 2 * s->b * s->tf + (s->h - 2 * s->tf) * s->tw + 4 * fillet;
      const double arm = s->h / 2 - s->tf - 0.2234 * s->r;
      const double Iy =
          (s->b * std::pow(s->h, 3) - (s->b - s->tw) * std::pow(s->h - 2 * s->tf, 3)) / 12 +
          4 * fillet * arm * arm;
      EXPECT_NEAR(A / 100, s->A, 0.01 * s->A) << name;
      EXPECT_NEAR(Iy / 1e4, s->Iy, 0.01 * s->Iy) << name;
      EXPECT_NEAR(2 * s->Iy / (s->h / 10), s->Wel, 0.01 * s->Wel) << name;
      // The table writes five characters: its value and the published one agree within both
      // roundings.
      const std::string field = SectionField(*table.valueLine, family, j);
      const double published = s->Iy;
      const double tolerance =
          LastDigit(Trim(field)) / 2 + LastDigit(FormatFixed2(published)) / 2 + 0.5;
      EXPECT_NEAR(FieldValue(field), published, tolerance) << name << ": " << field;
    }
  }
  EXPECT_EQ(found, 65);
  EXPECT_EQ(FindSection(" HE-A 200  "), FindSection("HE-A 200"));
  EXPECT_STREQ(FindSection("HE-A 200")->designation, "HE 200 A");
  EXPECT_EQ(FindSection("HE-A 210"), nullptr);
  EXPECT_EQ(FindSection("I-Profile"), nullptr);
}

Computation Frame(const InputSet& in, SystemType system) {
  SharedResults shared;
  return Compute(in, system, shared);
}

// Two-hinged frame, q = 20 kN/m on 8 m, IPE 200 columns (Iy 1943) and a HE-B 400 beam
// (Iy 57680): the slender columns hardly restrain the beam, so its field moment governs,
// inside it at x = 4.00 m.
TEST(SectionCheck, BeamGovernedInsideByTheFieldMoment) {
  Computation c = Frame(testing::SteelPortal(1943, 57680), SystemType::TwoHingedFrame);
  c.columnSection = "IPE 200";
  c.beamSection = "HE-B 400";
  const SectionCheck check = CheckSections(c, {});
  ASSERT_TRUE(check.beam.has_value());
  const SharedResults& r = c.results;
  ASSERT_NEAR(r.X3, 4, 1e-12);
  ASSERT_GT(std::abs(r.M3), std::abs(r.M2));
  // HE-B 400: A = 198 cm², Wel = 2884 cm³, h 400, tw 13.5, tf 24 mm.
  const double sigma = 10 * std::abs(r.N2) / 198 + 1000 * std::abs(r.M3) / 2884;
  EXPECT_NEAR(check.beam->sigma, sigma, 1e-9 * sigma);
  EXPECT_EQ(check.beam->sigmaPlace, "x = 4.00 m ab Punkt 2");
  const double tau = 1000 * 80.0 / (13.5 * (400 - 2 * 24));  // |Q| = qL/2 at the corners
  EXPECT_NEAR(check.beam->tau, tau, 1e-9 * tau);
  EXPECT_EQ(check.beam->tauPlace, "Ecke links");
  EXPECT_NEAR(check.beam->etaSigma, sigma / 235, 1e-12);
  EXPECT_NEAR(check.beam->etaTau, tau / (235 / std::sqrt(3.0)), 1e-12);
  EXPECT_NEAR(check.beam->selfWeight, 155 * 9.81 / 1000, 1e-12);
  // The columns: the corner moment and the column's thrust; IPE 200 A = 28.5, Wel = 194.
  ASSERT_TRUE(check.columns.has_value());
  const double columns = 10 * std::abs(r.N1) / 28.5 + 1000 * std::abs(r.M1) / 194;
  EXPECT_NEAR(check.columns->sigma, columns, 1e-9 * columns);
  EXPECT_EQ(check.columns->sigmaPlace, "Ecke links");

  const SectionCheck s355 = CheckSections(c, {SteelGrade::S355, 150, 300});
  EXPECT_NEAR(s355.beam->Eta(), check.beam->Eta() * 235 / 355, 1e-12);
}

// The fixed frame under wind alone: the left column's moment line is curved and its largest
// value may lie at the foot; the check finds the place by the statics of the column.
TEST(SectionCheck, ColumnsUnderWindAndTheirPlaces) {
  InputSet in = testing::SteelPortal(3692, 3692);
  in.q = 0;
  in.wD = 6;
  Computation c = Frame(in, SystemType::FixedFrame);
  c.columnSection = "HE-A 200";
  const SectionCheck check = CheckSections(c, {});
  ASSERT_TRUE(check.columns.has_value());
  EXPECT_FALSE(check.beam.has_value()) << "kein Profil gewählt: no check";
  const SharedResults& r = c.results;
  double largest = 0;
  for (int i = 0; i <= 4000; ++i) {
    const double y = 4.0 * i / 4000;
    largest = std::max(largest, std::abs(r.MA - r.AH * y - 6 * y * y / 2));
    largest = std::max(largest, std::abs(r.MB - r.BH * y));
  }
  // HE-A 200: A = 53.8 cm², Wel = 389 cm³; the larger thrust is the right column's.
  const double sigma = 10 * std::max(std::abs(r.AV), std::abs(r.BV)) / 53.8 + 1000 * largest / 389;
  EXPECT_NEAR(check.columns->sigma, sigma, 1e-6 * sigma);
  EXPECT_EQ(check.columns->sigmaPlace, std::abs(r.MA) >= std::abs(r.MB) ? "Fuß A" : "Fuß B");
}

TEST(SectionCheck, ServiceabilityLimitsAndTheRows) {
  Computation c = Frame(testing::SteelPortal(1943, 57680), SystemType::TwoHingedFrame);
  c.beamSection = "HE-B 400";
  const Deformation& d = *c.deformation;
  const SectionCheck loose = CheckSections(c, {SteelGrade::S235, 150, 300});
  ASSERT_TRUE(loose.deflection.has_value());
  EXPECT_NEAR(loose.deflection->ratio, 8000 / std::abs(d.w), 1e-9);
  EXPECT_EQ(loose.deflection->met, std::abs(d.w) <= 8000.0 / 300);
  const int strict = static_cast<int>(8000 / std::abs(d.w)) + 1;
  EXPECT_FALSE(CheckSections(c, {SteelGrade::S235, 150, strict}).deflection->met);
  EXPECT_TRUE(CheckSections(c, {SteelGrade::S235, 150, strict - 1}).deflection->met);

  const std::vector<ListRow> rows = TakenComputation(c, {}).ListRows();
  const auto row = [&](const std::string& symbol) {
    for (const ListRow& r : rows) {
      if (r.symbol == symbol) {
        return r;
      }
    }
    ADD_FAILURE() << "no row " << symbol;
    return ListRow{};
  };
  EXPECT_EQ(row("Stahlsorte").value, "S235");
  EXPECT_EQ(row("Profil S").value, "kein Profil gewählt");
  EXPECT_EQ(row("Profil R").value, "HE-B 400");
  EXPECT_EQ(row("σR").value, FormatFixed2(loose.beam->sigma));
  EXPECT_EQ(row("σR").unit, "N/mm²");
  EXPECT_EQ(row("ηR").remark, "x = 4.00 m ab Punkt 2: Nachweis erfüllt");
  EXPECT_EQ(row("ηR").verdict, Verdict::Met);
  EXPECT_EQ(row("gR").remark, "Eigengewicht, nicht in den Lasten enthalten");
  EXPECT_EQ(row("w / L").value, "1/" + std::to_string(static_cast<int>(8000 / std::abs(d.w))));

  c.beamSection = "IPE 100";  // far too weak
  const std::vector<ListRow> weak = TakenComputation(c, {}).ListRows();
  const auto eta =
      std::find_if(weak.begin(), weak.end(), [](const ListRow& r) { return r.symbol == "ηR"; });
  ASSERT_NE(eta, weak.end());
  EXPECT_EQ(eta->verdict, Verdict::NotMet);
  EXPECT_NE(eta->remark.find("Nachweis nicht erfüllt"), std::string::npos);

  c.beamSection.clear();
  EXPECT_EQ(TakenComputation(c, {}).ListRows().size(), ResultListRows(c).size())
      << "no section, no check";
}

// The sway of a symmetric portal is rounding noise: no ratio is shown for it, the limit is met.
TEST(SectionCheck, SwayOfASymmetricPortalShowsNoRatio) {
  InputSet in = testing::SteelPortal(18260, 67120);  // HE-A 300 columns, an IPE 550 beam
  in.q = 7;
  in.L = 5;
  Computation c = Frame(in, SystemType::TwoHingedFrame);
  c.columnSection = "HE-A 300";
  c.beamSection = "IPE 550";
  ASSERT_LT(std::abs(c.deformation->u), 1e-9);
  const std::vector<ListRow> rows = CheckRows(c, CheckSections(c, {}));
  const ListRow& sway = rows[rows.size() - 2];  // u / h, then w / L
  EXPECT_EQ(sway.symbol + " = " + sway.value + " – " + sway.remark,
            "u / h = — – Grenze 1/150: erfüllt");
  EXPECT_EQ(sway.verdict, Verdict::Met);
}

struct RatioCase {
  double L;  // m
  double w;  // mm
  const char* shown;
  bool met;  // against L/300
};

void PrintTo(const RatioCase& c, std::ostream* out) {
  *out << std::setprecision(17) << "L " << c.L << " m, w " << c.w << " mm";
}

class DeflectionRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(DeflectionRatio, IsShownAsOneOverASensibleN) {
  Computation c = Frame(testing::SteelPortal(1943, 57680), SystemType::TwoHingedFrame);
  c.beamSection = "HE-B 400";
  c.inputs.L = GetParam().L;
  c.deformation->w = GetParam().w;
  const ListRow row = CheckRows(c, CheckSections(c, {})).back();  // w / L
  EXPECT_EQ(row.value, GetParam().shown);
  EXPECT_EQ(row.verdict, GetParam().met ? Verdict::Met : Verdict::NotMet);
}

INSTANTIATE_TEST_SUITE_P(
    SectionCheck, DeflectionRatio,
    ::testing::Values(RatioCase{8, 0, "—", true},        // nothing moves
                      RatioCase{8, 1e-13, "—", true},    // rounding noise
                      RatioCase{8, -0.004, "—", true},   // shows as 0.00 mm
                      RatioCase{8, 800, "1/10", false},  // n exactly 10
                      RatioCase{8, 8000 / 9.99, "1/9.9", false},
                      RatioCase{8, 800.0000000000001, "1/10", false},  // 10 to rounding
                      RatioCase{8, -3200, "1/2.5", false},             // n never negative
                      RatioCase{3, 10000, "1/0.30", false},            // 0.3 a hair low in binary
                      RatioCase{123456, 0.015625, "1/7901184000", true},
                      RatioCase{123456, 4.9e11, "1/0.00025", false},  // w far beyond L
                      RatioCase{1e15, 0.015625, "1/64000000000000000000", true}));

// The check's working: the σ, τ and η its formulas give, with the governing forces put in, are
// bit for bit those of the check, and each result line shows that value.
TEST(SectionCheck, TheWorkingGivesTheCheckedValues) {
  Computation c = Frame(testing::SteelPortal(1943, 57680), SystemType::TwoHingedFrame);
  c.columnSection = "IPE 200";
  c.beamSection = "HE-B 400";
  const CheckSettings s355{SteelGrade::S355, 150, 300};
  const SectionCheck check = CheckSections(c, s355);
  const std::vector<RechenwegStep> steps = CheckRechenweg(c, check);
  const auto step = [&](const std::string& target) {
    const auto found = std::find_if(steps.begin(), steps.end(),
                                    [&](const RechenwegStep& s) { return s.target == target; });
    return found != steps.end() ? *found : RechenwegStep{};
  };
  for (const auto& [index, member] : {std::pair{"S", *check.columns}, {"R", *check.beam}}) {
    const std::string m = index;
    EXPECT_EQ(step("σ" + m).value, member.sigma) << m;
    EXPECT_EQ(step("τ" + m).value, member.tau) << m;
    EXPECT_EQ(step("ησ" + m).value, member.etaSigma) << m;
    EXPECT_EQ(step("ητ" + m).value, member.etaTau) << m;
    EXPECT_EQ(step("η" + m).result, "η" + m + " = " + NumberText(member.Eta()));
    EXPECT_EQ(step("σ" + m).result, "σ" + m + " = " + NumberText(member.sigma) + " N/mm²");
  }
  // The beam's field moment governs σ: |M3| and |N2| are what is put in.
  const RechenwegStep sigmaR = step("σR");
  EXPECT_EQ(sigmaR.symbols, "σR = 10 · N / A + 1000 · M / Wel,y");
  EXPECT_EQ(step("M").value, std::abs(c.results.M2)) << "the first M is the columns'";
  EXPECT_NE(sigmaR.numbers.find("/ 198 +"), std::string::npos) << sigmaR.numbers;
  EXPECT_NE(sigmaR.numbers.find("/ 2884"), std::string::npos) << sigmaR.numbers;
  EXPECT_NE(step("ησS").reason.find("355 N/mm²"), std::string::npos);

  c.beamSection.clear();
  const std::vector<RechenwegStep> columnsOnly = CheckRechenweg(c, CheckSections(c, {}));
  EXPECT_EQ(std::count_if(columnsOnly.begin(), columnsOnly.end(),
                          [](const RechenwegStep& s) { return s.target.starts_with("σ"); }),
            1)
      << "only the member with a section";
}

// Loads that no section survives once gave "inf" for σ, τ and η.
TEST(SectionCheck, AnOverflowIsSaidNotShownAsInfinity) {
  InputSet in = testing::SteelPortal(1943, 57680);
  in.L = 5;
  in.q = 5e306;  // the forces stay finite, 1000 · M does not
  Computation c = Frame(in, SystemType::KinkedBeam);
  c.columnSection = "IPE 200";
  c.beamSection = "HE-B 400";
  const SectionCheck check = CheckSections(c, {});
  ASSERT_TRUE(check.beam.has_value());
  EXPECT_EQ(check.beam->fault, "Überlauf bei den Spannungen aus q = 5e+306")
      << "the load to look at";
  for (const ListRow& row : CheckRows(c, CheckSections(c, {}))) {
    EXPECT_EQ(row.value.find("inf"), std::string::npos) << row.symbol;
  }
  const std::vector<ListRow> rows = CheckRows(c, CheckSections(c, {}));
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const ListRow& row) {
    return row.symbol == "ηR" &&
           row.remark == "Nachweis nicht berechenbar: Überlauf bei den Spannungen aus q = 5e+306" &&
           row.verdict == Verdict::NotMet;
  }));
  const std::vector<RechenwegStep> steps = CheckRechenweg(c, CheckSections(c, {}));
  EXPECT_TRUE(std::none_of(steps.begin(), steps.end(), [](const RechenwegStep& s) {
    return s.target == "σR";
  })) << "no working of values that do not exist";
}

}  // namespace
}  // namespace strevo
