#include "ui/open_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "ui/collation_list.h"
#include "ui/message_box.h"
#include "ui/path_choosers.h"

namespace pellora::ui {

namespace {

const char* const kCompletedHint = "Select this option to recover complete Sharepoint server database.";
const char* const kDocumentHint =
    "Select this option to recover complete document from Sharepoint server database.";

// Room for the longest hint and a long path without the user resizing.
constexpr int kWidth = 560;
constexpr int kHeight = 375;

template <typename W>
W* named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QPushButton* browseButton(const char* name) {
  auto* button = named(new QPushButton(QStringLiteral("...")), name);
  button->setAutoDefault(false);
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
  return button;
}

QLineEdit* readOnlyField(const char* name) {
  auto* field = named(new QLineEdit, name);
  field->setReadOnly(true);
  return field;
}

// The desktop folder, made when it is missing, as the log folder's default.
QString desktopFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  QDir().mkpath(desktop);
  return desktop;
}

}  // namespace

OpenOptionsDialog::OpenOptionsDialog(RecoveryOptions& options, const CollationMap& collations,
                                     QWidget* parent)
    : QDialog(parent),
      options_(options),
      dataFileChooser_(chooseDataFile),
      logFolderChooser_(chooseLogFolder) {
  setWindowTitle(tr("Select Corrupted MDF file"));
  options_.collationAutoDetect = true;
  auto* layout = new QVBoxLayout(this);
  addRecoveryOptionGroup(layout);
  addDataFileRow(layout);
  addModeAndDeletedRows(layout);
  addCollationGroup(layout, collations);
  addLogFolderRow(layout);
  layout->addStretch();
  addButtons(layout);
  resize(kWidth, kHeight);
}

void OpenOptionsDialog::setDataFilePath(const QString& path) { dataFilePath_->setText(path); }

void OpenOptionsDialog::setLogFolder(const QString& folder) { logFolder_->setText(folder); }

void OpenOptionsDialog::addRecoveryOptionGroup(QVBoxLayout* layout) {
  auto* group = new QGroupBox(tr("Select Recovery option:"));
  auto* inside = new QVBoxLayout(group);
  completedRecovery_ = named(new QRadioButton(tr("Completed Database Recovery")), "completedRecovery");
  documentRecovery_ = named(new QRadioButton(tr("Document Recovery")), "documentRecovery");
  hint_ = readOnlyField("hint");
  completedRecovery_->setChecked(true);
  hint_->setText(QString::fromLatin1(kCompletedHint));
  connect(completedRecovery_, &QRadioButton::clicked, this, [this] { chooseDocumentRecovery(false); });
  connect(documentRecovery_, &QRadioButton::clicked, this, [this] { chooseDocumentRecovery(true); });
  auto* choices = new QHBoxLayout;
  choices->addWidget(completedRecovery_);
  choices->addWidget(documentRecovery_);
  choices->addStretch();
  inside->addLayout(choices);
  inside->addWidget(hint_);
  layout->addWidget(group);
}

void OpenOptionsDialog::addDataFileRow(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  dataFilePath_ = readOnlyField("dataFilePath");
  auto* browse = browseButton("browseDataFile");
  connect(browse, &QPushButton::clicked, this, &OpenOptionsDialog::browseDataFile);
  row->addWidget(new QLabel(tr("Select MDF File Path:")));
  row->addWidget(dataFilePath_, 1);
  row->addWidget(browse);
  layout->addLayout(row);
}

void OpenOptionsDialog::addModeAndDeletedRows(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  mode_ = named(new QComboBox, "mode");
  mode_->addItems({tr("Standard Mode"), tr("Advanced Mode")});
  mode_->setCurrentIndex(0);
  row->addWidget(new QLabel(tr("Select Recovery Mode:")));
  row->addWidget(mode_);
  row->addStretch();
  layout->addLayout(row);
  auto* ticks = new QHBoxLayout;
  isSql2000_ = named(new QCheckBox(tr("Is SQL 2000")), "isSql2000");
  showDeleted_ = named(new QCheckBox(tr("Show deleted records")), "showDeleted");
  showAdvancedDeleted_ = named(new QCheckBox(tr("Show Advanced Deleted records")), "showAdvancedDeleted");
  for (QCheckBox* tick : {isSql2000_, showDeleted_, showAdvancedDeleted_}) ticks->addWidget(tick);
  ticks->addStretch();
  layout->addLayout(ticks);
}

