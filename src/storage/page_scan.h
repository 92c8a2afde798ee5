// Sequential passes over the pages of a data file. The file is read forward in
// large blocks with read-ahead advice, not one page-sized call per page, so a
// pass costs little more than a plain read of the file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/bytes.h"
#include "platform/read_only_file.h"
#include "storage/page_id.h"

namespace pellora {

// Calls `visit(position, pageBytes)` for positions first..last inclusive of
// the file whose position 0 lies at byte `dataStart`. A page cut short by the
// end of the file reads as zeros after its last byte; positions wholly past the
// end read as all zeros. The pass ends early when `visit` returns false.
template <typename Visit>
void scanPages(const ReadOnlyFile& file, uint64_t dataStart, uint64_t first, uint64_t last, Visit&& visit) {
  constexpr uint64_t kPagesPerBlock = 128;  // 1 MiB reads
  if (first > last) return;
  file.adviseSequential();
  std::vector<uint8_t> block(kPagesPerBlock * kPageSize);
  for (uint64_t blockFirst = first; blockFirst <= last; blockFirst += kPagesPerBlock) {
    uint64_t pages = std::min<uint64_t>(kPagesPerBlock, last - blockFirst + 1);
    size_t wanted = static_cast<size_t>(pages * kPageSize);
    size_t got = file.readAt(dataStart + blockFirst * kPageSize, block.data(), wanted);
    if (got < wanted) std::memset(block.data() + got, 0, wanted - got);
    for (uint64_t i = 0; i < pages; ++i) {
      Bytes page(block.data() + i * kPageSize, kPageSize);
      if (!visit(blockFirst + i, page)) return;
    }
  }
}

// Reports progress about a hundred times per pass.
inline uint64_t progressStep(uint64_t pageCount) {
  return pageCount == 0 ? 1 : (pageCount + 99) / 100;
}

}  // namespace pellora
