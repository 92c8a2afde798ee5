// Damage for robustness tests: a content database with pages zeroed, bits
// flipped, its pages shifted by a 4096-byte lead and its end cut off, as
// disks and copies leave real files. The damage follows from the seed.
#pragma once

#include <cstdint>
#include <string>

#include "kit/data_file_builder.h"

namespace pellora::kit {

// Zeroes and flips bits in pages of `file` after its first 16 (the file
// header, allocation pages and boot page stay readable, so the file is still
// taken for a data file) and puts a 4096-byte lead before its first page.
void damageFile(DataFileBuilder& file, uint64_t seed);

// Cuts the written file's last 3 pages: whole pages, so that the lead is
// still what the file length leaves over.
bool truncateDamagedFile(const std::string& path, std::string* error);

}  // namespace pellora::kit
