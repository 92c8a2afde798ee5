// The catalog as built from whole data files: which rows of the system pages
// it takes, how it names what has no name, the SQL Server 2000 layout, the
// files table and its secondary files, foreign keys, and damaged rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/recovery_run.h"
#include "catalog/database_catalog.h"
#include "kit/primary_file.h"
#include "kit/system_rows.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

class CatalogBuild : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  // Writes `builder` into the temporary folder as `name`, opens it and maps
  // its catalog.
  const DatabaseCatalog& build(const kit::DataFileBuilder& builder, const std::string& name = "db.mdf") {
    close();
    path_ = dir_.file(name);
    EXPECT_TRUE(builder.writeTo(path_));
    file_ = std::make_unique<DatabaseFile>(path_, silentNotifier(), flags_);
    EXPECT_TRUE(file_->valid());
    catalog_ = std::make_unique<DatabaseCatalog>(*file_, CollationRequest{});
    return *catalog_;
  }

  const DatabaseCatalog& build(const kit::PrimaryFileLayout& layout, const kit::CatalogRows& rows) {
    return build(kit::minimalPrimaryFile(layout, rows));
  }

  // An open file keeps others from opening it, a run of the same process too.
  void close() {
    catalog_.reset();
    file_.reset();
  }

  static const TableInfo* objectNamed(const DatabaseCatalog& catalog, const std::string& name) {
    for (const TableInfo& object : catalog.objects()) {
      if (object.name == name) return &object;
    }
    return nullptr;
  }

  static std::vector<std::string> objectNames(const DatabaseCatalog& catalog) {
    std::vector<std::string> names;
    for (const TableInfo& object : catalog.objects()) names.push_back(object.name);
    return names;
  }

  static std::vector<const ColumnInfo*> columnsOf(const DatabaseCatalog& catalog, int32_t objectId) {
    std::vector<const ColumnInfo*> columns;
    for (const ColumnInfo& column : catalog.columns()) {
      if (column.objectId == objectId) columns.push_back(&column);
    }
    return columns;
  }

  kit::TempDir dir_;
  std::string path_;
  RunFlags flags_;
  std::unique_ptr<DatabaseFile> file_;
  std::unique_ptr<DatabaseCatalog> catalog_;
};

kit::ObjectRow object(int32_t id, std::optional<std::string> name, std::string type = "U ",
                      int32_t parent = 0) {
  kit::ObjectRow row;
  row.objectId = id;
  row.name = std::move(name);
  row.typeCode = std::move(type);
  row.parentObjectId = parent;
  return row;
}

kit::ColumnRow column(int32_t objectId, int32_t columnId, std::optional<std::string> name) {
  kit::ColumnRow row;
  row.objectId = objectId;
  row.columnId = columnId;
  row.name = std::move(name);
  return row;
}

