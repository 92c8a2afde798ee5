#include "ui/artwork.h"
namespace pellora::ui {
namespace { QPixmap blank(int w, int h) { QPixmap p(w, h); p.fill(Qt::gray); return p; } }
QIcon commandIcon(CommandImage) { return QIcon(blank(32, 32)); }
QIcon previousRecordsIcon() { return QIcon(blank(16, 16)); }
QIcon nextRecordsIcon() { return QIcon(blank(16, 16)); }
QPixmap captionInfoPixmap() { return blank(20, 20); }
QPixmap splashPixmap() { return blank(500, 280); }
QPixmap aboutBannerPixmap() { return blank(395, 85); }
QIcon applicationIcon() { return QIcon(blank(32, 32)); }
QIcon objectTreeIcon(ObjectImage) { return QIcon(blank(16, 16)); }
QIcon documentTreeIcon(const std::string&) { return QIcon(blank(16, 16)); }
}
