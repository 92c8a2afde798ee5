// The display text of one stored column value, from the bytes the row
// decoder found for it and the descriptor describeValue made. Values kept
// off-row (text, ntext, image and max types behind a pointer) are not seen
// here: the row decoder hands those to the large-value reader, which renders
// the collected bytes with platform/byte_text.h.
#pragma once

#include <string>

#include "platform/bytes.h"
#include "values/column_type.h"
#include "values/column_code_page.h"
#include "values/value_descriptor.h"

namespace pellora {

// `bytes` runs from the value's first byte to the end of the source data at
// hand (the rest of the fixed data, or the variable or sparse entry); no
// byte outside it is read. For a variable value only the first read-length
// bytes count. Sets the descriptor's available count and stored length, and
// for bits its fixed width and cursor. Empty bytes, too few bytes for the
// type or a read length below 1 give "" (a bit with read length below 1
// gives "False"); nothing here writes "NULL".
//
// Text: integers in decimal; binary types as upper-case hex, with "0x" for
// binary, timestamp and hierarchyid (the row decoder prefixes varbinary and
// CLR values itself; geometry has none); bits "True" or "False"; dates,
// times and numbers as value_format.h writes them, where an infinite or
// undefined float or real shows "0"; an xml value that does not convert
// shows a single blank.
std::string decodeValue(ValueDescriptor& descriptor, Bytes bytes, const ColumnType& column,
                        const CollationContext& collation);

}  // namespace pellora
