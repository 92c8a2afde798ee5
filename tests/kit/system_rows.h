// Rows of the system tables that the catalog maps, as uncompressed records
// with the full fixed part that the database engine writes, so every field
// the catalog reads is present. Each table has a struct of its fields and one
// function that makes the record; systemTablePages() lays rows out on pages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kit/data_file_builder.h"
#include "kit/page_builder.h"

namespace pellora::kit {

// Object ids of the system tables, as their pages carry them.
constexpr int32_t kSysObjectsLegacy = 1;  // SQL Server 2000 catalog
constexpr int32_t kSysIndexesLegacy = 2;
constexpr int32_t kSysColumnsLegacy = 3;
constexpr int32_t kSysRowsets = 5;
constexpr int32_t kSysAllocUnits = 7;
constexpr int32_t kSysFiles1 = 8;
constexpr int32_t kSysSchObjs = 34;
constexpr int32_t kSysColPars = 41;
constexpr int32_t kSysSingleObjRefs = 74;

// Lengths of the rows' fixed parts.
constexpr size_t kObjectRowFixedLength = 40;
constexpr size_t kColumnRowFixedLength = 41;
constexpr size_t kAllocUnitRowFixedLength = 65;
constexpr size_t kRowsetRowFixedLength = 49;
constexpr size_t kFileRowFixedLength = 782;
constexpr size_t kObjectRefRowFixedLength = 21;
constexpr size_t kLegacyObjectRowFixedLength = 86;
constexpr size_t kLegacyIndexRowFixedLength = 78;
constexpr size_t kLegacyColumnRowFixedLength = 43;

// SQL Server type ids (xtype) the kit's tables use.
constexpr uint8_t kIntType = 56;
constexpr uint8_t kVarcharType = 167;

// A sysschobjs row, or in the SQL Server 2000 layout a sysobjects row.
struct ObjectRow {
  int32_t objectId = 0;
  // No value: the row has no variable column at all.
  std::optional<std::string> name;
  int32_t schemaId = 1;
  uint8_t namespaceClass = 0;
  int32_t status = 0;
  std::string typeCode = "U ";  // two characters, blank-padded
  int32_t parentObjectId = 0;
  uint8_t parentClass = 0;
  int32_t internalProperty = 0;
  // The fixed part is cut (or zero-padded) to this length when set.
  std::optional<size_t> fixedLength;
};

// sysschobjs: id 0, nsid 4, nsclass 8, status 9, type 13..14, pid 15,
// pclass 19, intprop 20, then the creation and modification times.
std::vector<uint8_t> objectRow(const ObjectRow& row);
// sysobjects: id 0, type 4..5, owner 6, parent 24; the other fields zero.
std::vector<uint8_t> legacyObjectRow(const ObjectRow& row);

// A syscolpars row.
struct ColumnRow {
  int32_t objectId = 0;
  int16_t number = 0;
  int32_t columnId = 0;
  // No value: the row has no variable column at all.
  std::optional<std::string> name;
  uint8_t systemTypeId = kIntType;
  int32_t userTypeId = kIntType;
  int16_t maxLength = 4;
  uint8_t precision = 10;
  uint8_t scale = 0;
  int32_t collationId = 0;
  int32_t status = 0;  // 5 marks an identity column
  int16_t maxInRowLength = 4;
  int32_t xmlCollectionId = 0;
  int32_t defaultObjectId = 0;
  int32_t checkObjectId = 0;
  // The stored identity value (variable column 2), when not empty.
  std::vector<uint8_t> identityValue;
};

// id 0, number 4, colid 6, xtype 10, utype 11, length 15, prec 17, scale 18,
// collation 19, status 23, maxinrow 27, xmlns 29, dflt 33, chk 37; name var 1.
std::vector<uint8_t> columnRow(const ColumnRow& row);
// The identity value in the 12-byte form: increment at 4, seed at 8.
std::vector<uint8_t> identityValue(int32_t seed, int32_t increment);

// A sysallocunits row.
struct AllocUnitRow {
  uint64_t allocUnitId = 0;
  uint8_t type = 1;  // in-row data
  uint64_t ownerId = 0;  // the rowset id
  int32_t status = 0;
  uint16_t fileGroupId = 1;
  PageId firstPage{0, 0};
  PageId rootPage{0, 0};
  PageId firstIamPage{0, 0};
};

// auid 0, type 8, ownerid 9, status 17, fgid 21, first page 23, root 29,
// first IAM 35 (page number then file id), then the page counters.
std::vector<uint8_t> allocUnitRow(const AllocUnitRow& row);

// A sysrowsets row.
struct RowsetRow {
  uint64_t rowsetId = 0;
  uint8_t ownerType = 1;
  int32_t objectId = 0;
  int32_t indexId = 0;
  int32_t partitionNumber = 1;
  int32_t status = 0;
  uint16_t fileGroupId = 1;
  uint64_t rowCount = 0;
};

// rowsetid 0, ownertype 8, idmajor 9, idminor 13, numpart 17, status 21,
// fgidfs 25, rcrows 27, then the compression and layout bytes.
std::vector<uint8_t> rowsetRow(const RowsetRow& row);

// A sysfiles1 row.
struct FileRow {
  int32_t status = 2;
  int16_t fileId = 1;
  std::string logicalName;   // blank-padded to 128 units
  std::string physicalPath;  // blank-padded to 260 units
};

// status 0, fileid 4, name 6 (128 UTF-16 units), filename 262 (260 units).
std::vector<uint8_t> fileRow(const FileRow& row);

// A syssingleobjrefs row.
struct ObjectRefRow {
  uint8_t refClass = 0;
  int32_t dependentId = 0;
  int32_t dependentSubId = 0;
  int32_t independentId = 0;
  int32_t independentSubId = 0;
  int32_t status = 0;
};

// class 0, depid 1, depsubid 5, indepid 9, indepsubid 13, status 17.
std::vector<uint8_t> objectRefRow(const ObjectRefRow& row);

// A SQL Server 2000 sysindexes row.
struct LegacyIndexRow {
  int32_t objectId = 0;
  int16_t indexId = 0;  // 0 a heap, 1 a clustered index
  int32_t firstPage = 0;
  int32_t rootPage = 0;
  int32_t firstIamPage = 0;
  int16_t fileId = 1;  // of the three page ids
  int64_t rowCount = 0;
  std::string name;
};

// id 0, status 4, first page 8, indid 14, root 16, rowcnt 40, first IAM 64;
// keys var 1 (empty), name var 2.
std::vector<uint8_t> legacyIndexRow(const LegacyIndexRow& row);

// A SQL Server 2000 syscolumns row.
struct LegacyColumnRow {
  int32_t objectId = 0;
  std::string name;
  uint8_t xtype = kIntType;
  uint8_t typeStatus = 0;
  int16_t userType = kIntType;
  int16_t length = 4;
  uint8_t precision = 10;
  uint8_t scale = 0;
  int16_t columnId = 0;
  int16_t fixedOffset = 0;
  int16_t columnOrder = 0;
  int16_t offset = 0;
  int32_t collationId = 0;
  uint8_t statusByte = 0;
};

// id 0, xtype 4, typestat 5, xusertype 6, length 8, xprec 10, xscale 11,
// colid 12, xoffset 14, colorder 30, offset 32, collationid 34, status 42;
// name var 1. The record counts 22 columns.
std::vector<uint8_t> legacyColumnRow(const LegacyColumnRow& row);

// Type-1 pages of system table `objectId` (the header's object id) holding
// `rows` in order, a new page whenever one is full. The pages carry no page
// number, so DataFileBuilder::setPage gives them their position.
std::vector<PageBuilder> systemTablePages(int32_t objectId, const std::vector<std::vector<uint8_t>>& rows);

// Puts systemTablePages(objectId, rows) at positions[0], positions[1], ...
// Aborts when the rows need more pages than positions were given.
void addSystemTable(DataFileBuilder& file, int32_t objectId, const std::vector<std::vector<uint8_t>>& rows,
                    const std::vector<uint64_t>& positions);

}  // namespace pellora::kit
