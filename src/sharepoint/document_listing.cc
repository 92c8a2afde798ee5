#include "sharepoint/document_listing.h"

#include "sharepoint/document_tree.h"

namespace pellora {

std::vector<const DocumentEntry*> listedDocuments(const TreeNode& folder,
                                                  const std::vector<DocumentEntry>& documents) {
  std::vector<const DocumentEntry*> listed;
  if (folder.tagKind != kFolderTag) return listed;
  for (const auto& child : folder.children) {
    if (child->tagKind != kDocumentTag || child->documentIndex < 0) continue;
    const auto index = static_cast<size_t>(child->documentIndex);
    if (index < documents.size()) listed.push_back(&documents[index]);
  }
  return listed;
}

}  // namespace pellora
