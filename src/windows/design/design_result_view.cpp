#include "windows/design/design_result_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "core/analysis/member_forces.h"
#include "core/analysis/solution.h"
#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_output.h"
#include "core/design/design_pictures.h"
#include "report/twips.h"
#include "windows/design/design_picture.h"

namespace strevo {
namespace {

constexpr QColor kMet(0, 128, 0);
constexpr QColor kNotMet(220, 0, 0);
constexpr std::array kKinds = {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal};
constexpr std::array kForces = {&MemberEnvelope::M, &MemberEnvelope::Q, &MemberEnvelope::N};
constexpr std::array<const char*, 3> kKindSymbols = {"M", "Q", "N"};
constexpr std::array<const char*, 3> kKindUnits = {"kNm", "kN", "kN"};
constexpr std::array<const char*, 3> kMemberNames = {"Stütze links", "Riegel", "Stütze rechts"};

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Number(double value) {
  return Text(FormatFixed2(value));
}

QTableWidget* MakeTable(const QString& name, const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  return table;
}

void SetRow(QTableWidget& table, int row, const QStringList& cells) {
  for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
    table.setItem(row, c, new QTableWidgetItem(cells[c]));
  }
}

void ColourVerdict(QTableWidget& table, int row, int column, bool met) {
  table.item(row, column)->setForeground(met ? kMet : kNotMet);
}

// The display of one result value of a combination.
struct ValueRow {
  const char* symbol;
  double SharedResults::*value;
  const char* unit;
};
constexpr ValueRow kValueRows[] = {
    {"AH", &SharedResults::AH, "kN"},  {"AV", &SharedResults::AV, "kN"},
    {"MA", &SharedResults::MA, "kNm"}, {"BH", &SharedResults::BH, "kN"},
    {"BV", &SharedResults::BV, "kN"},  {"MB", &SharedResults::MB, "kNm"},
    {"M1", &SharedResults::M1, "kNm"}, {"N1", &SharedResults::N1, "kN"},
    {"Q1", &SharedResults::Q1, "kN"},  {"M2", &SharedResults::M2, "kNm"},
    {"N2", &SharedResults::N2, "kN"},  {"Q2", &SharedResults::Q2, "kN"},
    {"X3", &SharedResults::X3, "m"},   {"M3", &SharedResults::M3, "kNm"},
    {"M4", &SharedResults::M4, "kNm"}, {"N4", &SharedResults::N4, "kN"},
    {"Q4", &SharedResults::Q4, "kN"},  {"M5", &SharedResults::M5, "kNm"},
    {"N5", &SharedResults::N5, "kN"},  {"Q5", &SharedResults::Q5, "kN"},
};

QString EtaLabel(double eta) {
  return QStringLiteral("η = %1").arg(Text(EtaText(eta)));
}

QString PlaceText(const std::string& place) {
  return place.empty() ? QStringLiteral("—") : Text(place);
}

QString VerdictText(const MemberDesign& design, double eta) {
  if (design.unstable) {
    return QStringLiteral("instabil (αcr ≤ 1)");
  }
  if (!design.verification.covered) {
    return QStringLiteral("nicht abgedeckt (Klasse 4)");
  }
  return eta <= 1 ? QStringLiteral("erfüllt") : QStringLiteral("nicht erfüllt");
}

QString Curve(const BucklingCurve& curve) {
  return QStringLiteral("Kurve %1").arg(QLatin1Char(curve.name));
}

QString FlexuralValues(const FlexuralBuckling& b, const char* axis) {
  return QStringLiteral("λ̄%1 = %2, χ%1 = %3 (%4), Lcr = %5 m")
      .arg(QString::fromUtf8(axis), Number(b.lambda), Number(b.chi), Curve(b.curve), Number(b.Lcr));
}

// The values that show how a check came about.
QString CheckValues(const MemberVerification& v, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return QStringLiteral("Klasse %1").arg(v.crossSection.sectionClass);
    case MemberCheckKind::BucklingY:
      return FlexuralValues(v.bucklingY, "y");
    case MemberCheckKind::BucklingZ:
      return FlexuralValues(v.bucklingZ, "z");
    case MemberCheckKind::LateralTorsional: {
      const LateralTorsionalBuckling& lt = v.lateralTorsional;
      return QStringLiteral("λ̄LT = %1, χLT = %2 (%3), Mcr = %4 kNm, C1 = %5")
          .arg(Number(lt.lambda), Number(lt.chi), Curve(lt.curve), Number(lt.Mcr), Number(lt.C1));
    }
    case MemberCheckKind::Interaction:
      break;
  }
  const MemberInteraction& i = v.interaction;
  return QStringLiteral("Gl. 6.61: %1, Gl. 6.62: %2, kyy = %3, kzy = %4")
      .arg(Number(i.eta61), Number(i.eta62), Number(i.kyy), Number(i.kzy));
}

}  // namespace

