// A tree as plain data, for the object tree and the document tree: nodes
// with their text, item data, bold state and ordered children. The engine
// builds it; a front end renders it. Changes are reported to the observer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace pellora {

struct TreeNode {
  std::string text;
  int64_t itemData = 0;
  bool bold = false;
  // Document tree nodes: the tag kind ('D' a list or folder whose documents
  // can be listed, 'F' a document, 0 none), the document index it names,
  // and the icon to show ("folder", or a document's file-name extension).
  char tagKind = 0;
  int32_t documentIndex = 0;
  std::string icon;
  TreeNode* parent = nullptr;
  std::vector<std::unique_ptr<TreeNode>> children;
  // The first child of each text, so that finding a child by its text does
  // not walk a folder of a hundred thousand documents for each new one.
  std::unordered_map<std::string, TreeNode*> firstChildOfText;

  TreeNode* firstChild() const { return children.empty() ? nullptr : children.front().get(); }
  // The first direct child with this text; null when none.
  TreeNode* child(const std::string& childText) const;
};

class TreeObserver {
 public:
  virtual ~TreeObserver() = default;
  virtual void nodeInserted(const TreeNode& node) { (void)node; }
  virtual void nodeChanged(const TreeNode& node) { (void)node; }
  virtual void childrenSorted(const TreeNode& parent) { (void)parent; }
  virtual void cleared() {}
};

class TreeModel {
 public:
  // Top-level nodes hang under an invisible root.
  TreeNode& top() { return top_; }
  const TreeNode& top() const { return top_; }

  TreeNode& appendChild(TreeNode& parent, std::string text, int64_t itemData = 0);
  // Inserted before the parent's other children.
  TreeNode& insertFirstChild(TreeNode& parent, std::string text, int64_t itemData = 0);
  void setBold(TreeNode& node, bool bold);
  // Sorts one level by text, ignoring case, keeping equal texts in order.
  void sortChildren(TreeNode& parent);
  void clear();

  TreeObserver* observer = nullptr;

 private:
  TreeNode& insert(TreeNode& parent, size_t at, std::string text, int64_t itemData);
  TreeNode top_;
};

}  // namespace pellora
