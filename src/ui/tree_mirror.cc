#include "ui/tree_mirror.h"

#include "ui/window_thread.h"

namespace pellora::ui {

namespace {

constexpr size_t kNodeBatch = 1000;
constexpr auto kNodeBatchInterval = std::chrono::milliseconds(100);

}  // namespace

TreeMirror::TreeMirror(TreeModel& model, CheckTree& tree, IconOf iconOf)
    : model_(model), tree_(tree), iconOf_(std::move(iconOf)) {
  model_.observer = this;
}

TreeMirror::~TreeMirror() {
  if (model_.observer == this) model_.observer = nullptr;
}

void TreeMirror::nodeInserted(const TreeNode& node) {
  const auto& siblings = node.parent ? node.parent->children : model_.top().children;
  const bool first = siblings.size() > 1 && siblings.front().get() == &node;
  // The engine sets a new node's tag and icon right after inserting it, so
  // the newest node waits for the next change before it is shown.
  if (pending_.size() >= kNodeBatch || std::chrono::steady_clock::now() - lastFlush_ >= kNodeBatchInterval) {
    flushNodes();
  }
  pending_.push_back({&node, first});
}

void TreeMirror::flushNodes() {
  if (pending_.empty()) return;
  lastFlush_ = std::chrono::steady_clock::now();
  onWindowThread(&tree_, [this] {
    for (const Insert& insert : pending_) insertOnWindowThread(insert);
  });
  pending_.clear();
}

void TreeMirror::insertOnWindowThread(const Insert& insert) {
  const TreeNode& node = *insert.node;
  QTreeWidgetItem* item = CheckTree::newItem(QString::fromStdString(node.text));
  showNode(*item, node);
  QTreeWidgetItem* parent = parentItemOf(node);
  if (parent) {
    parent->insertChild(insert.first ? 0 : parent->childCount(), item);
  } else {
    tree_.insertTopLevelItem(insert.first ? 0 : tree_.topLevelItemCount(), item);
  }
  items_[&node] = item;
  nodes_[item] = const_cast<TreeNode*>(&node);
}

void TreeMirror::nodeChanged(const TreeNode& node) {
  flushNodes();
  onWindowThread(&tree_, [&] {
    if (QTreeWidgetItem* item = itemOf(&node)) showNode(*item, node);
  });
}

void TreeMirror::childrenSorted(const TreeNode& parent) {
  flushNodes();
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
  // The nodes not yet shown are gone with the rest.
  pending_.clear();
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
