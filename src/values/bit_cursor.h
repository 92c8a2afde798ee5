// The bit columns of a record share their bytes: up to eight bit columns in a
// row take one byte of the fixed data, least significant bit first. One
// cursor per record walks them; it is created before the record's first
// column and passed to every bit column's descriptor.
#pragma once

#include <cstdint>

namespace pellora {

struct BitCursor {
  static constexpr int32_t kBitsPerByte = 8;

  // The next bit to take from `currentByte`; kBitsPerByte when the next bit
  // column starts a new byte, as the first one of a record does.
  int32_t bitIndex = kBitsPerByte;
  uint8_t currentByte = 0;
  bool loaded = false;
  // The bit column just described (or decoded) took a byte of its own, so
  // the running fixed offset moves on by one.
  bool byteStarted = false;

  // Also true for an index that is out of range, so that a damaged cursor
  // reloads rather than shifts by a bad amount.
  bool atByteStart() const { return bitIndex < 0 || bitIndex >= kBitsPerByte; }

  void load(uint8_t byte) {
    currentByte = byte;
    bitIndex = 0;
    loaded = true;
    byteStarted = true;
  }

  // Requires loaded && !atByteStart().
  bool takeBit() { return ((currentByte >> bitIndex++) & 1) != 0; }
};

}  // namespace pellora
