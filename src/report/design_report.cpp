#include "report/design_report.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/design/design_output.h"
#include "core/design/design_pictures.h"
#include "report/report_layout.h"

namespace strevo {
namespace {

const QColor kMetColour(0, 128, 0), kNotMetColour(220, 0, 0);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

FlowCell VerdictCell(bool met) {
  return met ? FlowCell{QStringLiteral("erfüllt"), kMetColour}
             : FlowCell{QStringLiteral("nicht erfüllt"), kNotMetColour, true};
}

const std::string& IdOf(const DesignResult& result, std::size_t combination) {
  return result.combinations[combination].combination.id;
}

QString MemberText(const Design& design, const MemberChoice& member, const char* I) {
  const QString stiffness =
      QStringLiteral("%1 = %2 cm4").arg(QLatin1String(I), Decimal(SecondMomentOf(member)));
  if (SectionOf(member) == nullptr) {
    return QStringLiteral("ohne Profil, %1 (kein Querschnittsnachweis)").arg(stiffness);
  }
  QString text = Text(member.section) + QStringLiteral(", ") + stiffness;
  if (design.selfWeight) {
    text += QStringLiteral(", Eigengewicht g = %1 kN/m").arg(Decimal(SelfWeightOf(member)));
  }
  return text;
}

TitleBlock BlockOf(const DesignResult& result, const ReportFacts& facts) {
  const ProjectHeader& project = result.design.project;
  return {QStringLiteral("Strevo-Bemessung"),
          Text(project.title),
          Text(project.position),
          Text(project.author),
          Text(SystemCaption(result.design.system)),
          facts.created.toString(QStringLiteral("dd.MM.yyyy"))};
}

QString RestraintText(const std::optional<double>& spacing) {
  return spacing ? QStringLiteral("Abstand höchstens %1 m").arg(Decimal(*spacing))
                 : QStringLiteral("nur an den Stabenden");
}

void WriteSectionsAndSteel(ReportFlow& flow, const DesignResult& result) {
  const Design& design = result.design;
  const std::vector<qreal> twoColumns{0.3, 0.7};
  const FlowRow header{{QStringLiteral("Stab")}, {QStringLiteral("Querschnitt")}};
  flow.Heading(QStringLiteral("Querschnitte und Werkstoff"));
  flow.Table(twoColumns, header,
             {{{QStringLiteral("Stützen")}, {MemberText(design, design.columns, "I1")}},
              {{QStringLiteral("Riegel")}, {MemberText(design, design.beam, "I2")}}});
  std::vector<MemberSection> sections;
  if (const SectionProperties* columns = SectionOf(design.columns)) {
    sections.push_back({QStringLiteral("Stützen"), columns});
  }
  if (const SectionProperties* beam = SectionOf(design.beam)) {
    sections.push_back({QStringLiteral("Riegel"), beam});
  }
  WriteSectionProperties(flow, sections, true);
  const CheckSettings& settings = design.settings;
  std::vector<FlowRow> steel{
      {{QStringLiteral("Stahlsorte")},
       {QStringLiteral("%1, fy = %2 N/mm², E = 210000 N/mm², γM0 = 1,0, γM1 = 1,1")
            .arg(QString::fromUtf8(GradeName(settings.grade)))
            .arg(YieldStrength(settings.grade))}}};
  if (!sections.empty()) {
    steel.push_back({{QStringLiteral("Seitliche Halterung der Stützen")},
                     {RestraintText(design.restraints.columns)}});
    steel.push_back({{QStringLiteral("Seitliche Halterung des Riegels")},
                     {RestraintText(design.restraints.beam)}});
  }
  flow.Table(twoColumns, {{QStringLiteral("Werkstoff")}, {QStringLiteral("Wert")}}, steel);
}

// A case's loads beside q and F, one after another: "Teillast q = 2,90 kN/m von 0,00 bis
// 1,20 m; Einzellast F = 12,00 kN bei a = 3,00 m"; empty for none.
QString FurtherLoadsText(const DesignCase& loadCase) {
  QStringList loads;
  for (const PartialBeamLoad& load : loadCase.partial) {
    loads << QStringLiteral("Teillast q = %1 kN/m von %2 bis %3 m")
                 .arg(Decimal(load.q), Decimal(load.from), Decimal(load.to));
  }
  for (const BeamPointLoad& load : loadCase.points) {
    loads << QStringLiteral("Einzellast F = %1 kN bei a = %2 m")
                 .arg(Decimal(load.F), Decimal(load.a));
  }
  return loads.join(QStringLiteral("; "));
}

// The further loads have a table of their own: a case may hold any number of them.
void WriteFurtherLoads(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const DesignCase& c : result.cases) {
    if (const QString loads = FurtherLoadsText(c); !loads.isEmpty()) {
      rows.push_back({{Text(c.name)}, {loads}});
    }
  }
  if (rows.empty()) {
    return;
  }
  flow.Paragraph(QStringLiteral(
      "Weitere Lasten auf dem Riegel: Teillasten q (positiv nach unten) von … bis … und "
      "Einzellasten F im Abstand a, jeweils gemessen von Punkt 2."));
  flow.Table({0.15, 0.85}, {{QStringLiteral("Lastfall")}, {QStringLiteral("Weitere Lasten")}},
             rows);
}

void WriteCases(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const DesignCase& c : result.cases) {
    rows.push_back({{Text(c.name)},
                    {StatedNumbers(ActionText(c))},
                    {Decimal(c.loads.q)},
                    {Decimal(c.loads.F)},
                    {Decimal(c.loads.a)},
                    {Decimal(c.loads.wD)},
                    {Decimal(c.loads.wS)}});
  }
  flow.Heading(QStringLiteral("Lastannahmen"));
  flow.Paragraph(QStringLiteral(
      "Charakteristische Lastfälle: q Gleichlast auf dem Riegel (positiv nach unten), F "
      "Einzellast auf dem Riegel im Abstand a von Punkt 2, wD und wS Gleichlasten auf der "
      "linken und der rechten Stütze (positiv nach rechts)."));
  flow.Table({0.15, 0.35, 0.1, 0.1, 0.1, 0.1, 0.1},
             {{QStringLiteral("Lastfall")},
              {QStringLiteral("Einwirkung")},
              {QStringLiteral("q\n[kN/m]")},
              {QStringLiteral("F\n[kN]")},
              {QStringLiteral("a\n[m]")},
              {QStringLiteral("wD\n[kN/m]")},
              {QStringLiteral("wS\n[kN/m]")}},
             rows);
  WriteFurtherLoads(flow, result);
  flow.Paragraph(
      result.design.selfWeight
          ? QStringLiteral("Eigengewicht: der Riegel im Lastfall „%1“, die Stützen in ihrer "
                           "Normalkraft.")
                .arg(QString::fromUtf8(kSelfWeightCaseName))
          : QStringLiteral("Das Eigengewicht der Stäbe ist nicht berücksichtigt."));
  flow.Paragraph(QStringLiteral("Wind wird von links eingegeben; von rechts wirkt er gespiegelt."));
}

