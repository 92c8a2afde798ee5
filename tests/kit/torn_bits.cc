#include "kit/torn_bits.h"

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

size_t sectorLastByte(int sector) { return static_cast<size_t>(sector) * kSectorSize + kSectorSize - 1; }

uint8_t stampBits(uint8_t trueBits, TornStamp stamp) {
  return stamp == TornStamp::kComplement ? static_cast<uint8_t>(~trueBits & 3) : uint8_t{1};
}

}  // namespace

uint32_t tornBitsOf(const PageBytes& page) {
  uint32_t field = 0;
  for (int k = 1; k < kSectorsPerPage; ++k) {
    field |= static_cast<uint32_t>(page[sectorLastByte(k)] & 3) << (2 * k);
  }
  return field;
}

uint32_t applyTornBits(PageBytes& page, TornStamp stamp) {
  uint32_t field = tornBitsOf(page);
  putU16(page, 4, static_cast<uint16_t>(u16At(page, 4) | kTornBitsFlag));
  putU32(page, kTornBitsOffset, field);
  for (int k = 1; k < kSectorsPerPage; ++k) {
    uint8_t& byte = page[sectorLastByte(k)];
    byte = static_cast<uint8_t>((byte & ~3) | stampBits(byte & 3, stamp));
  }
  return field;
}

}  // namespace pellora::kit
