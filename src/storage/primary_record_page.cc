#include "storage/primary_record_page.h"

#include "storage/record.h"

namespace pellora {

namespace {
constexpr uint16_t kFirstRecordOffset = 96;
}

bool PrimaryRecordPage::yieldsNoRecords() const {
  return !hasSlotArray_ || header_.hasNegativeFields();
}

std::unique_ptr<CRecord> PrimaryRecordPage::recordAt(uint16_t offset, bool followStubs) const {
  if (offset < kFirstRecordOffset || offset >= kPageSize) return nullptr;
  return std::make_unique<CPrimaryRecord>(header_, bytes(), offset, kPageSize - offset, context_,
                                          followStubs);
}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, PageContext context)
    : RecordPage(std::move(buffer), context) {
  if (yieldsNoRecords()) return;
  bool nonLeafIndex = header_.pageType == 2 && header_.level != 0;
  bool allGhostsHidden = header_.ghostRecordCount >= header_.slotCount && !context_.showDeleted();
  records_.reserve(slots_.size());
  for (uint16_t offset : slots_) {
    if (nonLeafIndex || allGhostsHidden || context_.stopRequested()) {
      records_.push_back(nullptr);
    } else {
      records_.push_back(recordAt(offset, true));
    }
  }
}

PrimaryRecordPage::PrimaryRecordPage(PageBuffer buffer, PageContext context, int slot)
    : RecordPage(std::move(buffer), context) {
  if (!hasSlotArray_) {
    records_.push_back(nullptr);
    return;
  }
  if (slot < 0 || slot >= static_cast<int>(slots_.size()) || header_.hasNegativeFields()) return;
  records_.push_back(recordAt(slots_[static_cast<size_t>(slot)], false));
}

PrimaryRecordPage::~PrimaryRecordPage() = default;

}  // namespace pellora
