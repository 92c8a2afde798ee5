#include "catalog/tree_model.h"

#include <algorithm>

namespace pellora {

namespace {

// Tree controls sort without regard to case.
bool textLess(const std::string& a, const std::string& b) {
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return lower(x) < lower(y); });
}

}  // namespace

TreeNode* TreeNode::child(const std::string& childText) const {
  auto found = firstChildOfText.find(childText);
  return found == firstChildOfText.end() ? nullptr : found->second;
}

TreeNode& TreeModel::insert(TreeNode& parent, size_t at, std::string text, int64_t itemData) {
  auto node = std::make_unique<TreeNode>();
  node->text = std::move(text);
  node->itemData = itemData;
  node->parent = &parent;
  TreeNode& inserted = *node;
  parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  auto [entry, added] = parent.firstChildOfText.emplace(inserted.text, &inserted);
  // A node put in front of an earlier one of the same text becomes the first.
  if (!added && at == 0) entry->second = &inserted;
  if (observer) observer->nodeInserted(inserted);
  return inserted;
}

TreeNode& TreeModel::appendChild(TreeNode& parent, std::string text, int64_t itemData) {
  return insert(parent, parent.children.size(), std::move(text), itemData);
}

TreeNode& TreeModel::insertFirstChild(TreeNode& parent, std::string text, int64_t itemData) {
  return insert(parent, 0, std::move(text), itemData);
}

void TreeModel::setBold(TreeNode& node, bool bold) {
  node.bold = bold;
  if (observer) observer->nodeChanged(node);
}

void TreeModel::sortChildren(TreeNode& parent) {
  std::stable_sort(parent.children.begin(), parent.children.end(),
                   [](const auto& a, const auto& b) { return textLess(a->text, b->text); });
  if (observer) observer->childrenSorted(parent);
}

void TreeModel::clear() {
  top_.children.clear();
  top_.firstChildOfText.clear();
  if (observer) observer->cleared();
}

}  // namespace pellora
