// The Rechenweg as a textbook sets it: each step typeset (see typeset.h), one under the other,
// laid out anew to the view's width. Steps are chosen by clicking them, to be copied as text.
#pragma once

#include <QAbstractScrollArea>
#include <string>
#include <vector>

#include "core/text/rechenweg.h"
#include "core/text/typeset.h"

namespace strevo {

class RechenwegView : public QAbstractScrollArea {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(RechenwegView)

 public:
  explicit RechenwegView(QWidget* parent = nullptr);

  void SetSteps(std::vector<RechenwegStep> steps);
  const std::vector<RechenwegStep>& Steps() const { return steps_; }
  // The chosen steps in their order.
  std::vector<int> Selected() const;
  // The chosen steps as plain text, or all of them when none is chosen.
  std::string CopyText() const;

  // The laid-out steps and where each begins, in the view's content (for the tests).
  const std::vector<typeset::Block>& Blocks() const { return blocks_; }
  double Top(int step) const { return tops_[static_cast<std::size_t>(step)]; }
  // The width the steps are laid out to.
  double LayoutWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void LayOut();
  int StepAt(double y) const;
  double TypeSize() const;

  std::vector<RechenwegStep> steps_;
  std::vector<typeset::Block> blocks_;
  std::vector<double> tops_;
  std::vector<bool> selected_;
  int anchor_ = -1;  // where a Shift+click extends from
};

}  // namespace strevo
