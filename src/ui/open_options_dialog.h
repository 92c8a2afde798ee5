// The dialog "Select Corrupted MDF file" that the Open command shows: the
// recovery option, the data file, the mode, the deleted-record choices, the
// collation and the log folder. OK checks the two paths and stores the
// choices into the options; the collation controls change the options at
// once, so their choice stands even when the dialog is cancelled.
#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "app/recovery_options.h"
#include "storage/collation_map.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace pellora::ui {

class OpenOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // Asks the user for a path, starting at `current`; empty when cancelled.
  using PathChooser = std::function<QString(QWidget* parent, const QString& current)>;

  // Every dialog starts from the same initial state, whatever `options` holds;
  // it sets collation auto-detection on again.
  OpenOptionsDialog(RecoveryOptions& options, const CollationMap& collations, QWidget* parent = nullptr);

  // The two path fields are read-only for the user; these fill them as the
  // browse buttons do, without their checks.
  void setDataFilePath(const QString& path);
  void setLogFolder(const QString& folder);

  // Replace the file and folder browsers (the platform's dialogs by default).
  void setDataFileChooser(PathChooser chooser) { dataFileChooser_ = std::move(chooser); }
  void setLogFolderChooser(PathChooser chooser) { logFolderChooser_ = std::move(chooser); }

 private:
  void addRecoveryOptionGroup(QVBoxLayout* layout);
  void addDataFileRow(QVBoxLayout* layout);
  void addModeAndDeletedRows(QVBoxLayout* layout);
  void addCollationGroup(QVBoxLayout* layout, const CollationMap& collations);
  void addLogFolderRow(QVBoxLayout* layout);
  void addButtons(QVBoxLayout* layout);

  void chooseDocumentRecovery(bool documents);
  void chooseManualCollation(bool manual);
  void collationPicked(int index);
  void browseDataFile();
  void browseLogFolder();
  void confirm();

  RecoveryOptions& options_;
  QRadioButton* completedRecovery_ = nullptr;
  QRadioButton* documentRecovery_ = nullptr;
  QLineEdit* hint_ = nullptr;
  QLineEdit* dataFilePath_ = nullptr;
  QComboBox* mode_ = nullptr;
  QCheckBox* isSql2000_ = nullptr;
  QCheckBox* showDeleted_ = nullptr;
  QCheckBox* showAdvancedDeleted_ = nullptr;
  QRadioButton* autoDetect_ = nullptr;
  QRadioButton* manual_ = nullptr;
  QComboBox* collations_ = nullptr;
  QLineEdit* logFolder_ = nullptr;
  PathChooser dataFileChooser_;
  PathChooser logFolderChooser_;
};

}  // namespace pellora::ui
