#include "core/analysis/solution.h"

#include "core/analysis/compute_results.h"
#include "core/base/arithmetic_fault.h"

namespace strevo {
namespace {

std::optional<Deformation> Deformed(const Portal& portal, const PortalLines& lines,
                                    std::string& fault) {
  try {
    return DeformationOf(portal.system, portal.L, portal.I1, portal.I2,
                         {lines[0].M, lines[1].M, lines[2].M});
  } catch (const ArithmeticFault& error) {
    fault = FaultText(error);
  }
  return std::nullopt;
}

}  // namespace

Portal PortalOf(const InputSet& in, SystemType system) {
  return {system, in.h, in.L, in.I1, in.I2};
}

LoadCase LoadCaseOf(const InputSet& in) {
  return {in.q, in.F, in.a, in.wD, in.wS};
}

InputSet InputsOf(const Portal& portal, const LoadCase& loads) {
  InputSet in;
  in.wD = loads.wD;
  in.q = loads.q;
  in.h = portal.h;
  in.a = loads.a;
  in.b = portal.L - loads.a;
  in.L = portal.L;
  in.wS = loads.wS;
  in.F = loads.F;
  in.I1 = portal.I1;
  in.I2 = portal.I2;
  return in;
}

Solution SolutionOf(const InputSet& in, SystemType system, const SharedResults& r) {
  Solution solution{{r.AH, r.AV, r.MA, r.BH, r.BV, r.MB}, PortalLinesOf(in, r), {}, {}};
  solution.deformation = Deformed(PortalOf(in, system), solution.lines, solution.deformationFault);
  return solution;
}

Solution Solve(const Portal& portal, const LoadCase& loads, SharedResults* values) {
  const InputSet in = InputsOf(portal, loads);
  SharedResults results;
  ComputeResults(in, portal.system, results);
  if (values != nullptr) {
    *values = results;
  }
  return SolutionOf(in, portal.system, results);
}

Solution Superposed(const Portal& portal, const Solution& first, double firstFactor,
                    const Solution& second, double secondFactor) {
  const auto sum = [&](double Reactions::*value) {
    return firstFactor * first.reactions.*value + secondFactor * second.reactions.*value;
  };
  Solution solution{{sum(&Reactions::AH), sum(&Reactions::AV), sum(&Reactions::MA),
                     sum(&Reactions::BH), sum(&Reactions::BV), sum(&Reactions::MB)},
                    Superposed(first.lines, firstFactor, second.lines, secondFactor),
                    {},
                    {}};
  solution.deformation = Deformed(portal, solution.lines, solution.deformationFault);
  return solution;
}

}  // namespace strevo
