// The three pictures of the portal drawn from its one geometry: the main window's sketch, the
// system drawing and the report's sketch, each read from what it drew.
#include <QCoreApplication>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "core/drawing/drawings.h"
#include "core/drawing/picture_recording.h"
#include "core/drawing/system_sketch.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "windows/app/form1.h"
#include "windows/app/strevo_app.h"

namespace strevo {
namespace {

struct Stroke {
  PicturePoint from, to;
};

// A picture's lines as drawn: the left column, the beam and the right column come first.
struct DrawnPicture {
  const char* name;
  std::vector<Stroke> lines;
};

DrawnPicture MainSketch(const Form1& form) {
  DrawnPicture picture{"Hauptfenster", {}};
  for (const LineArray* lines : {&form.Line1(), &form.Line2(), &form.Line3()}) {
    for (const SketchLine& l : *lines) {
      if (l.visible && !l.dashed) {  // the dashed inner fibre is no member
        picture.lines.push_back({{l.x1, l.y1}, {l.x2, l.y2}});
      }
    }
  }
  return picture;
}

DrawnPicture SystemDrawing(const InputSet& in, SystemType system) {
  PictureRecording recording;
  SharedResults results;
  DrawSystem(in, system, results, recording);
  DrawnPicture picture{"DrawSystem", {}};
  for (const RecordedStroke& s : recording.Strokes()) {
    if (!s.box) {
      picture.lines.push_back({{s.x1, s.y1}, {s.x2, s.y2}});
    }
  }
  return picture;
}

DrawnPicture ReportSketch(const InputSet& in, SystemType system) {
  DrawnPicture picture{"Bericht", {}};
  for (const SketchStroke& line : SketchOf(system, in.h, in.L).lines) {
    picture.lines.push_back({line.from, line.to});
  }
  return picture;
}

// The lower end of a column, y downwards.
PicturePoint Foot(const DrawnPicture& picture, Side side) {
  const Stroke& column = picture.lines.at(side == Side::Left ? 0 : 2);
  EXPECT_EQ(column.from.x, column.to.x) << picture.name;
  return column.from.y > column.to.y ? column.from : column.to;
}

// The lines under a foot, within a quarter of the span either way and down.
std::vector<Stroke> SymbolAt(const DrawnPicture& picture, Side side) {
  const PicturePoint foot = Foot(picture, side);
  const double reach = (Foot(picture, Side::Right).x - Foot(picture, Side::Left).x) / 4;
  const auto near = [&](PicturePoint p) {
    return p.y >= foot.y && p.y <= foot.y + reach && std::abs(p.x - foot.x) <= reach;
  };
  std::vector<Stroke> symbol;
  std::copy_if(picture.lines.begin() + 3, picture.lines.end(), std::back_inserter(symbol),
               [&](const Stroke& s) { return near(s.from) && near(s.to); });
  return symbol;
}

// Each stroke as a scale-free sign: its lean (horizontal, rising or falling to the right) and
// the rank of its lower end among the symbol's levels. The hatching under a hinge's ground is
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
    if (s.from.y == s.to.y) {
      signs.emplace_back('-', rank(s));
    } else if (ground == 0 || rank(s) <= ground) {
      signs.emplace_back((s.to.y < s.from.y) == (s.to.x > s.from.x) ? '/' : '\\', rank(s));
    }
  }
  return signs;
}

// A clamp ends with its ground line at the foot; a roller has a second line under the legs.
Support SupportRead(const std::vector<Sign>& signs) {
  if (!signs.empty() && signs.back() == Sign('-', 0)) {
    return Support::Fixed;
  }
  return signs.size() == 4 ? Support::Roller : Support::Pinned;
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

TEST_F(PortalPicturesTest, EachSupportStandsOnItsFootAsTheSameStrokesInEveryPicture) {
  std::set<std::vector<Sign>> kinds;
  for (const SystemType system :
       {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    const std::vector<DrawnPicture> pictures = PicturesOf(system);
    for (const Side side : kSides) {
      const std::vector<Sign> inMainWindow = Signature(SymbolAt(pictures[0], side));
      for (const DrawnPicture& picture : pictures) {
        const auto where = ::testing::Message()
                           << picture.name << ", system " << static_cast<int>(system) << ", side "
                           << static_cast<int>(side);
        const PicturePoint foot = Foot(picture, side);
        const std::vector<Stroke> symbol = SymbolAt(picture, side);
        ASSERT_FALSE(symbol.empty()) << where;
        double top = foot.y + 1, left = foot.x, right = foot.x;
        for (const Stroke& s : symbol) {
          top = std::min({top, s.from.y, s.to.y});
          left = std::min({left, s.from.x, s.to.x});
          right = std::max({right, s.from.x, s.to.x});
        }
        EXPECT_EQ(top, foot.y) << where << ": the symbol stands on the foot";
        EXPECT_TRUE(left < foot.x && foot.x < right) << where;
        EXPECT_EQ(SupportRead(Signature(symbol)), SupportOf(system, side)) << where;
        EXPECT_EQ(Signature(symbol), inMainWindow) << where;
      }
      kinds.insert(inMainWindow);
    }
  }
  EXPECT_EQ(kinds.size(), 3u) << "hinge, roller and clamp are told apart";
}

}  // namespace
}  // namespace strevo
