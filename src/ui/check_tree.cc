#include "ui/check_tree.h"

#include <QAction>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyleOptionViewItem>

namespace pellora::ui {

CheckTree::CheckTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setAllColumnsShowFocus(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setStretchLastSection(true);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* expand = new QAction(QStringLiteral("Expand All"), this);
  connect(expand, &QAction::triggered, this, &CheckTree::expandEverything);
  addAction(expand);
}

QTreeWidgetItem* CheckTree::newItem(const QString& text) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, Qt::Unchecked);
  item->setToolTip(0, text);
  return item;
}

bool CheckTree::isOnLabel(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return false;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  option.text = index.data(Qt::DisplayRole).toString();
  option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasCheckIndicator;
  const QVariant icon = index.data(Qt::DecorationRole);
  if (icon.isValid() && !icon.value<QIcon>().isNull()) {
    option.features |= QStyleOptionViewItem::HasDecoration;
    option.icon = icon.value<QIcon>();
  }
  const QRect label = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
  return point.x() >= label.left() && point.y() >= option.rect.top() && point.y() <= option.rect.bottom();
}

void CheckTree::expandEverything() {
  QTreeWidgetItem* selected = currentItem();
  expandAll();
  if (selected) setCurrentItem(selected);
  scrollToTop();
}

void CheckTree::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const bool onLabel = event->button() == Qt::LeftButton && isOnLabel(point);
  QTreeWidget::mousePressEvent(event);
  if (onLabel) {
    if (QTreeWidgetItem* item = itemAt(point)) Q_EMIT labelClicked(item);
  }
}

}  // namespace pellora::ui
