// Allocation maps: the IAM pages that list the pages of one allocation unit,
// as single pages and as a bitmap of 8-page extents, chained page to page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "storage/primary_record_page.h"

namespace pellora {

class DatabaseFile;

constexpr int kExtentsPerBitmap = 63904;  // 7988 bytes of 8 bits
constexpr int kPagesPerBitmapInterval = kExtentsPerBitmap * kPagesPerExtent;
constexpr int kSinglePageSlots = 8;

class ExtentAllocationMap : public PrimaryRecordPage {
 public:
  ExtentAllocationMap(PageBuffer buffer, PageContext context);

  // One entry per extent, 0 or 1; `bitmapCount` of them are filled.
  const std::vector<uint8_t>& extentBitmap() const { return bitmap_; }
  int bitmapCount() const { return static_cast<int>(bitmap_.size()); }

 private:
  std::vector<uint8_t> bitmap_;
};

class IamPage : public ExtentAllocationMap {
 public:
  IamPage(PageBuffer buffer, PageContext context);

  uint32_t value0 = 0;
  uint16_t value14 = 0;
  uint32_t value28 = 0;
  uint16_t value32 = 0;
  uint8_t value34 = 0;
  PageId startPage;
  std::array<PageId, kSinglePageSlots> singlePages{};
};

struct ExtentRange {
  int32_t pageCount = 0;  // set when the range is expanded
  PageId first;
  int16_t fileId = 1;
  int32_t lastPageNumber = 0;
};

// The extents marked in the IAM page's bitmap, in bitmap order; extents at or
// beyond `extentLimit` (the primary file's extent count) are left out.
std::vector<ExtentRange> extentRanges(const IamPage& iam, uint64_t extentLimit);
// The pages of one extent, ascending; sets the range's page count.
std::vector<PageId> rangePages(ExtentRange& range);

// Visits the pages of an allocation unit in IAM chain order: per IAM page its
// single pages, then its extents. `visit` returns false to stop. With
// `legacyChain` given, the IAM pages are taken from it in order instead of
// following the next-page links. Every chain walk is bounded by the page count,
// so a chain that loops ends.
void enumerateAllocationUnit(DatabaseFile& file, PageId firstIam,
                             const std::vector<PageId>* legacyChain,
                             const std::function<bool(PageId)>& visit);

}  // namespace pellora
