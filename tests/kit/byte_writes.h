// Little-endian writes into a byte range, the counterpart of platform/bytes.h
// for code that builds pages. A write that does not fit is a bug in the test
// that asked for it, so it aborts instead of being cut short quietly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "platform/bytes.h"

namespace pellora::kit {

using MutableBytes = std::span<uint8_t>;

inline void putBytes(MutableBytes b, size_t offset, Bytes value) {
  if (offset > b.size() || value.size() > b.size() - offset) {
    std::fprintf(stderr, "kit: a write of %zu bytes at %zu passes the end of %zu bytes\n", value.size(),
                 offset, b.size());
    std::abort();
  }
  if (!value.empty()) std::memcpy(b.data() + offset, value.data(), value.size());
}

inline void putU8(MutableBytes b, size_t offset, uint8_t v) { putBytes(b, offset, {&v, 1}); }

inline void putU16(MutableBytes b, size_t offset, uint16_t v) {
  const uint8_t le[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  putBytes(b, offset, le);
}

inline void putU32(MutableBytes b, size_t offset, uint32_t v) {
  putU16(b, offset, static_cast<uint16_t>(v));
  putU16(b, offset + 2, static_cast<uint16_t>(v >> 16));
}

inline void putU64(MutableBytes b, size_t offset, uint64_t v) {
  putU32(b, offset, static_cast<uint32_t>(v));
  putU32(b, offset + 4, static_cast<uint32_t>(v >> 32));
}

// Appending forms, for records and other variable-length values.
inline void appendU8(std::vector<uint8_t>& out, uint8_t v) { out.push_back(v); }

inline void appendU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void appendU32(std::vector<uint8_t>& out, uint32_t v) {
  appendU16(out, static_cast<uint16_t>(v));
  appendU16(out, static_cast<uint16_t>(v >> 16));
}

inline void appendU64(std::vector<uint8_t>& out, uint64_t v) {
  appendU32(out, static_cast<uint32_t>(v));
  appendU32(out, static_cast<uint32_t>(v >> 32));
}

inline void appendBytes(std::vector<uint8_t>& out, Bytes value) {
  out.insert(out.end(), value.begin(), value.end());
}

}  // namespace pellora::kit
