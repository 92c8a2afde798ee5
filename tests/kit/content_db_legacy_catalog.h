// The catalog of a synthetic content database in a SQL Server 2000 file:
// sysobjects, and for each SharePoint table its sysindexes rows (the heap
// or clustered index that names its first data page and IAM page, and the
// text index of its ntext and image values) and its syscolumns rows.
#pragma once

#include <cstdint>

#include "kit/content_db_table.h"
#include "kit/primary_file.h"
#include "storage/page_id.h"

namespace pellora::kit {

// Index id of the text and image pages of a table.
constexpr uint16_t kLegacyTextIndexId = 255;

// Where one table's pages are; a zero page number where it has none.
struct LegacyTablePlace {
  const ContentTable* table = nullptr;
  bool heap = false;
  PageId firstPage{0, 0}, firstIam{0, 0};
  uint64_t rowCount = 0;
  PageId firstTextPage{0, 0}, firstTextIam{0, 0};
};

// Adds the table's sysindexes and syscolumns rows to `rows`; its sysobjects
// row is the caller's, as the other generations' objects are.
void addLegacyTable(const LegacyTablePlace& place, int32_t collationId, CatalogRows& rows);

}  // namespace pellora::kit
