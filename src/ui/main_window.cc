#include "ui/main_window.h"

#include <QActionGroup>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/artwork.h"
#include "ui/caption_bar.h"
#include "ui/check_tree.h"
#include "ui/command_bar.h"
#include "ui/content_mirror.h"
#include "ui/content_panel.h"
#include "ui/gui_notifier.h"
#include "ui/link_button.h"
#include "ui/looks.h"
#include "ui/message_box.h"
#include "ui/open_options_dialog.h"
#include "ui/product_links.h"
#include "ui/tree_mirror.h"
#include "ui/window_thread.h"
#include "ui/worker.h"

namespace pellora::ui {

namespace {

struct CommandSpec {
  int id;
  const char* label;
  const char* tip;
  CommandImage image;
  QKeySequence shortcut;
};

// How often the window looks at the process-running flag, which the worker
// clears by itself, to enable Stop.
constexpr int kCommandStateMilliseconds = 100;

WindowPrompts withDefaults(WindowPrompts prompts, ApplicationState& state, QWidget* window) {
  if (!prompts.openOptions) {
    prompts.openOptions = [&state, window](RecoveryOptions& options) {
      OpenOptionsDialog dialog(options, state.collations, window);
      return dialog.exec() == QDialog::Accepted;
    };
  }
  if (!prompts.savePath) {
    prompts.savePath = [window](const QString& suggestion) {
      return QFileDialog::getSaveFileName(window, QStringLiteral("Save recovered data"), suggestion,
                                          QStringLiteral("CSV Files (*.csv)"));
    };
  }
  if (!prompts.openUrl) prompts.openUrl = [](const QUrl& url) { openLink(url); };
  return prompts;
}

}  // namespace

MainWindow::MainWindow(ApplicationState& state, WindowPrompts prompts, QWidget* parent)
    : QMainWindow(parent), state_(state), prompts_(withDefaults(std::move(prompts), state, this)) {
  setWindowTitle(applicationTitle());
  setWindowIcon(applicationIcon());
  worker_ = new Worker(this);
  buildCommands();
  buildStatusBar();
  buildPanes();
  connectEngine();
  caption_->setText(QStringLiteral("Select MDF database file to continue the recovery process."));
  progress_->hide();
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &MainWindow::updateCommandStates);
  timer->start(kCommandStateMilliseconds);
  updateCommandStates();
}

MainWindow::~MainWindow() {
  worker_->waitUntilIdle();
  state_.log.setOnLine({});
  state_.log.setOnFileError({});
}

QAction& MainWindow::action(int commandId) { return *actions_.at(commandId); }

void MainWindow::buildCommands() {
  const CommandSpec commands[] = {
      {kOpenCommand, "Open", "Open Database file", CommandImage::kOpen, QKeySequence::Open},
      {kStopCommand, "Stop", "Stop running process", CommandImage::kStop, QKeySequence(Qt::Key_Escape)},
      {kSaveCommand, "Save", "Save recovered data", CommandImage::kSave, QKeySequence::Save},
      {kHelpCommand, "Help", "Help for Vantorq Pellora", CommandImage::kHelp, QKeySequence(Qt::Key_F1)},
      {kAboutCommand, "About", "About Vantorq Pellora", CommandImage::kAbout, QKeySequence()},
  };
  auto* bar = new CommandBar(this);
  for (const CommandSpec& command : commands) {
    auto* action = new QAction(commandIcon(command.image), QString::fromUtf8(command.label), this);
    action->setToolTip(QString::fromUtf8(command.tip));
    action->setStatusTip(QString::fromUtf8(command.tip));
    action->setShortcut(command.shortcut);
    addAction(action);
    bar->addCommand(action);
    actions_[command.id] = action;
  }
  connect(actions_[kOpenCommand], &QAction::triggered, this, &MainWindow::open);
  connect(actions_[kStopCommand], &QAction::triggered, this, &MainWindow::stop);
  connect(actions_[kSaveCommand], &QAction::triggered, this, &MainWindow::save);
  connect(actions_[kHelpCommand], &QAction::triggered, this, &MainWindow::help);
  connect(actions_[kAboutCommand], &QAction::triggered, this, &MainWindow::about);

  QMenu& application = bar->applicationMenu();
  application.addAction(actions_[kOpenCommand]);
  application.addAction(actions_[kSaveCommand]);
  application.addSeparator();
  application.addAction(QStringLiteral("Exit"), this, &QWidget::close);

  auto* menus = new QMenuBar(this);
  menus->setNativeMenuBar(false);
  QMenu* view = menus->addMenu(QStringLiteral("&View"));
  looks_ = new QActionGroup(this);
  const int current = storedLook();
  for (const Look& look : applicationLooks()) {
    QAction* item = view->addAction(QString::fromUtf8(look.name));
    item->setCheckable(true);
    item->setChecked(look.id == current);
    looks_->addAction(item);
    actions_[look.id] = item;
    connect(item, &QAction::triggered, this, [this, id = look.id] { setLook(id); });
  }
  view->addSeparator();
  auto* captionItem = view->addAction(QStringLiteral("Caption Bar"));
  actions_[kCaptionBarCommand] = captionItem;

  caption_ = new CaptionBar(this);
  connect(captionItem, &QAction::triggered, this, [this] { caption_->show(); });
  auto* top = new QWidget(this);
  auto* column = new QVBoxLayout(top);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(bar);
  column->addWidget(caption_);
  auto* holder = new QWidget(this);
  auto* holderLayout = new QVBoxLayout(holder);
  holderLayout->setContentsMargins(0, 0, 0, 0);
  holderLayout->setSpacing(0);
  holderLayout->addWidget(menus);
  holderLayout->addWidget(top);
  setMenuWidget(holder);
}

