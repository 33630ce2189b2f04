// Numbered headings, paragraphs, ruled tables and drawings flowing down A4 pages under a title
// block: laid out first, so that the number of pages is known before any page is painted, then
// painted page by page. Drawn with the painter alone: QTextDocument takes many times as long
// for tables of this length.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/drawing/report_pictures.h"
#include "core/sections/section_properties.h"
#include "core/text/rechenweg.h"
#include "report/report_layout.h"

class QPaintDevice;
class QPainter;
class QPdfWriter;
class QTextLayout;

namespace strevo {

// Where the flow begins and ends on a page: under the title block, inside the margins.
inline constexpr qreal kFlowTop = kMargin + kTitleBlockHeight + 14;
inline constexpr qreal kFlowBottom = kFlowTop + kTextPage.height();

struct FlowCell {
  QString text;
  QColor colour = Qt::black;
  bool bold = false;
};
using FlowRow = std::vector<FlowCell>;

class ReportFlow {
 public:
  // Paints a drawing into its place on the page.
  using Drawer = std::function<void(QPainter&, const QRectF&)>;

  // Text is measured as `device` (the PDF writer) will draw it.
  explicit ReportFlow(QPaintDevice& device) : device_(device) {}

  // Begins a part of the report, on a new page unless it is the first: its pages carry
  // `block` and its headings are numbered from 1.
  void Part(const TitleBlock& block);
  void Title(const QString& text);
  // "3 Lastannahmen", "5.2 …": numbered in order, kept on one page with what follows.
  void Heading(const QString& text);
  void Subheading(const QString& text);
  // Unnumbered, on a new page.
  void Appendix(const QString& text);
  void Paragraph(const QString& text, const QColor& colour = Qt::black, bool bold = false);
  // A bold line kept on one page with what follows.
  void Caption(const QString& text);
  // Columns as parts of the text's width; a row's cells wrap (inside a word where it is
  // longer than its cell), and the header row (none when empty) is repeated on every page the
  // table reaches.
  void Table(const std::vector<qreal>& widths, const FlowRow& header,
             const std::vector<FlowRow>& rows);
  // A drawing as wide as the text and `height` points high, whole on one page.
  void Drawing(qreal height, Drawer drawer);

  int PageCount() const { return page_ + 1; }
  QPaintDevice& Device() const { return device_; }
  // Every page, each under its title block with its number of `PageCount()`.
  void Write(QPdfWriter& writer, QPainter& painter) const;

 private:
  struct Piece {
    int page;
    QRectF rect;  // points on the page
    std::shared_ptr<QTextLayout> text;
    QColor colour;
    bool cell;    // ruled round
    bool header;  // shaded
    Drawer drawer;
  };
  // The text broken into lines of `width`, from the top left of its place.
  std::shared_ptr<QTextLayout> Wrapped(const QString& text, const QFont& font, qreal width) const;
  // A new page unless `height` fits below; the pieces to keep with the next go over with it.
  void Need(qreal height);
  void NewPage();
  void Text(const QString& text, const QFont& font, const QColor& colour, qreal spaceAbove,
            bool keep);
  // A table row's cells laid out, and the row's height.
  struct LaidRow {
    std::vector<std::shared_ptr<QTextLayout>> cells;
    qreal height = 0;
  };
  LaidRow Cells(const std::vector<qreal>& widths, const FlowRow& row, bool header) const;
  void Row(const std::vector<qreal>& widths, const FlowRow& row, bool header, const LaidRow& laid);
  void Paint(QPainter& painter, int page) const;

  QPaintDevice& device_;
  std::vector<Piece> pieces_;
  std::vector<TitleBlock> blocks_;
  std::vector<std::size_t> pageBlocks_;  // the title block of each page
  int page_ = 0;
  qreal y_ = kFlowTop;
  int heading_ = 0, subheading_ = 0;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t keepFrom_ = kNone;  // the first of the headings that go with the next piece
};

// What both reports write alike, in the order of a statische Berechnung.

// The title, what the report computes, when it was made, and the note when the fields have
// changed since.
void WriteTitle(ReportFlow& flow, const QString& subject, const QDateTime& created,
                bool inputsChanged);

// The system, h and L, the dimensioned sketch and the sign convention.
void WriteSystem(ReportFlow& flow, SystemType system, double h, double L);

// The properties of the sections as the checks use them, a column each member with a section;
// `stability` adds those of the buckling checks.
struct MemberSection {
  QString member;  // "Stützen"
  const SectionProperties* section;
};
void WriteSectionProperties(ReportFlow& flow, const std::vector<MemberSection>& members,
                            bool stability);

// Pictures `perRow` a row, each under its title.
void WritePictures(ReportFlow& flow, const std::vector<ReportPicture>& pictures, int perRow);

// The system picture with the members displaced over it, under `title`; the computation must
// have its deformation.
ReportPicture DeflectedShapePicture(const Computation& computation, const ReportPicture& system,
                                    const std::string& title);

// Each step typeset as a block, whole on one page.
void WriteRechenweg(ReportFlow& flow, const std::vector<RechenwegStep>& steps);

}  // namespace strevo