void WriteCombinations(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const CombinationResult& c : result.combinations) {
    rows.push_back({{Text(c.combination.id)}, {Text(c.combination.label)}});
  }
  flow.Heading(QStringLiteral("Kombinationen"));
  flow.Paragraph(
      QStringLiteral("GZT: Grenzzustand der Tragfähigkeit (EN 1990, Gl. 6.10); GZG: Grenzzustand "
                     "der Gebrauchstauglichkeit, charakteristisch (Gl. 6.14b). W→ Wind von links, "
                     "W← Wind von rechts. Die Beiwerte stehen vor den Lastfällen."));
  flow.Table({0.2, 0.8}, {{QStringLiteral("Kombination")}, {QStringLiteral("Beiwerte")}}, rows);
}

// Each combination that governs a check, once, in the order of the checks, with what it governs.
std::vector<std::pair<std::size_t, QStringList>> GoverningCombinations(const DesignChecks& checks) {
  std::vector<std::pair<std::size_t, QStringList>> governing;
  const auto add = [&](std::size_t combination, const char* what) {
    const auto known = std::find_if(governing.begin(), governing.end(),
                                    [&](const auto& g) { return g.first == combination; });
    if (known != governing.end()) {
      known->second.push_back(QString::fromUtf8(what));
    } else {
      governing.push_back({combination, {QString::fromUtf8(what)}});
    }
  };
  if (checks.columns) {
    add(checks.columns->combination, "Stützen");
  }
  if (checks.beam) {
    add(checks.beam->combination, "Riegel");
  }
  if (checks.sway) {
    add(checks.sway->combination, "Verschiebung");
  }
  if (checks.deflection) {
    add(checks.deflection->combination, "Durchbiegung");
  }
  return governing;
}

