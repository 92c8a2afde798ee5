#include "storage/page_scan.h"

#include <cstring>
#include <vector>

#include "storage/page_id.h"

namespace pellora {

namespace {
constexpr uint64_t kPagesPerBlock = 128;  // 1 MiB reads
}

void scanPages(const ReadOnlyFile& file, uint64_t dataStart, uint64_t first, uint64_t last,
               const std::function<bool(uint64_t, Bytes)>& visit) {
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

}  // namespace pellora
