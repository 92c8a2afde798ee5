// The synthetic content database in a SQL Server 2000 file: the boot page
// gives the version, the catalog is read from sysobjects, sysindexes and
// syscolumns, each table's pages are found by the object id their headers
// carry, and the export of every SharePoint table gives exactly the live
// rows of the manifest, bodies read whole through their text pointers.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalog/database_catalog.h"
#include "catalog/table_reader.h"
#include "kit/command_runner.h"
#include "kit/content_db_bodies.h"
#include "kit/content_db_file.h"
#include "kit/content_db_large_values.h"
#include "kit/content_db_manifest.h"
#include "kit/content_db_model.h"
#include "kit/opened_content_db.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

using Row = kit::ShownRow;
using kit::OpenedContentDb;
constexpr kit::ContentLayout k2000 = kit::ContentLayout::k2000;

std::vector<Row> liveRows(const std::vector<Row>& manifest, const std::string& kind) {
  return kit::manifestRowsIn(manifest, kind, {"live"});
}

// The small sample written for the program to open, with its manifest.
class WrittenContentFile {
 public:
  explicit WrittenContentFile(kit::ContentLayout layout = k2000)
      : model_(kit::buildContentModel(OpenedContentDb::small())), path_(dir_.file("c.mdf")) {
    kit::ContentFileOptions options;
    options.layout = layout;
    written_ = kit::contentDatabaseFile(model_, options).writeTo(path_);
  }

  bool written() const { return written_; }
  std::vector<Row> manifest() const { return kit::parseManifest(kit::manifestText(model_)); }
  kit::CommandResult run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin() + 1, path_);
    arguments.insert(arguments.end(), {"--log-dir", dir_.path()});
    return kit::runPellora(arguments);
  }

 private:
  kit::TempDir dir_;
  kit::ContentModel model_;
  std::string path_;
  bool written_ = false;
};

