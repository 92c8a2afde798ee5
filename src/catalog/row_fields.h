// Reading the fields of one system-table row. A field that does not lie
// wholly inside the row's fixed data keeps its default: nothing is read past
// the fixed part of a short or damaged row.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/byte_text.h"
#include "storage/record.h"

namespace pellora {

class RowFields {
 public:
  explicit RowFields(const CRecord& record)
      : record_(record), fixed_(record.fixedData.data(), record.fixedData.size()) {}

  size_t fixedLength() const { return fixed_.size(); }
  Bytes fixed() const { return fixed_; }
  bool hasFixedData() const { return record_.hasFixedData && !fixed_.empty(); }

  template <typename T>
  void read(T& field, size_t offset) const {
    if (!fits(fixed_, offset, sizeof(T))) return;
    std::memcpy(&field, fixed_.data() + offset, sizeof(T));
  }
  void readPageId(PageId& field, size_t offset) const {
    if (fits(fixed_, offset, 6)) field = pageIdAt(fixed_, offset);
  }

  // The n-th variable column (from 1): absent when the row has fewer, or when
  // its bounds were damaged.
  const VariableColumn* variable(size_t n) const;
  // The n-th variable column as UTF-16 text, up to its first NUL.
  std::string variableText(size_t n) const;
  // Fixed bytes as 8-bit text (the object type code).
  std::string fixedText(size_t offset, size_t length) const;

 private:
  const CRecord& record_;
  Bytes fixed_;
};

// Gives the nameless rows of one reading pass their generated names.
class NameSubstitution {
 public:
  void restart() { counter_ = 0; }
  // The name of a row: its stored name, or a generated one when the name
  // column is missing (`missingPrefix`) or empty ("RepairColumn").
  std::string nameFor(const RowFields& row, const char* missingPrefix);

 private:
  uint64_t counter_ = 0;
};

}  // namespace pellora
