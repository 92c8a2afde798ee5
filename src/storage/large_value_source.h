// Where the large-value reader gets its pages from. The reader asks for each
// page it needs by id and releases it before asking for the next one, so a
// value touches only the pages its own references name.
#pragma once

#include <memory>

#include "storage/page_id.h"
#include "storage/text_mix_page.h"

namespace pellora {

class DatabaseFile;

class LargeValueSource {
 public:
  virtual ~LargeValueSource();
  // The large-value page `id`, or null when there is none.
  virtual std::unique_ptr<TextMixPage> page(PageId id) = 0;
  virtual bool stopRequested() const = 0;
};

// Reads the page with the page-shift correction. The page is refused unless
// it carries the requested page number and is a large-value page: a
// reference that lands on another page (or a correction that lands on the
// wrong one) must not paste someone else's bytes into the value.
std::unique_ptr<TextMixPage> readTextMixPage(DatabaseFile& file, PageId id);

class FileLargeValueSource : public LargeValueSource {
 public:
  explicit FileLargeValueSource(DatabaseFile& file) : file_(file) {}
  std::unique_ptr<TextMixPage> page(PageId id) override;
  bool stopRequested() const override;

 private:
  DatabaseFile& file_;
};

}  // namespace pellora
