// The main window: the command bar, the caption bar, the objects pane with
// the two trees, the log pane, the content panel and the status bar with its
// progress bar. It starts the engine's work on the worker thread and shows
// what the engine's models say.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QUrl>

#include "app/application_state.h"
#include "app/browser.h"
#include "app/content_model.h"
#include "app/recovery_run.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QListWidget;
class QProgressBar;
class QTreeWidgetItem;

namespace pellora::ui {

class CaptionBar;
class CheckTree;
class ContentMirror;
class ContentPanel;
class GuiNotifier;
class TreeMirror;
class Worker;

// What the window asks of the user besides message boxes; tests answer these
// in place of a person.
struct WindowPrompts {
  // Shows the open-options dialog; true on OK with `options` updated.
  std::function<bool(RecoveryOptions& options)> openOptions;
  // Asks where to save; empty for Cancel.
  std::function<QString(const QString& suggestedName)> savePath;
  std::function<void(const QUrl& url)> openUrl;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(ApplicationState& state, WindowPrompts prompts = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The commands of the command bar.
  void open();
  void stop();
  void save();
  void help();
  void about();
  void setLook(int lookId);

  // A label click in either tree and the paging buttons.
  void treeLabelClicked(QTreeWidgetItem* item);
  void previousPage();
  void nextPage();

  // For drivers and tests.
  QAction& action(int commandId);
  CheckTree& objectTree() { return *objectTree_; }
  CheckTree& documentTree() { return *documentTree_; }
  TreeMirror& objectMirror() { return *objectMirror_; }
  TreeMirror& documentMirror() { return *documentMirror_; }
  ContentPanel& contentPanel() { return *panel_; }
  CaptionBar& captionBar() { return *caption_; }
  QListWidget& logPane() { return *logPane_; }
  QProgressBar& progressBar() { return *progress_; }
  Worker& worker() { return *worker_; }
  RecoveryRun& run() { return *run_; }
  ScanOutcome lastOutcome() const { return lastOutcome_; }
  // Work runs: the process-running flag, or a worker still finishing after
  // a stop cleared that flag.
  bool workRunning() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildCommands();
  void buildPanes();
  void buildStatusBar();
  void connectEngine();
  void updateCommandStates();
  void layOutForRun();
  void startRun();
  void finishRun(ScanOutcome outcome);
  void startWork(const std::function<void()>& job, const std::function<void()>& finished);
  void finishWork();
  void refuseClick(CheckTree& tree);
  void saveTable();
  void saveDocumentList();
  bool documentRecovery() const;
  QIcon objectIcon(const TreeNode& node) const;

  ApplicationState& state_;
  WindowPrompts prompts_;
  ContentModel content_;
  CaptionBar* caption_ = nullptr;
  CheckTree* objectTree_ = nullptr;
  CheckTree* documentTree_ = nullptr;
  QListWidget* logPane_ = nullptr;
  ContentPanel* panel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QDockWidget* objectsDock_ = nullptr;
  QDockWidget* outputDock_ = nullptr;
  QActionGroup* looks_ = nullptr;
  std::map<int, QAction*> actions_;
  std::unique_ptr<GuiNotifier> notifier_;
  std::unique_ptr<RecoveryRun> run_;
  std::unique_ptr<Browser> browser_;
  std::unique_ptr<TreeMirror> objectMirror_;
  std::unique_ptr<TreeMirror> documentMirror_;
  std::unique_ptr<ContentMirror> contentMirror_;
  Worker* worker_ = nullptr;
  // The nodes of the last accepted clicks, to put a refused click's
  // selection back.
  TreeNode* selectedObject_ = nullptr;
  TreeNode* selectedFolder_ = nullptr;
  ScanOutcome lastOutcome_ = ScanOutcome::kAborted;
};

// Command ids of the window, as the command bar and the looks use them.
inline constexpr int kOpenCommand = 313;
inline constexpr int kStopCommand = 314;
inline constexpr int kSaveCommand = 315;
inline constexpr int kHelpCommand = 319;
inline constexpr int kAboutCommand = 320;
inline constexpr int kCaptionBarCommand = 221;

}  // namespace pellora::ui
