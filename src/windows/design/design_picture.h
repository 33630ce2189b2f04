// One picture of a design in the design window: its title, the drawing painted as the report
// paints it, square and as large as the widget allows, and the note when nothing is drawn.
#pragma once

#include <QWidget>
#include <optional>

#include "core/drawing/report_pictures.h"

namespace strevo {

class DesignPicture : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DesignPicture)

 public:
  explicit DesignPicture(QWidget* parent = nullptr);

  void Show(ReportPicture picture);
  void Clear();  // nothing computed: an empty frame
  const std::optional<ReportPicture>& Picture() const { return picture_; }

  QSize sizeHint() const override { return {220, 240}; }
  QSize minimumSizeHint() const override { return {120, 140}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<ReportPicture> picture_;
};

}  // namespace strevo
