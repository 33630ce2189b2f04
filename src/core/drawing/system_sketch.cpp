#include "core/drawing/system_sketch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/base/text_rules.h"
#include "core/drawing/report_pictures.h"

namespace strevo {
namespace {

// The longer side of the portal in sketch units, and the shorter side's share of it within
// which the sketch follows h / L; beyond it the dimensions alone state the proportion.
constexpr double kLongSide = 100;
constexpr double kFlattest = 0.3, kSlenderest = 2.0;

constexpr double kDimensionOffset = 16;  // L above the beam, h left of the left column
constexpr double kHeightDimensionOffset = 42;
constexpr double kTick = 2;
constexpr double kMomentRadius = 10;
constexpr double kReactionLength = 14;

std::string Metres(const char* symbol, double value) {
  return std::string(symbol) + " = " + DecimalCommas(FormatFixed2(value)) + " m";
}

class Builder {
 public:
  explicit Builder(SystemSketch& sketch) : s_(sketch) {}

  void Line(SketchPoint from, SketchPoint to, double width = 1) {
    s_.lines.push_back({from, to, width});
  }
  void Arrow(SketchPoint from, SketchPoint to) {
    s_.arrows.push_back({from, to, false, {}, false});
  }
  // A curved arrow on a circle around `centre` from angle `from` to `to` (degrees, counted
  // anticlockwise on the page from the right).
  void Turn(SketchPoint centre, double from, double to, bool clockwise) {
    s_.arrows.push_back({OnCircle(centre, from), OnCircle(centre, to), true, centre, clockwise});
  }
  void Circle(SketchPoint centre, double radius, bool filled) {
    s_.circles.push_back({centre, radius, filled});
  }
  void Text(std::string text, SketchPoint anchor, SketchAlign align = SketchAlign::Centre) {
    s_.texts.push_back({std::move(text), anchor, align});
  }

  // A dimension line with its oblique ticks at both ends.
  void Dimension(SketchPoint from, SketchPoint to) {
    Line(from, to);
    for (const SketchPoint p : {from, to}) {
      Line({p.x - kTick, p.y + kTick}, {p.x + kTick, p.y - kTick});
    }
  }

 private:
  static SketchPoint OnCircle(SketchPoint centre, double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return {centre.x + kMomentRadius * std::cos(radians),
            centre.y - kMomentRadius * std::sin(radians)};
  }

  SystemSketch& s_;
};

// The symbols into the sketch: a clamp's ground line thick, the hinges as open circles.
class SketchPen : public SymbolPen {
 public:
  explicit SketchPen(Builder& b) : b_(b) {}
  void Stroke(SketchPoint from, SketchPoint to, bool heavy) override {
    b_.Line(from, to, heavy ? 2 : 1);
  }
  void HingeCircle(SketchPoint centre, double radius) override { b_.Circle(centre, radius, false); }

