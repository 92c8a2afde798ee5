#include "kit/system_rows.h"

#include <cstdio>
#include <cstdlib>

#include "kit/byte_writes.h"
#include "kit/record_builder.h"
#include "kit/utf16.h"

namespace pellora::kit {

namespace {

// Columns each table's records count (fixed and variable together).
constexpr uint16_t kObjectColumns = 11;
constexpr uint16_t kColumnColumns = 16;
constexpr uint16_t kAllocUnitColumns = 11;
constexpr uint16_t kRowsetColumns = 17;
constexpr uint16_t kFileColumns = 4;
constexpr uint16_t kObjectRefColumns = 6;
constexpr uint16_t kLegacyObjectColumns = 24;
constexpr uint16_t kLegacyIndexColumns = 26;
constexpr uint16_t kLegacyColumnColumns = 22;

constexpr size_t kFileNameUnits = 128;
constexpr size_t kFilePathUnits = 260;

void putPageId(MutableBytes b, size_t offset, PageId id) {
  putU32(b, offset, static_cast<uint32_t>(id.pageNumber));
  putU16(b, offset + 4, static_cast<uint16_t>(id.fileId));
}

void putTypeCode(MutableBytes b, size_t offset, const std::string& code) {
  std::string two = (code + "  ").substr(0, 2);
  putBytes(b, offset, Bytes(reinterpret_cast<const uint8_t*>(two.data()), 2));
}

// nchar(units): the text cut to `units` and padded with blanks, as stored.
void putNchar(MutableBytes b, size_t offset, const std::string& utf8, size_t units) {
  std::u16string text = utf16FromUtf8(utf8).substr(0, units);
  text.resize(units, u' ');
  putBytes(b, offset, utf16leBytes(text));
}

Bytes asBytes(const std::vector<uint8_t>& v) { return Bytes(v.data(), v.size()); }

// A record of `fixed` with the name (when there is one) as variable column 1
// and the further variable columns after it.
std::vector<uint8_t> record(std::vector<uint8_t> fixed, uint16_t columns, const std::optional<std::string>& name,
                            const std::vector<std::vector<uint8_t>>& moreVariables = {}) {
  RecordBuilder builder;
  builder.fixed(asBytes(fixed)).columnCount(columns);
  if (name) {
    builder.variable(asBytes(utf16leBytes(*name)));
    for (const auto& value : moreVariables) builder.variable(asBytes(value));
  }
  return builder.build();
}

}  // namespace

std::vector<uint8_t> objectRow(const ObjectRow& row) {
  std::vector<uint8_t> fixed(kObjectRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putU32(fixed, 4, static_cast<uint32_t>(row.schemaId));
  putU8(fixed, 8, row.namespaceClass);
  putU32(fixed, 9, static_cast<uint32_t>(row.status));
  putTypeCode(fixed, 13, row.typeCode);
  putU32(fixed, 15, static_cast<uint32_t>(row.parentObjectId));
  putU8(fixed, 19, row.parentClass);
  putU32(fixed, 20, static_cast<uint32_t>(row.internalProperty));
  if (row.fixedLength) fixed.resize(*row.fixedLength, 0);
  return record(std::move(fixed), kObjectColumns, row.name);
}

std::vector<uint8_t> legacyObjectRow(const ObjectRow& row) {
  std::vector<uint8_t> fixed(kLegacyObjectRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putTypeCode(fixed, 4, row.typeCode);
  putU16(fixed, 6, static_cast<uint16_t>(row.schemaId));
  putU32(fixed, 24, static_cast<uint32_t>(row.parentObjectId));
  if (row.fixedLength) fixed.resize(*row.fixedLength, 0);
  return record(std::move(fixed), kLegacyObjectColumns, row.name);
}

std::vector<uint8_t> columnRow(const ColumnRow& row) {
  std::vector<uint8_t> fixed(kColumnRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putU16(fixed, 4, static_cast<uint16_t>(row.number));
  putU32(fixed, 6, static_cast<uint32_t>(row.columnId));
  putU8(fixed, 10, row.systemTypeId);
  putU32(fixed, 11, static_cast<uint32_t>(row.userTypeId));
  putU16(fixed, 15, static_cast<uint16_t>(row.maxLength));
  putU8(fixed, 17, row.precision);
  putU8(fixed, 18, row.scale);
  putU32(fixed, 19, static_cast<uint32_t>(row.collationId));
  putU32(fixed, 23, static_cast<uint32_t>(row.status));
  putU16(fixed, 27, static_cast<uint16_t>(row.maxInRowLength));
  putU32(fixed, 29, static_cast<uint32_t>(row.xmlCollectionId));
  putU32(fixed, 33, static_cast<uint32_t>(row.defaultObjectId));
  putU32(fixed, 37, static_cast<uint32_t>(row.checkObjectId));
  std::vector<std::vector<uint8_t>> more;
  if (!row.identityValue.empty()) more.push_back(row.identityValue);
  return record(std::move(fixed), kColumnColumns, row.name, more);
}

std::vector<uint8_t> identityValue(int32_t seed, int32_t increment) {
  std::vector<uint8_t> value(12, 0);
  putU32(value, 4, static_cast<uint32_t>(increment));
  putU32(value, 8, static_cast<uint32_t>(seed));
  return value;
}

std::vector<uint8_t> allocUnitRow(const AllocUnitRow& row) {
  std::vector<uint8_t> fixed(kAllocUnitRowFixedLength, 0);
  putU64(fixed, 0, row.allocUnitId);
  putU8(fixed, 8, row.type);
  putU64(fixed, 9, row.ownerId);
  putU32(fixed, 17, static_cast<uint32_t>(row.status));
  putU16(fixed, 21, row.fileGroupId);
  putPageId(fixed, 23, row.firstPage);
  putPageId(fixed, 29, row.rootPage);
  putPageId(fixed, 35, row.firstIamPage);
  return record(std::move(fixed), kAllocUnitColumns, std::nullopt);
}

std::vector<uint8_t> rowsetRow(const RowsetRow& row) {
  std::vector<uint8_t> fixed(kRowsetRowFixedLength, 0);
  putU64(fixed, 0, row.rowsetId);
  putU8(fixed, 8, row.ownerType);
  putU32(fixed, 9, static_cast<uint32_t>(row.objectId));
  putU32(fixed, 13, static_cast<uint32_t>(row.indexId));
  putU32(fixed, 17, static_cast<uint32_t>(row.partitionNumber));
  putU32(fixed, 21, static_cast<uint32_t>(row.status));
  putU16(fixed, 25, row.fileGroupId);
  putU64(fixed, 27, row.rowCount);
  return record(std::move(fixed), kRowsetColumns, std::nullopt);
}

std::vector<uint8_t> fileRow(const FileRow& row) {
  std::vector<uint8_t> fixed(kFileRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.status));
  putU16(fixed, 4, static_cast<uint16_t>(row.fileId));
  putNchar(fixed, 6, row.logicalName, kFileNameUnits);
  putNchar(fixed, 262, row.physicalPath, kFilePathUnits);
  return record(std::move(fixed), kFileColumns, std::nullopt);
}

std::vector<uint8_t> objectRefRow(const ObjectRefRow& row) {
  std::vector<uint8_t> fixed(kObjectRefRowFixedLength, 0);
  putU8(fixed, 0, row.refClass);
  putU32(fixed, 1, static_cast<uint32_t>(row.dependentId));
  putU32(fixed, 5, static_cast<uint32_t>(row.dependentSubId));
  putU32(fixed, 9, static_cast<uint32_t>(row.independentId));
  putU32(fixed, 13, static_cast<uint32_t>(row.independentSubId));
  putU32(fixed, 17, static_cast<uint32_t>(row.status));
  return record(std::move(fixed), kObjectRefColumns, std::nullopt);
}

std::vector<uint8_t> legacyIndexRow(const LegacyIndexRow& row) {
  std::vector<uint8_t> fixed(kLegacyIndexRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putPageId(fixed, 8, {row.fileId, row.firstPage});
  putU16(fixed, 14, static_cast<uint16_t>(row.indexId));
  putPageId(fixed, 16, {row.fileId, row.rootPage});
  putU64(fixed, 40, static_cast<uint64_t>(row.rowCount));
  putPageId(fixed, 64, {row.fileId, row.firstIamPage});
  RecordBuilder builder;
  builder.fixed(asBytes(fixed)).columnCount(kLegacyIndexColumns);
  builder.variable({}).variable(asBytes(utf16leBytes(row.name)));
  return builder.build();
}

std::vector<uint8_t> legacyColumnRow(const LegacyColumnRow& row) {
  std::vector<uint8_t> fixed(kLegacyColumnRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putU8(fixed, 4, row.xtype);
  putU8(fixed, 5, row.typeStatus);
  putU16(fixed, 6, static_cast<uint16_t>(row.userType));
  putU16(fixed, 8, static_cast<uint16_t>(row.length));
  putU8(fixed, 10, row.precision);
  putU8(fixed, 11, row.scale);
  putU16(fixed, 12, static_cast<uint16_t>(row.columnId));
  putU16(fixed, 14, static_cast<uint16_t>(row.fixedOffset));
  putU16(fixed, 30, static_cast<uint16_t>(row.columnOrder));
  putU16(fixed, 32, static_cast<uint16_t>(row.offset));
  putU32(fixed, 34, static_cast<uint32_t>(row.collationId));
  putU8(fixed, 42, row.statusByte);
  return record(std::move(fixed), kLegacyColumnColumns, row.name);
}

std::vector<PageBuilder> systemTablePages(int32_t objectId, const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<PageBuilder> pages;
  for (const std::vector<uint8_t>& row : rows) {
    bool fits = !pages.empty() && pages.back().appendOffset() + row.size() +
                                          2 * (static_cast<size_t>(pages.back().currentSlotCount()) + 1) <=
                                      kPageSize;
    if (!fits) pages.push_back(PageBuilder().type(PageType::kData).objectId(objectId));
    pages.back().addRecord(asBytes(row));
  }
  return pages;
}

void addSystemTable(DataFileBuilder& file, int32_t objectId, const std::vector<std::vector<uint8_t>>& rows,
                    const std::vector<uint64_t>& positions) {
  std::vector<PageBuilder> pages = systemTablePages(objectId, rows);
  if (pages.size() > positions.size()) {
    std::fprintf(stderr, "kit: the rows of object %d need %zu pages, %zu positions given\n", objectId,
                 pages.size(), positions.size());
    std::abort();
  }
  for (size_t i = 0; i < pages.size(); ++i) file.setPage(positions[i], pages[i]);
}

}  // namespace pellora::kit
