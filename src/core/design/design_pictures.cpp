#include "core/design/design_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/member_forces.h"
#include "core/base/text_rules.h"
#include "core/drawing/drawing_frame.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

constexpr std::array<Member, 3> kMembers = {Member::LeftColumn, Member::Beam, Member::RightColumn};
// Twice the results window's ten: a combination's line may bend anywhere along a member.
constexpr int kChords = 20;
// Two sides of a boundary differ by a jump, not by rounding, beyond this share of the scale.
constexpr double kJumpTolerance = 1e-9;
// About one character of the value labels' 11-pixel font in picture units (353 pixels wide).
constexpr double kCharacterUnits = 17;

struct DiagramKind {
  const char* what;  // as the note and the title name the values
  int colour;        // the results window's
  int firstLabel, labelCount;
};

DiagramKind KindOf(ForceKind kind) {
  switch (kind) {
    case ForceKind::Moment:
      return {"Momente", 12, kLabelM1, 5};
    case ForceKind::Shear:
      return {"Querkräfte", 2, kLabelQ1, 4};
    case ForceKind::Normal:
      break;
  }
  return {"Normalkräfte", 8, kLabelN1, 4};
}

// M, Q or N of a member's lines or of its envelope.
template <class Along>
const auto& OfKind(const Along& along, ForceKind kind) {
  switch (kind) {
    case ForceKind::Moment:
      return along.M;
    case ForceKind::Shear:
      return along.Q;
    case ForceKind::Normal:
      break;
  }
  return along.N;
}

const ForceLine& LineOf(const PortalLines& lines, Member member, ForceKind kind) {
  return OfKind(lines[static_cast<std::size_t>(member)], kind);
}

const ForceEnvelope& EnvelopeOf(const PortalEnvelope& envelope, Member member, ForceKind kind) {
  return OfKind(envelope[static_cast<std::size_t>(member)], kind);
}

struct Station {
  double s, value;
};
using Polyline = std::vector<Station>;

// A line's largest |value|: at its pieces' ends, or where a quadratic piece turns inside one.
double LargestMagnitude(const ForceLine& line, const CoordinateCheck& check) {
  double largest = 0;
  for (const LinePiece& p : line.pieces) {
    largest = std::max({largest, std::abs(check(p.At(p.start))), std::abs(check(p.At(p.end)))});
    if (p.c2 != 0) {
      const double turn = check(p.start - p.c1 / (2 * p.c2));
      if (turn > p.start && turn < p.end) {
        largest = std::max(largest, std::abs(check(p.At(turn))));
      }
    }
  }
  return largest;
}

// A line at kChords equal chords and at every piece boundary; where it jumps, the boundary
// twice, with the value left of it (the piece that ends there, at 0 the first) and then right
// of it. `value(piece, s)` is the line's value on a piece.
template <class Piece, class Value>
Polyline Sampled(const std::vector<Piece>& pieces, const Value& value, double length,
                 double tolerance, const CoordinateCheck& check) {
  if (pieces.empty()) {
    return {};
  }
  std::vector<double> places;
  for (int i = 0; i <= kChords; ++i) {
    places.push_back(check(length * i / kChords));
  }
  for (const Piece& p : pieces) {
    if (p.start > 0 && p.start < length) {
      places.push_back(p.start);
    }
  }
  std::sort(places.begin(), places.end());
  places.erase(std::unique(places.begin(), places.end()), places.end());
  Polyline polyline;
  for (const double s : places) {
    const Piece* ending = &pieces.front();
    for (const Piece& p : pieces) {
      if (p.start < s) {
        ending = &p;
      }
    }
    const double left = check(value(*ending, s));
    polyline.push_back({s, left});
    for (const Piece& p : pieces) {
      if (s > 0 && p.start == s) {
        if (const double right = check(value(p, s)); std::abs(right - left) > tolerance) {
          polyline.push_back({s, right});
        }
      }
    }
  }
  return polyline;
}

double ValueOf(const ExactPiece& piece, ForceKind kind, double s) {
  switch (kind) {
    case ForceKind::Moment:
      return piece.M(s);
    case ForceKind::Shear:
      return piece.Q(s);
    case ForceKind::Normal:
      break;
  }
  return piece.N(s);
}

