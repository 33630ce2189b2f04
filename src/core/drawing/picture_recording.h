// A picture kept as data: what the drawings drew, and the value labels as they left them. The
// report draws each of its pictures into one and paints it on the page.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "canvas.h"

namespace strevo {

struct RecordedStroke {
  float x1, y1, x2, y2;  // picture units of the scale in force
  int colour;            // palette index or kForegroundColour
  int width;
  bool box;
};

struct RecordedValueLabel {
  std::string caption = "Label3";
  float left = 0, top = 0;  // picture units
  bool visible = true;
};

class PictureRecording : public Canvas {
 public:
  PictureRecording();  // labels at their layout positions, as the results window starts

  void Refresh() override { strokes_.clear(); }
  void SetScale(float left, float top, float right, float bottom) override;
  void SetLineWidth(int pixels) override { width_ = pixels; }
  void Line(float x1, float y1, float x2, float y2, int colour) override;
  void Box(float x1, float y1, float x2, float y2, int colour) override;
  void SetLabelCaption(int index, const std::string& caption) override;
  void SetLabelLeft(int index, float left) override;
  void SetLabelTop(int index, float top) override;
  void SetLabelVisible(int index, bool visible) override;

  const std::vector<RecordedStroke>& Strokes() const { return strokes_; }
  const RecordedValueLabel& Label(int index) const { return labels_[index]; }
  // left, top, right, bottom of the user scale
  const std::array<float, 4>& Scale() const { return scale_; }

 private:
  std::vector<RecordedStroke> strokes_;
  std::array<RecordedValueLabel, kValueLabelCount> labels_;
  std::array<float, 4> scale_{0, 0, kPictureUnits, kPictureUnits};
  int width_ = 1;
};

}  // namespace strevo
