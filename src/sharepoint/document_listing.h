// The documents a list or folder node lists: its direct children that stand
// for documents, in tree order. Deeper descendants and other children are
// not listed; a child naming no known document is skipped.
#pragma once

#include <vector>

#include "catalog/tree_model.h"
#include "sharepoint/content_entries.h"

namespace pellora {

std::vector<const DocumentEntry*> listedDocuments(const TreeNode& folder,
                                                  const std::vector<DocumentEntry>& documents);

}  // namespace pellora
