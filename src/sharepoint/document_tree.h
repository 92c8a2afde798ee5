// The document tree: "SharePointACTUAL" with sites, their lists and under
// each list its folders and documents; and "SharePointData", the folder
// hierarchy rebuilt from every document's folder path.
#pragma once

#include <string>
#include <unordered_map>

#include "catalog/tree_model.h"
#include "sharepoint/content_entries.h"

namespace pellora {

constexpr char kFolderTag = 'D';
constexpr char kDocumentTag = 'F';
inline constexpr const char* kFolderIcon = "folder";

// The icon of a document: its name's extension in lower case, or "file".
std::string documentIconOf(const std::string& leafName);

class DocumentTree {
 public:
  DocumentTree(TreeModel& model, SharePointContent& content) : model_(model), content_(content) {}

  // "SharePointACTUAL" and one node per site under it.
  void addSites();
  // One node per list under the first site whose Id is the list's tp_WebId.
  void addLists();
  // Places document `index` under its list; nothing when no list matches.
  void placeDocument(size_t index);
  // "SharePointData" with a folder per folder path and the documents in it.
  void buildDataBranch();

  TreeNode* actualRoot() const { return actual_; }
  TreeNode* dataRoot() const { return data_; }

 private:
  TreeNode& addFolder(TreeNode& parent, const std::string& text, int32_t index);
  TreeNode& addDocument(TreeNode& parent, const DocumentEntry& document, int32_t index);
  TreeNode* dataFolderFor(const std::string& dirName);

  TreeModel& model_;
  SharePointContent& content_;
  TreeNode* actual_ = nullptr;
  TreeNode* data_ = nullptr;
  // Folders of the "SharePointData" branch by their trimmed text, per parent.
  std::unordered_map<const TreeNode*, std::unordered_map<std::string, TreeNode*>> dataFolders_;
};

}  // namespace pellora
