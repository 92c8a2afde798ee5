// The table reader: from a table's name to everything needed to list its
// rows without a server — the object, its rowset and allocation unit, the
// list of its data pages, and one ColumnLayout per column saying where each
// value lies in a record. Objects that are not tables are answered with
// their id, type code and name instead.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalog/database_catalog.h"
#include "values/column_layout.h"
#include "values/row_decoder.h"

namespace pellora {

// One row of the object values table: the object it belongs to, the sub-id
// (a column's ordinal for computed columns) and the stored bytes as "0x" and
// hexadecimal digits.
struct DefinitionEntry {
  std::string objectIdText;
  std::string subIdText;
  std::string valueText;
};

using DefinitionList = std::vector<DefinitionEntry>;

// The bytes of a definition value text ("0x" and hexadecimal digits).
std::vector<uint8_t> definitionValueBytes(const std::string& hexValue);
// Definition values are UTF-16 text when any byte after the first is zero.
bool isUtf16Definition(const std::vector<uint8_t>& bytes);
// The stored text of a definition value: UTF-16 or 8-bit text in the ANSI
// code page, as isUtf16Definition says.
std::string definitionValueText(const std::string& hexValue);

struct IndexKeyColumn {
  IndexColumnInfo column;
  int32_t indexStatus = 0;
};

// The prepared table.
struct TableRows {
  TableInfo currentObject;
  bool isTable = false;
  RowsetInfo rowset;
  AllocUnitInfo allocationUnit;
  std::vector<RowsetInfo> tableRowsets;
  std::vector<AllocUnitInfo> tableAllocationUnits;
  std::vector<PageId> pages;
  bool deduplicating = false;
  ColumnLayouts columns;
  size_t firstShownColumn = 0;
  std::vector<ColumnInfo> tableColumns;
  std::vector<LegacyColumnInfo> legacyTableColumns;
  std::vector<RowsetColumnInfo> physicalLayout;
  std::vector<HobtColumnInfo> hobtLayout;
  std::vector<TableInfo> constraintObjects;
  std::vector<IndexKeyColumn> keyColumns;
};

// A column's layout before the catalog's details are filled in: name, type
// text and code, the declared length the decoders get, and whether the
// column lives in the variable part of the record.
ColumnLayout newColumnLayout(const std::string& name, const std::string& typeText, TypeCode code);

// Type codes of the objects that are not tables.
bool isNonTableType(const std::string& typeCode);

class TableReader {
 public:
  TableReader(DatabaseCatalog& catalog, DatabaseFile& file) : catalog_(catalog), file_(file) {}

  // Prepares the object `name` of type `typeCode` and returns its column
  // layouts; for an object that is not a table, three layouts whose values
  // are its id, type code and name. Empty when no such object exists, and
  // the prepared table then stays as it was.
  ColumnLayouts readTable(const std::string& name, const std::string& typeCode,
                          const DefinitionList& definitions);

  const TableRows& prepared() const { return prepared_; }
  TableRows& prepared() { return prepared_; }

  // The rows of one data page of the prepared table; none when the page is
  // missing or not a data page.
  std::vector<DecodedRow> readPageRows(PageId id, ColumnLayouts& layouts, const RowDecoding& decoding);

  // Whether readPageRows uses the physical layout (else the legacy rules).
  bool usesPhysicalLayout() const;

  DatabaseCatalog& catalog() { return catalog_; }
  DatabaseFile& file() { return file_; }

 private:
  void chooseRowset();
  void chooseAllocationUnit();
  void collectTableRowsets();
  void collectTableAllocationUnits();
  void collectPages();
  // Data pages indexed under `key`; of one allocation unit only when given.
  void addPagesUnder(int32_t key, std::optional<uint64_t> allocationUnitId);
  void collectTableColumns();
  void collectPhysicalLayout();
  void collectKeyColumns();
  void buildLayouts();
  ColumnLayout layoutOf(const ColumnInfo& column) const;
  ColumnLayout layoutOf(const LegacyColumnInfo& column) const;
  std::string typeNameOf(int32_t systemTypeId, int32_t userTypeId) const;
  void applyPhysicalLayout(const DefinitionList& definitions);
  void applyKeysAndForeignKeys();

  DatabaseCatalog& catalog_;
  DatabaseFile& file_;
  TableRows prepared_;
  std::set<std::pair<uint16_t, uint32_t>> pageKeys_;
};

}  // namespace pellora
