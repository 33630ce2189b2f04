// The results window's picture area: keeps the drawings as a recording, so they survive covering
// and resizing, paints it through the picture painter, and places the value labels Label3(0..26)
// in picture units.
#pragma once

#include <QFrame>
#include <array>

#include "core/drawing/canvas.h"
#include "core/drawing/picture_recording.h"
#include "report/picture_viewport.h"

class QLabel;

namespace strevo {

class PictureBox : public QFrame {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PictureBox)

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const PictureRecording& Recording() const { return recording_; }
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
  // The drawings' side of the picture, kept apart from QFrame's own interface: each call goes
  // into the recording, and the widget follows it.
  class WidgetCanvas : public strevo::Canvas {
   public:
    explicit WidgetCanvas(PictureBox& box) : box_(box) {}
    void Refresh() override;
    void SetScale(float left, float top, float right, float bottom) override;
    void SetLineWidth(int pixels) override { box_.recording_.SetLineWidth(pixels); }
    void Line(float x1, float y1, float x2, float y2, int colour) override;
    void Box(float x1, float y1, float x2, float y2, int colour) override;
    void SetLabelCaption(int index, const std::string& caption) override;
    void SetLabelLeft(int index, float left) override;
    void SetLabelTop(int index, float top) override;
    void SetLabelVisible(int index, bool visible) override;

   private:
    PictureBox& box_;
  };

  void PlaceLabel(int index);
  void PlaceLabels();
  void UpdateViewport();

  WidgetCanvas canvas_{*this};
  PictureRecording recording_{RepeatedStrokes::MovedToTop};
  PictureViewport viewport_;
  std::array<QLabel*, kValueLabelCount> labels_{};
  std::array<int, kValueLabelCount> designWidths_{};
};

}  // namespace strevo
