// A flat button that looks like a hyperlink and opens its address in the
// desktop's browser or mail program. Every address the program opens goes
// through openLink, so tests can catch them instead of starting a browser.
#pragma once

#include <functional>

#include <QPushButton>
#include <QUrl>

namespace pellora::ui {

using LinkOpener = std::function<bool(const QUrl& url)>;

// Opens `url` with the desktop (or the installed opener); false when nothing
// could open it.
bool openLink(const QUrl& url);

// Routes every later openLink to `opener`; an empty one restores the desktop.
void setLinkOpener(LinkOpener opener);

class LinkButton : public QPushButton {
  Q_OBJECT

 public:
  LinkButton(const QString& text, const QUrl& url, const QString& toolTip, QWidget* parent = nullptr);

  QUrl url() const { return url_; }

 private:
  QUrl url_;
};

}  // namespace pellora::ui
