#include "design_report.h"

#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "design_output.h"
#include "design_pictures.h"
#include "report_flow.h"
#include "report_layout.h"
#include "result_list.h"
#include "text_rules.h"

namespace strevo {
namespace {

const QColor kMetColour(0, 128, 0), kNotMetColour(220, 0, 0);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Fixed(double value) {
  return Text(FormatFixed2(value));
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
      QStringLiteral("%1 = %2 cm4").arg(QLatin1String(I), Fixed(SecondMomentOf(member)));
  if (SectionOf(member) == nullptr) {
    return QStringLiteral("ohne Profil, %1 (kein Querschnittsnachweis)").arg(stiffness);
  }
  QString text = Text(member.section) + QStringLiteral(", ") + stiffness;
  if (design.selfWeight) {
    text += QStringLiteral(", Eigengewicht g = %1 kN/m").arg(Fixed(SelfWeightOf(member)));
  }
  return text;
}

void WriteProject(ReportFlow& flow, const DesignResult& result, const ReportFacts& facts) {
  const ProjectHeader& project = result.design.project;
  flow.Title(QStringLiteral("Strevo-Bemessung"));
  const std::pair<const char*, const std::string&> lines[] = {
      {"Projekt", project.title}, {"Position", project.position}, {"Bearbeiter", project.author}};
  for (const auto& [what, text] : lines) {
    if (!text.empty()) {
      flow.Paragraph(QStringLiteral("%1: %2").arg(QString::fromUtf8(what), Text(text)), Qt::black,
                     true);
    }
  }
  flow.Paragraph(QStringLiteral("Erstellt am %1 um %2 Uhr")
                     .arg(facts.created.toString(QStringLiteral("dd.MM.yyyy")),
                          facts.created.toString(QStringLiteral("HH:mm"))));
  if (facts.inputsChanged) {
    flow.Paragraph(QString::fromUtf8(kInputsChangedNote), Qt::darkRed, true);
  }
}

void WritePortal(ReportFlow& flow, const DesignResult& result) {
  const Design& design = result.design;
  const std::vector<qreal> twoColumns{0.3, 0.7};
  const FlowRow header{{QStringLiteral("Größe")}, {QStringLiteral("Wert")}};
  flow.Heading(QStringLiteral("Rahmen und Querschnitte"));
  flow.Table(twoColumns, header,
             {{{QStringLiteral("System")}, {Text(SystemCaption(design.system))}},
              {{QStringLiteral("Stützenhöhe h")}, {Fixed(design.h) + QStringLiteral(" m")}},
              {{QStringLiteral("Spannweite L")}, {Fixed(design.L) + QStringLiteral(" m")}},
              {{QStringLiteral("Stützen")}, {MemberText(design, design.columns, "I1")}},
              {{QStringLiteral("Riegel")}, {MemberText(design, design.beam, "I2")}}});
  flow.Heading(QStringLiteral("Stahl und Grenzwerte"));
  const CheckSettings& settings = design.settings;
  const QString selfWeight = design.selfWeight
                                 ? QStringLiteral(
                                       "berücksichtigt: Riegel im Lastfall „%1“, Stützen in "
                                       "ihrer Normalkraft")
                                       .arg(QString::fromUtf8(kSelfWeightCaseName))
                                 : QStringLiteral("nicht berücksichtigt");
  flow.Table(twoColumns, header,
             {{{QStringLiteral("Stahlsorte")},
               {QStringLiteral("%1, fy = %2 N/mm², γM0 = 1.0")
                    .arg(QString::fromUtf8(GradeName(settings.grade)))
                    .arg(YieldStrength(settings.grade))}},
              {{QStringLiteral("Verschiebung des Riegels")},
               {QStringLiteral("u ≤ h/%1").arg(settings.swayLimit)}},
              {{QStringLiteral("Durchbiegung des Riegels")},
               {QStringLiteral("w ≤ L/%1").arg(settings.deflectionLimit)}},
              {{QStringLiteral("Eigengewicht")}, {selfWeight}}});
}

void WriteCases(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> rows;
  for (const DesignCase& c : result.cases) {
    rows.push_back({{Text(c.name)},
                    {Text(ActionText(c))},
                    {Fixed(c.loads.q)},
                    {Fixed(c.loads.F)},
                    {Fixed(c.loads.a)},
                    {Fixed(c.loads.wD)},
                    {Fixed(c.loads.wS)}});
  }
  flow.Heading(QStringLiteral("Lastfälle"));
  flow.Table({0.15, 0.45, 0.08, 0.08, 0.08, 0.08, 0.08},
             {{QStringLiteral("Lastfall")},
              {QStringLiteral("Einwirkung")},
              {QStringLiteral("q [kN/m]")},
              {QStringLiteral("F [kN]")},
              {QStringLiteral("a [m]")},
              {QStringLiteral("wD [kN/m]")},
              {QStringLiteral("wS [kN/m]")}},
             rows);
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
                     "W← Wind von rechts."));
  flow.Table({0.2, 0.8}, {{QStringLiteral("Kombination")}, {QStringLiteral("Bezeichnung")}}, rows);
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
    const QString value = values[i].value ? Fixed(*values[i].value) : QStringLiteral("—");
    rows.back().push_back(
        {QStringLiteral("%1 = %2 %3")
             .arg(QString::fromUtf8(values[i].symbol), value, QString::fromUtf8(values[i].unit))});
  }
  flow.Table(std::vector<qreal>(kColumns, 1.0 / kColumns), {}, rows);
}

