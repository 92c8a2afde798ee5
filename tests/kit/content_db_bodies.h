// The bodies of the synthetic documents: bytes of the document's size that
// begin as a file of its type begins (a ZIP header for Office files, %PDF,
// the PNG signature, ...), made from the document's seed so a test can make
// them again and compare.
#pragma once

#include <cstdint>
#include <vector>

#include "kit/content_db_model.h"

namespace pellora::kit {

std::vector<uint8_t> documentBody(const ContentDoc& doc);

// One 8000-byte block that the padding documents' bodies repeat.
std::vector<uint8_t> paddingBlock();

}  // namespace pellora::kit
