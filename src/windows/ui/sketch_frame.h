// A titled frame that paints line arrays given in twips, as the system sketches are made of.
#pragma once

#include <QGroupBox>
#include <vector>

namespace strevo {

struct SketchLine {
  double x1, y1, x2, y2;  // twips, relative to the frame
  bool visible = true;
  bool dashed = false;
};

// A list of its own by design: the windows' line controls Line1(i).., each shown or hidden
// on its own, in twips.
using LineArray = std::vector<SketchLine>;

class SketchFrame : public QGroupBox {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SketchFrame)

 public:
  explicit SketchFrame(const QString& title, QWidget* parent = nullptr);

  // The frame paints these arrays, which its owner keeps and changes.
  void AddLines(const LineArray* lines) { arrays_.push_back(lines); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<const LineArray*> arrays_;
};

}  // namespace strevo
