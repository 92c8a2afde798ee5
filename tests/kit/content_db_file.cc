#include "kit/content_db_file.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "kit/content_db_bodies.h"
#include "kit/content_db_catalog.h"
#include "kit/content_db_large_values.h"
#include "kit/content_db_legacy_catalog.h"
#include "kit/content_db_pages.h"
#include "kit/content_db_rows.h"
#include "kit/content_db_table.h"
#include "kit/content_db_table_pages.h"
#include "kit/record_builder.h"
#include "kit/scalar_type_rows.h"
#include "kit/system_pages.h"
#include "kit/system_rows.h"

namespace pellora::kit {

namespace {

constexpr uint64_t kSystemAreaFirst = 16;
constexpr uint64_t kUserAreaFirst = 256;
constexpr uint8_t kLobUnitType = 2;
constexpr int32_t kHeapIndex = 0;
constexpr int32_t kClusteredIndex = 1;

// Allocation unit header object ids: above every system table id.
constexpr int32_t kFirstUnitObject = 3001;
// The primary key constraints' object ids, one table after the other.
constexpr int32_t kFirstKeyObjectId = 197575742;
constexpr int32_t kKeyObjectIdStep = 16000057;

std::vector<ScalarTypeRow> scalarTypes(const ContentFileOptions& options) {
  std::vector<ScalarTypeRow> rows;
  for (SqlType type : {SqlType::kImage, SqlType::kNText, SqlType::kUniqueIdentifier, SqlType::kTinyInt,
                       SqlType::kSmallInt, SqlType::kInt, SqlType::kDateTime, SqlType::kFloat, SqlType::kBit,
                       SqlType::kBigInt, SqlType::kVarBinary, SqlType::kVarChar, SqlType::kBinary,
                       SqlType::kNVarChar}) {
    const SqlTypeInfo info = sqlTypeInfo(type);
    ScalarTypeRow row;
    row.typeId = info.systemTypeId;
    row.name = info.name;
    row.systemTypeId = info.systemTypeId;
    row.length = info.fixedWidth != 0 ? info.fixedWidth : (type == SqlType::kImage || type == SqlType::kNText ? 16 : 8000);
    row.precision = info.precision;
    row.scale = info.scale;
    row.collationId = info.text ? static_cast<int32_t>(options.collationId) : 0;
    rows.push_back(row);
  }
  if (options.layout == ContentLayout::k2010) {
    for (auto [id, name] : {std::pair{kCompressedBinaryType, "tCompressedBinary"},
                            std::pair{kCompressedStringType, "tCompressedString"}}) {
      ScalarTypeRow row;
      row.typeId = id;
      row.schemaId = kDboSchema;
      row.name = name;
      row.systemTypeId = sqlTypeInfo(SqlType::kVarBinary).systemTypeId;
      row.length = -1;
      rows.push_back(row);
    }
  }
  return rows;
}

template <typename Row>
std::vector<std::vector<uint8_t>> encodedRows(const std::vector<Row>& rows, std::vector<uint8_t> (*encode)(const Row&)) {
  std::vector<std::vector<uint8_t>> out;
  for (const Row& row : rows) out.push_back(encode(row));
  return out;
}

// Lays the system tables out from kSystemAreaFirst on, after the IAM pages.
class SystemArea {
 public:
  explicit SystemArea(DataFileBuilder& file) : file_(file) {}

  uint64_t take() {
    if (next_ >= kUserAreaFirst) {
      std::fprintf(stderr, "kit: the system tables of the content database need more than %llu pages\n",
                   static_cast<unsigned long long>(kUserAreaFirst - kSystemAreaFirst));
      std::abort();
    }
    return next_++;
  }

  void addTable(int32_t objectId, const std::vector<std::vector<uint8_t>>& rows) {
    for (PageBuilder& page : systemTablePages(objectId, rows)) file_.setPage(take(), page);
  }

