// One user table of a synthetic database as the engine lays it out: each
// column's physical place (fixed offset or variable entry, null bit, bit
// position), the catalog rows that describe it (syscolpars, sysrscols), and
// records made from a row of cells.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "kit/content_db_schema.h"
#include "kit/physical_layout_rows.h"
#include "kit/system_rows.h"
#include "storage/page_id.h"

namespace pellora::kit {

// One column's value in a row: NULL, stored bytes, or (complex) an in-row
// large-value root.
struct Cell {
  bool null = true;
  bool complex = false;
  std::vector<uint8_t> bytes;
};

struct ColumnPlace {
  int32_t columnId = 0;    // from 1; also the null bit and the rowset column id
  int16_t leafOffset = 0;  // >= 4 in the fixed part, -(k+1) for variable entry k
  int16_t bitPosition = 0;
  bool variable = false;
};

class ContentTable {
 public:
  ContentTable(std::string name, std::vector<ContentColumn> columns, int32_t objectId, uint64_t rowsetId);

  const std::string& name() const { return name_; }
  int32_t objectId() const { return objectId_; }
  uint64_t rowsetId() const { return rowsetId_; }
  const std::vector<ContentColumn>& columns() const { return columns_; }
  const std::vector<ColumnPlace>& places() const { return places_; }
  bool hasColumn(const std::string& name) const { return index_.count(name) != 0; }

  std::vector<ColumnRow> columnRows(int32_t collationId) const;
  std::vector<RowsetColumnRow> rowsetColumnRows() const;
  // The syscolumns rows of a SQL Server 2000 file: the place of a fixed
  // column, or -(k+1) for variable entry k, as both offsets.
  std::vector<LegacyColumnRow> legacyColumnRows(int32_t collationId) const;

  // A row whose NOT NULL columns hold zeros (fixed) or an empty value
  // (variable), its other columns NULL. Bit columns always hold a value.
  std::vector<Cell> blankRow() const;
  // Sets the column `name` of `row`; a name the table lacks is ignored, so
  // one filler serves every generation.
  void set(std::vector<Cell>& row, const std::string& name, std::vector<uint8_t> bytes, bool complex = false) const;

  // The record of `row`, of record kind `kind` (0 primary, 6 ghost).
  std::vector<uint8_t> record(const std::vector<Cell>& row, int kind = 0) const;
  // The record of `row` moved to another page (kind 1, forwarded): every
  // variable column keeps its entry, and one more complex column points
  // back at `stub`, the forwarding stub that took the row's place.
  std::vector<uint8_t> forwardedRecord(const std::vector<Cell>& row, RowId stub) const;

 private:
  std::vector<uint8_t> build(const std::vector<Cell>& row, int kind, const RowId* stub) const;

  std::string name_;
  std::vector<ContentColumn> columns_;
  int32_t objectId_;
  uint64_t rowsetId_;
  std::vector<ColumnPlace> places_;
  std::map<std::string, size_t> index_;
  size_t fixedLength_ = 0;
  size_t variableCount_ = 0;
};

}  // namespace pellora::kit
