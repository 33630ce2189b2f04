// The report's dimensioned sketch of the system: the portal with its supports, points 1 to 5, A
// and B, h and L as dimension lines, where each member's s starts and which way it runs, and the
// support reactions as arrows in the directions they count positive.
#pragma once

#include <string>
#include <vector>

#include "core/analysis/inputs.h"
#include "core/drawing/portal_geometry.h"

namespace strevo {

// Sketch units: x to the right, y downwards (as a painter's), the portal within about 0..100.
using SketchPoint = PicturePoint;

struct SketchStroke {
  SketchPoint from, to;
  double width = 1;  // members 2, the rest 1
};

// A straight arrow from `from` to `to`, its head at `to`; a curved one runs on a circular arc
// around `centre` from `from` to `to` in the sense given, its head at `to`.
struct SketchArrow {
  SketchPoint from, to;
  bool curved = false;
  SketchPoint centre;
  bool clockwise = false;  // as seen on the page
};

struct SketchCircle {
  SketchPoint centre;
  double radius = 0;
  bool filled = false;
};

enum class SketchAlign { Left, Centre, Right };

// A text whose anchor is on the line through the middle of its height: at its left end, its
// middle or its right end.
struct SketchText {
  std::string text;
  SketchPoint anchor;
  SketchAlign align = SketchAlign::Centre;
};

// Its own list beside the recorded pictures: double-precision lines with arrows, circles and
// texts, which the drawings' Canvas has no calls for.
struct SystemSketch {
  std::vector<SketchStroke> lines;
  std::vector<SketchArrow> arrows;
  std::vector<SketchCircle> circles;
  std::vector<SketchText> texts;
  SketchPoint topLeft, bottomRight;  // the extent of everything but the texts
};

// The sketch of a system of height h and span L (m). The drawn proportion follows h/L within
// limits that keep a very flat or very slender portal readable; the dimensions state h and L.
SystemSketch SketchOf(SystemType system, double h, double L);

}  // namespace strevo
