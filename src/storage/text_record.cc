#include "storage/text_record.h"

namespace pellora {

namespace {
constexpr uint8_t kVersioningBit = 0x40;
constexpr size_t kRecordHeaderSize = 4;
constexpr size_t kStructureHeaderSize = 10;
}  // namespace

TextRecord::TextRecord(Bytes record) {
  availableLength = static_cast<uint16_t>(std::min<size_t>(record.size(), UINT16_MAX));
  if (record.empty()) {
    damaged = true;
    return;
  }
  readStatusA(record[0]);
  versioning = (record[0] & kVersioningBit) != 0;
  statusB = u8At(record, 1) == 1;
  int f = static_cast<int>(u16At(record, 2)) - static_cast<int>(kRecordHeaderSize);
  // The fixed part must lie wholly within the record's bytes; a length that
  // only fits once the 4 header bytes are forgotten would read past them.
  if (f <= 0 || !fits(record, kRecordHeaderSize, static_cast<size_t>(f))) return;
  fixedData.assign(record.begin() + kRecordHeaderSize, record.begin() + kRecordHeaderSize + f);
  hasFixedData = true;
  recordLength = static_cast<int32_t>(kRecordHeaderSize) + f;
  if (fixedData.size() < kStructureHeaderSize) return;
  valueId = u64At(fixed(), kValueIdOffset);
  structureType = u16At(fixed(), kStructureTypeOffset);
  payloadLength = f - static_cast<int>(kStructureHeaderSize);
}

uint16_t normalizedStructureType(uint16_t type) {
  return type == 4 || type == 6 ? uint16_t{kLargeRootType} : type;
}

}  // namespace pellora
