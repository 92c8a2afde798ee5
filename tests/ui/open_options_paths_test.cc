// The open dialog's paths: what OK accepts and stores, and what the two
// browse buttons take from their browsers.
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
using pellora::ui::testing::BoxRecorder;
using pellora::ui::testing::part;
using pellora::ui::testing::touch;

namespace {

const QString kBadDataFile = "Please select valid SQL file path to continue the recovery process.";
const QString kBadLogFolder = "Please select valid Log file path to continue the recovery process.";

}  // namespace

class OpenOptionsPathsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir home_;
  const CollationMap collations_ = {{52, {"Latin1_General_CI_AS", 1252}}};

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(home_.isValid());
    // Each dialog makes its default log folder, the desktop, when missing.
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home_.filePath(".config").toUtf8());
  }

  void okChecksBothPaths_data() {
    QTest::addColumn<QString>("dataFile");
    QTest::addColumn<bool>("createDataFile");
    QTest::addColumn<QString>("logFolder");
    QTest::addColumn<QString>("message");
    QTest::newRow("no .MDF in the path") << "data.bak" << true << "logs" << kBadDataFile;
    QTest::newRow("missing data file") << "gone.mdf" << false << "logs" << kBadDataFile;
    QTest::newRow("empty data path") << "" << false << "logs" << kBadDataFile;
    QTest::newRow("data path is a folder") << "folder.mdf" << false << "logs" << kBadDataFile;
    QTest::newRow("missing log folder") << "db.mdf" << true << "nowhere" << kBadLogFolder;
    QTest::newRow("empty log folder") << "db.mdf" << true << "" << kBadLogFolder;
    QTest::newRow(".MDF anywhere in the path") << "wss_content.MDF.old" << true << "logs" << QString();
    QTest::newRow("lower-case extension") << "db.mdf" << true << "logs" << QString();
  }

  void okChecksBothPaths() {
    BoxRecorder boxes;
    QFETCH(QString, dataFile);
    QFETCH(bool, createDataFile);
    QFETCH(QString, logFolder);
    QFETCH(QString, message);
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("logs"));
    QVERIFY(QDir(work.path()).mkdir("folder.mdf"));
    const QString path = dataFile.isEmpty() ? QString() : work.filePath(dataFile);
    if (createDataFile) touch(path);
    RecoveryOptions options;
    OpenOptionsDialog dialog(options, collations_);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.setDataFilePath(path);
    dialog.setLogFolder(logFolder.isEmpty() ? QString() : work.filePath(logFolder));
    part<QPushButton>(dialog, "ok")->click();
    QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(accepted.count(), message.isEmpty() ? 1 : 0);
    QCOMPARE(options.dataFilePath, message.isEmpty() ? path.toStdString() : std::string());
  }

  void okStoresEveryChoice_data() {
    QTest::addColumn<bool>("everything");
    QTest::addColumn<QString>("folderEnd");
    QTest::newRow("all chosen, folder without separator") << true << "";
    QTest::newRow("nothing chosen, folder with separator") << false << "/";
  }

  void okStoresEveryChoice() {
    BoxRecorder boxes;
    QFETCH(bool, everything);
    QFETCH(QString, folderEnd);
    QTemporaryDir work;
    const QString path = work.filePath("Content_DB.Mdf");
    touch(path);
    RecoveryOptions options;
    // Start from the opposite of each choice, so a choice not written shows.
    options.recoveryOption = everything ? 1 : 2;
    options.mode = everything ? 1 : 2;
    options.isSql2000 = options.showDeleted = options.showAdvancedDeleted = !everything;
    OpenOptionsDialog dialog(options, collations_);
    dialog.setDataFilePath(path);
    dialog.setLogFolder(work.path() + folderEnd);
    if (everything) {
      part<QRadioButton>(dialog, "documentRecovery")->click();
      part<QComboBox>(dialog, "mode")->setCurrentIndex(1);
      for (const char* tick : {"isSql2000", "showDeleted", "showAdvancedDeleted"}) {
        part<QCheckBox>(dialog, tick)->setChecked(true);
      }
    }
    part<QPushButton>(dialog, "ok")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(options.dataFilePath, path.toStdString());
    QCOMPARE(options.logFolder, (work.path() + "/").toStdString());
    QCOMPARE(options.recoveryOption,
             everything ? RecoveryOptions::kDocumentRecovery : RecoveryOptions::kCompletedDatabaseRecovery);
    QCOMPARE(options.mode, everything ? RecoveryOptions::kAdvancedMode : RecoveryOptions::kStandardMode);
    QCOMPARE(options.isSql2000, everything);
    QCOMPARE(options.showDeleted, everything);
    QCOMPARE(options.showAdvancedDeleted, everything);
  }

  void browseDataFileTakesOnlyExistingFiles_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QStringList>("expectedBoxes");
    QTest::newRow("cancelled") << "" << false << QStringList();
    QTest::newRow("gone meanwhile") << "gone.mdf" << false << QStringList{"Please select valid mdf file."};
    QTest::newRow("existing file") << "db.mdf" << true << QStringList();
  }

  void browseDataFileTakesOnlyExistingFiles() {
    BoxRecorder boxes;
    QFETCH(QString, chosen);
    QFETCH(bool, shown);
    QFETCH(QStringList, expectedBoxes);
    QTemporaryDir work;
    touch(work.filePath("db.mdf"));
    const QString answer = chosen.isEmpty() ? QString() : work.filePath(chosen);
    RecoveryOptions options;
    OpenOptionsDialog dialog(options, collations_);
    dialog.setDataFilePath("/before.mdf");
    QString startedAt;
    dialog.setDataFileChooser([&](QWidget*, const QString& current) {
      startedAt = current;
      return answer;
    });
    part<QPushButton>(dialog, "browseDataFile")->click();
    QCOMPARE(startedAt, QString("/before.mdf"));
    QCOMPARE(boxes.texts(), expectedBoxes);
    QCOMPARE(part<QLineEdit>(dialog, "dataFilePath")->text(), shown ? answer : QString("/before.mdf"));
  }

  void browseLogFolderTakesOnlyExistingFolders_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cancelled") << ""
                               << "";
    QTest::newRow("blanks around a folder") << "  <work>/logs \t"
                                            << "<work>/logs";
    QTest::newRow("missing folder") << "<work>/nowhere"
                                    << "";
    QTest::newRow("a file is not a folder") << "<work>/db.mdf"
                                            << "";
  }

  void browseLogFolderTakesOnlyExistingFolders() {
    BoxRecorder boxes;
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("logs"));
    touch(work.filePath("db.mdf"));
    RecoveryOptions options;
    OpenOptionsDialog dialog(options, collations_);
    dialog.setLogFolder("/before");
    dialog.setLogFolderChooser(
        [&](QWidget*, const QString&) { return QString(chosen).replace("<work>", work.path()); });
    part<QPushButton>(dialog, "browseLogFolder")->click();
    QCOMPARE(part<QLineEdit>(dialog, "logFolder")->text(),
             shown.isEmpty() ? QString("/before") : QString(shown).replace("<work>", work.path()));
    QCOMPARE(boxes.texts(), QStringList());
  }
};

QTEST_MAIN(OpenOptionsPathsTest)
#include "open_options_paths_test.moc"
