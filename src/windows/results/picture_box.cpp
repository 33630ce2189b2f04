#include "picture_box.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "twips.h"
#include "value_label_layout.h"

namespace strevo {
namespace {

const QColor kBackground(192, 192, 255);

QColor PaletteColour(int colour) {
  if (colour < 0 || colour >= static_cast<int>(kPalette.size())) {
    return Qt::black;
  }
  const Rgb rgb = kPalette[colour];
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kBackground);
  setPalette(colours);
  setFocusPolicy(Qt::TabFocus);
  UpdateViewport();
  for (int i = 0; i < kValueLabelCount; ++i) {
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    // Laid over the picture from its parent, so that a caption reaching past the picture's
    // edge is still shown whole.
    auto* label = new QLabel(QStringLiteral("Label3"), parent != nullptr ? parent : this);
    label->setObjectName(QStringLiteral("Label3(%1)").arg(i));
    label->setFont(SansFont(8.25));
    label->setAutoFillBackground(true);
    QPalette labelColours = label->palette();
    labelColours.setColor(QPalette::Window, kBackground);
    labelColours.setColor(QPalette::WindowText,
                          QColor(layout.colour.r, layout.colour.g, layout.colour.b));
    label->setPalette(labelColours);
    label->setAlignment((layout.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->resize(Px(layout.width), Px(layout.height));
    labels_[i] = label;
    designWidths_[i] = Px(layout.width);
    labelPoints_[i] = QPointF(LabelLayoutUnits(layout.left), LabelLayoutUnits(layout.top));
    label->setVisible(i < kFirstDeformationLabel);
    PlaceLabel(i);
  }
}

void PictureBox::RemoveStrokes(int colour) {
  const QColor removed = PaletteColour(colour);
  std::erase_if(items_, [&](const Item& item) { return !item.box && item.colour == removed; });
  std::erase_if(strokes_, [&](const Item& item) { return !item.box && item.colour == removed; });
  update();
}

void PictureBox::DisplayListCanvas::Refresh() {
  box_.items_.clear();
  box_.strokes_.clear();
  box_.update();
}

void PictureBox::DisplayListCanvas::SetScale(float left, float top, float right, float bottom) {
  box_.viewport_.SetScale(QRectF(QPointF(left, top), QPointF(right, bottom)));
  box_.PlaceLabels();
  box_.update();
}

std::size_t PictureBox::StrokeHash::operator()(const Item& item) const noexcept {
  std::size_t hash = std::hash<qreal>()(item.line.x1());
  for (const qreal value : {item.line.y1(), item.line.x2(), item.line.y2()}) {
    hash = hash * 31 + std::hash<qreal>()(value);
  }
  return (hash * 31 + item.colour.rgba()) * 31 +
         static_cast<std::size_t>(item.width * 2 + item.box);
}

bool PictureBox::SameStroke::operator()(const Item& a, const Item& b) const noexcept {
  return a.line.x1() == b.line.x1() && a.line.y1() == b.line.y1() && a.line.x2() == b.line.x2() &&
         a.line.y2() == b.line.y2() && a.colour == b.colour && a.width == b.width && a.box == b.box;
}

// A stroke drawn again over itself adds nothing: the earlier copy moves to the top instead, so
// repeated diagrams neither grow the list nor change how the strokes lie over each other.
void PictureBox::DisplayListCanvas::Add(float x1, float y1, float x2, float y2, int colour,
                                        bool box) {
  const Item item{QLineF(x1, y1, x2, y2), PaletteColour(colour), width_, box};
  if (!box_.strokes_.insert(item).second) {
    std::erase_if(box_.items_, [&](const Item& drawn) { return SameStroke()(drawn, item); });
  }
  box_.items_.push_back(item);
  box_.update();
}

void PictureBox::DisplayListCanvas::Line(float x1, float y1, float x2, float y2, int colour) {
  Add(x1, y1, x2, y2, colour, false);
}

void PictureBox::DisplayListCanvas::Box(float x1, float y1, float x2, float y2, int colour) {
  Add(x1, y1, x2, y2, colour, true);
}

void PictureBox::DisplayListCanvas::SetLabelCaption(int index, const std::string& caption) {
  box_.labels_[index]->setText(QString::fromStdString(caption));
  box_.PlaceLabel(index);
}

void PictureBox::DisplayListCanvas::SetLabelLeft(int index, float left) {
  box_.labelPoints_[index].setX(left);
  box_.PlaceLabel(index);
}

void PictureBox::DisplayListCanvas::SetLabelTop(int index, float top) {
  box_.labelPoints_[index].setY(top);
  box_.PlaceLabel(index);
}

void PictureBox::DisplayListCanvas::SetLabelVisible(int index, bool visible) {
  box_.labels_[index]->setVisible(visible);
}

// A label grows to show its whole caption: to the right, or for a right-aligned label to the
// left, so that its right edge stays where the layout put it.
void PictureBox::PlaceLabel(int index) {
  UpdateViewport();
  QLabel* label = labels_[index];
  QPointF pixels = viewport_.ToPixels(labelPoints_[index]);
  if (label->parentWidget() != this) {
    pixels += pos();
  }
  const int width = std::max(designWidths_[index], label->sizeHint().width());
  if (label->alignment() & Qt::AlignRight) {
    pixels.rx() += designWidths_[index] - width;
  }
  label->setGeometry(static_cast<int>(pixels.x()), static_cast<int>(pixels.y()), width,
                     label->height());
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  UpdateViewport();
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(viewport_.PixelArea());
  for (const Item& item : items_) {
    QPen pen(item.colour, item.width);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF p1 = viewport_.ToPixels(item.line.p1());
    const QPointF p2 = viewport_.ToPixels(item.line.p2());
    if (item.box) {
      painter.drawRect(QRectF(p1, p2).normalized());
    } else {
      painter.drawLine(p1, p2);
    }
  }
}

// A hidden widget gets its resize event only when shown; the geometry counts before that.
void PictureBox::UpdateViewport() {
  viewport_.SetPixelArea(contentsRect());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PlaceLabels();
}

void PictureBox::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  PlaceLabels();
}

void PictureBox::PlaceLabels() {
  for (int i = 0; i < kValueLabelCount; ++i) {
    PlaceLabel(i);
  }
}

}  // namespace strevo
