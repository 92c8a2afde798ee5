// The readers the row decoder calls for a column value that lives on
// large-value pages: through a 16-byte text pointer (text, ntext, image) or
// an in-row root (the max types, xml, row-overflow columns). Either way the
// whole value is gathered first and then rendered once, so a value split
// over fragments comes out the same as one held in a single record.
#pragma once

#include <string>

#include "platform/bytes.h"
#include "storage/large_value_assembly.h"
#include "storage/large_value_source.h"
#include "storage/large_value_text.h"
#include "storage/text_record.h"

namespace pellora {

class CRecord;
class DatabaseFile;

// How the row decoder wants a value: the form and code page come from the
// column's type and collation.
struct LargeValueRequest {
  ValueForm form = ValueForm::kCodePageText;
  int codePage = 0;  // 0: the ANSI code page
  // The data starts with an 8-byte sql_variant header whose first byte is
  // the base type; the base type then chooses the form.
  bool variant = false;
  // xml: with both set, the value's fragments are appended here in order and
  // no text is made.
  FragmentList* collector = nullptr;
  bool collect = false;

  bool collecting() const { return collect && collector != nullptr; }
};

// The request a row's decoder flags stand for.
LargeValueRequest requestFor(const CRecord& row, int codePage);

// `value` rendered as `request` asks, the variant header included.
std::string renderLargeValue(Bytes value, const LargeValueRequest& request);

// The value of a large-value record. Empty when nothing of it can be read.
std::string readLargeRecord(const TextRecord& record, LargeValueSource& source,
                            const LargeValueRequest& request);

// The value a 16-byte text pointer names: 8 bytes, then page number (4), file
// id (2) and slot (2). Empty when the pointer, page, slot or record is
// missing; a single blank when the record is there but its value is empty.
std::string readTextPointer(LargeValueSource& source, Bytes pointer, const LargeValueRequest& request);

// The value an in-row root names: a 12-byte header, then 12-byte entries of
// fragment length (4), page number (4), file id (2) and slot (2). Entries
// with a length of 0 or less are skipped; a file id above 1000 is file 1.
std::string readInRowRoot(LargeValueSource& source, Bytes value, const LargeValueRequest& request);

// The same over the pages of `file`.
std::string readLargeRecord(const TextRecord& record, DatabaseFile& file, const LargeValueRequest& request);
std::string readTextPointer(DatabaseFile& file, Bytes pointer, const LargeValueRequest& request);
std::string readInRowRoot(DatabaseFile& file, Bytes value, const LargeValueRequest& request);

}  // namespace pellora
