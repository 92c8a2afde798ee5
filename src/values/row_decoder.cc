#include "values/row_decoder.h"

#include <optional>

#include "storage/large_value_reader.h"
#include "storage/record.h"
#include "values/value_decoder.h"
#include "values/variant_decoder.h"
#include "values/xml_converter.h"

namespace pellora {

namespace {

enum class Operation { kRows, kRowsLegacy, kDefinitions, kDefinitionsLegacy };

constexpr size_t kTextPointerSize = 16;
constexpr uint8_t kRowOverflowKind = 2;
constexpr uint8_t kInRowRootKind = 4;
constexpr int32_t kLegacyDefinitionColumnCount = 10;
constexpr int32_t kLargeValueFragmentKind = 4;
constexpr int16_t kRecordHeaderSize = 4;

bool isBinaryCode(TypeCode code) { return code == TypeCode::kVarBinary || code == TypeCode::kClr; }

// Decodes the records of one page under one operation's rules.
class PageDecoder {
 public:
  PageDecoder(Operation operation, ColumnLayouts& layouts, const RowDecoding& decoding)
      : op_(operation), layouts_(layouts), decoding_(decoding) {
    collation_.collations = decoding.collations;
    collation_.database = decoding.database;
    collation_.listingMode = flag(&RunFlags::listingMode);
    legacyCatalog_ = flag(&RunFlags::legacyCatalog);
    types_.reserve(layouts.size());
    for (const ColumnLayout& layout : layouts) types_.push_back(columnTypeOf(layout));
  }

  std::vector<DecodedRow> decode(const PrimaryRecordPage& page);

 private:
  // Per-record state: the running fixed offset, the variable entries used,
  // the columns processed and the sparse entries taken.
  struct RecordState {
    const CRecord* record = nullptr;
    const CPrimaryRecord* primary = nullptr;
    BitCursor cursor;
    int64_t fixedOffset = 0;
    size_t variableIndex = 0;
    int64_t processed = 0;
    size_t sparseIndex = 0;
    int32_t columnCount = 0;
  };

  bool flag(std::atomic<bool> RunFlags::*member) const {
    return decoding_.flags != nullptr && (decoding_.flags->*member).load();
  }
  bool stopRequested() const { return decoding_.flags != nullptr && decoding_.flags->stopRequested(); }
  bool legacyRules() const { return op_ == Operation::kRowsLegacy || op_ == Operation::kDefinitionsLegacy; }
  bool definitions() const { return op_ == Operation::kDefinitions || op_ == Operation::kDefinitionsLegacy; }

  bool skipped(const CRecord* record) const;
  DecodedRow decodeRecord(RecordState& state);
  void decodeColumn(RecordState& state, ColumnLayout& layout, size_t h, DecodedCell& cell);
  bool testsNull(const RecordState& state, const ColumnLayout& layout) const;
  size_t variableIndexOf(const RecordState& state, const ColumnLayout& layout, bool isNull) const;
  std::string sparseValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor);
  // False when the column got no value at all and its cell must stay empty.
  bool variableValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor, size_t k,
                     std::string& value);
  std::string complexValue(const VariableColumn& entry, const ColumnLayout& layout, TypeCode code);
  std::string fixedValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor);
  int64_t fixedPosition(const RecordState& state, const ColumnLayout& layout, int64_t fixedLength) const;
  std::string decodeAt(ValueDescriptor& descriptor, Bytes bytes, const ColumnLayout& layout);
  std::optional<std::string> placedBit(const ColumnLayout& layout, const CRecord& record, int64_t at) const;
  LargeValueRequest largeValueRequest(const ColumnLayout& layout, TypeCode code) const;

  Operation op_;
  ColumnLayouts& layouts_;
  const RowDecoding& decoding_;
  CollationContext collation_;
  bool legacyCatalog_ = false;
  // The layouts' types, worked out once per page rather than per value.
  std::vector<ColumnType> types_;
};

bool PageDecoder::skipped(const CRecord* record) const {
  if (record == nullptr) return true;
  if (op_ == Operation::kDefinitionsLegacy) return record->kind == kLargeValueFragmentKind;
  if (record->kind == kIndexRecord || record->damaged) return true;
  return record->deleted && !flag(&RunFlags::showDeleted);
}

std::vector<DecodedRow> PageDecoder::decode(const PrimaryRecordPage& page) {
  std::vector<DecodedRow> rows;
  const auto& records = page.records();
  const size_t count = std::min<size_t>(records.size(), std::max<int16_t>(page.header().slotCount, 0));
  for (size_t i = 0; i < count && !stopRequested(); ++i) {
    const CRecord* record = records[i].get();
    if (skipped(record)) continue;
    RecordState state;
    state.record = record;
    state.primary = dynamic_cast<const CPrimaryRecord*>(record);
    DecodedRow row = decodeRecord(state);
    if (op_ == Operation::kRowsLegacy && (row.empty() || row[0].display().empty())) continue;
    rows.push_back(std::move(row));
  }
  return rows;
}

