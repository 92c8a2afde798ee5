// PageBuilder: one 8192-byte page, set field by field. Header setters write
// straight into the image, so a later call wins over an earlier one; records
// go in with their slot, and slots can also be set to any value at all (the
// reader must survive bogus ones).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "kit/torn_bits.h"
#include "storage/page_header.h"

namespace pellora::kit {

enum class PageType : uint8_t {
  kUnused = 0,
  kData = 1,
  kIndex = 2,
  kTextMix = 3,
  kTextTree = 4,
  kGam = 8,
  kSgam = 9,
  kIam = 10,
  kPfs = 11,
  kBoot = 13,
  kFileHeader = 15,
};

constexpr uint16_t kHeaderSize = 96;
constexpr uint16_t kChecksumFlag = 0x0200;

// Page offset of slot j's entry.
constexpr size_t slotEntryOffset(int slot) { return kPageSize - 2 - 2 * static_cast<size_t>(slot); }

class PageBuilder {
 public:
  // Header version 1, everything else zero; no records, no slots.
  PageBuilder();

  PageBuilder& headerVersion(uint8_t v);
  PageBuilder& type(PageType t) { return typeCode(static_cast<uint8_t>(t)); }
  PageBuilder& typeCode(uint8_t t);
  PageBuilder& typeFlagBits(uint8_t bits);
  PageBuilder& level(uint8_t v);
  PageBuilder& flagBits(uint16_t bits);
  PageBuilder& indexId(uint16_t id);
  PageBuilder& previousPage(PageId id);
  PageBuilder& minimumRecordLength(uint16_t length);
  PageBuilder& nextPage(PageId id);
  PageBuilder& slotCount(int16_t count);
  PageBuilder& objectId(int32_t id);
  PageBuilder& freeCount(int16_t count);
  PageBuilder& freeDataOffset(uint16_t offset);
  PageBuilder& thisPage(PageId id);
  PageBuilder& pageNumber(int32_t number);
  PageBuilder& fileId(int16_t id);
  PageBuilder& reservedCount(uint16_t count);
  PageBuilder& logSequenceNumber(uint32_t file, uint32_t block, uint16_t slot);
  PageBuilder& transactionReserved(uint16_t count);
  PageBuilder& transactionDescriptor(uint32_t low, uint16_t high);
  PageBuilder& ghostRecordCount(int16_t count);
  // The raw torn-bits field; withTornBits() computes it instead.
  PageBuilder& tornBitsField(uint32_t bits);

  // Appends the record after the last one placed (first at offset 96) and
  // gives it the next slot. Slot count, free data offset and free count follow.
  PageBuilder& addRecord(Bytes record);
  // Writes the record at `offset` and gives it the next slot.
  PageBuilder& addRecordAt(uint16_t offset, Bytes record);
  // Appends the record after the last one placed but gives it no slot: a
  // deleted row whose slot the engine reclaimed. Its bytes stay where they
  // were and count as free space, as they do on the engine's pages.
  PageBuilder& addUnslottedRecord(Bytes record);
  // Sets slot j's entry to `offset`, whatever lies there; the slot count grows
  // to j + 1 when it is lower.
  PageBuilder& slot(int j, uint16_t offset);

  // Raw writes anywhere in the page, the header included.
  PageBuilder& writeBytes(size_t offset, Bytes bytes);
  PageBuilder& writeU8(size_t offset, uint8_t v);
  PageBuilder& writeU16(size_t offset, uint16_t v);
  PageBuilder& writeU32(size_t offset, uint32_t v);

  // build() then writes the page as a torn-page-protected write leaves it.
  PageBuilder& withTornBits(TornStamp stamp = TornStamp::kComplement);

  bool hasPageNumber() const { return pageNumberSet_; }
  int16_t currentSlotCount() const { return s16At(image_, 22); }
  // The next offset addRecord() would use.
  uint16_t appendOffset() const { return appendAt_; }
  // The page before torn bits are applied.
  const PageBytes& trueImage() const { return image_; }

  PageBytes build() const;
  void buildInto(PageBytes& out) const;

 private:
  void placeRecord(uint16_t offset, Bytes record);
  void updateFreeSpace();

  PageBytes image_{};
  uint16_t appendAt_ = kHeaderSize;
  int reclaimed_ = 0;  // bytes of unslotted records below appendAt_
  bool pageNumberSet_ = false;
  std::optional<TornStamp> tornStamp_;
};

}  // namespace pellora::kit
