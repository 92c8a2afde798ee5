// Page and row identifiers. On disk a page identifier is the page number
// (4 bytes) followed by the file id (2 bytes); a row identifier adds the slot.
#pragma once

#include <cstdint>
#include <compare>

#include "platform/bytes.h"

namespace pellora {

constexpr int kPageSize = 8192;
constexpr int kPagesPerExtent = 8;

struct PageId {
  int16_t fileId = 1;
  int32_t pageNumber = 0;

  auto operator<=>(const PageId&) const = default;
};

struct RowId {
  int16_t fileId = 1;
  int32_t pageNumber = 0;
  int16_t slot = 0;

  PageId page() const { return {fileId, pageNumber}; }
  auto operator<=>(const RowId&) const = default;
};

inline PageId pageIdAt(Bytes b, size_t offset) {
  return {s16At(b, offset + 4), s32At(b, offset)};
}

inline RowId rowIdAt(Bytes b, size_t offset) {
  return {s16At(b, offset + 4), s32At(b, offset), s16At(b, offset + 6)};
}

}  // namespace pellora
