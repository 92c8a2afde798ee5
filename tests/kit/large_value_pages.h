// Large-value records and pages, the references that name them from a row
// (16-byte text pointers and in-row roots), and an in-memory page source, so
// that a value's tree of structures can be laid out node by node and broken
// in one place.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "kit/page_builder.h"
#include "storage/large_value_source.h"
#include "storage/page_id.h"

namespace pellora::kit {

using RecordBytes = std::vector<uint8_t>;

// A large-value record: status A, status B, the stored length (4 + fixed
// size), then `fixed`.
RecordBytes largeValueRecord(Bytes fixed);
// The same with `storedLength` at bytes 2-3 whatever `fixed` holds, for
// records whose fixed part is shorter or longer than they claim.
RecordBytes largeValueRecord(Bytes fixed, uint16_t storedLength);

// Type 0: data length at fixed offset 10, data from 16.
RecordBytes smallRootRecord(Bytes data, uint64_t valueId = 1);
// As above with `storedDataLength` in the length field.
RecordBytes smallRootRecord(Bytes data, uint16_t storedDataLength, uint64_t valueId);
// Type 3: the data right after the 10-byte structure header.
RecordBytes dataFragmentRecord(Bytes data, uint64_t valueId = 1);
// Type 2: count at 12, then per child an 8-byte offset and its row id. The
// reader does not use the offsets, so they are written as zero.
RecordBytes internalRecord(const std::vector<RowId>& children, uint64_t valueId = 1);

struct FragmentEntry {
  int32_t length = 0;
  RowId row;
};

// Types 4, 5, 6: count at 12, 12-byte entries from 20.
RecordBytes largeRootRecord(const std::vector<FragmentEntry>& fragments, uint16_t type = 5,
                            uint64_t valueId = 1);

// A large-value page numbered `id`; record i goes into slot i.
PageBuilder largeValuePage(PageId id, const std::vector<RecordBytes>& records,
                           PageType type = PageType::kTextMix);

// 8 bytes of text timestamp (zeros), then the row id.
RecordBytes textPointer(RowId row);
// A 12-byte header (zeros), then the entries as length, row id.
RecordBytes inRowRoot(const std::vector<FragmentEntry>& entries);

// Pages by id, handed out as TextMixPages whatever their header says: the
// checks of page number and type belong to the file source.
class MemoryLargeValueSource : public LargeValueSource {
 public:
  MemoryLargeValueSource& add(PageId id, const PageBuilder& page);
  // largeValuePage(id, records) under `id`.
  MemoryLargeValueSource& add(PageId id, const std::vector<RecordBytes>& records);

  std::unique_ptr<TextMixPage> page(PageId id) override;
  bool stopRequested() const override;

  // stopRequested() turns true once `fetches` pages were asked for.
  void stopAfter(int fetches) { stopAfter_ = fetches; }

  // Pages asked for, found or not.
  int fetches() const { return fetches_; }
  // The most pages handed out and not yet released at one time.
  int mostPagesHeld() const { return mostHeld_; }

 private:
  class HeldPage;

  std::map<PageId, PageBytes> pages_;
  int fetches_ = 0;
  int held_ = 0;
  int mostHeld_ = 0;
  std::optional<int> stopAfter_;
};

}  // namespace pellora::kit
