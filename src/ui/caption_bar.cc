#include "ui/caption_bar.h"

#include <QHBoxLayout>
#include <QLabel>

#include "ui/artwork.h"

namespace pellora::ui {

CaptionBar::CaptionBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("captionBar"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  auto* icon = new QLabel(this);
  icon->setPixmap(captionInfoPixmap());
  icon->setFixedSize(20, 20);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("captionText"));
  text_->setForegroundRole(QPalette::ToolTipText);
  text_->setTextFormat(Qt::PlainText);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(icon);
  layout->addWidget(text_, 1, Qt::AlignLeft | Qt::AlignVCenter);
  setText(QStringLiteral("This is a caption bar where a message can be presented to the user."));
}

void CaptionBar::setText(const QString& text) { text_->setText(text); }

QString CaptionBar::text() const { return text_->text(); }

}  // namespace pellora::ui