// Four values a row: "AH = 12.34 kN".
void WriteValues(ReportFlow& flow, const std::vector<ResultValue>& values) {
  constexpr std::size_t kColumns = 4;
  std::vector<FlowRow> rows;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i % kColumns == 0) {
      rows.emplace_back();
    }
    const QString value = values[i].value ? Decimal(*values[i].value) : QStringLiteral("—");
    rows.back().push_back(
        {QStringLiteral("%1 = %2 %3")
             .arg(QString::fromUtf8(values[i].symbol), value, QString::fromUtf8(values[i].unit))});
  }
  flow.Table(std::vector<qreal>(kColumns, 1.0 / kColumns), {}, rows);
}

void WriteGoverningCombinations(ReportFlow& flow, const DesignResult& result) {
  flow.Subheading(QStringLiteral("Maßgebende Kombinationen"));
  const ForceKind kinds[] = {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal};
  for (const auto& [index, governs] : GoverningCombinations(result.checks)) {
    const CombinationResult& c = result.combinations[index];
    flow.Caption(Text(c.combination.id + ": " + c.combination.label) +
                 QStringLiteral(" – maßgebend für: ") + governs.join(QStringLiteral(", ")));
    WriteValues(flow, ResultValuesOf(c));
    if (c.stability && !c.stability->unstable) {
      flow.Caption(QStringLiteral("Bemessungsschnittgrößen (%1):")
                       .arg(QString::fromUtf8(TheoryName(*c.stability))));
      WriteValues(flow, DesignValuesOf(*c.stability));
    }
    if (c.combination.state == LimitState::Ultimate) {
      std::vector<ReportPicture> pictures;
      for (const ForceKind kind : kinds) {
        pictures.push_back(DesignForcePicture(result, index, kind));
      }
      if (c.stability && !c.stability->unstable) {
        flow.Caption(QStringLiteral("Die Bemessungsschnittgrößen im Bild:"));
      }
      WritePictures(flow, pictures, 3);
    }
  }
}

QString LengthText(const std::optional<double>& length) {
  return length ? Decimal(*length) : QStringLiteral("—");
}