DecodedRow PageDecoder::decodeRecord(RecordState& state) {
  state.columnCount = state.record->columnCount;
  if (op_ == Operation::kDefinitionsLegacy && legacyCatalog_) state.columnCount = kLegacyDefinitionColumnCount;
  size_t visited = layouts_.size();
  if (op_ != Operation::kDefinitionsLegacy) {
    visited = std::min<size_t>(layouts_.size(), std::max<int32_t>(state.columnCount, 0));
  }
  // Columns without a place in the record (computed ones) do not count
  // against the record's column count.
  DecodedRow row(layouts_.size());
  size_t stored = 0;
  for (size_t h = 0; h < layouts_.size() && stored < visited; ++h) {
    if (layouts_[h].ordinal == kNoOrdinal) continue;
    ++stored;
    decodeColumn(state, layouts_[h], h, row[h]);
  }
  return row;
}

bool PageDecoder::testsNull(const RecordState& state, const ColumnLayout& layout) const {
  if (stopRequested()) return false;
  const auto& bitmap = state.record->nullBitmap;
  const int64_t m = state.columnCount;
  if (layout.nullBit > 0 && layout.nullBit <= m) return isNullBitSet(bitmap, layout.nullBit - 1);
  if (legacyRules()) return isNullBitSet(bitmap, state.processed);
  const int64_t sparseCount = state.record->sparseVector ? state.record->sparseVector->columns.size() : 0;
  const int64_t d = layout.ordinal - sparseCount - 1;
  if (d > 0 && d <= m) return isNullBitSet(bitmap, d);
  return isNullBitSet(bitmap, sparseCount);
}

void PageDecoder::decodeColumn(RecordState& state, ColumnLayout& layout, size_t h, DecodedCell& cell) {
  const CRecord& record = *state.record;
  ValueDescriptor descriptor = describeValue(types_[h], layout.typeCode, &state.cursor);
  size_t k = layout.leafOffset < 0 && descriptor.variable ? static_cast<size_t>(-(layout.leafOffset + 1))
                                                           : state.variableIndex;
  const bool compressedRules = !legacyRules() && op_ != Operation::kDefinitionsLegacy;
  if (compressedRules && state.primary != nullptr && h < state.primary->columnCodes.size()) {
    const int32_t code = state.primary->columnCodes[h];
    if (code < kLongCode) {
      descriptor.variable = false;
    } else if (code == kLongCode || code == kLongCode + 1) {
      descriptor.variable = true;
      k = state.variableIndex;
    }
  }
  if (!legacyRules() && layout.ordinal > state.columnCount) layout.ordinal = layout.columnId;

  bool isNull = false;
  if (op_ == Operation::kRows) {
    isNull = testsNull(state, layout);
    if (!layout.sparse && (!layout.present || isNull)) {
      cell.null = true;
      ++state.processed;
      return;
    }
  } else if (op_ == Operation::kRowsLegacy) {
    isNull = testsNull(state, layout);
  }
  if (compressedRules && h < record.expandedColumns.size()) {
    const ExpandedColumn& expanded = record.expandedColumns[h];
    if (expanded.shortDataLength > 0) descriptor.readLength = static_cast<int16_t>(expanded.shortDataLength);
    if (expanded.nullMark != 0) {
      cell.null = true;
      ++state.processed;
      return;
    }
  }
  if (legacyRules()) k = variableIndexOf(state, layout, isNull);

  std::string value;
  TypeCode code = layout.typeCode;
  if (layout.sparse) {
    value = sparseValue(state, layout, descriptor);
  } else if (descriptor.variable) {
    if (code == TypeCode::kImage) code = TypeCode::kVarBinary;
    bool read = op_ == Operation::kRowsLegacy ? !isNull : true;
    if (op_ == Operation::kDefinitionsLegacy) {
      read = !record.hasNullBitmap || !isNullBitSet(record.nullBitmap, state.processed);
    }
    if (read && !variableValue(state, layout, descriptor, k, value)) return;
    state.variableIndex = (legacyRules() ? k : state.variableIndex) + 1;
  } else {
    value = fixedValue(state, layout, descriptor);
  }
  if (!layout.sparse) ++state.processed;
  // A fixed column keeps its place in the record when NULL: it is read to
  // move past it, but its bytes are no value.
  const bool nullFixed = op_ == Operation::kRowsLegacy && isNull && !descriptor.variable && !layout.sparse;
  if (op_ == Operation::kRowsLegacy && ((value.empty() && layout.nullable) || nullFixed)) {
    cell.null = true;
    return;
  }
  // An empty large value shows as a single blank, without the prefix.
  if (isBinaryCode(code) && value != " ") value = "0x" + value;
  cell.text = std::move(value);
}

