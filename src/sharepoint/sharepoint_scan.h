// The SharePoint stages of a run: the sites of Webs (or AllWebs when Webs is
// not a table), the lists of AllLists and the documents of AllDocs, read
// into the content model and the document tree.
#pragma once

#include "catalog/record_listing.h"
#include "sharepoint/document_tree.h"

namespace pellora {

class SharePointScan {
 public:
  SharePointScan(TableReader& reader, Notifier& notifier, RowDecoding decoding, bool advancedMode,
                 TreeModel& documentTree, SharePointContent& content)
      : reader_(reader),
        notifier_(notifier),
        decoding_(decoding),
        advancedMode_(advancedMode),
        tree_(documentTree, content),
        content_(content) {}

  void readSites();
  void readLists();
  void readDocuments();
  void buildDataBranch() { tree_.buildDataBranch(); }
  DocumentTree& tree() { return tree_; }
  // Rows the builders counted, as the listing's total.
  int64_t totalRows() const { return totalRows_; }

 private:
  enum class Stage { kSites, kLists, kDocuments };
  // Prepares `name` as a user table; false when it is not one.
  bool prepare(const char* name);
  void readRows(Stage stage);

  TableReader& reader_;
  Notifier& notifier_;
  RowDecoding decoding_;
  bool advancedMode_;
  DocumentTree tree_;
  SharePointContent& content_;
  int64_t totalRows_ = 0;
};

}  // namespace pellora
