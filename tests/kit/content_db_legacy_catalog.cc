#include "kit/content_db_legacy_catalog.h"

namespace pellora::kit {

namespace {

constexpr int16_t kHeapIndexId = 0;
constexpr int16_t kClusteredIndexId = 1;

}  // namespace

void addLegacyTable(const LegacyTablePlace& place, int32_t collationId, CatalogRows& rows) {
  const ContentTable& table = *place.table;
  LegacyIndexRow data;
  data.objectId = table.objectId();
  data.indexId = place.heap ? kHeapIndexId : kClusteredIndexId;
  data.firstPage = place.firstPage.pageNumber;
  // A heap has no index root.
  if (!place.heap) data.rootPage = place.firstPage.pageNumber;
  data.firstIamPage = place.firstIam.pageNumber;
  data.rowCount = static_cast<int64_t>(place.rowCount);
  data.name = table.name();
  rows.legacyIndexes.push_back(data);
  if (place.firstTextIam.pageNumber != 0) {
    LegacyIndexRow text;
    text.objectId = table.objectId();
    text.indexId = static_cast<int16_t>(kLegacyTextIndexId);
    text.firstPage = place.firstTextPage.pageNumber;
    text.firstIamPage = place.firstTextIam.pageNumber;
    text.name = "t" + table.name();
    rows.legacyIndexes.push_back(text);
  }
  for (const LegacyColumnRow& row : table.legacyColumnRows(collationId)) rows.legacyColumns.push_back(row);
}

}  // namespace pellora::kit
