// What the value decoders need to know of one column. The table reader
// fills it from the catalog; the decoders only read it.
#pragma once

#include <cstdint>

#include "values/type_code.h"

namespace pellora {

struct ColumnType {
  TypeCode typeCode = TypeCode::kChar;
  // The column's length as the table reader declares it to the decoders:
  // the maximum length in bytes for binary, char, nchar, nvarchar, numeric,
  // decimal, text, CLR and xml columns, 0 for every other type. -1 is a
  // max column.
  int16_t declaredLength = 0;
  // The column's maximum length in bytes as the catalog gives it, for every
  // type (4 for int, 5 for time(7), -1 for a max column): the width a fixed
  // value occupies in the record.
  int32_t byteLength = 0;
  uint8_t precision = 0;
  uint8_t scale = 0;
  // The collation of char, varchar and text columns; 0 or -1 when the column
  // has none.
  int32_t collationId = 0;
  // The column lives in the variable part of the record.
  bool variableLength = false;
};

}  // namespace pellora
