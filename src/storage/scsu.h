// Unicode values of compressed records are kept in the Standard Compression
// Scheme for Unicode (Unicode Technical Standard #6); the expansion turns them
// back into the UTF-16LE bytes that uncompressed rows hold.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/bytes.h"

namespace pellora {

// `scsu` decoded to UTF-16LE bytes. Bytes that do not decode become U+FFFD;
// when no decoder can be opened the bytes come back unchanged.
std::vector<uint8_t> scsuToUtf16le(Bytes scsu);

}  // namespace pellora
