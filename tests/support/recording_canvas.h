// A Canvas that records every call, for tests that assert on what a drawing did.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "canvas.h"

namespace strevo::testing {

struct RecordedLine {
  float x1, y1, x2, y2;
  int colour;
  int width;
  bool box;
};

struct RecordedLabel {
  std::string caption = "Label3";
  float left = 0, top = 0;
  bool visible = true;
};

class RecordingCanvas : public Canvas {
 public:
  void Refresh() override {
    ++refreshes;
    lines.clear();
  }
  void SetScale(float, float, float, float) override { ++scaleCalls; }
  void SetLineWidth(int pixels) override { width = pixels; }
  void Line(float x1, float y1, float x2, float y2, int colour) override {
    lines.push_back({x1, y1, x2, y2, colour, width, false});
  }
  void Box(float x1, float y1, float x2, float y2, int colour) override {
    lines.push_back({x1, y1, x2, y2, colour, width, true});
  }
  void SetLabelCaption(int index, const std::string& caption) override {
    labels[index].caption = caption;
    events.push_back("caption " + std::to_string(index));
  }
  void SetLabelLeft(int index, float left) override { labels[index].left = left; }
  void SetLabelTop(int index, float top) override { labels[index].top = top; }
  void SetLabelVisible(int index, bool visible) override {
    labels[index].visible = visible;
    events.push_back((visible ? "show " : "hide ") + std::to_string(index));
  }

  std::vector<RecordedLine> Lines(int colour) const {
    std::vector<RecordedLine> result;
    for (const auto& line : lines) {
      if (line.colour == colour && !line.box) {
        result.push_back(line);
      }
    }
    return result;
  }
  std::vector<RecordedLine> Boxes() const {
    std::vector<RecordedLine> result;
    for (const auto& line : lines) {
      if (line.box) {
        result.push_back(line);
      }
    }
    return result;
  }

  int refreshes = 0;
  int scaleCalls = 0;
  int width = 1;
  std::vector<RecordedLine> lines;
  std::array<RecordedLabel, kValueLabelCount> labels{};
  std::vector<std::string> events;
};

inline constexpr float kCanvasTolerance = 1e-3f;

inline void ExpectLine(const RecordedLine& line, double x1, double y1, double x2, double y2,
                       const char* what = "") {
  EXPECT_NEAR(line.x1, x1, kCanvasTolerance) << what;
  EXPECT_NEAR(line.y1, y1, kCanvasTolerance) << what;
  EXPECT_NEAR(line.x2, x2, kCanvasTolerance) << what;
  EXPECT_NEAR(line.y2, y2, kCanvasTolerance) << what;
}

}  // namespace strevo::testing
