// The report's system sketch: the portal in its proportions, points and supports where the
// system has them, the reactions in the directions they count positive, h and L dimensioned.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/drawing/system_sketch.h"

namespace strevo {
namespace {

constexpr SystemType kSystems[] = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                   SystemType::FixedFrame};

double Distance(SketchPoint a, SketchPoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

bool Horizontal(const SketchStroke& line) {
  return line.from.y == line.to.y;
}

// The portal read back from its three thick lines: the corners are the beam's ends, the feet
// the columns' other ends.
struct Portal {
  SketchPoint leftCorner, rightCorner, A, B;
};

Portal PortalOf(const SystemSketch& sketch) {
  std::vector<SketchStroke> members;
  for (const SketchStroke& line : sketch.lines) {
    if (line.width > 1 && !(Horizontal(line) && line.from.y > 0)) {  // not a clamped foot
      members.push_back(line);
    }
  }
  EXPECT_EQ(members.size(), 3u);
  Portal p{};
  for (const SketchStroke& m : members) {
    if (Horizontal(m)) {
      p.leftCorner = m.from.x < m.to.x ? m.from : m.to;
      p.rightCorner = m.from.x < m.to.x ? m.to : m.from;
    }
  }
  for (const SketchStroke& m : members) {
    if (!Horizontal(m)) {
      const SketchPoint foot = m.from.y > m.to.y ? m.from : m.to;
      (foot.x < (p.leftCorner.x + p.rightCorner.x) / 2 ? p.A : p.B) = foot;
    }
  }
  return p;
}

const SketchText* TextOf(const SystemSketch& sketch, const std::string& text) {
  for (const SketchText& t : sketch.texts) {
    if (t.text == text) {
      return &t;
    }
  }
  return nullptr;
}

// The arrow whose middle is nearest to the text; a curved one's middle is on its arc, halfway.
const SketchArrow& ArrowAt(const SystemSketch& sketch, const SketchText& text) {
  const auto distance = [&](const SketchArrow& a) {
    SketchPoint middle{(a.from.x + a.to.x) / 2, (a.from.y + a.to.y) / 2};
    if (a.curved) {
      const double radius = Distance(a.from, a.centre);
      const double off = Distance(middle, a.centre);
      middle = {a.centre.x + (middle.x - a.centre.x) * radius / off,
                a.centre.y + (middle.y - a.centre.y) * radius / off};
    }
    return Distance(middle, text.anchor);
  };
  return *std::min_element(
      sketch.arrows.begin(), sketch.arrows.end(),
      [&](const SketchArrow& a, const SketchArrow& b) { return distance(a) < distance(b); });
}

TEST(SystemSketch, PointsStandAtTheirCornersFeetAndField) {
  for (const SystemType system : kSystems) {
    const SystemSketch sketch = SketchOf(system, 6, 15);
    const Portal p = PortalOf(sketch);
    EXPECT_EQ(p.A.y, p.B.y);
    EXPECT_NEAR((p.A.y - p.leftCorner.y) / (p.B.x - p.A.x), 6.0 / 15, 1e-12) << "to scale";
    const SketchPoint places[] = {p.leftCorner, p.rightCorner, p.A, p.B};
    // Each text nearest to its own place, on its member's side of the corner.
    const auto nearestPlace = [&](const SketchText& t) {
      return std::min_element(std::begin(places), std::end(places),
                              [&](SketchPoint a, SketchPoint b) {
                                return Distance(a, t.anchor) < Distance(b, t.anchor);
                              }) -
             std::begin(places);
    };
    const struct {
      const char* text;
      long place;
    } expected[] = {{"1", 0}, {"2", 0}, {"4", 1}, {"5", 1}, {"A", 2}, {"B", 3}};
    for (const auto& e : expected) {
      const SketchText* t = TextOf(sketch, e.text);
      ASSERT_NE(t, nullptr) << e.text;
      EXPECT_EQ(nearestPlace(*t), e.place) << e.text;
      EXPECT_LT(Distance(t->anchor, places[e.place]), 15) << e.text;
    }
    EXPECT_GT(TextOf(sketch, "1")->anchor.y, p.leftCorner.y) << "1 on the column";
    EXPECT_GT(TextOf(sketch, "2")->anchor.x, p.leftCorner.x) << "2 on the beam";
    EXPECT_LT(TextOf(sketch, "4")->anchor.x, p.rightCorner.x) << "4 on the beam";
    EXPECT_GT(TextOf(sketch, "5")->anchor.y, p.rightCorner.y) << "5 on the column";
    const SketchText* field = TextOf(sketch, "3");
    ASSERT_NE(field, nullptr);
    EXPECT_GT(field->anchor.x, p.leftCorner.x + 20);
    EXPECT_LT(field->anchor.x, p.rightCorner.x - 20);
    EXPECT_LT(std::abs(field->anchor.y - p.leftCorner.y), 8) << "by the beam";
  }
}

TEST(SystemSketch, ReactionsPointTheWayTheyCountPositive) {
  for (const SystemType system : kSystems) {
    const SystemSketch sketch = SketchOf(system, 6, 15);
    const Portal p = PortalOf(sketch);
    // y grows downwards: up is a negative dy.
    const struct {
      const char* text;
      double dx, dy;
      SketchPoint foot;
    } reactions[] = {{"AH", 1, 0, p.A}, {"AV", 0, -1, p.A}, {"BH", -1, 0, p.B}, {"BV", 0, -1, p.B}};
    for (const auto& r : reactions) {
      const SketchText* t = TextOf(sketch, r.text);
      if (system == SystemType::KinkedBeam && std::string(r.text) == "BH") {
        EXPECT_EQ(t, nullptr) << "the roller takes no horizontal force";
        continue;
      }
      ASSERT_NE(t, nullptr) << r.text;
      const SketchArrow& a = ArrowAt(sketch, *t);
      ASSERT_FALSE(a.curved) << r.text;
      const double length = Distance(a.from, a.to);
      EXPECT_NEAR((a.to.x - a.from.x) / length, r.dx, 1e-12) << r.text;
      EXPECT_NEAR((a.to.y - a.from.y) / length, r.dy, 1e-12) << r.text;
      EXPECT_LT(Distance(a.to, r.foot), 20) << r.text << " acts at its foot";
    }
    // Tension inside turns the left foot clockwise on the page and the right one anticlockwise;
    // with y downwards a clockwise turn has a positive cross product.
    const struct {
      const char* text;
      bool clockwise;
      SketchPoint foot;
    } moments[] = {{"MA", true, p.A}, {"MB", false, p.B}};
    for (const auto& m : moments) {
      const SketchText* t = TextOf(sketch, m.text);
      if (system != SystemType::FixedFrame) {
        EXPECT_EQ(t, nullptr) << m.text << ": a hinge takes no moment";
        continue;
      }
      ASSERT_NE(t, nullptr) << m.text;
      const SketchArrow& a = ArrowAt(sketch, *t);
      ASSERT_TRUE(a.curved) << m.text;
      EXPECT_EQ(a.centre, m.foot) << m.text;
      EXPECT_EQ(a.clockwise, m.clockwise) << m.text;
      const double cross = (a.from.x - a.centre.x) * (a.to.y - a.centre.y) -
                           (a.from.y - a.centre.y) * (a.to.x - a.centre.x);
      EXPECT_EQ(cross > 0, m.clockwise) << m.text << ": the arc's ends turn the same way";
      EXPECT_NEAR(Distance(a.from, a.centre), Distance(a.to, a.centre), 1e-9) << m.text;
    }
  }
}

// Supports read from the symbols under a foot: a hinge circle at the foot, ground lines under
// it (a roller has two), a clamped foot a thick line across.
struct Support {
  int hinges = 0, groundLines = 0, clamps = 0;
};

Support SupportAt(const SystemSketch& sketch, SketchPoint foot) {
  Support s;
  for (const SketchCircle& c : sketch.circles) {
    s.hinges += c.centre == foot && !c.filled ? 1 : 0;
  }
  for (const SketchStroke& line : sketch.lines) {
    const bool across = Horizontal(line) && std::min(line.from.x, line.to.x) < foot.x &&
                        std::max(line.from.x, line.to.x) > foot.x;
    if (across && line.from.y == foot.y && line.width > 1) {
      ++s.clamps;
    } else if (across && line.from.y > foot.y && line.from.y < foot.y + 20) {
      ++s.groundLines;
    }
  }
  return s;
}

TEST(SystemSketch, SupportsAreTheSystems) {
  const struct {
    SystemType system;
    int hingesA, groundA, clampsA, hingesB, groundB, clampsB;
  } cases[] = {{SystemType::KinkedBeam, 1, 1, 0, 1, 2, 0},
               {SystemType::TwoHingedFrame, 1, 1, 0, 1, 1, 0},
               {SystemType::FixedFrame, 0, 0, 1, 0, 0, 1}};
  for (const auto& c : cases) {
    const SystemSketch sketch = SketchOf(c.system, 6, 15);
    const Portal p = PortalOf(sketch);
    const Support a = SupportAt(sketch, p.A), b = SupportAt(sketch, p.B);
    const int system = static_cast<int>(c.system);
    EXPECT_EQ(a.hinges, c.hingesA) << system;
    EXPECT_EQ(a.groundLines, c.groundA) << system;
    EXPECT_EQ(a.clamps, c.clampsA) << system;
    EXPECT_EQ(b.hinges, c.hingesB) << system;
    EXPECT_EQ(b.groundLines, c.groundB) << system;
    EXPECT_EQ(b.clamps, c.clampsB) << system;
  }
}

TEST(SystemSketch, MembersRunFromAUpFromTwoToFourAndFromFiveDown) {
  const SystemSketch sketch = SketchOf(SystemType::TwoHingedFrame, 6, 15);
  const Portal p = PortalOf(sketch);
  std::vector<const SketchArrow*> arrows;
  for (const SketchText& t : sketch.texts) {
    if (t.text == "s") {
      arrows.push_back(&ArrowAt(sketch, t));
    }
  }
  ASSERT_EQ(arrows.size(), 3u);
  std::sort(arrows.begin(), arrows.end(),
            [](const SketchArrow* a, const SketchArrow* b) { return a->from.x < b->from.x; });
  const SketchArrow &left = *arrows[0], &beam = *arrows[1], &right = *arrows[2];
  EXPECT_EQ(left.from.x, left.to.x);
  EXPECT_LT(left.to.y, left.from.y) << "up the left column";
  EXPECT_LT(Distance(left.from, p.A), Distance(left.from, p.leftCorner)) << "from A";
  EXPECT_EQ(beam.from.y, beam.to.y);
  EXPECT_GT(beam.to.x, beam.from.x) << "along the beam to the right";
  EXPECT_LT(Distance(beam.from, p.leftCorner), Distance(beam.from, p.rightCorner)) << "from 2";
  EXPECT_EQ(right.from.x, right.to.x);
  EXPECT_GT(right.to.y, right.from.y) << "down the right column";
  EXPECT_LT(Distance(right.from, p.rightCorner), Distance(right.from, p.B)) << "from 5";
  for (const SketchArrow* a : arrows) {  // beside the members, inside the portal
    EXPECT_GT(std::min(a->from.x, a->to.x), p.A.x);
    EXPECT_LT(std::max(a->from.x, a->to.x), p.B.x);
    EXPECT_GT(std::min(a->from.y, a->to.y), p.leftCorner.y);
  }
}

TEST(SystemSketch, DimensionsStateHAndLWithADecimalComma) {
  const SystemSketch sketch = SketchOf(SystemType::FixedFrame, 6, 15);
  const Portal p = PortalOf(sketch);
  ASSERT_NE(TextOf(sketch, "h = 6,00 m"), nullptr);
  ASSERT_NE(TextOf(sketch, "L = 15,00 m"), nullptr);
  // A dimension line as long as the member beside it, off the portal.
  const auto dimensioned = [&](SketchPoint from, SketchPoint to) {
    return std::any_of(sketch.lines.begin(), sketch.lines.end(), [&](const SketchStroke& l) {
      const bool vertical = from.x == to.x;
      const bool parallel = vertical ? l.from.x == l.to.x : l.from.y == l.to.y;
      const double along = vertical ? std::abs(l.to.y - l.from.y) : std::abs(l.to.x - l.from.x);
      const double offset = vertical ? from.x - l.from.x : from.y - l.from.y;
      return parallel && l.width == 1 && std::abs(along - Distance(from, to)) < 1e-9 && offset > 5;
    });
  };
  EXPECT_TRUE(dimensioned(p.leftCorner, p.A)) << "h left of the left column";
  EXPECT_TRUE(dimensioned(p.leftCorner, p.rightCorner)) << "L above the beam";
  EXPECT_LT(TextOf(sketch, "h = 6,00 m")->anchor.x, p.A.x);
  EXPECT_LT(TextOf(sketch, "L = 15,00 m")->anchor.y, p.leftCorner.y);
}

TEST(SystemSketch, ExtremeProportionsStayReadable) {
  const struct {
    double h, L, drawnRatio;
  } cases[] = {{6, 123456, 0.3}, {6, 15, 0.4}, {10, 10, 1}, {12, 8, 1.5}, {40, 2, 2}};
  for (const auto& c : cases) {
    const SystemSketch sketch = SketchOf(SystemType::TwoHingedFrame, c.h, c.L);
    const Portal p = PortalOf(sketch);
    const double width = p.B.x - p.A.x, height = p.A.y - p.leftCorner.y;
    EXPECT_NEAR(height / width, c.drawnRatio, 1e-12) << c.h << " / " << c.L;
    EXPECT_NEAR(std::max(width, height), 100, 1e-12) << "the longer side alike";
    EXPECT_LE(sketch.topLeft.x, p.A.x - 40) << "the extent holds the h dimension";
    EXPECT_GE(sketch.bottomRight.y, p.A.y + 20) << "and the reactions under the feet";
  }
  EXPECT_NE(TextOf(SketchOf(SystemType::KinkedBeam, 6, 123456), "L = 123456,00 m"), nullptr);
  EXPECT_NE(TextOf(SketchOf(SystemType::KinkedBeam, 0, 0), "h = 0,00 m"), nullptr)
      << "a portal without dimensions is sketched all the same";
}

}  // namespace
}  // namespace strevo