void MainWindow::buildStatusBar() {
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">www.vantorq.example</a>").arg(kCompanyWebsite), this);
  link->setObjectName(QStringLiteral("makerLink"));
  link->setTextFormat(Qt::RichText);
  connect(link, &QLabel::linkActivated, this, [this](const QString& url) { prompts_.openUrl(QUrl(url)); });
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setFixedHeight(17);
  progress_->setTextVisible(false);
  auto* title = new QLabel(applicationTitle(), this);
  statusBar()->addWidget(link);
  statusBar()->addWidget(progress_, 1);
  statusBar()->addPermanentWidget(title);
}

void MainWindow::buildPanes() {
  setDockNestingEnabled(true);
  objectsDock_ = new QDockWidget(QStringLiteral("Sharepoint Database Objects"), this);
  objectsDock_->setObjectName(QStringLiteral("objectsPane"));
  auto* trees = new QWidget(objectsDock_);
  auto* treeLayout = new QVBoxLayout(trees);
  treeLayout->setContentsMargins(0, 0, 0, 0);
  objectTree_ = new CheckTree(trees);
  objectTree_->setObjectName(QStringLiteral("objectTree"));
  documentTree_ = new CheckTree(trees);
  documentTree_->setObjectName(QStringLiteral("documentTree"));
  treeLayout->addWidget(objectTree_);
  treeLayout->addWidget(documentTree_);
  documentTree_->hide();
  objectsDock_->setWidget(trees);
  objectsDock_->setMinimumWidth(200);
  addDockWidget(Qt::LeftDockWidgetArea, objectsDock_);

  outputDock_ = new QDockWidget(QStringLiteral("Output"), this);
  outputDock_->setObjectName(QStringLiteral("outputPane"));
  logPane_ = new QListWidget(outputDock_);
  logPane_->setObjectName(QStringLiteral("processLog"));
  logPane_->setUniformItemSizes(true);
  outputDock_->setWidget(logPane_);
  addDockWidget(Qt::BottomDockWidgetArea, outputDock_);
  resizeDocks({outputDock_}, {100}, Qt::Vertical);

  panel_ = new ContentPanel(this);
  setCentralWidget(panel_);
  connect(objectTree_, &CheckTree::labelClicked, this, &MainWindow::treeLabelClicked);
  connect(documentTree_, &CheckTree::labelClicked, this, &MainWindow::treeLabelClicked);
  connect(panel_, &ContentPanel::previousPressed, this, &MainWindow::previousPage);
  connect(panel_, &ContentPanel::nextPressed, this, &MainWindow::nextPage);
}

void MainWindow::connectEngine() {
  notifier_ = std::make_unique<GuiNotifier>(state_, *this, *progress_, *panel_);
  run_ = std::make_unique<RecoveryRun>(state_, *notifier_);
  browser_ = std::make_unique<Browser>(*run_, state_, content_, *notifier_);
  objectMirror_ = std::make_unique<TreeMirror>(run_->objectTreeModel(), *objectTree_,
                                               [this](const TreeNode& node) { return objectIcon(node); });
  documentMirror_ = std::make_unique<TreeMirror>(run_->documentTreeModel(), *documentTree_,
                                                 [](const TreeNode& node) { return documentTreeIcon(node.icon); });
  contentMirror_ = std::make_unique<ContentMirror>(content_, *panel_,
                                                   [this](const QString& text) { caption_->setText(text); });
  for (const std::string& line : state_.log.paneLines()) logPane_->addItem(QString::fromStdString(line));
  state_.log.setOnLine([this](const std::string& line) {
    const QString row = QString::fromStdString(line);
    onWindowThread(this, [this, &row] {
      logPane_->addItem(row);
      logPane_->scrollToBottom();
    });
  });
  state_.log.setOnFileError([this](const std::string& message) {
    const QString text = QString::fromStdString(message);
    onWindowThread(this, [this, &text] { showBox(this, text, BoxKind::kError); });
  });
}

bool MainWindow::workRunning() const { return state_.flags.processRunning.load() || worker_->busy(); }

void MainWindow::updateCommandStates() {
  actions_[kStopCommand]->setEnabled(state_.flags.processRunning.load());
}

void MainWindow::setLook(int lookId) {
  applyLook(lookId);
  storeLook(lookId);
  if (auto found = actions_.find(lookId); found != actions_.end()) found->second->setChecked(true);
}

bool MainWindow::documentRecovery() const {
  return state_.options.recoveryOption == RecoveryOptions::kDocumentRecovery;
}

QIcon MainWindow::objectIcon(const TreeNode& node) const {
  static const char* const kGroups[] = {"Tables",  "User Tables", "System Tables", "Programmability", "Function",
                                        "Store Procedure", "Views", "Default", "Triggers", "Columns",
                                        "PrimaryKey", "Constraint", "Unique", "ForeignKey"};
  if (node.parent == nullptr || node.parent->parent == nullptr) return objectTreeIcon(ObjectImage::kDatabase);
  const std::string& parent = node.parent->text;
  if (parent == "User Tables" || parent == "System Tables") return objectTreeIcon(ObjectImage::kTable);
  if (parent == "Columns") return objectTreeIcon(ObjectImage::kColumn);
  if (parent == "PrimaryKey" || parent == "Unique" || parent == "ForeignKey" || parent == "Constraint") {
    return objectTreeIcon(ObjectImage::kKey);
  }
  for (const char* group : kGroups) {
    if (node.text == group) return objectTreeIcon(ObjectImage::kGroup);
  }
  return objectTreeIcon(ObjectImage::kProgram);
}

}  // namespace pellora::ui
