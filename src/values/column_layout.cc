#include "values/column_layout.h"

#include <cstdlib>

#include "values/value_descriptor.h"

namespace pellora {

int32_t lengthInTypeText(const std::string& typeText) {
  const size_t open = typeText.find('(');
  if (open == std::string::npos) return 0;
  const size_t close = typeText.find(')', open + 1);
  if (close == std::string::npos) return 0;
  return static_cast<int32_t>(std::strtol(typeText.c_str() + open + 1, nullptr, 10));
}

ColumnType columnTypeOf(const ColumnLayout& layout) {
  ColumnType type;
  type.typeCode = layout.typeCode;
  type.declaredLength = layout.declaredLength;
  type.byteLength = lengthInTypeText(layout.typeText);
  type.precision = layout.precision;
  type.scale = layout.scale;
  type.collationId = layout.collationId;
  type.variableLength = layout.variableLength;
  return type;
}

ExpansionTable expansionTableOf(const ColumnLayouts& layouts) {
  ExpansionTable table;
  table.reserve(layouts.size());
  for (const ColumnLayout& layout : layouts) {
    const ColumnType type = columnTypeOf(layout);
    const ValueDescriptor descriptor = describeValue(type, layout.typeCode, nullptr);
    table.push_back({static_cast<int>(layout.typeCode), descriptor.readLength, layout.declaredLength});
  }
  return table;
}

const std::string& DecodedCell::display() const {
  static const std::string kNull = "NULL";
  return null ? kNull : text;
}

}  // namespace pellora