TEST_F(CatalogBuild, MinimalFileMapsItsTableViewAndProcedure) {
  kit::PrimaryFileLayout layout;
  const DatabaseCatalog& catalog = build(kit::minimalPrimaryFile(layout));
  EXPECT_FALSE(catalog.legacyLayout());
  EXPECT_FALSE(flags_.legacyCatalog.load());

  struct Expected {
    int32_t id;
    const char* name;
    const char* type;
  } expected[] = {{layout.userObjectId, "SampleTable", "U "},
                  {kit::kSampleViewId, "SampleView", "V "},
                  {kit::kSampleProcedureId, "SampleProcedure", "P "}};
  ASSERT_EQ(catalog.objects().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(catalog.objects()[i].objectId, expected[i].id);
    EXPECT_EQ(catalog.objects()[i].name, expected[i].name);
    EXPECT_EQ(catalog.objects()[i].typeCode, expected[i].type);
    EXPECT_EQ(catalog.objects()[i].schemaId, 1);
  }
  EXPECT_EQ(catalog.findObject("SampleTable", "U ").objectId, layout.userObjectId);
  EXPECT_EQ(catalog.findObject("SampleView", "U ").objectId, kit::kSampleViewId)
      << "a view matches whatever table type is asked for";
  EXPECT_EQ(catalog.findObject("sampletable", "U ").objectId, -1) << "names match case-sensitively";

  auto columns = columnsOf(catalog, layout.userObjectId);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0]->name, "Id");
  EXPECT_EQ(columns[0]->columnId, 1);
  EXPECT_EQ(columns[0]->systemTypeId, kit::kIntType);
  EXPECT_EQ(columns[0]->maxLength, 4);
  EXPECT_EQ(columns[0]->identityText, "identity(1,1)");
  EXPECT_EQ(columns[1]->name, "Name");
  EXPECT_EQ(columns[1]->columnId, 2);
  EXPECT_EQ(columns[1]->systemTypeId, kit::kVarcharType);
  EXPECT_EQ(columns[1]->maxLength, 50);
  EXPECT_EQ(columns[1]->collationId, static_cast<int32_t>(layout.collationId));
  EXPECT_EQ(columns[1]->checkObjectId, 0) << "the last field of a full row is read";
  EXPECT_EQ(columns[1]->identityText, "");

  // The table reaches its pages through rowset -> allocation unit -> IAM page.
  ASSERT_EQ(catalog.rowsets().size(), 1u);
  const RowsetInfo& rowset = catalog.rowsets()[0];
  EXPECT_EQ(rowset.objectId, layout.userObjectId);
  EXPECT_EQ(rowset.indexId, 0);
  EXPECT_EQ(rowset.rowCount, layout.userPageCount * static_cast<uint64_t>(layout.recordsPerUserPage));
  ASSERT_EQ(catalog.allocUnits().size(), 1u);
  const AllocUnitInfo& unit = catalog.allocUnits()[0];
  EXPECT_EQ(unit.ownerId, rowset.rowsetId);
  EXPECT_EQ(unit.type, 1);
  EXPECT_EQ(unit.firstIamPage, (PageId{1, static_cast<int32_t>(layout.iamPosition)}));
  EXPECT_EQ(unit.firstPage, (PageId{1, static_cast<int32_t>(layout.firstUserPage)}));
  ASSERT_TRUE(file_->iamPageIndex().count(layout.userObjectId));
  EXPECT_EQ(file_->iamPageIndex().at(layout.userObjectId).front().position, layout.iamPosition);

  ASSERT_EQ(catalog.files().size(), 1u);
  EXPECT_EQ(catalog.files()[0].fileId, 1);
  EXPECT_EQ(catalog.files()[0].logicalName, "PelloraSample") << "the blank padding is cut";
  EXPECT_EQ(catalog.files()[0].physicalPath, "C:\\Data\\PelloraSample.mdf");
  EXPECT_TRUE(file_->secondaryFiles().empty());
  EXPECT_TRUE(catalog.legacyTables().empty());
}

// The name counter runs through the object pass and starts again for the
// column pass.
TEST_F(CatalogBuild, NamelessRowsGetNumberedNamesPerPass) {
  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  rows.objects.push_back(object(2001, std::nullopt));
  rows.objects.push_back(object(2002, "Named"));
  rows.objects.push_back(object(2003, std::nullopt, "V "));
  rows.columns.push_back(column(2001, 1, std::nullopt));
  rows.columns.push_back(column(2001, 2, std::nullopt));
  const DatabaseCatalog& catalog = build(layout, rows);

  EXPECT_EQ(objectNames(catalog), (std::vector<std::string>{"SampleTable", "SampleView", "SampleProcedure",
                                                            "Repairname0", "Named", "Repairname1"}));
  auto columns = columnsOf(catalog, 2001);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0]->name, "RepairColumn0");
  EXPECT_EQ(columns[1]->name, "RepairColumn1");
  EXPECT_EQ(columns[0]->objectId, 2001) << "a nameless row keeps its other fields";
}

