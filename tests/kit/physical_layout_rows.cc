#include "kit/physical_layout_rows.h"

#include "kit/byte_writes.h"
#include "kit/record_builder.h"

namespace pellora::kit {

namespace {
// rsid .. bitpos, then colguid, which is left NULL.
constexpr uint16_t kRowsetColumnColumns = 13;
}  // namespace

std::vector<uint8_t> rowsetColumnRow(const RowsetColumnRow& row) {
  std::vector<uint8_t> fixed(kRowsetColumnRowFixedLength, 0);
  putU64(fixed, 0, row.rowsetId);
  putU32(fixed, 8, static_cast<uint32_t>(row.rowsetColumnId));
  putU32(fixed, 12, static_cast<uint32_t>(row.hobtColumnId));
  putU64(fixed, 16, row.modificationCounter);
  putU32(fixed, 24, static_cast<uint32_t>(row.typeInfo));
  putU32(fixed, 28, static_cast<uint32_t>(row.columnId));
  putU16(fixed, 32, static_cast<uint16_t>(row.keyOrdinal));
  putU16(fixed, 34, static_cast<uint16_t>(row.maxInRowLength));
  putU32(fixed, 36, static_cast<uint32_t>(row.status));
  putU32(fixed, 40, static_cast<uint16_t>(row.leafOffset));
  putU32(fixed, 44, static_cast<uint32_t>(row.nullBit));
  putU16(fixed, 48, static_cast<uint16_t>(row.bitPosition));
  return RecordBuilder()
      .fixed(Bytes(fixed.data(), fixed.size()))
      .columnCount(kRowsetColumnColumns)
      .nullColumn(kRowsetColumnColumns - 1)
      .build();
}

}  // namespace pellora::kit
