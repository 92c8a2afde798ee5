#include "values/binary_xml_cursor.h"

#include <cstdint>
#include <limits>

#include "platform/codepage.h"

namespace pellora::binxml {

bool Cursor::peekByte(uint8_t& value) const {
  if (atEnd()) return false;
  value = bytes_[offset_];
  return true;
}

bool Cursor::readByte(uint8_t& value) {
  if (!peekByte(value)) {
    ranOut_ = true;
    return false;
  }
  ++offset_;
  return true;
}

bool Cursor::readBytes(size_t count, Bytes& bytes) {
  if (count > remaining()) {
    ranOut_ = true;
    return false;
  }
  bytes = bytes_.subspan(offset_, count);
  offset_ += count;
  return true;
}

bool Cursor::skip(size_t count) {
  Bytes skipped;
  return readBytes(count, skipped);
}

bool Cursor::readUnsigned(size_t width, uint64_t& value) {
  Bytes raw;
  if (width > 8 || !readBytes(width, raw)) return false;
  value = 0;
  for (size_t i = width; i-- > 0;) value = (value << 8) | raw[i];
  return true;
}

bool Cursor::readU16(uint16_t& value) {
  uint64_t wide;
  if (!readUnsigned(2, wide)) return false;
  value = static_cast<uint16_t>(wide);
  return true;
}

bool Cursor::readU32(uint32_t& value) {
  uint64_t wide;
  if (!readUnsigned(4, wide)) return false;
  value = static_cast<uint32_t>(wide);
  return true;
}

bool Cursor::readU64(uint64_t& value) { return readUnsigned(8, value); }

bool Cursor::readMultiByte(int maxBytes, uint64_t maxValue, uint64_t& value) {
  const size_t start = offset_;
  uint64_t result = 0;
  for (int i = 0; i < maxBytes; ++i) {
    uint8_t byte;
    if (!readByte(byte)) break;
    const uint64_t group = byte & 0x7F;
    const int shift = 7 * i;
    // The last group may only fill the bits the signed width leaves.
    if (shift > 0 && group > (maxValue >> shift)) break;
    result |= group << shift;
    if ((byte & 0x80) == 0) {
      if (result > maxValue) break;
      value = result;
      return true;
    }
  }
  offset_ = start;
  return false;
}

bool Cursor::readMb32(uint32_t& value) {
  uint64_t wide;
  if (!readMultiByte(5, std::numeric_limits<int32_t>::max(), wide)) return false;
  value = static_cast<uint32_t>(wide);
  return true;
}

bool Cursor::readMb64(uint64_t& value) {
  return readMultiByte(10, std::numeric_limits<int64_t>::max(), value);
}

bool Cursor::readUtf16(uint64_t count, std::string& utf8) {
  Bytes raw;
  if (count > remaining() / 2) {
    ranOut_ = true;
    return false;
  }
  readBytes(static_cast<size_t>(count) * 2, raw);
  std::u16string units(static_cast<size_t>(count), u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
  }
  utf8 = utf16ToUtf8(units);
  return true;
}

bool Cursor::readText(std::string& utf8) {
  const size_t start = offset_;
  uint32_t count;
  if (readMb32(count) && readUtf16(count, utf8)) return true;
  offset_ = start;
  return false;
}

bool Cursor::readText64(std::string& utf8) {
  const size_t start = offset_;
  uint64_t count;
  if (readMb64(count) && readUtf16(count, utf8)) return true;
  offset_ = start;
  return false;
}

bool Cursor::readBlob(Bytes& bytes) {
  const size_t start = offset_;
  uint32_t count;
  if (readMb32(count) && readBytes(count, bytes)) return true;
  offset_ = start;
  return false;
}

bool Cursor::readBlob64(Bytes& bytes) {
  const size_t start = offset_;
  uint64_t count;
  if (readMb64(count)) {
    if (count > remaining()) {
      ranOut_ = true;
    } else if (readBytes(static_cast<size_t>(count), bytes)) {
      return true;
    }
  }
  offset_ = start;
  return false;
}

}  // namespace pellora::binxml
