// The results window's picture area: paints the drawings from a display list, so they survive
// covering and resizing, and places the value labels Label3(0..23) in picture units.
#pragma once

#include <QColor>
#include <QFrame>
#include <QLineF>
#include <array>
#include <vector>

#include "canvas.h"

class QLabel;

namespace strevo {

class PictureBox : public QFrame, public Canvas {
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  struct Item {
    QLineF line;  // in picture units of the scale it was drawn with, mapped to 0..1
    QColor colour;
    int width;
    bool box;
  };
  const std::vector<Item>& Items() const { return items_; }
  QLabel* Label3(int index) const { return labels_[index]; }

  void Refresh() override;
  void SetScale(float left, float top, float right, float bottom) override;
  void SetLineWidth(int pixels) override { width_ = pixels; }
  void Line(float x1, float y1, float x2, float y2, int colour) override;
  void Box(float x1, float y1, float x2, float y2, int colour) override;
  void SetLabelCaption(int index, const std::string& caption) override;
  void SetLabelLeft(int index, float left) override;
  void SetLabelTop(int index, float top) override;
  void SetLabelVisible(int index, bool visible) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void Add(float x1, float y1, float x2, float y2, int colour, bool box);
  void PlaceLabel(int index);
  void PlaceLabels();

  std::vector<Item> items_;
  QRectF scale_{0, 0, 1000, 1000};
  int width_ = 1;
  std::array<QLabel*, kValueLabelCount> labels_{};
  std::array<float, kValueLabelCount> lefts_{};
  std::array<float, kValueLabelCount> tops_{};
  std::array<int, kValueLabelCount> designWidths_{};
};

}  // namespace strevo
