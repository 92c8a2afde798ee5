#include "catalog/database_catalog.h"

#include "catalog/system_rows.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {

namespace {

// System tables by object id.
constexpr int32_t kSysObjectsLegacy = 1;
constexpr int32_t kSysIndexesLegacy = 2;
constexpr int32_t kSysColumnsLegacy = 3;
constexpr int32_t kSysRsCols = 3;
constexpr int32_t kRowsetColumnMap = 4;
constexpr int32_t kSysRowsets = 5;
constexpr int32_t kSysAllocUnits = 7;
constexpr int32_t kSysFiles1 = 8;
constexpr int32_t kHobtColumns = 13;
constexpr int32_t kSysSchObjs = 34;
constexpr int32_t kSysColPars = 41;
constexpr int32_t kSysScalarTypes = 50;
constexpr int32_t kSysIdxStats = 54;
constexpr int32_t kSysIsCols = 55;
constexpr int32_t kSysSingleObjRefs = 74;
constexpr int32_t kSysAllocUnitsLegacy = 99;
constexpr int32_t kSysColParsMore = 2187;

constexpr int32_t kFirstUserObjectId = 100;
constexpr uint8_t kForeignKeyColumnRef = 28;
constexpr uint8_t kForeignKeyReferencedRef = 29;

constexpr int32_t kUnusableKind = 4;

}  // namespace

DatabaseCatalog::DatabaseCatalog(DatabaseFile& file, const CollationRequest& collation)
    : file_(file) {
  static const CollationMap kNoCollations;
  boot_ = readBootPage(file_, collation.collations ? *collation.collations : kNoCollations,
                       collation.choice, collation.manualId);
  readSystemTable(kSysFiles1, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    files_.push_back(parseFileRow(row));
  });
  file_.attachSecondaryFiles(files_);
  readObjects(kSysSchObjs);
  if (objects_.empty()) {
    legacy_ = true;
    file_.flags().legacyCatalog.store(true);
    readObjects(kSysObjectsLegacy);
  }
  auto addAllocUnit = [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    allocUnits_.push_back(parseAllocUnitRow(row));
  };
  readSystemTable(legacy_ ? kSysAllocUnitsLegacy : kSysAllocUnits, false, false, addAllocUnit);
  readSystemTable(kSysRowsets, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    rowsets_.push_back(parseRowsetRow(row));
  });
  if (legacy_) {
    readLegacyTables();
  } else {
    names_.restart();
    for (int32_t id : {kSysColPars, kSysColParsMore}) {
      readSystemTable(id, false, true, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
        columns_.push_back(parseColumnRow(row, names_));
      });
    }
  }
  readSystemTable(kSysScalarTypes, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    if (auto type = parseScalarTypeRow(row)) scalarTypes_.push_back(std::move(*type));
  });
  if (!legacy_) readCurrentLayout();
}

void DatabaseCatalog::readSystemTable(int32_t objectId, bool dataPagesOnly, bool skipIndexRecords,
                                      const RowVisitor& visit, const std::function<void()>& afterPage) {
  auto found = file_.systemPageIndex().find(objectId);
  if (found == file_.systemPageIndex().end()) return;
  for (const PageIndexEntry& entry : found->second) {
    if (file_.flags().stopRequested()) return;
    if (dataPagesOnly && entry.pageType != 1) continue;
    auto page = file_.readCatalogPage({static_cast<int16_t>(entry.fileId), static_cast<int32_t>(entry.position)});
    if (!page) continue;
    for (const auto& record : page->records()) {
      if (file_.flags().stopRequested()) break;
      // A damaged record has no usable bytes; rows are read from whole ones.
      if (!record || record->damaged || record->kind == kUnusableKind) continue;
      if (skipIndexRecords && record->kind == kIndexRecord) continue;
      visit(RowFields(*record), *record, page->header());
    }
    if (afterPage) afterPage();
  }
}

void DatabaseCatalog::readObjects(int32_t objectId) {
  names_.restart();
  readSystemTable(objectId, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    if (auto object = parseObjectRow(row, legacy_, names_)) objects_.push_back(std::move(*object));
  });
}