TEST(ContentDbSql2000, InfoGivesTheVersionAndTheOldCatalog) {
  const WrittenContentFile file;
  ASSERT_TRUE(file.written());
  const kit::CommandResult run = file.run({"info"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("Version\tSQL Server 2000\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Catalog layout\tSQL Server 2000 (legacy)"), std::string::npos) << run.out;
  EXPECT_EQ(kit::fileVersionOf(k2000), 539);
}

TEST(ContentDbSql2000, CatalogHoldsTheFourTablesWithTheirColumnsAndFirstPages) {
  OpenedContentDb db(k2000);
  ASSERT_TRUE(db.valid());
  EXPECT_TRUE(db.catalog().legacyLayout());
  struct TableCase {
    std::string name;
    std::vector<kit::ContentColumn> columns;
    int32_t objectId;
    bool heap;
  };
  const std::vector<TableCase> tables = {{"AllDocs", kit::allDocsColumns(k2000), kit::kAllDocsObjectId, false},
                                         {"AllDocStreams", kit::allDocStreamsColumns(k2000), kit::kAllDocStreamsObjectId, false},
                                         {"AllLists", kit::allListsColumns(k2000), kit::kAllListsObjectId, true},
                                         {"Webs", kit::websColumns(k2000), kit::kWebsObjectId, false}};
  for (const TableCase& table : tables) {
    SCOPED_TRACE(table.name);
    EXPECT_EQ(db.catalog().findObject(table.name, "U ").objectId, table.objectId);
    ColumnLayouts layouts = db.reader().readTable(table.name, "U ", {});
    ASSERT_EQ(layouts.size(), table.columns.size());
    for (size_t i = 0; i < layouts.size(); ++i) {
      const kit::ContentColumn& column = table.columns[i];
      EXPECT_EQ(layouts[i].name, column.name);
      EXPECT_EQ(layouts[i].typeText.substr(0, layouts[i].typeText.find('(')), kit::sqlTypeInfo(column.type).name)
          << column.name;
      EXPECT_EQ(layouts[i].nullable, column.nullable) << column.name;
      // The max types came with SQL Server 2005.
      EXPECT_GE(column.length, 0) << column.name;
    }
    // The clustered index row names the table's first data page; the
    // catalog keeps no row of a heap.
    const auto& indexes = db.catalog().legacyIndexes();
    const auto index = indexes.find(table.objectId);
    ASSERT_EQ(index != indexes.end(), !table.heap);
    if (table.heap) continue;
    std::set<int64_t> pages;
    for (const PageIndexEntry& entry : db.file().dataPageIndex().at(table.objectId)) pages.insert(entry.position);
    EXPECT_EQ(pages.count(index->second.firstPage), 1u) << index->second.firstPage;
  }
}

TEST(ContentDbSql2000, ExportGivesExactlyTheLiveRowsOfTheManifest) {
  const WrittenContentFile file;
  ASSERT_TRUE(file.written());
  const std::vector<Row> manifest = file.manifest();
  for (const kit::ManifestTable& t : kit::manifestTables("Webs")) {
    SCOPED_TRACE(t.table);
    const kit::CommandResult run = file.run({"export", t.table, "--format", "tsv", "--null", "NULL"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::vector<Row> exported = kit::parseManifest(run.out);
    const std::vector<Row> expected = liveRows(manifest, t.kind);
    EXPECT_EQ(kit::valuesOf(exported, t.idColumn), kit::valuesOf(expected, "Id"));
    std::map<std::string, Row> byId;
    for (const Row& row : expected) byId[row.at("Id")] = row;
    for (const Row& row : exported) {
      const auto found = byId.find(row.at(t.idColumn));
      if (found == byId.end()) continue;
      for (const kit::ManifestColumn& pair : t.columns) {
        EXPECT_EQ(row.at(pair.column), found->second.at(pair.field)) << row.at(t.idColumn) << " " << pair.column;
      }
    }
  }
}

// SQL Server 2000 keeps every image value off the row: a small root holds a
// value of one fragment, a large root names the fragments of a longer one.
TEST(ContentDbSql2000, EveryBodyReadsBackThroughItsTextPointer) {
  kit::ContentModel model = kit::buildContentModel(OpenedContentDb::small());
  kit::addBulkDocuments(model, 1, 2);
  OpenedContentDb db(k2000, model);
  ASSERT_TRUE(db.valid());
  std::map<std::string, const kit::ContentDoc*> docs;
  for (const kit::ContentDoc& doc : db.model().docs) docs[doc.id.text()] = &doc;
  const std::vector<Row> rows = db.rowsOf("AllDocStreams");
  EXPECT_EQ(kit::valuesOf(rows, "Id"), kit::valuesOf(liveRows(db.manifest(), "stream"), "Id"));
  bool oneFragment = false, manyFragments = false, padding = false;
  for (const Row& row : rows) {
    const kit::ContentDoc& doc = *docs.at(row.at("Id"));
    const std::vector<uint8_t> body = kit::documentBody(doc);
    if (body.empty()) continue;  // an empty value shows as a blank
    const std::string content = row.at("Content");
    EXPECT_EQ(content.size(), 2 + 2 * body.size()) << doc.leafName;
    EXPECT_TRUE(content == "0x" + kit::hexDigits(body)) << doc.leafName;
    oneFragment |= body.size() <= kit::kFragmentBytes;
    manyFragments |= !doc.padding && body.size() > kit::kFragmentBytes;
    padding |= doc.padding;
  }
  EXPECT_TRUE(oneFragment && manyFragments && padding) << "the sample lacks a form of body";
}

// Advanced mode reads every data page of the tables, and builds the same
// tree from the SQL Server 2000 file as Standard mode does from the 2007
// tables in a later file.
TEST(ContentDbSql2000, AdvancedModeBuildsTheDocumentTreeOfTheSameTables) {
  const WrittenContentFile sql2000, sql2008(kit::ContentLayout::k2007);
  ASSERT_TRUE(sql2000.written() && sql2008.written());
  const kit::CommandResult old = sql2000.run({"docs", "--advanced"});
  const kit::CommandResult later = sql2008.run({"docs"});
  ASSERT_EQ(old.exitStatus, 0) << old.err;
  ASSERT_EQ(later.exitStatus, 0) << later.err;
  EXPECT_NE(later.out.find(".docx\t"), std::string::npos) << later.out;
  EXPECT_EQ(old.out, later.out);
}

}  // namespace
}  // namespace pellora
