// The design window against a scripted host: the state of its controls after each handler,
// files through scripted dialogs, mistakes marked at their cells, the result's tables.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/base/text_rules.h"
#include "core/design/design_file.h"
#include "core/design/design_output.h"
#include "recording_messages.h"
#include "scripted_file_dialogs.h"
#include "settled.h"
#include "test_designs.h"
#include "windows/design/design_picture.h"
#include "windows/design/design_result_view.h"
#include "windows/design/design_window.h"
#include "windows/design/load_case_table.h"

namespace strevo {
namespace {

using Column = LoadCaseTable::Column;

// The further loads dialog as the user leaves it: with these loads (OK), or none (Abbrechen).
class ScriptedFurtherLoads : public FurtherLoadsService {
 public:
  std::optional<FurtherLoads> Edit(QWidget*, const QString& caseName,
                                   const FurtherLoads& loads) override {
    names.push_back(caseName);
    shown.push_back(loads);
    return answer;
  }

  std::optional<FurtherLoads> answer;
  QStringList names;
  std::vector<FurtherLoads> shown;
};

class FakeHost : public DesignHost {
 public:
  CommandGuard& Guard() override { return guard; }
  MessageService& Messages() override { return messages; }
  FileDialogService& FileDialogs() override { return dialogs; }
  FurtherLoadsService& FurtherLoadsDialogs() override { return furtherLoads; }
  PortalChoice MainPortal() const override { return portal; }
  LoadCase MainLoads() const override { return loads; }
  void ApplyPortal(const PortalChoice& applied) override { this->applied.push_back(applied); }
  const DesignResult& TakeDesign(DesignResult result) override {
    ++taken;
    // Shown only when it is still the design the window holds.
    if (window != nullptr && window->CurrentDesign() != result.design) {
      ++stale;
    }
    last = std::move(result);
    return *last;
  }
  void DesignWindowClosed() override { ++closed; }

  // The main window: a kinked beam of 6 m span and 4 m height, bare I, q = 10 kN/m.
  PortalChoice portal{SystemType::KinkedBeam, 4, 6, {"", 10000}, {"", 10000}};
  LoadCase loads{10, 0, 0, 0, 0};
  testing::RecordingMessages messages;
  testing::ScriptedFileDialogs dialogs;
  ScriptedFurtherLoads furtherLoads;
  CommandGuard guard{messages};
  std::vector<PortalChoice> applied;
  std::optional<DesignResult> last;
  int taken = 0;
  int stale = 0;
  const DesignWindow* window = nullptr;
  int closed = 0;
};

// The hall with `n` further imposed loads: their combinations grow fast, the computation takes
// long enough to be edited and cancelled while it runs.
Design HallWithImposedLoads(int n) {
  Design design = testing::HallDesign();
  for (int i = 0; i < n; ++i) {
    DesignCase imposed = testing::LoadCaseNamed("Nutzlast " + std::to_string(i + 1),
                                                Action::Imposed, {1.0 + i, 0, 0, 0, 0});
    imposed.category = static_cast<char>('A' + i % 8);
    design.loadCases.push_back(imposed);
  }
  return design;
}

// Snow, wind and a roof on a two-hinged frame of rolled sections.
constexpr const char* kHalle = R"({
  "format": "strevo-bemessung",
  "version": 1,
  "project": { "title": "Halle Nord", "position": "Pos. 1", "author": "M. Muster" },
  "system": 1,
  "h": 6.0,
  "L": 15.0,
  "columns": "HE 300 A",
  "beam": "IPE 450",
  "steel": "S355",
  "limits": { "sway": 200, "deflection": 250 },
  "selfWeight": false,
  "restraints": { "beam": 3.75 },
  "loadCases": [
    { "name": "Dach", "action": "G", "q": 4.0 },
    { "name": "Schnee", "action": "S", "altitude": "over1000", "q": 8.0 },
    { "name": "Wind", "action": "W", "wD": 3.0, "wS": 1.5, "q": -1.2 }
  ]
})";

class DesignWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Form_Load();
    Settle();
  }

  LoadCaseTable& Cases() { return *window.Cases(); }
  QString Cell(int row, int column) { return Cases().item(row, column)->text(); }
  void Settle() { ASSERT_TRUE(testing::Settled(window)); }
  // The list of an action or category cell as the user opens it; none while it is not edited.
  QComboBox* Editor(int row, int column) {
    Cases().setCurrentCell(row, column);
    Cases().editItem(Cases().item(row, column));
    return ListAt(row, column);
  }
  QComboBox* ListAt(int row, int column) {
    return qobject_cast<QComboBox*>(Cases().indexWidget(Cases().model()->index(row, column)));
  }
  // A cell typed and left, as the user commits an edit, and its computation ended.
  void Type(int row, int column, const QString& text) {
    Cases().item(row, column)->setText(text);
    Settle();
  }
  QString Written(const char* text) {
    QString path = dir.filePath(QStringLiteral("halle.strevo"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
  }
  void Open(const char* text) {
    host.dialogs.names.push_back(Written(text));
    window.mnuOeffnen_Click();
    Settle();
  }
  void Open(const Design& design) { Open(WriteDesign(design).c_str()); }
  // The first-order value (column 1) or the designed one (column 2) the values table shows.
  QString Value(const QString& symbol, int column = 1) {
    for (int row = 0; row < window.Results()->Values()->rowCount(); ++row) {
      if (window.Results()->Values()->item(row, 0)->text() == symbol) {
        return window.Results()->Values()->item(row, column)->text();
      }
    }
    return QStringLiteral("fehlt");
  }
  QString Stability(int row) { return window.Results()->Stability()->item(row, 1)->text(); }
  QString Check(int row, int column) {
    return window.Results()->Checks()->item(row, column)->text();
  }
  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  FakeHost host;
  DesignWindow window{host};
};

TEST_F(DesignWindowTest, ANewDesignTakesThePortalAndLoadsOfTheMainWindow) {
  EXPECT_EQ(window.windowTitle(), "Bemessung");
  EXPECT_EQ(window.PortalValue(0)->text(), "Geknickter Träger");
  EXPECT_EQ(window.PortalValue(1)->text(), "4.00 m");
  EXPECT_EQ(window.PortalValue(2)->text(), "6.00 m");
  EXPECT_EQ(window.PortalValue(3)->text(), "I = 10000 cm4 (ohne Profil)");
  ASSERT_EQ(Cases().rowCount(), 1);
  EXPECT_EQ(Cell(0, Column::kName), "Lastfall 1");
  EXPECT_EQ(Cell(0, Column::kAction), "G ständig");
  EXPECT_EQ(Cell(0, Column::kCategory), "—");
  EXPECT_FALSE(Cases().item(0, Column::kCategory)->flags() & Qt::ItemIsEditable)
      << "a permanent case has no category";
  EXPECT_EQ(Cell(0, Column::kQ), "10");
  EXPECT_EQ(Cell(0, Column::kF), "") << "no load, no number";
  EXPECT_EQ(window.Grade()->currentText(), "S235");
  EXPECT_EQ(window.SwayLimit()->value(), 150);
  EXPECT_EQ(window.DeflectionLimit()->value(), 300);
  EXPECT_TRUE(window.SelfWeight()->isChecked());
  EXPECT_EQ(window.FileLabel()->text(), "Neue Bemessung");
  EXPECT_FALSE(window.IsModified());
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_TRUE(window.Status()->text().startsWith("Berechnet: 3 Kombinationen"));
  const QStringList menu = {
      "mnuNeu",       "mnuOeffnen", "mnuSpeichern", "mnuSpeichernUnter", "mnuBerichtSpeichern",
      "mnuSchliessen"};
  for (const QString& name : menu) {
    EXPECT_NE(window.MenuItem(name), nullptr) << name.toStdString();
  }
  EXPECT_EQ(window.MenuItem("mnuOeffnen")->text(), "Ö&ffnen…");
}

// A simply supported beam on hinged columns (the kinked beam under vertical load): AV = qL/2,
// M3 = qL²/8 at midspan, no moment in the columns; w = 5qL⁴/(384EI) with EI = 2.1·I kNm², and
// the columns turn with the corners, θ = qL³/(24EI), so the beam sways by u = θ·h.
TEST_F(DesignWindowTest, ACombinationShowsItsValuesAndDiagrams) {
  ASSERT_EQ(window.Results()->Combinations()->rowCount(), 3);
  EXPECT_EQ(window.Results()->Combinations()->item(0, 0)->text(), "GZT 1");
  EXPECT_EQ(window.Results()->Combinations()->item(2, 0)->text(), "GZG 1");
  EXPECT_EQ(window.Results()->Combinations()->currentRow(), 0);
  EXPECT_EQ(Value("AV"), "40.50") << "1.35 · 10 · 6 / 2";
  EXPECT_EQ(Value("BV"), "40.50");
  EXPECT_EQ(Value("AH"), "0.00");
  EXPECT_EQ(Value("M2"), "0.00");
  EXPECT_EQ(Value("M3"), "60.75") << "1.35 · 10 · 36 / 8";
  EXPECT_EQ(Value("X3"), "3.00");
  EXPECT_EQ(window.Results()->Values()->rowCount(), 23) << "AH … Q5, X3, M3, u, w, xw";
  for (int kind = 0; kind < 3; ++kind) {
    ASSERT_TRUE(window.Results()->CombinationView(kind)->Picture().has_value());
    EXPECT_FALSE(window.Results()->CombinationView(kind)->Picture()->picture.Strokes().empty());
  }
  EXPECT_NE(window.Results()->CombinationView(0)->Picture()->title.find("GZT 1"),
            std::string::npos);

  EXPECT_EQ(window.Results()->Stability()->rowCount(), 8);

  window.Results()->Combinations()->setCurrentCell(2, 0);
  EXPECT_EQ(window.Results()->Stability()->rowCount(), 0) << "no stability for GZG";
  EXPECT_EQ(Value("AV", 2), "") << "nothing designed for GZG";
  EXPECT_EQ(Value("AV"), "30.00");
  EXPECT_EQ(Value("w"), "8.04") << "5 · 10 · 6⁴ / (384 · 21000) m";
  EXPECT_EQ(Value("xw"), "3.00");
  EXPECT_EQ(Value("u"), "17.14") << "10 · 6³ / (24 · 21000) · 4 m";
  EXPECT_NE(window.Results()->CombinationView(1)->Picture()->title.find("GZG 1"),
            std::string::npos);

  // The envelope's beam moment is the 1.35 one at midspan; each column measured from its foot.
  const QTableWidget& envelope = *window.Results()->Envelope();
  ASSERT_EQ(envelope.rowCount(), 9);
  EXPECT_EQ(envelope.item(3, 2)->text(), "60.75 kNm");
  EXPECT_EQ(envelope.item(3, 3)->text(), "x = 3.00 m ab Punkt 2");
  EXPECT_EQ(envelope.item(3, 4)->text(), "GZT 1");
  EXPECT_TRUE(envelope.item(8, 6)->text().endsWith(" m über B"))
      << envelope.item(8, 6)->text().toStdString();

  // The limits: 6000 / 8.04 and 4000 / 17.14, both within their n.
  window.Results()->setCurrentIndex(2);
  ASSERT_EQ(window.Results()->Checks()->rowCount(), 4);
  EXPECT_EQ(window.Results()->Checks()->item(0, 2)->text(),
            "kein Nachweis: I = 10000 cm4 (ohne Profil)");
  EXPECT_EQ(window.Results()->Checks()->item(2, 1)->text(), "1/233 (Grenze 1/150)");
  EXPECT_EQ(window.Results()->Checks()->item(3, 1)->text(), "1/746 (Grenze 1/300)");
  EXPECT_EQ(window.Results()->Checks()->item(3, 3)->text(), "GZG 1");
  EXPECT_EQ(window.Results()->Checks()->item(3, 4)->text(), "Riegel, 3.00 m ab Punkt 2");
  EXPECT_EQ(window.Results()->VerdictLabel()->text(), "Alle Nachweise sind erfüllt.");
}

// With one permanent case every load grows with its factor: 1.35 governs both members, and
// the one serviceability combination both limits.
TEST_F(DesignWindowTest, TheGoverningCombinationsAreTicked) {
  host.portal.columns = {"HE 200 A", 0};
  host.portal.beam = {"IPE 300", 0};
  window.Uebernehmen_Click();
  Settle();
  ASSERT_EQ(window.Results()->Combinations()->rowCount(), 3);
  EXPECT_EQ(window.Results()->Combinations()->item(0, 2)->text(), "✓ Stützen, Riegel");
  EXPECT_EQ(window.Results()->Combinations()->item(1, 2)->text(), "");
  EXPECT_EQ(window.Results()->Combinations()->item(2, 2)->text(),
            "✓ Verschiebung u, Durchbiegung w");
  EXPECT_EQ(window.Results()->Checks()->item(0, 0)->text(), "Stützen HE 200 A");
  EXPECT_EQ(window.Results()->Checks()->item(0, 3)->text(), "GZT 1");
  EXPECT_EQ(Check(1 + kCheckRows, 0), "Riegel IPE 300");
  EXPECT_TRUE(Check(1 + kCheckRows, 1).startsWith("η = "));
  EXPECT_FALSE(Check(1 + kCheckRows, 4).isEmpty()) << "the place is named";
}

TEST_F(DesignWindowTest, OpeningAFileFillsTheWindowAndSetsTheMainWindowsPortal) {
  Open(kHalle);
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(host.dialogs.uses.at(0).settings.filter, "Bemessungen (*.strevo)|*.strevo");
  EXPECT_FALSE(host.dialogs.uses.at(0).save);
  ASSERT_EQ(host.applied.size(), 1u);
  const PortalChoice expected{SystemType::TwoHingedFrame, 6, 15, {"HE 300 A", 0}, {"IPE 450", 0}};
  EXPECT_EQ(host.applied[0], expected);
  EXPECT_EQ(window.ProjectField(0)->text(), "Halle Nord");
  EXPECT_EQ(window.ProjectField(2)->text(), "M. Muster");
  EXPECT_EQ(window.PortalValue(0)->text(), "Zweigelenk Strevo");
  EXPECT_EQ(window.PortalValue(2)->text(), "15.00 m");
  EXPECT_EQ(window.PortalValue(3)->text(), "HE 300 A");
  EXPECT_EQ(window.PortalValue(4)->text(), "IPE 450");
  EXPECT_EQ(window.Grade()->currentText(), "S355");
  EXPECT_EQ(window.SwayLimit()->value(), 200);
  EXPECT_EQ(window.DeflectionLimit()->value(), 250);
  EXPECT_FALSE(window.SelfWeight()->isChecked());
  EXPECT_EQ(window.Restraint(0)->text(), "");
  EXPECT_EQ(window.Restraint(1)->text(), "3.75");
  ASSERT_EQ(Cases().rowCount(), 3);
  EXPECT_EQ(Cell(1, Column::kName), "Schnee");
  EXPECT_EQ(Cell(1, Column::kAction), "S Schnee");
  EXPECT_EQ(Cell(1, Column::kCategory), "> 1000 m");
  EXPECT_EQ(Cell(2, Column::kQ), "-1.2");
  EXPECT_EQ(Cell(2, Column::kWD), "3");
  EXPECT_EQ(Cell(2, Column::kWS), "1.5");
  EXPECT_EQ(window.FileLabel()->text(), "halle.strevo");
  EXPECT_FALSE(window.IsModified());
  // G + S + W: twice (none; S leading alone, with W→ or W←; W→ leading with or without S;
  // W← likewise) for the ultimate ones, once with factor 1 for the serviceability ones.
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(window.Results()->Combinations()->rowCount(), 24);
  EXPECT_EQ(static_cast<int>(window.ShownResult()->combinations.size()),
            window.Results()->Combinations()->rowCount());
  EXPECT_EQ(window.ShownResult()->design, window.CurrentDesign());
}

TEST_F(DesignWindowTest, ABadFileChangesNothingAndSaysWhy) {
  const Design before = window.CurrentDesign();
  std::string text = kHalle;
  text.replace(text.find("\"h\": 6.0"), 8, "\"h\": -6.0");
  Open(text.c_str());
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(host.messages.shown[0].text.contains("„h“"));
  EXPECT_TRUE(host.applied.empty());
  EXPECT_EQ(window.CurrentDesign(), before);
  EXPECT_EQ(window.FileLabel()->text(), "Neue Bemessung");
}

TEST_F(DesignWindowTest, AMistakeIsMarkedAtItsCellAndNothingIsComputed) {
  Type(0, Column::kQ, "4 kN");
  EXPECT_TRUE(Cases().IsMarked(0, Column::kQ));
  EXPECT_EQ(Cases().item(0, Column::kQ)->toolTip(), "„q“ (Lastfall 1): „4 kN“ ist keine Zahl.");
  EXPECT_FALSE(Cases().IsMarked(0, Column::kName));
  EXPECT_EQ(window.ShownResult(), nullptr);
  EXPECT_EQ(window.Results()->Combinations()->rowCount(), 0);
  EXPECT_EQ(window.Results()->Values()->rowCount(), 0);
  EXPECT_EQ(window.Results()->Checks()->rowCount(), 0);
  EXPECT_FALSE(window.Results()->CombinationView(0)->Picture().has_value());
  EXPECT_EQ(window.Status()->text(), "Nicht berechnet: „q“ (Lastfall 1): „4 kN“ ist keine Zahl.");
  EXPECT_TRUE(window.IsModified());
  EXPECT_EQ(window.FileLabel()->text(), "Neue Bemessung (geändert)");

  Type(0, Column::kQ, "4,5");  // a decimal comma reads as a point
  EXPECT_FALSE(Cases().IsMarked(0, Column::kQ));
  EXPECT_EQ(Cases().item(0, Column::kQ)->toolTip(), "");
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_DOUBLE_EQ(window.CurrentDesign().loadCases[0].loads.q, 4.5);

  // The core's mistakes: a name twice, a point load off the beam.
  window.Hinzufuegen_Click();
  Settle();
  Type(1, Column::kName, "Lastfall 1");
  Type(1, Column::kF, "20");
  Type(1, Column::kA, "7");
  EXPECT_TRUE(Cases().IsMarked(1, Column::kName));
  EXPECT_TRUE(Cases().item(1, Column::kName)->toolTip().contains("schon Lastfall 1"));
  EXPECT_TRUE(Cases().IsMarked(1, Column::kA));
  EXPECT_FALSE(Cases().IsMarked(1, Column::kF));
  EXPECT_EQ(window.ShownResult(), nullptr);
  EXPECT_TRUE(window.Status()->text().endsWith("Dazu 1 weitere Fehler, alle rot markiert."));

  window.Berechnen_Click();
  Settle();
  ASSERT_EQ(host.messages.shown.size(), 1u) << "Berechnen names each mistake";
  EXPECT_EQ(host.messages.shown[0].icon, MessageIcon::Warning);
  EXPECT_EQ(host.messages.shown[0].text.count("•"), 2);

  Type(1, Column::kName, "Kran");
  Type(1, Column::kA, "5");
  EXPECT_FALSE(Cases().IsMarked(1, Column::kName));
  EXPECT_NE(window.ShownResult(), nullptr);
}

TEST_F(DesignWindowTest, MistakesOutsideTheTableAreMarkedAtTheirField) {
  window.Restraint(0)->setText(QStringLiteral("drei"));
  Settle();
  EXPECT_TRUE(window.Restraint(0)->property("fehler").toBool());
  EXPECT_EQ(window.Restraint(0)->toolTip(), "„restraints.columns“: „drei“ ist keine Zahl.");
  EXPECT_EQ(window.ShownResult(), nullptr);
  window.Restraint(0)->setText(QStringLiteral("-1"));
  Settle();
  EXPECT_TRUE(window.Restraint(0)->toolTip().contains("größer als 0"));
  window.Restraint(0)->setText(QString());
  Settle();
  EXPECT_FALSE(window.Restraint(0)->property("fehler").toBool());
  EXPECT_TRUE(window.Restraint(0)->toolTip().startsWith("Abstand der seitlichen Halterungen"))
      << "its own tooltip again";

  host.portal.h = 0;
  window.Uebernehmen_Click();
  Settle();
  EXPECT_TRUE(window.PortalValue(1)->property("fehler").toBool());
  EXPECT_TRUE(window.PortalValue(1)->toolTip().contains("Stützenhöhe"));
  EXPECT_EQ(window.ShownResult(), nullptr);
}

// Lateral restraints cut a member into equal segments, the least number no longer than the
// spacing: 6 m at 4 m in two of 3 m, 15 m at 3.75 m in four; one segment buckles about z.
TEST_F(DesignWindowTest, TheRestraintsAreComputedSavedReadBackAndClearedByNeu) {
  Open(testing::HallDesign());
  const int columnsZ = 3, beamZ = 1 + kCheckRows + 3;
  ASSERT_EQ(Check(columnsZ, 0).trimmed(), "Biegeknicken z");
  EXPECT_TRUE(Check(columnsZ, 5).endsWith("Lcr = 6.00 m")) << "empty: the member's length";
  EXPECT_TRUE(Check(beamZ, 5).endsWith("Lcr = 15.00 m"));
  EXPECT_EQ(window.Restraint(0)->placeholderText(), "Stablänge");

  window.Restraint(0)->setText(QStringLiteral("4"));
  Settle();
  window.Restraint(1)->setText(QStringLiteral("3,75"));  // a decimal comma reads as a point
  Settle();
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(window.ShownResult()->design.restraints, (Restraints{4.0, 3.75}));
  EXPECT_TRUE(Check(columnsZ, 5).endsWith("Lcr = 3.00 m")) << Check(columnsZ, 5).toStdString();
  EXPECT_TRUE(Check(beamZ, 5).endsWith("Lcr = 3.75 m")) << Check(beamZ, 5).toStdString();

  const QString name = dir.filePath(QStringLiteral("gehalten.strevo"));
  host.dialogs.names.push_back(name);
  window.mnuSpeichernUnter_Click();
  EXPECT_EQ(ReadDesignFile(QFile::encodeName(name).toStdString()).restraints,
            (Restraints{4.0, 3.75}));

  window.mnuNeu_Click();  // saved: nothing to ask
  Settle();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(window.Restraint(0)->text(), "");
  EXPECT_EQ(window.Restraint(1)->text(), "");
  EXPECT_EQ(window.CurrentDesign().restraints, Restraints{});
}

// Every ultimate combination shows the stability and the design values the result holds; the
// checks show each check's largest η with its combination.
TEST_F(DesignWindowTest, TheHallShowsItsStabilityAndChecksAsComputed) {
  Open(testing::HallDesign());
  ASSERT_NE(window.ShownResult(), nullptr);
  const DesignResult& result = *window.ShownResult();
  const auto id = [&](std::size_t combination) {
    return QString::fromStdString(result.combinations[combination].combination.id);
  };
  const auto number = [](double value) { return QString::fromStdString(FormatFixed2(value)); };
  const auto eta = [](double value) { return QString::fromStdString(EtaText(value)); };
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    window.Results()->Combinations()->setCurrentCell(static_cast<int>(i), 0);
    const CombinationResult& combination = result.combinations[i];
    if (!combination.stability) {
      EXPECT_EQ(window.Results()->Stability()->rowCount(), 0) << id(i).toStdString();
      continue;
    }
    const CombinationStability& stability = *combination.stability;
    ASSERT_FALSE(stability.unstable) << id(i).toStdString();
    // A portal on hinged feet buckles sideways first.
    EXPECT_EQ(Stability(0), number(stability.critical.factor));
    EXPECT_EQ(Stability(1), "Seitenverschiebung");
    EXPECT_EQ(Stability(2), number(*stability.columnBucklingLength[0]) + " m");
    EXPECT_EQ(Stability(5), number(stability.imperfectionForces[0]) + " kN");
    EXPECT_EQ(Stability(7),
              stability.critical.factor < 10 ? "Theorie II. Ordnung" : "Theorie I. Ordnung");
    EXPECT_EQ(Value("M2", 2), number(stability.designValues.M2)) << id(i).toStdString();
    EXPECT_EQ(Value("M3", 2), number(stability.designValues.M3)) << id(i).toStdString();
    EXPECT_EQ(Value("M3", 1), number(combination.values.M3)) << id(i).toStdString();
  }

  // 1.35·G alone loads both columns alike. A column on a hinged foot held at its top by the beam
  // (6EIb/L) buckles sideways at k·h·tan(k·h) = 6·Ib·h/(Ic·L) = 4.434 (IPE 450 33740 cm4,
  // HE 300 A 18260 cm4): k·h = 1.288, Lcr = π·h/(k·h) = 14.63 m; the beam's own compression
  // softens it a little.
  const Combination& permanent = result.combinations[0].combination;
  ASSERT_TRUE(std::all_of(
      permanent.factors.begin(), permanent.factors.end(),
      [&](const CaseFactor& f) { return result.cases[f.loadCase].action == Action::Permanent; }));
  window.Results()->Combinations()->setCurrentCell(0, 0);
  for (int row : {2, 3}) {
    const double Lcr = Stability(row).chopped(2).toDouble();
    EXPECT_GT(Lcr, 14.60);
    EXPECT_LT(Lcr, 14.80);
  }

  for (int m = 0; m < 2; ++m) {
    const GoverningMember& governing = m == 0 ? *result.checks.columns : *result.checks.beam;
    const int top = m * (1 + kCheckRows);
    EXPECT_EQ(Check(top, 0), m == 0 ? "Stützen HE 300 A" : "Riegel IPE 450");
    EXPECT_EQ(Check(top, 1), "η = " + eta(governing.check.Eta()));
    EXPECT_EQ(Check(top, 3), id(governing.combination));
    EXPECT_EQ(Check(top, 2), governing.check.Met() ? "erfüllt" : "nicht erfüllt");
    const GoverningMember::Largest largest[] = {governing.crossSection, governing.bucklingY,
                                                governing.bucklingZ, governing.lateralTorsional,
                                                governing.interaction};
    double worst = 0;
    for (int k = 0; k < kCheckRows; ++k) {
      EXPECT_EQ(Check(top + 1 + k, 1), "η = " + eta(largest[k].eta)) << k;
      EXPECT_EQ(Check(top + 1 + k, 3), id(largest[k].combination)) << k;
      worst = std::max(worst, largest[k].eta);
    }
    EXPECT_DOUBLE_EQ(worst, governing.check.Eta()) << "the member's η is its largest check's";
    // Table 5.2, S235: HE 300 A flange 118.75/14 = 8.5 ≤ 9, web 208/8.5 = 24.5 ≤ 33; IPE 450
    // flange 69.3/14.6 = 4.7, web 378.8/9.4 = 40.3 ≤ 72 in bending with little compression.
    EXPECT_EQ(Check(top + 1, 5), "Klasse 1");
  }
}

