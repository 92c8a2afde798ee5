#include "kit/content_db_large_values.h"

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

constexpr uint8_t kInRowRootType = 4;
constexpr uint16_t kInternalType = 2;
constexpr uint16_t kLargeRootType = 5;
// Children of one internal node: its record must fit a page.
constexpr size_t kInternalChildren = 480;

void appendRowId(std::vector<uint8_t>& out, RowId row) {
  appendU32(out, static_cast<uint32_t>(row.pageNumber));
  appendU16(out, static_cast<uint16_t>(row.fileId));
  appendU16(out, static_cast<uint16_t>(row.slot));
}

bool fits(const PageBuilder& page, size_t recordSize) {
  return page.appendOffset() + recordSize + 2 * (static_cast<size_t>(page.currentSlotCount()) + 1) <= kPageSize;
}

}  // namespace

std::vector<uint8_t> inRowRootValue(uint8_t level, const std::vector<FragmentEntry>& cumulative) {
  std::vector<uint8_t> value(12, 0);
  value[0] = kInRowRootType;
  value[1] = level;
  value[4] = 1;  // the update sequence
  for (const FragmentEntry& entry : cumulative) {
    appendU32(value, static_cast<uint32_t>(entry.length));
    appendRowId(value, entry.row);
  }
  return value;
}

RowId LargeValueWriter::place(const RecordBytes& record) {
  if (pages_.empty() || !fits(pages_.back(), record.size())) {
    if (!pages_.empty()) {
      done_.push_back(std::move(pages_.back()));
      pages_.clear();
    }
    const PageId id = segment_.nextPage();
    PageBuilder page;
    page.type(PageType::kTextMix).thisPage(id).objectId(segment_.headerObjectId()).indexId(segment_.headerIndexId());
    pages_.push_back(std::move(page));
  }
  PageBuilder& page = pages_.back();
  const int16_t slot = page.currentSlotCount();
  page.addRecord(Bytes(record.data(), record.size()));
  return RowId{1, s32At(page.trueImage(), 32), slot};
}

std::vector<uint8_t> LargeValueWriter::store(const std::vector<uint8_t>& value) {
  const uint64_t valueId = nextValueId_++;
  std::vector<FragmentEntry> fragments;
  for (size_t at = 0; at < value.size(); at += kFragmentBytes) {
    const size_t length = std::min(kFragmentBytes, value.size() - at);
    const RowId row = place(dataFragmentRecord(Bytes(value.data() + at, length), valueId));
    fragments.push_back({static_cast<int32_t>(at + length), row});
  }
  if (fragments.size() <= kInRowRootEntries) return inRowRootValue(0, fragments);
  // More fragments than the root holds: internal nodes between them.
  std::vector<FragmentEntry> nodes;
  for (size_t first = 0; first < fragments.size(); first += kInternalChildren) {
    const size_t last = std::min(fragments.size(), first + kInternalChildren);
    RecordBytes fixed;
    appendU64(fixed, valueId);
    appendU16(fixed, kInternalType);
    appendU16(fixed, static_cast<uint16_t>(last - first));  // capacity
    appendU16(fixed, static_cast<uint16_t>(last - first));  // count
    appendU16(fixed, 0);                                    // level
    for (size_t i = first; i < last; ++i) {
      appendU64(fixed, static_cast<uint64_t>(fragments[i].length));
      appendRowId(fixed, fragments[i].row);
    }
    nodes.push_back({fragments[last - 1].length, place(largeValueRecord(Bytes(fixed.data(), fixed.size())))});
  }
  return inRowRootValue(1, nodes);
}

std::vector<uint8_t> LargeValueWriter::storeBehindTextPointer(const std::vector<uint8_t>& value) {
  if (value.size() <= kFragmentBytes) {
    return textPointer(place(smallRootRecord(Bytes(value.data(), value.size()), nextValueId_++)));
  }
  const uint64_t valueId = nextValueId_;
  std::vector<FragmentEntry> fragments;
  for (size_t at = 0; at < value.size(); at += kFragmentBytes) {
    const size_t length = std::min(kFragmentBytes, value.size() - at);
    fragments.push_back({static_cast<int32_t>(at + length),
                         place(dataFragmentRecord(Bytes(value.data() + at, length), valueId))});
  }
  return textPointerTo(fragments);
}

std::vector<uint8_t> LargeValueWriter::textPointerTo(const std::vector<FragmentEntry>& fragments) {
  return textPointer(place(largeRootRecord(fragments, kLargeRootType, nextValueId_++)));
}

std::vector<PageBuilder> LargeValueWriter::takePages() {
  std::vector<PageBuilder> out = std::move(done_);
  done_.clear();
  for (PageBuilder& page : pages_) out.push_back(std::move(page));
  pages_.clear();
  return out;
}

}  // namespace pellora::kit