// A table whose rows fill several pages is read page after page, each in
// slot order.
TEST_F(CatalogBuild, RowsOverSeveralPagesAreReadInOrder) {
  constexpr int kColumns = 400;
  kit::PrimaryFileLayout layout;
  kit::DataFileBuilder file = kit::minimalPrimaryFile(layout);
  std::vector<std::vector<uint8_t>> rows;
  for (int i = 1; i <= kColumns; ++i) rows.push_back(kit::columnRow(column(3000, i, "Column" + std::to_string(i))));
  ASSERT_GT(kit::systemTablePages(kit::kSysColPars, rows).size(), 2u);
  kit::addSystemTable(file, kit::kSysColPars, rows, {26, 27, 28, 29, 30});
  const DatabaseCatalog& catalog = build(file);
  auto columns = columnsOf(catalog, 3000);
  ASSERT_EQ(columns.size(), static_cast<size_t>(kColumns));
  for (int i = 1; i <= kColumns; ++i) {
    ASSERT_EQ(columns[static_cast<size_t>(i - 1)]->columnId, i);
    ASSERT_EQ(columns[static_cast<size_t>(i - 1)]->name, "Column" + std::to_string(i));
  }
}

TEST_F(CatalogBuild, ObjectRowsNeedAPositiveIdAndTwentyFixedBytes) {
  struct Case {
    const char* name;
    int32_t id;
    std::optional<size_t> fixedLength;
    bool listed;
  } cases[] = {
      {"ZeroId", 0, std::nullopt, false},       {"NegativeId", -7, std::nullopt, false},
      {"Fixed19", 2101, 19, false},             {"Fixed20", 2102, 20, true},
      {"Fixed24", 2103, 24, true},              {"MinimumId", 1, std::nullopt, true},
  };
  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  for (const Case& c : cases) {
    kit::ObjectRow row = object(c.id, c.name);
    row.fixedLength = c.fixedLength;
    rows.objects.push_back(row);
  }
  const DatabaseCatalog& catalog = build(layout, rows);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TableInfo* found = objectNamed(catalog, c.name);
    EXPECT_EQ(found != nullptr, c.listed);
    if (found) {
      EXPECT_EQ(found->objectId, c.id);
    }
  }
  const TableInfo* twenty = objectNamed(catalog, "Fixed20");
  ASSERT_TRUE(twenty);
  EXPECT_EQ(twenty->typeCode, "U ");
  EXPECT_EQ(twenty->internalProperty, -1) << "bytes 20..23 lie beyond a 20-byte row";
  EXPECT_FALSE(catalog.legacyLayout());
}

// A SQL Server 2000 file: no sysschobjs pages, but sysobjects, sysindexes and
// syscolumns pages.
class LegacyCatalogBuild : public CatalogBuild {
 protected:
  static constexpr uint64_t kIndexPagePosition = 26;
  static constexpr uint64_t kSecondColumnsPosition = 27;

  static kit::LegacyIndexRow index(int32_t objectId, int16_t indexId) {
    kit::LegacyIndexRow row;
    row.objectId = objectId;
    row.indexId = indexId;
    row.firstPage = 40;
    row.firstIamPage = 41;
    return row;
  }

  static kit::LegacyColumnRow legacyColumn(int32_t objectId, const std::string& name, int16_t order) {
    kit::LegacyColumnRow row;
    row.objectId = objectId;
    row.name = name;
    row.columnId = row.columnOrder = order;
    row.typeStatus = static_cast<uint8_t>(order + 8);
    return row;
  }

