// The cost of the window: runs the scan of a synthetic content database and
// lists the first 1000 records of AllDocs (a table of many columns) once
// with the engine alone, into models nobody renders, and once through the
// main window, where every change crosses to the window thread and lands in
// the trees and the list view; prints the times and their ratios.
//   window_screen [DOCUMENTS]   (default 1500 documents)
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QTreeWidgetItem>

#include "app/browser.h"
#include "kit/temp_dir.h"
#include "ui/check_tree.h"
#include "ui/content_panel.h"
#include "ui/message_box.h"
#include "ui/window_driver.h"

using namespace pellora;

namespace {

constexpr int kRounds = 5;

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TreeNode* allDocs(RecoveryRun& run) {
  TreeNode* tables = run.objectTree().group("User Tables");
  return tables ? tables->child("AllDocs") : nullptr;
}

// The engine alone: the same click into a content model nobody renders.
struct Times {
  double scan = -1;
  double screen = -1;
};

Times plainTimes(const std::string& database, const std::string& logs, size_t& columns) {
  Times times;
  ApplicationState state;
  state.options.dataFilePath = database;
  state.options.logFolder = logs + "/";
  RecoveryRun run(state, silentNotifier());
  const auto scanStart = std::chrono::steady_clock::now();
  run.begin();
  if (run.scan() != ScanOutcome::kCompleted || allDocs(run) == nullptr) return times;
  times.scan = seconds(scanStart);
  ContentModel content;
  Browser browser(run, state, content, silentNotifier());
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    browser.clickNode(*allDocs(run));
    best = std::min(best, seconds(start));
  }
  columns = content.records.columns.size();
  if (content.records.rows.size() == 1000) times.screen = best;
  return times;
}

Times windowTimes(const std::string& database, const std::string& logs) {
  Times times;
  ui::testing::WindowDriver driver(database, logs, RecoveryOptions::kCompletedDatabaseRecovery);
  const auto scanStart = std::chrono::steady_clock::now();
  driver.openAndWait();
  times.scan = seconds(scanStart);
  QTreeWidgetItem* table = driver.item(driver.window().objectTree(), "WSS_Content/Tables/User Tables/AllDocs");
  if (table == nullptr) return times;
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    driver.clickLabel(driver.window().objectTree(), table);
    best = std::min(best, seconds(start));
  }
  if (driver.window().contentPanel().records().rowCount() == 1000) times.screen = best;
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ui::testing::BoxRecorder boxes;
  kit::TempDir dir;
  const int documents = argc > 1 ? std::max(1500, std::atoi(argv[1])) : 1500;
  const std::string database = ui::testing::writeContentDatabase(dir, documents);
  size_t columns = 0;
  const Times plain = plainTimes(database, dir.path(), columns);
  const Times window = windowTimes(database, dir.path());
  if (plain.screen <= 0 || window.screen <= 0) {
    std::fprintf(stderr, "window_screen: the first screen of AllDocs did not list 1000 records\n");
    return 1;
  }
  std::printf("scan of a content database with %d documents\n", documents);
  std::printf("  engine alone             %.4f s\n", plain.scan);
  std::printf("  through the main window  %.4f s (ratio %.2f)\n", window.scan, window.scan / plain.scan);
  std::printf("first screen of AllDocs (1000 records, %zu columns), best of %d\n", columns, kRounds);
  std::printf("  engine alone             %.4f s\n", plain.screen);
  std::printf("  through the main window  %.4f s (ratio %.2f)\n", window.screen, window.screen / plain.screen);
  return 0;
}
