// A plane frame as data: nodes, members between them, supports, and the loads on members and
// nodes. Builders (portal.h) make one; the analysis (frame_analysis.h) reads it without knowing
// its shape.
#pragma once

#include <cstddef>
#include <vector>

namespace strevo {

struct NodeId {
  std::size_t index;
  bool operator==(const NodeId&) const = default;
};
struct MemberId {
  std::size_t index;
  bool operator==(const MemberId&) const = default;
};

struct FrameNode {
  double x, y;  // m, x to the right, y up
  bool operator==(const FrameNode&) const = default;
};

// A member from its start node to its end node; s runs from the start. Its transverse axis n is
// its direction turned a quarter to the left; its moment is positive with tension on the right
// side (−n), and its shear is Q = dM/ds.
struct FrameMember {
  NodeId start, end;
  double EI;      // kNm²
  double EA = 0;  // kN; read only when the model's members are not axially rigid
  bool operator==(const FrameMember&) const = default;
};

enum class Direction { X, Y, Rotation };

struct FrameSupport {
  NodeId node;
  bool x = false, y = false, rotation = false;  // held
  bool operator==(const FrameSupport&) const = default;
};

// Σ coefficient · displacement = 0 over some nodes' displacements.
struct DisplacementTerm {
  NodeId node;
  Direction direction;
  double coefficient;
  bool operator==(const DisplacementTerm&) const = default;
};

struct FrameModel {
  std::vector<FrameNode> nodes;
  std::vector<FrameMember> members;
  std::vector<FrameSupport> supports;
  // Axially rigid members keep their lengths; their normal forces follow from equilibrium alone.
  bool axiallyRigid = true;
  // What holds the frame against sway, so that the analysis can tell a sway mode from one
  // without sway; empty: the frame is not asked.
  std::vector<DisplacementTerm> swayRestraint;
  bool operator==(const FrameModel&) const = default;
};

// Loads, kN and m. Transverse loads act along the member's n.
struct PartialMemberLoad {
  double w;         // kN/m
  double from, to;  // m along the member
};
struct MemberPointLoad {
  double P;  // kN
  double s;  // m along the member
};
struct MemberLoads {
  double w = 0;  // kN/m over the whole member
  std::vector<PartialMemberLoad> partial;
  std::vector<MemberPointLoad> points;
  // kN/m along the member's direction (a column's own weight). The stiffness takes it whole at
  // the end it comes from (a weight at the top), on the safe side; the normal-force line the
  // analysis reports follows it along the member.
  double axial = 0;
};
struct NodalLoad {
  NodeId node;
  double Fx = 0, Fy = 0;  // kN, to the right and up
  double M = 0;           // kNm, counter-clockwise
};
struct FrameLoading {
  std::vector<MemberLoads> members;  // by member; members beyond its end are unloaded
  std::vector<NodalLoad> nodal;
};

double LengthOf(const FrameModel& model, MemberId member);

}  // namespace strevo
