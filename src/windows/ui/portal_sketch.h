// The portal and its support symbols as both windows' sketches draw them, in twips, from the
// portal's one geometry.
#pragma once

#include <algorithm>

#include "core/drawing/portal_geometry.h"
#include "windows/ui/sketch_frame.h"

namespace strevo {

// The symbols' strokes appended to a line array.
class LineArrayPen : public SymbolPen {
 public:
  explicit LineArrayPen(LineArray& lines) : lines_(lines) {}
  void Stroke(PicturePoint from, PicturePoint to, bool /*heavy*/) override {
    lines_.push_back({from.x, from.y, to.x, to.y});
  }

 private:
  LineArray& lines_;
};

// Left column, beam, right column.
inline LineArray PortalMembers() {
  LineArray lines;
  for (const MemberStroke& member : MemberStrokes(MainSketchPortalTwips())) {
    lines.push_back({member.from.x, member.from.y, member.to.x, member.to.y});
  }
  return lines;
}

// The symbol of `system`'s support on `side` in twips.
inline LineArray SupportLines(SystemType system, Side side) {
  LineArray lines;
  LineArrayPen pen(lines);
  DrawSupportSymbol(system, side, MainSketchPortalTwips(), kMainSketchSymbolTwips, pen);
  return lines;
}

// The systems whose supports the two line arrays hold: the kinked beam's hinge and roller
// include every hinge line, the fixed frame's clamps every clamp line.
inline constexpr SystemType kHingeLinesSystem = SystemType::KinkedBeam;
inline constexpr SystemType kClampLinesSystem = SystemType::FixedFrame;

// The supports of `system` at A, then at B.
inline LineArray SupportLines(SystemType system) {
  LineArray lines = SupportLines(system, Side::Left);
  const LineArray right = SupportLines(system, Side::Right);
  lines.insert(lines.end(), right.begin(), right.end());
  return lines;
}

// Hinge triangles under A (0 to 2) and B (3 to 5), the roller line under B (6).
inline LineArray HingeLines() {
  return SupportLines(kHingeLinesSystem);
}

// Four hatch strokes and the ground line at A (0 to 4), then at B (5 to 9).
inline LineArray ClampLines() {
  return SupportLines(kClampLinesSystem);
}

// Of `lines`, drawn as `drawnFor`'s supports, shows each line that `system`'s symbol on that
// side draws as the same stroke in the same place of its sequence, and hides the others: a
// clamp's hatch stroke that lies on a hinge's leg stays hidden under a hinge.
inline void ShowSupportLines(SystemType drawnFor, SystemType system, LineArray& lines) {
  const auto same = [](const SketchLine& a, const SketchLine& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
  };
  std::size_t at = 0;
  for (const Side side : kSides) {
    const LineArray drawn = SupportLines(drawnFor, side), wanted = SupportLines(system, side);
    for (std::size_t i = 0; i < drawn.size() && at + i < lines.size(); ++i) {
      lines[at + i].visible = i < wanted.size() && same(drawn[i], wanted[i]);
    }
    at += drawn.size();
  }
}

// Both sketches' hinge and clamp lines as `system` stands.
inline void ShowSupports(SystemType system, LineArray& hingeLines, LineArray& clampLines) {
  ShowSupportLines(kHingeLinesSystem, system, hingeLines);
  ShowSupportLines(kClampLinesSystem, system, clampLines);
}

}  // namespace strevo
