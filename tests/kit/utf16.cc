#include "kit/utf16.h"

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The number of continuation bytes that follow `lead`, or -1 for a byte that
// cannot start a sequence.
int continuationCount(uint8_t lead) {
  if (lead < 0x80) return 0;
  if ((lead & 0xE0) == 0xC0) return 1;
  if ((lead & 0xF0) == 0xE0) return 2;
  if ((lead & 0xF8) == 0xF0) return 3;
  return -1;
}

// Decodes the code point at `i` and advances `i` past it.
char32_t nextCodePoint(std::string_view s, size_t& i) {
  uint8_t lead = static_cast<uint8_t>(s[i++]);
  int more = continuationCount(lead);
  if (more < 0) return kReplacement;
  if (more == 0) return lead;
  char32_t cp = lead & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    if (i >= s.size() || (static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (static_cast<uint8_t>(s[i++]) & 0x3F);
  }
  return cp > 0x10FFFF ? kReplacement : cp;
}

}  // namespace

std::u16string utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = nextCodePoint(utf8, i);
    if (cp < 0x10000) {
      out.push_back(static_cast<char16_t>(cp));
    } else {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
  }
  return out;
}

std::vector<uint8_t> utf16leBytes(std::u16string_view units) {
  std::vector<uint8_t> out;
  out.reserve(units.size() * 2);
  for (char16_t unit : units) appendU16(out, static_cast<uint16_t>(unit));
  return out;
}

std::vector<uint8_t> utf16leBytes(std::string_view utf8) { return utf16leBytes(utf16FromUtf8(utf8)); }

}  // namespace pellora::kit
