// The portal of the program: three members, two feet, one of three systems, and the loads that
// reach it at once; and its builder of the frame model that the analysis reads.
#pragma once

#include <cstddef>
#include <vector>

#include "core/model/frame_model.h"

namespace strevo {

// Steel, as in the section table: EI = 2.1·I kNm² with I in cm4.
inline constexpr double kSteelModulus = 210000;         // N/mm²
inline constexpr double kBendingStiffnessPerCm4 = 2.1;  // kNm² per cm4

enum class SystemType { KinkedBeam = 0, TwoHingedFrame = 1, FixedFrame = 2 };

// The portal's two sides: the left column stands on A, the right one on B.
enum class Side { Left, Right };
inline constexpr Side kSides[] = {Side::Left, Side::Right};

struct Portal {
  SystemType system = SystemType::KinkedBeam;
  double h = 0, L = 0;    // m
  double I1 = 0, I2 = 0;  // cm4, columns and beam
};

// s runs from A up the left column, from point 2 along the beam, from point 5 down the right
// column; each member is h or L long. The portal's frame model numbers its members so.
enum class Member { LeftColumn, Beam, RightColumn };

inline MemberId IdOf(Member member) {
  return MemberId{static_cast<std::size_t>(member)};
}

// The portal's nodes in its frame model: A, the corners 2 and 4, B.
inline constexpr NodeId kFootA{0}, kCornerLeft{1}, kCornerRight{2}, kFootB{3};

struct BeamPointLoad {
  double a;  // m from point 2
  double F;  // kN, downwards
  bool operator==(const BeamPointLoad&) const = default;
};

// A uniform load on part of the beam.
struct PartialBeamLoad {
  double q;         // kN/m, downwards
  double from, to;  // m from point 2
  bool operator==(const PartialBeamLoad&) const = default;
};

// Everything that loads a portal at once, as one combination of loads brings it.
struct FrameLoads {
  double q = 0;  // on the beam, kN/m, downwards
  std::vector<PartialBeamLoad> partialLoads;
  std::vector<BeamPointLoad> pointLoads;
  double wD = 0, wS = 0;  // on the left and the right column, kN/m, positive to the right
  // Horizontal forces at the column tops and feet, kN, positive to the right (the sway
  // imperfection's equivalent forces). A force at a held foot goes straight into the support.
  double topLeft = 0, topRight = 0, footLeft = 0, footRight = 0;
  // Each column's own weight, kN, spread along it.
  double columnWeight = 0;
};

// The portal as a frame model: members axially rigid, each member's inside on its right, so that
// its moments are positive with tension on the inside. Holding it against sway means holding
// the beam for the frames and, for the kinked beam, letting the columns lean only against each
// other (the roller slides twice the beam's sway).
FrameModel PortalFrame(const Portal& portal);

// The loads in the frame model's terms.
FrameLoading PortalLoading(const Portal& portal, const FrameLoads& loads);

}  // namespace strevo
