#include "storage/record_expansion.h"

#include <algorithm>
#include <optional>

#include "storage/record_limits.h"
#include "storage/scsu.h"

namespace pellora {

namespace {

constexpr size_t kShortValuePadding = 8;
constexpr size_t kLongestSymbol = 7;

struct ColumnValue {
  std::vector<uint8_t> bytes;
  bool prefixed = false;  // rebuilt with the anchor's prefix
};

// A stored value whose first byte p0 says how many leading bytes it shares
// with the anchor value: the anchor's first p0 bytes, then the rest.
std::optional<std::vector<uint8_t>> withAnchorPrefix(const std::vector<uint8_t>& stored, const StoredValue* anchor) {
  if (!anchor || stored.empty()) return std::nullopt;
  size_t shared = stored[0];
  if (anchor->data.size() < shared) return std::nullopt;
  std::vector<uint8_t> rebuilt(anchor->data.begin(), anchor->data.begin() + static_cast<std::ptrdiff_t>(shared));
  rebuilt.insert(rebuilt.end(), stored.begin() + 1, stored.end());
  return rebuilt;
}

ColumnValue shortValue(std::vector<uint8_t> stored, const StoredValue* anchor) {
  if (auto rebuilt = withAnchorPrefix(stored, anchor)) return {std::move(*rebuilt), true};
  return {std::move(stored), false};
}

class Expander {
 public:
  Expander(CPrimaryRecord& record, const CompressionInfo& info, const ExpansionTable& table)
      : record_(record), info_(info), table_(table), image_(kExpandedImageSize, 0) {}

  void visitColumn(size_t i);
  size_t written() const { return std::min(w_, image_.size()); }
  std::vector<uint8_t> takeImage() {
    image_.resize(written());
    return std::move(image_);
  }

 private:
  const StoredValue* anchorValueOf(size_t i) const;
  std::vector<uint8_t> nextShortBytes(size_t count);
  std::optional<ColumnValue> pageSymbol(const StoredValue* anchor);
  void rebuildLongValue(const StoredValue* anchor, size_t width);
  size_t writeValue(const ColumnValue& value, const ExpansionColumn& column);
  void put(Bytes bytes);

