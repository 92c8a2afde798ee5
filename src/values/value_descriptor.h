// How one column value of one record is to be read: made by describeValue
// before the row decoder finds the value's bytes, then completed by
// decodeValue, which tells the row decoder how far the value reached.
#pragma once

#include <cstdint>

#include "values/bit_cursor.h"
#include "values/column_type.h"
#include "values/type_code.h"

namespace pellora {

struct ValueDescriptor {
  // The record's cursor, for bit columns only.
  BitCursor* bitCursor = nullptr;
  // Bytes of source data at the value's position, set by decodeValue from
  // the bytes it is given (for a variable value, at most the read length).
  uint64_t available = 0;
  // The value is taken from a variable-column entry.
  bool variable = false;
  // The bytes the column takes in the fixed data; the row decoder moves on
  // by this much when the record has no fixed data to read from.
  int16_t fixedWidth = 0;
  // 0 until decodeValue sets it to the bytes the value took; the row
  // decoder advances its running fixed offset by it.
  int32_t storedLength = 0;
  // The bytes to read for the value. For a variable value the row decoder
  // replaces it by the entry's length.
  int16_t readLength = 0;
  TypeCode typeCode = TypeCode::kChar;
};

// The descriptor of a value of type `code` in `column` (the row decoder may
// pass a code other than the column's own). For a bit column it records
// `cursor` and whether this bit starts a byte of its own.
ValueDescriptor describeValue(const ColumnType& column, TypeCode code, BitCursor* cursor);

}  // namespace pellora
