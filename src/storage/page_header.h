// The 96-byte header that starts every page, parsed into a value object.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "storage/page_id.h"

namespace pellora {

using PageBytes = std::array<uint8_t, kPageSize>;

constexpr uint16_t kTornBitsFlag = 0x0100;
constexpr uint8_t kCompressionInfoFlag = 0x80;

class CPage_Header {
 public:
  CPage_Header() = default;
  // Parses the header and, when the page carries torn-page bits, repairs the
  // buffer in place before any record of it is read.
  explicit CPage_Header(PageBytes& page);

  uint8_t headerVersion = 0;
  uint32_t pageType = 0;
  uint8_t typeFlagBits = 0;
  uint8_t level = 0;
  uint16_t flagBits = 0;
  uint16_t indexId = 0;
  PageId previousPage;
  uint16_t minimumRecordLength = 0;
  PageId nextPage;
  int16_t slotCount = 0;
  int32_t objectId = 0;
  int16_t freeCount = 0;
  uint16_t freeDataOffset = 0;
  PageId thisPage;
  uint16_t reservedCount = 0;
  std::string logSequenceNumber;      // "( %d : %d : %d )"
  uint16_t transactionReserved = 0;
  std::string transactionDescriptor;  // "( %d : %d )", 2-byte part first
  int16_t ghostRecordCount = 0;
  uint32_t tornBits = 0;

  bool hasTornBits() const { return (flagBits & kTornBitsFlag) != 0; }
  bool hasCompressionInfo() const { return (typeFlagBits & kCompressionInfoFlag) != 0; }
  // A negative count or page identifier field: the page yields no records.
  bool hasNegativeFields() const;
};

// Replaces the low two bits of the last byte of sectors 1..15 with the bits
// that the torn-bits field saved for them.
void repairTornBits(PageBytes& page, uint32_t tornBits);

}  // namespace pellora
