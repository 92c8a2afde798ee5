// The pages a table is listed from, in listing order, as one of three
// listers gathers them: the allocation-map walk, the next-page chain from
// the table's first page, or the prepared page list. The chain is followed
// only as far as the listing asks, so the first screen of a large table
// reads no more pages than it shows.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

#include "storage/page_id.h"

namespace pellora {

class DatabaseFile;

enum class Lister { kIamWalk, kPageChain, kPageList };

class ListingPages {
 public:
  ListingPages() = default;

  // The pages of the allocation unit whose first IAM page is `firstIam`, or
  // whose IAM pages are `legacyChain` in that order.
  static ListingPages iamWalk(DatabaseFile& file, PageId firstIam, const std::vector<PageId>* legacyChain);
  static ListingPages pageChain(DatabaseFile& file, PageId first);
  // Entries with file id or page number 0 are left out.
  static ListingPages pageList(const std::vector<PageId>& pages);

  // Page `index` of the listing; none past its end. A chain that loops, or
  // runs longer than the file has pages, ends there.
  std::optional<PageId> at(size_t index);
  // The pages known so far; all of them once at() found the end.
  size_t knownCount() const { return pages_.size(); }
  bool complete() const { return !chain_; }

 private:
  struct Chain {
    DatabaseFile* file = nullptr;
    PageId next;
    std::set<PageId> seen;
  };
  bool extendChain();

  std::vector<PageId> pages_;
  std::optional<Chain> chain_;
};

}  // namespace pellora
