#include "kit/object_value_rows.h"

#include "kit/byte_writes.h"
#include "kit/record_builder.h"
#include "kit/utf16.h"

namespace pellora::kit {

namespace {
constexpr uint16_t kObjectValueColumns = 6;
constexpr int kValueColumn = 4;
}  // namespace

std::vector<uint8_t> objectValueRow(const ObjectValueRow& row) {
  std::vector<uint8_t> fixed(kObjectValueRowFixedLength, 0);
  putU8(fixed, 0, row.valueClass);
  putU32(fixed, 1, static_cast<uint32_t>(row.objectId));
  putU32(fixed, 5, static_cast<uint32_t>(row.subObjectId));
  putU32(fixed, 9, static_cast<uint32_t>(row.valueNumber));
  return RecordBuilder()
      .fixed(Bytes(fixed.data(), fixed.size()))
      .columnCount(kObjectValueColumns)
      .nullColumn(kValueColumn)
      .variable({})
      .variable(Bytes(row.imageValue.data(), row.imageValue.size()))
      .build();
}

ObjectValueRow moduleTextRow(int32_t objectId, const std::string& text) {
  ObjectValueRow row;
  row.objectId = objectId;
  row.imageValue = utf16leBytes(std::string_view(text));
  return row;
}

}  // namespace pellora::kit
