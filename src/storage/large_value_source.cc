#include "storage/large_value_source.h"

#include "storage/database_file.h"

namespace pellora {

LargeValueSource::~LargeValueSource() = default;

std::unique_ptr<TextMixPage> readTextMixPage(DatabaseFile& file, PageId id) {
  PageBuffer buffer = file.readShiftCorrected(id);
  if (!buffer) return nullptr;
  auto page = std::make_unique<TextMixPage>(std::move(buffer), PageContext{&file, &file.flags()});
  const CPage_Header& header = page->header();
  if (header.thisPage.pageNumber != id.pageNumber || !isLargeValuePageType(header.pageType)) return nullptr;
  return page;
}

std::unique_ptr<TextMixPage> FileLargeValueSource::page(PageId id) { return readTextMixPage(file_, id); }

bool FileLargeValueSource::stopRequested() const { return file_.flags().stopRequested(); }

}  // namespace pellora
