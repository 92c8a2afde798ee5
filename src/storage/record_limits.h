// Limits and the copying helper shared by the readers of both record formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bytes.h"

namespace pellora {

constexpr int kMaxColumns = 1024;
constexpr int kMaxFixedData = 8060;

// The bytes [offset, offset + length) of `b`, cut to what `b` holds.
inline std::vector<uint8_t> copyOf(Bytes b, size_t offset, size_t length) {
  Bytes part = sliceOf(b, offset, length);
  return {part.begin(), part.end()};
}

}  // namespace pellora
