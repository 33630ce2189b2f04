// The cross-section window: a section family and section for the columns and for the beam;
// choosing a section writes its second moment of area into I1 or I2.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>

#include "windows/ui/command_guard.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace strevo {

// What the cross-section window needs from the rest of the program.
class SectionsHost {
 public:
  virtual ~SectionsHost() = default;
  virtual void SetInputText(int field, const QString& text) = 0;  // raises its change reaction
  virtual std::filesystem::path ProgramDirectory() const = 0;
  virtual CommandGuard& Guard() = 0;
  virtual MessageService& Messages() = 0;
  virtual void SectionsWindowClosed() = 0;  // closed through its title bar: unload it
  // A section was chosen for I1 (field 8) or I2 (field 9): "HE-A 200" as the label shows it.
  virtual void SectionChosen(int /*field*/, const QString& /*designation*/) {}
};

class Form4 : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Form4)

 public:
  explicit Form4(SectionsHost& host);

  void Form_Load();
  void Combo1_Click();    // column family chosen
  void Combo2_Click();    // beam family chosen
  void List1_Click();     // column section chosen
  void List2_Click();     // beam section chosen
  void Command1_Click();  // OK
  void Command2_Click();  // Hilfe

  // A family position set from code raises the family's reaction, as a user's choice does.
  void SetColumnFamily(int position);
  void SetBeamFamily(int position);
  int ColumnFamily() const;
  int BeamFamily() const;

  QComboBox* Combo(int number) const { return number == 1 ? combo1_ : combo2_; }
  QListWidget* List(int number) const { return number == 1 ? list1_ : list2_; }
  QLabel* SectionLabel(int number) const { return number == 1 ? label2_ : label3_; }
  QLabel* Label1() const { return label1_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildFrames();
  void BuildCommands();
  void ConnectHandlers();
  // One frame's controls: columns (field I1) or beam (field I2).
  struct Side {
    QComboBox* combo;
    QListWidget* list;
    QLabel* label;
    int field;
  };
  void FamilyChosen(const Side& side);
  void SectionChosen(const Side& side);
  Side Columns() const { return {combo1_, list1_, label2_, 8}; }
  Side Beam() const { return {combo2_, list2_, label3_, 9}; }

  SectionsHost& host_;
  std::string valueLine_;       // the table's second line from the last reading
  bool tableReported_ = false;  // a missing or damaged table is reported once per opening
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QListWidget* list1_ = nullptr;
  QListWidget* list2_ = nullptr;
  std::array<QPushButton*, 2> commands_{};
};

}  // namespace strevo
