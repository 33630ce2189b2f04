#include "report_pictures.h"

#include "arithmetic_fault.h"
#include "drawings.h"

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
