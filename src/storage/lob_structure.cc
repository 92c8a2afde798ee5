#include "storage/lob_structure.h"

#include <algorithm>

#include "platform/byte_text.h"

namespace pellora {

namespace {

constexpr size_t kSmallRootLengthOffset = 10;
constexpr size_t kSmallRootDataOffset = 16;
constexpr size_t kCapacityOffset = 10;
constexpr size_t kCountOffset = 12;
constexpr size_t kLevelOffset = 14;
constexpr size_t kInternalEntriesOffset = 16;
constexpr size_t kInternalEntrySize = 16;
constexpr size_t kLargeRootEntriesOffset = 20;
constexpr size_t kLargeRootEntrySize = 12;

// Row ids are stored as page number (4), file id (2), slot (2).
RowId storedRowId(Bytes fixed, size_t offset) { return rowIdAt(fixed, offset); }

// Entries are read up to the stored count, and only while a whole entry
// lies within the fixed part: a count larger than the record stops at the
// last entry that is there.
template <typename Entry, typename Read>
std::vector<Entry> readEntries(Bytes fixed, size_t first, size_t width, Read read) {
  std::vector<Entry> entries;
  size_t count = u16At(fixed, kCountOffset);
  for (size_t i = 0; i < count; ++i) {
    size_t start = first + i * width;
    if (start >= kMaxStructureData || !fits(fixed, start, width)) break;
    entries.push_back(read(start));
  }
  return entries;
}

}  // namespace

LobStructureBase::~LobStructureBase() = default;

std::string LobStructureBase::text(int) const { return std::string(); }

std::string LobStructureBase::hex(size_t) const { return std::string(); }

SmallRoot::SmallRoot(const TextRecord& record) : LobStructureBase(record) {
  size_t length = u16At(record.fixed(), kSmallRootLengthOffset);
  if (length < 1 || length > kMaxStructureData) return;
  data_ = sliceOf(record.fixed(), kSmallRootDataOffset, length);
}

std::string SmallRoot::text(int codePage) const { return codePageText(data_, codePage); }

std::string SmallRoot::hex(size_t count) const { return hexText(data_.first(std::min(count, data_.size()))); }

LobSData::LobSData(const TextRecord& record) : LobStructureBase(record) {
  if (record.payloadLength < 1 || static_cast<size_t>(record.payloadLength) > kMaxStructureData) return;
  data_ = sliceOf(record.fixed(), kStructureBodyOffset, static_cast<size_t>(record.payloadLength));
}

std::string LobSData::text(int codePage) const { return codePageText(data_, codePage); }

std::string LobSData::hex(size_t count) const { return hexText(data_.first(std::min(count, data_.size()))); }

Internal::Internal(const TextRecord& record) : LobStructureBase(record) {
  Bytes fixed = record.fixed();
  capacity_ = u16At(fixed, kCapacityOffset);
  level_ = u16At(fixed, kLevelOffset);
  children_ = readEntries<InternalChild>(fixed, kInternalEntriesOffset, kInternalEntrySize, [&](size_t at) {
    return InternalChild{u64At(fixed, at), storedRowId(fixed, at + 8)};
  });
}

LargeRootYukon::LargeRootYukon(const TextRecord& record) : LobStructureBase(record) {
  Bytes fixed = record.fixed();
  capacity_ = u16At(fixed, kCapacityOffset);
  level_ = u16At(fixed, kLevelOffset);
  fragments_ =
      readEntries<FragmentReference>(fixed, kLargeRootEntriesOffset, kLargeRootEntrySize, [&](size_t at) {
        return FragmentReference{s32At(fixed, at), storedRowId(fixed, at + 4)};
      });
}

}  // namespace pellora