QString MemberChoiceText(const MemberChoice& member) {
  if (!member.section.empty()) {
    return QString::fromStdString(member.section);
  }
  return QStringLiteral("I = %1 cm4 (ohne Profil)")
      .arg(QString::fromStdString(ShortestNumber(member.I)));
}

DesignResultView::DesignResultView(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("Ergebnisse"));
  BuildCombinationPage();
  BuildEnvelopePage();
  BuildCheckPage();
}

void DesignResultView::BuildCombinationPage() {
  auto* combinationPage = new QWidget(this);
  auto* combinationColumn = new QVBoxLayout(combinationPage);
  combinations_ = MakeTable(QStringLiteral("Kombinationen"),
                            {QStringLiteral("Kombination"), QStringLiteral("Einwirkungen"),
                             QStringLiteral("maßgebend für")},
                            combinationPage);
  combinations_->setToolTip(
      QStringLiteral("✓: die Kombination, unter der ein Nachweis am ungünstigsten ist."));
  connect(combinations_, &QTableWidget::currentCellChanged, this,
          [this](int row) { ShowCombination(row); });
  combinationColumn->addWidget(combinations_, 1);
  auto* combinationRow = new QHBoxLayout;
  values_ = MakeTable(QStringLiteral("Werte"),
                      {QStringLiteral("Größe"), QStringLiteral("Wert"), QStringLiteral("Bemessung"),
                       QStringLiteral("Einheit")},
                      combinationPage);
  values_->horizontalHeaderItem(1)->setToolTip(
      QStringLiteral("Theorie I. Ordnung, ohne Schiefstellung."));
  values_->horizontalHeaderItem(2)->setToolTip(
      QStringLiteral("Die Schnittgrößen, für die die Stäbe nachgewiesen werden (GZT): mit der "
                     "Schiefstellung φ, bei αcr < 10 nach Theorie II. Ordnung."));
  values_->setSelectionBehavior(QAbstractItemView::SelectItems);
  values_->setFixedWidth(300);
  values_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  values_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  combinationRow->addWidget(values_);
  // Three diagrams and, in the fourth place, what the combination is made of and how stable
  // the portal is under it.
  auto* grid = new QGridLayout;
  for (std::size_t k = 0; k < combinationPictures_.size(); ++k) {
    combinationPictures_[k] = new DesignPicture(combinationPage);
    grid->addWidget(combinationPictures_[k], static_cast<int>(k / 2), static_cast<int>(k % 2));
  }
  auto* about = new QVBoxLayout;
  combinationLabel_ = new QLabel(combinationPage);
  combinationLabel_->setObjectName(QStringLiteral("Kombination"));
  combinationLabel_->setWordWrap(true);
  combinationLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  combinationLabel_->setContentsMargins(8, 24, 8, 8);
  about->addWidget(combinationLabel_);
  stability_ = MakeTable(QStringLiteral("Stabilitaet"),
                         {QStringLiteral("Stabilität"), QStringLiteral("Wert")}, combinationPage);
  stability_->setSelectionBehavior(QAbstractItemView::SelectItems);
  stability_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  // The cell beside three diagrams is narrow: long values wrap rather than being cut.
  stability_->setWordWrap(true);
  stability_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  stability_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  stability_->setToolTip(
      QStringLiteral("EN 1993-1-1, 5.2 und 5.3: αcr des Rahmens, die Knicklängen Lcr der linken "
                     "und der rechten Stütze und die Schiefstellung φ mit ihren Ersatzkräften φ·N "
                     "am Kopf jeder Stütze."));
  about->addWidget(stability_, 1);
  grid->addLayout(about, 1, 1);
  combinationRow->addLayout(grid, 1);
  combinationColumn->addLayout(combinationRow, 3);
  addTab(combinationPage, QStringLiteral("Kombinationen"));
}

