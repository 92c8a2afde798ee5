// The catalog of a synthetic content database beyond its tables: the
// primary key of every SharePoint table (a constraint object, the index
// that enforces it and its key columns in key order), and the stored source
// text of its views and procedures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kit/content_db_schema.h"
#include "kit/content_db_table.h"
#include "kit/index_rows.h"
#include "kit/object_value_rows.h"
#include "kit/system_rows.h"

namespace pellora::kit {

// Object ids of the procedures.
constexpr int32_t kListsOfWebProcedureId = 261575970;
constexpr int32_t kDocStreamProcedureId = 277576027;
constexpr int32_t kChildFoldersProcedureId = 293576084;

struct ContentKey {
  std::string name;
  std::vector<std::string> columns;  // in key order
};

// The primary key of the SharePoint table `table`; no name when it has none.
ContentKey primaryKeyOf(const std::string& table);

// A view or procedure with the source text its sysobjvalues row keeps.
struct ContentModule {
  int32_t objectId = 0;
  std::string name;
  std::string typeCode;  // "V " or "P "
  std::string text;
};

// The views and procedures of the layout: Docs always, Webs from 2010, and
// the procedures.
std::vector<ContentModule> contentModules(ContentLayout layout);

struct KeyRows {
  std::vector<ObjectRow> objects;
  std::vector<IndexRow> indexes;
  std::vector<IndexColumnRow> indexColumns;
};

// Adds `table`'s primary key to `rows`: its constraint object (id
// `constraintId`), its index and key columns. A heap keeps its rows apart
// from the key, which is then a nonclustered index beside the heap's own
// index row; a clustered table's key is its clustered index.
void addPrimaryKey(const ContentTable& table, bool heap, int32_t constraintId, KeyRows& rows);

}  // namespace pellora::kit
