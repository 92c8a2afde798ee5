// The rows of the system tables, as the catalog keeps them. Every field has
// the default that a row too short to hold it keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/page_id.h"

namespace pellora {

struct TableInfo {
  int32_t objectId = -1;
  std::string name;
  int32_t schemaId = -1;
  uint8_t namespaceClass = 255;
  int32_t status = -1;
  std::string typeCode;  // two characters, trailing blank kept ("U ", "PK")
  int32_t parentObjectId = -1;
  uint8_t parentClass = 255;
  int32_t internalProperty = -1;
};

struct ColumnInfo {
  int32_t objectId = -1;
  int16_t columnNumber = -1;
  int32_t columnId = -1;
  std::string name;
  uint8_t systemTypeId = 255;
  int32_t userTypeId = -1;
  int16_t maxLength = -1;  // -1: max
  uint8_t precision = 255;
  uint8_t scale = 255;
  int32_t collationId = -1;
  int32_t status = -1;
  int16_t maxInRowLength = -1;
  int32_t xmlCollectionId = -1;
  int32_t defaultObjectId = -1;
  int32_t checkObjectId = -1;
  std::string identityText;
};

struct AllocUnitInfo {
  uint64_t allocUnitId = 0;
  uint8_t type = 255;
  uint64_t ownerId = 0;  // the rowset (container) id
  int32_t status = -1;
  uint16_t fileGroupId = 0;
  PageId firstPage{0, 0};
  PageId rootPage{0, 0};
  PageId firstIamPage{0, 0};
};

struct RowsetInfo {
  uint64_t rowsetId = 0;
  uint8_t ownerType = 255;
  int32_t objectId = -1;
  int32_t indexId = -1;
  int32_t partitionNumber = -1;
  int32_t status = -1;
  uint16_t fileGroupId = 0xFFFF;
  uint64_t rowCount = UINT64_MAX;
};

struct RowsetColumnInfo {
  uint64_t rowsetId = 0;
  int32_t rowsetColumnId = 0;
  int32_t hobtColumnId = 0;
  uint64_t modificationCounter = 0;
  int32_t typeInfo = 0;
  int32_t columnId = 0;
  int16_t keyOrdinal = 0;
  int16_t maxInRowLength = 0;
  int32_t status = 0;
  int32_t offset = 0;  // the leaf offset in its low 16 bits
  int32_t nullBit = 0;
  int16_t bitPosition = 0;
};

struct RowsetColumnMapEntry {
  uint64_t rowsetId = 0;
  int32_t rowsetColumnId = 0;
  int32_t hobtColumnId = 0;
};

struct HobtColumnInfo {
  uint64_t hobtId = 0;
  int32_t hobtColumnId = 0;
  int16_t value27 = 0;
  int16_t value33 = 0;
  int32_t rowsetColumnId = 0;  // filled by the table reader from the column map
};

struct ScalarTypeInfo {
  int32_t typeId = -1;
  int32_t schemaId = -1;
  std::string name;
  uint8_t systemTypeId = 255;
  int16_t length = -1;
  uint8_t precision = 255;
  uint8_t scale = 255;
  int32_t collationId = -1;
  int32_t status = -1;
};

struct IndexInfo {
  int32_t objectId = -1;
  int32_t indexId = -1;
  std::string name;
  int32_t status = -1;
  int32_t internalProperty = -1;
  uint8_t fillFactor = 255;
  uint8_t type = 255;
  uint8_t tinyProperty = 255;
  int32_t dataSpaceId = -1;
  int32_t lobDataSpaceId = -1;
  uint64_t rowsetId = 0;
};

struct IndexColumnInfo {
  int32_t objectId = -1;
  int32_t indexId = -1;
  int32_t keyOrdinal = -1;
  int32_t status = -1;
  int32_t columnId = -1;
  uint8_t tinyProperty1 = 255;
  uint8_t tinyProperty2 = 255;
};

struct ObjectRefInfo {
  uint8_t refClass = 0;
  int32_t dependentId = 0;
  int32_t dependentSubId = 0;
  int32_t independentId = 0;
  int32_t independentSubId = 0;
  int32_t status = 0;
};

struct ForeignKeyColumnInfo {
  int32_t constraintId = 0;
  int32_t columnOrdinal = 0;
  int32_t parentTableId = 0;
  int32_t parentColumnId = 0;
  int32_t referencedTableId = 0;
  int32_t referencedColumnId = 0;
  std::string referencedTableName;
  std::string referencedColumnName;
};

struct LegacyIndexInfo {
  int32_t objectId = 0;
  int32_t fileId = 0;
  int32_t indexId = 0;
  int32_t firstPage = 0;
  int32_t firstIamPage = 0;
};

struct LegacyColumnRef {
  std::string name;
  int16_t columnOrder = 0;
  uint8_t typeStatus = 0;
};

struct LegacyTableInfo {
  int32_t objectId = 0;
  std::string name;
  std::vector<LegacyColumnRef> columns;
};

struct LegacyColumnInfo {
  std::string name;
  int32_t objectId = 0;
  uint8_t xtype = 0;
  uint8_t typeStatus = 0;
  int16_t userType = 0;
  int16_t length = 0;
  uint8_t precision = 0;
  uint8_t scale = 0;
  int16_t columnId = 0;
  int16_t fixedOffset = 0;
  uint8_t bitPosition = 0;
  uint8_t reserved = 0;
  int16_t columnStatus = 0;
  int32_t defaultObject = 0;
  int32_t domain = 0;
  int16_t number = 0;
  int16_t columnOrder = 0;
  int16_t offset = 0;
  int32_t collationId = 0;
  uint8_t statusByte = 0;
};

}  // namespace pellora
