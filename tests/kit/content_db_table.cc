#include "kit/content_db_table.h"

#include "kit/record_builder.h"

namespace pellora::kit {

namespace {

constexpr int16_t kRecordHeaderSize = 4;
constexpr int kBitsPerByte = 8;
constexpr int32_t kNotNullStatus = 1;
constexpr int16_t kMaxInRowOfMaxTypes = 8000;
constexpr int kForwardedKind = 1;

bool isVariable(const ContentColumn& column) { return sqlTypeInfo(column.type).fixedWidth == 0; }

}  // namespace

ContentTable::ContentTable(std::string name, std::vector<ContentColumn> columns, int32_t objectId, uint64_t rowsetId)
    : name_(std::move(name)), columns_(std::move(columns)), objectId_(objectId), rowsetId_(rowsetId) {
  // Fixed columns take the fixed part in column order; bit columns share a
  // byte, eight to a byte, placed where the first of them falls. Variable
  // columns take entries in column order.
  int16_t offset = kRecordHeaderSize;
  int bitsInByte = kBitsPerByte;
  int16_t bitByte = 0;
  int16_t variableIndex = 0;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ContentColumn& column = columns_[i];
    ColumnPlace place;
    place.columnId = static_cast<int32_t>(i + 1);
    if (isVariable(column)) {
      place.variable = true;
      place.leafOffset = static_cast<int16_t>(-(variableIndex + 1));
      ++variableIndex;
    } else if (column.type == SqlType::kBit) {
      if (bitsInByte == kBitsPerByte) {
        bitByte = offset++;
        bitsInByte = 0;
      }
      place.leafOffset = bitByte;
      place.bitPosition = static_cast<int16_t>(bitsInByte++);
    } else {
      place.leafOffset = offset;
      offset = static_cast<int16_t>(offset + sqlTypeInfo(column.type).fixedWidth);
    }
    places_.push_back(place);
    index_[column.name] = i;
  }
  fixedLength_ = static_cast<size_t>(offset - kRecordHeaderSize);
  variableCount_ = static_cast<size_t>(variableIndex);
}

std::vector<ColumnRow> ContentTable::columnRows(int32_t collationId) const {
  std::vector<ColumnRow> rows;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ContentColumn& column = columns_[i];
    const SqlTypeInfo type = sqlTypeInfo(column.type);
    ColumnRow row;
    row.objectId = objectId_;
    row.columnId = places_[i].columnId;
    row.name = column.name;
    row.systemTypeId = type.systemTypeId;
    row.userTypeId = column.aliasTypeId != 0 ? column.aliasTypeId : type.systemTypeId;
    row.maxLength = storedMaxLength(column);
    row.maxInRowLength = row.maxLength < 0 ? kMaxInRowOfMaxTypes : row.maxLength;
    row.precision = type.precision;
    row.scale = type.scale;
    row.collationId = type.text ? collationId : 0;
    row.status = column.nullable ? 0 : kNotNullStatus;
    rows.push_back(row);
  }
  return rows;
}

std::vector<LegacyColumnRow> ContentTable::legacyColumnRows(int32_t collationId) const {
  std::vector<LegacyColumnRow> rows;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ContentColumn& column = columns_[i];
    const SqlTypeInfo type = sqlTypeInfo(column.type);
    LegacyColumnRow row;
    row.objectId = objectId_;
    row.name = column.name;
    row.xtype = type.systemTypeId;
    row.userType = type.systemTypeId;
    row.length = storedMaxLength(column);
    row.precision = type.precision;
    row.scale = type.scale;
    row.columnId = row.columnOrder = static_cast<int16_t>(places_[i].columnId);
    row.fixedOffset = row.offset = places_[i].leafOffset;
    row.collationId = type.text ? collationId : 0;
    row.statusByte = column.nullable ? 0 : kNotNullStatus;
    rows.push_back(row);
  }
  return rows;
}

