// Carving pages for deleted rows whose slot entries are gone, and the
// population of pages from damaged bytes of every kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "kit/page_builder.h"
#include "kit/record_builder.h"
#include "storage/carving.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {
namespace {

using ByteList = std::vector<uint8_t>;

// A row of the shape the signature search knows: 128 bytes of fixed data, a
// null bitmap and variable columns (30 00 84 00, or 3C 00 84 00 deleted).
ByteList signatureRow(int kind, uint8_t fill) {
  return kit::RecordBuilder().kind(kind).fixed(ByteList(128, fill)).variable(ByteList(5, fill)).build();
}

// A row of another shape: found only by walking from the row before it.
ByteList plainRow(int kind, uint8_t fill) {
  return kit::RecordBuilder().kind(kind).fixed(ByteList(12, fill)).variable(ByteList(3, fill)).build();
}

struct Flags {
  bool showDeleted;
  bool carve;
};

std::unique_ptr<PrimaryRecordPage> readPage(const kit::PageBuilder& builder, Flags options, RunFlags& flags) {
  flags.showDeleted = options.showDeleted;
  flags.carveDeleted = options.carve;
  return std::make_unique<PrimaryRecordPage>(std::make_unique<PageBytes>(builder.build()), PageContext{nullptr, &flags});
}

// Records at 96 and 250 with slots, and rows without slots after them.
kit::PageBuilder pageWithLostRows() {
  kit::PageBuilder page;
  page.type(kit::PageType::kData).pageNumber(12);
  page.addRecordAt(96, signatureRow(0, 0x11));
  page.addRecordAt(250, signatureRow(0, 0x22));
  page.writeBytes(700, signatureRow(6, 0x33));
  return page;
}

TEST(Carving, LostRowsBecomeSlotsAfterThePagesOwn) {
  struct Case {
    const char* name;
    kit::PageBuilder page;
    Flags flags;
    std::vector<uint16_t> slots;
  };
  kit::PageBuilder walked = pageWithLostRows();
  // Right after the row at 700 (144 bytes long), a row of another shape.
  walked.writeBytes(844, plainRow(6, 0x44));
  kit::PageBuilder unordered = pageWithLostRows();
  unordered.slot(0, 700).slot(1, 96).slot(2, 250);
  Case cases[] = {
      {"both options", pageWithLostRows(), {true, true}, {96, 250, 700}},
      {"carving without showing deleted rows", pageWithLostRows(), {false, true}, {96, 250}},
      {"showing deleted rows without carving", pageWithLostRows(), {true, false}, {96, 250}},
      {"a row reached only by walking", walked, {true, true}, {96, 250, 700, 844}},
      {"every row already has a slot", unordered, {true, true}, {700, 96, 250}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunFlags flags;
    auto page = readPage(c.page, c.flags, flags);
    EXPECT_EQ(page->slots(), c.slots);
    EXPECT_EQ(page->header().slotCount, static_cast<int16_t>(c.slots.size()));
    ASSERT_EQ(page->records().size(), c.slots.size());
    for (const auto& record : page->records()) {
      ASSERT_TRUE(record);
      EXPECT_FALSE(record->damaged);
    }
  }
}

TEST(Carving, CarvedRowsDecodeLikeAnyOtherRecord) {
  RunFlags flags;
  auto page = readPage(pageWithLostRows(), {true, true}, flags);
  ASSERT_EQ(page->records().size(), 3u);
  EXPECT_EQ(page->storedSlotCount(), 2u);
  const CRecord& carved = *page->records()[2];
  EXPECT_EQ(carved.kind, kDeletedRecord);
  EXPECT_TRUE(carved.deleted);
  EXPECT_EQ(carved.fixedData, ByteList(128, 0x33));
  ASSERT_EQ(carved.variableColumns.size(), 1u);
  EXPECT_EQ(carved.variableColumns[0].data, ByteList(5, 0x33));
  EXPECT_FALSE(page->records()[0]->deleted);
}

TEST(Carving, OnlyTheAllSlotsPopulationCarves) {
  RunFlags flags;
  flags.showDeleted = true;
  flags.carveDeleted = true;
  PrimaryRecordPage page(std::make_unique<PageBytes>(pageWithLostRows().build()), {nullptr, &flags}, 1);
  EXPECT_EQ(page.slots(), (std::vector<uint16_t>{96, 250}));
  ASSERT_EQ(page.records().size(), 1u);
}

TEST(Carving, SignatureBytes) {
  struct Case {
    ByteList bytes;
    bool signature;
  } cases[] = {
      {{0x30, 0, 0x84, 0}, true}, {{0x3C, 0, 0x84, 0}, true},  {{0x30, 1, 0x84, 0}, false},
      {{0x32, 0, 0x84, 0}, false}, {{0x30, 0, 0x85, 0}, false}, {{0x30, 0, 0x84}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(isRecordSignature(c.bytes, 0), c.signature);
}

// Pages that keep the walk from advancing: it ends all the same, and the
// enlarged slot array and the record list still match.
TEST(Carving, WalksThatDoNotAdvanceEnd) {
  auto filled = [](ByteList pattern) {
    kit::PageBuilder page;
    page.type(kit::PageType::kData).pageNumber(12);
    for (size_t at = 96; at + pattern.size() <= 8180; at += pattern.size()) page.writeBytes(at, pattern);
    page.slot(0, 96);
    return page;
  };
  struct Case {
    const char* name;
    kit::PageBuilder page;
  } cases[] = {
      {"signatures everywhere", filled({0x30, 0x00, 0x84, 0x00})},
      {"deleted signatures everywhere", filled({0x3C, 0x00, 0x84, 0x00})},
      // Signatures whose column count is 0: every candidate fails.
      {"signatures of rows that never parse", filled({0x30, 0x00, 0x84, 0x00, 0, 0, 0, 0})},
      {"one byte over and over", filled({0x30})},
      {"zeros", filled({0})},
      // A row whose length runs it past the page end.
      {"row longer than the rest of the page", [] {
         kit::PageBuilder page;
         page.type(kit::PageType::kData).pageNumber(12).addRecordAt(8000, signatureRow(0, 1));
         return page;
       }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunFlags flags;
    auto page = readPage(c.page, {true, true}, flags);
    EXPECT_LE(page->slots().size(), static_cast<size_t>(kPageSize));
    EXPECT_EQ(page->records().size(), page->slots().size());
    EXPECT_EQ(page->header().slotCount, static_cast<int16_t>(page->slots().size()));
    std::vector<uint16_t> sorted(page->slots().begin(), page->slots().end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a start added twice";
  }
}

// Every field of a page at random, with and without the options: whatever
// the bytes, the population ends, every entry belongs to a slot, and no
// record claims bytes it does not hold.
TEST(DamagedPages, RandomBytesNeverBreakThePopulation) {
  std::mt19937 random(20240611);
  ExpansionTable table(6, ExpansionColumn{kIntType, 4, 0});
  for (int round = 0; round < 300; ++round) {
    PageBytes bytes;
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    bytes[1] = static_cast<uint8_t>(random() % 3);  // mostly pages that are read
    bytes[22] = static_cast<uint8_t>(random() % 40);
    bytes[23] = 0;
    // The high bytes of the page identifiers and counts: kept positive, so
    // that the page is read at all.
    for (size_t high : {11u, 13u, 19u, 21u, 29u, 35u, 37u, 59u}) bytes[high] &= 0x7F;
    if (round % 3 == 0) {
      // Slots into the body, half of them at compressed rows of as many
      // columns as the table has, so that they are expanded.
      for (int j = 0; j < bytes[22]; ++j) {
        uint16_t offset = static_cast<uint16_t>(96 + random() % 7900);
        bytes[8190 - 2 * j] = static_cast<uint8_t>(offset);
        bytes[8191 - 2 * j] = static_cast<uint8_t>(offset >> 8);
        if (random() % 2) {
          bytes[offset] = static_cast<uint8_t>(0x01 | (random() & 0x30));
          bytes[offset + 1] = 6;
        }
      }
    }
    RunFlags flags;
    flags.showDeleted = round % 2 == 0;
    flags.carveDeleted = round % 4 == 0;
    PageContext context{nullptr, &flags, round % 5 == 0 ? nullptr : &table};
    PrimaryRecordPage page(std::make_unique<PageBytes>(bytes), context);
    if (!page.records().empty()) {
      EXPECT_EQ(page.records().size(), page.slots().size());
    }
    for (const auto& record : page.records()) {
      if (!record) continue;
      EXPECT_LE(record->fixedData.size(), static_cast<size_t>(kPageSize));
      EXPECT_LE(record->rawCopy.size(), static_cast<size_t>(record->availableLength));
      for (const VariableColumn& column : record->variableColumns) {
        if (column.hasData) {
          EXPECT_EQ(column.data.size(), static_cast<size_t>(column.length));
        }
      }
    }
  }
}

}  // namespace
}  // namespace pellora