struct PicturePoint {
  double x, y;
};

// Where a member's values stand in the frame, as the results window draws them, each positive
// to the inside: the left column from A up, the beam from point 2 below its axis, the right
// column from point 5 down.
class Plot {
 public:
  Plot(const DrawingFrame& frame, const InputSet& in, double scale, const CoordinateCheck& check)
      : f_(frame), in_(in), c_(scale), check_(check) {}

  PicturePoint At(Member member, double s, double value) const {
    const double off = check_(value * c_);
    switch (member) {
      case Member::LeftColumn:
        return {f_.xL + off, kFootY - s * f_.unitsPerMetre};
      case Member::Beam:
        return {f_.BeamX(s, in_.L, check_), f_.yB + off};
      case Member::RightColumn:
        break;
    }
    return {f_.xR - off, kFootY - (in_.h - s) * f_.unitsPerMetre};
  }

  // Off the axis to the first station, along the stations, back to the axis at the last.
  void Draw(const DiagramPen& pen, Member member, const Polyline& line) const {
    if (line.empty()) {
      return;
    }
    PicturePoint from = At(member, line.front().s, 0);
    for (const Station& station : line) {
      const PicturePoint to = At(member, station.s, station.value);
      pen.Line(from.x, from.y, to.x, to.y);
      from = to;
    }
    const PicturePoint axis = At(member, line.back().s, 0);
    pen.Line(from.x, from.y, axis.x, axis.y);
  }

 private:
  const DrawingFrame& f_;
  const InputSet& in_;
  double c_;
  const CoordinateCheck& check_;
};

// The portal as the results window draws it under a diagram, without loads: a combination
// holds as many as it has cases. The diagrams' labels start hidden.
void DrawPortal(const InputSet& in, SystemType system, SharedResults& values, Canvas& canvas) {
  for (int i = kLabelM1; i < kFirstDeformationLabel; ++i) {
    canvas.SetLabelVisible(i, false);
  }
  DrawSystem(in, system, values, canvas);
}

// The labels of the results window's diagram: the corners, and for the moment the field.
void PlaceCombinationLabels(ForceKind kind, const InputSet& in, const SharedResults& r,
                            const DrawingFrame& f, Canvas& canvas, const CoordinateCheck& check) {
  switch (kind) {
    case ForceKind::Moment:
      canvas.SetLabelCaption(kLabelM3, FormatFixed2(r.M3));
      canvas.SetLabelLeft(kLabelM3, check.Single(480 - (in.L - 2 * r.X3) * 250 / r.Lmax));
      canvas.SetLabelTop(kLabelM3, check.Single(720 - in.h * 500 / r.Lmax));
      PlaceCornerLabels({kLabelM1, kLabelM2, kLabelM4, kLabelM5}, {r.M1, r.M2, r.M4, r.M5}, f,
                        canvas, check);
      return;
    case ForceKind::Shear:
      PlaceCornerLabels({kLabelQ1, kLabelQ2, kLabelQ4, kLabelQ5}, {r.Q1, r.Q2, r.Q4, r.Q5}, f,
                        canvas, check);
      return;
    case ForceKind::Normal:
      break;
  }
  PlaceCornerLabels({kLabelN1, kLabelN2, kLabelN4, kLabelN5}, {r.N1, r.N2, r.N4, r.N5}, f, canvas,
                    check);
}

struct Extreme {
  Member member;
  double s, value;
};

// -1 at the left corner, 1 at the right one, 0 elsewhere.
int CornerOf(const InputSet& in, const Extreme& e) {
  const double length = MemberLength(in, e.member), near = length * kJumpTolerance;
  const bool atStart = e.s <= near, atEnd = e.s >= length - near;
  switch (e.member) {
    case Member::LeftColumn:
      return atEnd ? -1 : 0;
    case Member::Beam:
      return atStart ? -1 : (atEnd ? 1 : 0);
    case Member::RightColumn:
      break;
  }
  return atStart ? 1 : 0;
}

