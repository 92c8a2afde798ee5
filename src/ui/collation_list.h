// The drop-down list of collations in the open dialog: one item per entry of
// the collation map, sorted by name, each carrying its id as item data.
#pragma once

#include "storage/collation_map.h"

class QComboBox;

namespace pellora::ui {

// Replaces the items of `list`. Names compare letter case aside, with marks
// before digits before letters; equal ones exactly, then by id.
void fillCollationList(QComboBox* list, const CollationMap& collations);

// The id the item at `index` carries.
int64_t collationIdAt(const QComboBox* list, int index);

}  // namespace pellora::ui
