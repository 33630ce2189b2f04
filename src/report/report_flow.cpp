#include "report/report_flow.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "core/analysis/input_table.h"
#include "core/base/arithmetic_fault.h"
#include "core/drawing/deflected_shape.h"
#include "core/drawing/system_sketch.h"
#include "core/text/result_list.h"
#include "report/report_picture_painter.h"
#include "report/typeset_painter.h"

namespace strevo {
namespace {

constexpr qreal kPadding = 3;

// The text with a break opportunity (a zero-width space) after every 40 characters of a word:
// Qt seeks each line's end to the end of its word, so that a name of 10⁵ letters would cost
// time quadratic in its length.
QString Breakable(const QString& text) {
  constexpr int kLongestWord = 40;
  QString out;
  out.reserve(text.size() + text.size() / kLongestWord);
  int run = 0;
  for (const QChar c : text) {
    out += c;
    run = c.isSpace() ? 0 : run + 1;
    if (run == kLongestWord) {
      out += QChar(0x200B);
      run = 0;
    }
  }
  return out;
}

qreal HeightOf(const QTextLayout& layout) {
  return layout.lineCount() == 0 ? 0 : layout.boundingRect().height();
}

}  // namespace

std::shared_ptr<QTextLayout> ReportFlow::Wrapped(const QString& text, const QFont& font,
                                                 qreal width) const {
  // QTextLayout breaks a line only at a line separator, not at "\n".
  QString lines = Breakable(text);
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  auto layout = std::make_shared<QTextLayout>(lines, font, &device_);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->beginLayout();
  qreal y = 0;
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout->endLayout();
  return layout;
}

void ReportFlow::NewPage() {
  ++page_;
  y_ = kFlowTop;
  pageBlocks_.push_back(blocks_.empty() ? 0 : blocks_.size() - 1);
}

void ReportFlow::Need(qreal height) {
  if (y_ + height <= kFlowBottom || y_ <= kFlowTop) {
    return;
  }
  // Headings and captions just placed go over with what they belong to.
  const bool keep = keepFrom_ < pieces_.size() && pieces_[keepFrom_].page == page_ &&
                    pieces_[keepFrom_].rect.top() > kFlowTop;
  const qreal shift = keep ? pieces_[keepFrom_].rect.top() - kFlowTop : 0;
  const qreal y = y_;
  NewPage();
  if (keep) {
    for (std::size_t i = keepFrom_; i < pieces_.size(); ++i) {
      pieces_[i].page = page_;
      pieces_[i].rect.translate(0, -shift);
    }
    y_ = y - shift;
  }
}

void ReportFlow::Part(const TitleBlock& block) {
  blocks_.push_back(block);
  if (pieces_.empty()) {
    pageBlocks_.assign(1, 0);
  } else {
    NewPage();
  }
  heading_ = subheading_ = 0;
}

void ReportFlow::Text(const QString& text, const QFont& font, const QColor& colour,
                      qreal spaceAbove, bool keep) {
  std::shared_ptr<QTextLayout> layout = Wrapped(text, font, kTextPage.width());
  const qreal height = HeightOf(*layout);
  if (y_ > kFlowTop) {
    y_ += spaceAbove;
  }
  Need(height);
  pieces_.push_back({page_,
                     QRectF(kMargin, y_, kTextPage.width(), height),
                     std::move(layout),
                     colour,
                     false,
                     false,
                     {}});
  y_ += height;
  if (!keep) {
    keepFrom_ = kNone;
  } else if (keepFrom_ == kNone) {
    keepFrom_ = pieces_.size() - 1;
  }
}

void ReportFlow::Title(const QString& text) {
  Text(text, ReportFont(16, true), Qt::black, 0, false);
  y_ += 4;
}

void ReportFlow::Heading(const QString& text) {
  subheading_ = 0;
  Text(QStringLiteral("%1 %2").arg(++heading_).arg(text), ReportFont(12, true), Qt::black, 14,
       true);
  y_ += 4;
}

void ReportFlow::Subheading(const QString& text) {
  Text(QStringLiteral("%1.%2 %3").arg(heading_).arg(++subheading_).arg(text), ReportFont(10, true),
       Qt::black, 8, true);
  y_ += 2;
}

void ReportFlow::Appendix(const QString& text) {
  if (y_ > kFlowTop) {
    NewPage();
  }
  Text(text, ReportFont(12, true), Qt::black, 0, true);
  y_ += 4;
}

void ReportFlow::Paragraph(const QString& text, const QColor& colour, bool bold) {
  Text(text, ReportFont(9, bold), colour, 4, false);
}

void ReportFlow::Caption(const QString& text) {
  Text(text, ReportFont(9, true), Qt::black, 6, true);
}

ReportFlow::LaidRow ReportFlow::Cells(const std::vector<qreal>& widths, const FlowRow& row,
                                      bool header) const {
  LaidRow laid;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const FlowCell cell = i < row.size() ? row[i] : FlowCell{};
    laid.cells.push_back(Wrapped(cell.text, ReportFont(9, header || cell.bold),
                                 widths[i] * kTextPage.width() - 2 * kPadding));
    laid.height = std::max(laid.height, HeightOf(*laid.cells.back()));
  }
  laid.height += 2 * kPadding;
  return laid;
}

