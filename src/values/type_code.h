// The system's own enumeration of the column types it can show. The table
// reader assigns a code to each column from its SQL Server system type id;
// the value decoders switch on it. The numbers are fixed: they are stored in
// the column layouts and compared as plain integers by the table reader.
#pragma once

#include <cstdint>

namespace pellora {

enum class TypeCode : int32_t {
  kBigInt = 0,
  kBinary = 1,
  kBit = 2,
  kChar = 3,
  kDateTime = 4,
  kDate = 5,
  kTime = 6,
  kDateTime2 = 7,
  kDateTimeOffset = 8,
  kInt = 9,
  kNChar = 10,
  kNVarChar = 11,
  kUnassigned12 = 12,  // never given to a column; decodes to nothing
  kSmallInt = 13,
  kTinyInt = 14,
  kUniqueIdentifier = 15,
  kVarBinary = 16,
  kVarChar = 17,
  kSysName = 18,  // system type 232 until the table reader makes it kNVarChar
  kNText = 19,
  kSqlVariant = 20,
  kMoney = 21,
  kFloat = 22,
  kNumeric = 23,
  kDecimal = 24,
  kImage = 25,
  kText = 26,
  kSmallDateTime = 27,
  kReal = 28,
  kSmallMoney = 29,
  kTimestamp = 30,
  kHierarchyId = 31,
  kGeometry = 32,
  kClr = 33,
  kXml = 34,
};

// SQL Server system type ids of the types the decoders distinguish.
namespace system_type {
constexpr int32_t kImage = 34;
constexpr int32_t kText = 35;
constexpr int32_t kUniqueIdentifier = 36;
constexpr int32_t kDate = 40;
constexpr int32_t kTime = 41;
constexpr int32_t kDateTime2 = 42;
constexpr int32_t kDateTimeOffset = 43;
constexpr int32_t kTinyInt = 48;
constexpr int32_t kSmallInt = 52;
constexpr int32_t kInt = 56;
constexpr int32_t kSmallDateTime = 58;
constexpr int32_t kReal = 59;
constexpr int32_t kMoney = 60;
constexpr int32_t kDateTime = 61;
constexpr int32_t kFloat = 62;
constexpr int32_t kSqlVariant = 98;
constexpr int32_t kNText = 99;
constexpr int32_t kBit = 104;
constexpr int32_t kDecimal = 106;
constexpr int32_t kNumeric = 108;
constexpr int32_t kSmallMoney = 122;
constexpr int32_t kBigInt = 127;
constexpr int32_t kVarBinary = 165;
constexpr int32_t kVarChar = 167;
constexpr int32_t kBinary = 173;
constexpr int32_t kChar = 175;
constexpr int32_t kTimestamp = 189;
constexpr int32_t kNVarChar = 231;
constexpr int32_t kSysName = 232;
constexpr int32_t kNChar = 239;
constexpr int32_t kClr = 240;
constexpr int32_t kXml = 241;
}  // namespace system_type

// Every id without a code of its own is shown as char (kChar). Image (34)
// maps to kText as well: the table reader, which alone knows that a column
// holds image data, substitutes kImage itself.
TypeCode typeCodeOf(int32_t systemTypeId);

// The code of a CLR column (system type 240) from its user type id: 128 is
// hierarchyid, 129 geometry, anything else a CLR type shown as bytes.
TypeCode clrTypeCodeOf(int32_t userTypeId);

}  // namespace pellora
