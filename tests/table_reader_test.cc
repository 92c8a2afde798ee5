// The table reader over whole data files: which catalog rows make a table's
// column layouts, what answers objects that are not tables, which pages
// belong to the table's allocation unit, the rows of one page, and the text
// of stored definition values.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/recovery_run.h"
#include "catalog/database_catalog.h"
#include "catalog/table_reader.h"
#include "kit/primary_file.h"
#include "kit/record_builder.h"
#include "kit/system_rows.h"
#include "kit/table_layouts.h"
#include "kit/temp_dir.h"
#include "platform/codepage.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

class TableReaderFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }
  void TearDown() override { close(); }

  // Writes `builder`, opens it, maps its catalog and makes a reader over it.
  TableReader& open(const kit::DataFileBuilder& builder) {
    close();
    const std::string path = dir_.file("table.mdf");
    EXPECT_TRUE(builder.writeTo(path));
    file_ = std::make_unique<DatabaseFile>(path, silentNotifier(), flags_);
    EXPECT_TRUE(file_->valid());
    catalog_ = std::make_unique<DatabaseCatalog>(*file_, CollationRequest{});
    reader_ = std::make_unique<TableReader>(*catalog_, *file_);
    return *reader_;
  }

  TableReader& open(const kit::CatalogRows& rows) { return open(kit::minimalPrimaryFile(layout_, rows)); }

  void close() {
    reader_.reset();
    catalog_.reset();
    file_.reset();
  }

  RowDecoding decoding() {
    RowDecoding decoding;
    decoding.file = file_.get();
    decoding.flags = &flags_;
    return decoding;
  }

  static std::vector<std::string> namesOf(const ColumnLayouts& layouts) {
    std::vector<std::string> names;
    for (const ColumnLayout& layout : layouts) names.push_back(layout.name);
    return names;
  }

  // Pages first..first+count-1 of file 1.
  static std::vector<PageId> pageRange(uint64_t first, uint64_t count) {
    std::vector<PageId> pages;
    for (uint64_t p = first; p < first + count; ++p) pages.push_back({1, static_cast<int32_t>(p)});
    return pages;
  }

  kit::PrimaryFileLayout layout_;
  kit::TempDir dir_;
  RunFlags flags_;
  std::unique_ptr<DatabaseFile> file_;
  std::unique_ptr<DatabaseCatalog> catalog_;
  std::unique_ptr<TableReader> reader_;
};

kit::ColumnRow columnRow(int32_t objectId, int32_t columnId, std::string name) {
  kit::ColumnRow row;
  row.objectId = objectId;
  row.columnId = columnId;
  row.name = std::move(name);
  return row;
}

// --- Preparing a table ---------------------------------------------------------

TEST_F(TableReaderFile, SampleTablePreparesColumnsInColumnIdOrderWithPagesAndAllocationUnit) {
  kit::CatalogRows rows = kit::sampleCatalog(layout_);
  std::swap(rows.columns[0], rows.columns[1]);  // "Name" comes first in the catalog
  TableReader& reader = open(rows);

  ColumnLayouts layouts = reader.readTable(layout_.userTableName, "U ", {});
  ASSERT_EQ(namesOf(layouts), (std::vector<std::string>{"Id", "Name"}));
  EXPECT_EQ(layouts[0].columnId, 1);
  EXPECT_EQ(layouts[0].typeCode, TypeCode::kInt);
  EXPECT_EQ(layouts[0].typeText, "int(4)");
  EXPECT_EQ(layouts[0].identityText, "identity(1,1)");
  EXPECT_FALSE(layouts[0].variableLength);
  EXPECT_EQ(layouts[1].columnId, 2);
  EXPECT_EQ(layouts[1].typeCode, TypeCode::kVarChar);
  EXPECT_EQ(layouts[1].typeText, "varchar(50)");
  EXPECT_TRUE(layouts[1].variableLength);
  EXPECT_EQ(layouts[1].collationId, static_cast<int32_t>(layout_.collationId));
  for (const ColumnLayout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    EXPECT_TRUE(layout.present) << "without a physical layout every column is in the record";
    EXPECT_EQ(layout.ordinal, layout.columnId);
  }

  const TableRows& table = reader.prepared();
  EXPECT_TRUE(table.isTable);
  EXPECT_EQ(table.currentObject.objectId, layout_.userObjectId);
  EXPECT_EQ(table.currentObject.name, layout_.userTableName);
  EXPECT_EQ(table.rowset.rowsetId, layout_.userRowsetId);
  EXPECT_EQ(table.allocationUnit.allocUnitId, layout_.userAllocUnitId);
  EXPECT_EQ(table.allocationUnit.ownerId, layout_.userRowsetId);
  ASSERT_EQ(table.tableAllocationUnits.size(), 1u);
  EXPECT_EQ(table.tableAllocationUnits[0].allocUnitId, layout_.userAllocUnitId);
  EXPECT_EQ(table.pages, pageRange(layout_.firstUserPage, layout_.userPageCount));
  EXPECT_EQ(namesOf(table.columns), namesOf(layouts));
  EXPECT_FALSE(reader.usesPhysicalLayout());
}

