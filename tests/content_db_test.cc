// The synthetic SharePoint content database of the kit and its tool: the
// file opens as a real one does, its catalog names the SharePoint tables
// with their columns and physical layout, every table lists exactly the
// rows the manifest names with the values it gives, and the document
// bodies read back whole, through the large-value reader when they do not
// fit their row.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/database_catalog.h"
#include "catalog/record_listing.h"
#include "catalog/table_reader.h"
#include "kit/content_db_bodies.h"
#include "kit/content_db_file.h"
#include "kit/content_db_manifest.h"
#include "kit/content_db_model.h"
#include "kit/opened_content_db.h"
#include "kit/system_pages.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

using Row = kit::ShownRow;

struct LayoutCase {
  const char* name;
  kit::ContentLayout layout;
  uint16_t version;
  const char* websTable;
};

constexpr LayoutCase kLayouts[] = {
    {"2010", kit::ContentLayout::k2010, 661, "AllWebs"},
    {"2007", kit::ContentLayout::k2007, 661, "Webs"},
    {"2005", kit::ContentLayout::k2005, 611, "Webs"},
};

using kit::OpenedContentDb;

// Live rows, and with `withDeleted` ghosts too; rows that only carving finds
// are never among them.
std::vector<Row> manifestRows(const std::vector<Row>& manifest, const std::string& kind, bool withDeleted = false) {
  return kit::manifestRowsIn(manifest, kind, withDeleted ? std::set<std::string>{"live", "deleted"}
                                                         : std::set<std::string>{"live"});
}

using kit::valuesOf;

std::map<std::string, Row> byId(const std::vector<Row>& rows, const std::string& column = "Id") {
  std::map<std::string, Row> out;
  for (const Row& row : rows) out[row.at(column)] = row;
  return out;
}

class ContentDbLayouts : public testing::TestWithParam<LayoutCase> {};

INSTANTIATE_TEST_SUITE_P(ContentDb, ContentDbLayouts, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return std::string("Layout") + info.param.name; });

TEST_P(ContentDbLayouts, OpensWithTheSharePointTablesTheirColumnsAndPhysicalLayout) {
  const LayoutCase& c = GetParam();
  OpenedContentDb db(c.layout);
  ASSERT_TRUE(db.valid());
  EXPECT_EQ(db.catalog().boot().versionNumber, c.version);
  EXPECT_EQ(db.catalog().boot().databaseName, "WSS_Content");
  struct Expected {
    std::string name;
    std::vector<kit::ContentColumn> columns;
  };
  const std::vector<Expected> tables = {{"AllDocs", kit::allDocsColumns(c.layout)},
                                        {"AllDocStreams", kit::allDocStreamsColumns(c.layout)},
                                        {"AllLists", kit::allListsColumns(c.layout)},
                                        {c.websTable, kit::websColumns(c.layout)}};
  for (const Expected& table : tables) {
    SCOPED_TRACE(table.name);
    ColumnLayouts layouts = db.reader().readTable(table.name, "U ", {});
    ASSERT_EQ(layouts.size(), table.columns.size());
    EXPECT_TRUE(db.reader().usesPhysicalLayout());
    for (size_t i = 0; i < layouts.size(); ++i) {
      EXPECT_EQ(layouts[i].name, table.columns[i].name);
      EXPECT_EQ(layouts[i].typeText.substr(0, layouts[i].typeText.find('(')), kit::sqlTypeInfo(table.columns[i].type).name)
          << table.columns[i].name;
      EXPECT_EQ(layouts[i].nullable, table.columns[i].nullable) << table.columns[i].name;
    }
  }
  const TableInfo webs = db.catalog().findObject("Webs", "U ");
  EXPECT_EQ(webs.typeCode, c.layout == kit::ContentLayout::k2010 ? "V " : "U ");
  EXPECT_EQ(db.catalog().findObject("Docs", "V ").typeCode, "V ");
}