void DatabaseCatalog::readLegacyTables() {
  readSystemTable(kSysIndexesLegacy, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header& page) {
    if (auto index = parseLegacyIndexRow(row, page)) legacyIndexes_[index->objectId] = *index;
  });
  for (const auto& [objectId, index] : legacyIndexes_) {
    if (objectId <= kFirstUserObjectId || index.indexId != 1) continue;
    LegacyTableInfo table;
    table.objectId = objectId;
    for (const TableInfo& object : objects_) {
      if (object.objectId == objectId) {
        table.name = object.name;
        break;
      }
    }
    legacyTables_.push_back(std::move(table));
  }
  size_t attached = 0;
  auto attachNewColumns = [this, &attached] {
    for (; attached < legacyColumns_.size(); ++attached) {
      const LegacyColumnInfo& column = legacyColumns_[attached];
      for (LegacyTableInfo& table : legacyTables_) {
        if (table.objectId == column.objectId) {
          table.columns.push_back({column.name, column.columnOrder, column.typeStatus});
        }
      }
    }
  };
  readSystemTable(
      kSysColumnsLegacy, false, false,
      [this](const RowFields& row, const CRecord& record, const CPage_Header&) {
        if (auto column = parseLegacyColumnRow(row, record.columnCount)) legacyColumns_.push_back(std::move(*column));
      },
      attachNewColumns);
}

void DatabaseCatalog::readCurrentLayout() {
  readSystemTable(kSysRsCols, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    rowsetColumns_.push_back(parseRowsetColumnRow(row));
  });
  readSystemTable(kSysSingleObjRefs, true, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    if (auto ref = parseObjectRefRow(row)) objectRefs_.push_back(*ref);
  });
  readSystemTable(kSysIdxStats, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    indexes_.push_back(parseIndexRow(row));
  });
  readSystemTable(kSysIsCols, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    indexColumns_.push_back(parseIndexColumnRow(row));
  });
  readSystemTable(kHobtColumns, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    hobtColumns_.push_back(parseHobtColumnRow(row));
  });
  readSystemTable(kRowsetColumnMap, false, false, [this](const RowFields& row, const CRecord&, const CPage_Header&) {
    rowsetColumnMap_.push_back(parseRowsetColumnMapRow(row));
  });
  buildForeignKeyColumns();
}

// A foreign key is stored as two object references of the constraint: one to
// the column of its own table, one to the column it refers to.
void DatabaseCatalog::buildForeignKeyColumns() {
  for (const ObjectRefInfo& own : objectRefs_) {
    if (own.refClass != kForeignKeyColumnRef) continue;
    for (const ObjectRefInfo& referenced : objectRefs_) {
      if (referenced.refClass != kForeignKeyReferencedRef || referenced.dependentId != own.dependentId ||
          referenced.dependentSubId != own.dependentSubId) {
        continue;
      }
      ForeignKeyColumnInfo key;
      key.constraintId = own.dependentId;
      key.columnOrdinal = own.dependentSubId;
      key.parentTableId = own.independentId;
      key.parentColumnId = own.independentSubId;
      key.referencedTableId = referenced.independentId;
      key.referencedColumnId = referenced.independentSubId;
      foreignKeys_.push_back(std::move(key));
    }
  }
  for (ForeignKeyColumnInfo& key : foreignKeys_) {
    for (const TableInfo& object : objects_) {
      if (object.objectId == key.referencedTableId) key.referencedTableName = object.name;
    }
    for (const ColumnInfo& column : columns_) {
      if (column.objectId == key.referencedTableId && column.columnId == key.referencedColumnId) {
        key.referencedColumnName = column.name;
      }
    }
  }
}

TableInfo DatabaseCatalog::findObject(const std::string& name, const std::string& typeCode) const {
  for (const TableInfo& object : objects_) {
    if (object.name != name) continue;
    if (object.typeCode == typeCode || (object.typeCode != "U " && object.typeCode != "S ")) return object;
  }
  return TableInfo{};
}

}  // namespace pellora
