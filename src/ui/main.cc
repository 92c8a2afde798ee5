// pellora-gui: the desktop program. One instance per user; the collation
// map comes from collation.txt beside the program; the stored look is
// applied before the main window shows.
#include <QApplication>
#include <QDir>

#include "app/application_state.h"
#include "ui/looks.h"
#include "ui/main_window.h"
#include "ui/single_instance.h"
#include "ui/splash_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Vantorq"));
  QApplication::setApplicationName(QStringLiteral("Pellora"));
  pellora::ui::SingleInstance instance;
  if (!pellora::ui::startAsOnlyInstance(instance)) return 1;

  pellora::ApplicationState state;
  const QString collationFile = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("collation.txt"));
  state.collations = pellora::loadCollationMap(collationFile.toStdString());
  pellora::ui::applyLook(pellora::ui::storedLook());

  pellora::ui::MainWindow window(state);
  auto* splash = new pellora::ui::SplashWindow(&window);
  splash->setText(QStringLiteral("v17.0"));
  splash->showFor(pellora::ui::SplashWindow::kDisplayMilliseconds);
  window.showMaximized();
  return QApplication::exec();
}
