// Rows of sysidxstats (one per index or heap of a table) and sysiscols (one
// per key column of an index), which say what a table's keys are made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellora::kit {

constexpr int32_t kSysIdxStats = 54;
constexpr int32_t kSysIsCols = 55;
constexpr size_t kIndexRowFixedLength = 51;
constexpr size_t kIndexColumnRowFixedLength = 23;

// Index types.
constexpr uint8_t kHeapIndexType = 0;
constexpr uint8_t kClusteredIndexType = 1;
constexpr uint8_t kNonclusteredIndexType = 2;

// A sysidxstats row.
struct IndexRow {
  int32_t objectId = 0;
  int32_t indexId = 0;
  // No value: the row has no variable column (a heap has no name).
  std::optional<std::string> name;
  int32_t status = 0;
  int32_t internalProperty = 0;
  uint8_t fillFactor = 0;
  uint8_t type = kHeapIndexType;
  uint8_t tinyProperty = 0;
  int32_t dataSpaceId = 1;
  int32_t lobDataSpaceId = 0;
  uint64_t rowsetId = 0;
};

// id 0, indid 4, status 8, intprop 12, fillfact 16, type 17, tinyprop 18,
// dataspace 19, lobds 23, rowset 27, then the creation and modification
// times; name var 1.
std::vector<uint8_t> indexRow(const IndexRow& row);

// A sysiscols row: one column of an index.
struct IndexColumnRow {
  int32_t objectId = 0;
  int32_t indexId = 0;
  int32_t keyOrdinal = 0;  // from 1, in key order
  int32_t status = 0;
  int32_t columnId = 0;
  uint8_t tinyProperty1 = 0;
  uint8_t tinyProperty2 = 0;
};

// idmajor 0, idminor 4, subid 8, status 12, intprop (the column id) 16,
// tinyprop1 20, tinyprop2 21, tinyprop3 22.
std::vector<uint8_t> indexColumnRow(const IndexColumnRow& row);

}  // namespace pellora::kit