// HE 100 A columns of 6 m on hinged feet: swaying, Lcr ≥ 2h = 12 m, Ncr ≤ π²·EI/(12 m)² =
// 50 kN, while 20 kN/m on 15 m puts at least 150 kN on each: αcr < 1 in every combination.
// IPE 450 columns in S355 under at least 910 kN: the web, c/t = 40.3, is compressed beyond the
// class 3 limit 42ε = 34.2 at the hinged foot, where nothing bends.
TEST_F(DesignWindowTest, AnUnstablePortalAndAClass4SectionAreSaidAsSuch) {
  Design design = testing::HallDesign();
  design.columns.section = "HE 100 A";
  design.loadCases[0].loads.q = 20;
  Open(design);
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(Stability(7), "instabil (αcr ≤ 1)");
  EXPECT_EQ(window.Results()->Stability()->item(7, 1)->foreground().color(), QColor(220, 0, 0));
  EXPECT_EQ(Value("M2", 2), "—");
  EXPECT_NE(Value("M2", 1), "—") << "first order stands";
  EXPECT_EQ(Check(0, 1), "η = ∞");
  EXPECT_EQ(Check(0, 2), "instabil (αcr ≤ 1)");
  EXPECT_EQ(window.Results()->VerdictLabel()->text(), "Nicht alle Nachweise sind erfüllt.");

  design = testing::HallDesign();
  design.columns.section = "IPE 450";
  design.settings.grade = SteelGrade::S355;
  design.loadCases[0].loads.q = 120;
  Open(design);
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_NE(Stability(7), "instabil (αcr ≤ 1)");
  EXPECT_EQ(Check(0, 2), "nicht abgedeckt (Klasse 4)");
  EXPECT_EQ(window.Results()->Checks()->item(0, 2)->foreground().color(), QColor(220, 0, 0));
}

