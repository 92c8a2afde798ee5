// Keeps a tree widget in step with one of the engine's tree models. The
// model changes on the worker thread; each change is applied to the widget on
// the window thread while the worker waits, so the widget only ever reads
// the model when it stands still.
#pragma once

#include <functional>
#include <unordered_map>

#include <QIcon>

#include "catalog/tree_model.h"
#include "ui/check_tree.h"

namespace pellora::ui {

class TreeMirror : public TreeObserver {
 public:
  using IconOf = std::function<QIcon(const TreeNode&)>;

  TreeMirror(TreeModel& model, CheckTree& tree, IconOf iconOf);
  ~TreeMirror() override;

  void nodeInserted(const TreeNode& node) override;
  void nodeChanged(const TreeNode& node) override;
  void childrenSorted(const TreeNode& parent) override;
  void cleared() override;

  // The node an item shows (null for none); the item of a node.
  TreeNode* nodeOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* itemOf(const TreeNode* node) const;

 private:
  void insertOnWindowThread(const TreeNode& node);
  void showNode(QTreeWidgetItem& item, const TreeNode& node) const;
  QTreeWidgetItem* parentItemOf(const TreeNode& node) const;

  TreeModel& model_;
  CheckTree& tree_;
  IconOf iconOf_;
  std::unordered_map<const TreeNode*, QTreeWidgetItem*> items_;
  std::unordered_map<const QTreeWidgetItem*, TreeNode*> nodes_;
};

}  // namespace pellora::ui