// αcr, the mode, the columns' buckling lengths, φ and the theory of every ultimate combination.
void WriteStability(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const CombinationResult& c : result.combinations) {
    if (!c.stability) {
      continue;
    }
    const CombinationStability& st = *c.stability;
    const bool finite = std::isfinite(st.critical.factor);
    rows.push_back(
        {{Text(c.combination.id)},
         {finite ? Decimal(st.critical.factor) : QStringLiteral("—"),
          st.unstable ? kNotMetColour : Qt::black, st.unstable},
         {finite ? QString::fromUtf8(ModeName(st.critical.mode)) : QStringLiteral("kein Druck")},
         {LengthText(st.columnBucklingLength[0])},
         {LengthText(st.columnBucklingLength[1])},
         {Text(ImperfectionText(st.imperfection))},
         st.unstable ? FlowCell{QStringLiteral("instabil (αcr ≤ 1)"), kNotMetColour, true}
                     : FlowCell{QString::fromUtf8(TheoryName(st))}});
  }
  if (rows.empty()) {
    return;
  }
  flow.Subheading(QStringLiteral("Stabilität des Rahmens (GZT)"));
  flow.Paragraph(QStringLiteral(
      "αcr: kleinster Verzweigungslastfaktor der Normalkräfte, mit exakten Stabilitätsfunktionen "
      "über alle Eigenformen gesucht. Lcr = π · √(EI1 / (αcr · N)) der gedrückten Stützen. "
      "Schiefstellung φ = φ0 · αh · αm (EN 1993-1-1, 5.3.2) als Ersatzkräfte φ · N an den "
      "Stützen. Bei αcr < 10 werden die Schnittgrößen nach Theorie II. Ordnung bestimmt."));
  flow.Table({0.16, 0.1, 0.2, 0.12, 0.12, 0.1, 0.2},
             {{QStringLiteral("Kombination")},
              {QStringLiteral("αcr")},
              {QStringLiteral("Eigenform")},
              {QStringLiteral("Lcr links [m]")},
              {QStringLiteral("Lcr rechts [m]")},
              {QStringLiteral("φ")},
              {QStringLiteral("Schnittgrößen")}},
             rows);
}

void WriteInternalForces(ReportFlow& flow, const DesignResult& result) {
  flow.Heading(QStringLiteral("Schnittgrößen"));
  WriteStability(flow, result);
  if (HasEnvelope(result)) {
    flow.Subheading(QStringLiteral("Umhüllende der GZT-Kombinationen"));
    flow.Paragraph(QStringLiteral(
        "Die Umhüllende zeigt die Schnittgrößen nach Theorie I. Ordnung ohne Schiefstellung. "
        "Nachgewiesen wird mit den Bemessungsschnittgrößen der maßgebenden Kombinationen "
        "(Schiefstellung, bei αcr < 10 Theorie II. Ordnung); sie stehen mit ihren Bildern "
        "unter „Maßgebende Kombinationen“."));
    WritePictures(
        flow,
        {EnvelopePicture(result, ForceKind::Moment), EnvelopePicture(result, ForceKind::Shear),
         EnvelopePicture(result, ForceKind::Normal)},
        2);
  }
  WriteGoverningCombinations(flow, result);
}

FlowCell EtaCell(double eta, bool met) {
  return {std::isfinite(eta) ? Decimal(EtaText(eta)) : QStringLiteral("—"),
          met ? Qt::black : kNotMetColour, !met};
}

FlowCell MemberCell(const std::optional<MemberDesign>& check) {
  return check ? EtaCell(check->Eta(), check->Met()) : FlowCell{};
}

FlowCell LimitCell(const std::optional<LimitCheck>& check) {
  if (!check) {
    return {};
  }
  const QString ratio = check->ratio > 0 ? Decimal(check->ratio) : QStringLiteral("—");
  return {ratio, check->met ? Qt::black : kNotMetColour, !check->met};
}

// Which check governs and where: "Biegedrillknicken, Riegel zwischen … und …".
QString GoverningText(const MemberDesign& check) {
  if (check.unstable) {
    return QStringLiteral("Rahmen instabil (αcr ≤ 1)");
  }
  const MemberCheckKind kind = GoverningCheck(check);
  QString text =
      QString::fromUtf8(CheckName(kind)) + QStringLiteral(", ") + Commas(CheckPlace(check, kind));
  if (!check.verification.covered) {
    text += QStringLiteral("; Klasse 4: nicht abgedeckt");
  }
  return text;
}

FlowCell PlaceCell(const std::optional<MemberDesign>& check) {
  return {check ? GoverningText(*check) : QString()};
}