TEST_F(DesignWindowTest, CasesAreAddedRemovedAndReordered) {
  window.Hinzufuegen_Click();
  Settle();
  window.Hinzufuegen_Click();
  Settle();
  ASSERT_EQ(Cases().rowCount(), 3);
  EXPECT_EQ(Cell(1, Column::kName), "Lastfall 2");
  EXPECT_EQ(Cell(2, Column::kName), "Lastfall 3");
  EXPECT_EQ(Cases().currentRow(), 2) << "the new case is the current one";
  Editor(2, Column::kAction)->setCurrentIndex(1);  // Q
  EXPECT_TRUE(Cases().item(2, Column::kCategory)->flags() & Qt::ItemIsEditable);
  EXPECT_EQ(Cell(2, Column::kCategory), "—") << "to be chosen";
  Editor(2, Column::kCategory)->setCurrentIndex(4);  // E
  Settle();
  Type(2, Column::kQ, "5");

  window.NachOben_Click();
  Settle();
  EXPECT_EQ(Cases().currentRow(), 1) << "the case keeps the focus";
  Design design = window.CurrentDesign();
  ASSERT_EQ(design.loadCases.size(), 3u);
  EXPECT_EQ(design.loadCases[1].name, "Lastfall 3");
  EXPECT_EQ(design.loadCases[1].action, Action::Imposed);
  EXPECT_EQ(design.loadCases[1].category, 'E');
  EXPECT_DOUBLE_EQ(design.loadCases[1].loads.q, 5);
  EXPECT_EQ(design.loadCases[2].name, "Lastfall 2");
  EXPECT_EQ(design.loadCases[2].action, Action::Permanent);
  window.NachOben_Click();
  Settle();
  window.NachOben_Click();  // at the top: stays
  Settle();
  EXPECT_EQ(window.CurrentDesign().loadCases[0].name, "Lastfall 3");
  window.NachUnten_Click();
  Settle();
  EXPECT_EQ(window.CurrentDesign().loadCases[1].name, "Lastfall 3");

  window.Entfernen_Click();
  Settle();
  design = window.CurrentDesign();
  ASSERT_EQ(design.loadCases.size(), 2u);
  EXPECT_EQ(design.loadCases[0].name, "Lastfall 1");
  EXPECT_EQ(design.loadCases[1].name, "Lastfall 2");
  EXPECT_EQ(window.ShownResult()->design, design) << "each change computes again";

  // The main window's loads as a case of their own, by a name not yet taken.
  host.loads = {0, 25, 2, 1.5, 0.5};
  window.Hauptfensterlasten_Click();
  Settle();
  window.Hauptfensterlasten_Click();
  Settle();
  design = window.CurrentDesign();
  ASSERT_EQ(design.loadCases.size(), 4u);
  EXPECT_EQ(design.loadCases[2].name, "Hauptfenster");
  EXPECT_EQ(design.loadCases[3].name, "Hauptfenster 2");
  EXPECT_DOUBLE_EQ(design.loadCases[3].loads.F, 25);
  EXPECT_DOUBLE_EQ(design.loadCases[3].loads.a, 2);
  EXPECT_DOUBLE_EQ(design.loadCases[3].loads.wD, 1.5);
  EXPECT_EQ(Cell(3, Column::kWS), "0.5");
}

