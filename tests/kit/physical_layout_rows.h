// Rows of sysrscols, the physical layout of every column of every rowset:
// where a column's value lies in a record (a fixed offset, or the index of
// its variable-column entry) and which null bit marks it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pellora::kit {

constexpr int32_t kSysRsCols = 3;
constexpr size_t kRowsetColumnRowFixedLength = 50;

struct RowsetColumnRow {
  uint64_t rowsetId = 0;
  int32_t rowsetColumnId = 0;
  int32_t hobtColumnId = 0;
  uint64_t modificationCounter = 0;
  int32_t typeInfo = 0;
  int32_t columnId = 0;
  int16_t keyOrdinal = 0;
  int16_t maxInRowLength = 0;
  int32_t status = 0;
  // The leaf offset from the record's first byte (at least 4), or -(k+1)
  // for the k-th variable column; kept in the low 16 bits.
  int16_t leafOffset = 0;
  int32_t nullBit = 0;  // from 1
  int16_t bitPosition = 0;
};

// rsid 0, rscolid 8, hbcolid 12, rcmodified 16, ti 24, cid 28, ordkey 32,
// maxinrowlen 34, status 36, offset 40, nullbit 44, bitpos 48.
std::vector<uint8_t> rowsetColumnRow(const RowsetColumnRow& row);

}  // namespace pellora::kit
