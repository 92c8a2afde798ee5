#include "catalog/row_fields.h"

#include "platform/codepage.h"

namespace pellora {

const VariableColumn* RowFields::variable(size_t n) const {
  if (n == 0 || n > record_.variableColumns.size()) return nullptr;
  const VariableColumn& column = record_.variableColumns[n - 1];
  if (!column.hasData && column.length != 0) return nullptr;
  return &column;
}

std::string RowFields::variableText(size_t n) const {
  const VariableColumn* column = variable(n);
  if (!column) return {};
  return utf16Text(Bytes(column->data.data(), column->data.size()));
}

std::string RowFields::fixedText(size_t offset, size_t length) const {
  if (!fits(fixed_, offset, length)) return {};
  std::string bytes(reinterpret_cast<const char*>(fixed_.data() + offset), length);
  return decodeCodePage(bytes, ansiCodePage());
}

std::string NameSubstitution::nameFor(const RowFields& row, const char* missingPrefix) {
  const VariableColumn* column = row.variable(1);
  std::string name;
  if (!column) {
    name = missingPrefix + std::to_string(counter_++);
  } else {
    name = row.variableText(1);
  }
  if (name.empty()) name = "RepairColumn" + std::to_string(counter_++);
  return name;
}

}  // namespace pellora
