// Drives a main window in tests: a content database written by the test
// kit, an application state with its log in a scratch folder, recorded
// message boxes answered by the test, and label clicks as a mouse makes them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "app/application_state.h"
#include "kit/temp_dir.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

class QTreeWidgetItem;

namespace pellora::ui::testing {

struct SeenBox {
  QString text;
  BoxKind kind;
};

// Records every box; questions are answered with `answerYes`.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  std::vector<SeenBox> boxes;
  bool answerYes = true;
  QStringList texts() const;
  void clear() { boxes.clear(); }
};

// Writes a synthetic content database with `documents` documents.
std::string writeContentDatabase(const kit::TempDir& dir, int documents);

class WindowDriver {
 public:
  WindowDriver(const std::string& dataFile, const std::string& logFolder, int recoveryOption);
  ~WindowDriver();

  MainWindow& window() { return *window_; }
  ApplicationState& state() { return state_; }
  // Open with the options answered, then wait for the scan to end.
  void openAndWait();
  void waitUntilIdle();
  // The first item of `tree` whose text path (texts joined by "/") is `path`.
  QTreeWidgetItem* item(CheckTree& tree, const QString& path);
  // A left click on the item's label; waits for the work it starts.
  void clickLabel(CheckTree& tree, QTreeWidgetItem* item, bool wait = true);
  QStringList logRows() const;

  QString savedPath;
  int urlsOpened = 0;

 private:
  ApplicationState state_;
  std::string dataFile_;
  std::string logFolder_;
  int recoveryOption_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace pellora::ui::testing
