#pragma once
#include <string>
#include <QIcon>
#include <QPixmap>
namespace pellora::ui {
enum class CommandImage { kOpen, kStop, kSave, kHelp, kAbout };
enum class ObjectImage { kDatabase, kGroup, kTable, kColumn, kKey, kProgram };
QIcon commandIcon(CommandImage image);
QIcon previousRecordsIcon();
QIcon nextRecordsIcon();
QPixmap captionInfoPixmap();
QPixmap splashPixmap();
QPixmap aboutBannerPixmap();
QIcon applicationIcon();
QIcon objectTreeIcon(ObjectImage image);
QIcon documentTreeIcon(const std::string& iconKind);
}
