// The picture recording the drawings draw into, with a log of the calls a picture keeps no trace
// of: how often it was refreshed or rescaled, and in which order captions were set and labels
// shown or hidden. Tests assert on what a drawing did through it.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/drawing/picture_recording.h"

namespace strevo::testing {

class LoggedRecording : public PictureRecording {
 public:
  void Refresh() override {
    ++refreshes;
    PictureRecording::Refresh();
  }
  void SetScale(float left, float top, float right, float bottom) override {
    ++scaleCalls;
    PictureRecording::SetScale(left, top, right, bottom);
  }
  void SetLabelCaption(int index, const std::string& caption) override {
    PictureRecording::SetLabelCaption(index, caption);
    events.push_back("caption " + std::to_string(index));
  }
  void SetLabelVisible(int index, bool visible) override {
    PictureRecording::SetLabelVisible(index, visible);
    events.push_back((visible ? "show " : "hide ") + std::to_string(index));
  }

  // The lines of one colour, in the order drawn.
  std::vector<RecordedStroke> Lines(int colour) const {
    std::vector<RecordedStroke> result;
    for (const auto& stroke : Strokes()) {
      if (stroke.colour == colour && !stroke.box) {
        result.push_back(stroke);
      }
    }
    return result;
  }
  std::vector<RecordedStroke> Boxes() const {
    std::vector<RecordedStroke> result;
    for (const auto& stroke : Strokes()) {
      if (stroke.box) {
        result.push_back(stroke);
      }
    }
    return result;
  }

  int refreshes = 0;
  int scaleCalls = 0;
  std::vector<std::string> events;
};

inline constexpr float kCanvasTolerance = 1e-3f;

inline void ExpectLine(const RecordedStroke& line, double x1, double y1, double x2, double y2,
                       const char* what = "") {
  EXPECT_NEAR(line.x1, x1, kCanvasTolerance) << what;
  EXPECT_NEAR(line.y1, y1, kCanvasTolerance) << what;
  EXPECT_NEAR(line.x2, x2, kCanvasTolerance) << what;
  EXPECT_NEAR(line.y2, y2, kCanvasTolerance) << what;
}

}  // namespace strevo::testing
