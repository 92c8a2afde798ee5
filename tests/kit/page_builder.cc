#include "kit/page_builder.h"

#include <algorithm>

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

void putPageId(PageBytes& page, size_t offset, PageId id) {
  putU32(page, offset, static_cast<uint32_t>(id.pageNumber));
  putU16(page, offset + 4, static_cast<uint16_t>(id.fileId));
}

}  // namespace

PageBuilder::PageBuilder() {
  headerVersion(1);
  fileId(1);
  freeDataOffset(kHeaderSize);
  updateFreeSpace();
}

PageBuilder& PageBuilder::headerVersion(uint8_t v) { return writeU8(0, v); }
PageBuilder& PageBuilder::typeCode(uint8_t t) { return writeU8(1, t); }
PageBuilder& PageBuilder::typeFlagBits(uint8_t bits) { return writeU8(2, bits); }
PageBuilder& PageBuilder::level(uint8_t v) { return writeU8(3, v); }
PageBuilder& PageBuilder::flagBits(uint16_t bits) { return writeU16(4, bits); }
PageBuilder& PageBuilder::indexId(uint16_t id) { return writeU16(6, id); }

PageBuilder& PageBuilder::previousPage(PageId id) {
  putPageId(image_, 8, id);
  return *this;
}

PageBuilder& PageBuilder::minimumRecordLength(uint16_t length) { return writeU16(14, length); }

PageBuilder& PageBuilder::nextPage(PageId id) {
  putPageId(image_, 16, id);
  return *this;
}

PageBuilder& PageBuilder::slotCount(int16_t count) { return writeU16(22, static_cast<uint16_t>(count)); }
PageBuilder& PageBuilder::objectId(int32_t id) { return writeU32(24, static_cast<uint32_t>(id)); }
PageBuilder& PageBuilder::freeCount(int16_t count) { return writeU16(28, static_cast<uint16_t>(count)); }
PageBuilder& PageBuilder::freeDataOffset(uint16_t offset) { return writeU16(30, offset); }

PageBuilder& PageBuilder::thisPage(PageId id) {
  pageNumber(id.pageNumber);
  return fileId(id.fileId);
}

PageBuilder& PageBuilder::pageNumber(int32_t number) {
  pageNumberSet_ = true;
  return writeU32(32, static_cast<uint32_t>(number));
}

PageBuilder& PageBuilder::fileId(int16_t id) { return writeU16(36, static_cast<uint16_t>(id)); }
PageBuilder& PageBuilder::reservedCount(uint16_t count) { return writeU16(38, count); }

PageBuilder& PageBuilder::logSequenceNumber(uint32_t file, uint32_t block, uint16_t slot) {
  writeU32(40, file);
  writeU32(44, block);
  return writeU16(48, slot);
}

PageBuilder& PageBuilder::transactionReserved(uint16_t count) { return writeU16(50, count); }

PageBuilder& PageBuilder::transactionDescriptor(uint32_t low, uint16_t high) {
  writeU32(52, low);
  return writeU16(56, high);
}

PageBuilder& PageBuilder::ghostRecordCount(int16_t count) {
  return writeU16(58, static_cast<uint16_t>(count));
}
PageBuilder& PageBuilder::tornBitsField(uint32_t bits) { return writeU32(kTornBitsOffset, bits); }

PageBuilder& PageBuilder::addRecord(Bytes record) { return addRecordAt(appendAt_, record); }

PageBuilder& PageBuilder::addRecordAt(uint16_t offset, Bytes record) {
  placeRecord(offset, record);
  return slot(std::max<int16_t>(currentSlotCount(), 0), offset);
}

PageBuilder& PageBuilder::addUnslottedRecord(Bytes record) {
  placeRecord(appendAt_, record);
  reclaimed_ += static_cast<int>(record.size());
  updateFreeSpace();
  return *this;
}

PageBuilder& PageBuilder::slot(int j, uint16_t offset) {
  writeU16(slotEntryOffset(j), offset);
  if (currentSlotCount() < j + 1) slotCount(static_cast<int16_t>(j + 1));
  updateFreeSpace();
  return *this;
}

PageBuilder& PageBuilder::writeBytes(size_t offset, Bytes bytes) {
  putBytes(image_, offset, bytes);
  return *this;
}

PageBuilder& PageBuilder::writeU8(size_t offset, uint8_t v) {
  putU8(image_, offset, v);
  return *this;
}

PageBuilder& PageBuilder::writeU16(size_t offset, uint16_t v) {
  putU16(image_, offset, v);
  return *this;
}

PageBuilder& PageBuilder::writeU32(size_t offset, uint32_t v) {
  putU32(image_, offset, v);
  return *this;
}

PageBuilder& PageBuilder::withTornBits(TornStamp stamp) {
  tornStamp_ = stamp;
  return *this;
}

void PageBuilder::placeRecord(uint16_t offset, Bytes record) {
  writeBytes(offset, record);
  size_t end = offset + record.size();
  if (end > appendAt_) {
    appendAt_ = static_cast<uint16_t>(end);
    freeDataOffset(appendAt_);
  }
}

// The free count as the engine would keep it: the gap between the record
// area and the slot array, and the bytes of rows whose slots were reclaimed.
void PageBuilder::updateFreeSpace() {
  int slots = std::max<int16_t>(currentSlotCount(), 0);
  int gap = kPageSize - appendAt_ - 2 * slots + reclaimed_;
  freeCount(static_cast<int16_t>(std::max(gap, 0)));
}

PageBytes PageBuilder::build() const {
  PageBytes out;
  buildInto(out);
  return out;
}

void PageBuilder::buildInto(PageBytes& out) const {
  out = image_;
  if (tornStamp_) applyTornBits(out, *tornStamp_);
}

}  // namespace pellora::kit
