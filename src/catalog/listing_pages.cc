#include "catalog/listing_pages.h"

#include "storage/allocation_map.h"
#include "storage/database_file.h"

namespace pellora {

namespace {
bool named(PageId id) { return id.fileId != 0 && id.pageNumber != 0; }
}  // namespace

ListingPages ListingPages::iamWalk(DatabaseFile& file, PageId firstIam, const std::vector<PageId>* legacyChain) {
  ListingPages listing;
  enumerateAllocationUnit(file, firstIam, legacyChain, [&](PageId id) {
    listing.pages_.push_back(id);
    return true;
  });
  return listing;
}

ListingPages ListingPages::pageChain(DatabaseFile& file, PageId first) {
  ListingPages listing;
  if (named(first)) listing.chain_ = Chain{&file, first, {}};
  return listing;
}

ListingPages ListingPages::pageList(const std::vector<PageId>& pages) {
  ListingPages listing;
  for (PageId id : pages) {
    if (named(id)) listing.pages_.push_back(id);
  }
  return listing;
}

bool ListingPages::extendChain() {
  Chain& chain = *chain_;
  DatabaseFile& file = *chain.file;
  const bool ends = !named(chain.next) || chain.seen.size() > file.pageCount() ||
                    !chain.seen.insert(chain.next).second || file.flags().stopRequested();
  std::unique_ptr<CPage_Header> header = ends ? nullptr : file.readPageHeader(chain.next);
  if (!header) {
    chain_.reset();
    return false;
  }
  pages_.push_back(chain.next);
  chain.next = header->nextPage;
  return true;
}

std::optional<PageId> ListingPages::at(size_t index) {
  while (index >= pages_.size() && chain_) {
    if (!extendChain()) break;
  }
  if (index >= pages_.size()) return std::nullopt;
  return pages_[index];
}

}  // namespace pellora
