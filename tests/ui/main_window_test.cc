// The main window driven as a user would: start state, runs in both recovery
// options, table and folder clicks, paging, Save, Stop, refusals while work
// runs, and closing.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

#include "kit/temp_dir.h"
#include "ui/caption_bar.h"
#include "ui/check_tree.h"
#include "ui/content_panel.h"
#include "ui/single_instance.h"
#include "ui/window_driver.h"

using namespace pellora;
using namespace pellora::ui;
using pellora::ui::testing::BoxRecorder;
using pellora::ui::testing::WindowDriver;

namespace {

constexpr int kCompleted = RecoveryOptions::kCompletedDatabaseRecovery;
constexpr int kDocuments = RecoveryOptions::kDocumentRecovery;
const QString kWait = QStringLiteral("Please wait for the running process.");

// Calls `action` on the window thread when the log pane receives `row`,
// that is while the worker that logged it waits: work is then certainly
// running, without any timing.
void whenLogged(QListWidget& pane, const QString& row, std::function<void()> action) {
  auto fired = std::make_shared<bool>(false);
  QObject::connect(pane.model(), &QAbstractItemModel::rowsInserted, &pane,
                   [&pane, row, action, fired](const QModelIndex&, int first, int) {
                     if (*fired || pane.item(first)->text() != row) return;
                     *fired = true;
                     action();
                   });
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  kit::TempDir dir_;
  std::string small_;
  std::string large_;

  std::unique_ptr<WindowDriver> driver(int option, const std::string* file = nullptr) {
    return std::make_unique<WindowDriver>(file ? *file : small_, dir_.path(), option);
  }

 private Q_SLOTS:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    small_ = testing::writeContentDatabase(dir_, 40);
    large_ = testing::writeContentDatabase(dir_, 1100);
    QVERIFY(!small_.empty() && !large_.empty());
  }

  void startStateAsksForAFile() {
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    QCOMPARE(w.windowTitle(), QString("Vantorq Pellora v17.0"));
    QCOMPARE(w.captionBar().text(), QString("Select MDF database file to continue the recovery process."));
    QCOMPARE(w.objectTree().topLevelItemCount(), 0);
    QVERIFY(w.objectTree().isVisible());
    QVERIFY(!w.documentTree().isVisible());
    QVERIFY(!w.progressBar().isVisible());
    QCOMPARE(d->logRows(), QStringList{"application starts"});
    QVERIFY(!w.action(kStopCommand).isEnabled());
    QCOMPARE(w.action(kOpenCommand).toolTip(), QString("Open Database file"));
    QCOMPARE(w.action(kSaveCommand).shortcut(), QKeySequence(QKeySequence::Save));
  }

