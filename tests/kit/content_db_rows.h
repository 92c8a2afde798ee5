// The rows of the SharePoint tables for the entries of a content model:
// every column the entry has a value for, plausible values for the other
// NOT NULL columns, NULL for the rest. Columns a generation lacks are
// passed over, so one filler serves every layout.
#pragma once

#include <vector>

#include "kit/content_db_model.h"
#include "kit/content_db_table.h"

namespace pellora::kit {

std::vector<Cell> webRow(const ContentTable& table, const ContentWeb& web);
std::vector<Cell> listRow(const ContentTable& table, const ContentList& list);
std::vector<Cell> docRow(const ContentTable& table, const ContentDoc& doc);
// The stream row of a file; `content` is its in-row value or in-row root.
std::vector<Cell> streamRow(const ContentTable& table, const ContentDoc& doc, std::vector<uint8_t> content,
                            bool largeValue);

}  // namespace pellora::kit
