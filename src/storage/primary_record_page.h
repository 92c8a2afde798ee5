// A record page whose slots hold primary records: each slot becomes one entry
// of the record list, empty where the slot holds nothing usable, so that
// entry i always belongs to slot i.
#pragma once

#include "storage/page.h"

namespace pellora {

class PrimaryRecordPage : public RecordPage {
 public:
  // Every slot.
  PrimaryRecordPage(PageBuffer buffer, PageContext context);
  // Only slot `slot` (used to follow a forwarding stub); the list then holds
  // at most that one entry.
  PrimaryRecordPage(PageBuffer buffer, PageContext context, int slot);
  ~PrimaryRecordPage() override;

 private:
  bool yieldsNoRecords() const;
  std::unique_ptr<CRecord> recordAt(uint16_t offset, bool followStubs) const;
};

}  // namespace pellora
