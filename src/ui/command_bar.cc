#include "ui/command_bar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "ui/artwork.h"

namespace pellora::ui {

CommandBar::CommandBar(QWidget* parent) : QTabWidget(parent) {
  setObjectName(QStringLiteral("commandBar"));
  setDocumentMode(true);
  auto* page = new QWidget(this);
  panel_ = new QHBoxLayout(page);
  panel_->setContentsMargins(6, 4, 6, 4);
  panel_->setSpacing(4);
  panel_->addStretch(1);
  addTab(page, QStringLiteral("Pellora"));
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

  auto* application = new QToolButton(this);
  application->setObjectName(QStringLiteral("applicationButton"));
  application->setIcon(applicationIcon());
  application->setAutoRaise(true);
  application->setPopupMode(QToolButton::InstantPopup);
  applicationMenu_ = new QMenu(application);
  application->setMenu(applicationMenu_);
  setCornerWidget(application, Qt::TopLeftCorner);
}

QToolButton* CommandBar::addCommand(QAction* action) {
  auto* button = new QToolButton(widget(0));
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setIconSize(QSize(32, 32));
  button->setAutoRaise(true);
  button->setMinimumWidth(56);
  panel_->insertWidget(panel_->count() - 1, button);
  return button;
}

}  // namespace pellora::ui