TEST_F(TableReaderFile, ObjectsThatAreNotTablesGiveTheirIdTypeAndName) {
  struct Case {
    const char* name;
    int32_t id;
    const char* type;
  } cases[] = {{"SampleView", kit::kSampleViewId, "V "}, {"SampleProcedure", kit::kSampleProcedureId, "P "}};
  TableReader& reader = open(kit::sampleCatalog(layout_));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A table prepared before must not linger in what the object leaves.
    ASSERT_EQ(reader.readTable(layout_.userTableName, "U ", {}).size(), 2u);
    ColumnLayouts layouts = reader.readTable(c.name, "U ", {});
    ASSERT_EQ(layouts.size(), 3u);
    EXPECT_EQ(layouts[0].value, std::to_string(c.id));
    EXPECT_EQ(layouts[1].value, c.type);
    EXPECT_EQ(layouts[2].value, c.name);
    for (const ColumnLayout& layout : layouts) EXPECT_TRUE(layout.present);
    const TableRows& prepared = reader.prepared();
    EXPECT_FALSE(prepared.isTable);
    EXPECT_EQ(prepared.currentObject.objectId, c.id);
    EXPECT_TRUE(prepared.columns.empty());
    EXPECT_TRUE(prepared.pages.empty());
  }
}

TEST_F(TableReaderFile, MissingNameGivesNothingAndKeepsThePreparedTable) {
  TableReader& reader = open(kit::sampleCatalog(layout_));
  EXPECT_TRUE(reader.readTable("NoSuchTable", "U ", {}).empty());
  EXPECT_FALSE(reader.prepared().isTable);

  ASSERT_EQ(reader.readTable(layout_.userTableName, "U ", {}).size(), 2u);
  const std::vector<PageId> pages = reader.prepared().pages;
  for (const char* missing : {"NoSuchTable", "sampletable", ""}) {
    SCOPED_TRACE(missing);
    EXPECT_TRUE(reader.readTable(missing, "U ", {}).empty());
    const TableRows& table = reader.prepared();
    EXPECT_TRUE(table.isTable);
    EXPECT_EQ(table.currentObject.name, layout_.userTableName);
    EXPECT_EQ(namesOf(table.columns), (std::vector<std::string>{"Id", "Name"}));
    EXPECT_EQ(table.pages, pages);
  }
}