std::vector<RowsetColumnRow> ContentTable::rowsetColumnRows() const {
  std::vector<RowsetColumnRow> rows;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ContentColumn& column = columns_[i];
    const ColumnPlace& place = places_[i];
    const int16_t length = storedMaxLength(column);
    RowsetColumnRow row;
    row.rowsetId = rowsetId_;
    row.rowsetColumnId = row.hobtColumnId = row.columnId = place.columnId;
    row.typeInfo = sqlTypeInfo(column.type).systemTypeId | (static_cast<int32_t>(static_cast<uint16_t>(length)) << 8);
    row.maxInRowLength = length < 0 ? kMaxInRowOfMaxTypes : length;
    row.leafOffset = place.leafOffset;
    row.nullBit = place.columnId;
    row.bitPosition = place.bitPosition;
    rows.push_back(row);
  }
  return rows;
}

std::vector<Cell> ContentTable::blankRow() const {
  std::vector<Cell> row(columns_.size());
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ContentColumn& column = columns_[i];
    if (column.nullable && column.type != SqlType::kBit) continue;
    row[i].null = false;
    if (!isVariable(column)) row[i].bytes.assign(static_cast<size_t>(sqlTypeInfo(column.type).fixedWidth), 0);
  }
  return row;
}

void ContentTable::set(std::vector<Cell>& row, const std::string& name, std::vector<uint8_t> bytes, bool complex) const {
  auto found = index_.find(name);
  if (found == index_.end()) return;
  const ContentColumn& column = columns_[found->second];
  if (!isVariable(column)) bytes.resize(static_cast<size_t>(sqlTypeInfo(column.type).fixedWidth), 0);
  Cell& cell = row[found->second];
  cell.null = false;
  cell.complex = complex;
  cell.bytes = std::move(bytes);
}

std::vector<uint8_t> ContentTable::record(const std::vector<Cell>& row, int kind) const {
  return build(row, kind, nullptr);
}

std::vector<uint8_t> ContentTable::forwardedRecord(const std::vector<Cell>& row, RowId stub) const {
  return build(row, kForwardedKind, &stub);
}

std::vector<uint8_t> ContentTable::build(const std::vector<Cell>& row, int kind, const RowId* stub) const {
  std::vector<uint8_t> fixed(fixedLength_, 0);
  std::vector<const Cell*> variables(variableCount_, nullptr);
  RecordBuilder builder;
  builder.kind(kind).columnCount(static_cast<uint16_t>(columns_.size()));
  for (size_t i = 0; i < columns_.size(); ++i) {
    const Cell& cell = row[i];
    const ColumnPlace& place = places_[i];
    if (cell.null) builder.nullColumn(static_cast<int>(i));
    if (place.variable) {
      variables[static_cast<size_t>(-(place.leafOffset + 1))] = &cell;
      continue;
    }
    if (cell.null || cell.bytes.empty()) continue;
    const size_t at = static_cast<size_t>(place.leafOffset - kRecordHeaderSize);
    if (columns_[i].type == SqlType::kBit) {
      if (cell.bytes[0] & 1) fixed[at] |= static_cast<uint8_t>(1u << place.bitPosition);
    } else {
      std::copy(cell.bytes.begin(), cell.bytes.end(), fixed.begin() + static_cast<ptrdiff_t>(at));
    }
  }
  builder.fixed(Bytes(fixed.data(), fixed.size()));
  // Trailing NULL variable columns keep no entry, as the engine writes them,
  // unless the back pointer has to follow them.
  size_t stored = variables.size();
  while (stub == nullptr && stored > 0 && variables[stored - 1]->null) --stored;
  for (size_t k = 0; k < stored; ++k) {
    const Cell& cell = *variables[k];
    builder.variable(Bytes(cell.bytes.data(), cell.null ? 0 : cell.bytes.size()), cell.complex);
  }
  std::vector<uint8_t> pointer;
  if (stub != nullptr) {
    pointer = backPointer(*stub);
    builder.variable(Bytes(pointer.data(), pointer.size()), true);
  }
  return builder.build();
}

}  // namespace pellora::kit
