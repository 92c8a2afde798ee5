// Writing every record of a prepared table as delimited text: the shown
// column names, then each non-blank row in listing order. Both front ends
// export through here, so a saved file and the command line agree.
#pragma once

#include <functional>
#include <string>

#include "app/delimited_text.h"
#include "catalog/table_reader.h"
#include "storage/notifier.h"
#include "values/row_decoder.h"

namespace pellora {

struct TableExport {
  TextFormat format = TextFormat::kCsv;
  // Written for a NULL cell; an empty field by default.
  std::string nullText;
  bool advancedMode = false;
  bool legacyCatalog = false;
};

// Hands each line (line end included) to `write`, which returns false to
// stop. Returns false when a write failed. Progress goes to `notifier`; the
// run flags' stop request ends the pass early.
bool exportPreparedTable(TableReader& reader, const RowDecoding& decoding, const TableExport& how,
                         Notifier& notifier, const std::function<bool(const std::string&)>& write);

}  // namespace pellora