  const DatabaseCatalog& buildLegacy() {
    kit::PrimaryFileLayout layout = kit::sql2000Layout();
    kit::CatalogRows rows = kit::sampleCatalog(layout);
    rows.objects.push_back(object(1, "sysobjects", "S "));
    rows.objects.push_back(object(100, "Hundred"));
    rows.objects.push_back(object(101, "HundredAndOne"));
    rows.objects.push_back(object(1010, "Customers"));
    rows.objects.push_back(object(1011, "PK_Customers", "K ", 1010));
    rows.objects.push_back(object(1020, "OnAnIndexPage"));
    // Index id 1 is the clustered index; 0 (the sample heap) and 2 are not
    // taken, nor are rows with an object id up to 100.
    rows.legacyIndexes.push_back(index(1, 1));
    rows.legacyIndexes.push_back(index(100, 1));
    rows.legacyIndexes.push_back(index(101, 1));
    rows.legacyIndexes.push_back(index(1010, 1));
    rows.legacyIndexes.push_back(index(1010, 2));
    kit::DataFileBuilder file = kit::minimalPrimaryFile(layout, rows);

    // A sysindexes row of index 1 on a page that is no data page.
    auto indexPages = kit::systemTablePages(kit::kSysIndexesLegacy, {kit::legacyIndexRow(index(1020, 1))});
    file.setPage(kIndexPagePosition, indexPages[0].type(kit::PageType::kIndex));
    // Columns on a second page still reach their tables.
    kit::addSystemTable(file, kit::kSysColumnsLegacy,
                        {kit::legacyColumnRow(legacyColumn(1010, "CustomerId", 1)),
                         kit::legacyColumnRow(legacyColumn(101, "Only", 1)),
                         kit::legacyColumnRow(legacyColumn(1010, "City", 2))},
                        {kSecondColumnsPosition});
    return build(file);
  }
};

TEST_F(LegacyCatalogBuild, ObjectsComeFromSysobjectsWithTheirOwnFieldPlaces) {
  const DatabaseCatalog& catalog = buildLegacy();
  EXPECT_TRUE(catalog.legacyLayout());
  EXPECT_TRUE(flags_.legacyCatalog.load());
  EXPECT_EQ(objectNames(catalog),
            (std::vector<std::string>{"SampleTable", "SampleView", "SampleProcedure", "sysobjects", "Hundred",
                                      "HundredAndOne", "Customers", "PK_Customers", "OnAnIndexPage"}));
  const TableInfo* key = objectNamed(catalog, "PK_Customers");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->typeCode, "K ");
  EXPECT_EQ(key->parentObjectId, 1010);
  EXPECT_EQ(objectNamed(catalog, "SampleView")->typeCode, "V ");
  EXPECT_TRUE(catalog.columns().empty()) << "syscolpars is not read in legacy mode";
}

TEST_F(LegacyCatalogBuild, TablesAreThoseWithAClusteredIndexRowAbove100) {
  const DatabaseCatalog& catalog = buildLegacy();
  std::vector<int32_t> ids;
  for (const LegacyTableInfo& table : catalog.legacyTables()) ids.push_back(table.objectId);
  EXPECT_EQ(ids, (std::vector<int32_t>{101, 1010}));

  ASSERT_TRUE(catalog.legacyIndexes().count(1010));
  const LegacyIndexInfo& index = catalog.legacyIndexes().at(1010);
  EXPECT_EQ(index.indexId, 1) << "the index-2 row of the same table is not taken";
  EXPECT_EQ(index.firstPage, 40);
  EXPECT_EQ(index.firstIamPage, 41);
  EXPECT_EQ(index.fileId, 1);
  EXPECT_FALSE(catalog.legacyIndexes().count(1020)) << "a row on an index page is not taken";
  EXPECT_FALSE(catalog.legacyIndexes().count(1001)) << "a heap row (index 0) is not taken";
}

