#include "values/binary_xml_values.h"

#include <bit>
#include <cstdlib>
#include <string_view>

#include "platform/codepage.h"
#include "values/binary_xml_dates.h"
#include "values/binary_xml_numbers.h"
#include "values/binary_xml_tokens.h"

namespace pellora::binxml {

namespace {

bool readSigned(Cursor& in, size_t width, std::string& text) {
  uint64_t raw;
  if (!in.readUnsigned(width, raw)) return false;
  const unsigned unused = static_cast<unsigned>(64 - 8 * width);
  // Sign-extend through the top of the 64-bit value.
  text = std::to_string(static_cast<int64_t>(raw << unused) >> unused);
  return true;
}

bool readUnsignedText(Cursor& in, size_t width, std::string& text) {
  uint64_t raw;
  if (!in.readUnsigned(width, raw)) return false;
  text = std::to_string(raw);
  return true;
}

bool readMoney(Cursor& in, size_t width, std::string& text) {
  uint64_t raw;
  if (!in.readUnsigned(width, raw)) return false;
  const unsigned unused = static_cast<unsigned>(64 - 8 * width);
  text = moneyText(static_cast<int64_t>(raw << unused) >> unused);
  return true;
}

// Precision, scale and sign bytes, then a 4, 8, 12 or 16-byte magnitude; the
// length counts all of them. The precision is not needed to write the digits
// and is not checked, so a value damaged only there still reads.
bool readDecimal(Cursor& in, bool trimFraction, std::string& text) {
  uint32_t length;
  if (!in.readMb32(length)) return false;
  if (length != 7 && length != 11 && length != 15 && length != 19) return false;
  Bytes fields;
  if (!in.readBytes(length, fields)) return false;
  const unsigned scale = fields[1];
  const uint8_t sign = fields[2];
  if (scale > 38 || sign > 1) return false;
  text = decimalText(fields.subspan(3), scale, sign == 0, trimFraction);
  return true;
}

bool readFloat(Cursor& in, std::string& text) {
  uint32_t raw;
  if (!in.readU32(raw)) return false;
  text = floatText(std::bit_cast<float>(raw));
  return true;
}

bool readDouble(Cursor& in, std::string& text) {
  uint64_t raw;
  if (!in.readU64(raw)) return false;
  text = doubleText(std::bit_cast<double>(raw));
  return true;
}

bool readUuid(Cursor& in, std::string& text) {
  Bytes raw;
  if (!in.readBytes(16, raw)) return false;
  text = uuidText(raw);
  return true;
}

// The length counts the four code-page bytes too. Code page 1200 is UTF-16LE.
bool readCodePageText(Cursor& in, bool wideLength, std::string& text) {
  uint64_t length;
  if (wideLength) {
    if (!in.readMb64(length)) return false;
  } else {
    uint32_t narrow;
    if (!in.readMb32(narrow)) return false;
    length = narrow;
  }
  Bytes stored;
  if (length < 4 || !in.readBytes(static_cast<size_t>(length), stored)) return false;
  const uint32_t codePage = u32At(stored, 0);
  const Bytes raw = stored.subspan(4);
  if (codePage == kUtf16CodePage) {
    if (raw.size() % 2 != 0) return false;
    Cursor units(raw);
    return units.readUtf16(raw.size() / 2, text);
  }
  text = decodeCodePage(std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()),
                        static_cast<int>(codePage));
  return true;
}

bool readBinary(Cursor& in, bool wideLength, bool hex, std::string& text) {
  Bytes raw;
  if (!(wideLength ? in.readBlob64(raw) : in.readBlob(raw))) return false;
  text = hex ? upperHexText(raw) : base64Text(raw);
  return true;
}

bool readSqlDateTime(Cursor& in, std::string& text) {
  uint32_t days;
  uint32_t ticks;
  if (!in.readU32(days) || !in.readU32(ticks)) return false;
  text = sqlDateTimeText(static_cast<int32_t>(days), ticks);
  return true;
}

bool readSqlSmallDateTime(Cursor& in, std::string& text) {
  uint16_t days;
  uint16_t minutes;
  if (!in.readU16(days) || !in.readU16(minutes)) return false;
  text = sqlSmallDateTimeText(days, minutes);
  return true;
}

bool readPackedXsd(Cursor& in, bool (*render)(int64_t, std::string&), std::string& text) {
  uint64_t raw;
  if (!in.readU64(raw)) return false;
  return render(static_cast<int64_t>(raw), text);
}

// The version-2 building blocks: a scale byte and a 3 to 5-byte count of
// 10^-scale seconds, a 3-byte day number since 0001-01-01, a 2-byte signed
// zone in minutes. Time comes before date.
bool readTime2(Cursor& in, int64_t& ticks) {
  uint8_t scale;
  if (!in.readByte(scale) || scale > 7) return false;
  const size_t width = scale <= 2 ? 3 : scale <= 4 ? 4 : 5;
  uint64_t units;
  if (!in.readUnsigned(width, units)) return false;
  int64_t toTicks = 1;
  for (int i = scale; i < 7; ++i) toTicks *= 10;
  ticks = static_cast<int64_t>(units) * toTicks;
  return true;
}

bool readDate2(Cursor& in, int64_t& days) {
  uint64_t raw;
  if (!in.readUnsigned(3, raw)) return false;
  days = static_cast<int64_t>(raw);
  return true;
}

bool readZone(Cursor& in, int& minutes) {
  uint16_t raw;
  if (!in.readU16(raw)) return false;
  minutes = static_cast<int16_t>(raw);
  return std::abs(minutes) <= kMaxZoneMinutes;
}

bool readVersion2Date(uint8_t token, Cursor& in, std::string& text) {
  int64_t days;
  if (token == kXsdDate2) {
    if (!readDate2(in, days)) return false;
    text = date2Text(days);
    return true;
  }
  int64_t ticks;
  if (!readTime2(in, ticks) || !readDate2(in, days)) return false;
  switch (token) {
    case kXsdTime2:
      // The date part is always 1900-01-01; only the time is meant.
      text = time2Text(ticks);
      return true;
    case kXsdDateTime2:
      text = dateTime2Text(days, ticks);
      return true;
    default:
      break;
  }
  int zone;
  if (!readZone(in, zone)) return false;
  switch (token) {
    case kXsdTimeOffset: text = timeOffsetText(ticks, zone); return true;
    case kXsdDateTimeOffset: text = dateTimeOffsetText(days, ticks, zone); return true;
    case kXsdDateOffset: text = dateOffsetText(days, ticks, zone); return true;
    default: return false;
  }
}

bool readNonString(uint8_t token, Cursor& in, std::string& text) {
  uint8_t byte;
  switch (token) {
    case kSqlSmallInt: return readSigned(in, 2, text);
    case kSqlInt: return readSigned(in, 4, text);
    case kSqlBigInt: return readSigned(in, 8, text);
    // One-byte integers follow the types they stand for: SQL tinyint is
    // 0..255 and xs:byte is -128..127. (One description of the format has
    // the signs the other way round; the maker's reader agrees with this.)
    case kSqlTinyInt: return readUnsignedText(in, 1, text);
    case kXsdByte: return readSigned(in, 1, text);
    case kXsdUnsignedShort: return readUnsignedText(in, 2, text);
    case kXsdUnsignedInt: return readUnsignedText(in, 4, text);
    case kXsdUnsignedLong: return readUnsignedText(in, 8, text);
    case kSqlBit:
      // Anything but 0 or 1 is damage, shown as the number it is.
      return readUnsignedText(in, 1, text);
    case kXsdBoolean:
      if (!in.readByte(byte)) return false;
      text = byte == 0 ? "false" : "true";
      return true;
    case kSqlReal: return readFloat(in, text);
    case kSqlFloat: return readDouble(in, text);
    case kSqlMoney: return readMoney(in, 8, text);
    case kSqlSmallMoney: return readMoney(in, 4, text);
    case kSqlDecimal:
    case kSqlNumeric: return readDecimal(in, false, text);
    case kXsdDecimal: return readDecimal(in, true, text);
    case kSqlUuid: return readUuid(in, text);
    case kSqlBinary:
    case kSqlUdt:
    case kXsdBase64: return readBinary(in, false, false, text);
    case kSqlVarBinary:
    case kSqlImage: return readBinary(in, true, false, text);
    case kXsdBinHex: return readBinary(in, false, true, text);
    case kSqlDateTime: return readSqlDateTime(in, text);
    case kSqlSmallDateTime: return readSqlSmallDateTime(in, text);
    case kXsdDate: return readPackedXsd(in, xsdDateText, text);
    case kXsdDateTime: return readPackedXsd(in, xsdDateTimeText, text);
    case kXsdTime: return readPackedXsd(in, xsdTimeText, text);
    case kXsdTimeOffset:
    case kXsdDateTimeOffset:
    case kXsdDateOffset:
    case kXsdTime2:
    case kXsdDateTime2:
    case kXsdDate2: return readVersion2Date(token, in, text);
    default: return false;
  }
}

}  // namespace

bool readAtomicValue(uint8_t token, Cursor& in, AtomicValue& value) {
  value.isString = true;
  switch (token) {
    case kSqlNChar: return in.readText(value.text);
    case kSqlNVarChar:
    case kSqlNText: return in.readText64(value.text);
    case kSqlChar: return readCodePageText(in, false, value.text);
    case kSqlVarChar:
    case kSqlText: return readCodePageText(in, true, value.text);
    default:
      value.isString = false;
      return readNonString(token, in, value.text);
  }
}

}  // namespace pellora::binxml