void DesignResultView::BuildEnvelopePage() {
  auto* envelopePage = new QWidget(this);
  auto* envelopeColumn = new QVBoxLayout(envelopePage);
  auto* envelopeRow = new QHBoxLayout;
  for (DesignPicture*& picture : envelopePictures_) {
    picture = new DesignPicture(envelopePage);
    envelopeRow->addWidget(picture, 1);
  }
  envelopeColumn->addLayout(envelopeRow, 3);
  envelope_ = MakeTable(QStringLiteral("Umhuellende"),
                        {QStringLiteral("Stab"), QStringLiteral("Größe"), QStringLiteral("max"),
                         QStringLiteral("Stelle"), QStringLiteral("aus"), QStringLiteral("min"),
                         QStringLiteral("Stelle"), QStringLiteral("aus")},
                        envelopePage);
  envelopeColumn->addWidget(envelope_, 2);
  addTab(envelopePage, QStringLiteral("Umhüllende (GZT)"));
}

void DesignResultView::BuildCheckPage() {
  auto* checkPage = new QWidget(this);
  auto* checkColumn = new QVBoxLayout(checkPage);
  checks_ = MakeTable(
      QStringLiteral("Nachweistabelle"),
      {QStringLiteral("Nachweis"), QStringLiteral("Ausnutzung"), QStringLiteral("Ergebnis"),
       QStringLiteral("Kombination"), QStringLiteral("Stelle"), QStringLiteral("Kennwerte")},
      checkPage);
  // The verdicts stay in sight: a long place wraps in its column, the values follow on the
  // right.
  checks_->setWordWrap(true);
  checks_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  checks_->horizontalHeader()->setStretchLastSection(false);
  checks_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  checks_->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Interactive);
  checks_->setColumnWidth(4, 180);
  checkColumn->addWidget(checks_, 1);
  verdict_ = new QLabel(checkPage);
  verdict_->setObjectName(QStringLiteral("Ergebnis"));
  verdict_->setFont(SansFont(9.75, true));
  checkColumn->addWidget(verdict_);
  auto* statement = new QLabel(
      Text(kDesignCheckStatement) + QStringLiteral(" Jede Zeile nennt die Kombination, in der der "
                                                   "Nachweis am ungünstigsten ist, mit deren "
                                                   "Kennwerten."),
      checkPage);
  statement->setWordWrap(true);
  checkColumn->addWidget(statement);
  addTab(checkPage, QStringLiteral("Nachweise"));
}

void DesignResultView::Clear() {
  shown_ = nullptr;
  for (QTableWidget* table : {combinations_, values_, stability_, envelope_, checks_}) {
    table->setRowCount(0);
  }
  combinationLabel_->clear();
  verdict_->clear();
  for (DesignPicture* picture : combinationPictures_) {
    picture->Clear();
  }
  for (DesignPicture* picture : envelopePictures_) {
    picture->Clear();
  }
}

void DesignResultView::Show(const DesignResult& result) {
  shown_ = &result;
  FillCombinations(result);
  FillEnvelope(result);
  FillChecks(result);
}

// Each combination with the checks it governs; the one chosen shows its values.
void DesignResultView::FillCombinations(const DesignResult& result) {
  const int count = static_cast<int>(result.combinations.size());
  std::vector<QStringList> governs(result.combinations.size());
  const DesignChecks& checks = result.checks;
  if (checks.columns) {
    governs[checks.columns->combination] << QStringLiteral("Stützen");
  }
  if (checks.beam) {
    governs[checks.beam->combination] << QStringLiteral("Riegel");
  }
  if (checks.sway) {
    governs[checks.sway->combination] << QStringLiteral("Verschiebung u");
  }
  if (checks.deflection) {
    governs[checks.deflection->combination] << QStringLiteral("Durchbiegung w");
  }
  int row = combinations_->currentRow();
  combinations_->blockSignals(true);
  combinations_->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    const Combination& combination = result.combinations[i].combination;
    SetRow(*combinations_, i,
           {Text(combination.id), Text(combination.label),
            governs[i].isEmpty() ? QString()
                                 : QStringLiteral("✓ ") + governs[i].join(QStringLiteral(", "))});
  }
  combinations_->resizeColumnsToContents();
  if (row < 0 || row >= count) {
    row = 0;
  }
  if (count > 0) {
    combinations_->setCurrentCell(row, 0);
  }
  combinations_->blockSignals(false);
  ShowCombination(count > 0 ? row : -1);
}

