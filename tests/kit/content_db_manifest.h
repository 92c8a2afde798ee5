// The manifest of a synthetic content database: one tab-separated line per
// site (web), list, document or folder (doc) and document body (stream),
// with the values as the row decoder shows them, so a test or a person can
// check what a reader recovered against what was written. A row that was
// moved to another page (forwarded) is listed as live like any other.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "kit/content_db_model.h"

namespace pellora::kit {

// The header line, without its line end.
extern const char* const kManifestHeader;

// "live", "deleted" (a ghost) or "carvable" (its slot gone; found only by carving).
const char* stateName(RowState state);

std::string manifestText(const ContentModel& model);

// The lines of a manifest after its header, each as field name to value.
std::vector<std::map<std::string, std::string>> parseManifest(const std::string& text);

// A content table's columns that the manifest also shows, each with the
// manifest field it must equal; rows are matched by `idColumn` and "Id".
struct ManifestColumn {
  const char* column;
  const char* field;
};
struct ManifestTable {
  std::string table, kind, idColumn;
  std::vector<ManifestColumn> columns;
};

// The sites table (named `websTable`: Webs or AllWebs), AllLists and AllDocs.
std::vector<ManifestTable> manifestTables(const std::string& websTable);

}  // namespace pellora::kit
