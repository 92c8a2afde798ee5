// The main window's browsing: clicks on tree labels, Previous and Next, and
// Save, each worked on by the worker thread.
#include <fstream>
#include <memory>

#include <QDir>
#include <QProgressBar>
#include <QTreeWidgetItem>

#include "app/table_export.h"
#include "sharepoint/document_listing.h"
#include "sharepoint/document_tree.h"
#include "ui/caption_bar.h"
#include "ui/check_tree.h"
#include "ui/content_panel.h"
#include "ui/gui_notifier.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/tree_mirror.h"
#include "ui/worker.h"

namespace pellora::ui {

namespace {

const QString kWaitMessage = QString::fromUtf8(kBusyMessage);

bool isTableNode(const TreeNode* node) {
  return node != nullptr && node->parent != nullptr &&
         (node->parent->text == "User Tables" || node->parent->text == "System Tables");
}

}  // namespace

void MainWindow::treeLabelClicked(QTreeWidgetItem* item) {
  const bool documents = documentRecovery();
  CheckTree& tree = documents ? *documentTree_ : *objectTree_;
  TreeMirror& mirror = documents ? *documentMirror_ : *objectMirror_;
  TreeNode* node = mirror.nodeOf(item);
  if (node == nullptr || item->treeWidget() != &tree) return;
  if (workRunning()) {
    refuseClick(tree);
    return;
  }
  (documents ? selectedFolder_ : selectedObject_) = node;
  progress_->setValue(0);
  progress_->show();
  state_.flags.stopRequest.store(false);
  startWork(
      [this, node, documents] {
        if (documents) {
          browser_->clickDocumentNode(*node);
        } else {
          browser_->clickNode(*node);
        }
      },
      [this] { progress_->hide(); });
}

// The click is refused: the selection goes back to the node of the last
// accepted click, so the tree never shows a node whose work did not start.
void MainWindow::refuseClick(CheckTree& tree) {
  TreeMirror& mirror = &tree == documentTree_ ? *documentMirror_ : *objectMirror_;
  TreeNode* previous = &tree == documentTree_ ? selectedFolder_ : selectedObject_;
  tree.setCurrentItem(mirror.itemOf(previous));
  showBox(this, kWaitMessage);
}

void MainWindow::previousPage() {
  if (workRunning()) {
    showBox(this, kWaitMessage);
    return;
  }
  startWork([this] { browser_->previousScreen(); }, {});
}

void MainWindow::nextPage() {
  if (workRunning()) {
    showBox(this, kWaitMessage);
    return;
  }
  startWork([this] { browser_->nextScreen(); }, {});
}

void MainWindow::save() {
  if (workRunning()) {
    showBox(this, kWaitMessage);
    return;
  }
  if (documentRecovery()) {
    saveDocumentList();
  } else {
    saveTable();
  }
}

// Every record of the table on screen, not only the shown screen, as CSV.
void MainWindow::saveTable() {
  TableReader* shownReader = run_->tableReader();
  if (!isTableNode(selectedObject_) || shownReader == nullptr || !panel_->recordsShown()) {
    showBox(this, QStringLiteral("Select a table to save its records."));
    return;
  }
  const std::string table = selectedObject_->text;
  const std::string typeCode = selectedObject_->parent->text == "System Tables" ? "S " : "U ";
  const QString path = prompts_.savePath(QDir::home().filePath(QString::fromStdString(table) + ".csv"));
  if (path.isEmpty()) return;
  auto result = std::make_shared<bool>(false);
  bool idle = false;
  if (!state_.flags.processRunning.compare_exchange_strong(idle, true)) {
    showBox(this, kWaitMessage);
    return;
  }
  state_.flags.stopRequest.store(false);
  progress_->setValue(0);
  progress_->show();
  state_.log.append("Saving records of " + table + " to " + path.toStdString());
  startWork(
      [this, table, typeCode, path, result] {
        RunStorage& storage = run_->storage();
        TableReader reader(*storage.catalog, *storage.file);
        reader.readTable(table, typeCode, run_->definitions());
        std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
        TableExport how;
        how.advancedMode = storage.advancedMode;
        how.legacyCatalog = storage.catalog->legacyLayout();
        *result = out && exportPreparedTable(reader, run_->rowDecoding(false), how, *notifier_,
                                             [&out](const std::string& line) {
                                               out.write(line.data(), static_cast<std::streamsize>(line.size()));
                                               return static_cast<bool>(out);
                                             });
        out.close();
        *result = *result && !out.fail();
        state_.flags.processRunning.store(false);
      },
      [this, path, result] {
        const bool written = *result;
        progress_->hide();
        const bool stopped = state_.flags.stopRequest.exchange(false);
        const QString outcome = !written ? QStringLiteral("The records could not be written to ")
                                : stopped ? QStringLiteral("Saving was stopped; the records read so far are in ")
                                          : QStringLiteral("The records were saved to ");
        state_.log.append((outcome + path).toStdString());
        showBox(this, outcome + path, written ? BoxKind::kInformation : BoxKind::kError);
      });
}

// The rows of the document listing on screen, with each document's size and
// folder, which the listing itself does not show.
void MainWindow::saveDocumentList() {
  if (selectedFolder_ == nullptr || selectedFolder_->tagKind != kFolderTag) {
    showBox(this, QStringLiteral("Select a list or folder to save its documents."));
    return;
  }
  const QString path = prompts_.savePath(QDir::home().filePath(QString::fromStdString(selectedFolder_->text) + ".csv"));
  if (path.isEmpty()) return;
  std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
  out << delimitedLine({"File Name", "Date Created", "Date Modified", "Size", "Folder"}, TextFormat::kCsv);
  const auto& documents = run_->content().documents;
  for (const DocumentEntry* document : listedDocuments(*selectedFolder_, documents)) {
    out << delimitedLine({document->leafName, document->timeCreated, document->timeLastModified,
                          std::to_string(document->size), document->dirName},
                         TextFormat::kCsv);
  }
  out.close();
  const bool written = !out.fail();
  const QString outcome = written ? QStringLiteral("The document list was saved to ")
                                  : QStringLiteral("The document list could not be written to ");
  state_.log.append((outcome + path).toStdString());
  showBox(this, outcome + path, written ? BoxKind::kInformation : BoxKind::kError);
}

}  // namespace pellora::ui