// The physical order puts Level, ParentId and DeleteTransactionId right after
// LeafName from 2010 on; 2007 keeps WebId there. Reading by the catalog's
// physical layout must give each its own value either way.
TEST_P(ContentDbLayouts, EveryTableListsExactlyTheLiveRowsOfTheManifest) {
  const LayoutCase& c = GetParam();
  OpenedContentDb db(c.layout);
  ASSERT_TRUE(db.valid());
  const std::vector<Row> manifest = db.manifest();
  struct TableCase {
    std::string table, kind, idColumn;
  };
  for (const TableCase& t : {TableCase{c.websTable, "web", "Id"}, TableCase{"AllLists", "list", "tp_ID"},
                             TableCase{"AllDocs", "doc", "Id"}, TableCase{"AllDocStreams", "stream", "Id"}}) {
    SCOPED_TRACE(t.table);
    const std::vector<Row> listed = db.rowsOf(t.table);
    const std::vector<Row> expected = manifestRows(manifest, t.kind);
    EXPECT_EQ(valuesOf(listed, t.idColumn), valuesOf(expected, "Id"));
  }
}

TEST_P(ContentDbLayouts, ValuesComeOutAsTheManifestShowsThem) {
  OpenedContentDb db(GetParam().layout);
  ASSERT_TRUE(db.valid());
  const std::vector<Row> manifest = db.manifest();
  for (const kit::ManifestTable& t : kit::manifestTables(GetParam().websTable)) {
    const std::map<std::string, Row> expected = byId(manifestRows(manifest, t.kind));
    const std::vector<Row> rows = db.rowsOf(t.table);
    ASSERT_FALSE(rows.empty()) << "no rows in " << t.table;
    for (const Row& row : rows) {
      const auto found = expected.find(row.at(t.idColumn));
      ASSERT_NE(found, expected.end()) << t.table << " row " << row.at(t.idColumn);
      for (const kit::ManifestColumn& pair : t.columns) {
        EXPECT_EQ(row.at(pair.column), found->second.at(pair.field)) << t.table << "." << pair.column;
      }
    }
  }
}

TEST_P(ContentDbLayouts, EveryBodyReadsBackWholeInRowOrThroughItsLargeValueTree) {
  OpenedContentDb db(GetParam().layout);
  ASSERT_TRUE(db.valid());
  std::map<std::string, const kit::ContentDoc*> docs;
  for (const kit::ContentDoc& doc : db.model().docs) docs[doc.id.text()] = &doc;
  bool empty = false, inRow = false, oneLevel = false, twoLevels = false;
  for (const Row& row : db.rowsOf("AllDocStreams")) {
    const kit::ContentDoc& doc = *docs.at(row.at("Id"));
    const std::vector<uint8_t> body = kit::documentBody(doc);
    ASSERT_EQ(static_cast<int64_t>(body.size()), doc.size);
    // A whole comparison of megabytes of hex would flood the log on failure.
    const std::string content = row.at("Content");
    EXPECT_EQ(content.size(), 2 + 2 * body.size()) << doc.leafName;
    EXPECT_TRUE(content == "0x" + kit::hexDigits(body)) << doc.leafName;
    empty |= body.empty();
    inRow |= !body.empty() && doc.size <= kit::kInRowBodyLimit;
    oneLevel |= doc.size > kit::kInRowBodyLimit && doc.size <= 5 * 8000;
    twoLevels |= doc.size > 5 * 8000;
  }
  EXPECT_TRUE(empty && inRow && oneLevel && twoLevels) << "the sample lacks a form of body";
}