TEST_F(DesignWindowTest, TheMainWindowsPortalIsTakenOverAgain) {
  host.portal = {SystemType::FixedFrame, 5, 12, {"HE 300 B", 0}, {"", 23130}};
  EXPECT_EQ(window.PortalValue(0)->text(), "Geknickter Träger") << "not until asked";
  window.Uebernehmen_Click();
  Settle();
  EXPECT_EQ(window.PortalValue(0)->text(), "Eingesp. Strevo");
  EXPECT_EQ(window.PortalValue(1)->text(), "5.00 m");
  EXPECT_EQ(window.PortalValue(2)->text(), "12.00 m");
  EXPECT_EQ(window.PortalValue(3)->text(), "HE 300 B");
  EXPECT_EQ(window.PortalValue(4)->text(), "I = 23130 cm4 (ohne Profil)");
  EXPECT_EQ(PortalChoiceOf(window.CurrentDesign()), host.portal);
  EXPECT_EQ(window.ShownResult()->design.system, SystemType::FixedFrame);
  EXPECT_TRUE(window.IsModified());
  EXPECT_TRUE(host.applied.empty()) << "the main window is read, not set";
}

TEST_F(DesignWindowTest, SavingWritesTheDesignFileThatReadsBackEqual) {
  Open(kHalle);
  window.ProjectField(1)->setText(QStringLiteral("Pos. 2"));
  Settle();
  window.Grade()->setCurrentIndex(1);
  Settle();
  const QString name = dir.filePath(QStringLiteral("kopie"));
  host.dialogs.names.push_back(name);
  window.mnuSpeichernUnter_Click();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(host.dialogs.uses.back().settings.flags, kOverwritePrompt);
  const QString written = name + QStringLiteral(".strevo");
  EXPECT_EQ(Contents(written).toStdString(), WriteDesign(window.CurrentDesign()));
  const Design read = ReadDesignFile(QFile::encodeName(written).toStdString());
  EXPECT_EQ(read, window.CurrentDesign());
  EXPECT_EQ(read.project.position, "Pos. 2");
  EXPECT_EQ(read.settings.grade, SteelGrade::S275);
  EXPECT_EQ(window.FileName(), written);
  EXPECT_FALSE(window.IsModified());

  // "Speichern" writes to the same file without asking.
  Type(0, Column::kQ, "5");
  const std::size_t asked = host.dialogs.uses.size();
  window.mnuSpeichern_Click();
  EXPECT_EQ(host.dialogs.uses.size(), asked);
  EXPECT_DOUBLE_EQ(ReadDesignFile(QFile::encodeName(written).toStdString()).loadCases[0].loads.q,
                   5);
}

