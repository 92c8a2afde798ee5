// ColumnLayout: one column of the table being read, as the table reader
// builds it from the catalog and the row decoder reads it: where the column's
// value lies in a record, how it is tested for NULL and how its bytes are
// shown. A decoded row is one DecodedCell per layout, in layout order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/expansion_column.h"
#include "values/column_type.h"
#include "values/type_code.h"

namespace pellora {

// Ordinal of a column that has no place in the record (a computed column):
// the decoders pass over it and it is never shown as a row value.
constexpr int32_t kNoOrdinal = -99;

struct ColumnLayout {
  int16_t declaredLength = 0;
  int32_t columnId = 0;
  std::string name;
  TypeCode typeCode = TypeCode::kChar;
  std::string typeText;  // type name and byte length: "int(4)", "varchar(-1)"
  bool nullable = false;
  bool variableLength = false;
  bool sparse = false;
  // A column without physical layout: the text of its stored definition.
  std::string value;
  uint8_t precision = 0;
  uint8_t scale = 0;
  int32_t ordinal = 0;
  bool present = false;
  // From the record's first byte; -(k+1) names variable entry k.
  int16_t leafOffset = 0;
  int16_t secondOffset = 0;  // the SQL Server 2000 offset, same convention
  int32_t nullBit = -1;      // from 1; 0 or less when there is none
  // A bit column's bit in its byte, from the physical layout; -1 when the
  // layout gives none and bits are counted off in column order.
  int16_t bitPosition = -1;
  bool primaryKeyColumn = false;
  bool uniqueIndexColumn = false;
  bool uniqueConstraintColumn = false;
  bool foreignKeyColumn = false;
  bool statusBit3 = false;
  std::string referencedTableName;
  std::string referencedColumnName;
  std::string identityText;
  uint8_t indexKeyProperty = 0;
  int32_t collationId = 0;
};

using ColumnLayouts = std::vector<ColumnLayout>;

// The byte length in a type text: the integer between the first "(" and the
// next ")"; 0 when there is none.
int32_t lengthInTypeText(const std::string& typeText);

// What the value decoders need of a layout.
ColumnType columnTypeOf(const ColumnLayout& layout);

// What the expansion of compressed records needs of each layout.
ExpansionTable expansionTableOf(const ColumnLayouts& layouts);

// One value of a decoded row. A NULL keeps its own mark, so that stored text
// that reads "NULL" is not mistaken for one.
struct DecodedCell {
  std::string text;
  bool null = false;

  const std::string& display() const;
};

using DecodedRow = std::vector<DecodedCell>;

}  // namespace pellora
