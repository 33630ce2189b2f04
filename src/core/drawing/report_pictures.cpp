#include "core/drawing/report_pictures.h"

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

using Diagram = DiagramOutcome (*)(const InputSet&, const SharedResults&, Canvas&);

// As the results window does: the diagram labels hidden, the system drawn, the diagram over it.
void Draw(const Computation& computation, Diagram diagram, const char* what, ReportPicture& out) {
  for (int i = 11; i < kFirstDeformationLabel; ++i) {
    out.picture.SetLabelVisible(i, false);
  }
  SharedResults results = computation.results;  // the drawing sets Lmax; the snapshot stays
  try {
    DrawSystem(computation.inputs, computation.system, results, out.picture);
    if (diagram == nullptr) {
      return;
    }
    switch (diagram(computation.inputs, results, out.picture)) {
      case DiagramOutcome::Drawn:
        break;
      case DiagramOutcome::NoSystemDrawing:
        out.note = "Kein Maßstab: Höhe und Spannweite sind 0.";
        break;
      case DiagramOutcome::NothingToDraw:
        out.note = NothingToDrawNote(what);
        break;
    }
  } catch (const ArithmeticFault& fault) {
    out.note = "Laufzeitfehler: " + FaultText(fault.kind());
  }
}

}  // namespace

std::string ValueLabelUnit(int label) {
  if (label == kLabelL) {
    return "m";
  }
  if (label >= kLabelWD && label <= kLabelWS) {
    return "kN/m";
  }
  if (label == kLabelF) {
    return "kN";
  }
  if (label >= kLabelM1 && label <= kLabelM5) {
    return "kNm";
  }
  return label >= kLabelQ1 && label <= kLabelN5 ? "kN" : "";
}

std::string ReportCaption(int label, const std::string& caption) {
  // Forces to the right at A and to the left at B, both up; the foot moments with tension
  // inside turn A clockwise and B anticlockwise.
  const char* arrow = "";
  switch (label) {
    case kLabelAH:
      arrow = "→ ";
      break;
    case kLabelBH:
      arrow = "← ";
      break;
    case kLabelAV:
    case kLabelBV:
      arrow = "↑ ";
      break;
    case kLabelMA:
      arrow = "↻ ";
      break;
    case kLabelMB:
      arrow = "↺ ";
      break;
    default:
      break;
  }
  const std::string unit = ValueLabelUnit(label);
  return arrow + DecimalCommas(unit.empty() ? caption : caption + " " + unit);
}

std::array<ReportPicture, 4> DrawReportPictures(const Computation& computation) {
  std::array<ReportPicture, 4> pictures;
  pictures[0].title = "System";
  Draw(computation, nullptr, "", pictures[0]);
  pictures[1].title = "Momente";
  Draw(computation, &DrawMomentDiagram, "Momente", pictures[1]);
  pictures[2].title = "Querkräfte";
  Draw(computation, &DrawShearDiagram, "Querkräfte", pictures[2]);
  pictures[3].title = "Normalkräfte";
  Draw(computation, &DrawNormalForceDiagram, "Normalkräfte", pictures[3]);
  return pictures;
}

}  // namespace strevo