// A named pipe is no file to save to: the usual message, the pipe stays one, the edits stay
// unsaved.
TEST_F(DesignWindowTest, SavingIntoANamedPipeIsRefused) {
  const QString name = dir.filePath(QStringLiteral("rohr.strevo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
  Type(0, Column::kQ, "5");
  host.dialogs.names.push_back(name);
  window.mnuSpeichernUnter_Click();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(host.messages.shown[0].text,
            QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden (der Name gehört einer "
                           "benannten Pipe). Eine vorhandene Datei bleibt unverändert.")
                .arg(name));
  EXPECT_EQ(host.messages.shown[0].icon, MessageIcon::Critical);
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(name).constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  EXPECT_TRUE(window.IsModified());
  EXPECT_NE(window.FileName(), name);
}

TEST_F(DesignWindowTest, ADesignWithAMistakeIsNotSaved) {
  Type(0, Column::kName, "");
  const QString name = dir.filePath(QStringLiteral("leer.strevo"));
  host.dialogs.names.push_back(name);
  window.mnuSpeichernUnter_Click();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(host.messages.shown[0].text.contains("braucht einen Namen"));
  EXPECT_TRUE(host.dialogs.uses.empty()) << "refused before a name is asked";
  EXPECT_FALSE(QFile::exists(name));
  EXPECT_TRUE(window.IsModified());
}

TEST_F(DesignWindowTest, TheReportIsAPdfAndNeedsAResult) {
  const QString name = dir.filePath(QStringLiteral("bericht.pdf"));
  host.dialogs.names.push_back(name);
  window.mnuBerichtSpeichern_Click();
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_TRUE(Contents(name).startsWith("%PDF"));

  Type(0, Column::kA, "x");
  host.dialogs.names.push_back(dir.filePath(QStringLiteral("nicht.pdf")));
  const std::size_t asked = host.dialogs.uses.size();
  window.mnuBerichtSpeichern_Click();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(host.messages.shown[0].text.startsWith("Ohne berechnete Bemessung"));
  EXPECT_EQ(host.dialogs.uses.size(), asked) << "no dialog";
}

// The report never replaces the open design: the dialog adds ".pdf" to its name, but a link
// ending in ".pdf", symbolic or hard, still names it.
TEST_F(DesignWindowTest, TheReportIsRefusedOverTheOpenDesign) {
  const QString design = dir.filePath(QStringLiteral("halle.strevo"));
  host.dialogs.names.push_back(design);
  window.mnuSpeichernUnter_Click();
  ASSERT_EQ(window.FileName(), design);
  const QByteArray saved = Contents(design);
  const QString symbolic = dir.filePath(QStringLiteral("verweis.pdf"));
  ASSERT_TRUE(QFile::link(design, symbolic));
  const QString hard = dir.filePath(QStringLiteral("zweitname.pdf"));
  ASSERT_EQ(link(QFile::encodeName(design).constData(), QFile::encodeName(hard).constData()), 0);
  for (const QString& name : {symbolic, hard}) {
    host.messages.shown.clear();
    host.dialogs.names.push_back(name);
    window.mnuBerichtSpeichern_Click();
    ASSERT_EQ(host.messages.shown.size(), 1u);
    EXPECT_EQ(host.messages.shown[0].text,
              QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden (sie ist die gelesene "
                             "Datei „%2“). Eine vorhandene Datei bleibt unverändert.")
                  .arg(name, design));
    EXPECT_EQ(Contents(design), saved);
  }
}

TEST_F(DesignWindowTest, AnArithmeticFaultIsSaidAndReportedByBerechnen) {
  Type(0, Column::kQ, "1e308");
  EXPECT_TRUE(host.messages.shown.empty()) << "an edit says it in the status line only";
  EXPECT_TRUE(window.Status()->text().startsWith("Nicht berechnet: Laufzeitfehler"));
  EXPECT_EQ(window.ShownResult(), nullptr);
  window.Berechnen_Click();
  Settle();
  ASSERT_EQ(host.messages.shown.size(), 1u);
  EXPECT_TRUE(host.messages.shown[0].text.startsWith("Laufzeitfehler"));
  EXPECT_EQ(host.messages.shown[0].icon, MessageIcon::Critical);
}

// Absurd heights: no equilibrium of the frame (1e158 m), a value out of range (1e100 m). Both
// are faults the window says, and the design stays open with its edits.
TEST_F(DesignWindowTest, AFrameThatCannotBeComputedIsSaidAndReportedByBerechnen) {
  for (const auto& [h, fault] : {std::pair{1e158, "Rahmen ohne Gleichgewicht"},
                                 std::pair{1e100, "Ungültige Rechenoperation"}}) {
    Design design = testing::HallDesign();
    design.h = h;
    Open(design);
    host.messages.shown.clear();
    Type(0, Column::kName, "Dach neu");
    Settle();
    EXPECT_TRUE(host.messages.shown.empty());
    EXPECT_EQ(window.Status()->text(), QStringLiteral("Nicht berechnet: Laufzeitfehler: ") + fault);
    EXPECT_EQ(window.ShownResult(), nullptr);
    window.Berechnen_Click();
    Settle();
    ASSERT_EQ(host.messages.shown.size(), 1u);
    EXPECT_EQ(host.messages.shown[0].text, QStringLiteral("Laufzeitfehler: ") + fault);
    EXPECT_EQ(host.messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Cell(0, Column::kName), "Dach neu");
    EXPECT_TRUE(window.IsModified());
  }
}

TEST_F(DesignWindowTest, UnsavedChangesAreOnlyDiscardedWhenTheUserSaysSo) {
  Type(0, Column::kQ, "3");
  host.messages.answers.push_back(MessageAnswer::Cancel);
  window.mnuNeu_Click();
  Settle();
  EXPECT_EQ(host.messages.shown.size(), 1u);
  EXPECT_EQ(Cell(0, Column::kQ), "3");
  host.messages.answers.push_back(MessageAnswer::Cancel);
  window.close();
  EXPECT_EQ(host.messages.shown.size(), 2u);
  EXPECT_EQ(host.closed, 0) << "kept open";
  host.messages.answers.push_back(MessageAnswer::Ok);
  window.mnuNeu_Click();
  Settle();
  EXPECT_EQ(Cell(0, Column::kQ), "10");
  EXPECT_FALSE(window.IsModified());
  window.mnuSchliessen_Click();
  EXPECT_EQ(host.closed, 1);
  EXPECT_EQ(host.messages.shown.size(), 3u) << "nothing to ask";
}

// The hall with further loads on the wind case, as version 2 writes them.
std::string HallWithFurtherLoads() {
  std::string text = kHalle;
  const std::string wind = R"("wD": 3.0, "wS": 1.5, "q": -1.2)";
  text.replace(
      text.find(wind), wind.size(),
      wind + R"(, "partial": [ { "q": -2.9, "from": 0.0, "to": 1.2 }, )"
             R"({ "q": -1.7, "from": 1.2, "to": 6.0 } ], "points": [ { "F": 12.0, "a": 3.0 } ])");
  return text;
}

TEST_F(DesignWindowTest, TheLastColumnSummarisesEachCasesFurtherLoads) {
  ASSERT_EQ(Cases().columnCount(), Column::kFurther + 1) << "the last column";
  const QTableWidgetItem* header = Cases().horizontalHeaderItem(Column::kFurther);
  EXPECT_EQ(header->text(), "weitere Lasten");
  EXPECT_TRUE(header->toolTip().contains("Teilstreckenlasten")) << header->toolTip().toStdString();
  EXPECT_TRUE(header->toolTip().contains("Doppelklick, Eingabetaste oder F2"));
  Open(HallWithFurtherLoads().c_str());
  EXPECT_TRUE(host.messages.shown.empty());
  EXPECT_EQ(Cell(0, Column::kFurther), "");
  EXPECT_EQ(Cell(2, Column::kFurther), "2 Teillasten, 1 Einzellast");
  EXPECT_FALSE(Cases().item(2, Column::kFurther)->flags() & Qt::ItemIsEditable)
      << "edited in the dialog, never as text";
  const DesignCase wind = window.CurrentDesign().loadCases[2];
  EXPECT_EQ(wind.partial, (std::vector<PartialBeamLoad>{{-2.9, 0, 1.2}, {-1.7, 1.2, 6}}));
  EXPECT_EQ(wind.points, (std::vector<BeamPointLoad>{{3, 12}}));
  EXPECT_FALSE(window.IsModified());
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(window.ShownResult()->design.loadCases[2], wind) << "computed with them";

  EXPECT_EQ(FurtherLoadsSummary({{{1, 0, 1}}, {}}), "1 Teillast");
  EXPECT_EQ(FurtherLoadsSummary({{}, {{1, 2}, {2, 2}, {3, 2}}}), "3 Einzellasten");

  // They travel with their case when it moves.
  Cases().setCurrentCell(2, Column::kName);
  window.NachOben_Click();
  Settle();
  EXPECT_EQ(Cell(1, Column::kFurther), "2 Teillasten, 1 Einzellast");
  EXPECT_EQ(Cell(2, Column::kFurther), "");
  EXPECT_EQ(window.CurrentDesign().loadCases[1].points, wind.points);
}

TEST_F(DesignWindowTest, TheDialogOpensOnTheCellAndOkTakesItsLoadsAsAnEdit) {
  Open(kHalle);
  const int taken = host.taken;
  // Abbrechen: nothing changes.
  Cases().setCurrentCell(1, Column::kFurther);
  QTest::keyClick(&Cases(), Qt::Key_F2);
  ASSERT_EQ(host.furtherLoads.names.size(), 1u);
  EXPECT_EQ(host.furtherLoads.names[0], "Schnee");
  EXPECT_EQ(host.furtherLoads.shown[0], FurtherLoads{});
  EXPECT_FALSE(window.IsModified());
  EXPECT_EQ(host.taken, taken);

  // OK: the case holds them, the design is changed and computed again.
  host.furtherLoads.answer = FurtherLoads{{{2.5, 0, 7.5}}, {{10, 20}, {12, 5}}};
  QTest::keyClick(&Cases(), Qt::Key_Return);
  Settle();
  ASSERT_EQ(host.furtherLoads.names.size(), 2u);
  EXPECT_EQ(Cell(1, Column::kFurther), "1 Teillast, 2 Einzellasten");
  const DesignCase snow = window.CurrentDesign().loadCases[1];
  EXPECT_EQ(snow.partial, host.furtherLoads.answer->partial);
  EXPECT_EQ(snow.points, host.furtherLoads.answer->points);
  EXPECT_TRUE(window.IsModified());
  EXPECT_EQ(window.FileLabel()->text(), "halle.strevo (geändert)");
  EXPECT_EQ(host.taken, taken + 1);
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(window.ShownResult()->design.loadCases[1], snow);

  // A double click shows them again; OK with the same loads is no edit.
  window.mnuSpeichern_Click();
  EXPECT_FALSE(window.IsModified());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Cases().scrollToItem(Cases().item(1, Column::kFurther));
  const QRect cell = Cases().visualItemRect(Cases().item(1, Column::kFurther));
  // The first click of a double click presses the cell, as the view needs it.
  QTest::mouseClick(Cases().viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(Cases().viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_EQ(host.furtherLoads.shown.size(), 3u);
  EXPECT_EQ(host.furtherLoads.shown[2], *host.furtherLoads.answer);
  EXPECT_FALSE(window.IsModified());
  // Saved, they are in the file.
  EXPECT_TRUE(Contents(window.FileName()).contains(R"("partial": [ { "q": 2.5, "from": 0.0)"));
  EXPECT_EQ(ReadDesignFile(QFile::encodeName(window.FileName()).toStdString()).loadCases[1], snow);

  // Enter on another column edits that cell as before.
  Cases().setCurrentCell(1, Column::kQ);
  QTest::keyClick(&Cases(), Qt::Key_F2);
  EXPECT_EQ(host.furtherLoads.names.size(), 3u);
}

TEST_F(DesignWindowTest, AFurtherLoadOffTheBeamIsMarkedAtItsCell) {
  Open(kHalle);
  host.furtherLoads.answer = FurtherLoads{{{1, 4, 3}}, {{16, 5}}};
  window.WeitereLasten_Click(0);
  Settle();
  EXPECT_TRUE(Cases().IsMarked(0, Column::kFurther));
  const QString tip = Cases().item(0, Column::kFurther)->toolTip();
  EXPECT_TRUE(tip.contains("„partial[0].to“ (Dach): die Teilstreckenlast endet nicht hinter"))
      << tip.toStdString();
  EXPECT_TRUE(tip.contains("„points[0].a“ (Dach): die Einzellast steht nicht auf dem Riegel"));
  EXPECT_FALSE(Cases().IsMarked(0, Column::kName));
  EXPECT_EQ(window.ShownResult(), nullptr);
  EXPECT_TRUE(window.Status()->text().startsWith("Nicht berechnet: „partial[0].to“ (Dach)"));

  host.furtherLoads.answer = FurtherLoads{{{1, 3, 4}}, {}};
  window.WeitereLasten_Click(0);
  Settle();
  EXPECT_FALSE(Cases().IsMarked(0, Column::kFurther));
  EXPECT_NE(window.ShownResult(), nullptr);
}

// Idle: the result shown, no progress, "Abbrechen" hidden, every command there.
void ExpectIdle(const DesignWindow& window) {
  EXPECT_FALSE(window.IsComputing());
  EXPECT_TRUE(window.Progress()->isHidden());
  EXPECT_TRUE(window.CancelButton()->isHidden());
  EXPECT_TRUE(window.ComputeButton()->isEnabled());
  EXPECT_TRUE(window.MenuItem("mnuBerichtSpeichern")->isEnabled());
  EXPECT_TRUE(window.Results()->isEnabled());
}

void ExpectComputing(const DesignWindow& window) {
  EXPECT_TRUE(window.IsComputing());
  EXPECT_FALSE(window.Progress()->isHidden());
  EXPECT_FALSE(window.CancelButton()->isHidden());
  EXPECT_TRUE(window.CancelButton()->isEnabled());
  EXPECT_FALSE(window.ComputeButton()->isEnabled()) << "it computes already";
  EXPECT_FALSE(window.SearchButton()->isEnabled()) << "not while the design computes";
  EXPECT_FALSE(window.MenuItem("mnuBerichtSpeichern")->isEnabled()) << "the result is stale";
  EXPECT_EQ(window.Status()->text(), "Wird berechnet …");
  EXPECT_FALSE(window.Results()->isEnabled()) << "greyed: for the design before";
  EXPECT_EQ(window.ShownResult(), nullptr);
}

TEST_F(DesignWindowTest, TheControlsFollowAComputationFromStartToCancelAndFinish) {
  ExpectIdle(window);
  EXPECT_TRUE(window.SearchButton()->isEnabled());
  const int taken = host.taken;
  host.dialogs.names.push_back(Written(WriteDesign(HallWithImposedLoads(4)).c_str()));
  window.mnuOeffnen_Click();
  // Nothing of the worker reaches the window before its events are processed: it computes.
  ExpectComputing(window);
  // Its progress counts the combinations, known before the first one.
  const std::size_t combinations = CombinationsOf(CasesOf(HallWithImposedLoads(4))).size();
  EXPECT_EQ(window.Progress()->maximum(), static_cast<int>(combinations));
  EXPECT_LE(window.Progress()->value(), window.Progress()->maximum());

  window.Abbrechen_Click();
  ExpectIdle(window);
  EXPECT_TRUE(window.SearchButton()->isEnabled()) << "the design has no mistake";
  EXPECT_EQ(window.ShownResult(), nullptr) << "the one before is for another design";
  EXPECT_TRUE(window.Status()->text().startsWith("Nicht berechnet: abgebrochen."));
  EXPECT_EQ(window.Results()->Combinations()->rowCount(), 0);
  window.Abbrechen_Click();  // nothing runs: nothing happens
  EXPECT_TRUE(window.Status()->text().startsWith("Nicht berechnet: abgebrochen."));

  window.Berechnen_Click();
  ExpectComputing(window);
  Settle();
  ExpectIdle(window);
  EXPECT_EQ(host.taken, taken + 1) << "the cancelled one never comes back";
  ASSERT_NE(window.ShownResult(), nullptr);
  EXPECT_EQ(window.ShownResult()->combinations.size(), combinations);
  EXPECT_TRUE(window.Status()->text().startsWith(
      QStringLiteral("Berechnet: %1 Kombinationen").arg(combinations)));
  EXPECT_TRUE(host.messages.shown.empty());

  // A mistake stops the one running: nothing to compute.
  Type(0, Column::kQ, "4");
  Cases().item(0, Column::kQ)->setText(QStringLiteral("x"));
  ExpectIdle(window);
  EXPECT_FALSE(window.SearchButton()->isEnabled());
  EXPECT_TRUE(window.Status()->text().startsWith("Nicht berechnet: „q“ (Dach)"));
}

// Edits while the design computes, some cancelled: each edit cancels the computation before,
// only the last one's result is shown, and it is what the core computes for that design.
TEST_F(DesignWindowTest, TheLastEditWinsAndNoStaleResultIsShown) {
  host.window = &window;
  Open(HallWithImposedLoads(3));
  ASSERT_NE(window.ShownResult(), nullptr);
  const int taken = host.taken;
  for (int edit = 1; edit <= 40; ++edit) {
    Cases().item(edit % 5, Column::kQ)->setText(QString::number(edit));
    ExpectComputing(window);
    if (edit % 7 == 0) {
      window.Abbrechen_Click();
      ExpectIdle(window);
      EXPECT_EQ(window.ShownResult(), nullptr);
    }
    QTest::qWait(edit % 4);  // sometimes a result comes in between
    if (window.IsComputing()) {
      EXPECT_EQ(window.ShownResult(), nullptr) << "the one shown is for the design before";
      EXPECT_FALSE(window.Results()->isEnabled());
    } else if (window.ShownResult() != nullptr) {
      EXPECT_EQ(window.ShownResult()->design, window.CurrentDesign()) << edit;
      EXPECT_TRUE(window.Results()->isEnabled());
    }
  }
  Settle();
  EXPECT_EQ(host.stale, 0);
  EXPECT_LE(host.taken - taken, 40);
  ASSERT_NE(window.ShownResult(), nullptr);
  const DesignResult direct = ComputeDesign(window.CurrentDesign());
  EXPECT_EQ(DesignResultJson(*window.ShownResult()), DesignResultJson(direct));
  EXPECT_EQ(window.Results()->Combinations()->rowCount(),
            static_cast<int>(direct.combinations.size()));
  EXPECT_DOUBLE_EQ(window.ShownResult()->design.loadCases[0].loads.q, 40);
  QTest::qWait(50);
  EXPECT_EQ(window.ShownResult()->design, window.CurrentDesign()) << "nothing came after";
}

// The lists are combo boxes only while their cell is edited, with the entries they always had;
// a long name is cut in its cell and whole in the design.
TEST_F(DesignWindowTest, ACellsListIsMadeWhenItIsEdited) {
  Open(kHalle);
  for (int row = 0; row < Cases().rowCount(); ++row) {
    EXPECT_EQ(ListAt(row, Column::kAction), nullptr) << row;
    EXPECT_EQ(ListAt(row, Column::kCategory), nullptr) << row;
  }
  QComboBox* action = Editor(1, Column::kAction);
  ASSERT_NE(action, nullptr);
  ASSERT_EQ(action->count(), 4);
  EXPECT_EQ(action->itemText(0), "G ständig");
  EXPECT_EQ(action->itemText(1), "Q Nutzlast");
  EXPECT_EQ(action->itemText(3), "W Wind");
  EXPECT_EQ(action->currentText(), "S Schnee");
  QComboBox* altitude = Editor(1, Column::kCategory);
  ASSERT_NE(altitude, nullptr);
  EXPECT_EQ(ListAt(1, Column::kAction), nullptr) << "left: gone";
  ASSERT_EQ(altitude->count(), 2);
  EXPECT_EQ(altitude->itemText(0), "≤ 1000 m");
  EXPECT_EQ(altitude->currentText(), "> 1000 m");
  altitude->setCurrentIndex(0);
  EXPECT_FALSE(window.CurrentDesign().loadCases[1].over1000m) << "taken at once";
  EXPECT_EQ(Cell(1, Column::kCategory), "≤ 1000 m");
  Settle();
  EXPECT_TRUE(window.IsModified());
  EXPECT_FALSE(window.ShownResult()->design.loadCases[1].over1000m);

  QComboBox* imposed = Editor(0, Column::kAction);
  imposed->setCurrentIndex(1);
  Settle();
  QComboBox* category = Editor(0, Column::kCategory);
  ASSERT_EQ(category->count(), 8);
  EXPECT_EQ(category->itemText(7), "H");
  EXPECT_EQ(category->currentIndex(), -1) << "to be chosen";
  EXPECT_TRUE(Cases().IsMarked(0, Column::kCategory));
  category->setCurrentIndex(2);
  Settle();
  EXPECT_EQ(window.CurrentDesign().loadCases[0].category, 'C');
  EXPECT_NE(window.ShownResult(), nullptr);

  const std::string name(400, 'N');
  Type(2, Column::kName, QString::fromStdString(name));
  EXPECT_FALSE(Cases().wordWrap());
  EXPECT_EQ(Cases().textElideMode(), Qt::ElideRight);
  EXPECT_EQ(window.CurrentDesign().loadCases[2].name, name);
}

// However many cases, the window fits the screen and the table scrolls.
TEST_F(DesignWindowTest, ManyCasesKeepTheWindowWithinTheScreen) {
  Design many = testing::HallDesign();
  many.loadCases.resize(1);
  for (int i = 0; i < 2000; ++i) {
    many.loadCases.push_back(testing::LoadCaseNamed("G " + std::to_string(i), Action::Permanent,
                                                    {0.001 * i, 0, 0, 0, 0}));
  }
  window.show();
  Open(many);
  ASSERT_EQ(Cases().rowCount(), 2001);
  QApplication::processEvents();
  const int room = window.screen()->availableGeometry().height();
  EXPECT_LE(window.height(), room);
  EXPECT_LE(window.frameGeometry().height(), room + 64) << "the title bar aside";
  EXPECT_TRUE(Cases().verticalScrollBar()->isVisible());
  EXPECT_GT(Cases().verticalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace strevo
