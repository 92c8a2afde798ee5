// Sequential passes over the pages of a data file. The file is read forward in
// large blocks with read-ahead advice, not one page-sized call per page, so a
// pass costs little more than a plain read of the file.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/bytes.h"
#include "platform/read_only_file.h"

namespace pellora {

// Calls `visit(position, pageBytes)` for positions first..last inclusive of
// the file whose position 0 lies at byte `dataStart`. A page cut short by the
// end of the file reads as zeros after its last byte; positions wholly past the
// end read as all zeros. The pass ends early when `visit` returns false.
void scanPages(const ReadOnlyFile& file, uint64_t dataStart, uint64_t first, uint64_t last,
               const std::function<bool(uint64_t, Bytes)>& visit);

// Reports progress about a hundred times per pass.
inline uint64_t progressStep(uint64_t pageCount) {
  return pageCount == 0 ? 1 : (pageCount + 99) / 100;
}

}  // namespace pellora
