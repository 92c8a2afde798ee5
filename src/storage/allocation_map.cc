#include "storage/allocation_map.h"

#include <set>

#include "storage/database_file.h"
#include "storage/record.h"

namespace pellora {

namespace {

const CRecord* slotRecord(const PrimaryRecordPage& page, size_t slot) {
  const auto& records = page.records();
  if (slot >= records.size() || !records[slot] || !records[slot]->hasFixedData) return nullptr;
  return records[slot].get();
}

bool singlePageIsTaken(PageId id, uint64_t pageCount) {
  return id.pageNumber >= 1 && static_cast<uint64_t>(id.pageNumber) <= pageCount && id.fileId != 0;
}

}  // namespace

ExtentAllocationMap::ExtentAllocationMap(PageBuffer buffer, PageContext context)
    : PrimaryRecordPage(std::move(buffer), context) {
  if (context_.stopRequested()) return;
  const CRecord* bitmapRecord = slotRecord(*this, 1);
  if (!bitmapRecord) return;
  bitmap_.reserve(kExtentsPerBitmap);
  for (uint8_t byte : bitmapRecord->fixedData) {
    for (int bit = 0; bit < 8 && bitmap_.size() < kExtentsPerBitmap; ++bit) {
      bitmap_.push_back((byte >> bit) & 1);
    }
    if (bitmap_.size() >= kExtentsPerBitmap) break;
  }
}

IamPage::IamPage(PageBuffer buffer, PageContext context)
    : ExtentAllocationMap(std::move(buffer), context) {
  const CRecord* headerRecord = slotRecord(*this, 0);
  if (!headerRecord) return;
  Bytes fixed(headerRecord->fixedData.data(), headerRecord->fixedData.size());
  value0 = u32At(fixed, 0);
  value14 = u16At(fixed, 14);
  value28 = u32At(fixed, 28);
  value32 = u16At(fixed, 32);
  value34 = u8At(fixed, 34);
  if (fits(fixed, 36, 6)) startPage = pageIdAt(fixed, 36);
  for (int k = 0; k < kSinglePageSlots; ++k) {
    size_t at = 42 + 6 * static_cast<size_t>(k);
    if (fits(fixed, at, 6)) singlePages[static_cast<size_t>(k)] = pageIdAt(fixed, at);
  }
}

std::vector<ExtentRange> extentRanges(const IamPage& iam, uint64_t extentLimit) {
  std::vector<ExtentRange> ranges;
  int64_t base = iam.header().thisPage.pageNumber / kPagesPerBitmapInterval;
  base *= kPagesPerBitmapInterval;
  const auto& bitmap = iam.extentBitmap();
  for (size_t i = 0; i < bitmap.size() && i < extentLimit; ++i) {
    if (bitmap[i] != 1) continue;
    int64_t first = base + kPagesPerExtent * static_cast<int64_t>(i);
    if (first + kPagesPerExtent - 1 > INT32_MAX) break;
    ExtentRange range;
    range.first = {iam.header().thisPage.fileId, static_cast<int32_t>(first)};
    range.fileId = range.first.fileId;
    range.lastPageNumber = static_cast<int32_t>(first + kPagesPerExtent - 1);
    ranges.push_back(range);
  }
  return ranges;
}

std::vector<PageId> rangePages(ExtentRange& range) {
  std::vector<PageId> pages;
  for (int64_t n = range.first.pageNumber; n <= range.lastPageNumber; ++n) {
    pages.push_back({range.fileId, static_cast<int32_t>(n)});
  }
  range.pageCount = static_cast<int32_t>(pages.size());
  return pages;
}

void enumerateAllocationUnit(DatabaseFile& file, PageId firstIam,
                             const std::vector<PageId>* legacyChain,
                             const std::function<bool(PageId)>& visit) {
  std::set<PageId> seen;
  size_t chainIndex = 0;
  PageId current = legacyChain ? (legacyChain->empty() ? PageId{0, 0} : (*legacyChain)[0]) : firstIam;
  while (current.pageNumber != 0 && seen.size() <= file.pageCount()) {
    if (file.flags().stopRequested() || !seen.insert(current).second) return;
    auto iam = file.readIamPage(current);
    if (!iam) return;
    for (PageId single : iam->singlePages) {
      if (singlePageIsTaken(single, file.pageCount()) && !visit(single)) return;
    }
    for (ExtentRange& range : extentRanges(*iam, file.extentCount())) {
      for (PageId page : rangePages(range)) {
        if (page.fileId == 0 || page.pageNumber == 0) continue;
        if (file.flags().stopRequested() || !visit(page)) return;
      }
    }
    if (legacyChain) {
      if (++chainIndex >= legacyChain->size()) return;
      current = (*legacyChain)[chainIndex];
    } else {
      current = iam->header().nextPage;
    }
  }
}

}  // namespace pellora
