#include "picture_recording.h"

#include "value_label_layout.h"

namespace strevo {

PictureRecording::PictureRecording() {
  for (int i = 0; i < kValueLabelCount; ++i) {
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    labels_[i].left = static_cast<float>(LabelLayoutUnits(layout.left));
    labels_[i].top = static_cast<float>(LabelLayoutUnits(layout.top));
    labels_[i].visible = i < kFirstDeformationLabel;
  }
}

void PictureRecording::SetScale(float left, float top, float right, float bottom) {
  scale_ = {left, top, right, bottom};
}

void PictureRecording::Line(float x1, float y1, float x2, float y2, int colour) {
  strokes_.push_back({x1, y1, x2, y2, colour, width_, false});
}

void PictureRecording::Box(float x1, float y1, float x2, float y2, int colour) {
  strokes_.push_back({x1, y1, x2, y2, colour, width_, true});
}

void PictureRecording::SetLabelCaption(int index, const std::string& caption) {
  labels_[index].caption = caption;
}

void PictureRecording::SetLabelLeft(int index, float left) {
  labels_[index].left = left;
}

void PictureRecording::SetLabelTop(int index, float top) {
  labels_[index].top = top;
}

void PictureRecording::SetLabelVisible(int index, bool visible) {
  labels_[index].visible = visible;
}

}  // namespace strevo
