// What the expansion of compressed records needs to know about one column of
// the table being read. The table layer fills a list of these while it reads
// a table and hands it to the pages through PageContext::currentTable; the
// record layer never looks at more of a column than this.
#pragma once

#include <cstdint>
#include <vector>

namespace pellora {

struct ExpansionColumn {
  int typeCode = 0;
  // Bytes the column takes in the expanded image (the read length of the
  // column's value description).
  int width = 0;
  // The number between parentheses in the column's type text (10 for
  // varchar(10)); 0 when the type text has none.
  int declaredLength = 0;
};

using ExpansionTable = std::vector<ExpansionColumn>;

// Type codes the expansion treats specially.
enum ExpansionTypeCode : int {
  kBigIntType = 0,
  kDateTimeType = 4,
  kIntType = 9,
  kNCharType = 10,
  kSmallIntType = 13,
  kNVarCharType = 11,
  kMoneyType = 21,
  kSmallMoneyType = 29,
};

// Compressed storage keeps these as big-endian numbers with the sign bit
// flipped and leading bytes dropped.
inline bool isIntegerLikeType(int typeCode) {
  return typeCode == kBigIntType || typeCode == kDateTimeType || typeCode == kIntType ||
         typeCode == kSmallIntType || typeCode == kMoneyType || typeCode == kSmallMoneyType;
}

inline bool isUnicodeTextType(int typeCode) {
  return typeCode == kNCharType || typeCode == kNVarCharType;
}

}  // namespace pellora
