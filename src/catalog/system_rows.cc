#include "catalog/system_rows.h"

#include <cstdio>

#include "platform/codepage.h"

namespace pellora {

namespace {

constexpr int32_t kIdentityStatus = 5;

// Fixed UTF-16 text of `units` code units, trailing white space removed.
std::string fixedUtf16(Bytes fixed, size_t offset, size_t units) {
  std::string text = utf16Text(sliceOf(fixed, offset, 2 * units));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

}  // namespace

std::optional<TableInfo> parseObjectRow(const RowFields& row, bool legacy, NameSubstitution& names) {
  if (!row.hasFixedData() || row.fixedLength() < 20) return std::nullopt;
  TableInfo object;
  row.read(object.objectId, 0);
  if (object.objectId <= 0) return std::nullopt;
  object.name = names.nameFor(row, "Repairname");
  row.read(object.schemaId, 4);
  row.read(object.namespaceClass, 8);
  row.read(object.status, 9);
  object.typeCode = row.fixedText(legacy ? 4 : 13, 2);
  row.read(object.parentObjectId, legacy && row.fixedLength() >= 28 ? 24 : 15);
  row.read(object.parentClass, 19);
  row.read(object.internalProperty, 20);
  return object;
}

std::string identityText(Bytes value) {
  int64_t seed = 1, increment = 1;
  size_t length = value.size();
  if (length >= 24) {
    if (s32At(value, 0) != 0 && s32At(value, 4) == 0) {
      seed = static_cast<int64_t>(u64At(value, 16));
      increment = static_cast<int64_t>(u64At(value, 8));
    } else {
      seed = s32At(value, 8);
      increment = s32At(value, 4);
    }
  } else if (length >= 12) {
    seed = s32At(value, 8);
    increment = s32At(value, 4);
  } else if (length >= 6) {
    seed = s16At(value, 4);
    increment = s16At(value, 2);
  }
  if (length >= 6 && seed == 0) seed = 1;
  char text[64];
  std::snprintf(text, sizeof text, "identity(%lld,%lld)", static_cast<long long>(seed),
                static_cast<long long>(increment));
  return text;
}

ColumnInfo parseColumnRow(const RowFields& row, NameSubstitution& names) {
  ColumnInfo column;
  column.name = names.nameFor(row, "RepairColumn");
  if (row.fixedLength() < 37) return column;
  row.read(column.objectId, 0);
  row.read(column.columnNumber, 4);
  row.read(column.columnId, 6);
  row.read(column.systemTypeId, 10);
  row.read(column.userTypeId, 11);
  row.read(column.maxLength, 15);
  row.read(column.precision, 17);
  row.read(column.scale, 18);
  row.read(column.collationId, 19);
  row.read(column.status, 23);
  row.read(column.maxInRowLength, 27);
  row.read(column.xmlCollectionId, 29);
  row.read(column.defaultObjectId, 33);
  row.read(column.checkObjectId, 37);
  const VariableColumn* identity = row.variable(2);
  if (column.status == kIdentityStatus && identity) {
    column.identityText = identityText(Bytes(identity->data.data(), identity->data.size()));
  }
  return column;
}

AllocUnitInfo parseAllocUnitRow(const RowFields& row) {
  AllocUnitInfo unit;
  if (row.fixedLength() < 39) return unit;
  row.read(unit.allocUnitId, 0);
  row.read(unit.type, 8);
  row.read(unit.ownerId, 9);
  row.read(unit.status, 17);
  row.read(unit.fileGroupId, 21);
  row.readPageId(unit.firstPage, 23);
  row.readPageId(unit.rootPage, 29);
  row.readPageId(unit.firstIamPage, 35);
  return unit;
}

RowsetInfo parseRowsetRow(const RowFields& row) {
  RowsetInfo rowset;
  if (row.fixedLength() < 27) return rowset;
  row.read(rowset.rowsetId, 0);
  row.read(rowset.ownerType, 8);
  row.read(rowset.objectId, 9);
  row.read(rowset.indexId, 13);
  row.read(rowset.partitionNumber, 17);
  row.read(rowset.status, 21);
  row.read(rowset.fileGroupId, 25);
  row.read(rowset.rowCount, 27);
  return rowset;
}

RowsetColumnInfo parseRowsetColumnRow(const RowFields& row) {
  RowsetColumnInfo column;
  if (row.fixedLength() < 48) return column;
  row.read(column.rowsetId, 0);
  row.read(column.rowsetColumnId, 8);
  row.read(column.hobtColumnId, 12);
  row.read(column.modificationCounter, 16);
  row.read(column.typeInfo, 24);
  row.read(column.columnId, 28);
  row.read(column.keyOrdinal, 32);
  row.read(column.maxInRowLength, 34);
  row.read(column.status, 36);
  row.read(column.offset, 40);
  row.read(column.nullBit, 44);
  row.read(column.bitPosition, 48);
  return column;
}

RowsetColumnMapEntry parseRowsetColumnMapRow(const RowFields& row) {
  RowsetColumnMapEntry entry;
  row.read(entry.rowsetId, 0);
  row.read(entry.rowsetColumnId, 8);
  row.read(entry.hobtColumnId, 12);
  return entry;
}

HobtColumnInfo parseHobtColumnRow(const RowFields& row) {
  HobtColumnInfo column;
  row.read(column.hobtId, 0);
  row.read(column.hobtColumnId, 8);
  row.read(column.value27, 27);
  row.read(column.value33, 33);
  return column;
}

std::optional<ScalarTypeInfo> parseScalarTypeRow(const RowFields& row) {
  if (!row.hasFixedData()) return std::nullopt;
  ScalarTypeInfo type;
  type.name = row.variableText(1);
  if (row.fixedLength() < 34) return type;
  row.read(type.typeId, 0);
  row.read(type.schemaId, 4);
  row.read(type.systemTypeId, 8);
  row.read(type.length, 9);
  row.read(type.precision, 11);
  row.read(type.scale, 12);
  row.read(type.collationId, 13);
  row.read(type.status, 17);
  return type;
}

IndexInfo parseIndexRow(const RowFields& row) {
  IndexInfo index;
  index.name = row.variableText(1);
  if (row.fixedLength() < 27) return index;
  row.read(index.objectId, 0);
  row.read(index.indexId, 4);
  row.read(index.status, 8);
  row.read(index.internalProperty, 12);
  row.read(index.fillFactor, 16);
  row.read(index.type, 17);
  row.read(index.tinyProperty, 18);
  row.read(index.dataSpaceId, 19);
  row.read(index.lobDataSpaceId, 23);
  row.read(index.rowsetId, 27);
  return index;
}

IndexColumnInfo parseIndexColumnRow(const RowFields& row) {
  IndexColumnInfo column;
  if (row.fixedLength() < 21) return column;
  row.read(column.objectId, 0);
  row.read(column.indexId, 4);
  row.read(column.keyOrdinal, 8);
  row.read(column.status, 12);
  row.read(column.columnId, 16);
  row.read(column.tinyProperty1, 20);
  row.read(column.tinyProperty2, 21);
  return column;
}

std::optional<ObjectRefInfo> parseObjectRefRow(const RowFields& row) {
  if (!row.hasFixedData()) return std::nullopt;
  ObjectRefInfo ref;
  row.read(ref.refClass, 0);
  row.read(ref.dependentId, 1);
  row.read(ref.dependentSubId, 5);
  row.read(ref.independentId, 9);
  row.read(ref.independentSubId, 13);
  row.read(ref.status, 17);
  return ref;
}

DataFileEntry parseFileRow(const RowFields& row) {
  DataFileEntry file;
  if (row.fixedLength() < 520) return file;
  row.read(file.status, 0);
  int16_t fileId = 0;
  row.read(fileId, 4);
  file.fileId = fileId;
  file.logicalName = fixedUtf16(row.fixed(), 6, 128);
  file.physicalPath = fixedUtf16(row.fixed(), 262, 260);
  return file;
}

std::optional<LegacyIndexInfo> parseLegacyIndexRow(const RowFields& row, const CPage_Header& page) {
  int16_t indexId = 0;
  row.read(indexId, 14);
  if (row.fixedLength() < 64 || indexId != 1 || page.pageType != 1) return std::nullopt;
  LegacyIndexInfo index;
  row.read(index.objectId, 0);
  index.fileId = page.thisPage.fileId;
  index.indexId = indexId;
  row.read(index.firstPage, 8);
  row.read(index.firstIamPage, 64);
  return index;
}

std::optional<LegacyColumnInfo> parseLegacyColumnRow(const RowFields& row, int16_t recordColumnCount) {
  if (!row.hasFixedData()) return std::nullopt;
  LegacyColumnInfo column;
  column.name = row.variableText(1);
  row.read(column.objectId, 0);
  row.read(column.xtype, 4);
  row.read(column.typeStatus, 5);
  row.read(column.userType, 6);
  row.read(column.length, 8);
  row.read(column.precision, 10);
  row.read(column.scale, 11);
  row.read(column.columnId, 12);
  row.read(column.fixedOffset, 14);
  row.read(column.bitPosition, 16);
  row.read(column.reserved, 17);
  row.read(column.columnStatus, 18);
  row.read(column.defaultObject, 20);
  row.read(column.domain, 24);
  row.read(column.number, 28);
  row.read(column.columnOrder, 30);
  row.read(column.offset, 32);
  if (recordColumnCount >= 21 && row.fixedLength() >= 38) row.read(column.collationId, 34);
  if (recordColumnCount >= 21 && row.fixedLength() >= 43) row.read(column.statusByte, 42);
  return column;
}

}  // namespace pellora
