// The test kit writes what it claims: these pin the byte layout of the pages,
// records and files it builds, so storage tests can trust them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kit/data_file_builder.h"
#include "kit/page_builder.h"
#include "kit/primary_file.h"
#include "kit/record_builder.h"
#include "kit/system_pages.h"
#include "kit/temp_dir.h"
#include "kit/torn_bits.h"
#include "storage/allocation_map.h"
#include "storage/boot_page.h"
#include "storage/database_file.h"
#include "storage/page.h"

namespace pellora {
namespace {

// A page whose every byte differs from its neighbours, so a wrong offset or a
// missed sector shows.
PageBytes patternedPage() {
  kit::PageBuilder page;
  page.type(kit::PageType::kData).objectId(1001).pageNumber(40);
  for (size_t i = kit::kHeaderSize; i < kPageSize; ++i) page.writeU8(i, static_cast<uint8_t>(i * 7 + 3));
  return page.build();
}

TEST(KitTornBits, RepairRestoresTheTrueImageAndSkippingItDoesNot) {
  struct Case {
    kit::TornStamp stamp;
    int minimumWrongBytes;  // unrepaired sector ends that differ from the truth
  };
  const Case cases[] = {{kit::TornStamp::kComplement, 15}, {kit::TornStamp::kFixed01, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.stamp));
    const PageBytes truth = patternedPage();
    PageBytes onDisk = truth;
    uint32_t field = kit::applyTornBits(onDisk, c.stamp);

    EXPECT_EQ(u32At(onDisk, kit::kTornBitsOffset), field);
    EXPECT_TRUE(u16At(onDisk, 4) & kTornBitsFlag);
    int wrong = 0;
    for (int k = 1; k < kit::kSectorsPerPage; ++k) wrong += onDisk[512 * k + 511] != truth[512 * k + 511];
    EXPECT_GE(wrong, c.minimumWrongBytes);

    PageBytes repaired = onDisk;
    repairTornBits(repaired, field);
    for (size_t i = 0; i < kPageSize; ++i) {
      if (i >= 4 && i < 6) continue;  // the flag bits now say torn bits are present
      if (i >= kit::kTornBitsOffset && i < kit::kTornBitsOffset + 4) continue;
      ASSERT_EQ(repaired[i], truth[i]) << "offset " << i;
    }
  }
}

TEST(KitTornBits, BuilderAppliesThemLastSoTheHeaderParserRepairs) {
  kit::PageBuilder builder;
  builder.type(kit::PageType::kData).pageNumber(12).writeU8(1023, 0xFF).writeU8(7679, 0xFE);
  builder.withTornBits();
  PageBytes page = builder.build();
  EXPECT_EQ(builder.trueImage()[1023], 0xFF);
  EXPECT_EQ(page[1023], 0xFC);  // the complement stamp of the true low bits 11
  EXPECT_EQ(page[2047], 0x03);  // and of 00

  CPage_Header header(page);
  EXPECT_TRUE(header.hasTornBits());
  EXPECT_EQ(page[1023], 0xFF);
  EXPECT_EQ(page[2047], 0x00);
  EXPECT_EQ(page[7679], 0xFE);
}

TEST(KitPageBuilder, RecordsAppendFrom96AndSlotsGrowBackwardsFrom8190) {
  const std::vector<uint8_t> first(10, 0x11), second(6, 0x22);
  kit::PageBuilder builder;
  builder.addRecord(first).addRecord(second).addRecordAt(5000, first).slot(4, 9999);
  PageBytes page = builder.build();

  struct Slot {
    int index;
    uint16_t offset;
  };
  const Slot slots[] = {{0, 96}, {1, 106}, {2, 5000}, {3, 0}, {4, 9999}};
  for (const Slot& s : slots) EXPECT_EQ(u16At(page, 8190 - 2 * s.index), s.offset) << "slot " << s.index;
  EXPECT_EQ(s16At(page, 22), 5);
  EXPECT_EQ(u16At(page, 30), 5010);  // free data offset: after the furthest record
  EXPECT_EQ(page[106], 0x22);
  EXPECT_EQ(readSlotArray(page, 5), (std::vector<uint16_t>{96, 106, 5000, 0, 9999}));
}

TEST(KitRecordBuilder, LaysOutTheUncompressedRecordFormat) {
  const std::vector<uint8_t> ab = {'a', 'b'}, xyz = {'x', 'y', 'z'};
  std::vector<uint8_t> record = kit::RecordBuilder()
                                    .fixedU32(0x04030201)
                                    .columnCount(9)
                                    .nullColumn(1)
                                    .nullColumn(8)
                                    .variable(ab)
                                    .variable(xyz, true)
                                    .build();
  const std::vector<uint8_t> expected = {
      0x30, 0x00, 0x08, 0x00,  // status A: null bitmap + variable columns; count at 8
      0x01, 0x02, 0x03, 0x04,  // fixed data
      0x09, 0x00, 0x02, 0x01,  // 9 columns, null bitmap of 2 bytes
      0x02, 0x00,              // 2 variable columns
      0x14, 0x00, 0x17, 0x80,  // ends 20 and 23 (complex)
      'a',  'b',  'x',  'y',  'z'};
  EXPECT_EQ(record, expected);

  EXPECT_EQ(kit::forwardingStub({3, 70, 5}), (std::vector<uint8_t>{0x04, 70, 0, 0, 0, 3, 0, 5, 0}));
  EXPECT_EQ(kit::RecordBuilder().kind(6).fixedU8(7).fixedOnly().build(),
            (std::vector<uint8_t>{0x0C, 0x00, 0x05, 0x00, 0x07}));
}

TEST(KitSystemPages, BootAndIamPagesReadBackThroughTheEngine) {
  kit::BootFields boot;
  boot.version = 904;
  boot.name = u"Ledger Archive";
  boot.collationId = 53256;
  boot.pageId = {1, 301};
  PageBytes bootBytes = kit::bootPage(boot).build();
  EXPECT_EQ(bootBytes[1], 13);
  EXPECT_EQ(s32At(bootBytes, 24), kit::kBootObjectId);
  CBootPage parsed(bootBytes, CollationMap{}, CollationChoice::kAuto, 0);
  EXPECT_EQ(parsed.versionNumber, 904);
  EXPECT_EQ(parsed.databaseName, "Ledger");  // cut at the first blank
  EXPECT_EQ(parsed.collationId & 0xFFFFFFFF, 53256);
  EXPECT_EQ(parsed.pageId, (PageId{1, 301}));

  kit::IamFields fields;
  fields.ownPage = {1, 511232 + 100};
  fields.singlePages = {{1, 511232 + 5}, {1, 511232 + 6}};
  fields.bitmap = kit::extentBitmap({0, 9, 63903});
  fields.nextPage = {1, 77};
  auto buffer = std::make_unique<PageBytes>(kit::iamPage(fields).build());
  IamPage iam(std::move(buffer), PageContext{});
  EXPECT_EQ(iam.startPage, (PageId{1, 511232}));
  EXPECT_EQ(iam.singlePages[1], (PageId{1, 511232 + 6}));
  EXPECT_EQ(iam.singlePages[2], (PageId{0, 0}));
  EXPECT_EQ(iam.header().nextPage, (PageId{1, 77}));
  ASSERT_EQ(iam.bitmapCount(), kExtentsPerBitmap);
  std::vector<int> marked;
  for (int e = 0; e < iam.bitmapCount(); ++e) {
    if (iam.extentBitmap()[static_cast<size_t>(e)]) marked.push_back(e);
  }
  EXPECT_EQ(marked, (std::vector<int>{0, 9, 63903}));
}

TEST(KitPrimaryFile, OpensAndIndexesWithAnyRemainder) {
  struct Case {
    const char* name;
    size_t leading, trailing;
    uint64_t dataStart;
  };
  const Case cases[] = {{"aligned", 0, 0, 0}, {"shifted", 700, 0, 700}, {"trailing bytes", 0, 700, 0}};
  kit::TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout;
    kit::DataFileBuilder builder = kit::minimalPrimaryFile(layout);
    builder.leadingRemainder(c.leading).trailingRemainder(c.trailing);
    std::string path = dir.file(std::string(c.name) + ".mdf");
    ASSERT_TRUE(builder.writeTo(path));
    EXPECT_FALSE(builder.writeTo(path, false)) << "an existing file must not be overwritten";

    RunFlags flags;
    DatabaseFile file(path, silentNotifier(), flags);
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.dataStart(), c.dataStart);
    EXPECT_EQ(file.pageCount(), builder.pageCount());
    for (int32_t id : {kit::kSysAllocUnits, kit::kSysSchObjs, kit::kSysColPars, kit::kSysRowsets}) {
      EXPECT_TRUE(file.systemPageIndex().count(id)) << "object " << id;
    }
    ASSERT_TRUE(file.dataPageIndex().count(layout.userObjectId));
    EXPECT_EQ(file.dataPageIndex().at(layout.userObjectId).size(), layout.userPageCount);
    ASSERT_TRUE(file.iamPageIndex().count(layout.userObjectId));

    std::vector<PageId> mapped;
    PageId iam{1, static_cast<int32_t>(layout.iamPosition)};
    enumerateAllocationUnit(file, iam, nullptr, [&](PageId id) { return mapped.push_back(id), true; });
    ASSERT_EQ(mapped.size(), layout.userPageCount);
    EXPECT_EQ(mapped.front().pageNumber, static_cast<int32_t>(layout.firstUserPage));
    auto page = file.readRecordPage(mapped.back());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->header().thisPage, mapped.back());
    EXPECT_EQ(page->records().size(), static_cast<size_t>(layout.recordsPerUserPage));
  }
}

}  // namespace
}  // namespace pellora
