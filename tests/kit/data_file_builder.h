// DataFileBuilder: a data file as a list of pages by position. Positions that
// no page was given for hold a plain page of type 0 that carries its own
// position, so the file still looks aligned to a reader. Pages are made while
// the file is written, which keeps files of gigabytes cheap to produce.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "kit/page_builder.h"

namespace pellora::kit {

class DataFileBuilder {
 public:
  explicit DataFileBuilder(uint64_t pageCount = 0) : pageCount_(pageCount) {}

  // The file holds at least `count` pages; setting a page beyond grows it.
  DataFileBuilder& pageCount(uint64_t count);
  uint64_t pageCount() const { return pageCount_; }

  // The page at `position`, as given.
  DataFileBuilder& setPage(uint64_t position, const PageBytes& page);
  // A builder that was given no page number gets `position`.
  DataFileBuilder& setPage(uint64_t position, PageBuilder page);
  // Positions first..first+count-1 hold `pattern` with each page's own
  // position as page number. Pages set one by one win over ranges; a later
  // range wins over an earlier one.
  DataFileBuilder& fillRange(uint64_t first, uint64_t count, const PageBytes& pattern);

  // Extra bytes before position 0 (a shifted file) or after the last page.
  DataFileBuilder& leadingRemainder(size_t bytes, uint8_t fill = 0xA5);
  DataFileBuilder& trailingRemainder(size_t bytes, uint8_t fill = 0xA5);

  uint64_t fileLength() const;
  // The page the file holds at `position` (before any remainder).
  PageBytes pageAt(uint64_t position) const;
  // The whole file in memory; for small files.
  std::vector<uint8_t> bytes() const;
  // Writes the file; refuses an existing path unless `overwrite`. Returns
  // false with `error` set when the file cannot be written.
  bool writeTo(const std::string& path, bool overwrite = true, std::string* error = nullptr) const;

 private:
  struct Range {
    uint64_t first;
    uint64_t count;
    PageBytes pattern;
  };
  void pageInto(uint64_t position, uint8_t* out) const;

  uint64_t pageCount_ = 0;
  std::map<uint64_t, PageBytes> pages_;
  std::vector<Range> ranges_;
  size_t leading_ = 0, trailing_ = 0;
  uint8_t leadingFill_ = 0, trailingFill_ = 0;
};

}  // namespace pellora::kit
