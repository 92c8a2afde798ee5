#include "kit/index_rows.h"

#include "kit/byte_writes.h"
#include "kit/record_builder.h"
#include "kit/utf16.h"

namespace pellora::kit {

namespace {
constexpr uint16_t kIndexColumns = 13;
constexpr uint16_t kIndexColumnColumns = 8;
}  // namespace

std::vector<uint8_t> indexRow(const IndexRow& row) {
  std::vector<uint8_t> fixed(kIndexRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putU32(fixed, 4, static_cast<uint32_t>(row.indexId));
  putU32(fixed, 8, static_cast<uint32_t>(row.status));
  putU32(fixed, 12, static_cast<uint32_t>(row.internalProperty));
  putU8(fixed, 16, row.fillFactor);
  putU8(fixed, 17, row.type);
  putU8(fixed, 18, row.tinyProperty);
  putU32(fixed, 19, static_cast<uint32_t>(row.dataSpaceId));
  putU32(fixed, 23, static_cast<uint32_t>(row.lobDataSpaceId));
  putU64(fixed, 27, row.rowsetId);
  RecordBuilder builder;
  builder.fixed(Bytes(fixed.data(), fixed.size())).columnCount(kIndexColumns);
  if (row.name) {
    const std::vector<uint8_t> name = utf16leBytes(*row.name);
    builder.variable(Bytes(name.data(), name.size()));
  }
  return builder.build();
}

std::vector<uint8_t> indexColumnRow(const IndexColumnRow& row) {
  std::vector<uint8_t> fixed(kIndexColumnRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.objectId));
  putU32(fixed, 4, static_cast<uint32_t>(row.indexId));
  putU32(fixed, 8, static_cast<uint32_t>(row.keyOrdinal));
  putU32(fixed, 12, static_cast<uint32_t>(row.status));
  putU32(fixed, 16, static_cast<uint32_t>(row.columnId));
  putU8(fixed, 20, row.tinyProperty1);
  putU8(fixed, 21, row.tinyProperty2);
  return RecordBuilder().fixed(Bytes(fixed.data(), fixed.size())).columnCount(kIndexColumnColumns).build();
}

}  // namespace pellora::kit
