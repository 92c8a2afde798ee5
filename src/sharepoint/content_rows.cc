#include "sharepoint/content_rows.h"

#include <cstdlib>

namespace pellora {

namespace {

const std::string& valueAt(const DecodedRow& row, int index) {
  static const std::string kEmpty;
  return index >= 0 && static_cast<size_t>(index) < row.size() ? row[static_cast<size_t>(index)].display() : kEmpty;
}

// The site and list rule: the identifier from the first shown column when it
// has the identifier's name, then the named columns after it, the last of a
// repeated name winning.
struct NamedFields {
  std::string id, second, third;
};

NamedFields namedFields(const DecodedRow& row, const TableRows& table, const char* idName, const char* secondName,
                        const char* thirdName) {
  NamedFields fields;
  const size_t first = table.firstShownColumn;
  const bool firstIsId = first < table.columns.size() && table.columns[first].name == idName;
  if (firstIsId) fields.id = trimmed(valueAt(row, static_cast<int>(first)));
  for (size_t i = first + 1; i < table.columns.size() && i < row.size(); ++i) {
    const std::string& name = table.columns[i].name;
    if (name == idName && !firstIsId) fields.id = trimmed(row[i].display());
    if (name == secondName) fields.second = row[i].display();
    if (name == thirdName) fields.third = row[i].display();
  }
  return fields;
}

int columnNamed(const TableRows& table, const char* name) {
  int found = -1;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    if (table.columns[i].name == name) found = static_cast<int>(i);
  }
  return found;
}

int64_t decimalOf(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

}  // namespace

std::string trimmed(const std::string& text) {
  const char* blanks = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

WebEntry webEntryOf(const DecodedRow& row, const TableRows& table) {
  NamedFields fields = namedFields(row, table, "Id", "SiteId", "Title");
  return WebEntry{fields.id, fields.second, fields.third, nullptr};
}

ListEntry listEntryOf(const DecodedRow& row, const TableRows& table) {
  NamedFields fields = namedFields(row, table, "tp_WebId", "tp_ID", "tp_Title");
  return ListEntry{fields.id, fields.second, fields.third, nullptr};
}

DocumentColumns::DocumentColumns(const TableRows& table) : table_(table) {
  id_ = columnNamed(table, "Id");
  siteId_ = columnNamed(table, "SiteId");
  listId_ = columnNamed(table, "ListId");
  type_ = columnNamed(table, "Type");
  dirName_ = columnNamed(table, "DirName");
  webId_ = columnNamed(table, "WebId");
  leafName_ = columnNamed(table, "LeafName");
  size_ = columnNamed(table, "Size");
  timeCreated_ = columnNamed(table, "TimeCreated");
  timeLastModified_ = columnNamed(table, "TimeLastModified");
}

bool DocumentColumns::entryOf(const DecodedRow& row, DocumentEntry& entry) const {
  const std::string& first = valueAt(row, static_cast<int>(table_.firstShownColumn));
  if (first.empty() || first == "NULL") return false;
  entry.id = trimmed(valueAt(row, id_));
  entry.siteId = valueAt(row, siteId_);
  entry.listId = valueAt(row, listId_);
  entry.type = static_cast<uint8_t>(decimalOf(valueAt(row, type_)));
  entry.dirName = valueAt(row, dirName_);
  entry.webId = valueAt(row, webId_);
  entry.leafName = valueAt(row, leafName_);
  entry.size = decimalOf(valueAt(row, size_));
  entry.timeCreated = valueAt(row, timeCreated_);
  entry.timeLastModified = valueAt(row, timeLastModified_);
  return true;
}

}  // namespace pellora