 private:
  DataFileBuilder& file_;
  uint64_t next_ = kSystemAreaFirst;
};

}  // namespace

uint16_t fileVersionOf(ContentLayout layout) {
  switch (layout) {
    case ContentLayout::k2000: return 539;
    case ContentLayout::k2005: return 611;
    default: return 661;
  }
}

DataFileBuilder contentDatabaseFile(const ContentModel& model, const ContentFileOptions& options) {
  const ContentLayout layout = options.layout;
  const bool sql2000 = layout == ContentLayout::k2000;
  int32_t unitObject = kFirstUnitObject;
  auto rowsetOf = [](int32_t headerObject) { return userAllocationUnitId(headerObject); };
  const int32_t websUnit = unitObject++, listsUnit = unitObject++, docsUnit = unitObject++,
                streamsUnit = unitObject++, streamsLobUnit = unitObject++;
  const ContentTable webs(websTableName(layout), websColumns(layout), kWebsObjectId, rowsetOf(websUnit));
  const ContentTable lists("AllLists", allListsColumns(layout), kAllListsObjectId, rowsetOf(listsUnit));
  const ContentTable docs("AllDocs", allDocsColumns(layout), kAllDocsObjectId, rowsetOf(docsUnit));
  const ContentTable streams("AllDocStreams", allDocStreamsColumns(layout), kAllDocStreamsObjectId,
                             rowsetOf(streamsUnit));

  DataFileBuilder file;
  ExtentAllocator extents(kUserAreaFirst);
  // From SQL Server 2005 on a page names its allocation unit; up to 2000 it
  // names its table and index.
  auto pagesOf = [&](const ContentTable& table, int32_t unit, TableOrganisation organisation) {
    if (!sql2000) return TablePages(table, extents, unit, organisation);
    const auto index = static_cast<uint16_t>(organisation == TableOrganisation::kHeap ? kHeapIndex : kClusteredIndex);
    return TablePages(table, extents, table.objectId(), organisation, index);
  };
  TablePages webPages = pagesOf(webs, websUnit, TableOrganisation::kClustered),
             listPages = pagesOf(lists, listsUnit, TableOrganisation::kHeap),
             docPages = pagesOf(docs, docsUnit, TableOrganisation::kClustered),
             streamPages = pagesOf(streams, streamsUnit, TableOrganisation::kClustered);
  AllocationSegment lobSegment = sql2000 ? AllocationSegment(extents, streams.objectId(), kLegacyTextIndexId)
                                         : AllocationSegment(extents, streamsLobUnit);
  LargeValueWriter lob(lobSegment);
  // The text pages of the other tables' ntext and image values (SQL Server
  // 2000 only: later generations keep the model's few such values in row).
  AllocationSegment webText(extents, webs.objectId(), kLegacyTextIndexId),
      listText(extents, lists.objectId(), kLegacyTextIndexId), docText(extents, docs.objectId(), kLegacyTextIndexId);
  LargeValueWriter webTextWriter(webText), listTextWriter(listText), docTextWriter(docText);
  // Up to SQL Server 2000 an ntext or image value never stays in its row.
  auto inFile = [&](const ContentTable& table, std::vector<Cell> row, LargeValueWriter& text) {
    if (!sql2000) return row;
    for (size_t i = 0; i < row.size(); ++i) {
      const SqlType type = table.columns()[i].type;
      if (row[i].null || row[i].complex || (type != SqlType::kNText && type != SqlType::kImage)) continue;
      row[i].bytes = text.storeBehindTextPointer(row[i].bytes);
      row[i].complex = true;
    }
    return row;
  };

  for (const ContentWeb& web : model.webs) webPages.add(inFile(webs, webRow(webs, web), webTextWriter), web.state);
  for (const ContentList& list : model.lists) {
    std::vector<Cell> row = inFile(lists, listRow(lists, list), listTextWriter);
    if (list.moved) listPages.addMoved(row);
    else listPages.add(row, list.state);
  }
  int64_t paddingDocs = 0;
  for (const ContentDoc& doc : model.docs) paddingDocs += doc.padding ? 1 : 0;
  const uint64_t paddingPages = static_cast<uint64_t>(paddingDocs) * kPaddingFragments;
  const uint64_t paddingFirst = paddingPages > 0 ? lobSegment.takeRun(paddingPages) : 0;
  int64_t paddingIndex = 0;
  for (const ContentDoc& doc : model.docs) {
    docPages.add(inFile(docs, docRow(docs, doc), docTextWriter), doc.state);
    if (!doc.isFile()) continue;
    std::vector<uint8_t> content;
    bool largeValue = !sql2000 && doc.size > kInRowBodyLimit;
    if (doc.padding) {
      std::vector<FragmentEntry> entries;
      for (int i = 0; i < kPaddingFragments; ++i) {
        const uint64_t page = paddingFirst + static_cast<uint64_t>(paddingIndex) * kPaddingFragments + static_cast<uint64_t>(i);
        entries.push_back({static_cast<int32_t>(kFragmentBytes * static_cast<size_t>(i + 1)), RowId{1, static_cast<int32_t>(page), 0}});
      }
      content = sql2000 ? lob.textPointerTo(entries) : inRowRootValue(0, entries);
      largeValue = true;
      ++paddingIndex;
    } else {
      content = documentBody(doc);
      if (largeValue) content = lob.store(content);
    }
    streamPages.add(inFile(streams, streamRow(streams, doc, std::move(content), largeValue), lob), doc.state);
    for (PageBuilder& page : lob.takePages()) file.setPage(static_cast<uint64_t>(s32At(page.trueImage(), 32)), page);
  }
  for (LargeValueWriter* writer : {&webTextWriter, &listTextWriter, &docTextWriter}) {
    for (PageBuilder& page : writer->takePages()) file.setPage(static_cast<uint64_t>(s32At(page.trueImage(), 32)), page);
  }
  if (paddingPages > 0) {
    const std::vector<uint8_t> block = paddingBlock();
    PageBuilder pattern;
    pattern.type(PageType::kTextMix).objectId(lobSegment.headerObjectId()).indexId(lobSegment.headerIndexId()).pageNumber(0);
    pattern.addRecord(dataFragmentRecord(Bytes(block.data(), block.size()), 1));
    file.fillRange(paddingFirst, paddingPages, pattern.build());
  }
  for (TablePages* pages : {&webPages, &listPages, &docPages, &streamPages}) pages->writeTo(file);

  // The fixed pages.
  file.setPage(0, fileHeaderPage());
  file.setPage(1, PageBuilder().type(PageType::kPfs).objectId(kBootObjectId));
  file.setPage(2, PageBuilder().type(PageType::kGam).objectId(kBootObjectId));
  file.setPage(3, PageBuilder().type(PageType::kSgam).objectId(kBootObjectId));
  file.setPage(kBootPagePosition, bootPage(fileVersionOf(layout), options.databaseName, options.collationId));

  // IAM pages first in the system area, then the catalog.
  SystemArea area(file);
  struct Unit {
    AllocationSegment* segment;
    uint64_t rowsetId;
    uint8_t type;
    bool heap;
    PageId firstIam;
  };
  std::vector<Unit> units = {{&webPages.segment(), webs.rowsetId(), 1, webPages.heap(), {}},
                             {&listPages.segment(), lists.rowsetId(), 1, listPages.heap(), {}},
                             {&docPages.segment(), docs.rowsetId(), 1, docPages.heap(), {}},
                             {&streamPages.segment(), streams.rowsetId(), 1, streamPages.heap(), {}},
                             {&lobSegment, streams.rowsetId(), kLobUnitType, false, {}}};
  for (AllocationSegment* text : {&webText, &listText, &docText}) {
    if (!text->empty()) units.push_back({text, 0, kLobUnitType, false, {}});
  }
  for (Unit& unit : units) {
    std::vector<uint64_t> positions;
    for (size_t i = 0; i < unit.segment->iamPagesNeeded(); ++i) positions.push_back(area.take());
    if (!positions.empty()) unit.firstIam = {1, static_cast<int32_t>(positions.front())};
    unit.segment->writeIamPages(file, positions);
  }
  auto firstIamOf = [&](const AllocationSegment* segment) {
    for (const Unit& unit : units) {
      if (unit.segment == segment) return unit.firstIam;
    }
    return PageId{0, 0};
  };
  const std::map<const ContentTable*, const AllocationSegment*> textOf = {
      {&webs, &webText}, {&lists, &listText}, {&docs, &docText}, {&streams, &lobSegment}};
  CatalogRows legacy;

  std::vector<ObjectRow> objects;
  std::vector<ColumnRow> columns;
  std::vector<RowsetRow> rowsets;
  std::vector<std::vector<uint8_t>> rowsetColumns;
  KeyRows keys;
  int32_t keyObjectId = kFirstKeyObjectId;
  for (TablePages* pages : {&webPages, &listPages, &docPages, &streamPages}) {
    const ContentTable* table = &pages->table();
    ObjectRow object;
    object.objectId = table->objectId();
    object.name = table->name();
    objects.push_back(object);
    for (const ColumnRow& row : table->columnRows(static_cast<int32_t>(options.collationId))) columns.push_back(row);
    RowsetRow rowset;
    rowset.rowsetId = table->rowsetId();
    rowset.objectId = table->objectId();
    rowset.indexId = pages->heap() ? kHeapIndex : kClusteredIndex;
    rowset.rowCount = pages->liveRows();
    rowsets.push_back(rowset);
    for (const RowsetColumnRow& row : table->rowsetColumnRows()) rowsetColumns.push_back(rowsetColumnRow(row));
    addPrimaryKey(*table, pages->heap(), keyObjectId, keys);
    if (sql2000) {
      const AllocationSegment* text = textOf.at(table);
      addLegacyTable({table, pages->heap(), pages->segment().firstPage(), firstIamOf(&pages->segment()),
                      pages->liveRows(), text->firstPage(), firstIamOf(text)},
                     static_cast<int32_t>(options.collationId), legacy);
    }
    keyObjectId += kKeyObjectIdStep;
  }
  // Views hold no rows: Docs over AllDocs always, Webs over AllWebs from 2010.
  // They and the procedures keep their source text.
  std::vector<ObjectValueRow> moduleTexts;
  for (const ContentModule& module : contentModules(layout)) {
    ObjectRow object;
    object.objectId = module.objectId;
    object.name = module.name;
    object.typeCode = module.typeCode;
    objects.push_back(object);
    moduleTexts.push_back(moduleTextRow(module.objectId, module.text));
  }
  objects.insert(objects.end(), keys.objects.begin(), keys.objects.end());
  std::vector<AllocUnitRow> allocUnits;
  for (const Unit& unit : units) {
    AllocUnitRow row;
    row.allocUnitId = unit.segment->allocationUnitId();
    row.type = unit.type;
    row.ownerId = unit.rowsetId;
    // A heap has no index root.
    row.firstPage = unit.segment->firstPage();
    if (!unit.heap) row.rootPage = row.firstPage;
    row.firstIamPage = unit.firstIam;
    allocUnits.push_back(row);
  }
  FileRow primary;
  primary.fileId = 1;
  primary.logicalName = options.databaseName;
  primary.physicalPath = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\DATA\\" + options.databaseName + ".mdf";

  if (sql2000) {
    area.addTable(kSysObjectsLegacy, encodedRows(objects, legacyObjectRow));
    area.addTable(kSysIndexesLegacy, encodedRows(legacy.legacyIndexes, legacyIndexRow));
    area.addTable(kSysColumnsLegacy, encodedRows(legacy.legacyColumns, legacyColumnRow));
    area.addTable(kSysFiles1, encodedRows(std::vector<FileRow>{primary}, fileRow));
    file.pageCount(extents.end());
    return file;
  }
  area.addTable(kSysAllocUnits, encodedRows(allocUnits, allocUnitRow));
  area.addTable(kSysSchObjs, encodedRows(objects, objectRow));
  area.addTable(kSysColPars, encodedRows(columns, columnRow));
  area.addTable(kSysRowsets, encodedRows(rowsets, rowsetRow));
  area.addTable(kSysRsCols, rowsetColumns);
  area.addTable(kSysScalarTypes, encodedRows(scalarTypes(options), scalarTypeRow));
  area.addTable(kSysFiles1, encodedRows(std::vector<FileRow>{primary}, fileRow));
  area.addTable(kSysIdxStats, encodedRows(keys.indexes, indexRow));
  area.addTable(kSysIsCols, encodedRows(keys.indexColumns, indexColumnRow));
  area.addTable(kSysObjValues, encodedRows(moduleTexts, objectValueRow));
  file.pageCount(extents.end());
  return file;
}

}  // namespace pellora::kit
