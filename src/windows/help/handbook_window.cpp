#include "windows/help/handbook_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/handbook/handbook.h"

namespace strevo {
namespace {

constexpr int kAnchorRole = Qt::UserRole;

// The handbook as compiled in (the resource holds docs/handbuch.md); the build has parsed it
// already to write the manual pages, so it parses here as well.
Handbook CompiledHandbook() {
  QFile file(QStringLiteral(":/handbuch.md"));
  file.open(QIODevice::ReadOnly);
  return ParseHandbook(file.readAll().toStdString());
}

}  // namespace

// The contents as a tree of the headings; returns the width of the widest, indented by its
// level.
int HandbookWindow::BuildContents(const Handbook& handbook) {
  contents_ = new QTreeWidget(this);
  contents_->setObjectName(QStringLiteral("Inhalt"));
  contents_->setHeaderHidden(true);
  std::vector<QTreeWidgetItem*> parents;  // the last item of each level
  int widest = 0;
  for (const HandbookHeading& heading : HandbookHeadings(handbook)) {
    parents.resize(heading.level - 1);
    auto* item = parents.empty() || parents.back() == nullptr ? new QTreeWidgetItem(contents_)
                                                              : new QTreeWidgetItem(parents.back());
    item->setText(0, QString::fromStdString(heading.text));
    item->setData(0, kAnchorRole, QString::fromStdString(heading.anchor));
    parents.push_back(item);
    widest = std::max(widest, heading.level * contents_->indentation() +
                                  contents_->fontMetrics().horizontalAdvance(item->text(0)));
  }
  contents_->expandAll();
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](const QTreeWidgetItem* item) { ShowSection(item); });
  connect(contents_, &QTreeWidget::currentItemChanged, this,
          [this](const QTreeWidgetItem* item) { ShowSection(item); });
  return widest;
}

HandbookWindow::HandbookWindow() {
  setObjectName(QStringLiteral("Handbuch"));
  setWindowTitle(QStringLiteral("Handbuch"));
  const QRect available = screen()->availableGeometry();
  resize(std::min(1100, available.width()), std::min(800, available.height()));

  const Handbook handbook = CompiledHandbook();
  const int widest = BuildContents(handbook);

  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("Text"));
  text_->setHtml(QString::fromStdString(HandbookHtml(handbook)));

  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("Suchen"));
  search_->setPlaceholderText(QStringLiteral("Suchen"));
  search_->setClearButtonEnabled(true);
  search_->setToolTip(
      QStringLiteral("Eingabetaste oder F3: die nächste Stelle; alle Stellen sind markiert."));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Suchergebnis"));
  connect(search_, &QLineEdit::textChanged, this, &HandbookWindow::Highlight);
  connect(search_, &QLineEdit::returnPressed, this, &HandbookWindow::FindNext);

  auto* next = new QAction(QStringLiteral("Weitersuchen"), this);
  next->setObjectName(QStringLiteral("Weitersuchen"));
  next->setShortcut(QKeySequence(Qt::Key_F3));
  connect(next, &QAction::triggered, this, &HandbookWindow::FindNext);
  auto* close = new QAction(QStringLiteral("Schließen"), this);
  close->setObjectName(QStringLiteral("Schliessen"));
  close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  connect(close, &QAction::triggered, this, &QWidget::close);
  addActions({next, close});

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(new QLabel(QStringLiteral("Suchen:"), this));
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(status_);
  auto* right = new QWidget(this);
  auto* column = new QVBoxLayout(right);
  column->setContentsMargins(0, 0, 0, 0);
  column->addLayout(searchRow);
  column->addWidget(text_, 1);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(contents_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  // The contents as wide as their longest heading, up to half the window.
  const int contents = std::min(widest + 2 * contents_->frameWidth() +
                                    contents_->verticalScrollBar()->sizeHint().width() +
                                    2 * contents_->fontMetrics().averageCharWidth(),
                                width() / 2);
  splitter->setSizes({contents, width() - contents});
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  search_->setFocus();  // typing searches at once
}

void HandbookWindow::ShowSection(const QTreeWidgetItem* item) {
  if (item != nullptr) {
    text_->scrollToAnchor(item->data(0, kAnchorRole).toString());
  }
}

void HandbookWindow::Highlight() {
  QList<QTextEdit::ExtraSelection> marks;
  const QString wanted = search_->text();
  if (!wanted.isEmpty()) {
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 230, 80));
    for (QTextCursor found = text_->document()->find(wanted); !found.isNull();
         found = text_->document()->find(wanted, found)) {
      marks.append({found, marked});
    }
  }
  text_->setExtraSelections(marks);
  const auto matches = static_cast<int>(marks.size());
  if (wanted.isEmpty()) {
    status_->clear();
  } else if (matches == 0) {
    status_->setText(QStringLiteral("Nicht gefunden"));
  } else {
    status_->setText(matches == 1 ? QStringLiteral("1 Stelle")
                                  : QStringLiteral("%1 Stellen").arg(matches));
  }
}

void HandbookWindow::FindNext() {
  const QString wanted = search_->text();
  if (wanted.isEmpty()) {
    return;
  }
  QTextCursor found = text_->document()->find(wanted, text_->textCursor());
  if (found.isNull()) {
    found = text_->document()->find(wanted);
  }
  if (found.isNull()) {
    status_->setText(QStringLiteral("Nicht gefunden"));
    return;
  }
  text_->setTextCursor(found);
  text_->ensureCursorVisible();
}

bool HandbookKey::eventFilter(QObject* watched, QEvent* event) {
  // Shift+F1 stays Qt's "What's this?"; a message box that holds the whole program is answered
  // first, as a handbook shown now could not be used.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QWidget* modal = QApplication::activeModalWidget();
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier &&
        (modal == nullptr || modal->windowModality() != Qt::ApplicationModal)) {
      show_();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace strevo
