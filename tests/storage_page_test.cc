// Page headers, torn-bit repair, slot arrays and which pages yield records.
#include <gtest/gtest.h>

#include "kit/page_builder.h"
#include "kit/record_builder.h"
#include "kit/torn_bits.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {
namespace {

PageBuffer bufferOf(const kit::PageBuilder& page) { return std::make_unique<PageBytes>(page.build()); }

TEST(PageHeader, TextFormsOfLogSequenceAndTransaction) {
  kit::PageBuilder page;
  page.logSequenceNumber(0x12, 0x34, 5).transactionDescriptor(7, 1);
  PageBytes bytes = page.build();
  CPage_Header header(bytes);
  EXPECT_EQ(header.logSequenceNumber, "( 18 : 52 : 5 )");
  EXPECT_EQ(header.transactionDescriptor, "( 1 : 7 )");
}

TEST(PageHeader, AllZeroPageParsesToNothing) {
  RunFlags flags;
  RecordPage page(std::make_unique<PageBytes>(), {nullptr, &flags});
  EXPECT_EQ(page.header().pageType, 0u);
  EXPECT_EQ(page.header().slotCount, 0);
  EXPECT_FALSE(page.hasSlotArray());
}

TEST(PageHeader, TornBitRepairTouchesOnlyTheLowBitsOfSectorEnds) {
  kit::PageBuilder builder;
  builder.type(kit::PageType::kData);
  for (size_t i = 96; i < kPageSize; ++i) builder.writeU8(i, static_cast<uint8_t>(i * 13 + 1));
  PageBytes stored = builder.build();
  kit::applyTornBits(stored);
  PageBytes parsed = stored;
  CPage_Header header(parsed);
  ASSERT_TRUE(header.hasTornBits());
  for (size_t i = 0; i < kPageSize; ++i) {
    bool sectorEnd = i % 512 == 511 && i > 511;
    if (!sectorEnd) {
      ASSERT_EQ(parsed[i], stored[i]) << "offset " << i;
    } else {
      EXPECT_EQ(parsed[i] & ~3, stored[i] & ~3) << "offset " << i;
      EXPECT_EQ(parsed[i], static_cast<uint8_t>(i * 13 + 1)) << "offset " << i;
    }
  }

  PageBytes untouched = builder.build();  // no torn-bits flag
  PageBytes copy = untouched;
  CPage_Header plain(copy);
  EXPECT_EQ(copy, untouched);
}

TEST(SlotArray, CountsOutsideOneTo3999HaveNoArray) {
  struct Case {
    int16_t count;
    size_t slots;
  } cases[] = {{1, 1}, {3999, 3999}, {4000, 0}, {0, 0}, {-1, 0}};
  for (const Case& c : cases) {
    kit::PageBuilder page;
    page.slotCount(c.count);
    PageBytes bytes = page.build();
    std::vector<uint16_t> slots = readSlotArray(Bytes(bytes.data(), bytes.size()), c.count);
    EXPECT_EQ(slots.size(), c.slots) << c.count;
  }
  kit::PageBuilder page;
  page.slotCount(3999).writeU16(8190, 1111).writeU16(194, 2222);
  PageBytes bytes = page.build();
  std::vector<uint16_t> slots = readSlotArray(Bytes(bytes.data(), bytes.size()), 3999);
  EXPECT_EQ(slots.front(), 1111);
  EXPECT_EQ(slots.back(), 2222) << "slot 3998 lies at offset 194";
}

// Pages whose header makes their records unusable.
TEST(RecordPopulation, HeadersThatYieldNoRecords) {
  std::vector<uint8_t> record = kit::RecordBuilder().fixedU32(42).build();
  auto base = [&] {
    kit::PageBuilder page;
    page.type(kit::PageType::kData).pageNumber(5).addRecord(record).addRecord(record);
    return page;
  };
  struct Case {
    const char* name;
    kit::PageBuilder page;
    size_t entries;
    size_t usable;
  } cases[] = {
      {"plain", base(), 2, 2},
      {"negative ghost count", base().ghostRecordCount(-1), 0, 0},
      {"negative free count", base().freeCount(-2), 0, 0},
      {"negative next page", base().nextPage({1, -4}), 0, 0},
      {"negative previous file", base().previousPage({-1, 3}), 0, 0},
      {"index page above the leaf", base().type(kit::PageType::kIndex).level(1), 2, 0},
      {"every slot a ghost", base().ghostRecordCount(2), 2, 0},
      {"type above 17", base().typeCode(18), 2, 0},
      {"slot inside the header", base().slot(1, 95), 2, 1},
      {"slot past the page", base().slot(1, 9000), 2, 1},
  };
  RunFlags flags;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrimaryRecordPage page(bufferOf(c.page), {nullptr, &flags});
    ASSERT_EQ(page.records().size(), c.entries);
    size_t usable = 0;
    for (const auto& entry : page.records()) usable += entry && !entry->damaged;
    EXPECT_EQ(usable, c.usable);
  }
}

TEST(RecordPopulation, GhostPagesShowTheirRowsOnlyWhenAsked) {
  std::vector<uint8_t> ghost = kit::RecordBuilder().kind(6).fixedU32(7).build();
  kit::PageBuilder builder;
  builder.type(kit::PageType::kData).pageNumber(5);
  for (int i = 0; i < 5; ++i) builder.addRecord(ghost);
  builder.ghostRecordCount(5);
  for (bool show : {false, true}) {
    RunFlags flags;
    flags.showDeleted = show;
    PrimaryRecordPage page(bufferOf(builder), {nullptr, &flags});
    ASSERT_EQ(page.records().size(), 5u);
    for (const auto& entry : page.records()) {
      if (!show) {
        EXPECT_FALSE(entry);
      } else {
        ASSERT_TRUE(entry);
        EXPECT_TRUE(entry->deleted);
        EXPECT_FALSE(entry->damaged);
      }
    }
  }
}

}  // namespace
}  // namespace pellora
