// IAM pages: their single pages and extent bitmap, and the order in which an
// allocation unit's pages are visited along the chain.
#include <gtest/gtest.h>

#include "kit/data_file_builder.h"
#include "kit/primary_file.h"
#include "kit/system_pages.h"
#include "kit/temp_dir.h"
#include "storage/allocation_map.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

std::unique_ptr<IamPage> iamOf(const kit::IamFields& fields, RunFlags& flags) {
  return std::make_unique<IamPage>(std::make_unique<PageBytes>(kit::iamPage(fields).build()),
                                   PageContext{nullptr, &flags});
}

std::vector<int32_t> pageNumbers(std::vector<ExtentRange> ranges) {
  std::vector<int32_t> numbers;
  for (ExtentRange& range : ranges) {
    for (PageId id : rangePages(range)) numbers.push_back(id.pageNumber);
    EXPECT_EQ(range.pageCount, 8);
  }
  return numbers;
}

TEST(ExtentRanges, BitmapBitsBecomeEightPageExtents) {
  RunFlags flags;
  struct Case {
    const char* name;
    int32_t ownPage;
    std::vector<uint8_t> bitmap;
    uint64_t extentLimit;
    std::vector<int32_t> firstPages;
  } cases[] = {
      {"byte 0x05: extents 0 and 2", 40, {0x05}, 100, {0, 16}},
      {"second interval", kPagesPerBitmapInterval + 77, {0x01}, 1u << 20, {kPagesPerBitmapInterval}},
      {"extents past the file", 40, {0x00, 0x00, 0x03}, 17, {128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::IamFields fields;
    fields.ownPage = {1, c.ownPage};
    fields.bitmap = c.bitmap;
    auto iam = iamOf(fields, flags);
    std::vector<int32_t> expected;
    for (int32_t first : c.firstPages) {
      for (int32_t i = 0; i < 8; ++i) expected.push_back(first + i);
    }
    EXPECT_EQ(pageNumbers(extentRanges(*iam, c.extentLimit)), expected);
  }
}

TEST(ExtentRanges, BitmapHoldsAtMost63904Extents) {
  RunFlags flags;
  for (size_t bytes : {size_t{7988}, size_t{7990}}) {
    kit::IamFields fields;
    fields.ownPage = {1, 40};
    fields.bitmap = std::vector<uint8_t>(bytes, 0xFF);
    auto iam = iamOf(fields, flags);
    EXPECT_EQ(iam->bitmapCount(), kExtentsPerBitmap) << bytes;
  }
}

TEST(IamHeader, SinglePagesAndStartPage) {
  RunFlags flags;
  kit::IamFields fields;
  fields.ownPage = {1, 40};
  fields.startPage = PageId{1, 0};
  fields.singlePages = {{1, 33}, {1, 0}, {0, 35}, {1, 36}};
  auto iam = iamOf(fields, flags);
  EXPECT_EQ(iam->singlePages[0], (PageId{1, 33}));
  EXPECT_EQ(iam->singlePages[3], (PageId{1, 36}));
  EXPECT_EQ(iam->singlePages[7], (PageId{0, 0}));
}

// An allocation unit of two IAM pages: singles of each page before its
// extents, in chain order; a chain that points back at itself still ends.
TEST(EnumerateAllocationUnit, SinglePagesThenExtentsAlongTheChain) {
  kit::TempDir dir;
  kit::DataFileBuilder builder = kit::minimalPrimaryFile();
  builder.pageCount(80);
  kit::IamFields first;
  first.ownPage = {1, 60};
  first.singlePages = {{1, 50}, {1, 0}, {0, 51}, {1, 52}};
  first.bitmap = kit::extentBitmap({8});  // pages 64..71
  first.nextPage = {1, 61};
  kit::IamFields second;
  second.ownPage = {1, 61};
  second.singlePages = {{1, 53}, {1, 9999}};  // 9999 lies past the file
  second.bitmap = kit::extentBitmap({9});
  second.nextPage = {1, 60};  // back to the first: a loop
  builder.setPage(60, kit::iamPage(first));
  builder.setPage(61, kit::iamPage(second));
  ASSERT_TRUE(builder.writeTo(dir.file("chain.mdf")));

  RunFlags flags;
  DatabaseFile file(dir.file("chain.mdf"), silentNotifier(), flags);
  ASSERT_TRUE(file.valid());
  std::vector<int32_t> visited;
  enumerateAllocationUnit(file, {1, 60}, nullptr, [&](PageId id) {
    visited.push_back(id.pageNumber);
    return true;
  });
  std::vector<int32_t> expected = {50, 52, 64, 65, 66, 67, 68, 69, 70, 71, 53, 72, 73, 74, 75, 76, 77, 78, 79};
  EXPECT_EQ(visited, expected);

  std::vector<PageId> legacyChain = {{1, 61}};
  visited.clear();
  enumerateAllocationUnit(file, {1, 0}, &legacyChain, [&](PageId id) {
    visited.push_back(id.pageNumber);
    return visited.size() < 3;
  });
  EXPECT_EQ(visited, (std::vector<int32_t>{53, 72, 73}));
}

}  // namespace
}  // namespace pellora