  CPrimaryRecord& record_;
  const CompressionInfo& info_;
  const ExpansionTable& table_;
  std::vector<uint8_t> image_;
  size_t w_ = 0;
  size_t u_ = 0;
  size_t longIndex_ = 0;
};

const StoredValue* Expander::anchorValueOf(size_t i) const {
  if (i >= info_.anchorValues.size() || info_.anchorValues[i].length <= 0) return nullptr;
  return &info_.anchorValues[i];
}

std::vector<uint8_t> Expander::nextShortBytes(size_t count) {
  Bytes shortData(record_.shortData.data(), record_.shortData.size());
  std::vector<uint8_t> bytes = copyOf(shortData, u_, count);
  u_ += count;
  return bytes;
}

std::optional<ColumnValue> Expander::pageSymbol(const StoredValue* anchor) {
  std::vector<uint8_t> index = nextShortBytes(1);
  if (index.empty() || index[0] >= info_.dictionary.size()) return std::nullopt;
  const StoredValue& entry = info_.dictionary[index[0]];
  if (!entry.hasData() || entry.data.size() > kLongestSymbol) return std::nullopt;
  return shortValue(entry.data, anchor);
}

// Long values stay in the variable-column entries; only their anchor prefix
// is put back, and only when the rebuilt value still fits the column.
void Expander::rebuildLongValue(const StoredValue* anchor, size_t width) {
  size_t index = longIndex_++;
  if (index >= record_.variableColumns.size()) return;
  VariableColumn& column = record_.variableColumns[index];
  if (!column.hasData || column.data.empty() || !anchor) return;
  size_t rebuiltLength = column.data[0] + column.data.size() - 1;
  if (rebuiltLength >= width) return;
  if (auto rebuilt = withAnchorPrefix(column.data, anchor)) {
    column.data = std::move(*rebuilt);
    column.length = static_cast<int32_t>(column.data.size());
  }
}

void Expander::put(Bytes bytes) {
  if (w_ >= image_.size()) return;
  size_t room = image_.size() - w_;
  std::copy_n(bytes.begin(), std::min(room, bytes.size()), image_.begin() + static_cast<std::ptrdiff_t>(w_));
}

// Writes at the running position; returns how far the position moves.
size_t Expander::writeValue(const ColumnValue& value, const ExpansionColumn& column) {
  size_t width = static_cast<size_t>(std::max(column.width, 0));
  if (isIntegerLikeType(column.typeCode)) {
    uint64_t number = storedIntegerValue(value.bytes);
    uint8_t little[8];
    for (size_t k = 0; k < 8; ++k) little[k] = static_cast<uint8_t>(number >> (8 * k));
    put(Bytes(little, std::min<size_t>(width, 8)));
    return width;
  }
  if (value.prefixed) {
    if (isUnicodeTextType(column.typeCode)) {
      put(scsuToUtf16le(value.bytes));
    } else {
      put(value.bytes);
    }
    return width;
  }
  std::vector<uint8_t> padded = value.bytes;
  if (padded.size() < kShortValuePadding) padded.resize(kShortValuePadding, 0);
  put(padded);
  bool declaredFits = column.declaredLength > 0 && static_cast<size_t>(column.declaredLength) < width;
  return declaredFits ? static_cast<size_t>(column.declaredLength) : width;
}

void Expander::visitColumn(size_t i) {
  const ExpansionColumn& column = table_[i];
  const StoredValue* anchor = anchorValueOf(i);
  int32_t code = record_.columnCodes[i];
  ExpandedColumn entry;
  std::optional<ColumnValue> value;
  if (code == kNullCode) {
    entry.nullMark = 1;
  } else if (code == kEmptyCode) {
    if (anchor) value = ColumnValue{anchor->data, false};
  } else if (code >= kFirstShortCode && code <= kLastShortCode) {
    value = shortValue(nextShortBytes(static_cast<size_t>(shortSizeOf(code))), anchor);
  } else if (code == kLongCode) {
    rebuildLongValue(anchor, static_cast<size_t>(std::max(column.width, 0)));
  } else if (code == kPageSymbolCode) {
    value = pageSymbol(anchor);
  }
  if (value) {
    size_t advance = writeValue(*value, column);
    entry.shortDataLength = static_cast<int32_t>(advance);
    w_ += advance;
  }
  record_.expandedColumns.push_back(entry);
}

}  // namespace

uint64_t storedIntegerValue(Bytes stored) {
  // Only the last eight bytes can matter to a 64-bit number.
  Bytes digits = stored.size() > 8 ? stored.subspan(stored.size() - 8) : stored;
  if (digits.empty()) return 0;
  // The sign bit is stored flipped so that stored bytes sort like the
  // numbers; a value stored with it clear is negative and is sign-extended.
  bool negative = (digits[0] & 0x80) == 0;
  uint64_t number = negative ? ~uint64_t{0} : 0;
  for (size_t k = 0; k < digits.size(); ++k) {
    uint8_t byte = k == 0 ? static_cast<uint8_t>(digits[0] ^ 0x80) : digits[k];
    number = (number << 8) | byte;
  }
  return number;
}

void expandCompressedRecord(CPrimaryRecord& record, const CompressionInfo& info, const PageContext& context) {
  if (record.kind != kPrimaryRecord) return;
  const ExpansionTable* table = context.currentTable;
  if (table && static_cast<size_t>(record.columnCount) != table->size()) return;
  static const ExpansionTable kNoTable;
  Expander expander(record, info, table ? *table : kNoTable);
  size_t columns = std::min(record.columnCodes.size(), table ? table->size() : 0);
  record.expandedColumns.clear();
  for (size_t i = 0; i < columns && !context.stopRequested(); ++i) expander.visitColumn(i);
  record.fixedDataLength = static_cast<int16_t>(expander.written());
  record.fixedData = expander.takeImage();
  record.hasFixedData = !record.fixedData.empty();
  record.expanded = true;
}

}  // namespace pellora
