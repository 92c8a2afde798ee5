#include <string>
#include <unordered_map>

#include <QApplication>
#include <QMimeDatabase>
#include <QStyle>

#include "ui/artwork.h"

namespace pellora::ui {

namespace {

QIcon standardIcon(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

QIcon lookUp(const std::string& iconKind) {
  if (iconKind == "folder") {
    return QIcon::fromTheme(QStringLiteral("folder"), standardIcon(QStyle::SP_DirIcon));
  }
  const QMimeType type = QMimeDatabase().mimeTypeForFile(
      QStringLiteral("x.") + QString::fromStdString(iconKind), QMimeDatabase::MatchExtension);
  return QIcon::fromTheme(type.iconName(),
                          QIcon::fromTheme(type.genericIconName(), standardIcon(QStyle::SP_FileIcon)));
}

}  // namespace

QIcon documentTreeIcon(const std::string& iconKind) {
  // Never destroyed: icons must not outlive the application object's teardown.
  static auto* cache = new std::unordered_map<std::string, QIcon>;
  auto found = cache->find(iconKind);
  if (found == cache->end()) found = cache->emplace(iconKind, lookUp(iconKind)).first;
  return found->second;
}

}  // namespace pellora::ui
