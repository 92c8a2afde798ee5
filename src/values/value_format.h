// The display text of stored column values that are not character or binary
// data: dates and times, money, decimal, floating point, uniqueidentifier.
// Pure conversions: no state, no catalog, no locale; the text is UTF-8 (in
// fact ASCII) and is empty for a value that cannot be read.
#pragma once

#include <string>

#include "platform/bytes.h"
#include "values/date_time_format.h"
#include "values/number_format.h"

namespace pellora {

// 16 bytes, shown as XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX in upper case
// without braces. The first three groups are little-endian integers, so
// their bytes appear reversed; the last two groups keep byte order.
std::string formatGuid(Bytes value);

}  // namespace pellora
