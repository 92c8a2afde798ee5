// Text conversion between the 8-bit Windows code pages that data files store
// char/varchar/text values in, and the UTF-8 used everywhere in memory. The
// UTF-16 helpers serve the log file, which is written as UTF-16LE.
#pragma once

#include <string>
#include <string_view>

namespace pellora {

// The Windows code page used when a value's own code page is unknown: 1252
// unless the user chose another.
void setAnsiCodePage(int codePage);
int ansiCodePage();

// `bytes` in Windows code page `codePage` as UTF-8. A code page that is not
// supported falls back to the ANSI code page. Bytes the code page does not
// map come out as a replacement character; this never fails.
std::string decodeCodePage(std::string_view bytes, int codePage);

// True when `codePage` has its own converter (no fallback happens).
bool isSupportedCodePage(int codePage);

// Ill-formed input becomes U+FFFD, one per maximal ill-formed subsequence.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace pellora
