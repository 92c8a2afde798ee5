// Gathers the bytes of one large value from its tree of structures, in
// order, as a list of fragments. Damaged trees are expected: a reference
// that cannot be read loses only its own part, a record already visited is
// not read again (so a tree that refers back to itself ends), and nesting
// deeper than kMaxLargeValueDepth is not followed.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "storage/large_value_source.h"
#include "storage/page_id.h"
#include "storage/text_record.h"

namespace pellora {

// Levels below the root that are followed. Real trees are a few levels deep
// even for the largest values; a chain deeper than this is damage.
constexpr int kMaxLargeValueDepth = 16;

using FragmentList = std::vector<std::vector<uint8_t>>;

class LargeValueAssembly {
 public:
  explicit LargeValueAssembly(LargeValueSource& source) : source_(source) {}

  // Adds the value held by `record`, whose own row is `depth` levels below
  // the root (0 for the root itself).
  void addRecord(const TextRecord& record, int depth = 0);
  // Fetches `row` and adds its value. False when its page, slot or fixed
  // part is missing, or it was already visited or is too deep.
  bool addReference(RowId row, int depth = 0);

  FragmentList& fragments() { return fragments_; }
  // The fragments joined into one byte string.
  std::vector<uint8_t> joined() const;
  // False once any part was lost: a missing page or record, a reference seen
  // before, nesting beyond the limit, or a stop request.
  bool complete() const { return complete_; }

 private:
  // Appends the record's own data and returns the rows it refers to.
  std::vector<RowId> takeRecord(const TextRecord& record);
  void addReferences(const std::vector<RowId>& rows, int depth);
  bool enter(RowId row, int depth);

  LargeValueSource& source_;
  std::set<RowId> visited_;
  FragmentList fragments_;
  bool complete_ = true;
};

}  // namespace pellora
