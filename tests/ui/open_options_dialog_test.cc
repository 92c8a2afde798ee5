#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "dialog_test_support.h"
#include "ui/open_options_dialog.h"

using pellora::CollationMap;
using pellora::RecoveryOptions;
using pellora::ui::OpenOptionsDialog;
using pellora::ui::testing::part;

namespace {

const QString kCompletedHint = "Select this option to recover complete Sharepoint server database.";
const QString kDocumentHint =
    "Select this option to recover complete document from Sharepoint server database.";

// Ids in the map's order differ from the names' order and one id is
// negative (version bits set). Letter case is set aside ("albanian_CI_AS"
// before "Cyrillic..."), and a mark sorts before a digit ("CP1_" before
// "CP1250").
CollationMap sampleCollations() {
  return {{-2130657254, {"Latin1_General_100_BIN", 1252}},
          {1375784968, {"SQL_Latin1_General_CP1250_CI_AS", 1250}},
          {3, {"SQL_Latin1_General_CP1_CI_AS", 1252}},
          {52, {"albanian_CI_AS", 1250}},
          {1000, {"Cyrillic_General_CI_AS", 1251}},
          {7, {"Albanian_BIN", 1250}}};
}

}  // namespace

class OpenOptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir home_;
  CollationMap collations_ = sampleCollations();

  QString inHome(const QString& name) const { return home_.filePath(name); }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(home_.isValid());
    // The default log folder is the desktop; keep it inside the test's folder.
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", inHome(".config").toUtf8());
  }

  void opensInItsInitialStateWhateverTheOptionsHold() {
    RecoveryOptions options;
    options.recoveryOption = RecoveryOptions::kDocumentRecovery;
    options.mode = RecoveryOptions::kAdvancedMode;
    options.showDeleted = true;
    options.collationAutoDetect = false;
    options.manualCollationId = 52;
    options.dataFilePath = "/old/run.mdf";
    OpenOptionsDialog dialog(options, collations_);

    QCOMPARE(dialog.windowTitle(), QString("Select Corrupted MDF file"));
    QVERIFY(part<QRadioButton>(dialog, "completedRecovery")->isChecked());
    QVERIFY(!part<QRadioButton>(dialog, "documentRecovery")->isChecked());
    QCOMPARE(part<QLineEdit>(dialog, "hint")->text(), kCompletedHint);
    QCOMPARE(part<QLineEdit>(dialog, "dataFilePath")->text(), QString());
    auto* mode = part<QComboBox>(dialog, "mode");
    QCOMPARE(mode->count(), 2);
    QCOMPARE(mode->itemText(0), QString("Standard Mode"));
    QCOMPARE(mode->itemText(1), QString("Advanced Mode"));
    QCOMPARE(mode->currentIndex(), 0);
    for (const char* tick : {"isSql2000", "showDeleted", "showAdvancedDeleted"}) {
      QVERIFY2(!part<QCheckBox>(dialog, tick)->isChecked(), tick);
    }
    QVERIFY(part<QRadioButton>(dialog, "autoDetect")->isChecked());
    QVERIFY(!part<QRadioButton>(dialog, "manual")->isChecked());
    QVERIFY(!part<QComboBox>(dialog, "collations")->isEnabled());
    QCOMPARE(part<QComboBox>(dialog, "collations")->currentIndex(), 0);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QVERIFY(desktop.startsWith(home_.path()));
    QCOMPARE(part<QLineEdit>(dialog, "logFolder")->text(), desktop);
    QVERIFY(QFileInfo(desktop).isDir());
    for (const char* field : {"hint", "dataFilePath", "logFolder"}) {
      QVERIFY2(part<QLineEdit>(dialog, field)->isReadOnly(), field);
    }
    // Opening turns auto-detection back on and changes nothing else.
    QVERIFY(options.collationAutoDetect);
    QCOMPARE(options.manualCollationId, int64_t{52});
    QCOMPARE(options.dataFilePath, std::string("/old/run.mdf"));
  }

  void recoveryOptionPairIsExclusiveAndSwitchesTheHint() {
    RecoveryOptions options;
    OpenOptionsDialog dialog(options, collations_);
    auto* completed = part<QRadioButton>(dialog, "completedRecovery");
    auto* documents = part<QRadioButton>(dialog, "documentRecovery");
    struct Step {
      QRadioButton* click;
      bool documentsChecked;
      QString hint;
    };
    for (const Step& step : {Step{documents, true, kDocumentHint}, Step{documents, true, kDocumentHint},
                             Step{completed, false, kCompletedHint}}) {
      step.click->click();
      QCOMPARE(documents->isChecked(), step.documentsChecked);
      QCOMPARE(completed->isChecked(), !step.documentsChecked);
      QCOMPARE(part<QLineEdit>(dialog, "hint")->text(), step.hint);
    }
  }

  void collationListIsSortedByNameAndCarriesIds() {
    RecoveryOptions options;
    OpenOptionsDialog dialog(options, collations_);
    auto* list = part<QComboBox>(dialog, "collations");
    const QStringList names = {"Albanian_BIN",
                               "albanian_CI_AS",
                               "Cyrillic_General_CI_AS",
                               "Latin1_General_100_BIN",
                               "SQL_Latin1_General_CP1_CI_AS",
                               "SQL_Latin1_General_CP1250_CI_AS"};
    const QList<qlonglong> ids = {7, 52, 1000, -2130657254, 3, 1375784968};
    QCOMPARE(list->count(), names.size());
    for (int i = 0; i < list->count(); ++i) {
      QCOMPARE(list->itemText(i), names[i]);
      QCOMPARE(list->itemData(i).toLongLong(), ids[i]);
    }
  }

  void collationControlsTakeEffectAtOnceAndSurviveCancel() {
    RecoveryOptions options;
    options.dataFilePath = "/kept.mdf";
    {
      OpenOptionsDialog dialog(options, collations_);
      auto* list = part<QComboBox>(dialog, "collations");
      part<QRadioButton>(dialog, "manual")->click();
      QVERIFY(list->isEnabled());
      QVERIFY(!part<QRadioButton>(dialog, "autoDetect")->isChecked());
      QVERIFY(!options.collationAutoDetect);
      QCOMPARE(options.manualCollationId, int64_t{7});  // the item the list shows
      list->setCurrentIndex(3);
      QCOMPARE(options.manualCollationId, int64_t{-2130657254});
      part<QRadioButton>(dialog, "autoDetect")->click();
      QVERIFY(!list->isEnabled());
      QVERIFY(!part<QRadioButton>(dialog, "manual")->isChecked());
      QVERIFY(options.collationAutoDetect);
      part<QRadioButton>(dialog, "manual")->click();
      part<QRadioButton>(dialog, "documentRecovery")->click();
      part<QCheckBox>(dialog, "showDeleted")->setChecked(true);
      part<QPushButton>(dialog, "cancel")->click();
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!options.collationAutoDetect);
    QCOMPARE(options.manualCollationId, int64_t{-2130657254});
    QCOMPARE(options.dataFilePath, std::string("/kept.mdf"));
    QCOMPARE(options.recoveryOption, RecoveryOptions::kCompletedDatabaseRecovery);
    QVERIFY(!options.showDeleted);
    // The next opening leaves no trace of the manual choice.
    OpenOptionsDialog next(options, collations_);
    QVERIFY(options.collationAutoDetect);
    QVERIFY(part<QRadioButton>(next, "autoDetect")->isChecked());
  }
};

QTEST_MAIN(OpenOptionsDialogTest)
#include "open_options_dialog_test.moc"
