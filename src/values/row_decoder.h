// The row decoder: the records of one data page of a table, split into one
// display value per column of the table's layouts. Positions, lengths and
// NULL tests come from the record bytes and the layouts alone.
//
// Four operations share one algorithm. decodeRows and decodeRowsLegacy list
// a table's rows (positions from the physical layout, or from the SQL Server
// 2000 offsets and running positions); the two definition operations read
// the object values table, with no NULL tests and never a placeholder.
#pragma once

#include <cstdint>
#include <vector>

#include "storage/primary_record_page.h"
#include "storage/run_flags.h"
#include "values/column_code_page.h"
#include "values/column_layout.h"

namespace pellora {

class DatabaseFile;

// Shown instead of a large value kept in an in-row root while a table is
// listed on screen, where reading every such value would hold up the list.
inline constexpr const char* kBigBinaryPlaceholder = "<BIG BINARY DATA>";

struct RowDecoding {
  // Where large values are read from; none: they read as empty.
  DatabaseFile* file = nullptr;
  // Stop request, listing mode, legacy catalog flag and "Show deleted
  // records". None: all clear.
  const RunFlags* flags = nullptr;
  const CollationMap* collations = nullptr;
  const DatabaseCollation* database = nullptr;
  // While listing, in-row large-value roots show the placeholder. Off for an
  // export, which writes every value in full.
  bool placeholders = true;
};

// Rows of the page's records in slot order. Records that are missing,
// damaged, index records or (unless shown) deleted give no row. A cell the
// record does not fill is empty. The layouts' ordinals may be replaced by
// column ids for columns beyond the record's column count.
std::vector<DecodedRow> decodeRows(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                   const RowDecoding& decoding);
std::vector<DecodedRow> decodeRowsLegacy(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                         const RowDecoding& decoding);
std::vector<DecodedRow> decodeDefinitionRows(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                             const RowDecoding& decoding);
std::vector<DecodedRow> decodeDefinitionRowsLegacy(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                                   const RowDecoding& decoding);

// Bit n (from 0) of the null bitmap, least significant bit first; false
// when the bitmap does not reach it.
bool isNullBitSet(const std::vector<uint8_t>& bitmap, int64_t n);

}  // namespace pellora
