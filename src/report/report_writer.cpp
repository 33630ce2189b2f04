#include "report/report_writer.h"

#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "core/analysis/input_table.h"
#include "core/drawing/report_pictures.h"
#include "core/text/result_list.h"
#include "report/design_report.h"
#include "report/report_flow.h"
#include "report/report_layout.h"

namespace strevo {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// "2,00 kN/m", a row's value as the report writes it.
QString ValueText(const ListRow& row) {
  QString text = row.number ? Decimal(row.value) : Commas(row.value);
  if (!row.unit.empty()) {
    text += QLatin1Char(' ') + Text(row.unit);
  }
  return text;
}

// Größe, Wert, Bedeutung: the rows whose symbols are given, in the list's order.
void WriteRows(ReportFlow& flow, const std::vector<ListRow>& rows,
               const std::vector<std::string>& symbols) {
  std::vector<FlowRow> table;
  for (const ListRow& row : rows) {
    if (std::find(symbols.begin(), symbols.end(), row.symbol) != symbols.end()) {
      table.push_back({{Text(row.symbol)}, {ValueText(row)}, {Commas(row.remark)}});
    }
  }
  flow.Table({0.12, 0.2, 0.68},
             {{QStringLiteral("Größe")}, {QStringLiteral("Wert")}, {QStringLiteral("Bedeutung")}},
             table);
}

void WriteOpening(ReportFlow& flow, const Computation& computation, const ReportFacts& facts) {
  flow.Part({QStringLiteral("Strevoberechnung"),
             {},
             {},
             {},
             Text(SystemCaption(computation.system)),
             facts.created.toString(QStringLiteral("dd.MM.yyyy"))});
  WriteTitle(flow,
             QStringLiteral("Schnittgrößen und Verformungen eines symmetrischen Rahmens mit Strevo "
                            "(Strevoberechnung)"),
             facts.created, facts.inputsChanged);
}

void WriteSections(ReportFlow& flow, const TakenComputation& taken,
                   const std::vector<ListRow>& rows) {
  const SectionCheck& check = taken.Sections();
  flow.Heading(QStringLiteral("Querschnitte und Werkstoff"));
  WriteRows(flow, rows, {"I1", "I2"});
  std::vector<MemberSection> sections;
  if (check.columns) {
    sections.push_back({QStringLiteral("Stützen"), check.columns->section});
  }
  if (check.beam) {
    sections.push_back({QStringLiteral("Riegel"), check.beam->section});
  }
  if (sections.empty()) {
    flow.Paragraph(
        QStringLiteral("Es sind keine Profile gewählt: I1 und I2 gehen als eingegeben in die "
                       "Berechnung ein, ein Querschnittsnachweis wird nicht geführt."));
  } else {
    WriteSectionProperties(flow, sections, false);
  }
  QString steel = QStringLiteral("Werkstoff: Stahl, E = 210000 N/mm²");
  if (!sections.empty()) {
    steel += QStringLiteral(", %1 mit fy = %2 N/mm², γM0 = 1,0")
                 .arg(QString::fromUtf8(GradeName(check.settings.grade)))
                 .arg(YieldStrength(check.settings.grade));
  }
  flow.Paragraph(steel + QLatin1Char('.'));
}

void WriteChecks(ReportFlow& flow, const std::vector<ListRow>& check) {
  flow.Heading(QStringLiteral("Nachweise"));
  if (check.empty()) {
    flow.Paragraph(
        QStringLiteral("Ohne gewählte Profile (Querschnittsauswahl) wird kein Nachweis geführt."));
    return;
  }
  std::vector<FlowRow> rows;
  for (const ListRow& row : check) {
    const QColor colour = row.verdict == Verdict::NotMet ? QColor(220, 0, 0)
                          : row.verdict == Verdict::Met  ? QColor(0, 128, 0)
                                                         : QColor(Qt::black);
    rows.push_back({{Text(row.symbol)}, {ValueText(row), colour}, {Commas(row.remark), colour}});
  }
  flow.Table({0.14, 0.22, 0.64},
             {{QStringLiteral("Größe")}, {QStringLiteral("Wert")}, {QStringLiteral("Stelle")}},
             rows);
  flow.Paragraph(QString::fromUtf8(kCheckStatement));
}

void WriteDeformations(ReportFlow& flow, const TakenComputation& taken,
                       const std::vector<ListRow>& rows, const ReportPicture& system) {
  const Computation& computation = taken.Snapshot();
  flow.Heading(QStringLiteral("Verformungen"));
  if (computation.deformation) {
    WriteRows(flow, rows, {"u", "w", "xw"});
  }
  if (const std::string note = taken.DeformationNote(); !note.empty()) {
    flow.Paragraph(StatedNumbers(note));
  }
  if (computation.deformation) {
    WritePictures(flow, {DeflectedShapePicture(computation, system, "Biegelinie")}, 2);
  }
}

}  // namespace

void WriteReport(QIODevice& device, const TakenComputation& taken, const ReportFacts& facts) {
  const Computation& computation = taken.Snapshot();
  QPdfWriter writer(&device);
  SetUpWriter(writer, QStringLiteral("Strevoberechnung"));
  ReportFlow flow(writer);
  const std::vector<ListRow> rows = taken.ResultRows();
  WriteOpening(flow, computation, facts);
  const InputSet& in = computation.inputs;
  flow.Heading(QStringLiteral("System und Abmessungen"));
  if (computation.system) {
    WriteSystem(flow, *computation.system, in.h, in.L);
  } else {
    flow.Paragraph(Text(SystemCaption(computation.system)));
  }
  WriteSections(flow, taken, rows);
  flow.Heading(QStringLiteral("Lastannahmen"));
  flow.Paragraph(QStringLiteral(
      "Die eingegebenen Lasten werden als ein Lastfall so angesetzt, wie sie eingegeben sind "
      "(ohne Teilsicherheits- und Kombinationsbeiwerte)."));
  WriteRows(flow, rows, {"q", "F", "a", "b", "wD", "wS"});
  const std::array<ReportPicture, 4> pictures = DrawReportPictures(computation);
  WritePictures(flow, {pictures[0]}, 2);
  flow.Heading(QStringLiteral("Schnittgrößen"));
  std::vector<std::string> results{"k"};
  for (const ResultLine& line : computation.lines) {
    results.emplace_back(ResultLineSymbol(line.index));
  }
  WriteRows(flow, rows, results);
  WritePictures(flow, {pictures[1], pictures[2], pictures[3]}, 2);
  WriteChecks(flow, taken.CheckRows());
  WriteDeformations(flow, taken, rows, pictures[0]);
  if (const std::vector<RechenwegStep>& steps = taken.Rechenweg(); !steps.empty()) {
    flow.Appendix(QStringLiteral("Anhang: Rechenweg"));
    WriteRechenweg(flow, steps);
  }
  if (facts.design != nullptr) {
    WriteDesignPart(flow, *facts.design, facts);
  }
  QPainter painter(&writer);
  flow.Write(writer, painter);
}

}  // namespace strevo
