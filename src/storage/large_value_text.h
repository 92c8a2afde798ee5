// Turning the bytes of a large value into display text. The choice of form
// belongs to the row decoder, which knows the column's type and code page;
// this file only carries the choice out, always over the whole value.
#pragma once

#include <cstddef>
#include <string>

#include "platform/byte_text.h"

namespace pellora {

enum class ValueForm {
  kCodePageText,  // 8-bit text in a Windows code page
  kUnicodeText,   // UTF-16LE text
  kBinaryHex,     // two uppercase hexadecimal digits per byte
};

// Even length with every high byte zero: UTF-16 text of Latin-1 characters,
// as values stored without the Unicode mark sometimes are.
bool looksLikeLatinUtf16(Bytes bytes);

// `bytes` in `form`. Code-page text that looks like UTF-16 is read as UTF-16.
std::string renderValue(Bytes bytes, ValueForm form, int codePage);

}  // namespace pellora
