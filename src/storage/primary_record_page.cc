#include "storage/primary_record_page.h"

#include "storage/carving.h"
#include "storage/forwarded_row.h"
#include "storage/record.h"
#include "storage/record_expansion.h"

namespace pellora {

namespace {
constexpr uint16_t kFirstRecordOffset = 96;
constexpr int kMaxCarvedSlotCount = 8192;
}

bool PrimaryRecordPage::yieldsNoRecords() const {
  return !hasSlotArray_ || header_.hasNegativeFields();
}

bool PrimaryRecordPage::carvingApplies() const {
  return context_.carveDeleted() && context_.showDeleted() && hasSlotArray_ &&
         header_.slotCount <= kMaxCarvedSlotCount && !header_.hasNegativeFields();
}

void PrimaryRecordPage::carveDeletedRecords() {
  slots_ = carveRecordStarts(header_, bytes(), slots_, context_);
  // Readers of the page take the slot count from the header, so it counts
  // the carved slots too.
  header_.slotCount = static_cast<int16_t>(slots_.size());
}

std::unique_ptr<CRecord> PrimaryRecordPage::recordAt(uint16_t offset, bool followStubs) const {
  if (offset < kFirstRecordOffset || offset >= kPageSize) return nullptr;
  auto record = std::make_unique<CPrimaryRecord>(header_, bytes(), offset, kPageSize - offset, context_,
                                                 RecordReading{.followStubs = followStubs});
  if (record->compressed && !record->damaged && !context_.legacyCatalog()) {
    expandCompressedRecord(*record, compression_, context_);
  }
  return record;
}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, PageContext context)
    : RecordPage(std::move(buffer), context) {
  compression_ = readCompressionInfo(header_, bytes(), context_);
  storedSlotCount_ = slots_.size();
  if (carvingApplies()) carveDeletedRecords();
  if (yieldsNoRecords()) return;
  bool nonLeafIndex = header_.pageType == 2 && header_.level != 0;
  bool allGhostsHidden = header_.ghostRecordCount >= header_.slotCount && !context_.showDeleted();
  records_.reserve(slots_.size());
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (nonLeafIndex || allGhostsHidden || context_.stopRequested()) {
      records_.push_back(nullptr);
      continue;
    }
    std::unique_ptr<CRecord> record = recordAt(slots_[i], true);
    // A moved row is read at its stub; here it would be listed a second time.
    if (record && i < storedSlotCount_ && record->kind == kForwardedRecord &&
        isReadAtItsStub(*record, RowId{header_.thisPage.fileId, header_.thisPage.pageNumber, static_cast<int16_t>(i)},
                        context_)) {
      record = nullptr;
    }
    records_.push_back(std::move(record));
  }
}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, PageContext context, int slot)
    : RecordPage(std::move(buffer), context) {
  compression_ = readCompressionInfo(header_, bytes(), context_);
  storedSlotCount_ = slots_.size();
  if (!hasSlotArray_) {
    records_.push_back(nullptr);
    return;
  }
  if (slot < 0 || slot >= static_cast<int>(slots_.size()) || header_.hasNegativeFields()) return;
  records_.push_back(recordAt(slots_[static_cast<size_t>(slot)], false));
}

PrimaryRecordPage::~PrimaryRecordPage() = default;

}  // namespace pellora