// Each member's largest η of the given checks, with its combination and place.
void WriteMemberChecks(ReportFlow& flow, const DesignResult& result,
                       std::initializer_list<MemberCheckKind> kinds) {
  std::vector<FlowRow> rows;
  using Which = std::optional<MemberDesign> CombinationResult::*;
  const auto member = [&](const char* name, const MemberChoice& choice,
                          const std::optional<GoverningMember>& g, Which which) {
    if (!g) {
      return;
    }
    const QString caption =
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(name), Text(choice.section));
    for (const MemberCheckKind kind : kinds) {
      const GoverningMember::Largest& largest = LargestOf(*g, kind);
      const CombinationResult& c = result.combinations[largest.combination];
      const std::optional<MemberDesign>& at = c.*which;
      rows.push_back({{caption + QStringLiteral(": ") + QString::fromUtf8(CheckName(kind))},
                      {Decimal(EtaText(largest.eta))},
                      {QStringLiteral("1,00")},
                      {Text(IdOf(result, largest.combination))},
                      {at ? Commas(CheckPlace(*at, kind)) : QString()},
                      VerdictCell(largest.eta <= 1)});
    }
  };
  member("Stützen", result.design.columns, result.checks.columns, &CombinationResult::columns);
  member("Riegel", result.design.beam, result.checks.beam, &CombinationResult::beam);
  flow.Table({0.24, 0.09, 0.1, 0.16, 0.25, 0.16},
             {{QStringLiteral("Nachweis")},
              {QStringLiteral("η")},
              {QStringLiteral("Grenze")},
              {QStringLiteral("Kombination")},
              {QStringLiteral("Stelle")},
              {QStringLiteral("Ergebnis")}},
             rows);
}

// The values of each member's checks in its governing combination.
void WriteMemberValues(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  const auto member = [&](const char* name, const std::optional<GoverningMember>& g) {
    if (!g || g->check.unstable) {
      return;
    }
    const MemberVerification& v = g->check.verification;
    rows.push_back({{QString::fromUtf8(name)},
                    {Text(IdOf(result, g->combination))},
                    {QString::number(v.crossSection.sectionClass)},
                    {Decimal(v.bucklingY.chi)},
                    {Decimal(v.bucklingZ.chi)},
                    {Decimal(v.lateralTorsional.chi)},
                    {Decimal(v.bucklingY.lambda)},
                    {Decimal(v.bucklingZ.lambda)},
                    {Decimal(v.lateralTorsional.lambda)},
                    {Decimal(v.lateralTorsional.Mcr)},
                    {Decimal(v.lateralTorsional.C1)}});
  };
  member("Stützen", result.checks.columns);
  member("Riegel", result.checks.beam);
  if (rows.empty()) {
    return;
  }
  flow.Paragraph(QStringLiteral("Werte der maßgebenden Kombination:"));
  flow.Table({0.1, 0.16, 0.08, 0.07, 0.07, 0.075, 0.07, 0.07, 0.075, 0.13, 0.095},
             {{QStringLiteral("Stab")},
              {QStringLiteral("Kombination")},
              {QStringLiteral("Klasse")},
              {QStringLiteral("χy")},
              {QStringLiteral("χz")},
              {QStringLiteral("χLT")},
              {QStringLiteral("λ̄y")},
              {QStringLiteral("λ̄z")},
              {QStringLiteral("λ̄LT")},
              {QStringLiteral("Mcr [kNm]")},
              {QStringLiteral("C1")}},
             rows);
}

void WriteUtilisations(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> ultimate;
  for (const CombinationResult& c : result.combinations) {
    if (c.combination.state == LimitState::Ultimate) {
      ultimate.push_back({{Text(c.combination.id)},
                          MemberCell(c.columns),
                          PlaceCell(c.columns),
                          MemberCell(c.beam),
                          PlaceCell(c.beam)});
    }
  }
  flow.Subheading(QStringLiteral("Ausnutzung je Kombination"));
  flow.Paragraph(
      QStringLiteral("Ausnutzung η der Stäbe (GZT), der größte der fünf Nachweise, Grenze 1,00:"));
  flow.Table({0.16, 0.12, 0.3, 0.12, 0.3},
             {{QStringLiteral("Kombination")},
              {QStringLiteral("η Stützen")},
              {QStringLiteral("maßgebend")},
              {QStringLiteral("η Riegel")},
              {QStringLiteral("maßgebend")}},
             ultimate);
}

