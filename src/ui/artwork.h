// Every picture of the desktop program, drawn by our own painter code so the
// program ships no image files. All of them share one set of colours.
#pragma once

#include <string>

#include <QIcon>
#include <QPixmap>

namespace pellora::ui {

enum class CommandImage { kOpen, kStop, kSave, kHelp, kAbout };

// Holds a 32×32 and a 16×16 pixmap (large and small command buttons).
QIcon commandIcon(CommandImage image);

// Arrows for the 50×25 paging buttons.
QIcon previousRecordsIcon();
QIcon nextRecordsIcon();

// 20×20 information sign for the caption bar; transparent around the sign.
QPixmap captionInfoPixmap();

// 500×280 product picture. Pixels of exactly RGB(255, 0, 255) lie outside its
// rounded outline; the splash window masks them away.
QPixmap splashPixmap();

// 395×85 banner across the top of the about box.
QPixmap aboutBannerPixmap();

QIcon applicationIcon();

enum class ObjectImage { kDatabase, kGroup, kTable, kColumn, kKey, kProgram };

// 16×16 pictures of the object tree.
QIcon objectTreeIcon(ObjectImage image);

// "folder" gives the themed folder icon; any other kind is a lower-case file
// name extension ("docx", "pdf", ...) or "file" and gives the desktop's icon
// for that file type, or the style's plain file icon where the desktop has no
// theme. One icon per kind is kept, so a tree of many documents shares them.
// Call on the window thread only.
QIcon documentTreeIcon(const std::string& iconKind);

}  // namespace pellora::ui
