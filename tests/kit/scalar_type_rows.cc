#include "kit/scalar_type_rows.h"

#include "kit/byte_writes.h"
#include "kit/record_builder.h"
#include "kit/utf16.h"

namespace pellora::kit {

namespace {
constexpr uint16_t kScalarTypeColumns = 13;
}  // namespace

std::vector<uint8_t> scalarTypeRow(const ScalarTypeRow& row) {
  std::vector<uint8_t> fixed(kScalarTypeRowFixedLength, 0);
  putU32(fixed, 0, static_cast<uint32_t>(row.typeId));
  putU32(fixed, 4, static_cast<uint32_t>(row.schemaId));
  putU8(fixed, 8, row.systemTypeId);
  putU16(fixed, 9, static_cast<uint16_t>(row.length));
  putU8(fixed, 11, row.precision);
  putU8(fixed, 12, row.scale);
  putU32(fixed, 13, static_cast<uint32_t>(row.collationId));
  putU32(fixed, 17, static_cast<uint32_t>(row.status));
  std::vector<uint8_t> name = utf16leBytes(row.name);
  return RecordBuilder()
      .fixed(Bytes(fixed.data(), fixed.size()))
      .columnCount(kScalarTypeColumns)
      .variable(Bytes(name.data(), name.size()))
      .build();
}

}  // namespace pellora::kit
