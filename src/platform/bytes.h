// Bounds-checked little-endian reads from a byte range. Damaged pages are the
// normal case, so every read tests its width against the bytes that remain and
// yields 0 when the field does not fit instead of reading past the buffer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace pellora {

using Bytes = std::span<const uint8_t>;

inline bool fits(Bytes b, size_t offset, size_t width) {
  return offset <= b.size() && width <= b.size() - offset;
}

inline uint8_t u8At(Bytes b, size_t offset) {
  return offset < b.size() ? b[offset] : 0;
}

inline uint16_t u16At(Bytes b, size_t offset) {
  if (!fits(b, offset, 2)) return 0;
  return static_cast<uint16_t>(b[offset] | (b[offset + 1] << 8));
}

inline int16_t s16At(Bytes b, size_t offset) {
  return static_cast<int16_t>(u16At(b, offset));
}

inline uint32_t u32At(Bytes b, size_t offset) {
  if (!fits(b, offset, 4)) return 0;
  uint32_t v;
  std::memcpy(&v, b.data() + offset, 4);  // the file format is little-endian, as is the host
  return v;
}

inline int32_t s32At(Bytes b, size_t offset) {
  return static_cast<int32_t>(u32At(b, offset));
}

inline uint64_t u64At(Bytes b, size_t offset) {
  if (!fits(b, offset, 8)) return 0;
  uint64_t v;
  std::memcpy(&v, b.data() + offset, 8);
  return v;
}

// The sub-range [offset, offset + length), cut to what the range holds.
inline Bytes sliceOf(Bytes b, size_t offset, size_t length) {
  if (offset >= b.size()) return {};
  return b.subspan(offset, std::min(length, b.size() - offset));
}

}  // namespace pellora
