#include "core/model/frame_model.h"

#include <cmath>

namespace strevo {

double LengthOf(const FrameModel& model, MemberId member) {
  const FrameMember& m = model.members[member.index];
  const FrameNode& a = model.nodes[m.start.index];
  const FrameNode& b = model.nodes[m.end.index];
  return std::hypot(b.x - a.x, b.y - a.y);
}

}  // namespace strevo
