#include "core/drawing/deflected_shape.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/analysis/deformations.h"
#include "core/base/text_rules.h"
#include "core/drawing/drawing_frame.h"
#include "core/text/result_list.h"

namespace strevo {
namespace {

constexpr int kStrokesPerMember = 24;
constexpr Member kMembers[] = {Member::LeftColumn, Member::Beam, Member::RightColumn};

// The frame the system drawing uses for these inputs.
DrawingFrame FrameOf(const InputSet& in, const CoordinateCheck& check) {
  return MakeDrawingFrame(in, ReferenceLength(in), check);
}

// Where s of a member lies in the undeformed picture, and which way its displacement points.
PicturePoint Undeformed(const DrawingFrame& f, Member member, double s) {
  switch (member) {
    case Member::LeftColumn:
      return {f.xL, kFootY - s * f.unitsPerMetre};
    case Member::Beam:
      return {f.xL + s * f.unitsPerMetre, f.yB};
    case Member::RightColumn:
      break;
  }
  return {f.xR, f.yB + s * f.unitsPerMetre};
}

PicturePoint Displaced(const Deformation& d, const DrawingFrame& f, Member member, double s,
                       double unitsPerMm) {
  PicturePoint p = Undeformed(f, member, s);
  const double v = DisplacementAt(d, member, s) * unitsPerMm;
  if (member == Member::Beam) {
    p.x += d.u * unitsPerMm;
    p.y += v;
  } else {
    p.x += v;
  }
  return p;
}

// The material label, or in its place (the picture has room for one line) the hint that the
// second moments of area were taken as cm4.
const char* MaterialCaption(const Computation& computation) {
  return DeformationsBeyondOneFiftieth(computation)
             ? "Stahl; I1, I2 in cm4 gerechnet – Profile: Querschnittsauswahl"
             : "Stahl, E = 210000 N/mm²";
}

}  // namespace

DiagramOutcome DrawDeflectedShape(const Computation& computation, Canvas& canvas) {
  const InputSet& in = computation.inputs;
  const Deformation& d = *computation.deformation;
  const CoordinateCheck check;
  std::array<LargestDisplacement, 3> extremes{};
  double largest = std::abs(d.u);  // the beam's horizontal displacement
  for (const Member member : kMembers) {
    extremes[static_cast<std::size_t>(member)] = LargestDisplacementOf(d, member);
    largest = std::max(largest, std::abs(extremes[static_cast<std::size_t>(member)].value));
  }
  const DiagramOutcome outcome = ScaleOutcome(ReferenceLength(in), largest);
  if (outcome != DiagramOutcome::Drawn) {
    return outcome;
  }
  const DiagramPen pen(canvas, kDeformationColour);
  const DrawingFrame f = FrameOf(in, check);
  const double unitsPerMm = check(kLargestShapeOffset / largest);
  // Even strokes, with a vertex at each member's extreme so that it is drawn to scale.
  for (const Member member : kMembers) {
    const double length = MemberLength(in, member);
    const double extreme = extremes[static_cast<std::size_t>(member)].s;
    double s = 0;
    PicturePoint from = Displaced(d, f, member, 0, unitsPerMm);
    for (int i = 1; i <= kStrokesPerMember; ++i) {
      const double next = length * i / kStrokesPerMember;
      for (const double to : {extreme, next}) {
        if (to > s && to <= next) {
          const PicturePoint point = Displaced(d, f, member, to, unitsPerMm);
          pen.Line(from.x, from.y, point.x, point.y);
          from = point;
          s = to;
        }
      }
    }
  }
  const int u = kFirstDeformationLabel, w = u + 1, material = u + 2;
  canvas.SetLabelCaption(u, "u = " + FormatFixed2(d.u) + " mm");
  // Just inside the left corner, where the beam hardly deflects and no other label stands.
  canvas.SetLabelLeft(u, check.Single(f.xL + std::max(0.0, d.u * unitsPerMm) + 8));
  canvas.SetLabelTop(u, check.Single(f.yB + 12));
  const PicturePoint deepest = Displaced(d, f, Member::Beam, d.xw, unitsPerMm);
  canvas.SetLabelCaption(w, "w = " + FormatFixed2(d.w) + " mm");
  canvas.SetLabelLeft(w, check.Single(deepest.x - 40));
  canvas.SetLabelTop(w, check.Single(deepest.y + (d.w >= 0 ? 8 : -45)));
  canvas.SetLabelCaption(material, MaterialCaption(computation));
  canvas.SetLabelLeft(material, 20);
  canvas.SetLabelTop(material, 950);
  for (const int label : {u, w, material}) {
    canvas.SetLabelVisible(label, true);
  }
  return DiagramOutcome::Drawn;
}

std::optional<std::string> ReadoutAt(const Computation& computation, double x, double y,
                                     double reach) {
  const InputSet& in = computation.inputs;
  if (!computation.system || ReferenceLength(in) <= 0) {
    return std::nullopt;
  }
  const CoordinateCheck check;
  const DrawingFrame f = FrameOf(in, check);
  // Distance to each member's axis and the position on it, in picture units.
  std::optional<Member> nearest;
  double nearestDistance = reach, position = 0;
  for (const Member member : kMembers) {
    const PicturePoint start = Undeformed(f, member, 0);
    const PicturePoint end = Undeformed(f, member, MemberLength(in, member));
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((x - start.x) * dx + (y - start.y) * dy) / length2, 0.0, 1.0) : 0;
    const double distance = std::hypot(start.x + t * dx - x, start.y + t * dy - y);
    if (distance <= nearestDistance) {
      nearest = member;
      nearestDistance = distance;
      position = t * MemberLength(in, member);
    }
  }
  if (!nearest) {
    return std::nullopt;
  }
  // Near the point load the read-out stands on it and gives the shear on both sides, where it
  // jumps by F; one value there would be one side's alone.
  const bool atLoad = *nearest == Member::Beam && in.F != 0 && in.a >= 0 && in.a <= in.L &&
                      std::abs(position - in.a) * f.unitsPerMetre <= reach;
  if (atLoad) {
    position = in.a;
  }
  const MemberForces forces = ForcesOn(*computation.forces, *nearest, position);
  std::string shear = FormatFixed2(forces.Q) + " kN";
  if (atLoad) {
    const double left = computation.results.AV - in.q * in.a;  // the beam's Q = AV − q·x
    shear =
        FormatFixed2(left) + " kN links von F, " + FormatFixed2(left - in.F) + " kN rechts von F";
  }
  std::string text = std::string(MemberName(*nearest)) + ", " + PositionOn(in, *nearest, position) +
                     "\nM = " + FormatFixed2(forces.M) + " kNm\nQ = " + shear +
                     "\nN = " + FormatFixed2(forces.N) + " kN";
  if (computation.deformation) {
    text += (*nearest == Member::Beam ? "\nw = " : "\nu = ") +
            FormatFixed2(DisplacementAt(*computation.deformation, *nearest, position)) +
            " mm (Stahl, E = 210000 N/mm²)";
  }
  return text;
}

}  // namespace strevo
