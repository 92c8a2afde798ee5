// The tree control of both trees: a check box on every item, tool tips, and
// a click on an item's label (not on its box or its expand button) reported
// as labelClicked, which starts the work for that node.
#pragma once

#include <QTreeWidget>

namespace pellora::ui {

class CheckTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CheckTree(QWidget* parent = nullptr);

  // A new item with an unchecked box and its text as tool tip.
  static QTreeWidgetItem* newItem(const QString& text);

  // Whether `point` (viewport coordinates) is on the label of the item there.
  bool isOnLabel(const QPoint& point) const;

  // Expands every item, keeping the selection, and scrolls back to the top.
  void expandEverything();

 Q_SIGNALS:
  void labelClicked(QTreeWidgetItem* item);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace pellora::ui
