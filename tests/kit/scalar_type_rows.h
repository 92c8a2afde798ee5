// Rows of sysscalartypes, which name the column types: the system types
// (type id = system type id) and alias types built on one of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pellora::kit {

constexpr int32_t kSysScalarTypes = 50;
constexpr size_t kScalarTypeRowFixedLength = 45;
constexpr int32_t kSysSchema = 4;
constexpr int32_t kDboSchema = 1;

struct ScalarTypeRow {
  int32_t typeId = 0;
  int32_t schemaId = kSysSchema;
  std::string name;
  uint8_t systemTypeId = 0;
  int16_t length = 0;  // -1: max
  uint8_t precision = 0;
  uint8_t scale = 0;
  int32_t collationId = 0;
  int32_t status = 0;
};

// id 0, schid 4, xtype 8, length 9, prec 11, scale 12, collationid 13,
// status 17, created 21, modified 29, dflt 37, chk 41; name var 1.
std::vector<uint8_t> scalarTypeRow(const ScalarTypeRow& row);

}  // namespace pellora::kit