void WriteServiceability(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const CombinationResult& c : result.combinations) {
    if (c.combination.state == LimitState::Serviceability) {
      rows.push_back(
          {{Text(c.combination.id)}, LimitCell(c.check.sway), LimitCell(c.check.deflection)});
    }
  }
  if (rows.empty()) {
    return;
  }
  const CheckSettings& settings = result.design.settings;
  flow.Subheading(QStringLiteral("Gebrauchstauglichkeit (GZG)"));
  flow.Paragraph(
      QStringLiteral("Verformungen (GZG): Verschiebung des Riegels u ≤ h/%1, Durchbiegung des "
                     "Riegels w ≤ L/%2; h/u muss mindestens %1, L/w mindestens %2 sein.")
          .arg(settings.swayLimit)
          .arg(settings.deflectionLimit));
  flow.Table({0.2, 0.4, 0.4},
             {{QStringLiteral("Kombination")}, {QStringLiteral("h/u")}, {QStringLiteral("L/w")}},
             rows);
  std::vector<FlowRow> governing;
  const auto limit = [&](const char* name, int n, const std::optional<GoverningLimit>& g,
                         const QString& place) {
    if (g) {
      governing.push_back({{QString::fromUtf8(name)},
                           LimitCell(g->check),
                           {QString::number(n)},
                           {Text(IdOf(result, g->combination))},
                           {place},
                           VerdictCell(g->check.met)});
    }
  };
  const auto& deflection = result.checks.deflection;
  const auto& shape =
      deflection ? result.combinations[deflection->combination].solution.deformation : std::nullopt;
  limit("Verschiebung h/u", settings.swayLimit, result.checks.sway,
        QStringLiteral("Riegel (Punkte 2 bis 4)"));
  limit("Durchbiegung L/w", settings.deflectionLimit, deflection,
        shape ? QStringLiteral("Riegel, x = %1 m ab Punkt 2").arg(Decimal(shape->xw))
              : QStringLiteral("Riegel"));
  flow.Table({0.24, 0.09, 0.1, 0.16, 0.25, 0.16},
             {{QStringLiteral("Nachweis")},
              {QStringLiteral("Wert")},
              {QStringLiteral("Grenze")},
              {QStringLiteral("Kombination")},
              {QStringLiteral("Stelle")},
              {QStringLiteral("Ergebnis")}},
             governing);
}

void WriteChecks(ReportFlow& flow, const DesignResult& result) {
  const DesignChecks& checks = result.checks;
  flow.Heading(QStringLiteral("Nachweise"));
  if (checks.columns || checks.beam) {
    flow.Subheading(QStringLiteral("Querschnittsnachweise (GZT)"));
    WriteMemberChecks(flow, result, {MemberCheckKind::CrossSection});
    flow.Subheading(QStringLiteral("Stabilitätsnachweise der Stäbe (GZT)"));
    WriteMemberChecks(flow, result,
                      {MemberCheckKind::BucklingY, MemberCheckKind::BucklingZ,
                       MemberCheckKind::LateralTorsional, MemberCheckKind::Interaction});
    WriteMemberValues(flow, result);
    WriteUtilisations(flow, result);
  }
  WriteServiceability(flow, result);
  if (checks.AllMet()) {
    flow.Paragraph(QStringLiteral("Alle Nachweise sind erfüllt."), kMetColour, true);
  } else {
    flow.Paragraph(QStringLiteral("Nicht alle Nachweise sind erfüllt."), kNotMetColour, true);
  }
  if (checks.columns || checks.beam) {
    flow.Paragraph(StatedNumbers(kDesignCheckStatement));
  }
}

