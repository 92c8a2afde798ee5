#include "platform/byte_text.h"

#include <algorithm>
#include <string_view>

#include "platform/codepage.h"

namespace pellora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isLeadSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isTrailSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

std::string hexText(Bytes bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(bytes.size() * 2, '0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return text;
}

std::string utf16Text(Bytes bytes) {
  std::string text;
  text.reserve(bytes.size() / 2);
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    const uint32_t unit = u16At(bytes, 2 * i);
    if (unit == 0) break;
    if (isLeadSurrogate(unit) && i + 1 < units && isTrailSurrogate(u16At(bytes, 2 * i + 2))) {
      const uint32_t trail = u16At(bytes, 2 * i + 2);
      appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00));
      ++i;
    } else if (isLeadSurrogate(unit) || isTrailSurrogate(unit)) {
      appendUtf8(text, kReplacement);
    } else {
      appendUtf8(text, unit);
    }
  }
  return text;
}

std::string codePageText(Bytes bytes, int codePage) {
  std::string_view chars(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const size_t end = chars.find('\0');
  if (end != std::string_view::npos) chars = chars.substr(0, end);
  // Every Windows code page keeps the ASCII characters where ASCII has them,
  // so plain ASCII text needs no converter.
  const bool ascii = std::all_of(chars.begin(), chars.end(), [](char c) { return (c & 0x80) == 0; });
  if (ascii) return std::string(chars);
  return decodeCodePage(chars, codePage != 0 ? codePage : ansiCodePage());
}

bool looksLikeUtf16(Bytes bytes) {
  if (bytes.size() < 2) return false;
  size_t zeros = 0;
  for (uint8_t byte : bytes) zeros += byte == 0 ? 1 : 0;
  return zeros == bytes.size() / 2;
}

}  // namespace pellora
