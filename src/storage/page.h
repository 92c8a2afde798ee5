// CPage, the base of every page object, and RecordPage, which adds the slot
// array that grows backwards from the end of the page.
#pragma once

#include <memory>
#include <vector>

#include "storage/expansion_column.h"
#include "storage/page_header.h"
#include "storage/run_flags.h"

namespace pellora {

class DatabaseFile;
class CRecord;

using PageBuffer = std::unique_ptr<PageBytes>;

// What a page needs besides its bytes: the file it came from (for following
// forwarding stubs; may be null for pages built in memory), the run flags, and
// the columns of the table being read, which compressed records need to be
// expanded (null while no table is read: compressed records then expand to
// an empty image).
struct PageContext {
  DatabaseFile* file = nullptr;
  const RunFlags* flags = nullptr;
  const ExpansionTable* currentTable = nullptr;

  bool stopRequested() const { return flags && flags->stopRequested(); }
  bool showDeleted() const { return flags && flags->showDeleted.load(); }
  bool carveDeleted() const { return flags && flags->carveDeleted.load(); }
  bool legacyCatalog() const { return flags && flags->legacyCatalog.load(); }
};

constexpr int kMaxSlotCount = 3999;

class CPage {
 public:
  CPage(PageBuffer buffer, PageContext context);
  virtual ~CPage();
  CPage(const CPage&) = delete;
  CPage& operator=(const CPage&) = delete;

  const CPage_Header& header() const { return header_; }
  Bytes bytes() const { return {buffer_->data(), buffer_->size()}; }
  const PageContext& context() const { return context_; }

 protected:
  CPage_Header header_;
  PageContext context_;
  PageBuffer buffer_;
};

class RecordPage : public CPage {
 public:
  RecordPage(PageBuffer buffer, PageContext context);
  ~RecordPage() override;

  // Offsets of the slots; empty when the slot count is outside 1..3999.
  const std::vector<uint16_t>& slots() const { return slots_; }
  bool hasSlotArray() const { return hasSlotArray_; }
  // One entry per slot; an empty entry where the slot holds no usable record.
  const std::vector<std::unique_ptr<CRecord>>& records() const { return records_; }

 protected:
  std::vector<uint16_t> slots_;
  bool hasSlotArray_ = false;
  std::vector<std::unique_ptr<CRecord>> records_;
};

// Reads the slot array of a parsed page: slot j is the 16-bit value at
// 8190 - 2j. Empty when the count is out of range or a stop was requested.
std::vector<uint16_t> readSlotArray(Bytes page, int16_t slotCount);

}  // namespace pellora
