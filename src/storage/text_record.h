// TextRecord: one record of a large-value page. Its fixed part starts with the
// value identifier and the structure type; the structure body follows.
#pragma once

#include <cstdint>

#include "platform/bytes.h"
#include "storage/record.h"

namespace pellora {

// Structure types of the 16-bit type field.
enum LobStructureType : uint16_t {
  kSmallRootType = 0,
  kInternalType = 2,
  kDataFragmentType = 3,
  kLargeRootType = 5,  // 4 and 6 are read as 5
  kNoStructureType = 8,  // the fixed part is too short to hold a type
};

// Fixed offsets of the structure header.
constexpr size_t kValueIdOffset = 0;
constexpr size_t kStructureTypeOffset = 8;
constexpr size_t kStructureBodyOffset = 10;

class TextRecord : public CRecord {
 public:
  // Parses `record`, the bytes from the record's start to the end of what the
  // page holds for it. Copies what it keeps; reads nothing outside `record`.
  explicit TextRecord(Bytes record);

  bool versioning = false;
  bool statusB = false;
  uint64_t valueId = 0;
  uint16_t structureType = kNoStructureType;
  // Bytes of the structure body: the fixed length less the 10 header bytes.
  int32_t payloadLength = 0;

  // The whole fixed part, structure header included, so that the structure
  // offsets are counted from its start.
  Bytes fixed() const { return {fixedData.data(), fixedData.size()}; }
};

// Types 4 and 6 are read as type 5.
uint16_t normalizedStructureType(uint16_t type);

}  // namespace pellora