// The deflected shape of the combination that governs the beam's deflection, else the sway.
// Drawn as a computation of the combination's own solution, without load arrows: its loads
// are the cases' combined.
void WriteDeflectedShape(ReportFlow& flow, const DesignResult& result) {
  const std::optional<GoverningLimit>& g =
      result.checks.deflection ? result.checks.deflection : result.checks.sway;
  if (!g || !result.combinations[g->combination].solution.deformation) {
    return;
  }
  const CombinationResult& c = result.combinations[g->combination];
  Computation shape;
  shape.system = result.design.system;
  shape.inputs = InputsOf(result.portal, LoadCase{});
  shape.results = c.values;
  shape.forces = c.solution.lines;
  shape.deformation = c.solution.deformation;
  const ReportPicture system = DrawReportPictures(shape)[0];
  WritePictures(flow, {DeflectedShapePicture(shape, system, "Biegelinie " + c.combination.id)}, 2);
}

QString Millimetres(const std::optional<Deformation>& d, double Deformation::*value,
                    const char* unit) {
  return d ? Decimal((*d).*value) + QLatin1Char(' ') + QString::fromUtf8(unit)
           : QStringLiteral("—");
}

// u, w and where w is largest in every serviceability combination.
void WriteDeformations(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const CombinationResult& c : result.combinations) {
    if (c.combination.state == LimitState::Serviceability) {
      const std::optional<Deformation>& d = c.solution.deformation;
      rows.push_back({{Text(c.combination.id)},
                      {Millimetres(d, &Deformation::u, "mm")},
                      {Millimetres(d, &Deformation::w, "mm")},
                      {Millimetres(d, &Deformation::xw, "m")}});
    }
  }
  if (rows.empty()) {
    return;
  }
  flow.Heading(QStringLiteral("Verformungen"));
  flow.Paragraph(QStringLiteral(
      "Charakteristische Kombinationen (GZG), Stahl E = 210000 N/mm²: u Verschiebung des "
      "Riegels, positiv nach rechts; w größte Durchbiegung des Riegels, positiv nach unten, an "
      "der Stelle xw ab Punkt 2."));
  flow.Table({0.25, 0.25, 0.25, 0.25},
             {{QStringLiteral("Kombination")},
              {QStringLiteral("u")},
              {QStringLiteral("w")},
              {QStringLiteral("xw")}},
             rows);
  WriteDeflectedShape(flow, result);
}

}  // namespace

void WriteDesignPart(ReportFlow& flow, const DesignResult& result, const ReportFacts& facts) {
  flow.Part(BlockOf(result, facts));
  WriteTitle(
      flow,
      QStringLiteral("Bemessung eines symmetrischen Stahlrahmens nach EN 1990 und %1, mit Strevo")
          .arg(QString::fromUtf8(GermanAnnex().name)),
      facts.created, facts.inputsChanged);
  flow.Heading(QStringLiteral("System und Abmessungen"));
  WriteSystem(flow, result.design.system, result.design.h, result.design.L);
  WriteSectionsAndSteel(flow, result);
  WriteCases(flow, result);
  WriteCombinations(flow, result);
  WriteInternalForces(flow, result);
  WriteChecks(flow, result);
  WriteDeformations(flow, result);
  if (const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result); !steps.empty()) {
    flow.Appendix(QStringLiteral("Anhang: Rechenweg der maßgebenden Stabnachweise"));
    WriteRechenweg(flow, steps);
  }
}

void WriteDesignReport(QIODevice& device, const DesignResult& result, const ReportFacts& facts) {
  QPdfWriter writer(&device);
  const std::string& title = result.design.project.title;
  SetUpWriter(writer, title.empty() ? QStringLiteral("Strevo-Bemessung")
                                    : QStringLiteral("Strevo-Bemessung – ") + Text(title));
  ReportFlow flow(writer);
  WriteDesignPart(flow, result, facts);
  QPainter painter(&writer);
  flow.Write(writer, painter);
}

}  // namespace strevo
