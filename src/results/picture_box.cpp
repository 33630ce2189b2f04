#include "picture_box.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "twips.h"

namespace strevo {
namespace {

const QColor kBackground(192, 192, 255);
constexpr double kPictureTwips = 5295;  // the picture is square in the layout

struct LabelLayout {
  int left, top, width, height;  // twips inside the picture
  QColor colour;
  bool rightAligned;
};

LabelLayout Layout(int index) {
  const QColor red(255, 0, 0), blue(0, 0, 192), green(0, 128, 0), grey(128, 128, 128);
  switch (index) {
    case 0:
      return {2400, 4440, 855, 200, Qt::black, false};
    case 1:
    case 2:
    case 3:
      return {600, 4320 - 240 * (index - 1), 975, 195, red, true};
    case 4:
    case 5:
    case 6:
      return {3480, 4320 - 240 * (index - 4), 975, 195, red, false};
    case 7:
      return {360, 2760, 495, 195, blue, true};
    case 8:
      return {2400, 960, 495, 195, blue, false};
    case 9:
      return {4200, 2760, 495, 195, blue, false};
    case 10:
      return {4080, 720, 495, 195, blue, false};
    default:
      break;
  }
  const QColor colour = index <= 15 ? red : index <= 19 ? green : grey;
  return {0, 0, 495, 195, colour, false};
}

QColor PaletteColour(int colour) {
  if (colour < 0 || colour >= static_cast<int>(kPalette.size())) {
    return Qt::black;
  }
  const Rgb rgb = kPalette[colour];
  return QColor(rgb.r, rgb.g, rgb.b);
}

// Coordinates are unlimited; keep what reaches the painter within what it can rasterise.
qreal Clamp(qreal v) {
  return std::clamp(v, -1e5, 1e5);
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
  for (int i = 0; i < kValueLabelCount; ++i) {
    const LabelLayout layout = Layout(i);
    // Laid over the picture from its parent, so that a caption reaching past the picture's
    // edge is still shown whole.
    auto* label = new QLabel(QStringLiteral("Label3"), parent != nullptr ? parent : this);
    label->setObjectName(QStringLiteral("Label3(%1)").arg(i));
    label->setFont(SansFont(8.25));
    label->setAutoFillBackground(true);
    QPalette labelColours = label->palette();
    labelColours.setColor(QPalette::Window, kBackground);
    labelColours.setColor(QPalette::WindowText, layout.colour);
    label->setPalette(labelColours);
    label->setAlignment((layout.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->resize(Px(layout.width), Px(layout.height));
    labels_[i] = label;
    designWidths_[i] = Px(layout.width);
    lefts_[i] = static_cast<float>(layout.left * 1000 / kPictureTwips);
    tops_[i] = static_cast<float>(layout.top * 1000 / kPictureTwips);
    PlaceLabel(i);
  }
}

void PictureBox::Refresh() {
  items_.clear();
  update();
}

void PictureBox::SetScale(float left, float top, float right, float bottom) {
  scale_ = QRectF(QPointF(left, top), QPointF(right, bottom));
}

void PictureBox::Add(float x1, float y1, float x2, float y2, int colour, bool box) {
  const auto nx = [&](float x) { return (x - scale_.left()) / scale_.width(); };
  const auto ny = [&](float y) { return (y - scale_.top()) / scale_.height(); };
  items_.push_back({QLineF(nx(x1), ny(y1), nx(x2), ny(y2)), PaletteColour(colour), width_, box});
  update();
}

void PictureBox::Line(float x1, float y1, float x2, float y2, int colour) {
  Add(x1, y1, x2, y2, colour, false);
}

void PictureBox::Box(float x1, float y1, float x2, float y2, int colour) {
  Add(x1, y1, x2, y2, colour, true);
}

void PictureBox::SetLabelCaption(int index, const std::string& caption) {
  labels_[index]->setText(QString::fromStdString(caption));
  PlaceLabel(index);
}

void PictureBox::SetLabelLeft(int index, float left) {
  lefts_[index] = left;
  PlaceLabel(index);
}

void PictureBox::SetLabelTop(int index, float top) {
  tops_[index] = top;
  PlaceLabel(index);
}

void PictureBox::SetLabelVisible(int index, bool visible) {
  labels_[index]->setVisible(visible);
}

// A label grows to show its whole caption: to the right, or for a right-aligned label to the
// left, so that its right edge stays where the layout put it.
void PictureBox::PlaceLabel(int index) {
  QLabel* label = labels_[index];
  QRect area = contentsRect();
  if (label->parentWidget() != this) {
    area.translate(pos());
  }
  const int width = std::max(designWidths_[index], label->sizeHint().width());
  double x = area.left() + Clamp(lefts_[index] / 1000.0 * area.width());
  const double y = area.top() + Clamp(tops_[index] / 1000.0 * area.height());
  if (label->alignment() & Qt::AlignRight) {
    x += designWidths_[index] - width;
  }
  label->setGeometry(static_cast<int>(x), static_cast<int>(y), width, label->height());
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = contentsRect();
  painter.setClipRect(area);
  const auto map = [&](QPointF p) {
    return QPointF(Clamp(area.left() + p.x() * area.width()),
                   Clamp(area.top() + p.y() * area.height()));
  };
  for (const Item& item : items_) {
    QPen pen(item.colour, item.width);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    if (item.box) {
      painter.drawRect(QRectF(map(item.line.p1()), map(item.line.p2())).normalized());
    } else {
      painter.drawLine(map(item.line.p1()), map(item.line.p2()));
    }
  }
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
