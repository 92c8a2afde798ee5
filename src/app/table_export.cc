#include "app/table_export.h"

#include "catalog/record_listing.h"

namespace pellora {

bool exportPreparedTable(TableReader& reader, const RowDecoding& decoding, const TableExport& how,
                         Notifier& notifier, const std::function<bool(const std::string&)>& write) {
  const TableRows& table = reader.prepared();
  if (!write(delimitedLine(shownColumnNames(table, how.legacyCatalog), how.format))) return false;
  RecordListModel unused;
  RecordListing listing(reader, unused, notifier, decoding);
  bool written = true;
  listing.forEachRow(how.advancedMode, [&](const DecodedRow& row) {
    DecodedRow cells = row;
    for (DecodedCell& cell : cells) {
      if (cell.null) cell = DecodedCell{how.nullText, false};
    }
    written = write(delimitedLine(shownCells(cells, table, how.legacyCatalog), how.format));
    return written;
  });
  return written;
}

}  // namespace pellora