// Each case adds one column row to the sample catalog's two.
TEST_F(TableReaderFile, ColumnRowsTheTableTakes) {
  const int32_t table = layout_.userObjectId;
  struct Case {
    const char* name;
    kit::ColumnRow row;
    std::vector<std::string> names;
  };
  kit::ColumnRow otherNumber = columnRow(table, 3, "Numbered");
  otherNumber.number = 1;
  kit::ColumnRow typeless = columnRow(table, 3, "Typeless");
  typeless.systemTypeId = 0;
  typeless.userTypeId = 0;
  const std::vector<Case> cases = {
      {"object id with bit 24", columnRow(table | (1 << 24), 3, "Flagged"), {"Id", "Name", "Flagged"}},
      {"object id with bit 25", columnRow(table | (1 << 25), 3, "Flagged"), {"Id", "Name", "Flagged"}},
      {"object id with both bits", columnRow(table | (3 << 24), 3, "Flagged"), {"Id", "Name", "Flagged"}},
      {"object id with bit 26", columnRow(table | (1 << 26), 3, "Other"), {"Id", "Name"}},
      {"another object", columnRow(kit::kSampleViewId, 3, "Other"), {"Id", "Name"}},
      {"a column id taken already", columnRow(table, 2, "Again"), {"Id", "Name"}},
      {"system type 0", typeless, {"Id", "Name"}},
      {"column number other than 0", otherNumber, {"Id", "Name"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::CatalogRows rows = kit::sampleCatalog(layout_);
    rows.columns.push_back(c.row);
    TableReader& reader = open(rows);
    EXPECT_EQ(namesOf(reader.readTable(layout_.userTableName, "U ", {})), c.names);
  }
}

TEST_F(TableReaderFile, LargeObjectColumnsGetTheirTypeCodeAndTypeText) {
  struct Case {
    uint8_t systemType;
    int16_t maxLength;
    TypeCode code;
    const char* typeText;
  } cases[] = {
      {34, 16, TypeCode::kImage, "image(16)"},
      {35, 16, TypeCode::kText, "text(16)"},
      {99, 16, TypeCode::kNText, "ntext(16)"},
      {165, -1, TypeCode::kVarBinary, "varbinary(-1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typeText);
    kit::CatalogRows rows = kit::sampleCatalog(layout_);
    kit::ColumnRow large = columnRow(layout_.userObjectId, 3, "Large");
    large.systemTypeId = c.systemType;
    large.userTypeId = c.systemType;
    large.maxLength = large.maxInRowLength = c.maxLength;
    rows.columns.push_back(large);
    TableReader& reader = open(rows);
    ColumnLayouts layouts = reader.readTable(layout_.userTableName, "U ", {});
    ASSERT_EQ(layouts.size(), 3u);
    EXPECT_EQ(static_cast<int>(layouts[2].typeCode), static_cast<int>(c.code));
    EXPECT_EQ(layouts[2].typeText, c.typeText);
    EXPECT_TRUE(layouts[2].variableLength);
  }
}

// --- Pages and their rows ---------------------------------------------------------

// Pages of an allocation unit carry the middle part of its id as object id
// and its top 16 bits as index id. Here the table's unit is index id 256
// under object id 1001; the second half of the user pages belongs to unit
// 257 of the same object id and is not the table's.
TEST_F(TableReaderFile, PagesOfAnotherAllocationUnitWithTheSameMiddleIdAreNotListed) {
  const uint64_t unitId = (uint64_t{256} << 48) | (static_cast<uint64_t>(layout_.userObjectId) << 16);
  kit::CatalogRows rows = kit::sampleCatalog(layout_);
  rows.allocUnits[0].allocUnitId = unitId;
  kit::DataFileBuilder builder = kit::minimalPrimaryFile(layout_, rows);
  const uint64_t half = layout_.userPageCount / 2;
  for (uint64_t index = 0; index < layout_.userPageCount; ++index) {
    kit::PageBuilder page = kit::userPage(layout_, index);
    page.indexId(index < half ? 256 : 257);
    builder.setPage(layout_.firstUserPage + index, page);
  }
  TableReader& reader = open(builder);
  ASSERT_EQ(reader.readTable(layout_.userTableName, "U ", {}).size(), 2u);
  EXPECT_EQ(reader.prepared().allocationUnit.allocUnitId, unitId);
  EXPECT_EQ(reader.prepared().pages, pageRange(layout_.firstUserPage, half));
}

TEST_F(TableReaderFile, ReadPageRowsGivesRowsOfDataPagesOnly) {
  const int32_t textPage = 48;
  kit::DataFileBuilder builder = kit::minimalPrimaryFile(layout_);
  // The shape of a user page's records, on a page of another type.
  kit::PageBuilder text;
  text.type(kit::PageType::kTextMix).objectId(layout_.userObjectId);
  text.addRecord(kit::RecordBuilder().fixedU32(9).columnCount(2).variable(kit::textBytes("nine")).build());
  builder.setPage(textPage, text);
  TableReader& reader = open(builder);
  ColumnLayouts layouts = reader.readTable(layout_.userTableName, "U ", {});
  ASSERT_EQ(layouts.size(), 2u);

  struct Case {
    const char* name;
    PageId page;
    size_t rows;
  } cases[] = {
      {"a user data page", {1, static_cast<int32_t>(layout_.firstUserPage)}, 4},
      {"the IAM page", {1, static_cast<int32_t>(layout_.iamPosition)}, 0},
      {"the boot page", {1, kit::kBootPagePosition}, 0},
      {"a text page", {1, textPage}, 0},
      {"a page past the file", {1, 100000}, 0},
      {"a file that is not attached", {2, static_cast<int32_t>(layout_.firstUserPage)}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DecodedRow> rows = reader.readPageRows(c.page, layouts, decoding());
    ASSERT_EQ(rows.size(), c.rows);
    for (size_t i = 0; i < rows.size(); ++i) {
      ASSERT_EQ(rows[i].size(), 2u);
      EXPECT_EQ(rows[i][0].display(), std::to_string(i + 1));
      EXPECT_EQ(rows[i][1].display(), "row " + std::to_string(i + 1));
    }
  }
}

// --- Definition values ------------------------------------------------------------

TEST(TableReaderDefinitionText, ZeroAfterTheFirstByteMeansUtf16) {
  const int saved = ansiCodePage();
  setAnsiCodePage(1252);
  struct Case {
    const char* hex;
    const char* text;
  } cases[] = {
      {"0x410042", "A"},         // UTF-16; the odd last byte is no unit
      {"0x41004200", "AB"},
      {"0x6a006B00", "jk"},      // either case of digit
      {"0x414200", "\xE4\x89\x81"},  // a zero anywhere after the first byte: U+4241, not "AB"
      {"0x414243", "ABC"},       // no zero: 8-bit text
      {"0x00414243", ""},        // a zero first byte alone keeps it 8-bit, which ends there
      {"0xE9", "\xC3\xA9"},      // 8-bit text in the ANSI code page: é
      {"0x", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(definitionValueText(c.hex), c.text);
  }
  setAnsiCodePage(saved);
}

}  // namespace
}  // namespace pellora
