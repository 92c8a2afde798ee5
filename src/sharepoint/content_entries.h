// The SharePoint content model: sites, lists and documents as the content
// tables' rows give them, every value the display text the row decoder
// made of its column.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellora {

struct TreeNode;

struct WebEntry {
  std::string id;
  std::string siteId;
  std::string title;
  TreeNode* node = nullptr;
};

struct ListEntry {
  std::string webId;
  std::string id;
  std::string title;
  TreeNode* node = nullptr;
};

struct DocumentEntry {
  std::string id;
  std::string siteId;
  std::string listId;
  uint8_t type = 0;  // 0 a file, 1 a folder
  std::string dirName;
  std::string webId;
  std::string leafName;
  int64_t size = 0;
  std::string timeCreated;
  std::string timeLastModified;
};

struct SharePointContent {
  std::vector<WebEntry> sites;
  std::vector<ListEntry> lists;
  std::vector<DocumentEntry> documents;

  void clear() {
    sites.clear();
    lists.clear();
    documents.clear();
  }
};

}  // namespace pellora
