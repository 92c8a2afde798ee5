// Large values of a synthetic database as the engine keeps a varbinary(max)
// value too long for its row: data fragments of up to 8000 bytes packed on
// text/image pages (type 3) of the column's LOB allocation unit, and an
// in-row root in the row that names them, directly or through one level of
// internal nodes when there are more fragments than an in-row root holds.
#pragma once

#include <cstdint>
#include <vector>

#include "kit/content_db_pages.h"
#include "kit/large_value_pages.h"

namespace pellora::kit {

constexpr size_t kFragmentBytes = 8000;
constexpr size_t kInRowRootEntries = 5;

// In-row root: type 4, the level of the tree below it, then 12-byte entries
// of the value's length up to the end of the child, and the child's row id.
std::vector<uint8_t> inRowRootValue(uint8_t level, const std::vector<FragmentEntry>& cumulative);

class LargeValueWriter {
 public:
  explicit LargeValueWriter(AllocationSegment& segment) : segment_(segment) {}

  // Stores `value` and returns its in-row root.
  std::vector<uint8_t> store(const std::vector<uint8_t>& value);
  // Stores `value` as an ntext or image value is kept up to SQL Server
  // 2000, and returns the row's 16-byte text pointer to its root: a small
  // root holding the value when it fits one fragment, else a large root
  // naming its data fragments.
  std::vector<uint8_t> storeBehindTextPointer(const std::vector<uint8_t>& value);
  // A large root over `fragments` (already on their pages) and the text
  // pointer to it.
  std::vector<uint8_t> textPointerTo(const std::vector<FragmentEntry>& fragments);
  // The pages written so far, each numbered; taking them empties the writer.
  std::vector<PageBuilder> takePages();

 private:
  RowId place(const RecordBytes& record);

  AllocationSegment& segment_;
  std::vector<PageBuilder> pages_;
  std::vector<PageBuilder> done_;
  uint64_t nextValueId_ = 1;
};

}  // namespace pellora::kit