// SQL Server 2000 records keep an entry for every variable column up to the
// last one stored; with the legacy catalog the second offset names it.
size_t PageDecoder::variableIndexOf(const RecordState& state, const ColumnLayout& layout, bool isNull) const {
  if (op_ == Operation::kDefinitionsLegacy || !legacyCatalog_) {
    if (op_ != Operation::kDefinitionsLegacy && layout.leafOffset < 0) {
      return static_cast<size_t>(-(layout.leafOffset + 1));
    }
    return state.variableIndex;
  }
  const auto& entries = state.record->variableColumns;
  const size_t v = state.variableIndex;
  auto usable = [&](size_t i) { return i < entries.size() && entries[i].hasData && entries[i].length != 0; };
  if (!isNull && v < entries.size() && !usable(v)) {
    const size_t other = layout.secondOffset < 0 ? static_cast<size_t>(-(layout.secondOffset + 1)) : 0;
    if (usable(other)) return other;
  }
  return v;
}

std::string PageDecoder::sparseValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor) {
  const SparseVector* sparse = state.record->sparseVector.get();
  if (sparse == nullptr) return {};
  if (op_ == Operation::kDefinitionsLegacy) {
    // Entries are taken in order; the running index moves past each one used.
    if (state.sparseIndex >= sparse->columns.size()) return {};
    const VariableColumn& entry = sparse->columns[state.sparseIndex];
    if (entry.columnId != layout.columnId) return {};
    ++state.sparseIndex;
    descriptor.readLength = static_cast<int16_t>(entry.data.size());
    return entry.hasData ? decodeAt(descriptor, Bytes(entry.data.data(), entry.data.size()), layout) : "";
  }
  for (const VariableColumn& entry : sparse->columns) {
    if (entry.columnId != layout.columnId || !entry.hasData) continue;
    descriptor.readLength = static_cast<int16_t>(entry.data.size());
    descriptor.variable = true;
    return decodeAt(descriptor, Bytes(entry.data.data(), entry.data.size()), layout);
  }
  return {};
}

bool PageDecoder::variableValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor,
                                size_t k, std::string& value) {
  const auto& entries = state.record->variableColumns;
  if (k >= entries.size()) return true;
  const VariableColumn& entry = entries[k];
  TypeCode code = layout.typeCode == TypeCode::kImage ? TypeCode::kVarBinary : layout.typeCode;
  if (entry.complex) {
    if (!entry.hasData || entry.data.empty()) {
      state.variableIndex = k + 1;
      return false;
    }
    value = complexValue(entry, layout, code);
    return true;
  }
  if (!entry.hasData) return true;
  Bytes bytes(entry.data.data(), entry.data.size());
  if (code == TypeCode::kSqlVariant) {
    value = decodeVariantValue(descriptor, bytes);
    return true;
  }
  descriptor.readLength = static_cast<int16_t>(std::min<size_t>(entry.data.size(), INT16_MAX));
  descriptor.typeCode = code;
  value = decodeAt(descriptor, bytes, layout);
  return true;
}

std::string PageDecoder::complexValue(const VariableColumn& entry, const ColumnLayout& layout, TypeCode code) {
  Bytes bytes(entry.data.data(), entry.data.size());
  LargeValueRequest request = largeValueRequest(layout, code);
  const bool xml = code == TypeCode::kXml && op_ != Operation::kDefinitionsLegacy;
  FragmentList fragments;
  if (xml) {
    request.collector = &fragments;
    request.collect = true;
  }
  auto fromFragments = [&](const std::string& text) { return xml ? convertXmlFragments(fragments) : text; };
  if (decoding_.file == nullptr) return {};
  const bool textPointer =
      bytes.size() == kTextPointerSize && (bytes[0] == 0 || op_ == Operation::kDefinitionsLegacy);
  if (textPointer) return fromFragments(readTextPointer(*decoding_.file, bytes, request));
  switch (bytes[0]) {
    case kRowOverflowKind: return fromFragments(readInRowRoot(*decoding_.file, bytes, request));
    case kInRowRootKind:
      if (!xml && decoding_.placeholders && collation_.listingMode && !definitions()) {
        return kBigBinaryPlaceholder;
      }
      return fromFragments(readInRowRoot(*decoding_.file, bytes, request));
    default: return {};
  }
}

LargeValueRequest PageDecoder::largeValueRequest(const ColumnLayout& layout, TypeCode code) const {
  LargeValueRequest request;
  request.codePage = codePageOfColumn(layout.collationId, collation_);
  if (isBinaryCode(code) || layout.typeCode == TypeCode::kImage) {
    request.form = ValueForm::kBinaryHex;
  } else if (code == TypeCode::kNVarChar || code == TypeCode::kNText || code == TypeCode::kNChar) {
    request.form = ValueForm::kUnicodeText;
  }
  request.variant = code == TypeCode::kSqlVariant;
  return request;
}