// Each member's largest value above zero and smallest below, the largest |value| first; a
// corner's value once, though the column and the beam both reach it there.
std::vector<Extreme> LabelledExtremes(const PortalEnvelope& envelope, ForceKind kind,
                                      const InputSet& in) {
  std::vector<Extreme> all;
  for (const Member member : kMembers) {
    const ForceEnvelope& e = EnvelopeOf(envelope, member, kind);
    if (e.stations.empty()) {
      continue;
    }
    if (e.max.value > 0) {
      all.push_back({member, e.max.s, e.max.value});
    }
    if (e.min.value < 0) {
      all.push_back({member, e.min.s, e.min.value});
    }
  }
  std::stable_sort(all.begin(), all.end(), [](const Extreme& a, const Extreme& b) {
    return std::abs(a.value) > std::abs(b.value);
  });
  std::vector<Extreme> chosen;
  for (const Extreme& e : all) {
    const int corner = CornerOf(in, e);
    const bool shown = std::any_of(chosen.begin(), chosen.end(), [&](const Extreme& c) {
      return corner != 0 && CornerOf(in, c) == corner &&
             FormatFixed2(c.value) == FormatFixed2(e.value);
    });
    if (!shown) {
      chosen.push_back(e);
    }
  }
  return chosen;
}

// A value beside its point, beyond the line as seen from the member's axis.
void PlaceBeside(int label, const Extreme& e, const Plot& plot, Canvas& canvas,
                 const CoordinateCheck& check) {
  const std::string caption = FormatFixed2(e.value);
  const double width = kCharacterUnits * static_cast<double>(caption.size());
  const PicturePoint at = plot.At(e.member, e.s, e.value);
  const bool inside = e.value > 0;
  double left = 0, top = at.y - 18;
  switch (e.member) {
    case Member::LeftColumn:
      left = inside ? at.x + 10 : at.x - 10 - width;
      break;
    case Member::Beam:
      left = at.x - width / 2;
      top = inside ? at.y + 5 : at.y - 40;
      break;
    case Member::RightColumn:
      left = inside ? at.x - 10 - width : at.x + 10;
      break;
  }
  canvas.SetLabelCaption(label, caption);
  canvas.SetLabelLeft(label, check.Single(left));
  canvas.SetLabelTop(label, check.Single(top));
  canvas.SetLabelVisible(label, true);
}

// A combination's diagram from its members' stations (`lines(member, tolerance)`), its labels
// showing `values`; `reference` is the diagram's largest |value|.
ReportPicture DiagramPicture(const DesignResult& result, ForceKind kind, SharedResults values,
                             double reference,
                             const std::function<Polyline(Member, double)>& lines) {
  const DiagramKind k = KindOf(kind);
  ReportPicture out;
  const InputSet in = InputsOf(result.portal, {});
  DrawPortal(in, result.portal.system, values, out.picture);
  const CoordinateCheck check;
  // The beam's shear starts at Q2 as the results window's does: under a point load at a = 0
  // the line holds only what lies right of it, and the picture steps down by F there.
  reference = std::max(reference, kind == ForceKind::Shear ? std::abs(values.Q2) : 0);
  if (reference == 0) {
    out.note = NothingToDrawNote(k.what);
    return out;
  }
  const DiagramPen pen(out.picture, k.colour);
  const DrawingFrame f = MakeDrawingFrame(in, values.Lmax, check);
  const Plot plot(f, in, check(100 / reference), check);
  for (const Member member : kMembers) {
    Polyline line = lines(member, reference * kJumpTolerance);
    if (kind == ForceKind::Shear && member == Member::Beam && !line.empty() &&
        std::abs(values.Q2 - line.front().value) > reference * kJumpTolerance) {
      line.insert(line.begin(), {0, values.Q2});
    }
    plot.Draw(pen, member, line);
  }
  PlaceCombinationLabels(kind, in, values, f, out.picture, check);
  for (int i = k.firstLabel; i < k.firstLabel + k.labelCount; ++i) {
    out.picture.SetLabelVisible(i, true);
  }
  return out;
}

}  // namespace

