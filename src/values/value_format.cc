#include "values/value_format.h"

#include <array>
#include <cstddef>

namespace pellora {

std::string formatGuid(Bytes value) {
  constexpr size_t kGuidBytes = 16;
  if (value.size() < kGuidBytes) return {};
  // Display order of the stored bytes: the 32-bit and two 16-bit groups are
  // little-endian, the last eight bytes are kept as stored.
  constexpr std::array<size_t, kGuidBytes> kOrder = {3, 2, 1, 0, 5, 4, 7, 6,
                                                     8, 9, 10, 11, 12, 13, 14, 15};
  constexpr char kHex[] = "0123456789ABCDEF";
  std::array<char, 36> text{};
  size_t at = 0;
  for (size_t i = 0; i < kGuidBytes; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text[at++] = '-';
    const uint8_t byte = value[kOrder[i]];
    text[at++] = kHex[byte >> 4];
    text[at++] = kHex[byte & 0x0F];
  }
  return std::string(text.data(), at);
}

}  // namespace pellora
