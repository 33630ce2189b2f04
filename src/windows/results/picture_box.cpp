#include "windows/results/picture_box.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "core/drawing/value_label_layout.h"
#include "report/picture_painter.h"
#include "report/twips.h"

namespace strevo {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kLightBlue);
  setPalette(colours);
  setFocusPolicy(Qt::TabFocus);
  UpdateViewport();
  for (int i = 0; i < kValueLabelCount; ++i) {
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    const RecordedValueLabel& recorded = recording_.Label(i);
    // Laid over the picture from its parent, so that a caption reaching past the picture's
    // edge is still shown whole.
    auto* label =
        new QLabel(QString::fromStdString(recorded.caption), parent != nullptr ? parent : this);
    label->setObjectName(QStringLiteral("Label3(%1)").arg(i));
    label->setFont(SansFont(8.25));
    label->setAutoFillBackground(true);
    QPalette labelColours = label->palette();
    labelColours.setColor(QPalette::Window, kLightBlue);
    labelColours.setColor(QPalette::WindowText, ToQColor(layout.colour));
    label->setPalette(labelColours);
    label->setAlignment((layout.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->resize(Px(layout.width), Px(layout.height));
    labels_[i] = label;
    designWidths_[i] = Px(layout.width);
    label->setVisible(recorded.visible);
    PlaceLabel(i);
  }
}

void PictureBox::RemoveStrokes(int colour) {
  recording_.RemoveStrokes(colour);
  update();
}

void PictureBox::WidgetCanvas::Refresh() {
  box_.recording_.Refresh();
  box_.update();
}

void PictureBox::WidgetCanvas::SetScale(float left, float top, float right, float bottom) {
  box_.recording_.SetScale(left, top, right, bottom);
  box_.PlaceLabels();
  box_.update();
}

void PictureBox::WidgetCanvas::Line(float x1, float y1, float x2, float y2, int colour) {
  box_.recording_.Line(x1, y1, x2, y2, colour);
  box_.update();
}

void PictureBox::WidgetCanvas::Box(float x1, float y1, float x2, float y2, int colour) {
  box_.recording_.Box(x1, y1, x2, y2, colour);
  box_.update();
}

void PictureBox::WidgetCanvas::SetLabelCaption(int index, const std::string& caption) {
  box_.recording_.SetLabelCaption(index, caption);
  box_.labels_[index]->setText(QString::fromStdString(caption));
  box_.PlaceLabel(index);
}

void PictureBox::WidgetCanvas::SetLabelLeft(int index, float left) {
  box_.recording_.SetLabelLeft(index, left);
  box_.PlaceLabel(index);
}

void PictureBox::WidgetCanvas::SetLabelTop(int index, float top) {
  box_.recording_.SetLabelTop(index, top);
  box_.PlaceLabel(index);
}

void PictureBox::WidgetCanvas::SetLabelVisible(int index, bool visible) {
  box_.recording_.SetLabelVisible(index, visible);
  box_.labels_[index]->setVisible(visible);
}

// A label grows to show its whole caption: to the right, or for a right-aligned label to the
// left, so that its right edge stays where the layout put it.
void PictureBox::PlaceLabel(int index) {
  UpdateViewport();
  QLabel* label = labels_[index];
  const RecordedValueLabel& recorded = recording_.Label(index);
  QPointF pixels = viewport_.ToPixels({recorded.left, recorded.top});
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
  painter.setClipRect(viewport_.PixelArea());
  PaintStrokes(painter, viewport_, recording_);
}

// The recording's scale over the contents as they are now: a hidden widget gets its resize
// event only when shown, and the geometry counts before that.
void PictureBox::UpdateViewport() {
  viewport_.SetScale(recording_.Scale());
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
