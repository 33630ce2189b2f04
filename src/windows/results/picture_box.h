// The results window's picture area: paints the drawings from a display list, so they survive
// covering and resizing, and places the value labels Label3(0..23) in picture units.
#pragma once

#include <QColor>
#include <QFrame>
#include <QLineF>
#include <array>
#include <unordered_set>
#include <vector>

#include "canvas.h"
#include "picture_viewport.h"

class QLabel;

namespace strevo {

class PictureBox : public QFrame {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PictureBox)

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  struct Item {
    QLineF line;  // picture units
    QColor colour;
    int width;
    bool box;
  };
  const std::vector<Item>& Items() const { return items_; }
  QLabel* Label3(int index) const { return labels_[index]; }
  const PictureViewport& Viewport() const { return viewport_; }

  // Takes the strokes of one palette colour out of the picture (a drawing shown and hidden).
  void RemoveStrokes(int colour);

  // What the drawings draw into.
  strevo::Canvas& Canvas() { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // The drawings' side of the picture, kept apart from QFrame's own interface.
  class DisplayListCanvas : public strevo::Canvas {
   public:
    explicit DisplayListCanvas(PictureBox& box) : box_(box) {}
    void Refresh() override;
    void SetScale(float left, float top, float right, float bottom) override;
    void SetLineWidth(int pixels) override { width_ = pixels; }
    void Line(float x1, float y1, float x2, float y2, int colour) override;
    void Box(float x1, float y1, float x2, float y2, int colour) override;
    void SetLabelCaption(int index, const std::string& caption) override;
    void SetLabelLeft(int index, float left) override;
    void SetLabelTop(int index, float top) override;
    void SetLabelVisible(int index, bool visible) override;

   private:
    void Add(float x1, float y1, float x2, float y2, int colour, bool box);
    PictureBox& box_;
    int width_ = 1;
  };

  void PlaceLabel(int index);
  void PlaceLabels();
  void UpdateViewport();

  struct StrokeHash {
    std::size_t operator()(const Item& item) const noexcept;
  };
  struct SameStroke {  // exactly the same, unlike QLineF's fuzzy comparison
    bool operator()(const Item& a, const Item& b) const noexcept;
  };

  DisplayListCanvas canvas_{*this};
  PictureViewport viewport_;
  std::vector<Item> items_;
  std::unordered_set<Item, StrokeHash, SameStroke> strokes_;  // the items, to find repeats
  std::array<QLabel*, kValueLabelCount> labels_{};
  std::array<QPointF, kValueLabelCount> labelPoints_{};  // picture units
  std::array<int, kValueLabelCount> designWidths_{};
};

}  // namespace strevo
