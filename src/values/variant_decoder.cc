#include "values/variant_decoder.h"

#include <string>

#include "platform/codepage.h"
#include "values/column_code_page.h"
#include "values/type_code.h"
#include "values/value_format.h"

namespace pellora {

namespace {

constexpr size_t kHeaderBytes = 2;           // base type, version
constexpr size_t kCharacterPropertyEnd = 8;  // maximum length (2), collation (4)
constexpr size_t kDecimalPropertyEnd = 4;    // precision, scale
constexpr size_t kBinaryPropertyEnd = 4;     // maximum length

// The value bytes from `start` when the value is exactly `length` long.
bool exactly(Bytes value, size_t length) { return value.size() == length; }

std::string scaledTimeText(int32_t baseType, Bytes value) {
  if (value.size() < 3) return {};
  const int scale = value[2];
  const Bytes time = value.subspan(3);
  switch (baseType) {
    case system_type::kTime: return formatTime(time, scale);
    case system_type::kDateTime2: return formatDateTime2(time, scale);
    default: return formatDateTimeOffset(time, scale);
  }
}

std::string decimalText(ValueDescriptor& descriptor, int32_t baseType, Bytes value) {
  const size_t minimum = baseType == system_type::kNumeric ? 5 : 4;
  if (value.size() < minimum) return {};
  if (baseType == system_type::kNumeric) {
    descriptor.storedLength = static_cast<int32_t>(value.size() - kDecimalPropertyEnd);
  }
  return formatDecimal(value.subspan(kDecimalPropertyEnd), value[2], value[3]);
}

std::string prefixedHex(Bytes bytes) { return "0x" + hexText(bytes); }

// Fixed-length base types: the value is the rest after the header.
std::string fixedText(int32_t baseType, Bytes value) {
  namespace st = system_type;
  const Bytes data = value.subspan(kHeaderBytes);
  switch (baseType) {
    case st::kUniqueIdentifier: return exactly(value, 18) ? formatGuid(data) : "";
    case st::kDate: return exactly(value, 5) ? formatDate(data) : "";
    case st::kTinyInt: return exactly(value, 3) ? std::to_string(data[0]) : "";
    case st::kSmallInt: return exactly(value, 4) ? std::to_string(s16At(data, 0)) : "";
    case st::kInt: return exactly(value, 6) ? std::to_string(s32At(data, 0)) : "";
    case st::kSmallDateTime: return exactly(value, 6) ? formatSmallDateTime(data) : "";
    case st::kReal: return exactly(value, 6) ? formatReal(data) : "";
    case st::kMoney: return exactly(value, 10) ? formatMoney(data) : "";
    case st::kDateTime: return exactly(value, 10) ? formatDateTime(data) : "";
    case st::kFloat: return exactly(value, 10) ? formatFloat(data) : "";
    case st::kBit: return exactly(value, 3) ? (data[0] != 0 ? "True" : "False") : "";
    case st::kSmallMoney: return exactly(value, 6) ? formatSmallMoney(data) : "";
    case st::kBigInt:
      return exactly(value, 10) ? std::to_string(static_cast<int64_t>(u64At(data, 0))) : "";
    default: return {};
  }
}

// Base types whose value follows properties and runs to the end.
std::string sizedText(int32_t baseType, Bytes value) {
  namespace st = system_type;
  switch (baseType) {
    case st::kBinary:
    case st::kVarBinary:
      return value.size() >= kBinaryPropertyEnd ? prefixedHex(value.subspan(kBinaryPropertyEnd)) : "";
    case st::kChar:
    case st::kVarChar:
      return value.size() >= kCharacterPropertyEnd
                 ? codePageText(value.subspan(kCharacterPropertyEnd), ansiCodePage())
                 : "";
    case st::kNChar:
    case st::kNVarChar:
      return value.size() >= kCharacterPropertyEnd ? utf16Text(value.subspan(kCharacterPropertyEnd))
                                                   : "";
    case st::kClr: return prefixedHex(value.subspan(kHeaderBytes));
    default: return fixedText(baseType, value);
  }
}

}  // namespace

std::string decodeVariantValue(ValueDescriptor& descriptor, Bytes value) {
  if (value.size() < kHeaderBytes) return {};
  const int32_t baseType = value[0];
  switch (baseType) {
    case system_type::kTime:
    case system_type::kDateTime2:
    case system_type::kDateTimeOffset: return scaledTimeText(baseType, value);
    case system_type::kDecimal:
    case system_type::kNumeric: return decimalText(descriptor, baseType, value);
    default: return sizedText(baseType, value);
  }
}

}  // namespace pellora
