#include "sharepoint/document_tree.h"

#include <cctype>
#include <vector>

#include "sharepoint/content_rows.h"

namespace pellora {

namespace {

std::vector<std::string> pathParts(const std::string& dirName) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= dirName.size()) {
    size_t end = dirName.find('/', start);
    if (end == std::string::npos) end = dirName.size();
    if (end > start) parts.push_back(dirName.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::string documentIconOf(const std::string& leafName) {
  const size_t dot = leafName.rfind('.');
  if (dot == std::string::npos || dot + 1 >= leafName.size()) return "file";
  std::string extension = leafName.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

TreeNode& DocumentTree::addFolder(TreeNode& parent, const std::string& text, int32_t index) {
  TreeNode& node = model_.appendChild(parent, text);
  node.tagKind = kFolderTag;
  node.documentIndex = index;
  node.icon = kFolderIcon;
  return node;
}

TreeNode& DocumentTree::addDocument(TreeNode& parent, const DocumentEntry& document, int32_t index) {
  TreeNode& node = model_.appendChild(parent, document.leafName);
  node.tagKind = kDocumentTag;
  node.documentIndex = index;
  node.icon = documentIconOf(document.leafName);
  return node;
}

void DocumentTree::addSites() {
  actual_ = &model_.appendChild(model_.top(), "SharePointACTUAL");
  actual_->icon = kFolderIcon;
  for (WebEntry& site : content_.sites) {
    site.node = &model_.appendChild(*actual_, site.title);
    site.node->icon = kFolderIcon;
  }
}

void DocumentTree::addLists() {
  for (ListEntry& list : content_.lists) {
    for (const WebEntry& site : content_.sites) {
      if (site.id != list.webId || site.node == nullptr) continue;
      list.node = &addFolder(*site.node, list.title, 0);
      break;
    }
  }
}

void DocumentTree::placeDocument(size_t index) {
  const DocumentEntry& document = content_.documents[index];
  const ListEntry* list = nullptr;
  for (const ListEntry& candidate : content_.lists) {
    if (candidate.id == document.listId && candidate.webId == document.webId) {
      list = &candidate;
      break;
    }
  }
  if (list == nullptr) return;
  // A list without a node (its site is missing) places at the top level.
  TreeNode& parent = list->node != nullptr ? *list->node : model_.top();
  const int32_t tag = static_cast<int32_t>(index);
  bool found = false;
  for (const std::string& part : pathParts(document.dirName)) {
    if (parent.child(part) != nullptr) {
      found = true;
    } else if (!found) {
      addFolder(parent, part, tag);
    }
  }
  // Without a list node the document goes under the first top-level node;
  // a name already there is not added twice.
  TreeNode* under = list->node != nullptr ? &parent : model_.top().firstChild();
  if (under == nullptr || under->child(document.leafName) != nullptr) return;
  if (document.size > 0 && document.type == 0) {
    addDocument(*under, document, tag);
  } else if (document.type == 1) {
    addFolder(*under, document.leafName, tag);
  }
}

TreeNode* DocumentTree::dataFolderFor(const std::string& dirName) {
  TreeNode* current = data_;
  bool any = false;
  for (const std::string& raw : pathParts(dirName)) {
    const std::string part = trimmed(raw);
    auto& folders = dataFolders_[current];
    auto found = folders.find(part);
    if (found == folders.end()) {
      TreeNode& added = addFolder(*current, part, 0);
      found = folders.emplace(part, &added).first;
    }
    current = found->second;
    any = true;
  }
  return any ? current : nullptr;
}

void DocumentTree::buildDataBranch() {
  data_ = &model_.appendChild(model_.top(), "SharePointData");
  data_->icon = kFolderIcon;
  for (size_t i = 0; i < content_.documents.size(); ++i) {
    const DocumentEntry& document = content_.documents[i];
    TreeNode* folder = dataFolderFor(document.dirName);
    if (folder != nullptr && document.size > 0) addDocument(*folder, document, static_cast<int32_t>(i));
  }
}

}  // namespace pellora
