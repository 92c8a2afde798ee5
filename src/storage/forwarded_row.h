// Rows a heap moved to another page when they grew: a forwarding stub keeps
// the row's place, and the moved row (a forwarded record) ends in a back
// pointer to that stub. Reading a heap page by page meets such a row twice,
// at its stub, which is followed, and where it lies. It is read at the stub
// only, for as long as the stub still points at it; a forwarded row whose
// stub is gone or damaged is read where it lies.
#pragma once

#include <optional>

#include "storage/page.h"
#include "storage/page_id.h"

namespace pellora {

// The stub a forwarded record points back at: its last variable column,
// complex and 10 bytes long (a 2-byte tag, then the stub's row id). None
// for any other record.
std::optional<RowId> backPointerOf(const CRecord& record);

// Whether `record`, found at `self`, is a forwarded record whose stub points
// at `self`, so that its row is read at the stub. Reads the stub's page.
bool isReadAtItsStub(const CRecord& record, RowId self, const PageContext& context);

}  // namespace pellora