void ReportFlow::Row(const std::vector<qreal>& widths, const FlowRow& row, bool header,
                     const LaidRow& laid) {
  qreal left = kMargin;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const qreal width = widths[i] * kTextPage.width();
    const QColor colour = i < row.size() ? row[i].colour : Qt::black;
    pieces_.push_back(
        {page_, QRectF(left, y_, width, laid.height), laid.cells[i], colour, true, header, {}});
    left += width;
  }
  y_ += laid.height;
  keepFrom_ = kNone;
}

// The header's lines are laid out once and painted on every page the table reaches.
void ReportFlow::Table(const std::vector<qreal>& widths, const FlowRow& header,
                       const std::vector<FlowRow>& rows) {
  const LaidRow laidHeader = header.empty() ? LaidRow{} : Cells(widths, header, true);
  std::vector<LaidRow> laid;
  laid.reserve(rows.size());
  for (const FlowRow& row : rows) {
    laid.push_back(Cells(widths, row, false));
  }
  y_ += 4;
  Need(laidHeader.height + (laid.empty() ? 0 : laid.front().height));
  if (!header.empty()) {
    Row(widths, header, true, laidHeader);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (y_ + laid[i].height > kFlowBottom) {
      NewPage();
      if (!header.empty()) {
        Row(widths, header, true, laidHeader);
      }
    }
    Row(widths, rows[i], false, laid[i]);
  }
}

void ReportFlow::Drawing(qreal height, Drawer drawer) {
  y_ += 6;
  Need(height);
  pieces_.push_back({page_, QRectF(kMargin, y_, kTextPage.width(), height), nullptr, Qt::black,
                     false, false, std::move(drawer)});
  y_ += height;
  keepFrom_ = kNone;
}

void ReportFlow::Paint(QPainter& painter, int page) const {
  for (const Piece& piece : pieces_) {
    if (piece.page != page) {
      continue;
    }
    if (piece.drawer) {
      painter.save();
      piece.drawer(painter, piece.rect);
      painter.restore();
      continue;
    }
    QPointF text = piece.rect.topLeft();
    if (piece.cell) {
      if (piece.header) {
        painter.fillRect(piece.rect, QColor(230, 230, 230));
      }
      painter.setPen(QPen(Qt::darkGray, 0.5));
      painter.drawRect(piece.rect);
      text += QPointF(kPadding, kPadding);
    }
    painter.setPen(piece.colour);
    piece.text->draw(&painter, text);
  }
  painter.setPen(Qt::black);
}

