// Rows of sysobjvalues, where the source text of views, procedures and
// other modules is kept: the text as UTF-16 in the imageval column, in one
// or more rows numbered by valnum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pellora::kit {

constexpr int32_t kSysObjValues = 60;
constexpr size_t kObjectValueRowFixedLength = 13;
// The value class of a module's source text.
constexpr uint8_t kModuleTextClass = 1;

struct ObjectValueRow {
  uint8_t valueClass = kModuleTextClass;
  int32_t objectId = 0;
  int32_t subObjectId = 0;
  int32_t valueNumber = 0;
  std::vector<uint8_t> imageValue;  // kept in the row
};

// valclass 0, objid 1, subobjid 5, valnum 9; value (NULL) var 1, imageval
// var 2.
std::vector<uint8_t> objectValueRow(const ObjectValueRow& row);

// The row that holds `text` (UTF-8) as the source text of `objectId`.
ObjectValueRow moduleTextRow(int32_t objectId, const std::string& text);

}  // namespace pellora::kit
