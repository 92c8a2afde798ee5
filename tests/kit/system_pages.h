// Ready-made pages of the kinds every data file has: the boot page, IAM
// pages, the file header page. Each comes back as a PageBuilder, so a test
// can still change any byte of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/page_builder.h"

namespace pellora::kit {

constexpr int32_t kBootPagePosition = 9;
constexpr int32_t kBootObjectId = 99;
constexpr uint32_t kLatin1GeneralCp1CiAs = 872468488;
constexpr size_t kBootNameUnits = 104;
constexpr size_t kBitmapBytes = 7988;
constexpr int32_t kPagesPerIamInterval = 511232;

// Boot page fields by page offset: 100 version, 102 create version, 148 the
// name, 488 the collation id, 612 a page id.
struct BootFields {
  uint16_t version = 661;
  uint16_t createVersion = 661;
  std::u16string name = u"PelloraSample";  // cut to 104 units
  uint32_t collationId = kLatin1GeneralCp1CiAs;
  PageId pageId{1, 0};
};

PageBuilder bootPage(const BootFields& fields);
// The name is UTF-8; create version = version.
PageBuilder bootPage(uint16_t version, std::string_view name, uint32_t collationId);

struct IamFields {
  PageId ownPage{1, 0};
  int32_t objectId = 1001;
  // Defaults to the first page of the IAM page's bitmap interval.
  std::optional<PageId> startPage;
  // Up to 8; unfilled slots stay zero.
  std::vector<PageId> singlePages;
  // Extent bitmap bytes as stored (usually kBitmapBytes of them).
  std::vector<uint8_t> bitmap = std::vector<uint8_t>(kBitmapBytes, 0);
  PageId nextPage{0, 0};
  PageId previousPage{0, 0};
};

// Slot 0 the IAM header record, slot 1 the extent bitmap record.
PageBuilder iamPage(const IamFields& fields);

// A bitmap of kBitmapBytes with the given extents marked (extent e is bit e%8
// of byte e/8); extents beyond the bitmap are ignored.
std::vector<uint8_t> extentBitmap(const std::vector<int>& extents, size_t bytes = kBitmapBytes);
// Extents first..first+count-1 marked.
std::vector<uint8_t> extentBitmapRange(int first, int count, size_t bytes = kBitmapBytes);

// Page 0 of every data file.
PageBuilder fileHeaderPage(int16_t fileId = 1);
// A data page (type 1) of `objectId`, numbered `position`, with no records.
PageBuilder dataPage(int32_t position, int32_t objectId);

}  // namespace pellora::kit