void OpenOptionsDialog::addCollationGroup(QVBoxLayout* layout, const CollationMap& collations) {
  auto* group = new QGroupBox(tr("Collation Option:"));
  auto* inside = new QHBoxLayout(group);
  autoDetect_ = named(new QRadioButton(tr("Auto detect")), "autoDetect");
  manual_ = named(new QRadioButton(tr("Manual")), "manual");
  collations_ = named(new QComboBox, "collations");
  fillCollationList(collations_, collations);
  collations_->setCurrentIndex(collations_->count() > 0 ? 0 : -1);
  collations_->setEnabled(false);
  autoDetect_->setChecked(true);
  connect(autoDetect_, &QRadioButton::clicked, this, [this] { chooseManualCollation(false); });
  connect(manual_, &QRadioButton::clicked, this, [this] { chooseManualCollation(true); });
  connect(collations_, &QComboBox::currentIndexChanged, this, &OpenOptionsDialog::collationPicked);
  inside->addWidget(autoDetect_);
  inside->addWidget(manual_);
  inside->addWidget(collations_, 1);
  layout->addWidget(group);
}

void OpenOptionsDialog::addLogFolderRow(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  logFolder_ = readOnlyField("logFolder");
  logFolder_->setText(desktopFolder());
  auto* browse = browseButton("browseLogFolder");
  connect(browse, &QPushButton::clicked, this, &OpenOptionsDialog::browseLogFolder);
  row->addWidget(new QLabel(tr("Select Log file path:")));
  row->addWidget(logFolder_, 1);
  row->addWidget(browse);
  layout->addLayout(row);
}

void OpenOptionsDialog::addButtons(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  auto* ok = named(new QPushButton(tr("OK")), "ok");
  auto* cancel = named(new QPushButton(tr("Cancel")), "cancel");
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &OpenOptionsDialog::confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  layout->addLayout(row);
}

// The pairs of radio buttons live in separate boxes; each handler keeps its
// own pair exclusive, as the buttons do not know of each other.
void OpenOptionsDialog::chooseDocumentRecovery(bool documents) {
  QRadioButton* chosen = documents ? documentRecovery_ : completedRecovery_;
  QRadioButton* other = documents ? completedRecovery_ : documentRecovery_;
  chosen->setChecked(true);
  other->setChecked(false);
  hint_->setText(documents ? QString::fromLatin1(kDocumentHint) : QString::fromLatin1(kCompletedHint));
}

void OpenOptionsDialog::chooseManualCollation(bool manual) {
  (manual ? manual_ : autoDetect_)->setChecked(true);
  (manual ? autoDetect_ : manual_)->setChecked(false);
  collations_->setEnabled(manual);
  options_.collationAutoDetect = !manual;
  // The list shows a collation already; it is the one a manual run uses even
  // when the user does not pick another.
  if (manual) collationPicked(collations_->currentIndex());
}

void OpenOptionsDialog::collationPicked(int index) {
  if (index < 0) return;
  options_.manualCollationId = collationIdAt(collations_, index);
}

void OpenOptionsDialog::browseDataFile() {
  const QString chosen = dataFileChooser_(this, dataFilePath_->text());
  if (chosen.isEmpty()) return;
  if (!QFileInfo(chosen).isFile()) {
    showBox(this, tr("Please select valid mdf file."));
    return;
  }
  dataFilePath_->setText(chosen);
}

void OpenOptionsDialog::browseLogFolder() {
  const QString chosen = logFolderChooser_(this, logFolder_->text()).trimmed();
  if (!chosen.isEmpty() && QFileInfo(chosen).isDir()) logFolder_->setText(chosen);
}

void OpenOptionsDialog::confirm() {
  const std::string path = dataFilePath_->text().toStdString();
  const OptionsCheck check = validateOpenOptions(path, logFolder_->text().toStdString());
  if (!check.ok) {
    showBox(this, QString::fromStdString(check.message));
    return;
  }
  options_.logFolder = check.logFolder;
  options_.dataFilePath = path;
  if (mode_->currentIndex() == 0) options_.mode = RecoveryOptions::kStandardMode;
  if (mode_->currentIndex() == 1) options_.mode = RecoveryOptions::kAdvancedMode;
  options_.isSql2000 = isSql2000_->isChecked();
  options_.showDeleted = showDeleted_->isChecked();
  options_.showAdvancedDeleted = showAdvancedDeleted_->isChecked();
  if (documentRecovery_->isChecked()) options_.recoveryOption = RecoveryOptions::kDocumentRecovery;
  if (completedRecovery_->isChecked()) options_.recoveryOption = RecoveryOptions::kCompletedDatabaseRecovery;
  accept();
}

}  // namespace pellora::ui