void WriteGoverningValues(ReportFlow& flow, const DesignResult& result) {
  flow.Heading(QStringLiteral("Werte der maßgebenden Kombinationen"));
  for (const auto& [index, governs] : GoverningCombinations(result.checks)) {
    const Combination& combination = result.combinations[index].combination;
    flow.Subheading(Text(combination.id + ": " + combination.label));
    flow.Paragraph(QStringLiteral("maßgebend für: ") + governs.join(QStringLiteral(", ")));
    const CombinationResult& c = result.combinations[index];
    WriteValues(flow, ResultValuesOf(c));
    if (c.stability && !c.stability->unstable) {
      flow.Paragraph(QStringLiteral("Bemessungsschnittgrößen (%1):")
                         .arg(QString::fromUtf8(TheoryName(*c.stability))));
      WriteValues(flow, DesignValuesOf(*c.stability));
    }
  }
}

QString LengthText(const std::optional<double>& length) {
  return length ? Fixed(*length) : QStringLiteral("—");
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
         {finite ? Fixed(st.critical.factor) : QStringLiteral("—"),
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
  flow.Heading(QStringLiteral("Stabilität des Rahmens (GZT)"));
  flow.Paragraph(QStringLiteral(
      "αcr: kleinster Verzweigungslastfaktor der Normalkräfte, mit exakten Stabilitätsfunktionen "
      "über alle Eigenformen gesucht. Lcr = π · √(EI1 / (αcr · N)) der gedrückten Stützen. "
      "Schiefstellung φ = φ0 · αh · αm (EN 1993-1-1, 5.3.2) als Ersatzkräfte φ · N an den "
      "Stützen. Bei αcr < 10 werden die Schnittgrößen nach Theorie II. Ordnung bestimmt."));
  flow.Table({0.14, 0.1, 0.2, 0.12, 0.12, 0.1, 0.22},
             {{QStringLiteral("Kombination")},
              {QStringLiteral("αcr")},
              {QStringLiteral("Eigenform")},
              {QStringLiteral("Lcr links [m]")},
              {QStringLiteral("Lcr rechts [m]")},
              {QStringLiteral("φ")},
              {QStringLiteral("Schnittgrößen")}},
             rows);
}

FlowCell EtaCell(double eta, bool met) {
  return {std::isfinite(eta) ? Text(EtaText(eta)) : QStringLiteral("—"),
          met ? Qt::black : kNotMetColour, !met};
}

FlowCell MemberCell(const std::optional<MemberDesign>& check) {
  return check ? EtaCell(check->Eta(), check->Met()) : FlowCell{};
}

FlowCell LimitCell(const std::optional<LimitCheck>& check) {
  if (!check) {
    return {};
  }
  const QString ratio = check->ratio > 0 ? Fixed(check->ratio) : QStringLiteral("—");
  return {ratio, check->met ? Qt::black : kNotMetColour, !check->met};
}

// Which check governs and where: "Biegedrillknicken, Riegel zwischen … und …".
QString GoverningText(const MemberDesign& check) {
  if (check.unstable) {
    return QStringLiteral("Rahmen instabil (αcr ≤ 1)");
  }
  const MemberCheckKind kind = GoverningCheck(check);
  QString text =
      QString::fromUtf8(CheckName(kind)) + QStringLiteral(", ") + Text(CheckPlace(check, kind));
  if (!check.verification.covered) {
    text += QStringLiteral("; Klasse 4: nicht abgedeckt");
  }
  return text;
}

FlowCell PlaceCell(const std::optional<MemberDesign>& check) {
  return {check ? GoverningText(*check) : QString()};
}

void WriteChecksPerCombination(ReportFlow& flow, const DesignResult& result) {
  std::vector<FlowRow> ultimate, serviceability;
  for (const CombinationResult& c : result.combinations) {
    const FlowCell id{Text(c.combination.id)};
    if (c.combination.state == LimitState::Ultimate) {
      ultimate.push_back(
          {id, MemberCell(c.columns), PlaceCell(c.columns), MemberCell(c.beam), PlaceCell(c.beam)});
    } else {
      serviceability.push_back({id, LimitCell(c.check.sway), LimitCell(c.check.deflection)});
    }
  }
  flow.Heading(QStringLiteral("Nachweise je Kombination"));
  if (result.checks.columns || result.checks.beam) {
    flow.Paragraph(QStringLiteral(
        "Ausnutzung η der Stäbe (GZT), der größte der fünf Nachweise, Grenze 1.00:"));
    flow.Table({0.16, 0.12, 0.3, 0.12, 0.3},
               {{QStringLiteral("Kombination")},
                {QStringLiteral("η Stützen")},
                {QStringLiteral("maßgebend")},
                {QStringLiteral("η Riegel")},
                {QStringLiteral("maßgebend")}},
               ultimate);
  }
  if (!serviceability.empty()) {
    const CheckSettings& settings = result.design.settings;
    flow.Paragraph(QStringLiteral("Verformungen (GZG): h/u mindestens %1, L/w mindestens %2:")
                       .arg(settings.swayLimit)
                       .arg(settings.deflectionLimit));
    flow.Table({0.2, 0.4, 0.4},
               {{QStringLiteral("Kombination")}, {QStringLiteral("h/u")}, {QStringLiteral("L/w")}},
               serviceability);
  }
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
                    {Fixed(v.bucklingY.chi)},
                    {Fixed(v.bucklingZ.chi)},
                    {Fixed(v.lateralTorsional.chi)},
                    {Fixed(v.bucklingY.lambda)},
                    {Fixed(v.bucklingZ.lambda)},
                    {Fixed(v.lateralTorsional.lambda)},
                    {Fixed(v.lateralTorsional.Mcr)},
                    {Fixed(v.lateralTorsional.C1)}});
  };
  member("Stützen", result.checks.columns);
  member("Riegel", result.checks.beam);
  if (rows.empty()) {
    return;
  }
  flow.Paragraph(QStringLiteral("Werte der maßgebenden Kombination (Mcr in kNm):"));
  flow.Table({0.1, 0.14, 0.09, 0.075, 0.075, 0.075, 0.075, 0.075, 0.075, 0.12, 0.095},
             {{QStringLiteral("Stab")},
              {QStringLiteral("Kombination")},
              {QStringLiteral("Klasse")},
              {QStringLiteral("χy")},
              {QStringLiteral("χz")},
              {QStringLiteral("χLT")},
              {QStringLiteral("λ̄y")},
              {QStringLiteral("λ̄z")},
              {QStringLiteral("λ̄LT")},
              {QStringLiteral("Mcr")},
              {QStringLiteral("C1")}},
             rows);
}

