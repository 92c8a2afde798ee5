#include "kit/content_db_pages.h"

#include <map>

namespace pellora::kit {

namespace {
constexpr uint64_t kFirstUserUnitBase = 72057594037927936ULL;  // 256 << 48
}  // namespace

uint64_t userAllocationUnitId(int32_t headerObjectId) {
  return kFirstUserUnitBase | (static_cast<uint64_t>(static_cast<uint32_t>(headerObjectId)) << 16);
}

uint64_t ExtentAllocator::takeExtent() { return takeExtents(1); }

uint64_t ExtentAllocator::takeExtents(uint64_t count) {
  const uint64_t first = next_;
  next_ += count * kPagesPerExtent;
  return first;
}

PageId AllocationSegment::nextPage() {
  if (used_ == kPagesPerExtent) {
    extentStarts_.push_back(extents_->takeExtent());
    used_ = 0;
  }
  return {1, static_cast<int32_t>(extentStarts_.back() + used_++)};
}

uint64_t AllocationSegment::takeRun(uint64_t count) {
  const uint64_t extents = (count + kPagesPerExtent - 1) / kPagesPerExtent;
  const uint64_t first = extents_->takeExtents(extents);
  for (uint64_t e = 0; e < extents; ++e) extentStarts_.push_back(first + e * kPagesPerExtent);
  used_ = kPagesPerExtent;
  return first;
}

PageId AllocationSegment::firstPage() const {
  return empty() ? PageId{0, 0} : PageId{1, static_cast<int32_t>(extentStarts_.front())};
}

size_t AllocationSegment::iamPagesNeeded() const {
  std::map<uint64_t, int> intervals;
  for (uint64_t start : extentStarts_) intervals[start / kPagesPerIamInterval] = 1;
  return intervals.size();
}

void AllocationSegment::writeIamPages(DataFileBuilder& file, const std::vector<uint64_t>& positions) const {
  std::map<uint64_t, std::vector<int>> intervals;
  for (uint64_t start : extentStarts_) {
    const uint64_t interval = start / kPagesPerIamInterval;
    intervals[interval].push_back(static_cast<int>((start % kPagesPerIamInterval) / kPagesPerExtent));
  }
  size_t k = 0;
  for (const auto& [interval, extents] : intervals) {
    IamFields iam;
    iam.ownPage = {1, static_cast<int32_t>(positions[k])};
    iam.objectId = headerObjectId_;
    iam.startPage = PageId{1, static_cast<int32_t>(interval * kPagesPerIamInterval)};
    iam.bitmap = extentBitmap(extents);
    if (k > 0) iam.previousPage = {1, static_cast<int32_t>(positions[k - 1])};
    if (k + 1 < positions.size()) iam.nextPage = {1, static_cast<int32_t>(positions[k + 1])};
    PageBuilder page = iamPage(iam);
    page.indexId(headerIndexId_);
    file.setPage(positions[k], page);
    ++k;
  }
}

}  // namespace pellora::kit
