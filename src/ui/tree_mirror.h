// Keeps a tree widget in step with one of the engine's tree models. The
// model changes on the worker thread; each change is applied to the widget on
// the window thread while the worker waits, so the widget only ever reads
// the model when it stands still.
#pragma once

#include <chrono>
#include <functional>
#include <unordered_map>
#include <vector>

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

  // Shows the nodes inserted since the last change that reached the window.
  // Inserts cross in batches (a document tree may have a hundred thousand
  // nodes); the window calls this when a job has ended, and changes of any
  // other kind call it first, so the order of changes is kept.
  void flushNodes();

  // The node an item shows (null for none); the item of a node.
  TreeNode* nodeOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* itemOf(const TreeNode* node) const;

 private:
  // The model only appends children or puts them first; the window repeats
  // the same operation, so no position needs searching.
  struct Insert {
    const TreeNode* node;
    bool first;
  };
  void insertOnWindowThread(const Insert& insert);
  void showNode(QTreeWidgetItem& item, const TreeNode& node) const;
  QTreeWidgetItem* parentItemOf(const TreeNode& node) const;

  TreeModel& model_;
  CheckTree& tree_;
  IconOf iconOf_;
  std::unordered_map<const TreeNode*, QTreeWidgetItem*> items_;
  std::unordered_map<const QTreeWidgetItem*, TreeNode*> nodes_;
  std::vector<Insert> pending_;
  std::chrono::steady_clock::time_point lastFlush_{};
};

}  // namespace pellora::ui
