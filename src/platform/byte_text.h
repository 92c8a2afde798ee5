// Stored bytes of character and binary data as display text (UTF-8): the
// hexadecimal form of binary data, UTF-16LE text and 8-bit text in a Windows
// code page. In-row values and values gathered from large-value pages are
// rendered by the same functions, so both read alike.
#pragma once

#include <cstddef>
#include <string>

#include "platform/bytes.h"

namespace pellora {

// Two upper-case hexadecimal digits per byte, in stored order, no prefix.
std::string hexText(Bytes bytes);

// UTF-16LE text up to the first zero code unit or the end; an odd last byte
// is ignored and an unpaired surrogate becomes U+FFFD.
std::string utf16Text(Bytes bytes);

// 8-bit text in `codePage` (0: the ANSI code page) up to the first zero byte
// or the end.
std::string codePageText(Bytes bytes, int codePage);

// Whether bytes of unknown kind (ntext values) hold UTF-16 text: as many
// zero bytes as half their count, as Latin text in UTF-16 has. Fewer than two
// bytes cannot hold a UTF-16 character and are taken as 8-bit text.
bool looksLikeUtf16(Bytes bytes);

}  // namespace pellora
