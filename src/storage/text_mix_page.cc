#include "storage/text_mix_page.h"

namespace pellora {

namespace {
// Records start after the page header; an offset inside the header would
// read header fields as a record.
constexpr uint16_t kFirstRecordOffset = 96;
}  // namespace

TextMixPage::TextMixPage(PageBuffer buffer, PageContext context)
    : RecordPage(std::move(buffer), context) {
  records_.reserve(slots_.size());
  for (uint16_t offset : slots_) {
    if (offset < kFirstRecordOffset || offset >= kPageSize) {
      records_.push_back(nullptr);
      continue;
    }
    records_.push_back(std::make_unique<TextRecord>(sliceOf(bytes(), offset, kPageSize - offset)));
  }
}

TextMixPage::~TextMixPage() = default;

const TextRecord* TextMixPage::record(int slot) const {
  if (slot < 0 || static_cast<size_t>(slot) >= records_.size()) return nullptr;
  // Only TextRecords are ever put in this page's list.
  return static_cast<const TextRecord*>(records_[static_cast<size_t>(slot)].get());
}

}  // namespace pellora
