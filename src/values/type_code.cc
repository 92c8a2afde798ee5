#include "values/type_code.h"

namespace pellora {

TypeCode typeCodeOf(int32_t systemTypeId) {
  namespace st = system_type;
  switch (systemTypeId) {
    case st::kBigInt: return TypeCode::kBigInt;
    case st::kBinary: return TypeCode::kBinary;
    case st::kBit: return TypeCode::kBit;
    case st::kChar: return TypeCode::kChar;
    case st::kDateTime: return TypeCode::kDateTime;
    case st::kDate: return TypeCode::kDate;
    case st::kTime: return TypeCode::kTime;
    case st::kDateTime2: return TypeCode::kDateTime2;
    case st::kDateTimeOffset: return TypeCode::kDateTimeOffset;
    case st::kInt: return TypeCode::kInt;
    case st::kNChar: return TypeCode::kNChar;
    case st::kNVarChar: return TypeCode::kNVarChar;
    case st::kSmallInt: return TypeCode::kSmallInt;
    case st::kTinyInt: return TypeCode::kTinyInt;
    case st::kUniqueIdentifier: return TypeCode::kUniqueIdentifier;
    case st::kVarBinary: return TypeCode::kVarBinary;
    case st::kVarChar: return TypeCode::kVarChar;
    case st::kSysName: return TypeCode::kSysName;
    case st::kNText: return TypeCode::kNText;
    case st::kSqlVariant: return TypeCode::kSqlVariant;
    case st::kMoney: return TypeCode::kMoney;
    case st::kFloat: return TypeCode::kFloat;
    case st::kNumeric: return TypeCode::kNumeric;
    case st::kDecimal: return TypeCode::kDecimal;
    case st::kImage: return TypeCode::kText;
    case st::kText: return TypeCode::kText;
    case st::kSmallDateTime: return TypeCode::kSmallDateTime;
    case st::kReal: return TypeCode::kReal;
    case st::kSmallMoney: return TypeCode::kSmallMoney;
    case st::kTimestamp: return TypeCode::kTimestamp;
    case st::kClr: return TypeCode::kClr;
    case st::kXml: return TypeCode::kXml;
    default: return TypeCode::kChar;
  }
}

TypeCode clrTypeCodeOf(int32_t userTypeId) {
  constexpr int32_t kHierarchyIdUserType = 128;
  constexpr int32_t kGeometryUserType = 129;
  if (userTypeId == kHierarchyIdUserType) return TypeCode::kHierarchyId;
  if (userTypeId == kGeometryUserType) return TypeCode::kGeometry;
  return TypeCode::kClr;
}

}  // namespace pellora
