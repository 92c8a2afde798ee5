// The row decoder over parsed data pages: which records give rows, where
// each column's value is found (leaf offsets, running positions, null bits,
// shared bit bytes, sparse vectors), how NULL is told from stored text, and
// when a large value is read or stands for a placeholder.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/recovery_run.h"
#include "kit/large_value_pages.h"
#include "kit/primary_file.h"
#include "kit/record_builder.h"
#include "kit/table_layouts.h"
#include "kit/temp_dir.h"
#include "platform/codepage.h"
#include "storage/database_file.h"
#include "storage/primary_record_page.h"
#include "values/row_decoder.h"

namespace pellora {
namespace {

using kit::RecordBuilder;
using kit::RecordImage;

// A cell as the tests compare it: no value for a NULL mark, else the text.
using Cell = std::optional<std::string>;
constexpr std::nullopt_t kNull = std::nullopt;
using Cells = std::vector<Cell>;

Cells cellsOf(const DecodedRow& row) {
  Cells cells;
  for (const DecodedCell& cell : row) cells.push_back(cell.null ? kNull : Cell(cell.text));
  return cells;
}

std::vector<Cells> cellsOf(const std::vector<DecodedRow>& rows) {
  std::vector<Cells> all;
  for (const DecodedRow& row : rows) all.push_back(cellsOf(row));
  return all;
}

// The first cell of each row, for tests that only tell rows apart.
std::vector<std::string> firstCells(const std::vector<DecodedRow>& rows) {
  std::vector<std::string> firsts;
  for (const DecodedRow& row : rows) firsts.push_back(row.empty() ? "<no cells>" : row[0].display());
  return firsts;
}

using DecodeFn = std::vector<DecodedRow> (*)(const PrimaryRecordPage&, ColumnLayouts&, const RowDecoding&);

struct Decoder {
  const char* name;
  DecodeFn decode;
};

const Decoder kRows{"decodeRows", decodeRows};
const Decoder kRowsLegacy{"decodeRowsLegacy", decodeRowsLegacy};
const Decoder kDefinitions{"decodeDefinitionRows", decodeDefinitionRows};
const Decoder kDefinitionsLegacy{"decodeDefinitionRowsLegacy", decodeDefinitionRowsLegacy};
const Decoder kAllDecoders[] = {kRows, kRowsLegacy, kDefinitions, kDefinitionsLegacy};
// The decoders that list a table's rows and read the current values table:
// they share the rules of which records give a row.
const Decoder kRecordFilteringDecoders[] = {kRows, kRowsLegacy, kDefinitions};

ColumnLayout intColumn(int32_t id, int16_t leafOffset = 0) {
  ColumnLayout layout = kit::columnLayout(id, TypeCode::kInt, 4);
  layout.leafOffset = leafOffset;
  return layout;
}

ColumnLayout varcharColumn(int32_t id, int32_t length = 50, int16_t leafOffset = 0) {
  ColumnLayout layout = kit::columnLayout(id, TypeCode::kVarChar, length);
  layout.leafOffset = leafOffset;
  return layout;
}

// A record whose fixed data holds `ints`, counting `columns` columns.
RecordBuilder intRecord(std::initializer_list<uint32_t> ints, uint16_t columns) {
  RecordBuilder record;
  for (uint32_t v : ints) record.fixedU32(v);
  record.columnCount(columns);
  return record;
}

// --- Which slots and records give rows ---------------------------------------

TEST(RowDecoderSlots, SlotCountBoundsTheRowsTaken) {
  const std::vector<RecordImage> three = {intRecord({1}, 1).build(), intRecord({2}, 1).build(),
                                          intRecord({3}, 1).build()};
  struct Case {
    const char* name;
    std::unique_ptr<PrimaryRecordPage> page;
    std::vector<std::string> firsts;
  };
  std::vector<Case> cases;
  // Records in the page body, but the header counts no slot.
  cases.push_back({"slot count 0", kit::parsedPage(kit::recordsPage(three).slotCount(0)), {}});
  // A slot count past the slot array's limit leaves the page without records.
  cases.push_back({"slot count 4000", kit::parsedPage(kit::recordsPage(three).slotCount(4000)), {}});
  // The page read for one slot holds one record while its header counts three.
  cases.push_back({"one slot of three",
                   std::make_unique<PrimaryRecordPage>(std::make_unique<PageBytes>(kit::recordsPage(three).build()),
                                                       PageContext{}, 1),
                   {"2"}});
  // Slots 3 and 4 point before the first record offset: no record there.
  cases.push_back({"slots without records", kit::parsedPage(kit::recordsPage(three).slotCount(5)), {"1", "2", "3"}});
  for (const Case& c : cases) {
    for (const Decoder& decoder : kAllDecoders) {
      SCOPED_TRACE(std::string(c.name) + ", " + decoder.name);
      ColumnLayouts layouts = {intColumn(1)};
      EXPECT_EQ(firstCells(decoder.decode(*c.page, layouts, {})), c.firsts);
    }
  }
}

TEST(RowDecoderRecordKinds, DeletedRecordsOnlyWithShowDeleted) {
  struct Case {
    bool pageShowsDeleted;     // as the page was read
    bool decoderShowsDeleted;  // as the rows are decoded
    std::vector<std::string> firsts;
  } cases[] = {
      {false, false, {"1", "3"}},
      {true, false, {"1", "3"}},
      {true, true, {"1", "2", "3"}},
  };
  for (const Case& c : cases) {
    RunFlags pageFlags;
    pageFlags.showDeleted = c.pageShowsDeleted;
    RunFlags decodeFlags;
    decodeFlags.showDeleted = c.decoderShowsDeleted;
    kit::PageBuilder builder = kit::recordsPage(
        {intRecord({1}, 1).build(), intRecord({2}, 1).kind(kDeletedRecord).build(), intRecord({3}, 1).build()});
    builder.ghostRecordCount(1);
    auto page = kit::parsedPage(builder, &pageFlags);
    for (const Decoder& decoder : kRecordFilteringDecoders) {
      SCOPED_TRACE(std::string(decoder.name) + (c.pageShowsDeleted ? ", page shows" : ", page hides") +
                   (c.decoderShowsDeleted ? ", decoder shows" : ", decoder hides"));
      ColumnLayouts layouts = {intColumn(1)};
      RowDecoding decoding;
      decoding.flags = &decodeFlags;
      EXPECT_EQ(firstCells(decoder.decode(*page, layouts, decoding)), c.firsts);
    }
  }
}

TEST(RowDecoderRecordKinds, IndexRecordsNeverGiveRows) {
  RunFlags flags;
  flags.showDeleted = true;
  auto page = kit::parsedPage(
      {intRecord({1}, 1).build(), intRecord({2}, 1).kind(kIndexRecord).build(), intRecord({3}, 1).build()}, &flags);
  for (const Decoder& decoder : kRecordFilteringDecoders) {
    SCOPED_TRACE(decoder.name);
    ColumnLayouts layouts = {intColumn(1)};
    RowDecoding decoding;
    decoding.flags = &flags;
    EXPECT_EQ(firstCells(decoder.decode(*page, layouts, decoding)), (std::vector<std::string>{"1", "3"}));
  }
}

// --- Where column values are found --------------------------------------------

// A record that stores fewer columns than the table has leaves the later
// cells empty: nothing of the record before it may show through.
TEST(RowDecoderColumns, ShortRecordLeavesLaterColumnsEmpty) {
  for (const Decoder& decoder : kAllDecoders) {
    SCOPED_TRACE(decoder.name);
    ColumnLayouts layouts;
    for (int16_t id = 1; id <= 5; ++id) layouts.push_back(intColumn(id, static_cast<int16_t>(4 * id)));
    auto page = kit::parsedPage({intRecord({10, 20, 30, 40, 50}, 5).build(), intRecord({1, 2, 3}, 3).build()});
    std::vector<Cells> rows = cellsOf(decoder.decode(*page, layouts, {}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Cells{"10", "20", "30", "40", "50"}));
    EXPECT_EQ(rows[1], (Cells{"1", "2", "3", "", ""}));
  }
}

// Columns without a leaf offset are read where the previous column ended; a
// NULL column takes no bytes there.
TEST(RowDecoderColumns, NullColumnDoesNotMoveTheRunningOffset) {
  ColumnLayouts layouts = {intColumn(1), intColumn(2), intColumn(3)};
  auto page = kit::parsedPage({intRecord({1, 3}, 3).nullColumn(1).build()});
  std::vector<Cells> rows = cellsOf(decodeRows(*page, layouts, {}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (Cells{"1", kNull, "3"}));
}

TEST(RowDecoderColumns, NineBitColumnsFillOneByteThenTheNinthStartsTheNext) {
  struct Placement {
    const char* name;
    std::vector<int16_t> leafOffsets;  // nine bits, then an int
  } placements[] = {
      {"running positions", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"leaf offsets", {4, 4, 4, 4, 4, 4, 4, 4, 5, 6}},
  };
  // 0xA4: bits 0..7 are 0 0 1 0 0 1 0 1; the second byte holds the ninth,
  // which bit 0 of the first byte or a ninth bit of it would not give.
  const Cells expected = {"False", "False", "True", "False", "False", "True", "False", "True", "True", "77"};
  for (const Placement& placement : placements) {
    for (const Decoder& decoder : kAllDecoders) {
      SCOPED_TRACE(std::string(placement.name) + ", " + decoder.name);
      ColumnLayouts layouts;
      for (int32_t id = 1; id <= 9; ++id) layouts.push_back(kit::columnLayout(id, TypeCode::kBit, 1));
      layouts.push_back(intColumn(10));
      for (size_t i = 0; i < layouts.size(); ++i) layouts[i].leafOffset = placement.leafOffsets[i];
      auto page = kit::parsedPage({RecordBuilder().fixedU8(0xA4).fixedU8(0x01).fixedU32(77).columnCount(10).build()});
      std::vector<Cells> rows = cellsOf(decoder.decode(*page, layouts, {}));
      ASSERT_EQ(rows.size(), 1u);
      EXPECT_EQ(rows[0], expected);
    }
  }
}

// The physical layout places values and NULL marks independently of the
// column order: A reads the second int and tests bit 2, B the first int and
// bit 0, C the second variable entry, D the first. Bit 0, which the column
// order would give to A, is set.
TEST(RowDecoderColumns, LeafOffsetsAndNullBitsComeFromThePhysicalLayout) {
  ColumnLayout a = intColumn(1, 8);
  a.nullBit = 3;
  ColumnLayout b = intColumn(2, 4);
  b.nullBit = 1;
  ColumnLayout c = varcharColumn(3, 50, -2);
  c.nullBit = 2;
  ColumnLayout d = varcharColumn(4, 50, -1);
  d.nullBit = 4;
  ColumnLayout absent = intColumn(5, 4);
  absent.present = false;
  ColumnLayouts layouts = {a, b, c, d, absent};
  auto page = kit::parsedPage({intRecord({10, 20}, 5)
                                   .nullColumn(0)
                                   .variable(kit::textBytes("first"))
                                   .variable(kit::textBytes("second"))
                                   .build()});
  std::vector<Cells> rows = cellsOf(decodeRows(*page, layouts, {}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (Cells{"20", kNull, "second", "first", kNull}));
}

TEST(RowDecoderColumns, ColumnsWithoutOrdinalArePassedOver) {
  for (const Decoder& decoder : kAllDecoders) {
    SCOPED_TRACE(decoder.name);
    ColumnLayout computed = intColumn(2);
    computed.ordinal = kNoOrdinal;
    computed.nullable = true;
    ColumnLayouts layouts = {intColumn(1), computed, intColumn(3)};
    auto page = kit::parsedPage({intRecord({1, 2}, 3).build()});
    std::vector<Cells> rows = cellsOf(decoder.decode(*page, layouts, {}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (Cells{"1", "", "2"}));
    EXPECT_EQ(layouts[1].ordinal, kNoOrdinal);
  }
}

TEST(RowDecoderColumns, SparseColumnWithoutEntryIsEmptyNotNull) {
  // Sparse vector: its mark 5, one column, column id 3, its end at 12, the int 42.
  const RecordImage vector = {0x05, 0x00, 0x01, 0x00, 0x03, 0x00, 0x0C, 0x00, 0x2A, 0x00, 0x00, 0x00};
  ColumnLayout id = intColumn(1, 4);
  id.nullBit = 1;
  ColumnLayout sparse3 = intColumn(3);
  sparse3.sparse = true;
  sparse3.nullable = true;
  ColumnLayout sparse4 = intColumn(4);
  sparse4.sparse = true;
  sparse4.nullable = true;
  // Every null bit but the id's is set: a sparse column must not be tested.
  auto page = kit::parsedPage({
      intRecord({1}, 3).nullBitmapBytes({0xFE}).build(),
      intRecord({2}, 3).nullBitmapBytes({0xFE}).variable(Bytes(vector.data(), vector.size()), true).build(),
  });
  ColumnLayouts layouts = {id, sparse3, sparse4};
  std::vector<Cells> rows = cellsOf(decodeRows(*page, layouts, {}));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (Cells{"1", "", ""})) << "no sparse vector at all";
  EXPECT_EQ(rows[1], (Cells{"2", "42", ""})) << "a vector without column 4";
}

// --- Values and NULL marks ------------------------------------------------------

TEST(RowDecoderValues, BinaryColumnsShowTheirBytesWithPrefix) {
  const RecordImage value = {0x0A, 0x0B};
  struct Case {
    const char* name;
    TypeCode code;
    int32_t length;
  } cases[] = {
      {"varbinary", TypeCode::kVarBinary, 10},
      {"varbinary(max)", TypeCode::kVarBinary, -1},
      {"image", TypeCode::kImage, 16},
      {"CLR type", TypeCode::kClr, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ColumnLayout binary = kit::columnLayout(2, c.code, c.length);
    binary.leafOffset = -1;
    ColumnLayouts layouts = {intColumn(1, 4), binary};
    auto page = kit::parsedPage({intRecord({1}, 2).variable(Bytes(value.data(), value.size())).build()});
    std::vector<Cells> rows = cellsOf(decodeRows(*page, layouts, {}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (Cells{"1", "0x0A0B"}));
  }
}

TEST(RowDecoderValues, NullMarkIsNotStoredTextNull) {
  ColumnLayout name = varcharColumn(2, 50, -1);
  name.nullable = true;
  for (const Decoder& decoder : {kRows, kRowsLegacy}) {
    SCOPED_TRACE(decoder.name);
    ColumnLayouts layouts = {intColumn(1, 4), name};
    auto page = kit::parsedPage({intRecord({1}, 2).variable(kit::textBytes("NULL")).build(),
                                 intRecord({2}, 2).nullColumn(1).build()});
    std::vector<DecodedRow> rows = decoder.decode(*page, layouts, {});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0][1].null);
    EXPECT_EQ(rows[0][1].text, "NULL");
    EXPECT_TRUE(rows[1][1].null);
    EXPECT_EQ(rows[1][1].text, "");
    EXPECT_EQ(rows[0][1].display(), "NULL");
    EXPECT_EQ(rows[1][1].display(), "NULL");
  }
}

// Stored bytes under a set null bit: the table's rows show NULL, the
// current values table shows the bytes.
TEST(RowDecoderValues, DefinitionRowsMakeNoNullBitmapTest) {
  struct Case {
    Decoder decoder;
    Cells expected;
  } cases[] = {
      {kRows, {"1", kNull, kNull}},
      {kDefinitions, {"1", "7", "text"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.decoder.name);
    ColumnLayouts layouts = {intColumn(1, 4), intColumn(2, 8), varcharColumn(3, 50, -1)};
    auto page = kit::parsedPage(
        {intRecord({1, 7}, 3).nullColumn(1).nullColumn(2).variable(kit::textBytes("text")).build()});
    std::vector<Cells> rows = cellsOf(c.decoder.decode(*page, layouts, {}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], c.expected);
  }
}

// The first record has no value for its first column, the second none for
// its third; the second and third columns may be NULL.
TEST(RowDecoderValues, LegacyRowsDropRowsWithoutFirstValueAndShowEmptyNullablesAsNull) {
  ColumnLayout first = varcharColumn(1);
  ColumnLayout count = intColumn(2);
  count.nullable = true;
  ColumnLayout last = varcharColumn(3);
  last.nullable = true;
  struct Case {
    Decoder decoder;
    std::vector<Cells> expected;
  } cases[] = {
      {kRowsLegacy, {{"x", "6", kNull}}},
      {kDefinitionsLegacy, {{"", "5", ""}, {"x", "6", ""}}},
      {kRows, {{"", "5", ""}, {"x", "6", ""}}},
      {kDefinitions, {{"", "5", ""}, {"x", "6", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.decoder.name);
    ColumnLayouts layouts = {first, count, last};
    auto page = kit::parsedPage({intRecord({5}, 3).build(), intRecord({6}, 3).variable(kit::textBytes("x")).build()});
    EXPECT_EQ(cellsOf(c.decoder.decode(*page, layouts, {})), c.expected);
  }
}

// The code page ANSI text is read in while a test runs, put back after it.
class AnsiCodePage {
 public:
  explicit AnsiCodePage(int codePage) : saved_(ansiCodePage()) { setAnsiCodePage(codePage); }
  ~AnsiCodePage() { setAnsiCodePage(saved_); }

 private:
  int saved_;
};

TEST(RowDecoderValues, CharColumnCodePageFollowsCollationOnlyWhileListing) {
  AnsiCodePage ansi(1252);
  const CollationMap collations = {{4242, {"Cyrillic_General_CI_AS", 1251}}, {5353, {"Greek_CI_AS", 1253}}};
  DatabaseCollation database;
  database.resolved = true;
  database.id = 5353;
  database.codePage = 1253;
  const char* const latin = "\xC3\x80";     // 0xC0 in 1252: À
  const char* const cyrillic = "\xD0\x90";  // in 1251: А
  const char* const greek = "\xCE\x90";     // in 1253: ΐ
  struct Case {
    const char* name;
    int32_t collationId;
    bool listing;
    const char* expected;
  } cases[] = {
      {"mapped collation, listing", 4242, true, cyrillic},
      {"mapped collation, not listing", 4242, false, latin},
      {"the database's collation, listing", 5353, true, greek},
      {"the database's collation, not listing", 5353, false, latin},
      {"unknown collation, listing", 7777, true, latin},
      {"no collation, listing", 0, true, latin},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ColumnLayout letter = kit::columnLayout(1, TypeCode::kChar, 1);
    letter.leafOffset = 4;
    letter.collationId = c.collationId;
    ColumnLayouts layouts = {letter};
    RunFlags flags;
    flags.listingMode = c.listing;
    RowDecoding decoding;
    decoding.flags = &flags;
    decoding.collations = &collations;
    decoding.database = &database;
    auto page = kit::parsedPage({RecordBuilder().fixedU8(0xC0).columnCount(1).build()});
    std::vector<Cells> rows = cellsOf(decodeRows(*page, layouts, decoding));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (Cells{c.expected}));
  }
}

// --- Large values ----------------------------------------------------------------

// A data file whose page 48 holds the large value "hello" in slot 0, so that
// in-row roots and row-overflow pointers in the records can be followed.
class RowDecoderLargeValues : public testing::Test {
 protected:
  static constexpr int32_t kValuePage = 48;

  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    kit::DataFileBuilder builder = kit::minimalPrimaryFile();
    const RecordImage hello = {'h', 'e', 'l', 'l', 'o'};
    builder.setPage(kValuePage,
                    kit::largeValuePage({1, kValuePage}, {kit::dataFragmentRecord(Bytes(hello.data(), hello.size()))}));
    const std::string path = dir_.file("values.mdf");
    ASSERT_TRUE(builder.writeTo(path));
    file_ = std::make_unique<DatabaseFile>(path, silentNotifier(), fileFlags_);
    ASSERT_TRUE(file_->valid());
  }

  // The reference to the value: a 12-byte header whose first byte names its
  // kind, then one entry (length, row id).
  static RecordImage reference(uint8_t kind) {
    RecordImage value = kit::inRowRoot({{5, RowId{1, kValuePage, 0}}});
    value[0] = kind;
    return value;
  }

  // The cell of column 2 (code `code`) of a record holding `reference` in it.
  std::string decodedValue(const Decoder& decoder, TypeCode code, uint8_t kind, bool listing, bool placeholders) {
    ColumnLayout large = kit::columnLayout(2, code, -1);
    large.leafOffset = -1;
    ColumnLayouts layouts = {intColumn(1, 4), large};
    const RecordImage value = reference(kind);
    auto page = kit::parsedPage({intRecord({1}, 2).variable(Bytes(value.data(), value.size()), true).build()});
    RunFlags flags;
    flags.listingMode = listing;
    RowDecoding decoding;
    decoding.file = file_.get();
    decoding.flags = &flags;
    decoding.placeholders = placeholders;
    std::vector<DecodedRow> rows = decoder.decode(*page, layouts, decoding);
    if (rows.size() != 1 || rows[0].size() != 2) return "<no row>";
    return rows[0][1].display();
  }

  static constexpr uint8_t kRowOverflow = 2;
  static constexpr uint8_t kInRowRoot = 4;

  kit::TempDir dir_;
  RunFlags fileFlags_;
  std::unique_ptr<DatabaseFile> file_;
};

TEST_F(RowDecoderLargeValues, InRowRootShowsPlaceholderOnlyWhileListingWithPlaceholders) {
  struct Case {
    const char* name;
    Decoder decoder;
    uint8_t kind;
    bool listing;
    bool placeholders;
    const char* expected;
  } cases[] = {
      {"in-row root, listing", kRows, kInRowRoot, true, true, kBigBinaryPlaceholder},
      {"in-row root, legacy rules, listing", kRowsLegacy, kInRowRoot, true, true, kBigBinaryPlaceholder},
      {"in-row root, export", kRows, kInRowRoot, true, false, "hello"},
      {"in-row root, not listing", kRows, kInRowRoot, false, true, "hello"},
      {"in-row root, definitions, listing", kDefinitions, kInRowRoot, true, true, "hello"},
      {"row-overflow pointer, listing", kRows, kRowOverflow, true, true, "hello"},
      {"row-overflow pointer, export", kRows, kRowOverflow, true, false, "hello"},
      {"unknown kind, listing", kRows, 7, true, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(decodedValue(c.decoder, TypeCode::kVarChar, c.kind, c.listing, c.placeholders), c.expected);
  }
}

TEST_F(RowDecoderLargeValues, BinaryLargeValuesReadInFullShowAsHex) {
  for (uint8_t kind : {kInRowRoot, kRowOverflow}) {
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(decodedValue(kRows, TypeCode::kVarBinary, kind, true, false), "0x68656C6C6F");
  }
}

// Binary columns keep their "0x" prefix before the placeholder, so the
// cell still reads as a binary value.
TEST_F(RowDecoderLargeValues, PlaceholderOfBinaryColumnFollowsTheHexPrefix) {
  for (TypeCode code : {TypeCode::kVarBinary, TypeCode::kImage}) {
    SCOPED_TRACE(static_cast<int>(code));
    EXPECT_EQ(decodedValue(kRows, code, kInRowRoot, true, true), std::string("0x") + kBigBinaryPlaceholder);
  }
}

}  // namespace
}  // namespace pellora
