// The choice of code page for the 8-bit text of a column: the column's
// collation, the database's, the collation map's, or the ANSI code page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/byte_text.h"
#include "storage/collation_map.h"

namespace pellora {

// Where the code page of a column's 8-bit text comes from.
struct CollationContext {
  const CollationMap* collations = nullptr;  // none: every look-up misses
  const DatabaseCollation* database = nullptr;  // none: not resolved
  // Column collations apply only while a table's rows are listed; the
  // definition reader reads its text in the ANSI code page.
  bool listingMode = false;
};

// The code page of 8-bit text in a column of collation `collationId`: the
// database's own when the column shares its collation, else the collation
// map's, else the ANSI code page.
int codePageOfColumn(int32_t collationId, const CollationContext& context);

}  // namespace pellora
