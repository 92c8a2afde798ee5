#include "ui/link_button.h"

#include <QDesktopServices>

namespace pellora::ui {

namespace {

LinkOpener& installedOpener() {
  static LinkOpener opener;
  return opener;
}

}  // namespace

bool openLink(const QUrl& url) {
  if (const LinkOpener& opener = installedOpener()) return opener(url);
  return QDesktopServices::openUrl(url);
}

void setLinkOpener(LinkOpener opener) { installedOpener() = std::move(opener); }

LinkButton::LinkButton(const QString& text, const QUrl& url, const QString& toolTip, QWidget* parent)
    : QPushButton(text, parent), url_(url) {
  setFlat(true);
  setCursor(Qt::PointingHandCursor);
  setToolTip(toolTip);
  setFocusPolicy(Qt::TabFocus);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  // Link colour on no frame: the button reads as a link in every look.
  setStyleSheet(
      QStringLiteral("QPushButton { border: none; padding: 1px 2px; color: palette(link); "
                     "text-align: left; }"));
  connect(this, &QPushButton::clicked, this, [this] { openLink(url_); });
}

}  // namespace pellora::ui
