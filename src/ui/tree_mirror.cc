#include "ui/tree_mirror.h"

#include "ui/window_thread.h"

namespace pellora::ui {

namespace {

// Where `node` stands among its siblings. New nodes are appended or put
// first, so the ends are tried before a walk.
int positionOf(const TreeNode& node) {
  const auto& siblings = node.parent->children;
  if (!siblings.empty() && siblings.back().get() == &node) return static_cast<int>(siblings.size() - 1);
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == &node) return static_cast<int>(i);
  }
  return static_cast<int>(siblings.size());
}

}  // namespace

TreeMirror::TreeMirror(TreeModel& model, CheckTree& tree, IconOf iconOf)
    : model_(model), tree_(tree), iconOf_(std::move(iconOf)) {
  model_.observer = this;
}

TreeMirror::~TreeMirror() {
  if (model_.observer == this) model_.observer = nullptr;
}

void TreeMirror::nodeInserted(const TreeNode& node) {
  onWindowThread(&tree_, [&] { insertOnWindowThread(node); });
}

void TreeMirror::insertOnWindowThread(const TreeNode& node) {
  QTreeWidgetItem* item = CheckTree::newItem(QString::fromStdString(node.text));
  showNode(*item, node);
  const int at = node.parent ? positionOf(node) : 0;
  if (QTreeWidgetItem* parent = parentItemOf(node)) {
    parent->insertChild(at, item);
  } else {
    tree_.insertTopLevelItem(at, item);
  }
  items_[&node] = item;
  nodes_[item] = const_cast<TreeNode*>(&node);
}

void TreeMirror::nodeChanged(const TreeNode& node) {
  onWindowThread(&tree_, [&] {
    if (QTreeWidgetItem* item = itemOf(&node)) showNode(*item, node);
  });
}

void TreeMirror::childrenSorted(const TreeNode& parent) {
  onWindowThread(&tree_, [&] {
    QTreeWidgetItem* parentItem = itemOf(&parent);
    if (parentItem == nullptr && &parent != &model_.top()) return;
    const bool wasExpanded = parentItem && parentItem->isExpanded();
    if (parentItem) {
      parentItem->takeChildren();
    } else {
      while (tree_.topLevelItemCount() > 0) tree_.takeTopLevelItem(0);
    }
    for (const auto& child : parent.children) {
      QTreeWidgetItem* item = itemOf(child.get());
      if (item == nullptr) continue;
      if (parentItem) {
        parentItem->addChild(item);
      } else {
        tree_.addTopLevelItem(item);
      }
    }
    if (parentItem) parentItem->setExpanded(wasExpanded);
  });
}

void TreeMirror::cleared() {
  onWindowThread(&tree_, [&] {
    tree_.clear();
    items_.clear();
    nodes_.clear();
  });
}

TreeNode* TreeMirror::nodeOf(const QTreeWidgetItem* item) const {
  const auto found = nodes_.find(item);
  return found == nodes_.end() ? nullptr : found->second;
}

QTreeWidgetItem* TreeMirror::itemOf(const TreeNode* node) const {
  const auto found = items_.find(node);
  return found == items_.end() ? nullptr : found->second;
}

void TreeMirror::showNode(QTreeWidgetItem& item, const TreeNode& node) const {
  const QString text = QString::fromStdString(node.text);
  item.setText(0, text);
  item.setToolTip(0, text);
  QFont font = item.font(0);
  font.setBold(node.bold);
  item.setFont(0, font);
  if (iconOf_) item.setIcon(0, iconOf_(node));
}

QTreeWidgetItem* TreeMirror::parentItemOf(const TreeNode& node) const {
  if (node.parent == nullptr || node.parent == &model_.top()) return nullptr;
  return itemOf(node.parent);
}

}  // namespace pellora::ui
