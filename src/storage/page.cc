#include "storage/page.h"

#include "storage/record.h"

namespace pellora {

CPage::CPage(PageBuffer buffer, PageContext context)
    : context_(context), buffer_(std::move(buffer)) {
  if (!buffer_) buffer_ = std::make_unique<PageBytes>();  // a missing page reads as zeros
  header_ = CPage_Header(*buffer_);
}

CPage::~CPage() = default;

std::vector<uint16_t> readSlotArray(Bytes page, int16_t slotCount) {
  std::vector<uint16_t> slots;
  if (slotCount <= 0 || slotCount > kMaxSlotCount) return slots;
  slots.reserve(static_cast<size_t>(slotCount));
  for (int j = 0; j < slotCount; ++j) slots.push_back(u16At(page, kPageSize - 2 - 2 * j));
  return slots;
}

RecordPage::RecordPage(PageBuffer buffer, PageContext context)
    : CPage(std::move(buffer), context) {
  if (context_.stopRequested()) return;
  slots_ = readSlotArray(bytes(), header_.slotCount);
  hasSlotArray_ = !slots_.empty();
}

RecordPage::~RecordPage() = default;

}  // namespace pellora