int64_t PageDecoder::fixedPosition(const RecordState& state, const ColumnLayout& layout, int64_t fixedLength) const {
  const int64_t r = state.fixedOffset;
  const int64_t atRunning = r < fixedLength ? r : -1;
  if (op_ == Operation::kDefinitionsLegacy) return atRunning;
  if (op_ == Operation::kRowsLegacy && legacyCatalog_) {
    const int64_t x = layout.secondOffset;
    if (layout.leafOffset < 0 && x > 0 && x - kRecordHeaderSize < fixedLength) return x - kRecordHeaderSize;
    if (x < kRecordHeaderSize || x == r + kRecordHeaderSize || x - kRecordHeaderSize >= fixedLength) {
      return atRunning;
    }
    return x - kRecordHeaderSize;
  }
  const int64_t at = static_cast<int64_t>(layout.leafOffset) - kRecordHeaderSize;
  if (at < 0 || at > fixedLength) return atRunning;
  return at;
}

std::string PageDecoder::fixedValue(RecordState& state, const ColumnLayout& layout, ValueDescriptor& descriptor) {
  const CRecord& record = *state.record;
  if (op_ == Operation::kDefinitionsLegacy && record.hasNullBitmap &&
      isNullBitSet(record.nullBitmap, state.processed)) {
    state.fixedOffset += descriptor.fixedWidth;
    return {};
  }
  if (!record.hasFixedData) {
    state.fixedOffset += descriptor.fixedWidth;
    return {};
  }
  const int64_t fixedLength = static_cast<int64_t>(record.fixedData.size());
  const int64_t at = fixedPosition(state, layout, fixedLength);
  if (at < 0) return {};
  if (const std::optional<std::string> bit = placedBit(layout, record, at)) return *bit;
  Bytes bytes(record.fixedData.data() + at, static_cast<size_t>(fixedLength - at));
  std::string value = decodeAt(descriptor, bytes, layout);
  int64_t advance = descriptor.storedLength;
  if (legacyRules() && advance <= 0) advance = descriptor.fixedWidth;
  state.fixedOffset += advance;
  return value;
}

// A bit column whose byte and bit the physical layout gives is read there:
// counting bits off in column order would shift every bit after a NULL one.
std::optional<std::string> PageDecoder::placedBit(const ColumnLayout& layout, const CRecord& record,
                                                  int64_t at) const {
  const bool placed = layout.typeCode == TypeCode::kBit && layout.bitPosition >= 0 && layout.bitPosition < 8 &&
                      layout.leafOffset >= kRecordHeaderSize && op_ != Operation::kDefinitionsLegacy &&
                      !(op_ == Operation::kRowsLegacy && legacyCatalog_);
  if (!placed || at != layout.leafOffset - kRecordHeaderSize) return std::nullopt;
  if (at < 0 || static_cast<size_t>(at) >= record.fixedData.size()) return std::nullopt;
  const uint8_t byte = record.fixedData[static_cast<size_t>(at)];
  return ((byte >> layout.bitPosition) & 1) != 0 ? "True" : "False";
}

std::string PageDecoder::decodeAt(ValueDescriptor& descriptor, Bytes bytes, const ColumnLayout& layout) {
  const size_t h = static_cast<size_t>(&layout - layouts_.data());
  return decodeValue(descriptor, bytes, h < types_.size() ? types_[h] : columnTypeOf(layout), collation_);
}

}  // namespace

bool isNullBitSet(const std::vector<uint8_t>& bitmap, int64_t n) {
  if (n < 0 || static_cast<size_t>(n / 8) >= bitmap.size()) return false;
  return ((bitmap[static_cast<size_t>(n / 8)] >> (n % 8)) & 1) != 0;
}

std::vector<DecodedRow> decodeRows(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                   const RowDecoding& decoding) {
  return PageDecoder(Operation::kRows, layouts, decoding).decode(page);
}

std::vector<DecodedRow> decodeRowsLegacy(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                         const RowDecoding& decoding) {
  return PageDecoder(Operation::kRowsLegacy, layouts, decoding).decode(page);
}

std::vector<DecodedRow> decodeDefinitionRows(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                             const RowDecoding& decoding) {
  return PageDecoder(Operation::kDefinitions, layouts, decoding).decode(page);
}

std::vector<DecodedRow> decodeDefinitionRowsLegacy(const PrimaryRecordPage& page, ColumnLayouts& layouts,
                                                   const RowDecoding& decoding) {
  return PageDecoder(Operation::kDefinitionsLegacy, layouts, decoding).decode(page);
}

}  // namespace pellora