void ReportFlow::Write(QPdfWriter& writer, QPainter& painter) const {
  for (int page = 0; page < PageCount(); ++page) {
    if (page > 0) {
      writer.newPage();
    }
    if (!blocks_.empty()) {
      PaintTitleBlock(painter, blocks_[pageBlocks_[static_cast<std::size_t>(page)]], page + 1,
                      PageCount());
    }
    Paint(painter, page);
  }
}

namespace {

// A section's value with as many decimals as the tables give it.
QString Property(double value) {
  const int decimals = std::abs(value) >= 1000 ? 0 : std::abs(value) >= 100 ? 1 : 2;
  return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace

void WriteTitle(ReportFlow& flow, const QString& subject, const QDateTime& created,
                bool inputsChanged) {
  flow.Title(QStringLiteral("Statische Berechnung"));
  flow.Paragraph(subject, Qt::black, true);
  flow.Paragraph(QStringLiteral("Erstellt am %1 um %2 Uhr")
                     .arg(created.toString(QStringLiteral("dd.MM.yyyy")),
                          created.toString(QStringLiteral("HH:mm"))));
  if (inputsChanged) {
    flow.Paragraph(QString::fromUtf8(kInputsChangedNote), Qt::darkRed, true);
  }
}

void WriteSystem(ReportFlow& flow, SystemType system, double h, double L) {
  flow.Table({0.3, 0.7}, {{QStringLiteral("Größe")}, {QStringLiteral("Wert")}},
             {{{QStringLiteral("System")},
               {QString::fromUtf8(kSystemCaptions[static_cast<std::size_t>(system)])}},
              {{QStringLiteral("Stützenhöhe h")}, {Decimal(h) + QStringLiteral(" m")}},
              {{QStringLiteral("Spannweite L")}, {Decimal(L) + QStringLiteral(" m")}}});
  const SystemSketch sketch = SketchOf(system, h, L);
  flow.Drawing(250, [sketch](QPainter& painter, const QRectF& area) {
    PaintSystemSketch(painter, sketch, area);
  });
  // The kinked beam's roller at B takes no horizontal force; only the fixed frame has foot
  // moments.
  QString signs = QStringLiteral(
      "Vorzeichen: Die Lagerkräfte sind in ihrer positiven Richtung eingezeichnet: AH positiv "
      "nach rechts, ");
  if (system != SystemType::KinkedBeam) {
    signs += QStringLiteral("BH positiv nach links, ");
  }
  signs += QStringLiteral("AV und BV positiv nach oben");
  if (system == SystemType::FixedFrame) {
    signs += QStringLiteral(", die Einspannmomente MA und MB positiv mit Zug innen");
  }
  signs += QStringLiteral(
      ". Momente M sind positiv mit Zug auf der Innenseite des Rahmens, Querkräfte Q = dM/ds, "
      "Normalkräfte N positiv als Zug. s läuft, wie die Pfeile „s“ zeigen, an der linken "
      "Stütze von A nach 1, am Riegel von 2 nach 4 und an der rechten Stütze von 5 nach B. "
      "Stellen an den Stützen sind als Höhe über A oder B angegeben, am Riegel als Abstand x "
      "ab Punkt 2.");
  flow.Paragraph(signs);
}

void WriteSectionProperties(ReportFlow& flow, const std::vector<MemberSection>& members,
                            bool stability) {
  if (members.empty()) {
    return;
  }
  using Field = double SectionProperties::*;
  struct Row {
    const char* what;
    Field field;
    bool stability;  // used only by the buckling checks
  };
  static constexpr Row kRows[] = {{"Höhe h [mm]", &SectionProperties::h, false},
                                  {"Breite b [mm]", &SectionProperties::b, false},
                                  {"Stegdicke tw [mm]", &SectionProperties::tw, false},
                                  {"Flanschdicke tf [mm]", &SectionProperties::tf, false},
                                  {"Fläche A [cm²]", &SectionProperties::A, false},
                                  {"Schubfläche Avz [cm²]", &SectionProperties::Avz, true},
                                  {"Iy [cm4]", &SectionProperties::Iy, false},
                                  {"Wel,y [cm³]", &SectionProperties::Wel, false},
                                  {"Wpl,y [cm³]", &SectionProperties::Wpl, true},
                                  {"Iz [cm4]", &SectionProperties::Iz, true},
                                  {"iz [cm]", &SectionProperties::iz, true},
                                  {"It [cm4]", &SectionProperties::It, true},
                                  {"Iw [cm6]", &SectionProperties::Iw, true},
                                  {"Masse [kg/m]", &SectionProperties::mass, false}};
  const qreal column = 0.6 / static_cast<qreal>(members.size());
  std::vector<qreal> widths{0.4};
  FlowRow header{{QStringLiteral("Querschnittswert")}};
  for (const MemberSection& member : members) {
    widths.push_back(column);
    header.push_back(
        {member.member + QStringLiteral(": ") + QString::fromUtf8(member.section->designation)});
  }
  std::vector<FlowRow> rows;
  for (const Row& row : kRows) {
    if (row.stability && !stability) {
      continue;
    }
    FlowRow cells{{QString::fromUtf8(row.what)}};
    for (const MemberSection& member : members) {
      cells.push_back({Property(member.section->*row.field)});
    }
    rows.push_back(std::move(cells));
  }
  flow.Table(widths, header, rows);
}

void WritePictures(ReportFlow& flow, const std::vector<ReportPicture>& pictures, int perRow) {
  constexpr qreal kGap = 16, kTitle = 16;
  const qreal side = (kTextPage.width() - (perRow - 1) * kGap) / perRow;
  for (std::size_t first = 0; first < pictures.size(); first += static_cast<std::size_t>(perRow)) {
    const std::vector<ReportPicture> row(
        pictures.begin() + static_cast<std::ptrdiff_t>(first),
        pictures.begin() + static_cast<std::ptrdiff_t>(std::min(pictures.size(), first + perRow)));
    flow.Drawing(kTitle + side, [row, side](QPainter& painter, const QRectF& area) {
      qreal left = area.left();
      for (const ReportPicture& picture : row) {
        painter.setFont(ReportFont(9, true));
        painter.setPen(Qt::black);
        const QRectF title(left, area.top(), side, kTitle);
        painter.drawText(
            title, Qt::AlignLeft | Qt::AlignTop,
            QFontMetricsF(painter.font(), painter.device())
                .elidedText(QString::fromStdString(picture.title), Qt::ElideRight, side));
        PaintReportPicture(painter, picture, QRectF(left, area.top() + kTitle, side, side));
        left += side + kGap;
      }
    });
  }
}

ReportPicture DeflectedShapePicture(const Computation& computation, const ReportPicture& system,
                                    const std::string& title) {
  ReportPicture shape = system;
  shape.title = title;
  try {
    if (DrawDeflectedShape(computation, shape.picture) == DiagramOutcome::NothingToDraw) {
      shape.note = NothingToDrawNote("Verformungen");
    }
  } catch (const ArithmeticFault& fault) {
    shape.note = "Laufzeitfehler: " + FaultText(fault);
  }
  return shape;
}

void WriteRechenweg(ReportFlow& flow, const std::vector<RechenwegStep>& steps) {
  const QString family = QString::fromLatin1(kReportFamily);
  const QtTypesetMetrics metrics(family, &flow.Device());
  for (const RechenwegStep& step : steps) {
    const typeset::Block block = typeset::TypesetStep(step, metrics, 9, kTextPage.width());
    flow.Drawing(block.height, [block, family](QPainter& painter, const QRectF& area) {
      PaintBlock(painter, block, area.topLeft(), family);
    });
  }
}

}  // namespace strevo
