#include "core/drawing/picture_recording.h"

#include <algorithm>
#include <functional>

#include "core/drawing/value_label_layout.h"

namespace strevo {

PictureRecording::PictureRecording(RepeatedStrokes repeats) : repeats_(repeats) {
  for (int i = 0; i < kValueLabelCount; ++i) {
    const ValueLabelLayout layout = ValueLabelLayoutOf(i);
    labels_[i].left = LabelLayoutUnits(layout.left);
    labels_[i].top = LabelLayoutUnits(layout.top);
    labels_[i].visible = i < kFirstDeformationLabel;
  }
}

void PictureRecording::Refresh() {
  strokes_.clear();
  drawn_.clear();
}

void PictureRecording::SetScale(float left, float top, float right, float bottom) {
  scale_ = {left, top, right, bottom};
}

std::size_t PictureRecording::StrokeHash::operator()(const RecordedStroke& stroke) const noexcept {
  std::size_t hash = std::hash<float>()(stroke.x1);
  for (const float value : {stroke.y1, stroke.x2, stroke.y2}) {
    hash = hash * 31 + std::hash<float>()(value);
  }
  const Rgb rgb = PaletteRgb(stroke.colour);
  hash = hash * 31 + ((static_cast<std::size_t>(rgb.r) << 16) | (rgb.g << 8) | rgb.b);
  return hash * 31 + static_cast<std::size_t>(stroke.width * 2 + stroke.box);
}

bool PictureRecording::SamePainted::operator()(const RecordedStroke& a,
                                               const RecordedStroke& b) const noexcept {
  return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
         PaletteRgb(a.colour) == PaletteRgb(b.colour) && a.width == b.width && a.box == b.box;
}

void PictureRecording::Add(const RecordedStroke& stroke) {
  if (repeats_ == RepeatedStrokes::MovedToTop && !drawn_.insert(stroke).second) {
    std::erase_if(strokes_,
                  [&](const RecordedStroke& drawn) { return SamePainted()(drawn, stroke); });
  }
  strokes_.push_back(stroke);
}

void PictureRecording::Line(float x1, float y1, float x2, float y2, int colour) {
  Add({x1, y1, x2, y2, colour, width_, false});
}

void PictureRecording::Box(float x1, float y1, float x2, float y2, int colour) {
  Add({x1, y1, x2, y2, colour, width_, true});
}

void PictureRecording::RemoveStrokes(int colour) {
  const Rgb removed = PaletteRgb(colour);
  const auto isRemoved = [&](const RecordedStroke& stroke) {
    return !stroke.box && PaletteRgb(stroke.colour) == removed;
  };
  std::erase_if(strokes_, isRemoved);
  std::erase_if(drawn_, isRemoved);
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
