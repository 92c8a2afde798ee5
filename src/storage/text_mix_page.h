// TextMixPage: a large-value page (text/image page of type 3 or 4). Each
// slot becomes one TextRecord, or an empty entry where the slot holds none,
// so that entry i always belongs to slot i.
#pragma once

#include <cstdint>

#include "storage/page.h"
#include "storage/text_record.h"

namespace pellora {

constexpr uint32_t kTextMixPageType = 3;
constexpr uint32_t kTextTreePageType = 4;

inline bool isLargeValuePageType(uint32_t type) {
  return type == kTextMixPageType || type == kTextTreePageType;
}

class TextMixPage : public RecordPage {
 public:
  TextMixPage(PageBuffer buffer, PageContext context);
  ~TextMixPage() override;

  // The record of `slot`; null for a slot outside the list or an empty entry.
  const TextRecord* record(int slot) const;
};

}  // namespace pellora
