#include "windows/results/rechenweg_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "report/typeset_painter.h"

namespace strevo {
namespace {

constexpr double kMargin = 8;  // pixels around the steps

}  // namespace

RechenwegView::RechenwegView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
}

void RechenwegView::SetSteps(std::vector<RechenwegStep> steps) {
  steps_ = std::move(steps);
  selected_.assign(steps_.size(), false);
  anchor_ = -1;
  LayOut();
}

std::vector<int> RechenwegView::Selected() const {
  std::vector<int> chosen;
  for (std::size_t i = 0; i < selected_.size(); ++i) {
    if (selected_[i]) {
      chosen.push_back(static_cast<int>(i));
    }
  }
  return chosen;
}

std::string RechenwegView::CopyText() const {
  const std::vector<int> chosen = Selected();
  if (chosen.empty()) {
    return RechenwegText(steps_);
  }
  std::vector<RechenwegStep> steps;
  steps.reserve(chosen.size());
  for (const int i : chosen) {
    steps.push_back(steps_[static_cast<std::size_t>(i)]);
  }
  return RechenwegText(steps);
}

// A little larger than the window's small type: indices and exponents must stay legible.
double RechenwegView::TypeSize() const {
  return font().pointSizeF() * 1.2;
}

double RechenwegView::LayoutWidth() const {
  return std::max(1.0, viewport()->width() - 2 * kMargin);
}

void RechenwegView::LayOut() {
  const QtTypesetMetrics metrics(font().family(), viewport());
  const double size = TypeSize();
  const double gap = metrics.Ascent(size) + metrics.Descent(size);
  blocks_.clear();
  tops_.clear();
  double y = kMargin;
  double width = 0;
  for (const RechenwegStep& step : steps_) {
    blocks_.push_back(typeset::TypesetStep(step, metrics, size, LayoutWidth()));
    tops_.push_back(y);
    y += blocks_.back().height + gap;
    width = std::max(width, blocks_.back().width);
  }
  const int height = static_cast<int>(std::ceil(y));
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(static_cast<int>(gap));
  // A formula that no break between terms fits is scrolled to, not cut.
  horizontalScrollBar()->setRange(
      0, std::max(0, static_cast<int>(std::ceil(width + 2 * kMargin)) - viewport()->width()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  viewport()->update();
}

int RechenwegView::StepAt(double y) const {
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (y >= tops_[i] - kMargin / 2 && y < tops_[i] + blocks_[i].height + kMargin / 2) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void RechenwegView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const double bottom = scroll.y() + viewport()->height();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    const typeset::Block& block = blocks_[i];
    if (tops_[i] + block.height < scroll.y() || tops_[i] > bottom) {
      continue;
    }
    const QPointF topLeft = QPointF(kMargin, tops_[i]) - scroll;
    if (selected_[i]) {
      painter.fillRect(
          QRectF(0, topLeft.y() - kMargin / 2, viewport()->width(), block.height + kMargin),
          palette().color(QPalette::Highlight));
    }
    painter.setPen(palette().color(selected_[i] ? QPalette::HighlightedText : QPalette::Text));
    PaintBlock(painter, block, topLeft, font().family());
  }
}

void RechenwegView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  LayOut();
}

void RechenwegView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    LayOut();
  }
}

// A click chooses its step alone, Ctrl+click adds or removes it, Shift+click chooses all from
// the last click; a click beside the steps chooses none.
void RechenwegView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  const int step = StepAt(event->position().y() + verticalScrollBar()->value());
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (step < 0) {
    if (!(modifiers & (Qt::ControlModifier | Qt::ShiftModifier))) {
      selected_.assign(steps_.size(), false);
    }
  } else if (modifiers & Qt::ShiftModifier && anchor_ >= 0) {
    selected_.assign(steps_.size(), false);
    for (int i = std::min(anchor_, step); i <= std::max(anchor_, step); ++i) {
      selected_[static_cast<std::size_t>(i)] = true;
    }
  } else if (modifiers & Qt::ControlModifier) {
    selected_[static_cast<std::size_t>(step)] = !selected_[static_cast<std::size_t>(step)];
    anchor_ = step;
  } else {
    selected_.assign(steps_.size(), false);
    selected_[static_cast<std::size_t>(step)] = true;
    anchor_ = step;
  }
  viewport()->update();
}

}  // namespace strevo
