// pellora-screenshots: drives the desktop program through a run, a table
// listing and a document listing on a content database and saves a picture
// of each step, for the README. Message boxes are answered as a user would.
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTreeWidgetItem>

#include "kit/temp_dir.h"
#include "ui/about_box.h"
#include "ui/check_tree.h"
#include "ui/looks.h"
#include "ui/open_options_dialog.h"
#include "ui/splash_window.h"
#include "ui/window_driver.h"

using namespace pellora;
using pellora::ui::testing::BoxRecorder;
using pellora::ui::testing::WindowDriver;

namespace {

void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

bool save(QWidget& widget, const QDir& folder, const QString& name) {
  settle();
  const QString path = folder.filePath(name);
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

// The run keeps its data file locked, so each window is closed before the
// next one opens the same file.
bool tablePictures(const std::string& database, const QDir& folder, const std::string& logs) {
  WindowDriver completed(database, logs, RecoveryOptions::kCompletedDatabaseRecovery);
  completed.window().resize(1280, 800);
  completed.openAndWait();
  bool ok = save(completed.window(), folder, "1-run-completed.png");
  QTreeWidgetItem* table = completed.item(completed.window().objectTree(), "WSS_Content/Tables/User Tables/AllDocs");
  if (table == nullptr) return false;
  completed.clickLabel(completed.window().objectTree(), table);
  return save(completed.window(), folder, "2-table-listing.png") && ok;
}

bool documentPicture(const std::string& database, const QDir& folder, const std::string& logs) {
  WindowDriver documents(database, logs, RecoveryOptions::kDocumentRecovery);
  documents.window().resize(1280, 800);
  documents.openAndWait();
  QTreeWidgetItem* library =
      documents.item(documents.window().documentTree(), "SharePointACTUAL/Team Site/Shared Documents");
  if (library == nullptr) {
    std::fprintf(stderr, "pellora-screenshots: no library \"Shared Documents\" in the document tree (%d top nodes)\n",
                 documents.window().documentTree().topLevelItemCount());
    return false;
  }
  documents.clickLabel(documents.window().documentTree(), library);
  return save(documents.window(), folder, "3-document-listing.png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: pellora-screenshots DATABASE.mdf FOLDER\n");
    return 2;
  }
  const std::string database = argv[1];
  QDir folder(QString::fromLocal8Bit(argv[2]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;
  ui::applyLook(ui::kDefaultLook);
  BoxRecorder boxes;
  kit::TempDir logs;

  ui::SplashWindow splash;
  splash.setText(QStringLiteral("v17.0"));
  bool ok = save(splash, folder, "0-splash.png");
  ok = tablePictures(database, folder, logs.path()) && ok;
  ok = documentPicture(database, folder, logs.path()) && ok;
  RecoveryOptions options;
  CollationMap collations = loadCollationMap(QDir(QApplication::applicationDirPath())
                                                 .filePath(QStringLiteral("collation.txt"))
                                                 .toStdString());
  ui::OpenOptionsDialog dialog(options, collations);
  ok = save(dialog, folder, "4-open-options.png") && ok;
  ui::AboutBox about;
  ok = save(about, folder, "5-about.png") && ok;
  return ok ? 0 : 1;
}
