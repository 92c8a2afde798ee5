#include "values/value_decoder.h"

#include <algorithm>

#include "values/value_format.h"
#include "values/variant_decoder.h"
#include "values/xml_converter.h"

namespace pellora {

namespace {

// The value's bytes are views into the record's copies: no work buffer is
// needed, and no view ever reaches past the bytes the caller handed in.
Bytes firstBytes(Bytes bytes, int64_t count) {
  if (count <= 0) return {};
  return bytes.first(std::min<size_t>(bytes.size(), static_cast<size_t>(count)));
}

// Exactly `width` bytes, or none when fewer are there.
Bytes exactBytes(Bytes bytes, int64_t width) {
  if (width <= 0 || bytes.size() < static_cast<size_t>(width)) return {};
  return bytes.first(static_cast<size_t>(width));
}

std::string integerText(TypeCode code, Bytes value) {
  switch (code) {
    case TypeCode::kBigInt: return std::to_string(static_cast<int64_t>(u64At(value, 0)));
    case TypeCode::kInt: return std::to_string(s32At(value, 0));
    case TypeCode::kSmallInt: return std::to_string(s16At(value, 0));
    default: return std::to_string(u8At(value, 0));
  }
}

int64_t integerWidth(TypeCode code) {
  switch (code) {
    case TypeCode::kBigInt: return 8;
    case TypeCode::kInt: return 4;
    case TypeCode::kSmallInt: return 2;
    default: return 1;
  }
}

// Bit columns share bytes: the first of up to eight takes a byte of the
// fixed data, the next ones take the following bits of that byte.
std::string bitText(ValueDescriptor& descriptor, Bytes bytes) {
  if (descriptor.readLength < 1) return "False";
  BitCursor* cursor = descriptor.bitCursor;
  if (cursor == nullptr) return {};
  descriptor.storedLength = 0;
  if (cursor->atByteStart()) cursor->loaded = false;
  if (!cursor->loaded) {
    if (bytes.empty()) return {};
    cursor->load(bytes[0]);
    descriptor.fixedWidth = 1;
    descriptor.storedLength = 1;
  } else {
    descriptor.fixedWidth = 0;
    cursor->byteStarted = false;
  }
  return cursor->takeBit() ? "True" : "False";
}

// Floating point the type cannot hold (infinities, NaNs) shows as 0.
std::string finiteOrZero(std::string text) { return text.empty() ? "0" : text; }

std::string withPrefix(std::string hex) { return "0x" + hex; }

std::string decodeByCode(ValueDescriptor& descriptor, Bytes bytes, const ColumnType& column,
                         const CollationContext& collation) {
  const int64_t n = descriptor.readLength;
  const Bytes read = firstBytes(bytes, n);
  const Bytes checked = exactBytes(bytes, n);
  const Bytes stored = firstBytes(exactBytes(bytes, descriptor.storedLength), n);
  switch (descriptor.typeCode) {
    case TypeCode::kBigInt:
    case TypeCode::kInt:
    case TypeCode::kSmallInt:
    case TypeCode::kTinyInt: {
      const Bytes value = exactBytes(bytes, integerWidth(descriptor.typeCode));
      return value.empty() || n < 1 ? std::string() : integerText(descriptor.typeCode, value);
    }
    case TypeCode::kBinary:
    case TypeCode::kTimestamp: return checked.empty() ? std::string() : withPrefix(hexText(checked));
    case TypeCode::kHierarchyId: return read.empty() ? std::string() : withPrefix(hexText(read));
    case TypeCode::kVarBinary:
    case TypeCode::kGeometry: return hexText(read);
    case TypeCode::kClr: return hexText(checked);
    case TypeCode::kBit: return bitText(descriptor, bytes);
    case TypeCode::kChar:
      return codePageText(checked, codePageOfColumn(column.collationId, collation));
    case TypeCode::kVarChar:
    case TypeCode::kText: return codePageText(read, codePageOfColumn(column.collationId, collation));
    case TypeCode::kNChar: return utf16Text(checked);
    case TypeCode::kNVarChar: return utf16Text(read);
    case TypeCode::kNText: return looksLikeUtf16(read) ? utf16Text(read) : codePageText(read, 0);
    case TypeCode::kSqlVariant: return decodeVariantValue(descriptor, read);
    case TypeCode::kDateTime: return formatDateTime(exactBytes(bytes, 8));
    case TypeCode::kDate: return formatDate(exactBytes(bytes, 3));
    case TypeCode::kTime: return formatTime(stored, column.scale);
    case TypeCode::kDateTime2: return formatDateTime2(stored, column.scale);
    case TypeCode::kDateTimeOffset: return formatDateTimeOffset(stored, column.scale);
    case TypeCode::kMoney: return formatMoney(stored);
    case TypeCode::kSmallMoney: return formatSmallMoney(stored);
    case TypeCode::kFloat: return checked.size() < 8 ? std::string() : finiteOrZero(formatFloat(checked));
    case TypeCode::kReal: return checked.size() < 4 ? std::string() : finiteOrZero(formatReal(checked));
    case TypeCode::kNumeric:
    case TypeCode::kDecimal: return formatDecimal(stored, column.precision, column.scale);
    case TypeCode::kSmallDateTime: return formatSmallDateTime(exactBytes(bytes, 4));
    case TypeCode::kUniqueIdentifier: return formatGuid(checked);
    case TypeCode::kXml: {
      std::string text = convertXmlValue(read);
      return text.empty() ? std::string(1, ' ') : text;
    }
    case TypeCode::kUnassigned12:
    case TypeCode::kSysName:
    case TypeCode::kImage: return {};
  }
  return {};
}

}  // namespace

std::string decodeValue(ValueDescriptor& descriptor, Bytes bytes, const ColumnType& column,
                        const CollationContext& collation) {
  // A bit whose byte was taken by an earlier bit column needs no bytes.
  const bool bitPending = descriptor.typeCode == TypeCode::kBit && descriptor.bitCursor != nullptr &&
                          descriptor.bitCursor->loaded && !descriptor.bitCursor->atByteStart();
  if (bytes.empty() && !bitPending) return {};
  if (descriptor.variable) bytes = firstBytes(bytes, descriptor.readLength);
  descriptor.available = bytes.size();
  if (descriptor.storedLength == 0) descriptor.storedLength = column.byteLength;
  if (descriptor.readLength < 1 && descriptor.typeCode != TypeCode::kBit) return {};
  return decodeByCode(descriptor, bytes, column, collation);
}

}  // namespace pellora
