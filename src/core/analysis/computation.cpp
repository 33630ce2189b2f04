#include "core/analysis/computation.h"

#include "core/analysis/input_table.h"
#include "core/analysis/solution.h"

namespace strevo {

std::optional<InputRejected> RejectionOf(const InputSet& in) {
  if (in.F != 0 && !(in.a >= 0 && in.a <= in.L)) {
    return InputRejected(kFieldA, "Die Einzellast F muss auf dem Riegel stehen: 0 ≤ a ≤ L.");
  }
  return std::nullopt;
}

Computation Compute(const InputSet& in, std::optional<SystemType> system, SharedResults& results) {
  if (const std::optional<InputRejected> rejection = RejectionOf(in)) {
    throw InputRejected(rejection->field(), rejection->what());
  }
  Computation computation{system, in, {}, ComputeResults(in, system, results), {}, {}, {}, {}, {}};
  computation.results = results;
  // The forces stand without the deformations: a fault there leaves the computation whole.
  if (system) {
    Solution solution = SolutionOf(in, *system, results);
    computation.forces = std::move(solution.lines);
    computation.deformation = std::move(solution.deformation);
    computation.deformationFault = std::move(solution.deformationFault);
  }
  return computation;
}

bool InputsMatch(const Computation& computation, const InputSet& in,
                 std::optional<SystemType> system) {
  const InputSet& was = computation.inputs;
  return computation.system == system && was.wD == in.wD && was.q == in.q && was.h == in.h &&
         was.a == in.a && was.b == in.b && was.L == in.L && was.wS == in.wS && was.F == in.F &&
         was.I1 == in.I1 && was.I2 == in.I2;
}

}  // namespace strevo
