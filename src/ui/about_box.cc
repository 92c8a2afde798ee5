#include "ui/about_box.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

#include "ui/artwork.h"
#include "ui/link_button.h"
#include "ui/message_box.h"
#include "ui/product_links.h"

namespace pellora::ui {

namespace {

QLabel* titleLabel() {
  auto* title = new QLabel(applicationTitle());
  title->setObjectName(QStringLiteral("title"));
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(15);
  font.setWeight(QFont::DemiBold);
  title->setFont(font);
  return title;
}

QFrame* rule() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QString hostOf(const char* address) { return QUrl(QString::fromLatin1(address)).host(); }

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(applicationTitle());
  setWindowIcon(applicationIcon());
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* banner = new QLabel;
  banner->setObjectName(QStringLiteral("banner"));
  banner->setPixmap(aboutBannerPixmap());
  outer->addWidget(banner);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(14, 10, 14, 12);
  outer->addLayout(body);
  body->addWidget(titleLabel());
  addLinks(body);
  body->addWidget(rule());
  auto* notice = new QLabel(
      tr("Copyright \u00A9 Vantorq. Unauthorised copying or distribution of this program is prohibited."));
  notice->setObjectName(QStringLiteral("notice"));
  notice->setWordWrap(true);
  body->addWidget(notice);

  auto* ok = new QPushButton(tr("OK"));
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  body->addWidget(ok, 0, Qt::AlignRight);
}

void AboutBox::addLinks(QBoxLayout* layout) {
  struct Link {
    const char* name;
    QString text;
    QUrl url;
    QString toolTip;
  };
  const Link links[] = {
      {"websiteLink", hostOf(kCompanyWebsite), QUrl(kCompanyWebsite), tr("Company website")},
      {"supportLink", kSupportEmail, QUrl(QStringLiteral("mailto:") + kSupportEmail),
       tr("Support email address")},
      {"salesLink", kSalesEmail, QUrl(QStringLiteral("mailto:") + kSalesEmail), tr("Sales email address")},
  };
  for (const Link& link : links) {
    auto* button = new LinkButton(link.text, link.url, link.toolTip);
    button->setObjectName(QString::fromLatin1(link.name));
    layout->addWidget(button, 0, Qt::AlignLeft);
  }
}

// A press anywhere that no child takes counts as a press on the caption: the
// window manager moves the window where it can, otherwise we follow the mouse.
void AboutBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QDialog::mousePressEvent(event);
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  grab_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void AboutBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QDialog::mouseMoveEvent(event);
  move(event->globalPosition().toPoint() - grab_);
}

void AboutBox::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QDialog::mouseReleaseEvent(event);
}

}  // namespace pellora::ui
