// The last computation: what one successful run of the engine read and produced, kept whole so
// that everything shown or exported afterwards belongs to the same inputs.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "core/analysis/compute_results.h"
#include "core/analysis/deformations.h"
#include "core/analysis/inputs.h"
#include "core/analysis/member_forces.h"
#include "core/analysis/shared_results.h"

namespace strevo {

struct Computation {
  std::optional<SystemType> system;
  InputSet inputs;        // as read when the run started
  SharedResults results;  // k and every value the run stored
  ResultLines lines;      // the values the system's result lines show, in line order
  // Each member's M, Q and N along it; none without a system.
  std::optional<PortalLines> forces;
  // How far the portal moves; none without a system, or when a step of it faulted (a member
  // without stiffness), and then `deformationFault` names the fault.
  std::optional<Deformation> deformation;
  std::string deformationFault;
  // The sections chosen in the cross-section window ("HE-A 200") while the fields I1 and I2
  // still held their values; empty when a member has none.
  std::string columnSection, beamSection;
};

// Inputs that fit no structure; the computation refuses them before anything is computed.
class InputRejected : public std::runtime_error {
 public:
  InputRejected(int field, const std::string& message)
      : std::runtime_error(message), field_(field) {}
  int field() const { return field_; }  // the index of the field to correct

 private:
  int field_;
};

// Why these inputs cannot be computed, when they cannot: a point load that does not stand on
// the beam (the closed forms would be carried beyond it and fit no structure). A point load of 0
// makes its place irrelevant.
std::optional<InputRejected> RejectionOf(const InputSet& in);

// Runs the engine on the shared values and returns the snapshot of the run; a fault throws
// before any snapshot exists and leaves `results` as the engine left it.
Computation Compute(const InputSet& in, std::optional<SystemType> system, SharedResults& results);

// Whether the fields, read now, still hold what the computation read.
bool InputsMatch(const Computation& computation, const InputSet& in,
                 std::optional<SystemType> system);

}  // namespace strevo