void WriteGoverningChecks(ReportFlow& flow, const DesignResult& result) {
  const DesignChecks& checks = result.checks;
  std::vector<FlowRow> rows;
  using Which = std::optional<MemberDesign> CombinationResult::*;
  const auto member = [&](const char* name, const MemberChoice& choice,
                          const std::optional<GoverningMember>& g, Which which) {
    if (!g) {
      return;
    }
    const QString caption =
        QStringLiteral("%1 (%2)").arg(QString::fromUtf8(name), Text(choice.section));
    for (const MemberCheckKind kind : kMemberCheckKinds) {
      const GoverningMember::Largest& largest = LargestOf(*g, kind);
      const CombinationResult& c = result.combinations[largest.combination];
      const std::optional<MemberDesign>& at = c.*which;
      rows.push_back({{caption + QStringLiteral(": ") + QString::fromUtf8(CheckName(kind))},
                      {Text(EtaText(largest.eta))},
                      {QStringLiteral("1.00")},
                      {Text(IdOf(result, largest.combination))},
                      {at ? Text(CheckPlace(*at, kind)) : QString()},
                      VerdictCell(largest.eta <= 1)});
    }
    const MemberDesign& check = g->check;
    rows.push_back({{caption + QStringLiteral(": η"), Qt::black, true},
                    EtaCell(check.Eta(), check.Met()),
                    {QStringLiteral("1.00")},
                    {Text(IdOf(result, g->combination))},
                    {GoverningText(check)},
                    VerdictCell(check.Met())});
  };
  member("Stützen", result.design.columns, checks.columns, &CombinationResult::columns);
  member("Riegel", result.design.beam, checks.beam, &CombinationResult::beam);
  const auto limit = [&](const char* name, int n, const std::optional<GoverningLimit>& g) {
    if (g) {
      rows.push_back({{QString::fromUtf8(name)},
                      {g->check.ratio > 0 ? Fixed(g->check.ratio) : QStringLiteral("—")},
                      {QString::number(n)},
                      {Text(IdOf(result, g->combination))},
                      {},
                      VerdictCell(g->check.met)});
    }
  };
  limit("Verschiebung h/u", result.design.settings.swayLimit, checks.sway);
  limit("Durchbiegung L/w", result.design.settings.deflectionLimit, checks.deflection);
  flow.Heading(QStringLiteral("Maßgebende Nachweise"));
  flow.Table({0.24, 0.1, 0.1, 0.14, 0.26, 0.16},
             {{QStringLiteral("Nachweis")},
              {QStringLiteral("Wert")},
              {QStringLiteral("Grenze")},
              {QStringLiteral("Kombination")},
              {QStringLiteral("Stelle")},
              {QStringLiteral("Ergebnis")}},
             rows);
  if (checks.AllMet()) {
    flow.Paragraph(QStringLiteral("Alle Nachweise sind erfüllt."), kMetColour, true);
  } else {
    flow.Paragraph(QStringLiteral("Nicht alle Nachweise sind erfüllt."), kNotMetColour, true);
  }
  if (checks.columns || checks.beam) {
    WriteMemberValues(flow, result);
    flow.Paragraph(QString::fromUtf8(kDesignCheckStatement));
  }
}

