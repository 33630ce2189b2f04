// A load case's further beam loads, partial and point loads, edited in a small modal dialog
// that the design window opens behind an interface, so that tests drive it without blocking.
#pragma once

#include <QDialog>
#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

#include "core/design/design.h"
#include "windows/ui/message_service.h"

class QPushButton;
class QTableWidget;

namespace strevo {

// What a case holds beside its q and F.
struct FurtherLoads {
  std::vector<PartialBeamLoad> partial;
  std::vector<BeamPointLoad> points;
  bool operator==(const FurtherLoads&) const = default;
};

FurtherLoads FurtherLoadsOf(const DesignCase& loadCase);

// What the table's cell says of them: "2 Teillasten, 1 Einzellast"; empty for none.
QString FurtherLoadsSummary(const FurtherLoads& loads);

class FurtherLoadsDialog : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FurtherLoadsDialog)

 public:
  enum PartialColumn { kQ, kFrom, kTo };
  enum PointColumn { kF, kA };

  FurtherLoadsDialog(const QString& caseName, const FurtherLoads& loads, MessageService& messages,
                     QWidget* parent = nullptr);

  QTableWidget* Partial() const { return partial_; }  // "Teilstreckenlasten": q, von, bis
  QTableWidget* Points() const { return points_; }    // "Einzellasten": F, a
  // "TeillastHinzufuegen", "TeillastEntfernen", "EinzellastHinzufuegen", "EinzellastEntfernen",
  // "OK", "Abbrechen".
  QPushButton* Button(const QString& name) const;

  // OK: a cell that is no number is refused with a message and made current; else the dialog
  // closes with the tables' loads.
  void accept() override;
  const FurtherLoads& Loads() const { return loads_; }  // as OK took them

 private:
  QTableWidget* AddTable(const QString& title, const QStringList& headers, const QString& name);
  static void AddRow(QTableWidget* table);
  static void RemoveRow(QTableWidget* table);
  // The number in a cell; none, said to the user, for one that is no number.
  std::optional<double> Read(QTableWidget* table, int row, int column, const QString& whose);

  MessageService& messages_;
  QTableWidget* partial_ = nullptr;
  QTableWidget* points_ = nullptr;
  FurtherLoads loads_;
};

class FurtherLoadsService {
 public:
  virtual ~FurtherLoadsService() = default;
  // The loads as the user leaves the dialog with OK; none for Abbrechen.
  virtual std::optional<FurtherLoads> Edit(QWidget* parent, const QString& caseName,
                                           const FurtherLoads& loads) = 0;
};

// The real dialog, shown modally.
class QtFurtherLoadsService : public FurtherLoadsService {
 public:
  explicit QtFurtherLoadsService(MessageService& messages) : messages_(messages) {}
  std::optional<FurtherLoads> Edit(QWidget* parent, const QString& caseName,
                                   const FurtherLoads& loads) override;

 private:
  MessageService& messages_;
};

}  // namespace strevo

Q_DECLARE_METATYPE(strevo::FurtherLoads)
