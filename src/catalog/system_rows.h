// One parser per system table: each turns a row into the catalog's record of
// it, or says the row is not taken.
#pragma once

#include <optional>

#include "catalog/catalog_rows.h"
#include "catalog/row_fields.h"
#include "storage/database_file.h"

namespace pellora {

// Objects (sysschobjs; in the SQL Server 2000 layout, sysobjects).
std::optional<TableInfo> parseObjectRow(const RowFields& row, bool legacy, NameSubstitution& names);
ColumnInfo parseColumnRow(const RowFields& row, NameSubstitution& names);
AllocUnitInfo parseAllocUnitRow(const RowFields& row);
RowsetInfo parseRowsetRow(const RowFields& row);
RowsetColumnInfo parseRowsetColumnRow(const RowFields& row);
RowsetColumnMapEntry parseRowsetColumnMapRow(const RowFields& row);
HobtColumnInfo parseHobtColumnRow(const RowFields& row);
std::optional<ScalarTypeInfo> parseScalarTypeRow(const RowFields& row);
IndexInfo parseIndexRow(const RowFields& row);
IndexColumnInfo parseIndexColumnRow(const RowFields& row);
std::optional<ObjectRefInfo> parseObjectRefRow(const RowFields& row);
DataFileEntry parseFileRow(const RowFields& row);
// sysindexes rows of clustered-or-heap index 1 on data pages only.
std::optional<LegacyIndexInfo> parseLegacyIndexRow(const RowFields& row, const CPage_Header& page);
std::optional<LegacyColumnInfo> parseLegacyColumnRow(const RowFields& row, int16_t recordColumnCount);

// "identity(seed,increment)" from the stored identity value of a column.
std::string identityText(Bytes value);

}  // namespace pellora