// The envelope's three pictures, two a row, each under its title.
void WriteEnvelopePage(QPainter& painter, const DesignResult& result) {
  painter.setFont(ReportFont(12, true));
  painter.drawText(QPointF(kMargin, kMargin + 17),
                   QStringLiteral("Umhüllende der GZT-Kombinationen"));
  const qreal side = (kPageWidth - 2 * kMargin - 20) / 2;
  const ForceKind kinds[] = {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal};
  for (std::size_t i = 0; i < std::size(kinds); ++i) {
    const ReportPicture picture = EnvelopePicture(result, kinds[i]);
    const std::size_t row = i / 2, column = i % 2;
    const qreal left = kMargin + static_cast<qreal>(column) * (side + 20);
    const qreal titleTop = kMargin + 30 + static_cast<qreal>(row) * (side + 50);
    painter.setFont(ReportFont(10, true));
    painter.drawText(QPointF(left, titleTop + 12), Text(picture.title));
    WritePicture(painter, picture, QRectF(left, titleTop + 20, side, side));
  }
}

}  // namespace

DesignReportPages::DesignReportPages(QPdfWriter& writer, const DesignResult& result,
                                     const ReportFacts& facts)
    : result_(result), front_(writer), back_(writer), envelope_(HasEnvelope(result)) {
  WriteProject(front_, result, facts);
  WritePortal(front_, result);
  WriteCases(front_, result);
  WriteCombinations(front_, result);
  WriteStability(back_, result);
  WriteGoverningValues(back_, result);
  WriteChecksPerCombination(back_, result);
  WriteGoverningChecks(back_, result);
  if (const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result); !steps.empty()) {
    rechenweg_ = std::make_unique<QTextDocument>();
    LayOutText(*rechenweg_, writer, Text(RechenwegHtml(steps)));
  }
}

int DesignReportPages::Count() const {
  return front_.PageCount() + (envelope_ ? 1 : 0) + back_.PageCount() +
         (rechenweg_ ? rechenweg_->pageCount() : 0);
}

void DesignReportPages::Paint(QPdfWriter& writer, QPainter& painter, int firstPage,
                              int pages) const {
  int page = firstPage;
  const auto next = [&] {
    if (page > 1) {
      writer.newPage();
    }
  };
  const auto write = [&](const ReportFlow& flow) {
    for (int i = 0; i < flow.PageCount(); ++i) {
      next();
      flow.Paint(painter, i);
      Footer(painter, page++, pages);
    }
  };
  write(front_);
  if (envelope_) {
    next();
    WriteEnvelopePage(painter, result_);
    Footer(painter, page++, pages);
  }
  write(back_);
  if (rechenweg_) {
    WriteTextPages(writer, painter, *rechenweg_, page, pages);
  }
}

void WriteDesignReport(QIODevice& device, const DesignResult& result, const ReportFacts& facts) {
  QPdfWriter writer(&device);
  const std::string& title = result.design.project.title;
  SetUpWriter(writer, title.empty() ? QStringLiteral("Strevo-Bemessung")
                                    : QStringLiteral("Strevo-Bemessung – ") + Text(title));
  const DesignReportPages pages(writer, result, facts);
  QPainter painter(&writer);
  pages.Paint(writer, painter, 1, pages.Count());
}

}  // namespace strevo
