// The display text of a sql_variant value: a base type byte (a SQL Server
// system type id), a version byte, the base type's properties (scale;
// precision and scale; maximum length and collation), then the value.
#pragma once

#include <string>

#include "platform/bytes.h"
#include "values/value_descriptor.h"

namespace pellora {

// `value` is the whole sql_variant value, header included. A base type
// without a display, or a length other than the base type allows, gives "".
// A numeric value sets the descriptor's stored length to its value bytes.
// Character values are read in the ANSI code page; binary and CLR values
// show as "0x" and upper-case hex.
std::string decodeVariantValue(ValueDescriptor& descriptor, Bytes value);

}  // namespace pellora