ReportPicture CombinationPicture(const DesignResult& result, std::size_t combination,
                                 ForceKind kind) {
  const CombinationResult& c = result.combinations.at(combination);
  const CoordinateCheck check;
  double reference = 0;
  for (const Member member : kMembers) {
    reference =
        std::max(reference, LargestMagnitude(LineOf(c.solution.lines, member, kind), check));
  }
  const InputSet in = InputsOf(result.portal, {});
  ReportPicture out =
      DiagramPicture(result, kind, c.values, reference, [&](Member member, double tolerance) {
        return Sampled(
            LineOf(c.solution.lines, member, kind).pieces,
            [](const LinePiece& p, double s) { return p.At(s); }, MemberLength(in, member),
            tolerance, check);
      });
  out.title = std::string(KindOf(kind).what) + " " + c.combination.id + ": " + c.combination.label;
  return out;
}

ReportPicture DesignForcePicture(const DesignResult& result, std::size_t combination,
                                 ForceKind kind) {
  const CombinationResult& c = result.combinations.at(combination);
  const std::string title = std::string(KindOf(kind).what) + " " + c.combination.id;
  if (!c.stability || c.stability->unstable) {
    ReportPicture out = CombinationPicture(result, combination, kind);
    out.title = title;
    return out;
  }
  const ExactLines& design = c.stability->design.lines;
  const InputSet in = InputsOf(result.portal, {});
  const CoordinateCheck check;
  const auto lines = [&](Member member, double tolerance) {
    return Sampled(
        design[static_cast<std::size_t>(member)].pieces,
        [kind](const ExactPiece& p, double s) { return ValueOf(p, kind, s); },
        MemberLength(in, member), tolerance, check);
  };
  // The scale from every station, both sides of each cut.
  double reference = 0;
  for (const Member member : kMembers) {
    for (const Station& station : lines(member, 0)) {
      reference = std::max(reference, std::abs(station.value));
    }
  }
  ReportPicture out = DiagramPicture(result, kind, c.stability->designValues, reference, lines);
  out.title = title;
  return out;
}

ReportPicture EnvelopePicture(const DesignResult& result, ForceKind kind) {
  const DiagramKind k = KindOf(kind);
  ReportPicture out;
  out.title = std::string("Umhüllende der ") + k.what + " (GZT)";
  const InputSet in = InputsOf(result.portal, {});
  SharedResults values;  // the reactions have no one value here: their labels are hidden
  DrawPortal(in, result.portal.system, values, out.picture);
  for (int i = kLabelMA; i <= kLabelBH; ++i) {
    out.picture.SetLabelVisible(i, false);
  }

  const CoordinateCheck check;
  double reference = 0;
  bool anyStation = false;
  for (const Member member : kMembers) {
    for (const EnvelopeStation& s : EnvelopeOf(result.envelope, member, kind).stations) {
      reference = std::max({reference, std::abs(check(s.max)), std::abs(check(s.min))});
      anyStation = true;
    }
  }
  if (!anyStation) {
    out.note = "Es gibt nichts zu zeichnen: keine Kombination im Grenzzustand der Tragfähigkeit.";
    return out;
  }
  if (reference == 0) {
    out.note = NothingToDrawNote(k.what);
    return out;
  }
  const DiagramPen maxPen(out.picture, kEnvelopeMaxColour), minPen(out.picture, kEnvelopeMinColour);
  const DrawingFrame f = MakeDrawingFrame(in, values.Lmax, check);
  const Plot plot(f, in, check(100 / reference), check);
  for (const Member member : kMembers) {
    Polyline upper, lower;
    for (const EnvelopeStation& s : EnvelopeOf(result.envelope, member, kind).stations) {
      upper.push_back({s.s, s.max});
      lower.push_back({s.s, s.min});
    }
    plot.Draw(maxPen, member, upper);
    plot.Draw(minPen, member, lower);
  }
  const std::vector<Extreme> extremes = LabelledExtremes(result.envelope, kind, in);
  const std::size_t shown = std::min(extremes.size(), static_cast<std::size_t>(k.labelCount));
  for (std::size_t i = 0; i < shown; ++i) {
    PlaceBeside(k.firstLabel + static_cast<int>(i), extremes[i], plot, out.picture, check);
  }
  return out;
}

}  // namespace strevo
