// The system drawing and the three internal-force diagrams, drawn into a Canvas.
#pragma once

#include <optional>
#include <string>

#include "core/analysis/inputs.h"
#include "core/analysis/shared_results.h"
#include "core/drawing/canvas.h"

namespace strevo {

// The value labels Label3(0..23) of the system drawing and the diagrams, by what they show.
enum ValueLabel : int {
  kLabelL = 0,
  kLabelMA,
  kLabelAV,
  kLabelAH,
  kLabelMB,
  kLabelBV,
  kLabelBH,  // reactions
  kLabelWD,
  kLabelQ,
  kLabelWS,
  kLabelF,  // loads
  kLabelM1,
  kLabelM2,
  kLabelM3,
  kLabelM4,
  kLabelM5,  // moment diagram
  kLabelQ1,
  kLabelQ2,
  kLabelQ4,
  kLabelQ5,  // shear-force diagram
  kLabelN1,
  kLabelN2,
  kLabelN4,
  kLabelN5,  // normal-force diagram
};

// The drawings' reference length Lmax: the longer of h and L.
inline double ReferenceLength(const InputSet& in) {
  return in.h >= in.L ? in.h : in.L;
}

// Why a diagram of these values ("Momente") is not drawn when all of them are zero.
inline std::string NothingToDrawNote(const std::string& what) {
  return "Es gibt nichts zu zeichnen: alle " + what + " sind Null.";
}

// Clears the picture, stores Lmax and draws the portal, its supports, loads and reaction
// values. An ArithmeticFault stops it where it is; what was drawn stays.
void DrawSystem(const InputSet& in, std::optional<SystemType> system, SharedResults& results,
                Canvas& canvas);

// A diagram has a scale only once the system was drawn (Lmax > 0) and when one of its
// reference values is not 0; otherwise nothing is drawn and the caller says why.
enum class DiagramOutcome { Drawn, NoSystemDrawing, NothingToDraw };

// Each draws over what the picture shows, from the stored results and the current inputs.
DiagramOutcome DrawMomentDiagram(const InputSet& in, const SharedResults& results, Canvas& canvas);
DiagramOutcome DrawShearDiagram(const InputSet& in, const SharedResults& results, Canvas& canvas);
DiagramOutcome DrawNormalForceDiagram(const InputSet& in, const SharedResults& results,
                                      Canvas& canvas);

}  // namespace strevo
