#include "kit/primary_file.h"

#include <algorithm>
#include <string>

#include "kit/record_builder.h"

namespace pellora::kit {

namespace {

constexpr uint16_t kSql2000Version = 539;
constexpr int16_t kNameLength = 50;

int32_t asPageNumber(uint64_t position) { return static_cast<int32_t>(position); }

constexpr int kGhostRecordKind = 6;

uint64_t recordsPerPage(const PrimaryFileLayout& layout) {
  return static_cast<uint64_t>(std::max(layout.recordsPerUserPage, 0));
}

bool laidOutOneByOne(const PrimaryFileLayout& layout) {
  return layout.userRecordCount || layout.linkedUserPages || !layout.userRecordNames.empty() ||
         !layout.blankUserRecords.empty() || !layout.ghostUserRecords.empty();
}

std::vector<uint8_t> userRecord(int64_t id, const std::optional<std::string>& name, int kind = 0) {
  RecordBuilder record;
  record.kind(kind).fixedU32(static_cast<uint32_t>(id)).columnCount(2);
  if (name) {
    record.variable(Bytes(reinterpret_cast<const uint8_t*>(name->data()), name->size()));
  } else {
    record.nullColumn(1);
  }
  return record.build();
}

std::vector<uint8_t> userRecord(int64_t id) { return userRecord(id, "row " + std::to_string(id)); }

// Record `number` (from 1 across the table) as the per-record fields say.
std::vector<uint8_t> numberedUserRecord(const PrimaryFileLayout& layout, uint64_t number) {
  if (layout.blankUserRecords.count(number)) {
    return RecordBuilder().columnCount(2).nullColumn(0).nullColumn(1).build();
  }
  std::optional<std::string> name = "row " + std::to_string(number);
  if (auto chosen = layout.userRecordNames.find(number); chosen != layout.userRecordNames.end()) {
    name = chosen->second;
  }
  const int kind = layout.ghostUserRecords.count(number) ? kGhostRecordKind : 0;
  return userRecord(static_cast<int64_t>(number), name, kind);
}

std::vector<ObjectRow> sampleObjects(const PrimaryFileLayout& layout) {
  ObjectRow table;
  table.objectId = layout.userObjectId;
  table.name = layout.userTableName;
  ObjectRow view = table;
  view.objectId = kSampleViewId, view.name = "SampleView", view.typeCode = "V ";
  ObjectRow procedure = table;
  procedure.objectId = kSampleProcedureId, procedure.name = "SampleProcedure", procedure.typeCode = "P ";
  return {table, view, procedure};
}

// The columns of the user records: an int id, then a varchar name.
std::vector<ColumnRow> sampleColumns(const PrimaryFileLayout& layout) {
  ColumnRow id;
  id.objectId = layout.userObjectId;
  id.columnId = 1;
  id.name = "Id";
  id.status = 5;
  id.identityValue = identityValue(1, 1);
  ColumnRow name;
  name.objectId = layout.userObjectId;
  name.columnId = 2;
  name.name = "Name";
  name.systemTypeId = kVarcharType, name.userTypeId = kVarcharType;
  name.maxLength = name.maxInRowLength = kNameLength;
  name.precision = 0;
  name.collationId = static_cast<int32_t>(layout.collationId);
  name.status = 1;
  return {id, name};
}

std::vector<LegacyColumnRow> sampleLegacyColumns(const PrimaryFileLayout& layout) {
  LegacyColumnRow id;
  id.objectId = layout.userObjectId;
  id.name = "Id";
  id.columnId = id.columnOrder = 1;
  id.fixedOffset = 4;
  LegacyColumnRow name;
  name.objectId = layout.userObjectId;
  name.name = "Name";
  name.xtype = kVarcharType, name.userType = kVarcharType;
  name.length = kNameLength;
  name.precision = 0;
  name.columnId = name.columnOrder = 2;
  name.offset = -1;  // the first variable column
  name.collationId = static_cast<int32_t>(layout.collationId);
  return {id, name};
}

FileRow primaryFileRow(const PrimaryFileLayout& layout) {
  FileRow row;
  row.fileId = 1;
  row.logicalName = layout.databaseName;
  row.physicalPath = "C:\\Data\\" + layout.databaseName + ".mdf";
  return row;
}

template <typename Row>
std::vector<std::vector<uint8_t>> encoded(const std::vector<Row>& rows,
                                          std::vector<uint8_t> (*encode)(const Row&)) {
  std::vector<std::vector<uint8_t>> out;
  for (const Row& row : rows) out.push_back(encode(row));
  return out;
}

template <typename Row>
void addTable(DataFileBuilder& file, int32_t objectId, const std::vector<Row>& rows,
              std::vector<uint8_t> (*encode)(const Row&), uint64_t position) {
  if (!rows.empty()) addSystemTable(file, objectId, encoded(rows, encode), {position});
}

void addSystemPages(DataFileBuilder& file, const PrimaryFileLayout& layout, const CatalogRows& catalog) {
  addTable(file, kSysFiles1, catalog.files, fileRow, layout.sysFiles1Position);
  if (layout.catalog == CatalogLayout::kSql2000) {
    addTable(file, kSysObjectsLegacy, catalog.objects, legacyObjectRow, layout.sysObjectsPosition);
    addTable(file, kSysIndexesLegacy, catalog.legacyIndexes, legacyIndexRow, layout.sysIndexesPosition);
    addTable(file, kSysColumnsLegacy, catalog.legacyColumns, legacyColumnRow, layout.sysColumnsPosition);
    return;
  }
  addTable(file, kSysAllocUnits, catalog.allocUnits, allocUnitRow, layout.sysAllocUnitsPosition);
  addTable(file, kSysSchObjs, catalog.objects, objectRow, layout.sysSchObjsPosition);
  addTable(file, kSysColPars, catalog.columns, columnRow, layout.sysColParsPosition);
  addTable(file, kSysRowsets, catalog.rowsets, rowsetRow, layout.sysRowsetsPosition);
  addTable(file, kSysSingleObjRefs, catalog.objectRefs, objectRefRow, layout.sysSingleObjRefsPosition);
}

void addAllocationPages(DataFileBuilder& file, const PrimaryFileLayout& layout) {
  file.setPage(layout.pfsPosition, PageBuilder().type(PageType::kPfs).objectId(kBootObjectId));
  file.setPage(layout.gamPosition, PageBuilder().type(PageType::kGam).objectId(kBootObjectId));
  file.setPage(layout.sgamPosition, PageBuilder().type(PageType::kSgam).objectId(kBootObjectId));
}

void addUserPages(DataFileBuilder& file, const PrimaryFileLayout& layout) {
  uint64_t pages = userPagesOf(layout);
  IamFields iam;
  iam.ownPage = {1, asPageNumber(layout.iamPosition)};
  iam.objectId = layout.userObjectId;
  iam.bitmap = extentBitmapRange(static_cast<int>(layout.firstUserPage / kPagesPerExtent),
                                 static_cast<int>(pages / kPagesPerExtent));
  file.setPage(layout.iamPosition, iamPage(iam));
  if (!laidOutOneByOne(layout)) {
    file.fillRange(layout.firstUserPage, pages, userDataPage(layout, 0).build());
    return;
  }
  for (uint64_t index = 0; index < pages; ++index) file.setPage(layout.firstUserPage + index, userPage(layout, index));
}

}  // namespace

PrimaryFileLayout sql2000Layout() {
  PrimaryFileLayout layout;
  layout.version = kSql2000Version;
  layout.catalog = CatalogLayout::kSql2000;
  return layout;
}

CatalogRows sampleCatalog(const PrimaryFileLayout& layout) {
  CatalogRows catalog;
  catalog.objects = sampleObjects(layout);
  catalog.files = {primaryFileRow(layout)};
  PageId first{1, asPageNumber(layout.firstUserPage)};
  PageId iam{1, asPageNumber(layout.iamPosition)};
  uint64_t rowCount = userRecordsOf(layout);
  if (layout.catalog == CatalogLayout::kSql2000) {
    LegacyIndexRow heap;
    heap.objectId = layout.userObjectId;
    heap.indexId = 0;
    heap.firstPage = first.pageNumber;
    heap.firstIamPage = iam.pageNumber;
    heap.rowCount = static_cast<int64_t>(rowCount);
    heap.name = layout.userTableName;
    catalog.legacyIndexes = {heap};
    catalog.legacyColumns = sampleLegacyColumns(layout);
    return catalog;
  }
  catalog.columns = sampleColumns(layout);
  RowsetRow rowset;
  rowset.rowsetId = layout.userRowsetId;
  rowset.objectId = layout.userObjectId;
  rowset.indexId = 0;  // a heap
  rowset.rowCount = rowCount;
  catalog.rowsets = {rowset};
  AllocUnitRow unit;
  unit.allocUnitId = layout.userAllocUnitId;
  unit.ownerId = layout.userRowsetId;
  unit.firstPage = unit.rootPage = first;
  unit.firstIamPage = iam;
  catalog.allocUnits = {unit};
  return catalog;
}

PageBuilder userDataPage(const PrimaryFileLayout& layout, int32_t position) {
  PageBuilder page = dataPage(position, layout.userObjectId);
  for (int r = 0; r < layout.recordsPerUserPage; ++r) page.addRecord(userRecord(r + 1));
  return page;
}

uint64_t userPagesOf(const PrimaryFileLayout& layout) {
  uint64_t pages = layout.userPageCount;
  const uint64_t perPage = recordsPerPage(layout);
  if (layout.userRecordCount && perPage > 0) pages = std::max(pages, (*layout.userRecordCount + perPage - 1) / perPage);
  return (pages + kPagesPerExtent - 1) / kPagesPerExtent * kPagesPerExtent;
}

uint64_t userRecordsOf(const PrimaryFileLayout& layout) {
  const uint64_t capacity = userPagesOf(layout) * recordsPerPage(layout);
  return layout.userRecordCount ? std::min(*layout.userRecordCount, capacity) : capacity;
}

PageBuilder userPage(const PrimaryFileLayout& layout, uint64_t index) {
  const int32_t position = asPageNumber(layout.firstUserPage + index);
  if (!laidOutOneByOne(layout)) return userDataPage(layout, position);
  PageBuilder page = dataPage(position, layout.userObjectId);
  const uint64_t perPage = recordsPerPage(layout);
  const uint64_t total = userRecordsOf(layout);
  for (uint64_t number = index * perPage + 1; number <= (index + 1) * perPage && number <= total; ++number) {
    page.addRecord(numberedUserRecord(layout, number));
  }
  if (layout.linkedUserPages) {
    if (index + 1 < userPagesOf(layout)) page.nextPage({1, position + 1});
    if (index > 0) page.previousPage({1, position - 1});
  }
  return page;
}

DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout) {
  return minimalPrimaryFile(layout, sampleCatalog(layout));
}

DataFileBuilder minimalPrimaryFile(const PrimaryFileLayout& layout, const CatalogRows& catalog) {
  DataFileBuilder file(layout.pageCount);
  file.setPage(0, fileHeaderPage());
  addAllocationPages(file, layout);
  file.setPage(kBootPagePosition, bootPage(layout.version, layout.databaseName, layout.collationId));
  addSystemPages(file, layout, catalog);
  addUserPages(file, layout);
  return file;
}

}  // namespace pellora::kit
