// The compression information record that page-compressed pages carry after
// their header (type flag bit 0x80): an anchor record whose values are the
// common prefixes of the page's columns, and a page dictionary of values that
// records refer to by index.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/record.h"

namespace pellora {

constexpr size_t kCompressionInfoOffset = 96;

// Lengths of anchor values that hold no bytes.
constexpr int32_t kNullAnchorValue = -2;
constexpr int32_t kEmptyAnchorValue = -1;

struct StoredValue {
  std::vector<uint8_t> data;
  int32_t length = 0;  // may differ from data.size() for damaged entries
  bool hasData() const { return length > 0 && data.size() == static_cast<size_t>(length); }
};

struct CompressionInfo {
  bool present = false;            // the record was read at all
  std::array<uint8_t, 7> head{};   // page bytes 96..102
  bool hasAnchor = false;
  bool hasDictionary = false;
  std::unique_ptr<CPrimaryRecord> anchor;
  // One per column of the current table up to the anchor's code count, so
  // that value i belongs to column i; a code with no value gives length 0.
  std::vector<StoredValue> anchorValues;
  // One per end offset read, so that a record's page symbol h names entry h;
  // an entry whose bounds fail has no data.
  std::vector<StoredValue> dictionary;
  std::vector<int32_t> dictionaryEnds;
};

// Reads the record when the page has one; otherwise `present` stays false.
CompressionInfo readCompressionInfo(const CPage_Header& header, Bytes page, const PageContext& context);

// The anchor record's values, column by column of the current table.
std::vector<StoredValue> splitAnchorValues(const CPrimaryRecord& anchor, const PageContext& context);

}  // namespace pellora
