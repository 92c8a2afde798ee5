#include "values/value_descriptor.h"

namespace pellora {

namespace {

// Where a code takes its variable flag from.
enum class Placement { kFixed, kVariable, kColumn };

struct Shape {
  Placement placement;
  int16_t fixedWidth;  // kDeclared: the column's declared length
  int16_t readLength;
};

constexpr int16_t kDeclared = -32768;

Shape shapeOf(TypeCode code) {
  using P = Placement;
  switch (code) {
    case TypeCode::kBigInt: return {P::kFixed, 8, 8};
    case TypeCode::kBinary: return {P::kFixed, kDeclared, kDeclared};
    case TypeCode::kBit: return {P::kFixed, 0, 1};  // the width is set by the cursor
    case TypeCode::kChar: return {P::kFixed, kDeclared, kDeclared};
    case TypeCode::kDateTime: return {P::kFixed, 8, 8};
    case TypeCode::kDate: return {P::kFixed, 3, 3};
    case TypeCode::kTime: return {P::kFixed, 5, 5};
    case TypeCode::kDateTime2: return {P::kFixed, 8, 8};
    case TypeCode::kDateTimeOffset: return {P::kFixed, 10, 10};
    case TypeCode::kInt: return {P::kFixed, 4, 4};
    case TypeCode::kNChar: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kNVarChar: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kUnassigned12: return {P::kColumn, 8, 8};
    case TypeCode::kSmallInt: return {P::kFixed, 2, 2};
    case TypeCode::kTinyInt: return {P::kFixed, 1, 1};
    case TypeCode::kUniqueIdentifier: return {P::kFixed, 16, 16};
    case TypeCode::kVarBinary: return {P::kVariable, 0, kDeclared};
    case TypeCode::kVarChar: return {P::kColumn, 0, kDeclared};
    case TypeCode::kSysName: return {P::kFixed, 0, 0};
    case TypeCode::kNText: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kSqlVariant: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kMoney: return {P::kFixed, 8, 8};
    case TypeCode::kFloat: return {P::kFixed, 8, 8};
    case TypeCode::kNumeric: return {P::kFixed, 19, 19};
    case TypeCode::kDecimal: return {P::kFixed, kDeclared, kDeclared};
    case TypeCode::kImage: return {P::kVariable, 0, kDeclared};
    case TypeCode::kText: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kSmallDateTime: return {P::kFixed, 4, 4};
    case TypeCode::kReal: return {P::kFixed, 4, 4};
    case TypeCode::kSmallMoney: return {P::kFixed, 4, 4};
    case TypeCode::kTimestamp: return {P::kFixed, 8, 8};
    case TypeCode::kHierarchyId:
    case TypeCode::kGeometry:
    case TypeCode::kClr: return {P::kColumn, kDeclared, kDeclared};
    case TypeCode::kXml: return {P::kVariable, 0, kDeclared};
  }
  // A code outside the enumeration: nothing to read.
  return {P::kFixed, 0, 0};
}

int16_t resolve(int16_t width, const ColumnType& column) {
  return width == kDeclared ? column.declaredLength : width;
}

bool isVariable(Placement placement, const ColumnType& column) {
  switch (placement) {
    case Placement::kFixed: return false;
    case Placement::kVariable: return true;
    case Placement::kColumn: return column.variableLength;
  }
  return false;
}

}  // namespace

ValueDescriptor describeValue(const ColumnType& column, TypeCode code, BitCursor* cursor) {
  const Shape shape = shapeOf(code);
  ValueDescriptor descriptor;
  descriptor.typeCode = code;
  descriptor.variable = isVariable(shape.placement, column);
  descriptor.fixedWidth = resolve(shape.fixedWidth, column);
  descriptor.readLength = resolve(shape.readLength, column);
  if (code == TypeCode::kBit && cursor != nullptr) {
    descriptor.bitCursor = cursor;
    cursor->byteStarted = cursor->atByteStart();
    descriptor.fixedWidth = cursor->byteStarted ? 1 : 0;
  }
  return descriptor;
}

}  // namespace pellora
