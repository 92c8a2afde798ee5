// The system catalog of a database, mapped from the pages that the system
// page index lists for each system table. Damaged rows are skipped or kept
// with defaults; nameless objects and columns get generated names.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "catalog/catalog_rows.h"
#include "catalog/row_fields.h"
#include "storage/boot_page.h"
#include "storage/database_file.h"

namespace pellora {

// What the catalog build needs to read the boot page's collation.
struct CollationRequest {
  const CollationMap* collations = nullptr;
  CollationChoice choice = CollationChoice::kAuto;
  int64_t manualId = 0;
};

class DatabaseCatalog {
 public:
  // Maps the catalog of an opened file; also reads the boot page and attaches
  // the secondary files that the files table names.
  DatabaseCatalog(DatabaseFile& file, const CollationRequest& collation);

  const BootPageResult& boot() const { return boot_; }
  bool legacyLayout() const { return legacy_; }

  const std::vector<TableInfo>& objects() const { return objects_; }
  const std::vector<ColumnInfo>& columns() const { return columns_; }
  const std::vector<AllocUnitInfo>& allocUnits() const { return allocUnits_; }
  const std::vector<RowsetInfo>& rowsets() const { return rowsets_; }
  const std::vector<RowsetColumnInfo>& rowsetColumns() const { return rowsetColumns_; }
  const std::vector<RowsetColumnMapEntry>& rowsetColumnMap() const { return rowsetColumnMap_; }
  const std::vector<HobtColumnInfo>& hobtColumns() const { return hobtColumns_; }
  const std::vector<ScalarTypeInfo>& scalarTypes() const { return scalarTypes_; }
  const std::vector<IndexInfo>& indexes() const { return indexes_; }
  const std::vector<IndexColumnInfo>& indexColumns() const { return indexColumns_; }
  const std::vector<ObjectRefInfo>& objectRefs() const { return objectRefs_; }
  const std::vector<ForeignKeyColumnInfo>& foreignKeyColumns() const { return foreignKeys_; }
  const std::vector<DataFileEntry>& files() const { return files_; }
  const std::map<int32_t, LegacyIndexInfo>& legacyIndexes() const { return legacyIndexes_; }
  const std::vector<LegacyTableInfo>& legacyTables() const { return legacyTables_; }
  const std::vector<LegacyColumnInfo>& legacyColumns() const { return legacyColumns_; }

  // The first object that has exactly this name and either this type code or
  // a type other than a user or system table; object id -1 when none.
  TableInfo findObject(const std::string& name, const std::string& typeCode) const;

 private:
  using RowVisitor = std::function<void(const RowFields&, const CRecord&, const CPage_Header&)>;

  // The one reading loop of every system table: the indexed pages of
  // `objectId`, each record in slot order. `dataPagesOnly` keeps to pages of
  // type 1; `skipIndexRecords` also passes over index records.
  void readSystemTable(int32_t objectId, bool dataPagesOnly, bool skipIndexRecords,
                       const RowVisitor& visit, const std::function<void()>& afterPage = {});
  void readObjects(int32_t objectId);
  void readLegacyTables();
  void readCurrentLayout();
  void buildForeignKeyColumns();

  DatabaseFile& file_;
  BootPageResult boot_;
  bool legacy_ = false;
  NameSubstitution names_;
  std::vector<TableInfo> objects_;
  std::vector<ColumnInfo> columns_;
  std::vector<AllocUnitInfo> allocUnits_;
  std::vector<RowsetInfo> rowsets_;
  std::vector<RowsetColumnInfo> rowsetColumns_;
  std::vector<RowsetColumnMapEntry> rowsetColumnMap_;
  std::vector<HobtColumnInfo> hobtColumns_;
  std::vector<ScalarTypeInfo> scalarTypes_;
  std::vector<IndexInfo> indexes_;
  std::vector<IndexColumnInfo> indexColumns_;
  std::vector<ObjectRefInfo> objectRefs_;
  std::vector<ForeignKeyColumnInfo> foreignKeys_;
  std::vector<DataFileEntry> files_;
  std::map<int32_t, LegacyIndexInfo> legacyIndexes_;
  std::vector<LegacyTableInfo> legacyTables_;
  std::vector<LegacyColumnInfo> legacyColumns_;
};

}  // namespace pellora
