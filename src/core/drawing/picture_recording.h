// A picture kept as data: what the drawings drew, and the value labels as they left them. The
// results window paints one, the report draws each of its pictures into one, and the tests read
// what a drawing did from one.
#pragma once

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/drawing/canvas.h"

namespace strevo {

struct RecordedStroke {
  float x1, y1, x2, y2;  // picture units of the scale in force
  int colour;            // palette index or kForegroundColour
  int width;
  bool box;
  bool operator==(const RecordedStroke&) const = default;
};

struct RecordedValueLabel {
  std::string caption = "Label3";
  double left = 0, top = 0;  // picture units; the layout's positions are finer than a float
  bool visible = true;
};

// What becomes of a stroke drawn again exactly over an earlier one.
enum class RepeatedStrokes {
  Kept,        // recorded once more, as drawn
  MovedToTop,  // the earlier copy moves to the top, so a picture drawn over and over stays small
};

// The one list of the drawings' Canvas calls, in floats with palette colours, boxes and labels.
class PictureRecording : public Canvas {
 public:
  // Labels at their layout positions, as the results window starts.
  explicit PictureRecording(RepeatedStrokes repeats = RepeatedStrokes::Kept);

  void Refresh() override;
  void SetScale(float left, float top, float right, float bottom) override;
  void SetLineWidth(int pixels) override { width_ = pixels; }
  void Line(float x1, float y1, float x2, float y2, int colour) override;
  void Box(float x1, float y1, float x2, float y2, int colour) override;
  void SetLabelCaption(int index, const std::string& caption) override;
  void SetLabelLeft(int index, float left) override;
  void SetLabelTop(int index, float top) override;
  void SetLabelVisible(int index, bool visible) override;

  // Takes the lines of one colour out (a drawing shown and hidden); boxes stay.
  void RemoveStrokes(int colour);

  const std::vector<RecordedStroke>& Strokes() const { return strokes_; }
  const RecordedValueLabel& Label(int index) const { return labels_[index]; }
  const std::array<RecordedValueLabel, kValueLabelCount>& Labels() const { return labels_; }
  // left, top, right, bottom of the user scale
  const std::array<float, 4>& Scale() const { return scale_; }

 private:
  // Strokes that paint alike are the same: the foreground and palette black among them.
  struct StrokeHash {
    std::size_t operator()(const RecordedStroke& stroke) const noexcept;
  };
  struct SamePainted {
    bool operator()(const RecordedStroke& a, const RecordedStroke& b) const noexcept;
  };

  void Add(const RecordedStroke& stroke);

  RepeatedStrokes repeats_;
  std::vector<RecordedStroke> strokes_;
  std::unordered_set<RecordedStroke, StrokeHash, SamePainted> drawn_;  // to find repeats
  std::array<RecordedValueLabel, kValueLabelCount> labels_;
  std::array<float, 4> scale_{0, 0, kPictureUnits, kPictureUnits};
  int width_ = 1;
};

}  // namespace strevo