TEST(ContentDbRows, DeletedRowsAreGhostsThatShowOnlyWhenAskedFor) {
  OpenedContentDb db(kit::ContentLayout::k2010);
  ASSERT_TRUE(db.valid());
  const std::vector<Row> manifest = db.manifest();
  const std::vector<Row> deleted = [&] {
    std::vector<Row> out;
    for (const Row& row : manifestRows(manifest, "doc", true)) {
      if (row.at("state") == "deleted") out.push_back(row);
    }
    return out;
  }();
  ASSERT_FALSE(deleted.empty());
  db.flags().showDeleted = true;
  std::multiset<std::string> listed = valuesOf(db.rowsOf("AllDocs"), "Id");
  EXPECT_EQ(listed, valuesOf(manifestRows(manifest, "doc", true), "Id"));
  for (const Row& row : deleted) EXPECT_EQ(listed.count(row.at("Id")), 1u);
}

TEST(ContentDbModel, HoldsTheCasesARecoveryToolMeets) {
  const kit::ContentModel model = kit::buildContentModel(OpenedContentDb::small());
  std::set<std::string> webIds, listIds, names;
  for (const kit::ContentWeb& web : model.webs) webIds.insert(web.id.text());
  for (const kit::ContentList& list : model.lists) listIds.insert(list.id.text());
  bool orphanList = false, orphanDoc = false, outsideList = false, deepFolder = false;
  for (const kit::ContentList& list : model.lists) orphanList |= !webIds.count(list.webId.text());
  for (const kit::ContentDoc& doc : model.docs) {
    names.insert(doc.leafName);
    if (doc.listId) orphanDoc |= !listIds.count(doc.listId->text());
    else outsideList = true;
    deepFolder |= doc.type == 1 && doc.dirName.ends_with("Folder A/Sub 1");
    EXPECT_FALSE(doc.dirName.starts_with("/")) << doc.dirName;
  }
  EXPECT_TRUE(orphanList);
  EXPECT_TRUE(orphanDoc);
  EXPECT_TRUE(outsideList);
  EXPECT_TRUE(deepFolder);
  EXPECT_TRUE(names.count("Bericht Größe.docx"));
  EXPECT_TRUE(names.count("报告.txt"));
}

TEST(ContentDbModel, TheSeedAloneDecidesTheFile) {
  kit::ContentOptions one = OpenedContentDb::small();
  kit::ContentOptions two = one;
  two.seed = 2;
  auto bytesOf = [](const kit::ContentOptions& options) {
    return kit::contentDatabaseFile(kit::buildContentModel(options), {}).bytes();
  };
  EXPECT_TRUE(bytesOf(one) == bytesOf(one));
  EXPECT_FALSE(bytesOf(one) == bytesOf(two));
}

TEST(ContentDbFile, PaddingDocumentsFillTheFileAndStillReadBack) {
  kit::ContentOptions options = OpenedContentDb::small();
  options.documents = 2;
  kit::ContentModel model = kit::buildContentModel(options);
  kit::addBulkDocuments(model, 1, 300);
  kit::TempDir dir;
  const std::string path = dir.file("padded.mdf");
  const kit::DataFileBuilder builder = kit::contentDatabaseFile(model, {});
  EXPECT_GT(builder.fileLength(), 300u * kit::kPaddingFragments * 8192u);
  ASSERT_TRUE(builder.writeTo(path));
  RunFlags flags;
  DatabaseFile file(path, silentNotifier(), flags);
  ASSERT_TRUE(file.valid());
  DatabaseCatalog catalog(file, CollationRequest{});
  TableReader reader(catalog, file);
  ASSERT_FALSE(reader.readTable("AllDocStreams", "U ", {}).empty());
  RecordListModel listModel;
  RowDecoding decoding;
  decoding.placeholders = false;
  RecordListing listing(reader, listModel, silentNotifier(), decoding);
  const std::string padding = [] {
    kit::ContentDoc doc;
    doc.padding = true;
    return "0x" + kit::hexDigits(kit::documentBody(doc));
  }();
  int padded = 0;
  listing.forEachRow(false, [&](const DecodedRow& row) {
    if (row[3].display() == padding) ++padded;
    return true;
  });
  EXPECT_EQ(padded, 300);
}

