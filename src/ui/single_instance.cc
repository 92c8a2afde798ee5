#include "ui/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "ui/message_box.h"

namespace pellora::ui {

namespace {

// A path separator cannot stand in a file name.
QString lockFileName() {
  QString name = QString::fromUtf8(kInstanceMark);
  name.replace(QLatin1Char('\\'), QLatin1Char('-'));
  return name + QStringLiteral(".lock");
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder) {
  QString where = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
  if (where.isEmpty()) where = QDir::tempPath();
  QDir().mkpath(where);
  path_ = QDir(where).filePath(lockFileName());
  lock_ = std::make_unique<QLockFile>(path_);
  // Held for the process's lifetime: never considered stale by age.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() { return lock_->isLocked() || lock_->tryLock(0); }

bool startAsOnlyInstance(SingleInstance& instance) {
  if (instance.claim()) return true;
  showBox(nullptr, QStringLiteral("Another instance of application is already running"));
  return false;
}

}  // namespace pellora::ui