 private:
  Builder& b_;
};

// A small arrow beside a member along its direction, from `start` on and `toward` the end
// (unit vector), offset to the inside, and "s" beside it.
void DirectionArrow(Builder& b, SketchPoint start, SketchPoint toward, SketchPoint inside,
                    double length, SketchAlign align) {
  const double begin = std::min(16.0, 0.3 * length), run = std::min(16.0, 0.35 * length);
  const SketchPoint from{start.x + toward.x * begin + inside.x * 5,
                         start.y + toward.y * begin + inside.y * 5};
  const SketchPoint to{from.x + toward.x * run, from.y + toward.y * run};
  b.Arrow(from, to);
  const SketchPoint middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
  b.Text("s", {middle.x + inside.x * 3, middle.y + inside.y * 4}, align);
}

// Each reaction as it counts positive: AH to the right, BH to the left, AV and BV upwards; MA
// and MB with tension inside, which turns the left foot clockwise and the right one
// anticlockwise. `half` is the supports' half width, belowA and belowB their reach under the
// feet.
void DrawReactions(Builder& b, SystemType system, const PortalNodes& nodes, double half,
                   double belowA, double belowB) {
  const double W = nodes.B.x, H = nodes.B.y;
  b.Arrow({-half - 2 - kReactionLength, H + 2}, {-half - 2, H + 2});
  b.Text("AH", {-half - 2 - kReactionLength / 2, H + 8});
  if (system != SystemType::KinkedBeam) {
    b.Arrow({W + half + 2 + kReactionLength, H + 2}, {W + half + 2, H + 2});
    b.Text("BH", {W + half + 2 + kReactionLength / 2, H + 8});
  }
  b.Arrow({0, H + belowA + 2 + kReactionLength}, {0, H + belowA + 2});
  b.Text("AV", {3, H + belowA + 2 + kReactionLength / 2}, SketchAlign::Left);
  b.Arrow({W, H + belowB + 2 + kReactionLength}, {W, H + belowB + 2});
  b.Text("BV", {W - 3, H + belowB + 2 + kReactionLength / 2}, SketchAlign::Right);
  if (system == SystemType::FixedFrame) {
    b.Turn(nodes.A, 150, 30, true);
    b.Text("MA", {-kMomentRadius, H - kMomentRadius - 3}, SketchAlign::Right);
    b.Turn(nodes.B, 30, 150, false);
    b.Text("MB", {W + kMomentRadius, H - kMomentRadius - 3}, SketchAlign::Left);
  }
}

void Extent(SystemSketch& sketch) {
  double left = 0, top = 0, right = 0, bottom = 0;
  const auto take = [&](SketchPoint p) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  };
  for (const SketchStroke& line : sketch.lines) {
    take(line.from);
    take(line.to);
  }
  for (const SketchArrow& arrow : sketch.arrows) {
    take(arrow.from);
    take(arrow.to);
    if (arrow.curved) {
      take({arrow.centre.x - kMomentRadius, arrow.centre.y - kMomentRadius});
      take({arrow.centre.x + kMomentRadius, arrow.centre.y + kMomentRadius});
    }
  }
  for (const SketchCircle& circle : sketch.circles) {
    take({circle.centre.x - circle.radius, circle.centre.y - circle.radius});
    take({circle.centre.x + circle.radius, circle.centre.y + circle.radius});
  }
  sketch.topLeft = {left, top};
  sketch.bottomRight = {right, bottom};
}

}  // namespace

SystemSketch SketchOf(SystemType system, double h, double L) {
  const double ratio = h > 0 && L > 0 ? std::clamp(h / L, kFlattest, kSlenderest) : 0.5;
  const double W = ratio <= 1 ? kLongSide : kLongSide / ratio;
  const double H = ratio <= 1 ? kLongSide * ratio : kLongSide;
  SystemSketch sketch;
  Builder b(sketch);
  const PortalNodes nodes{{0, H}, {0, 0}, {W, 0}, {W, H}};
  const SketchPoint A = nodes.A, left = nodes.corner2, right = nodes.corner4;
  for (const MemberStroke& member : MemberStrokes(nodes)) {
    b.Line(member.from, member.to, 2);
  }
  b.Text("1", {-3, 6}, SketchAlign::Right);
  b.Text("2", {6, -5});
  b.Circle({W / 2, 0}, 1.2, true);  // the field point, where the field moment is largest
  b.Text("3", {W / 2, -5});
  b.Text("4", {W - 6, -5});
  b.Text("5", {W + 3, 6}, SketchAlign::Left);

  const SupportSymbolSize& size = kReportSketchSymbolUnits;
  const double half = system == SystemType::FixedFrame ? size.clampHalf : size.baseHalf;
  SketchPen pen(b);
  const double belowA = DrawSupportSymbol(system, Side::Left, nodes, size, pen);
  const double belowB = DrawSupportSymbol(system, Side::Right, nodes, size, pen);
  b.Text("A", {half + 3, H + 6}, SketchAlign::Left);
  b.Text("B", {W - half - 3, H + 6}, SketchAlign::Right);

  b.Dimension({0, -kDimensionOffset}, {W, -kDimensionOffset});
  b.Line({0, -3}, {0, -kDimensionOffset - 3});
  b.Line({W, -3}, {W, -kDimensionOffset - 3});
  b.Text(Metres("L", L), {W / 2, -kDimensionOffset - 5});
  const double x = -kHeightDimensionOffset;
  b.Dimension({x, 0}, {x, H});
  b.Line({-3, 0}, {x - 3, 0});
  b.Line({x + 6, H}, {x - 3, H});
  b.Text(Metres("h", h), {x - 3, H / 2}, SketchAlign::Right);

  DrawReactions(b, system, nodes, half, belowA, belowB);

  // Where each member's s starts and which way it runs: A up to 1, 2 to 4, 5 down to B.
  DirectionArrow(b, A, {0, -1}, {1, 0}, H, SketchAlign::Left);
  DirectionArrow(b, left, {1, 0}, {0, 1}, W, SketchAlign::Centre);
  DirectionArrow(b, right, {0, 1}, {-1, 0}, H, SketchAlign::Right);
  Extent(sketch);
  return sketch;
}

}  // namespace strevo
