#include "sharepoint/sharepoint_scan.h"

#include "sharepoint/content_rows.h"

namespace pellora {

bool SharePointScan::prepare(const char* name) {
  reader_.readTable(name, "U ", {});
  const TableRows& table = reader_.prepared();
  return table.isTable && table.currentObject.name == name;
}

void SharePointScan::readRows(Stage stage) {
  RunFlags& flags = reader_.file().flags();
  // SQL Server 2000 databases are read as plain tables in Standard mode:
  // their SharePoint rows build no entries.
  if (flags.legacyCatalog.load() && !advancedMode_) return;
  const TableRows& table = reader_.prepared();
  DocumentColumns documentColumns(table);
  RecordListModel unused;
  RecordListing listing(reader_, unused, notifier_, decoding_);
  int64_t counted = 0;
  listing.forEachDecodedRow(advancedMode_, [&](const DecodedRow& row) {
    if (row.empty()) return true;
    ++counted;
    switch (stage) {
      case Stage::kSites: content_.sites.push_back(webEntryOf(row, table)); break;
      case Stage::kLists: content_.lists.push_back(listEntryOf(row, table)); break;
      case Stage::kDocuments: {
        DocumentEntry entry;
        if (!documentColumns.entryOf(row, entry)) break;
        content_.documents.push_back(std::move(entry));
        if (content_.documents.back().listId.size() > 5) tree_.placeDocument(content_.documents.size() - 1);
        break;
      }
    }
    return true;
  });
  totalRows_ += counted;
  // A stop ends only this table; the run goes on with its next stage.
  flags.stopRequest = false;
}

void SharePointScan::readSites() {
  content_.sites.clear();
  if (prepare("Webs") || prepare("AllWebs")) readRows(Stage::kSites);
  tree_.addSites();
}

void SharePointScan::readLists() {
  if (prepare("AllLists")) readRows(Stage::kLists);
  tree_.addLists();
}

void SharePointScan::readDocuments() {
  if (prepare("AllDocs")) readRows(Stage::kDocuments);
}

}  // namespace pellora
