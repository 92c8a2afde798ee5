#include "kit/system_pages.h"

#include <algorithm>

#include "kit/byte_writes.h"
#include "kit/record_builder.h"
#include "kit/utf16.h"

namespace pellora::kit {

namespace {

constexpr uint16_t kBootRecordOffset = 96;
// The boot record's fixed data runs from page offset 100 past the last field
// this kit writes (the page id at 612).
constexpr size_t kBootFixedLength = 1024;
constexpr size_t kIamHeaderFixedLength = 90;
constexpr size_t kIamStartPageOffset = 36;
constexpr size_t kIamSinglePagesOffset = 42;
constexpr size_t kFileHeaderFixedLength = 512;

void putPageId(MutableBytes b, size_t offset, PageId id) {
  putU32(b, offset, static_cast<uint32_t>(id.pageNumber));
  putU16(b, offset + 4, static_cast<uint16_t>(id.fileId));
}

}  // namespace

PageBuilder bootPage(const BootFields& fields) {
  PageBuilder page;
  page.type(PageType::kBoot).objectId(kBootObjectId).pageNumber(kBootPagePosition);
  page.addRecordAt(kBootRecordOffset,
                   RecordBuilder().fixed(std::vector<uint8_t>(kBootFixedLength, 0)).fixedOnly().build());
  std::vector<uint8_t> name = utf16leBytes(std::u16string_view(fields.name).substr(0, kBootNameUnits));
  page.writeU16(100, fields.version).writeU16(102, fields.createVersion).writeBytes(148, name);
  page.writeU32(488, fields.collationId);
  page.writeU32(612, static_cast<uint32_t>(fields.pageId.pageNumber));
  return page.writeU16(616, static_cast<uint16_t>(fields.pageId.fileId));
}

PageBuilder bootPage(uint16_t version, std::string_view name, uint32_t collationId) {
  BootFields fields;
  fields.version = fields.createVersion = version;
  fields.name = utf16FromUtf8(name);
  fields.collationId = collationId;
  return bootPage(fields);
}

PageBuilder iamPage(const IamFields& fields) {
  std::vector<uint8_t> header(kIamHeaderFixedLength, 0);
  int32_t base = fields.ownPage.pageNumber / kPagesPerIamInterval * kPagesPerIamInterval;
  putPageId(header, kIamStartPageOffset, fields.startPage.value_or(PageId{fields.ownPage.fileId, base}));
  size_t singles = std::min<size_t>(fields.singlePages.size(), 8);
  for (size_t k = 0; k < singles; ++k)
    putPageId(header, kIamSinglePagesOffset + 6 * k, fields.singlePages[k]);

  PageBuilder page;
  page.type(PageType::kIam).objectId(fields.objectId).thisPage(fields.ownPage);
  page.nextPage(fields.nextPage).previousPage(fields.previousPage);
  page.addRecord(RecordBuilder().fixed(header).fixedOnly().build());
  return page.addRecord(RecordBuilder().fixed(fields.bitmap).fixedOnly().build());
}

std::vector<uint8_t> extentBitmap(const std::vector<int>& extents, size_t bytes) {
  std::vector<uint8_t> bitmap(bytes, 0);
  for (int e : extents) {
    if (e >= 0 && static_cast<size_t>(e) / 8 < bytes)
      bitmap[static_cast<size_t>(e) / 8] |= static_cast<uint8_t>(1u << (e % 8));
  }
  return bitmap;
}

std::vector<uint8_t> extentBitmapRange(int first, int count, size_t bytes) {
  std::vector<int> extents;
  for (int e = first; e < first + count; ++e) extents.push_back(e);
  return extentBitmap(extents, bytes);
}

PageBuilder fileHeaderPage(int16_t fileId) {
  PageBuilder page;
  page.type(PageType::kFileHeader).thisPage({fileId, 0});
  return page.addRecord(
      RecordBuilder().fixed(std::vector<uint8_t>(kFileHeaderFixedLength, 0)).fixedOnly().build());
}

PageBuilder dataPage(int32_t position, int32_t objectId) {
  PageBuilder page;
  return page.type(PageType::kData).objectId(objectId).pageNumber(position);
}

}  // namespace pellora::kit
