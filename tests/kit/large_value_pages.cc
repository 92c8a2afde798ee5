#include "kit/large_value_pages.h"

#include <algorithm>

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

constexpr uint16_t kRecordHeaderSize = 4;
constexpr uint16_t kSmallRootType = 0;
constexpr uint16_t kInternalType = 2;
constexpr uint16_t kDataFragmentType = 3;

void appendRowId(RecordBytes& out, RowId row) {
  appendU32(out, static_cast<uint32_t>(row.pageNumber));
  appendU16(out, static_cast<uint16_t>(row.fileId));
  appendU16(out, static_cast<uint16_t>(row.slot));
}

// Value id and structure type: the 10 bytes every structure starts with.
RecordBytes structureHeader(uint64_t valueId, uint16_t type) {
  RecordBytes fixed;
  appendU64(fixed, valueId);
  appendU16(fixed, type);
  return fixed;
}

// Capacity (the entry count), count and level (0), as the two list-holding
// structures keep them at fixed offsets 10, 12 and 14.
void appendListHeader(RecordBytes& fixed, size_t count) {
  appendU16(fixed, static_cast<uint16_t>(count));
  appendU16(fixed, static_cast<uint16_t>(count));
  appendU16(fixed, 0);
}

}  // namespace

RecordBytes largeValueRecord(Bytes fixed) {
  return largeValueRecord(fixed, static_cast<uint16_t>(kRecordHeaderSize + fixed.size()));
}

RecordBytes largeValueRecord(Bytes fixed, uint16_t storedLength) {
  RecordBytes record;
  appendU8(record, 0);
  appendU8(record, 0);
  appendU16(record, storedLength);
  appendBytes(record, fixed);
  return record;
}

RecordBytes smallRootRecord(Bytes data, uint64_t valueId) {
  return smallRootRecord(data, static_cast<uint16_t>(data.size()), valueId);
}

RecordBytes smallRootRecord(Bytes data, uint16_t storedDataLength, uint64_t valueId) {
  RecordBytes fixed = structureHeader(valueId, kSmallRootType);
  appendU16(fixed, storedDataLength);
  appendU32(fixed, 0);  // fixed offsets 12-15 lie before the data
  appendBytes(fixed, data);
  return largeValueRecord(fixed);
}

RecordBytes dataFragmentRecord(Bytes data, uint64_t valueId) {
  RecordBytes fixed = structureHeader(valueId, kDataFragmentType);
  appendBytes(fixed, data);
  return largeValueRecord(fixed);
}

RecordBytes internalRecord(const std::vector<RowId>& children, uint64_t valueId) {
  RecordBytes fixed = structureHeader(valueId, kInternalType);
  appendListHeader(fixed, children.size());
  for (const RowId& child : children) {
    appendU64(fixed, 0);
    appendRowId(fixed, child);
  }
  return largeValueRecord(fixed);
}

RecordBytes largeRootRecord(const std::vector<FragmentEntry>& fragments, uint16_t type, uint64_t valueId) {
  RecordBytes fixed = structureHeader(valueId, type);
  appendListHeader(fixed, fragments.size());
  appendU32(fixed, 0);  // fixed offsets 16-19 lie before the entries
  for (const FragmentEntry& fragment : fragments) {
    appendU32(fixed, static_cast<uint32_t>(fragment.length));
    appendRowId(fixed, fragment.row);
  }
  return largeValueRecord(fixed);
}

PageBuilder largeValuePage(PageId id, const std::vector<RecordBytes>& records, PageType type) {
  PageBuilder page;
  page.type(type).thisPage(id);
  for (const RecordBytes& record : records) page.addRecord(record);
  return page;
}

RecordBytes textPointer(RowId row) {
  RecordBytes pointer(8, 0);
  appendRowId(pointer, row);
  return pointer;
}

RecordBytes inRowRoot(const std::vector<FragmentEntry>& entries) {
  RecordBytes value(12, 0);
  for (const FragmentEntry& entry : entries) {
    appendU32(value, static_cast<uint32_t>(entry.length));
    appendRowId(value, entry.row);
  }
  return value;
}

// A page that tells its source when it goes, so that the source can say how
// many pages a reader held at once.
class MemoryLargeValueSource::HeldPage : public TextMixPage {
 public:
  HeldPage(PageBuffer buffer, int& held) : TextMixPage(std::move(buffer), PageContext{}), held_(held) {}
  ~HeldPage() override { --held_; }

 private:
  int& held_;
};

MemoryLargeValueSource& MemoryLargeValueSource::add(PageId id, const PageBuilder& page) {
  pages_[id] = page.build();
  return *this;
}

MemoryLargeValueSource& MemoryLargeValueSource::add(PageId id, const std::vector<RecordBytes>& records) {
  return add(id, largeValuePage(id, records));
}

std::unique_ptr<TextMixPage> MemoryLargeValueSource::page(PageId id) {
  ++fetches_;
  auto found = pages_.find(id);
  if (found == pages_.end()) return nullptr;
  mostHeld_ = std::max(mostHeld_, ++held_);
  return std::make_unique<HeldPage>(std::make_unique<PageBytes>(found->second), held_);
}

bool MemoryLargeValueSource::stopRequested() const { return stopAfter_ && fetches_ >= *stopAfter_; }

}  // namespace pellora::kit
