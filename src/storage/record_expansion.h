// Expanding a compressed record into the image that the row decoder reads
// like the fixed data of an uncompressed record: column after column, each
// value written at the running position with the width the table gives it.
#pragma once

#include "storage/compression_info.h"

namespace pellora {

constexpr size_t kExpandedImageSize = 4096;

// Replaces the record's fixed data by the expanded image and fills its
// per-column entries. Only primary records (kind 0) are expanded, and with a
// current table only those whose column count matches it. Without a current
// table no column is visited: the image is empty.
void expandCompressedRecord(CPrimaryRecord& record, const CompressionInfo& info, const PageContext& context);

// An integer-like value as stored (big-endian, sign bit flipped, leading
// bytes dropped) as the little-endian number that uncompressed rows hold.
uint64_t storedIntegerValue(Bytes stored);

}  // namespace pellora
