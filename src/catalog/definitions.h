// The stored source texts of views, procedures, functions, triggers,
// defaults and constraints, read from the object values table (syscomments
// in SQL Server 2000 databases) through the system page index.
#pragma once

#include <string>

#include "catalog/table_reader.h"

namespace pellora {

// The columns the object values rows are decoded with.
ColumnLayouts objectValuesLayouts();

class DefinitionReader {
 public:
  DefinitionReader(TableReader& reader, Notifier& notifier, RowDecoding decoding);

  // Every object values row as an entry, in page index order.
  DefinitionList readAll();

  // The definition text of the object whose id is `objectIdText`: its
  // chunks joined in row order. The rows are read once and kept.
  std::string definition(const std::string& objectIdText);

 private:
  TableReader& reader_;
  Notifier& notifier_;
  RowDecoding decoding_;
  DefinitionList cache_;
  bool cacheLoaded_ = false;
};

}  // namespace pellora
