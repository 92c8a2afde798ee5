// The uncompressed record format: record kinds and the deleted mark, the
// bounds of fixed data and variable columns, and forwarding stubs followed
// through a data file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/data_file_builder.h"
#include "kit/page_builder.h"
#include "kit/record_builder.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {
namespace {

PageBuffer bufferOf(const kit::PageBuilder& page) { return std::make_unique<PageBytes>(page.build()); }

Bytes bytesOf(const std::string& text) { return {reinterpret_cast<const uint8_t*>(text.data()), text.size()}; }

std::string textOf(const VariableColumn& column) { return {column.data.begin(), column.data.end()}; }

TEST(RecordKinds, WhichKindsAreReadAndWhichCarryTheDeletedMark) {
  struct Case {
    int kind;
    bool showDeleted;
    bool damaged;
    bool deleted;
  } cases[] = {
      {0, false, false, false}, {1, false, false, false}, {6, true, false, true},
      {6, false, true, true},   {3, true, true, false},   {4, true, true, false},
      {5, true, true, true},    {7, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + (c.showDeleted ? " shown" : " hidden"));
    kit::PageBuilder builder;
    // One ghost among two slots: the page itself is read either way.
    builder.type(kit::PageType::kData).pageNumber(3).ghostRecordCount(1);
    builder.addRecord(kit::RecordBuilder().kind(c.kind).fixedU32(7).build());
    builder.addRecord(kit::RecordBuilder().fixedU32(8).build());
    RunFlags flags;
    flags.showDeleted = c.showDeleted;
    PrimaryRecordPage page(bufferOf(builder), {nullptr, &flags});
    ASSERT_EQ(page.records().size(), 2u);
    ASSERT_TRUE(page.records()[0]);
    EXPECT_EQ(page.records()[0]->damaged, c.damaged);
    EXPECT_EQ(page.records()[0]->deleted, c.deleted);
    EXPECT_EQ(page.records()[0]->kind, c.kind);
    ASSERT_TRUE(page.records()[1]);
    EXPECT_FALSE(page.records()[1]->damaged);
  }
}

// The field at offset 2 names the end of the fixed data. The fixed data here
// starts with the 16-bit value 3, so a record whose fixed data is refused
// reads its column count, 3, at offset 4.
TEST(UncompressedRecord, FixedDataEndOutsideItsBoundsLeavesNoFixedData) {
  struct Case {
    const char* name;
    uint16_t offset;  // of the record in the page
    std::optional<uint16_t> fixedEnd;
    bool hasFixedData;
    int16_t fixedDataLength;
    int16_t columnCount;
  } cases[] = {
      {"in bounds", 96, std::nullopt, true, 6, 5},
      {"end at 4", 96, 4, false, 0, 3},
      {"end below 4", 96, 3, false, -1, 3},
      {"end above 8063", 96, 8070, false, 8066, 3},
      {"end beyond the page", 8100, 200, false, 196, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::RecordBuilder record;
    record.fixedU16(3).fixedU32(0xAABBCCDD).columnCount(5);
    if (c.fixedEnd) record.columnCountOffset(*c.fixedEnd);
    kit::PageBuilder builder;
    builder.type(kit::PageType::kData).pageNumber(3).addRecordAt(c.offset, record.build());
    RunFlags flags;
    PrimaryRecordPage page(bufferOf(builder), {nullptr, &flags});
    ASSERT_EQ(page.records().size(), 1u);
    const auto& r = static_cast<const CPrimaryRecord&>(*page.records()[0]);
    EXPECT_EQ(r.hasFixedData, c.hasFixedData);
    EXPECT_EQ(r.fixedDataLength, c.fixedDataLength);
    EXPECT_EQ(r.fixedData.size(), c.hasFixedData ? 6u : 0u);
    EXPECT_EQ(r.columnCount, c.columnCount);
  }
}

TEST(UncompressedRecord, VariableColumnEndsOutOfBounds) {
  // Three values "aa", "bbb", "cccc"; the record starts at 96, its end
  // offsets count from there: 4 + 4 fixed + 2 + 1 + 2 + 6 = 19 is where "aa"
  // starts.
  auto build = [](std::optional<uint16_t> secondEnd) {
    kit::RecordBuilder record;
    record.fixedU32(1).variable(bytesOf("aa")).variable(bytesOf("bbb")).variable(bytesOf("cccc"));
    if (secondEnd) record.variableEndOffset(1, *secondEnd);
    return record.build();
  };
  struct Case {
    const char* name;
    std::optional<uint16_t> secondEnd;
    std::vector<std::string> values;  // "-" for an entry without data
    std::vector<int32_t> lengths;
  } cases[] = {
      {"all in bounds", std::nullopt, {"aa", "bbb", "cccc"}, {2, 3, 4}},
      // The third value then starts where the second should have.
      {"second beyond the page", 0x7000, {"aa", "-", "bbbcccc"}, {2, 0x7000 - 21, 7}},
      {"second before its start", 10, {"aa", "-", "bbbcccc"}, {2, 0, 7}},
      {"second equal to its start", 21, {"aa", "-", "bbbcccc"}, {2, 0, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PageBuilder builder;
    builder.type(kit::PageType::kData).pageNumber(3).addRecord(build(c.secondEnd));
    RunFlags flags;
    PrimaryRecordPage page(bufferOf(builder), {nullptr, &flags});
    const CRecord& r = *page.records().at(0);
    ASSERT_EQ(r.variableColumns.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
      const VariableColumn& column = r.variableColumns[i];
      EXPECT_EQ(column.hasData ? textOf(column) : "-", c.values[i]) << "column " << i;
      EXPECT_EQ(column.length, c.lengths[i]) << "column " << i;
    }
    EXPECT_EQ(r.recordLength, 28);
    EXPECT_EQ(r.rawCopy.size(), 28u);
  }
}

TEST(UncompressedRecord, CountsThatCannotHoldLeaveThePartsOut) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    size_t available;
    int16_t columnCount;
    size_t variableColumns;
    int32_t recordLength;
    bool rawCopy;
  } cases[] = {
      // More variable columns than columns: none at all, and no raw copy.
      {"variable count above column count",
       kit::RecordBuilder().fixedU32(1).columnCount(1).variable(bytesOf("x")).variable(bytesOf("y")).build(), 8096, 1,
       0, 0, false},
      {"column count 1024", kit::RecordBuilder().fixedU32(1).columnCount(1024).build(), 8096, 0, 0, 0, false},
      {"negative column count", kit::RecordBuilder().fixedU32(1).columnCount(0x8001).build(), 8096, 0, 0, 0, false},
      // The variable count lies past the available bytes: read as 0, and the
      // record, which claims more bytes than it was given, gets no raw copy.
      {"cut before the variable count", {0x30, 0, 8, 0, 1, 2, 3, 4, 2, 0, 0, 1, 0, 14, 0}, 11, 2, 0, 13, false},
      {"cut inside the end offsets", {0x30, 0, 8, 0, 1, 2, 3, 4, 2, 0, 0, 1, 0, 15, 0, 'z'}, 14, 2, 1, 15, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PageBuilder builder;
    builder.type(kit::PageType::kData).pageNumber(3).addRecord(c.bytes);
    PageBytes bytes = builder.build();
    CPage_Header header(bytes);
    RunFlags flags;
    CPrimaryRecord r(header, Bytes(bytes.data(), bytes.size()), 96, c.available, {nullptr, &flags});
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(r.columnCount, c.columnCount);
    EXPECT_EQ(r.variableColumns.size(), c.variableColumns);
    for (const VariableColumn& column : r.variableColumns) EXPECT_FALSE(column.hasData);
    EXPECT_EQ(r.recordLength, c.recordLength);
    EXPECT_EQ(!r.rawCopy.empty(), c.rawCopy);
  }
}

// Stubs are followed through the file the page came from: page 1 holds the
// stubs, page 2 seven records (a forwarded row in slot 0, a stub in slot 1).
class ForwardingStubs : public ::testing::Test {
 protected:
  static constexpr int32_t kStubPage = 1;
  static constexpr int32_t kTargetPage = 2;

  void SetUp() override {
    kit::PageBuilder targets;
    targets.type(kit::PageType::kData);
    targets.addRecord(forwardedRow());
    targets.addRecord(kit::forwardingStub({1, kTargetPage, 0}));
    for (int i = 2; i < 7; ++i) targets.addRecord(kit::RecordBuilder().fixedU32(static_cast<uint32_t>(i)).build());

    kit::PageBuilder stubs;
    stubs.type(kit::PageType::kData);
    for (RowId target : stubTargets()) stubs.addRecord(kit::forwardingStub(target));

    kit::DataFileBuilder file(4);
    file.setPage(kStubPage, stubs).setPage(kTargetPage, targets);
    path_ = dir_.file("stubs.mdf");
    ASSERT_TRUE(file.writeTo(path_));
  }

  static std::vector<uint8_t> forwardedRow() {
    return kit::RecordBuilder().kind(kForwardedRecord).fixedU32(0x01020304).variable(bytesOf("moved")).build();
  }

  static std::vector<RowId> stubTargets() {
    return {
        {1, kTargetPage, 0},   // the forwarded row
        {1, kTargetPage, 7},   // one past the last slot
        {1, kStubPage, 2},     // this very stub
        {1, kTargetPage, 1},   // another stub
        {1, 99, 0},            // a page beyond the file
        {1, kTargetPage, -1},  // a negative slot
        {9, kTargetPage, 0},   // a file that is not attached
    };
  }

  kit::TempDir dir_;
  std::string path_;
};

TEST_F(ForwardingStubs, AStubBecomesItsTargetOrIsMarkedUnreadable) {
  RunFlags flags;
  DatabaseFile file(path_, silentNotifier(), flags);
  auto page = file.readRecordPage({1, kStubPage});
  ASSERT_TRUE(page);
  ASSERT_EQ(page->records().size(), stubTargets().size());

  const auto& followed = static_cast<const CPrimaryRecord&>(*page->records()[0]);
  EXPECT_EQ(followed.kind, kForwardingStub) << "a followed stub keeps its own kind";
  EXPECT_FALSE(followed.damaged);
  EXPECT_EQ(followed.fixedDataLength, 4);
  EXPECT_EQ(followed.fixedData, (std::vector<uint8_t>{4, 3, 2, 1}));
  ASSERT_EQ(followed.variableColumns.size(), 1u);
  EXPECT_EQ(textOf(followed.variableColumns[0]), "moved");

  for (size_t i = 1; i < page->records().size(); ++i) {
    SCOPED_TRACE("stub " + std::to_string(i));
    const auto& stub = static_cast<const CPrimaryRecord&>(*page->records()[i]);
    EXPECT_EQ(stub.fixedDataLength, kUnreadableStub);
    EXPECT_TRUE(stub.fixedData.empty());
    EXPECT_TRUE(stub.rawCopy.empty());
  }
}

TEST(ForwardingStubsWithoutAFile, AreUnreadable) {
  kit::PageBuilder builder;
  builder.type(kit::PageType::kData).addRecord(kit::forwardingStub({1, 2, 0}));
  RunFlags flags;
  PrimaryRecordPage page(bufferOf(builder), {nullptr, &flags});
  EXPECT_EQ(static_cast<const CPrimaryRecord&>(*page.records().at(0)).fixedDataLength, kUnreadableStub);
}

}  // namespace
}  // namespace pellora
