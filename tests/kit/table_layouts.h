// Column layouts and parsed record pages for tests of the row decoder: the
// layouts as the table reader would hand them over, and a data page holding
// given records, parsed as a data file's reader parses it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kit/page_builder.h"
#include "storage/primary_record_page.h"
#include "values/column_layout.h"

namespace pellora::kit {

using RecordImage = std::vector<uint8_t>;

// Column `columnId` of type `code`, `byteLength` bytes long as the catalog
// gives it (-1 for a max column): typeText "<type>(<byteLength>)", the
// declared length and variable flag the table reader derives from the type,
// ordinal = column id, present, not nullable, no leaf offset (the value is
// read at the running position) and no null bit. Named "c<columnId>".
ColumnLayout columnLayout(int32_t columnId, TypeCode code, int32_t byteLength);

// A data page (type 1, page 100 of file 1) with `records` in slots 0, 1, ...
PageBuilder recordsPage(const std::vector<RecordImage>& records);

// The page parsed with `flags` (none: all clear) and no file behind it.
std::unique_ptr<PrimaryRecordPage> parsedPage(const PageBuilder& page, const RunFlags* flags = nullptr);
std::unique_ptr<PrimaryRecordPage> parsedPage(const std::vector<RecordImage>& records,
                                              const RunFlags* flags = nullptr);

// The bytes of `text`, for fixed and variable column values; valid while
// `text` lives.
Bytes textBytes(const std::string& text);

}  // namespace pellora::kit
