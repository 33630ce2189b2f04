// The three pictures of the portal drawn from its one geometry: the main window's sketch, the
// system drawing and the report's sketch, each read from what it drew.
#include <QCoreApplication>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "drawings.h"
#include "form1.h"
#include "picture_recording.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "strevo_app.h"
#include "system_sketch.h"

namespace strevo {
namespace {

struct Stroke {
  PicturePoint from, to;
};

// A picture as drawn: its first three strokes are the members, the others what else it drew.
struct DrawnPicture {
  const char* name;
  std::vector<Stroke> members, rest;
  bool onlySupports = false;  // nothing but the members and the supports' lines
};

DrawnPicture MainSketch(const Form1& form) {
  DrawnPicture picture{"Hauptfenster", {}, {}, true};
  for (std::size_t i = 0; i < 3; ++i) {
    const SketchLine& l = form.Line1()[i];
    picture.members.push_back({{l.x1, l.y1}, {l.x2, l.y2}});
  }
  for (const LineArray* lines : {&form.Line2(), &form.Line3()}) {
    for (const SketchLine& l : *lines) {
      if (l.visible) {
        picture.rest.push_back({{l.x1, l.y1}, {l.x2, l.y2}});
      }
    }
  }
  return picture;
}

DrawnPicture SystemDrawing(const InputSet& in, SystemType system) {
  PictureRecording recording;
  SharedResults results;
  DrawSystem(in, system, results, recording);
  DrawnPicture picture{"DrawSystem", {}, {}};
  for (const RecordedStroke& s : recording.Strokes()) {
    if (!s.box) {
      (picture.members.size() < 3 ? picture.members : picture.rest)
          .push_back({{s.x1, s.y1}, {s.x2, s.y2}});
    }
  }
  return picture;
}

DrawnPicture ReportSketch(const InputSet& in, SystemType system) {
  const SystemSketch sketch = SketchOf(system, in.h, in.L);
  DrawnPicture picture{"Bericht", {}, {}};
  for (const SketchStroke& line : sketch.lines) {
    (picture.members.size() < 3 ? picture.members : picture.rest).push_back({line.from, line.to});
  }
  return picture;
}

// The node of a column's end: its foot (the lower end, y downwards) or its top.
PicturePoint ColumnEnd(const DrawnPicture& picture, Side side, bool foot) {
  std::vector<Stroke> columns;
  std::copy_if(picture.members.begin(), picture.members.end(), std::back_inserter(columns),
               [](const Stroke& s) { return s.from.x == s.to.x; });
  EXPECT_EQ(columns.size(), 2u) << picture.name;
  const auto byX = [](const Stroke& a, const Stroke& b) { return a.from.x < b.from.x; };
  const Stroke column = side == Side::Left ? *std::min_element(columns.begin(), columns.end(), byX)
                                           : *std::max_element(columns.begin(), columns.end(), byX);
  return (column.from.y > column.to.y) == foot ? column.from : column.to;
}

// The strokes under a foot within a quarter of the span, as drawn.
std::vector<Stroke> SymbolAt(const DrawnPicture& picture, PicturePoint foot, double reach) {
  std::vector<Stroke> symbol;
  const auto near = [&](PicturePoint p) {
    return p.y >= foot.y && p.y <= foot.y + reach && std::abs(p.x - foot.x) <= reach;
  };
  for (const Stroke& s : picture.rest) {
    if (near(s.from) && near(s.to)) {
      symbol.push_back(s);
    }
  }
  return symbol;
}

// A stroke as a scale-free sign: its lean (horizontal, rising or falling to the right)
// and the rank of its lower end among the symbol's levels. Hatching under a hinge's ground is
// the report's alone and is left out.
using Sign = std::pair<char, long>;

std::vector<Sign> Signature(const std::vector<Stroke>& symbol) {
  std::set<double> levels;
  for (const Stroke& s : symbol) {
    levels.insert({s.from.y, s.to.y});
  }
  const auto rank = [&](const Stroke& s) {
    return std::distance(levels.begin(), levels.find(std::max(s.from.y, s.to.y)));
  };
  long ground = 0;
  for (const Stroke& s : symbol) {
    ground = s.from.y == s.to.y ? std::max(ground, rank(s)) : ground;
  }
  std::vector<Sign> signs;
  for (const Stroke& s : symbol) {
    const bool under = s.from.y != s.to.y && rank(s) > ground && ground > 0;
    if (under) {
      continue;
    }
    const char lean =
        s.from.y == s.to.y ? '-' : ((s.to.y < s.from.y) == (s.to.x > s.from.x) ? '/' : '\\');
    signs.emplace_back(lean, rank(s));
  }
  return signs;
}

class PortalPicturesTest : public ::testing::Test {
 protected:
  PortalPicturesTest() {
    app.SetProgramDirectory(STREVO_DATA_DIR);
    app.Start();
  }
  ~PortalPicturesTest() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::vector<DrawnPicture> PicturesOf(SystemType system) {
    Form1& form = app.MainWindow();
    form.Option1(static_cast<int>(system))->click();
    const InputSet in = form.ReadInputs();
    return {MainSketch(form), SystemDrawing(in, system), ReportSketch(in, system)};
  }

  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs fileDialogs;
  StrevoApp app{messages, fileDialogs};
};

constexpr SystemType kSystems[] = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                   SystemType::FixedFrame};

// What a symbol's signature says it is: a clamp's hatching then its ground at the foot, a
// hinge's legs and the line under them, a roller's second line below.
Support SupportRead(const std::vector<Sign>& signs) {
  if (!signs.empty() && signs.back() == Sign('-', 0)) {
    return Support::Fixed;
  }
  return signs.size() == 4 ? Support::Roller : Support::Pinned;
}

TEST_F(PortalPicturesTest, EachPictureStandsEachSystemsSupportsOnItsFeet) {
  for (const SystemType system : kSystems) {
    for (const DrawnPicture& picture : PicturesOf(system)) {
      const double span =
          ColumnEnd(picture, Side::Right, true).x - ColumnEnd(picture, Side::Left, true).x;
      std::size_t atFeet = 0;
      for (const Side side : kSides) {
        const PicturePoint foot = ColumnEnd(picture, side, true);
        const std::vector<Stroke> symbol = SymbolAt(picture, foot, span / 4);
        const auto where = ::testing::Message()
                           << picture.name << ", system " << static_cast<int>(system) << ", side "
                           << static_cast<int>(side);
        ASSERT_FALSE(symbol.empty()) << where;
        double top = foot.y + span, left = foot.x, right = foot.x;
        for (const Stroke& s : symbol) {
          top = std::min({top, s.from.y, s.to.y});
          left = std::min({left, s.from.x, s.to.x});
          right = std::max({right, s.from.x, s.to.x});
        }
        EXPECT_EQ(top, foot.y) << where << ": the symbol stands on the foot";
        EXPECT_LT(left, foot.x) << where;
        EXPECT_GT(right, foot.x) << where;
        EXPECT_EQ(SupportRead(Signature(symbol)), SupportOf(system, side)) << where;
        atFeet += symbol.size();
      }
      if (picture.onlySupports) {
        EXPECT_EQ(atFeet, picture.rest.size()) << "every support line shown stands under a foot";
      }
    }
  }
}

TEST_F(PortalPicturesTest, EachSupportIsTheSameStrokesInEveryPicture) {
  std::set<std::vector<Sign>> kinds;
  for (const SystemType system : kSystems) {
    const std::vector<DrawnPicture> pictures = PicturesOf(system);
    for (const Side side : kSides) {
      std::vector<std::vector<Sign>> signatures;
      for (const DrawnPicture& picture : pictures) {
        const double span =
            ColumnEnd(picture, Side::Right, true).x - ColumnEnd(picture, Side::Left, true).x;
        signatures.push_back(
            Signature(SymbolAt(picture, ColumnEnd(picture, side, true), span / 4)));
      }
      EXPECT_EQ(signatures[1], signatures[0]) << "DrawSystem and the main window's sketch";
      EXPECT_EQ(signatures[2], signatures[0]) << "the report's sketch and the main window's";
      kinds.insert(signatures[0]);
    }
  }
  EXPECT_EQ(kinds.size(), 3u) << "hinge, roller and clamp are told apart";
}

}  // namespace
}  // namespace strevo
