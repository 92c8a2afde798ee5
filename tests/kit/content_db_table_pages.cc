#include "kit/content_db_table_pages.h"

#include <cstdio>
#include <cstdlib>

#include "kit/record_builder.h"

namespace pellora::kit {

namespace {

constexpr int kGhostKind = 6;
constexpr size_t kSlotSize = 2;
constexpr size_t kStubSize = 9;

bool hasRoom(const PageBuilder& page, size_t bytes) {
  return page.appendOffset() + bytes + kSlotSize * static_cast<size_t>(page.currentSlotCount()) <= kPageSize;
}

int32_t pageNumberOf(const PageBuilder& page) { return s32At(page.trueImage(), 32); }

}  // namespace

TablePages::TablePages(const ContentTable& table, ExtentAllocator& extents, int32_t headerObjectId,
                       TableOrganisation organisation, uint16_t headerIndexId)
    : table_(table), segment_(extents, headerObjectId, headerIndexId), organisation_(organisation) {}

PageBuilder TablePages::newPage() {
  PageBuilder page;
  page.type(PageType::kData).thisPage(segment_.nextPage()).objectId(segment_.headerObjectId());
  page.indexId(segment_.headerIndexId());
  return page;
}

PageBuilder& TablePages::pageWithRoom(std::vector<PageBuilder>& pages, size_t bytes) {
  if (pages.empty() || !hasRoom(pages.back(), bytes)) {
    pages.push_back(newPage());
    if (&pages == &pages_) ghosts_.push_back(0);
  }
  return pages.back();
}

void TablePages::add(const std::vector<Cell>& row, RowState state) {
  const bool ghost = state != RowState::kLive;
  std::vector<uint8_t> record = table_.record(row, ghost ? kGhostKind : 0);
  if (state == RowState::kCarvable) {
    waiting_.push_back(std::move(record));
  } else {
    pageWithRoom(pages_, record.size() + kSlotSize).addRecord(Bytes(record.data(), record.size()));
    if (ghost) ++ghosts_.back();
    else ++liveRows_;
  }
  placeWaitingRows();
}

void TablePages::placeWaitingRows() {
  if (pages_.empty() || pages_.back().currentSlotCount() <= 0) return;
  PageBuilder& page = pages_.back();
  std::erase_if(waiting_, [&](const std::vector<uint8_t>& record) {
    if (!hasRoom(page, record.size())) return false;
    page.addUnslottedRecord(Bytes(record.data(), record.size()));
    return true;
  });
}

void TablePages::addMoved(const std::vector<Cell>& row) {
  if (!heap()) {
    std::fprintf(stderr, "kit: rows of %s cannot move: only heap rows are forwarded\n", table_.name().c_str());
    std::abort();
  }
  PageBuilder& home = pageWithRoom(pages_, kStubSize + kSlotSize);
  const RowId stub{1, pageNumberOf(home), home.currentSlotCount()};
  const std::vector<uint8_t> record = table_.forwardedRecord(row, stub);
  PageBuilder& away = pageWithRoom(movedPages_, record.size() + kSlotSize);
  const RowId target{1, pageNumberOf(away), away.currentSlotCount()};
  away.addRecord(Bytes(record.data(), record.size()));
  const std::vector<uint8_t> pointer = forwardingStub(target);
  home.addRecord(Bytes(pointer.data(), pointer.size()));
  ++liveRows_;
  placeWaitingRows();
}

void TablePages::writeTo(DataFileBuilder& file) {
  // Rows still waiting go to any earlier page with room.
  for (const std::vector<uint8_t>& record : waiting_) {
    bool placed = false;
    for (PageBuilder& page : pages_) {
      if (placed || page.currentSlotCount() <= 0 || !hasRoom(page, record.size())) continue;
      page.addUnslottedRecord(Bytes(record.data(), record.size()));
      placed = true;
    }
    if (!placed) {
      std::fprintf(stderr, "kit: no page of %s has room for a row whose slot was reclaimed\n", table_.name().c_str());
      std::abort();
    }
  }
  waiting_.clear();
  for (size_t i = 0; i < pages_.size(); ++i) {
    PageBuilder& page = pages_[i];
    if (ghosts_[i] > 0) page.ghostRecordCount(ghosts_[i]);
    if (!heap() && i > 0) page.previousPage({1, pageNumberOf(pages_[i - 1])});
    if (!heap() && i + 1 < pages_.size()) page.nextPage({1, pageNumberOf(pages_[i + 1])});
    file.setPage(static_cast<uint64_t>(pageNumberOf(page)), page);
  }
  for (const PageBuilder& page : movedPages_) file.setPage(static_cast<uint64_t>(pageNumberOf(page)), page);
}

}  // namespace pellora::kit