namespace {

// "GZT 3: 1,35·G + …" and below it each case's factor, wind with its direction.
QString CombinationCaption(const DesignResult& result, const CombinationResult& combination) {
  QStringList factors;
  for (const CaseFactor& factor : combination.combination.factors) {
    const DesignCase& loadCase = result.cases[factor.loadCase];
    QString name = Text(loadCase.name);
    if (loadCase.action == Action::Wind) {
      name += factor.mirrored ? QStringLiteral(" (von rechts)") : QStringLiteral(" (von links)");
    }
    factors << QStringLiteral("%1 × %2").arg(
        QString::number(factor.factor, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(',')), name);
  }
  return QStringLiteral("%1: %2\n\n%3")
      .arg(Text(combination.combination.id), Text(combination.combination.label),
           factors.join(QLatin1Char('\n')));
}

// The first-order values beside the design ones, from row 0.
void FillValues(QTableWidget& values, const CombinationResult& combination) {
  const CombinationStability* stability = combination.stability ? &*combination.stability : nullptr;
  for (int r = 0; r < static_cast<int>(std::size(kValueRows)); ++r) {
    const ValueRow& value = kValueRows[r];
    QString designed;
    if (stability != nullptr) {
      designed =
          stability->unstable ? QStringLiteral("—") : Number(stability->designValues.*value.value);
    }
    SetRow(values, r,
           {QString::fromUtf8(value.symbol), Number(combination.values.*value.value), designed,
            QString::fromUtf8(value.unit)});
    if (stability != nullptr && stability->unstable) {
      values.item(r, 2)->setToolTip(
          QStringLiteral("Instabil (αcr ≤ 1): keine Bemessungsschnittgrößen."));
    }
  }
}

// u, w and xw from row `first`; a dash and the fault where they could not be computed.
void FillDeformations(QTableWidget& values, int first, const CombinationResult& combination) {
  const std::optional<Deformation>& deformation = combination.solution.deformation;
  const struct {
    const char* symbol;
    double Deformation::*value;
    const char* unit;
  } deformationRows[] = {
      {"u", &Deformation::u, "mm"}, {"w", &Deformation::w, "mm"}, {"xw", &Deformation::xw, "m"}};
  for (int r = 0; r < 3; ++r) {
    const auto& row = deformationRows[r];
    SetRow(values, first + r,
           {QString::fromUtf8(row.symbol),
            deformation ? Number((*deformation).*row.value) : QStringLiteral("—"), QString(),
            QString::fromUtf8(row.unit)});
    if (!deformation) {
      values.item(first + r, 1)
          ->setToolTip(QStringLiteral("Nicht berechenbar: %1")
                           .arg(Text(combination.solution.deformationFault)));
    }
  }
}

}  // namespace

