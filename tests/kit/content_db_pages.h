// Where the pages of a synthetic database go: allocation units take whole
// extents from one running allocator, and each unit's IAM pages map exactly
// the extents it took (one IAM page per 4 GB interval, chained).
#pragma once

#include <cstdint>
#include <vector>

#include "kit/data_file_builder.h"
#include "kit/system_pages.h"

namespace pellora::kit {

constexpr uint16_t kUserUnitHeaderIndexId = 256;

// Allocation unit id of a user unit whose pages carry `headerObjectId`.
uint64_t userAllocationUnitId(int32_t headerObjectId);

class ExtentAllocator {
 public:
  explicit ExtentAllocator(uint64_t firstPage) : next_(firstPage) {}
  // The first page of a fresh extent.
  uint64_t takeExtent();
  // `count` extents in a row; returns the first page.
  uint64_t takeExtents(uint64_t count);
  uint64_t end() const { return next_; }

 private:
  uint64_t next_;
};

// The pages of one allocation unit. Its pages carry `headerObjectId` and
// `headerIndexId` in their headers: the unit's share of its id from SQL
// Server 2005 on; in a SQL Server 2000 file, the table's object id and
// index id.
class AllocationSegment {
 public:
  AllocationSegment(ExtentAllocator& extents, int32_t headerObjectId,
                    uint16_t headerIndexId = kUserUnitHeaderIndexId)
      : extents_(&extents), headerObjectId_(headerObjectId), headerIndexId_(headerIndexId) {}

  int32_t headerObjectId() const { return headerObjectId_; }
  uint16_t headerIndexId() const { return headerIndexId_; }
  uint64_t allocationUnitId() const { return userAllocationUnitId(headerObjectId_); }
  // The next page of the unit, opening an extent when the last one is full.
  PageId nextPage();
  // `count` pages in whole extents of their own; returns the first.
  uint64_t takeRun(uint64_t count);
  bool empty() const { return extentStarts_.empty(); }
  PageId firstPage() const;

  // The IAM pages at `positions` (one per interval the extents touch, as
  // iamPagesNeeded says), chained in order.
  size_t iamPagesNeeded() const;
  void writeIamPages(DataFileBuilder& file, const std::vector<uint64_t>& positions) const;

 private:
  ExtentAllocator* extents_;
  int32_t headerObjectId_;
  uint16_t headerIndexId_;
  std::vector<uint64_t> extentStarts_;
  uint64_t used_ = kPagesPerExtent;  // pages used of the last extent
};

}  // namespace pellora::kit
