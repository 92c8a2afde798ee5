// UTF-16LE text as the data files store it (names in the boot page and the
// catalog), made from the UTF-8 literals that tests are written in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellora::kit {

// Malformed UTF-8 sequences become U+FFFD; code points above U+FFFF become
// surrogate pairs.
std::u16string utf16FromUtf8(std::string_view utf8);
// The code units as little-endian bytes, without a terminator.
std::vector<uint8_t> utf16leBytes(std::u16string_view units);
std::vector<uint8_t> utf16leBytes(std::string_view utf8);

}  // namespace pellora::kit