void DesignResultView::ShowCombination(int index) {
  if (shown_ == nullptr || index < 0 || index >= static_cast<int>(shown_->combinations.size())) {
    values_->setRowCount(0);
    combinationLabel_->clear();
    ShowStability(nullptr);
    for (DesignPicture* picture : combinationPictures_) {
      picture->Clear();
    }
    return;
  }
  const CombinationResult& combination = shown_->combinations[index];
  combinationLabel_->setText(CombinationCaption(*shown_, combination));
  const int valueRows = static_cast<int>(std::size(kValueRows));
  values_->setRowCount(valueRows + 3);
  FillValues(*values_, combination);
  FillDeformations(*values_, valueRows, combination);
  for (int r = 0; r < values_->rowCount(); ++r) {
    for (int c = 1; c <= 2; ++c) {
      values_->item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  ShowStability(combination.stability ? &*combination.stability : nullptr);
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    combinationPictures_[k]->Show(
        strevo::CombinationPicture(*shown_, static_cast<std::size_t>(index), kKinds[k]));
  }
}

// Hidden for a serviceability combination: its stability is not asked.
void DesignResultView::ShowStability(const CombinationStability* stability) {
  stability_->setVisible(stability != nullptr);
  if (stability == nullptr) {
    stability_->setRowCount(0);
    return;
  }
  const QString noCompression = QStringLiteral("— (kein Druck)");
  const CriticalLoad& critical = stability->critical;
  const bool compressed = std::isfinite(critical.factor);
  const QString theory = stability->unstable ? QStringLiteral("instabil (αcr ≤ 1)")
                                             : QString::fromUtf8(TheoryName(*stability));
  const auto length = [&](const std::optional<double>& Lcr) {
    return Lcr ? Number(*Lcr) + QStringLiteral(" m") : noCompression;
  };
  const auto kN = [](double value) { return Number(value) + QStringLiteral(" kN"); };
  const QString mode =
      compressed ? QString::fromUtf8(ModeName(critical.mode)) : QStringLiteral("—");
  // φ ≥ φ0·2/3·√0.75 > 0 for every portal.
  const QString phi = QString::fromStdString(ImperfectionText(stability->imperfection));
  const QStringList rows[] = {
      {QStringLiteral("αcr"), compressed ? Number(critical.factor) : noCompression},
      {QStringLiteral("Knickfigur"), mode},
      {QStringLiteral("Lcr links"), length(stability->columnBucklingLength[0])},
      {QStringLiteral("Lcr rechts"), length(stability->columnBucklingLength[1])},
      {QStringLiteral("φ"), phi},
      {QStringLiteral("φ·N links"), kN(stability->imperfectionForces[0])},
      {QStringLiteral("φ·N rechts"), kN(stability->imperfectionForces[1])},
      {QStringLiteral("Berechnung"), theory}};
  const int count = static_cast<int>(std::size(rows));
  stability_->setRowCount(count);
  for (int r = 0; r < count; ++r) {
    SetRow(*stability_, r, rows[r]);
  }
  stability_->item(4, 1)->setToolTip(
      QStringLiteral("φ = φ0·αh·αm = %1").arg(stability->imperfection, 0, 'f', 5));
  stability_->item(count - 1, 1)
      ->setToolTip(QStringLiteral("Theorie II. Ordnung bei αcr < 10, instabil bei αcr ≤ 1."));
  if (stability->unstable) {
    stability_->item(count - 1, 1)->setForeground(kNotMet);
  }
}

void DesignResultView::FillEnvelope(const DesignResult& result) {
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    envelopePictures_[k]->Show(strevo::EnvelopePicture(result, kKinds[k]));
  }
  envelope_->setRowCount(0);
  const auto idOf = [&](std::size_t combination) {
    return Text(result.combinations[combination].combination.id);
  };
  for (std::size_t m = 0; m < result.envelope.size(); ++m) {
    const MemberEnvelope& member = result.envelope[m];
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
      const ForceEnvelope& force = member.*kForces[k];
      if (force.stations.empty()) {
        continue;
      }
      // As the results name a place: each column from its own foot.
      const auto place = [&](double s) {
        return Text(PositionOn(InputsOf(result.portal, {}), static_cast<Member>(m), s));
      };
      const QString unit = QStringLiteral(" ") + QString::fromUtf8(kKindUnits[k]);
      const int row = envelope_->rowCount();
      envelope_->insertRow(row);
      SetRow(*envelope_, row,
             {QString::fromUtf8(kMemberNames[m]), QString::fromUtf8(kKindSymbols[k]),
              Number(force.max.value) + unit, place(force.max.s), idOf(force.max.by),
              Number(force.min.value) + unit, place(force.min.s), idOf(force.min.by)});
    }
  }
  envelope_->resizeColumnsToContents();
}

