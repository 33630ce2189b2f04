// The PDF reports as an engineer hands them in, read back with pdftotext: every page under its
// title block and numbered of all, every word inside the margins and clear of the others,
// numbers with a decimal comma, searchable words, the headings of a statische Berechnung in
// their order, and no Rechenweg step broken over a page.
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "core/checks/section_check.h"
#include "core/project/taken_computation.h"
#include "report/design_report.h"
#include "report/report_flow.h"
#include "report/report_writer.h"
#include "test_designs.h"
#include "test_inputs.h"

namespace strevo {
namespace {

struct Word {
  QRectF box;
  QString text;
};
using Page = std::vector<Word>;

// pdftotext with `options` on `pdf`, as UTF-8.
QString PdfToText(const QStringList& options, const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
  EXPECT_TRUE(process.waitForFinished(20000)) << "pdftotext (poppler-utils) is needed";
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Each page's words with their boxes, from pdftotext -bbox (entities left as they are).
std::vector<Page> Words(const QString& pdf) {
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Page> pages;
  for (const QString& page : PdfToText({QStringLiteral("-bbox")}, pdf)
                                 .split(QStringLiteral("<page "), Qt::SkipEmptyParts)
                                 .mid(1)) {
    pages.emplace_back();
    for (const QRegularExpressionMatch& m : word.globalMatch(page)) {
      const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
      const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
      pages.back().push_back({QRectF(from, to), m.captured(5)});
    }
  }
  return pages;
}

// The words of a page as one line of text, in the order pdftotext reads them.
QString Joined(const Page& page) {
  QStringList words;
  for (const Word& w : page) {
    words.push_back(w.text);
  }
  return words.join(QLatin1Char(' '));
}

// What every report must hold to, on each of its pages.
void ExpectHandedInForm(const QString& pdf, const QStringList& headings) {
  const std::vector<Page> pages = Words(pdf);
  ASSERT_GE(pages.size(), 3u);
  const QString pageCount = QString::number(pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const QString text = Joined(pages[i]);
    const QString number = QStringLiteral("Seite %1 von %2").arg(i + 1).arg(pageCount);
    EXPECT_TRUE(text.contains(number)) << number.toStdString();
    for (const char* field : {"Projekt:", "Position:", "Bearbeiter:", "Datum:", "Strevo 1."}) {
      EXPECT_TRUE(text.contains(QString::fromUtf8(field))) << field << " on page " << i + 1;
    }
    for (std::size_t j = 0; j < pages[i].size(); ++j) {
      const Word& w = pages[i][j];
      EXPECT_GE(w.box.left(), 50 - 0.5) << w.text.toStdString() << " on page " << i + 1;
      EXPECT_LE(w.box.right(), 545 + 0.5) << w.text.toStdString() << " on page " << i + 1;
      for (std::size_t k = j + 1; k < pages[i].size(); ++k) {
        // Boxes of one line touch at their ends; a real overlap covers more than a sliver.
        const QRectF both = w.box.intersected(pages[i][k].box);
        EXPECT_FALSE(both.width() > 0.5 && both.height() > 0.5)
            << w.text.toStdString() << " over " << pages[i][k].text.toStdString() << " on page "
            << i + 1;
      }
    }
  }
  const QString text = PdfToText({QStringLiteral("-layout")}, pdf);
  // A point stays in the report's own heading numbers ("5.1 Stabilität"), in the version, and
  // in the standards' clause, table and equation numbers, which stand in brackets or follow
  // "Gl. ", "Tabelle ", "nach ", "und " or "η" and carry no unit.
  static const QRegularExpression pointNumber(QStringLiteral(R"re((?<![\d.])\d+\.\d+(?![\d.]))re"));
  static const QRegularExpression reference(
      QStringLiteral(R"re((\([^)]*|Gl\. |Tabelle |nach [\d./]*|und |η|^\s*)$)re"));
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    for (const QRegularExpressionMatch& m : pointNumber.globalMatch(line)) {
      const QString before = line.left(m.capturedStart());
      const bool unit = line.mid(m.capturedEnd())
                            .contains(QRegularExpression(
                                QStringLiteral(R"re(^ (kN|mm|cm|m|N/mm)(?![a-zäöü]))re")));
      EXPECT_TRUE(before.contains(reference) && !unit) << "a decimal point: " << line.toStdString();
    }
  }
  // No ligature glyph ("ﬁ" for "fi"): a search for "Profil" finds every one.
  static const QRegularExpression ligature(QStringLiteral("[\\x{FB00}-\\x{FB06}]"));
  EXPECT_FALSE(text.contains(ligature))
      << text.mid(std::max<qsizetype>(0, text.indexOf(ligature) - 40), 80).toStdString();
  qsizetype at = 0;
  for (const QString& heading : headings) {
    const qsizetype found = text.indexOf(heading, at);
    EXPECT_GT(found, at - 1) << heading.toStdString() << " missing or out of order";
    at = std::max(at, found);
  }
}

class ReportTest : public ::testing::Test {
 protected:
  QString Written(const std::function<void(QIODevice&)>& write) {
    QFile file(dir.filePath(QStringLiteral("bericht.pdf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    write(file);
    file.close();
    return file.fileName();
  }

  QTemporaryDir dir;
  const QDateTime created{QDate(2026, 12, 8), QTime(9, 30)};
};

QStringList ComputationHeadings() {
  return {"1 System und Abmessungen",
          "2 Querschnitte und Werkstoff",
          "3 Lastannahmen",
          "4 Schnittgrößen",
          "5 Nachweise",
          "6 Verformungen",
          "Anhang: Rechenweg"};
}

TEST_F(ReportTest, ComputationOfEachSystemIsHandedInForm) {
  for (const SystemType system :
       {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    SCOPED_TRACE(static_cast<int>(system));
    SharedResults shared;
    const TakenComputation taken(Compute(testing::AllLoads(), system, shared), {});
    const QString pdf = Written([&](QIODevice& device) {
      WriteReport(device, taken, {created, false, nullptr});
    });
    ExpectHandedInForm(pdf, ComputationHeadings());
    const QString text = PdfToText({QStringLiteral("-layout")}, pdf).simplified();
    // Without a project the lines are left to fill in; "fi" stays two letters.
    EXPECT_TRUE(text.contains(QStringLiteral("Projekt: ________________")));
    EXPECT_TRUE(text.contains(QStringLiteral("Profile")));
    EXPECT_TRUE(text.contains(QStringLiteral("Biegelinie")));
    // The sign convention names the reactions the system has.
    EXPECT_EQ(text.contains(QStringLiteral("MA und MB positiv mit Zug innen")),
              system == SystemType::FixedFrame);
    EXPECT_EQ(text.contains(QStringLiteral("BH positiv nach links")),
              system != SystemType::KinkedBeam);
  }
}

TEST_F(ReportTest, ComputationWithSectionsGivesTheirPropertiesAndGrade) {
  Computation computation = [] {
    SharedResults shared;
    return Compute(testing::SteelPortal(1943, 8356), SystemType::TwoHingedFrame, shared);
  }();
  computation.columnSection = "HE-A 200";
  computation.beamSection = "IPE 300";
  const TakenComputation taken(computation, {SteelGrade::S355, 150, 300});
  const QString pdf = Written([&](QIODevice& device) {
    WriteReport(device, taken, {created, false, nullptr});
  });
  ExpectHandedInForm(pdf, ComputationHeadings());
  const QString text = PdfToText({QStringLiteral("-layout")}, pdf).simplified();
  // The tables' values of HE 200 A and IPE 300 (A 53.8 and 53.8 cm², Wel,y 389 and 557 cm³).
  for (const char* expected : {"Stützen: HE 200 A", "Riegel: IPE 300", "Fläche A [cm²] 53,80 53,80",
                               "Wel,y [cm³] 389,0 557,0", "S355 mit fy = 355 N/mm²"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
  }
}

TEST_F(ReportTest, DesignIsHandedInFormWithTheProjectOnEveryPage) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  const QString pdf = Written([&](QIODevice& device) {
    WriteDesignReport(device, result, {created, false});
  });
  ExpectHandedInForm(pdf, {"1 System und Abmessungen", "2 Querschnitte und Werkstoff",
                           "3 Lastannahmen", "4 Kombinationen", "5 Schnittgrößen", "5.2 Umhüllende",
                           "6 Nachweise", "6.1 Querschnittsnachweise", "6.2 Stabilitätsnachweise",
                           "7 Verformungen", "Anhang: Rechenweg"});
  const std::vector<Page> pages = Words(pdf);
  for (const Page& page : pages) {
    EXPECT_TRUE(Joined(page).contains(QStringLiteral("Projekt: Halle Nord")));
    EXPECT_TRUE(Joined(page).contains(QStringLiteral("Position: Pos. 1 Rahmenachse 2")));
  }
  // Narrow columns wrap between words, never inside a header word or a number: the words of
  // the serviceability table's header and its deflection row come whole and in order.
  std::vector<QString> all;
  for (const Page& page : pages) {
    for (const Word& w : page) {
      all.push_back(w.text);
    }
  }
  ASSERT_TRUE(result.checks.deflection.has_value());
  const QString ratio = QString::number(result.checks.deflection->check.ratio, 'f', 2)
                            .replace(QLatin1Char('.'), QLatin1Char(','));
  const std::vector<QString> header{"Nachweis", "Wert", "Grenze", "Kombination", "Stelle"};
  const std::vector<QString> row{"Durchbiegung", "L/w", ratio, "300", "GZG"};
  EXPECT_NE(std::search(all.begin(), all.end(), header.begin(), header.end()), all.end());
  EXPECT_NE(std::search(all.begin(), all.end(), row.begin(), row.end()), all.end())
      << ratio.toStdString();
  const std::vector<QString> loads{"Lastfall", "Einwirkung", "q", "[kN/m]", "F", "[kN]"};
  EXPECT_NE(std::search(all.begin(), all.end(), loads.begin(), loads.end()), all.end());
  const QString text = PdfToText({QStringLiteral("-layout")}, pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("Schubfläche")));
  EXPECT_TRUE(text.contains(QStringLiteral("HE 300 A, I1 = 18260,00 cm4")));
  // The deflected shape is that of the serviceability combination with the largest deflection.
  const CombinationResult* largest = nullptr;
  for (const CombinationResult& c : result.combinations) {
    if (c.combination.state == LimitState::Serviceability &&
        (largest == nullptr ||
         std::abs(c.solution.deformation->w) > std::abs(largest->solution.deformation->w))) {
      largest = &c;
    }
  }
  ASSERT_NE(largest, nullptr);
  EXPECT_TRUE(text.contains(
      QStringLiteral("Biegelinie %1").arg(QString::fromStdString(largest->combination.id))));
}

TEST_F(ReportTest, TheLoadAssumptionsListEachCasesFurtherLoads) {
  Design design = testing::HallDesign();
  design.loadCases[2].partial = {{-2.9, 0, 1.2}, {-1.7, 1.2, 6}};
  design.loadCases[2].points = {{3, 12}};
  design.loadCases[3].points = {{14.25, -5.5}};
  const QString pdf = Written([&](QIODevice& device) {
    WriteDesignReport(device, ComputeDesign(design), {created, false});
  });
  ExpectHandedInForm(pdf, {"3 Lastannahmen", "Weitere Lasten auf dem Riegel", "4 Kombinationen"});
  QStringList pages;
  for (const Page& page : Words(pdf)) {
    pages << Joined(page);
  }
  const QString text = pages.join(QLatin1Char(' '));
  // Each case with further loads is a row of their own table, in the order of the cases.
  const QString expected = QStringLiteral(
      "Lastfall Weitere Lasten Wind Teillast q = -2,90 kN/m von 0,00 bis 1,20 m; Teillast q = "
      "-1,70 kN/m von 1,20 bis 6,00 m; Einzellast F = 12,00 kN bei a = 3,00 m Lager Einzellast "
      "F = -5,50 kN bei a = 14,25 m");
  EXPECT_TRUE(text.contains(expected))
      << text.mid(text.indexOf(QStringLiteral("3 Lastannahmen")), 1500).toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("Dach Teillast")));

  // Without further loads, no table of them.
  const QString plain = Written([&](QIODevice& device) {
    WriteDesignReport(device, ComputeDesign(testing::HallDesign()), {created, false});
  });
  EXPECT_FALSE(PdfToText({}, plain).contains(QStringLiteral("Weitere Lasten")));
}

// A step is drawn whole: no page of the appendix begins with a step's continuation, "= …".
TEST_F(ReportTest, NoRechenwegStepIsSplitOverPages) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  const std::vector<Page> pages = Words(Written([&](QIODevice& device) {
    WriteDesignReport(device, result, {created, false});
  }));
  bool appendix = false;
  int appendixPages = 0;
  for (const Page& page : pages) {
    appendix = appendix || Joined(page).contains(QStringLiteral("Anhang: Rechenweg"));
    if (!appendix) {
      continue;
    }
    ++appendixPages;
    const auto first = std::min_element(page.begin(), page.end(), [](const Word& a, const Word& b) {
      const bool aFlow = a.box.top() > kFlowTop - 2, bFlow = b.box.top() > kFlowTop - 2;
      return aFlow != bFlow ? aFlow : a.box.top() < b.box.top();
    });
    ASSERT_NE(first, page.end());
    EXPECT_NE(first->text, QStringLiteral("=")) << "page " << appendixPages;
  }
  EXPECT_GE(appendixPages, 2);
}

// Drawings are never split, each stays on the page of the caption kept with it, and a page is
// begun only where the caption and its drawing do not fit; a cell longer than its column wraps
// inside it.
TEST_F(ReportTest, DrawingsStayWholeUnderTheirCaptionsAndCellsWrapInsideTheirColumns) {
  constexpr qreal kHeight = 100;  // a page's last caption fits, its drawing does not
  std::vector<QRectF> drawn;
  const QString pdf = Written([&](QIODevice& device) {
    QPdfWriter writer(&device);
    SetUpWriter(writer, QStringLiteral("Probe"));
    ReportFlow flow(writer);
    flow.Part({QStringLiteral("Probe"), {}, {}, {}, {}, {}});
    for (int i = 0; i < 25; ++i) {
      flow.Caption(QStringLiteral("Bild %1").arg(i));
      flow.Drawing(kHeight, [&drawn](QPainter&, const QRectF& area) { drawn.push_back(area); });
    }
    const QString longWord(300, QLatin1Char('x'));
    flow.Table({0.2, 0.8}, {{QStringLiteral("Größe")}, {QStringLiteral("Wert")}},
               {{{longWord}, {longWord + QStringLiteral(" ") + longWord}}});
    QPainter painter(&writer);
    flow.Write(writer, painter);
  });
  const std::vector<Page> pages = Words(pdf);
  // Each caption's page and box, by its number.
  std::vector<std::pair<std::size_t, QRectF>> captions(25, {pages.size(), QRectF()});
  qsizetype letters = 0;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    for (std::size_t j = 0; j < pages[p].size(); ++j) {
      const Word& w = pages[p][j];
      EXPECT_GE(w.box.left(), 50 - 0.5) << w.text.toStdString();
      EXPECT_LE(w.box.right(), 545 + 0.5) << w.text.toStdString();
      letters += w.text.count(QLatin1Char('x'));
      if (w.text == QStringLiteral("Bild") && j + 1 < pages[p].size()) {
        captions.at(pages[p][j + 1].text.toULong()) = {p, w.box};
      }
    }
  }
  EXPECT_EQ(letters, 900) << "every letter of the long words is shown";
  ASSERT_EQ(drawn.size(), 25u);
  std::size_t page = 0;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_GE(drawn[i].top(), kFlowTop);
    EXPECT_LE(drawn[i].bottom(), kFlowBottom);
    if (i > 0 && drawn[i].top() < drawn[i - 1].top()) {
      ++page;
      EXPECT_GT(drawn[i - 1].bottom() + captions[i].second.height() + kHeight, kFlowBottom)
          << "a page begun with room left";
    }
    EXPECT_EQ(captions[i].first, page) << i;
    EXPECT_LT(captions[i].second.bottom(), drawn[i].top() + 0.5) << i;
  }
  EXPECT_GE(page, 2u);
}

}  // namespace
}  // namespace strevo