  void completedRecoveryShowsTheObjectTree() {
    BoxRecorder boxes;
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    d->openAndWait();
    QCOMPARE(w.lastOutcome(), ScanOutcome::kCompleted);
    QCOMPARE(boxes.texts(), QStringList{"Scanning process completed."});
    QCOMPARE(w.captionBar().text(), QString("Scanning completed for selected mdf file"));
    QVERIFY(d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllDocs"));
    QVERIFY(w.objectTree().isVisible());
    QVERIFY(!w.documentTree().isVisible());
    QVERIFY(d->item(w.documentTree(), "SharePointACTUAL"));  // built, but hidden
    QVERIFY(!w.progressBar().isVisible());
    QVERIFY(!w.action(kStopCommand).isEnabled());
    const QStringList log = d->logRows();
    QVERIFY(log.contains("Scanning of file starts..."));
    QCOMPARE(log.back(), QString("Scanning completed for selected mdf file."));
    QVERIFY(QFile::exists(QString::fromStdString(d->state().log.logFilePath())));
  }

  void documentRecoveryListsAFolder() {
    BoxRecorder boxes;
    auto d = driver(kDocuments);
    MainWindow& w = d->window();
    d->openAndWait();
    QVERIFY(w.documentTree().isVisible());
    QVERIFY(!w.objectTree().isVisible());
    QVERIFY(d->item(w.documentTree(), "SharePointData"));
    QTreeWidgetItem* library = d->item(w.documentTree(), "SharePointACTUAL/Team Site/Shared Documents");
    QVERIFY(library);
    QVERIFY(library->parent()->isExpanded());
    d->clickLabel(w.documentTree(), library);
    ContentPanel& panel = w.contentPanel();
    QVERIFY(panel.recordsShown());
    QVERIFY(!panel.pageLabel().isVisible());
    QCOMPARE(panel.records().columns(), QStringList({"File Name ", "Date Created ", "Date Modified "}));
    QVERIFY(panel.records().rowCount() > 0);
    QCOMPARE(panel.recordView().columnWidth(1), 150);
    QCOMPARE(w.captionBar().text(), QString("Shared Documents"));
    QCOMPARE(d->logRows().back(), QString("Scanning process completed."));

    d->savedPath = QString::fromStdString(dir_.file("documents.csv"));
    w.save();
    QFile saved(d->savedPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    QCOMPARE(lines.front(), QByteArray("File Name,Date Created,Date Modified,Size,Folder\r"));
    QCOMPARE(lines.size() - 2, panel.records().rowCount());
  }

  void tableClickPagesAcrossAScreenBoundary() {
    BoxRecorder boxes;
    auto d = driver(kCompleted, &large_);
    MainWindow& w = d->window();
    d->openAndWait();
    QTreeWidgetItem* table = d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllDocs");
    QVERIFY(table);
    d->clickLabel(w.objectTree(), table);
    ContentPanel& panel = w.contentPanel();
    QVERIFY(panel.recordsShown());
    QCOMPARE(panel.records().rowCount(), 1000);
    QCOMPARE(panel.recordView().columnWidth(0), 200);
    QCOMPARE(panel.pageLabel().text(), QString("Page1 - [1000](1-1000) Records"));
    QVERIFY(panel.nextButton().isEnabled());
    QVERIFY(!panel.previousButton().isEnabled());
    QVERIFY(table->childCount() > 0);  // columns and keys were added

    QTest::mouseClick(&panel.nextButton(), Qt::LeftButton);
    d->waitUntilIdle();
    const int rest = panel.records().rowCount();
    QVERIFY(rest > 0 && rest < 1000);
    QCOMPARE(w.captionBar().text(), QString("1000 rows to %1").arg(1000 + rest));
    QVERIFY(panel.previousButton().isEnabled());
    QVERIFY(!panel.nextButton().isEnabled());
    QTest::mouseClick(&panel.previousButton(), Qt::LeftButton);
    d->waitUntilIdle();
    QCOMPARE(panel.records().rowCount(), 1000);
    QCOMPARE(panel.pageLabel().text(), QString("Page1 - [1000](1-1000) Records"));

    d->savedPath = QString::fromStdString(dir_.file("AllDocs.csv"));
    w.save();
    d->waitUntilIdle();
    QFile saved(d->savedPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray all = saved.readAll();
    QCOMPARE(all.count("\r\n"), 1 + 1000 + rest);  // the heading, then every record
    QVERIFY(boxes.texts().back().startsWith("The records were saved to "));
  }

  void definitionsAndKeyStatementsShowInTheStatusArea() {
    BoxRecorder boxes;
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    d->openAndWait();
    QTreeWidgetItem* view = d->item(w.objectTree(), "WSS_Content/Views/Webs");
    QVERIFY(view);
    d->clickLabel(w.objectTree(), view);
    QVERIFY(!w.contentPanel().recordsShown());
    QVERIFY(w.contentPanel().statusArea().isVisible());
    QVERIFY(w.contentPanel().statusArea().toPlainText().startsWith("CREATE VIEW [dbo].[Webs]"));
    QCOMPARE(w.captionBar().text(), QString("Webs[0]"));

    QTreeWidgetItem* table = d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllDocs");
    d->clickLabel(w.objectTree(), table);  // adds the table's key nodes
    QTreeWidgetItem* key = d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllDocs/PrimaryKey/AllDocs_PK");
    QVERIFY(key);
    d->clickLabel(w.objectTree(), key);
    QVERIFY(w.contentPanel().statusArea().isVisible());
    QCOMPARE(w.contentPanel().statusArea().toPlainText(),
             QString("ALTER TABLE AllDocs ADD PRIMARY KEY ( SiteId , DeleteTransactionId , DirName , LeafName , Level )"));
  }

  void stopDuringTheFileCheckAbortsTheRun() {
    BoxRecorder boxes;
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    whenLogged(w.logPane(), "Scanning of file starts...", [&w] {
      QVERIFY(w.action(kStopCommand).isEnabled() || w.workRunning());
      w.stop();
    });
    d->openAndWait();
    QCOMPARE(w.lastOutcome(), ScanOutcome::kAborted);
    QCOMPARE(boxes.boxes.front().text, QString("Are you sure to stop the running process?"));
    QCOMPARE(boxes.texts().back(), QString("Scanning process aborted."));
    QCOMPARE(w.objectTree().topLevelItemCount(), 0);
    QVERIFY(!w.progressBar().isVisible());
  }

  void commandsAreRefusedWhileWorkRuns() {
    BoxRecorder boxes;
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    d->openAndWait();
    QTreeWidgetItem* first = d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllLists");
    QTreeWidgetItem* second = d->item(w.objectTree(), "WSS_Content/Tables/User Tables/AllWebs");
    QVERIFY(first && second);
    d->clickLabel(w.objectTree(), first);
    boxes.clear();
    whenLogged(w.logPane(), "Please wait while AllLists folder is scanning.", [&] {
      d->clickLabel(w.objectTree(), second, false);
      w.open();
      w.save();
      w.help();
      w.about();
      w.close();
    });
    d->clickLabel(w.objectTree(), first);
    QCOMPARE(boxes.texts(), QStringList({kWait, kWait, kWait, "Please stop the running process to continue the process.",
                                         "Please stop the running process to continue the process.",
                                         "Please stop the running process to close the application."}));
    QCOMPARE(w.objectTree().currentItem(), first);
    QVERIFY(w.isVisible());
    QCOMPARE(d->urlsOpened, 0);
  }

  void closingTellsWhereTheLogIs() {
    BoxRecorder boxes;
    auto d = driver(kCompleted);
    MainWindow& w = d->window();
    d->openAndWait();
    boxes.clear();
    boxes.answerYes = false;
    w.close();
    QVERIFY(w.isVisible());
    QCOMPARE(boxes.texts(), QStringList{"Do you want to close the application?"});
    boxes.answerYes = true;
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(boxes.texts().back(),
             "Log file path : " + QString::fromStdString(d->state().log.logFilePath()));
    QCOMPARE(d->urlsOpened, 1);
  }

  void aFileGoneBeforeTheRunIsReportedAndTheWindowStaysUsable() {
    BoxRecorder boxes;
    const std::string gone = dir_.file("gone.mdf");
    auto d = driver(kCompleted, &gone);
    MainWindow& w = d->window();
    d->openAndWait();
    QCOMPARE(w.lastOutcome(), ScanOutcome::kAborted);
    QVERIFY(boxes.boxes.size() >= 2);
    QCOMPARE(boxes.boxes.front().kind, BoxKind::kError);
    QCOMPARE(boxes.texts().back(), QString("Scanning process aborted."));
    QVERIFY(!w.workRunning());
    QVERIFY(!w.progressBar().isVisible());
    boxes.clear();
    d = driver(kCompleted);  // the next run reads a good file
    d->openAndWait();
    QCOMPARE(d->window().lastOutcome(), ScanOutcome::kCompleted);
  }

  void aLogFolderThatCannotBeWrittenIsReportedOnce() {
    BoxRecorder boxes;
    const std::string notAFolder = dir_.file("log-is-a-file");
    QFile file(QString::fromStdString(notAFolder));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    WindowDriver d(small_, notAFolder, kCompleted);
    d.openAndWait();
    QCOMPARE(d.window().lastOutcome(), ScanOutcome::kCompleted);
    int errors = 0;
    for (const auto& box : boxes.boxes) errors += box.kind == BoxKind::kError ? 1 : 0;
    QCOMPARE(errors, 1);
    QCOMPARE(boxes.texts().back(), QString("Scanning process completed."));
  }

  void aSecondInstanceIsRefused() {
    BoxRecorder boxes;
    const QString folder = QString::fromStdString(dir_.path());
    SingleInstance first(folder);
    SingleInstance second(folder);
    QVERIFY(startAsOnlyInstance(first));
    QVERIFY(!startAsOnlyInstance(second));
    QCOMPARE(boxes.texts(), QStringList{"Another instance of application is already running"});
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