namespace {

using AddCheckRow = std::function<void(const QStringList&, std::optional<bool>)>;

QString IdOf(const DesignResult& result, std::size_t combination) {
  return Text(result.combinations[combination].combination.id);
}

// A member's governing check in bold, then each of its five checks where it is largest.
void AddMemberRows(QTableWidget& table, const AddCheckRow& add, const DesignResult& result,
                   const QString& name, const GoverningMember& governing,
                   const MemberChoice& member,
                   std::optional<MemberDesign> CombinationResult::*memberDesign) {
  const MemberDesign& worst = governing.check;
  const MemberCheckKind governs = GoverningCheck(worst);
  add({QStringLiteral("%1 %2").arg(name, QString::fromUtf8(SectionOf(member)->designation)),
       EtaLabel(worst.Eta()), VerdictText(worst, worst.Eta()), IdOf(result, governing.combination),
       PlaceText(CheckPlace(worst, governs)),
       worst.unstable ? QString()
                      : QStringLiteral("maßgebend: %1").arg(QString::fromUtf8(CheckName(governs)))},
      worst.Met());
  for (int c = 0; c < table.columnCount(); ++c) {
    QTableWidgetItem* item = table.item(table.rowCount() - 1, c);
    QFont font = item->font();
    font.setBold(true);
    item->setFont(font);
  }
  for (const MemberCheckKind kind : kMemberCheckKinds) {
    // Each check's place and values from the combination where it is largest.
    const GoverningMember::Largest& largest = LargestOf(governing, kind);
    const MemberDesign& design = *(result.combinations[largest.combination].*memberDesign);
    add({QStringLiteral("    ") + QString::fromUtf8(CheckName(kind)), EtaLabel(largest.eta),
         VerdictText(design, largest.eta), IdOf(result, largest.combination),
         PlaceText(CheckPlace(design, kind)),
         design.unstable ? QString() : CheckValues(design.verification, kind)},
        largest.eta <= 1 && design.verification.covered && !design.unstable);
  }
}

// The sway and the deflection, each in its governing combination.
void AddLimitRows(const AddCheckRow& add, const DesignResult& result) {
  const DesignChecks& checks = result.checks;
  const struct {
    const char* name;
    const std::optional<GoverningLimit>& governing;
    int limit;
  } limits[] = {
      {"Verschiebung u ≤ h/n", checks.sway, result.design.settings.swayLimit},
      {"Durchbiegung w ≤ L/n", checks.deflection, result.design.settings.deflectionLimit}};
  for (std::size_t i = 0; i < std::size(limits); ++i) {
    const auto& l = limits[i];
    if (!l.governing) {
      continue;
    }
    const CombinationResult& combination = result.combinations[l.governing->combination];
    QString place = QStringLiteral("Riegel");
    if (i == 1 && combination.solution.deformation) {
      place = QStringLiteral("Riegel, %1 m ab Punkt 2")
                  .arg(Number(combination.solution.deformation->xw));
    }
    const bool met = l.governing->check.met;
    add({QString::fromUtf8(l.name),
         QStringLiteral("%1 (Grenze 1/%2)").arg(Text(RatioText(l.governing->check))).arg(l.limit),
         met ? QStringLiteral("erfüllt") : QStringLiteral("nicht erfüllt"),
         IdOf(result, l.governing->combination), place},
        met);
  }
}

}  // namespace

void DesignResultView::FillChecks(const DesignResult& result) {
  const DesignChecks& checks = result.checks;
  checks_->setRowCount(0);
  const AddCheckRow add = [this](const QStringList& cells, std::optional<bool> met) {
    const int row = checks_->rowCount();
    checks_->insertRow(row);
    SetRow(*checks_, row, cells);
    if (met) {
      ColourVerdict(*checks_, row, 2, *met);
    }
  };
  const struct {
    const char* name;
    const std::optional<GoverningMember>& governing;
    const MemberChoice& member;
    std::optional<MemberDesign> CombinationResult::*design;
  } members[] = {{"Stützen", checks.columns, result.design.columns, &CombinationResult::columns},
                 {"Riegel", checks.beam, result.design.beam, &CombinationResult::beam}};
  for (const auto& m : members) {
    const QString name = QString::fromUtf8(m.name);
    if (!m.governing) {
      add({name, QStringLiteral("—"),
           QStringLiteral("kein Nachweis: %1").arg(MemberChoiceText(m.member))},
          std::nullopt);
      continue;
    }
    AddMemberRows(*checks_, add, result, name, *m.governing, m.member, m.design);
  }
  AddLimitRows(add, result);
  const bool allMet = checks.AllMet();
  verdict_->setText(allMet ? QStringLiteral("Alle Nachweise sind erfüllt.")
                           : QStringLiteral("Nicht alle Nachweise sind erfüllt."));
  QPalette colours = verdict_->palette();
  colours.setColor(QPalette::WindowText, allMet ? kMet : kNotMet);
  verdict_->setPalette(colours);
}

}  // namespace strevo