// The tool, run as a user runs it.
struct ToolRun {
  int status = -1;
  std::string out;
};

ToolRun runTool(const kit::TempDir& dir, const std::string& arguments) {
  const std::string out = dir.file("tool.out");
  const std::string command = std::string(PELLORA_BUILD_DIR) + "/mkcontentdb " + arguments + " >" + out + " 2>&1";
  ToolRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  run.out = text.str();
  return run;
}

TEST(ContentDbTool, HelpSaysTheFileIsSyntheticAndHoldsNoRealData) {
  kit::TempDir dir;
  const ToolRun run = runTool(dir, "--help");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("synthetic"), std::string::npos);
  EXPECT_NE(run.out.find("no\ndata of any real database"), std::string::npos) << run.out;
}

TEST(ContentDbTool, WritesTheFileAndManifestAndRefusesToOverwriteWithoutForce) {
  kit::TempDir dir;
  const std::string mdf = dir.file("c.mdf"), tsv = dir.file("c.tsv");
  ASSERT_EQ(runTool(dir, "--documents 4 --manifest " + tsv + " " + mdf).status, 0);
  const auto size = std::filesystem::file_size(mdf);
  EXPECT_GT(size, 0u);
  std::ifstream manifest(tsv);
  std::string header;
  std::getline(manifest, header);
  EXPECT_EQ(header, kit::kManifestHeader);

  std::filesystem::resize_file(mdf, 8192);
  const ToolRun refused = runTool(dir, "--documents 4 " + mdf);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("--force"), std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(mdf), 8192u);
  EXPECT_EQ(runTool(dir, "--documents 4 --manifest " + tsv + " " + dir.file("other.mdf")).status, 1)
      << "an existing manifest is refused as well";
  EXPECT_EQ(runTool(dir, "--force --documents 4 " + mdf).status, 0);
  EXPECT_EQ(std::filesystem::file_size(mdf), size);
}

TEST(ContentDbTool, BadArgumentsExitWithTwoAndWriteNothing) {
  kit::TempDir dir;
  const std::string mdf = dir.file("bad.mdf");
  for (const std::string& args : {"--layout 2003 " + mdf, "--seed x " + mdf, "--sites 0 " + mdf, "--size 12XB " + mdf,
                                 "--bogus " + mdf, std::string(""), mdf + " " + dir.file("second.mdf"),
                                 std::string("--manifest")}) {
    SCOPED_TRACE(args);
    const ToolRun run = runTool(dir, args);
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_FALSE(std::filesystem::exists(mdf));
  }
}

// The boot page keeps the version at offset 100.
TEST(ContentDbTool, LayoutChoosesTheVersionOfItsSqlServer) {
  kit::TempDir dir;
  const std::string mdf = dir.file("layout.mdf");
  for (auto [layout, version] : {std::pair{"2010", 661}, std::pair{"2007", 661}, std::pair{"2005", 611},
                                 std::pair{"2000", 539}}) {
    SCOPED_TRACE(layout);
    ASSERT_EQ(runTool(dir, std::string("--force --documents 2 --layout ") + layout + " " + mdf).status, 0);
    std::ifstream in(mdf, std::ios::binary);
    in.seekg(kit::kBootPagePosition * 8192 + 100);
    uint8_t bytes[2] = {};
    in.read(reinterpret_cast<char*>(bytes), 2);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), version);
  }
}

TEST(ContentDbTool, SizeFillsTheFileToTheSizeAsked) {
  kit::TempDir dir;
  const std::string mdf = dir.file("sized.mdf");
  ASSERT_EQ(runTool(dir, "--documents 2 --size 12MiB " + mdf).status, 0);
  EXPECT_EQ(std::filesystem::file_size(mdf), 12u << 20);
}

}  // namespace
}  // namespace pellora
