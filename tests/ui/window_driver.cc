#include "ui/window_driver.h"

#include <QListWidget>
#include <QTest>
#include <QTreeWidgetItem>

#include "kit/content_db_file.h"
#include "kit/content_db_model.h"
#include "ui/check_tree.h"
#include "ui/worker.h"

namespace pellora::ui::testing {

BoxRecorder::BoxRecorder() {
  setBoxAnswerer([this](const QString& text, BoxKind kind) {
    boxes.push_back({text, kind});
    return answerYes;
  });
}

BoxRecorder::~BoxRecorder() { setBoxAnswerer({}); }

QStringList BoxRecorder::texts() const {
  QStringList list;
  for (const SeenBox& box : boxes) list << box.text;
  return list;
}

std::string writeContentDatabase(const kit::TempDir& dir, int documents) {
  kit::ContentOptions content;
  content.documents = documents;
  const std::string path = dir.file("WSS_Content_" + std::to_string(documents) + ".mdf");
  if (!kit::contentDatabaseFile(kit::buildContentModel(content), {}).writeTo(path)) return {};
  return path;
}

WindowDriver::WindowDriver(const std::string& dataFile, const std::string& logFolder, int recoveryOption)
    : dataFile_(dataFile), logFolder_(logFolder), recoveryOption_(recoveryOption) {
  WindowPrompts prompts;
  prompts.openOptions = [this](RecoveryOptions& options) {
    options.dataFilePath = dataFile_;
    options.logFolder = logFolder_ + "/";
    options.recoveryOption = recoveryOption_;
    options.mode = RecoveryOptions::kStandardMode;
    return true;
  };
  prompts.savePath = [this](const QString&) { return savedPath; };
  prompts.openUrl = [this](const QUrl&) { ++urlsOpened; };
  window_ = std::make_unique<MainWindow>(state_, prompts);
  window_->resize(1200, 800);
  window_->show();
}

WindowDriver::~WindowDriver() {
  waitUntilIdle();
  window_.reset();
}

void WindowDriver::openAndWait() {
  window_->open();
  waitUntilIdle();
}

void WindowDriver::waitUntilIdle() { window_->worker().waitUntilIdle(); }

QTreeWidgetItem* WindowDriver::item(CheckTree& tree, const QString& path) {
  const QStringList parts = path.split(QLatin1Char('/'));
  QTreeWidgetItem* found = nullptr;
  for (int i = 0; i < tree.topLevelItemCount() && !found; ++i) {
    if (tree.topLevelItem(i)->text(0) == parts[0]) found = tree.topLevelItem(i);
  }
  for (qsizetype part = 1; part < parts.size() && found; ++part) {
    QTreeWidgetItem* parent = found;
    found = nullptr;
    for (int i = 0; i < parent->childCount() && !found; ++i) {
      if (parent->child(i)->text(0) == parts[part]) found = parent->child(i);
    }
  }
  return found;
}

void WindowDriver::clickLabel(CheckTree& tree, QTreeWidgetItem* item, bool wait) {
  for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
  tree.scrollToItem(item);
  const QRect rect = tree.visualItemRect(item);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
  if (wait) waitUntilIdle();
}

QStringList WindowDriver::logRows() const {
  QStringList rows;
  const QListWidget& pane = window_->logPane();
  for (int i = 0; i < pane.count(); ++i) rows << pane.item(i)->text();
  return rows;
}

}  // namespace pellora::ui::testing
