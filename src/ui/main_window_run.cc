// The main window's run commands: Open with the scan on the worker, Stop,
// Help, About and closing the window.
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

#include "ui/about_box.h"
#include "ui/caption_bar.h"
#include "ui/check_tree.h"
#include "ui/content_mirror.h"
#include "ui/content_panel.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/product_links.h"
#include "ui/tree_mirror.h"
#include "ui/worker.h"

namespace pellora::ui {

namespace {

const QString kWaitMessage = QString::fromUtf8(kBusyMessage);
const QString kStopFirstMessage = QStringLiteral("Please stop the running process to continue the process.");

}  // namespace

void MainWindow::open() {
  if (workRunning()) {
    showBox(this, kWaitMessage);
    return;
  }
  if (!prompts_.openOptions(state_.options)) return;
  startRun();
}

void MainWindow::startRun() {
  selectedObject_ = nullptr;
  selectedFolder_ = nullptr;
  content_.records.clearRows();
  content_.records.setLabels("", "");
  content_.records.setButtons(false, false);
  content_.setStatusText("");
  panel_->pageLabel().clear();
  caption_->setText(QString::fromStdString(state_.options.dataFilePath));
  progress_->setValue(0);
  progress_->show();
  state_.flags.stopRequest.store(false);
  // Starts the log file, logs the chosen file and empties both trees.
  run_->begin();
  layOutForRun();
  browser_->forgetListing();
  startWork([this] { lastOutcome_ = run_->scan(); }, [this] { finishRun(lastOutcome_); });
}

// Completed Database Recovery shows the object tree and the status text
// area; Document Recovery the document tree and the document listing.
void MainWindow::layOutForRun() {
  const bool documents = documentRecovery();
  objectTree_->setVisible(!documents);
  documentTree_->setVisible(documents);
  panel_->setPaging(!documents);
  panel_->showRecords(documents);
  if (documents) {
    showMaximized();
  } else if (isMaximized()) {
    showNormal();
  }
}

void MainWindow::finishRun(ScanOutcome outcome) {
  progress_->hide();
  documentTree_->expandToDepth(1);
  if (objectTree_->topLevelItemCount() > 0) objectTree_->topLevelItem(0)->setExpanded(true);
  switch (outcome) {
    case ScanOutcome::kCompleted:
      caption_->setText(QStringLiteral("Scanning completed for selected mdf file"));
      showBox(this, QStringLiteral("Scanning process completed."));
      break;
    case ScanOutcome::kAborted:
      showBox(this, QStringLiteral("Scanning process aborted."));
      break;
    case ScanOutcome::kEmptyCatalog:
      break;
    case ScanOutcome::kNoObjectTree:
      showBox(this, QStringLiteral("Whether it is not valid mdf file or highly corrupted, select another file to recover."));
      break;
  }
  updateCommandStates();
}

void MainWindow::startWork(const std::function<void()>& job, const std::function<void()>& finished) {
  worker_->start(job, [this, finished] {
    // The worker has ended: what it left in the models' batches shows now.
    contentMirror_->flushRows();
    objectMirror_->flushNodes();
    documentMirror_->flushNodes();
    if (finished) finished();
    updateCommandStates();
  });
  updateCommandStates();
}

void MainWindow::stop() {
  if (!state_.flags.processRunning.load()) return;
  if (!showBox(this, QStringLiteral("Are you sure to stop the running process?"), BoxKind::kYesNo)) return;
  state_.flags.processRunning.store(false);
  state_.flags.stopRequest.store(true);
  updateCommandStates();
}

void MainWindow::help() {
  if (workRunning()) {
    showBox(this, kStopFirstMessage);
    return;
  }
  prompts_.openUrl(QUrl(kHelpPage));
}

void MainWindow::about() {
  if (workRunning()) {
    showBox(this, kStopFirstMessage);
    return;
  }
  AboutBox box(this);
  box.exec();
}

// A normal close ends the program with success; the file stays untouched
// and the log file's place is told, so the user finds the record of the run.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (workRunning()) {
    showBox(this, QStringLiteral("Please stop the running process to close the application."));
    event->ignore();
    return;
  }
  if (!showBox(this, QStringLiteral("Do you want to close the application?"), BoxKind::kYesNoQuestion)) {
    event->ignore();
    return;
  }
  run_->storage().release();
  state_.log.close();
  const std::string& logFile = state_.log.logFilePath();
  if (!logFile.empty() && QFileInfo::exists(QString::fromStdString(logFile))) {
    showBox(this, QStringLiteral("Log file path : ") + QString::fromStdString(logFile));
  }
  prompts_.openUrl(QUrl(kProductPage));
  event->accept();
}

}  // namespace pellora::ui
