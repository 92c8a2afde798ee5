#include "ui/content_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/artwork.h"

namespace pellora::ui {

namespace {

constexpr int kColumnWidth = 200;
// The document listing's name column is as wide as a table column; its two
// dates need less.
constexpr int kDateColumnWidth = 150;

QPushButton* pagingButton(const QIcon& icon, const QString& tip, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setIcon(icon);
  button->setIconSize(QSize(40, 18));
  button->setFixedSize(50, 25);
  button->setToolTip(tip);
  button->setEnabled(false);
  return button;
}

QFont panelFont(int weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(16);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

}  // namespace

ContentPanel::ContentPanel(QWidget* parent) : QWidget(parent) {
  recordView_ = new QTableView(this);
  recordView_->setObjectName(QStringLiteral("recordList"));
  recordView_->setModel(&records_);
  recordView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  recordView_->setShowGrid(true);
  recordView_->setWordWrap(false);
  recordView_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  recordView_->horizontalHeader()->setFont(panelFont(700));
  recordView_->verticalHeader()->setDefaultSectionSize(22);
  recordView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

  statusArea_ = new QPlainTextEdit(this);
  statusArea_->setObjectName(QStringLiteral("statusText"));
  statusArea_->setReadOnly(true);
  statusArea_->setLineWrapMode(QPlainTextEdit::NoWrap);
  statusArea_->setFont(panelFont(400));

  pagingRow_ = new QWidget(this);
  pageLabel_ = new QLabel(QStringLiteral("page"), pagingRow_);
  pageLabel_->setObjectName(QStringLiteral("pageLabel"));
  pageLabel_->setFont(panelFont(400));
  previous_ = pagingButton(previousRecordsIcon(), QStringLiteral("Previous Records"), pagingRow_);
  previous_->setObjectName(QStringLiteral("previousRecords"));
  next_ = pagingButton(nextRecordsIcon(), QStringLiteral("Next Records"), pagingRow_);
  next_->setObjectName(QStringLiteral("nextRecords"));
  auto* row = new QHBoxLayout(pagingRow_);
  row->setContentsMargins(10, 3, 5, 3);
  row->addWidget(pageLabel_, 1);
  row->addWidget(previous_);
  row->addWidget(next_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(recordView_, 1);
  layout->addWidget(statusArea_, 1);
  layout->addWidget(pagingRow_);
  connect(previous_, &QPushButton::clicked, this, &ContentPanel::previousPressed);
  connect(next_, &QPushButton::clicked, this, &ContentPanel::nextPressed);
  showRecords(false);
}

void ContentPanel::setPaging(bool shown) {
  paging_ = shown;
  pagingRow_->setVisible(paging_ && recordsShown());
}

void ContentPanel::showRecords(bool shown) {
  recordView_->setVisible(shown);
  statusArea_->setVisible(!shown);
  pagingRow_->setVisible(paging_ && shown);
}

bool ContentPanel::recordsShown() const { return !recordView_->isHidden(); }

void ContentPanel::setStatusText(const QString& text) { statusArea_->setPlainText(text); }

void ContentPanel::setColumns(const QStringList& columns) {
  records_.setColumns(columns);
  const bool documents = columns.size() == 3 && columns[0] == QStringLiteral("File Name ");
  for (int i = 0; i < columns.size(); ++i) {
    recordView_->setColumnWidth(i, documents && i > 0 ? kDateColumnWidth : kColumnWidth);
  }
}

}  // namespace pellora::ui
