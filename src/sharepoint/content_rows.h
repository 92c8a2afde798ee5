// The builders of the SharePoint model: one site per Webs/AllWebs row, one
// list per AllLists row, one document per AllDocs row, each field taken
// from the column of its name (a column the table lacks leaves it empty).
#pragma once

#include "catalog/table_reader.h"
#include "sharepoint/content_entries.h"

namespace pellora {

WebEntry webEntryOf(const DecodedRow& row, const TableRows& table);
ListEntry listEntryOf(const DecodedRow& row, const TableRows& table);

// Positions of the document columns in a table's layouts, found once.
class DocumentColumns {
 public:
  explicit DocumentColumns(const TableRows& table);
  // False for a row whose first value is empty or "NULL".
  bool entryOf(const DecodedRow& row, DocumentEntry& entry) const;

 private:
  const TableRows& table_;
  int id_ = -1, siteId_ = -1, listId_ = -1, type_ = -1, dirName_ = -1, webId_ = -1, leafName_ = -1, size_ = -1,
      timeCreated_ = -1, timeLastModified_ = -1;
};

// White space removed at both ends.
std::string trimmed(const std::string& text);

}  // namespace pellora