TEST_F(LegacyCatalogBuild, ColumnsAttachToTheirTablesAcrossPages) {
  const DatabaseCatalog& catalog = buildLegacy();
  ASSERT_EQ(catalog.legacyTables().size(), 2u);
  const LegacyTableInfo& customers = catalog.legacyTables()[1];
  EXPECT_EQ(customers.name, "Customers");
  ASSERT_EQ(customers.columns.size(), 2u);
  EXPECT_EQ(customers.columns[0].name, "CustomerId");
  EXPECT_EQ(customers.columns[0].columnOrder, 1);
  EXPECT_EQ(customers.columns[0].typeStatus, 9);
  EXPECT_EQ(customers.columns[1].name, "City");
  EXPECT_EQ(customers.columns[1].columnOrder, 2);
  const LegacyTableInfo& only = catalog.legacyTables()[0];
  EXPECT_EQ(only.name, "HundredAndOne");
  ASSERT_EQ(only.columns.size(), 1u);
  EXPECT_EQ(only.columns[0].name, "Only");

  // Every syscolumns row is kept, also those of tables not in the list.
  ASSERT_EQ(catalog.legacyColumns().size(), 5u);
  const LegacyColumnInfo& sampleName = catalog.legacyColumns()[1];
  EXPECT_EQ(sampleName.objectId, 1001);
  EXPECT_EQ(sampleName.name, "Name");
  EXPECT_EQ(sampleName.xtype, kit::kVarcharType);
  EXPECT_EQ(sampleName.length, 50);
  EXPECT_EQ(sampleName.collationId, static_cast<int32_t>(kit::kLatin1GeneralCp1CiAs))
      << "a 22-column row of 43 fixed bytes carries its collation";
}

