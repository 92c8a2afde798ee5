// The data pages of one table of a synthetic content database, filled in
// row order, either as the leaf level of a clustered index (pages linked
// both ways) or as a heap (pages not linked; a row that grew can move to
// another page behind a forwarding stub). Ghost rows keep their slots; rows
// whose slots were reclaimed leave only their bytes in the page body.
#pragma once

#include <cstdint>
#include <vector>

#include "kit/content_db_model.h"
#include "kit/content_db_pages.h"
#include "kit/content_db_table.h"
#include "kit/page_builder.h"

namespace pellora::kit {

enum class TableOrganisation { kClustered, kHeap };

class TablePages {
 public:
  TablePages(const ContentTable& table, ExtentAllocator& extents, int32_t headerObjectId,
             TableOrganisation organisation = TableOrganisation::kClustered,
             uint16_t headerIndexId = kUserUnitHeaderIndexId);

  // `row` in `state`: live rows and ghosts take the next slot. The bytes of a
  // carvable row go after the last record without a slot, on a page that
  // keeps slots (the engine carves no page without them); when the current
  // page has no room left it waits for the next page that has.
  void add(const std::vector<Cell>& row, RowState state);
  // A live row of a heap that was moved when it grew: a forwarding stub
  // takes its slot, and the row itself, pointing back at the stub, goes to
  // a page kept for moved rows.
  void addMoved(const std::vector<Cell>& row);

  // Writes every page; aborts when a carvable row found no page with room.
  void writeTo(DataFileBuilder& file);

  bool heap() const { return organisation_ == TableOrganisation::kHeap; }
  const ContentTable& table() const { return table_; }
  AllocationSegment& segment() { return segment_; }
  uint64_t liveRows() const { return liveRows_; }

 private:
  PageBuilder newPage();
  // The current page when `bytes` more fit on it, else a new one.
  PageBuilder& pageWithRoom(std::vector<PageBuilder>& pages, size_t bytes);
  void placeWaitingRows();

  const ContentTable& table_;
  AllocationSegment segment_;
  TableOrganisation organisation_;
  std::vector<PageBuilder> pages_;
  std::vector<int16_t> ghosts_;  // per page of pages_
  std::vector<PageBuilder> movedPages_;
  std::vector<std::vector<uint8_t>> waiting_;  // carvable rows without a page yet
  uint64_t liveRows_ = 0;
};

}  // namespace pellora::kit
