// A record page whose slots hold primary records: each slot becomes one entry
// of the record list, empty where the slot holds nothing usable, so that
// entry i always belongs to slot i.
#pragma once

#include "storage/compression_info.h"
#include "storage/page.h"

namespace pellora {

class PrimaryRecordPage : public RecordPage {
 public:
  // Every slot. With "Show deleted records" and "Show Advanced Deleted
  // records" both on, the page is first carved for deleted rows: their starts
  // become further slots after the page's own, so slots(), records() and
  // header().slotCount all cover them. A forwarded row whose stub still
  // points at it gets an empty entry: its row is read at the stub.
  PrimaryRecordPage(PageBuffer buffer, PageContext context);
  // Only slot `slot` (used to follow a forwarding stub); the list then holds
  // at most that one entry. Never carves.
  PrimaryRecordPage(PageBuffer buffer, PageContext context, int slot);
  ~PrimaryRecordPage() override;

  const CompressionInfo& compressionInfo() const { return compression_; }
  // Slots the page's own slot array holds; slots from this index on were
  // found by carving.
  size_t storedSlotCount() const { return storedSlotCount_; }

 private:
  bool yieldsNoRecords() const;
  bool carvingApplies() const;
  void carveDeletedRecords();
  std::unique_ptr<CRecord> recordAt(uint16_t offset, bool followStubs) const;

  CompressionInfo compression_;
  size_t storedSlotCount_ = 0;
};

}  // namespace pellora