TEST_F(CatalogBuild, WithoutObjectRowsTheCatalogIsEmptyAndTheRunGivesUp) {
  struct Case {
    const char* name;
    std::vector<kit::ObjectRow> objects;
  } cases[] = {
      {"no object pages", {}},
      {"only unusable object rows", {object(0, "Zero"), object(-1, "Negative")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout;
    kit::CatalogRows rows = kit::sampleCatalog(layout);
    rows.objects = c.objects;
    flags_.legacyCatalog.store(false);
    const DatabaseCatalog& catalog = build(layout, rows);
    EXPECT_TRUE(catalog.objects().empty());
    EXPECT_TRUE(catalog.legacyLayout()) << "an empty object pass tries the SQL Server 2000 tables";
    close();

    ApplicationState state;
    state.options.dataFilePath = path_;
    state.options.logFolder = dir_.path() + "/";
    RecoveryRun run(state, silentNotifier());
    run.begin();
    EXPECT_EQ(run.scan(), ScanOutcome::kEmptyCatalog);
    ASSERT_FALSE(state.log.paneLines().empty());
    EXPECT_EQ(state.log.paneLines().back(),
              "Either it is not valid mdf file or highly corrupted, select another file to recover.");
    EXPECT_FALSE(state.flags.processRunning.load());
    EXPECT_FALSE(run.storage().catalog) << "the abandoned file is released";
  }
}

TEST_F(CatalogBuild, RecoveryRunCompletesOnTheMinimalFile) {
  path_ = dir_.file("db.mdf");
  ASSERT_TRUE(kit::minimalPrimaryFile().writeTo(path_));
  ApplicationState state;
  state.options.dataFilePath = path_;
  state.options.logFolder = dir_.path() + "/";
  RecoveryRun run(state, silentNotifier());
  run.begin();
  EXPECT_EQ(run.scan(), ScanOutcome::kCompleted);
  ASSERT_TRUE(run.storage().catalog);
  EXPECT_EQ(run.storage().catalog->objects().size(), 3u);
  EXPECT_EQ(state.log.paneLines().back(), "Scanning completed for selected mdf file.");
}

// The files table names a secondary file by the path it had; it is looked
// for beside the primary as NAME.ndf and read under the row's file id,
// whatever file id its own page headers carry.
TEST_F(CatalogBuild, FilesRowAttachesTheSecondaryFileBesideThePrimary) {
  constexpr int16_t kHeaderFileId = 7;
  constexpr uint64_t kSecondaryPages = 16;
  kit::DataFileBuilder secondary(kSecondaryPages);
  secondary.setPage(0, kit::fileHeaderPage(kHeaderFileId));
  for (uint64_t p = 1; p < kSecondaryPages; ++p) secondary.setPage(p, kit::dataPage(0, 2000).fileId(kHeaderFileId));
  auto objectPages = kit::systemTablePages(kit::kSysSchObjs, {kit::objectRow(object(3001, "OnFileThree"))});
  secondary.setPage(5, objectPages[0].fileId(kHeaderFileId));
  ASSERT_TRUE(secondary.writeTo(dir_.file("extra.ndf")));

  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  kit::FileRow extra;
  extra.fileId = 3;
  extra.logicalName = "extra";
  extra.physicalPath = "D:\\old\\extra.ndx";
  rows.files.push_back(extra);
  const DatabaseCatalog& catalog = build(layout, rows);

  ASSERT_EQ(file_->secondaryFiles().count(3), 1u);
  EXPECT_EQ(file_->secondaryFiles().size(), 1u);
  const DataFileEntry& attached = file_->secondaryFiles().at(3);
  EXPECT_EQ(attached.physicalPath, dir_.file("extra.ndf"));
  EXPECT_EQ(attached.pageCount, kSecondaryPages);
  ASSERT_EQ(catalog.files().size(), 2u);
  EXPECT_EQ(catalog.files()[1].fileId, 3);
  EXPECT_EQ(catalog.files()[1].logicalName, "extra");

  std::set<uint16_t> objectPageFiles;
  for (const PageIndexEntry& entry : file_->systemPageIndex().at(kit::kSysSchObjs)) {
    objectPageFiles.insert(entry.fileId);
  }
  EXPECT_EQ(objectPageFiles, (std::set<uint16_t>{1, 3}));
  EXPECT_TRUE(file_->readPageBuffer({3, 5}));
  EXPECT_FALSE(file_->readPageBuffer({kHeaderFileId, 5}));
  const TableInfo* onThree = objectNamed(catalog, "OnFileThree");
  ASSERT_TRUE(onThree) << "the object pages of the secondary file are read too";
  EXPECT_EQ(onThree->objectId, 3001);
}

// A foreign key column is the pair of references of its constraint: class 28
// to the column of its own table, class 29 to the column it refers to.
TEST_F(CatalogBuild, ForeignKeyColumnsJoinTheirTwoReferences) {
  constexpr uint64_t kIndexTypeRefsPosition = 26;
  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  rows.objects.push_back(object(1010, "Orders"));
  rows.objects.push_back(object(1011, "Customers"));
  rows.objects.push_back(object(1012, "FK_Orders_Customers", "F ", 1010));
  rows.columns.push_back(column(1010, 1, "OrderId"));
  rows.columns.push_back(column(1010, 2, "CustomerId"));
  rows.columns.push_back(column(1011, 1, "Id"));
  rows.columns.push_back(column(1011, 2, "Region"));
  auto ref = [](uint8_t refClass, int32_t dependent, int32_t dependentSub, int32_t independent,
                int32_t independentSub) {
    kit::ObjectRefRow row;
    row.refClass = refClass;
    row.dependentId = dependent, row.dependentSubId = dependentSub;
    row.independentId = independent, row.independentSubId = independentSub;
    return row;
  };
  rows.objectRefs = {
      ref(29, 1012, 2, 1011, 2),  // no class-28 partner with sub-id 2
      ref(28, 1012, 1, 1010, 2),
      ref(28, 1013, 1, 1010, 1),  // no class-29 partner
      ref(30, 1012, 1, 1011, 2),  // another class
      ref(29, 1012, 1, 1011, 1),
  };
  kit::DataFileBuilder file = kit::minimalPrimaryFile(layout, rows);
  // syssingleobjrefs is read from its data pages only.
  auto indexPages = kit::systemTablePages(kit::kSysSingleObjRefs, {kit::objectRefRow(ref(28, 1014, 1, 1010, 1)),
                                                                    kit::objectRefRow(ref(29, 1014, 1, 1011, 1))});
  file.setPage(kIndexTypeRefsPosition, indexPages[0].type(kit::PageType::kIndex));
  const DatabaseCatalog& catalog = build(file);

  EXPECT_EQ(catalog.objectRefs().size(), rows.objectRefs.size());
  ASSERT_EQ(catalog.foreignKeyColumns().size(), 1u);
  const ForeignKeyColumnInfo& key = catalog.foreignKeyColumns()[0];
  EXPECT_EQ(key.constraintId, 1012);
  EXPECT_EQ(key.columnOrdinal, 1);
  EXPECT_EQ(key.parentTableId, 1010);
  EXPECT_EQ(key.parentColumnId, 2);
  EXPECT_EQ(key.referencedTableId, 1011);
  EXPECT_EQ(key.referencedColumnId, 1);
  EXPECT_EQ(key.referencedTableName, "Customers");
  EXPECT_EQ(key.referencedColumnName, "Id");
}

// A record whose stored lengths point outside the page costs at most its own
// row: the rows before and after it on the page are still read.
TEST_F(CatalogBuild, DamagedRowsDoNotStopThePage) {
  constexpr uint64_t kDamagedPagePosition = 26;
  // Bytes of an object record before its first variable end offset: header,
  // fixed part, column count, a two-byte null bitmap, variable count.
  constexpr size_t kFirstEndOffset = 4 + kit::kObjectRowFixedLength + 2 + 2 + 2;
  const std::vector<uint8_t> before = kit::objectRow(object(2001, "Before"));
  const std::vector<uint8_t> damaged = kit::objectRow(object(2002, "Damaged"));
  const std::vector<uint8_t> after = kit::objectRow(object(2003, "After"));
  const uint16_t damagedOffset = static_cast<uint16_t>(kit::kHeaderSize + before.size());

  struct Case {
    const char* name;
    size_t at;  // offset inside the damaged record
    uint16_t value;
    bool slot;  // the value replaces the record's slot entry instead
  } cases[] = {
      {"column count offset past the page", 2, 0x7F00, false},
      {"column count offset into the next record", 2, 0x0100, false},
      {"variable end offset past the page", kFirstEndOffset, 0x7FF0, false},
      {"variable end offset before its start", kFirstEndOffset, 0x0010, false},
      {"huge column count", 4 + kit::kObjectRowFixedLength, 0x7FFF, false},
      {"huge variable count", 4 + kit::kObjectRowFixedLength + 4, 0x7FFF, false},
      {"slot past the page", 0, 0x2100, true},
      {"slot at the page end", 0, kPageSize - 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout;
    kit::DataFileBuilder file = kit::minimalPrimaryFile(layout);
    auto pages = kit::systemTablePages(kit::kSysSchObjs, {before, damaged, after});
    ASSERT_EQ(pages.size(), 1u);
    if (c.slot) {
      pages[0].slot(1, c.value);
    } else {
      pages[0].writeU16(damagedOffset + c.at, c.value);
    }
    file.setPage(kDamagedPagePosition, pages[0]);
    const DatabaseCatalog& catalog = build(file);
    EXPECT_TRUE(objectNamed(catalog, "Before"));
    EXPECT_TRUE(objectNamed(catalog, "After"));
    EXPECT_TRUE(objectNamed(catalog, "SampleTable"));
    for (const TableInfo& object : catalog.objects()) {
      EXPECT_GT(object.objectId, 0) << object.name;
      if (object.objectId == 2002) {
        EXPECT_NE(object.name, "") << "a damaged row still gets a name";
      }
    }
  }
}

}  // namespace
}  // namespace pellora
