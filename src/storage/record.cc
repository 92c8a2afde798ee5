#include "storage/record.h"

#include "storage/database_file.h"
#include "storage/primary_record_page.h"
#include "storage/record_limits.h"

namespace pellora {

namespace {

constexpr uint8_t kCompressedBit = 0x01;
constexpr uint8_t kNullBitmapBit = 0x10;
constexpr uint8_t kVariableColumnsBit = 0x20;
constexpr uint8_t kVersioningBit = 0x40;
bool kindIsReadable(int32_t kind, bool showDeleted) {
  return kind == kPrimaryRecord || kind == kForwardedRecord || kind == kForwardingStub ||
         (kind == kDeletedRecord && showDeleted);
}

}  // namespace

CRecord::~CRecord() = default;

void CRecord::readStatusA(uint8_t status) {
  compressed = (status & kCompressedBit) != 0;
  kind = (status >> 1) & 7;
  hasNullBitmap = (status & kNullBitmapBit) != 0;
  hasVariableColumns = (status & kVariableColumnsBit) != 0;
  deleted = kind == 5 || kind == 6 || kind == 7;
}

CPrimaryRecord::CPrimaryRecord(const CPage_Header& header, Bytes page, size_t offset,
                               size_t available, const PageContext& context, RecordReading reading) {
  Bytes record = sliceOf(page, offset, available);
  availableLength = static_cast<uint16_t>(record.size());
  if (header.thisPage.pageNumber < 0 || header.pageType > 17 || record.empty()) {
    damaged = true;
    return;
  }
  uint8_t status = record[0];
  readStatusA(status);
  versioning = (status & kVersioningBit) != 0;
  if (!kindIsReadable(kind, context.showDeleted())) {
    damaged = true;
    return;
  }
  if (compressed || reading.forceCompressed) {
    compressed = true;
    parseCompressed(record, record.size());
    return;
  }

  std::vector<uint8_t> target;
  if (kind == kForwardingStub) {
    if (!reading.followStubs || !followStub(record, context, target)) {
      fixedDataLength = kUnreadableStub;
      return;
    }
    // The row now carries the target's flags but stays marked as reached
    // through a stub. It is read whole: the stub keeps the row's old place,
    // often near the end of its page, while the moved row may be longer than
    // what is left of that page.
    readStatusA(target[0]);
    kind = kForwardingStub;
    record = Bytes(target.data(), target.size());
  }
  parseUncompressed(record, record.size());
}

void CPrimaryRecord::parseUncompressed(Bytes record, size_t available) {
  statusB = u8At(record, 1) == 1;
  size_t position = 4;
  int f = static_cast<int>(u16At(record, 2)) - 4;
  fixedDataLength = static_cast<int16_t>(f);
  if (f > 0 && f < kMaxFixedData && 4 + static_cast<size_t>(f) <= available) {
    fixedData = copyOf(record, 4, static_cast<size_t>(f));
    hasFixedData = true;
    position = 4 + static_cast<size_t>(f);
  }
  int16_t n = fits(record, position, 2) ? s16At(record, position) : 0;
  if (n <= 0 || n >= kMaxColumns) return;
  columnCount = n;
  position += 2;
  if (hasNullBitmap) {
    size_t bitmapLength = (static_cast<size_t>(n) + 7) / 8;
    nullBitmap = copyOf(record, position, bitmapLength);
    position += bitmapLength;
  }
  if (hasVariableColumns) position = readVariableColumns(record, position, available);
  recordLength = static_cast<int32_t>(position);
  if (recordLength > 0 && position <= available) rawCopy = copyOf(record, 0, position);
}

size_t CPrimaryRecord::readVariableColumns(Bytes record, size_t position, size_t available) {
  int v = columnCount;
  if (hasFixedData || !nullBitmap.empty()) {
    v = fits(record, position, 2) ? u16At(record, position) : 0;
    position += 2;
  }
  if (v > columnCount) return 0;  // an impossible count: no columns, no raw copy
  if (v <= 0 || v >= kMaxColumns) return position;
  variableColumnCount = static_cast<int16_t>(v);
  variableOffsets.reserve(static_cast<size_t>(v));
  variableColumns.reserve(static_cast<size_t>(v));
  for (int j = 0; j < v; ++j) {
    size_t at = position + 2 * static_cast<size_t>(j);
    variableOffsets.push_back(at + 2 <= available ? u16At(record, at) : 0);
  }
  position += 2 * static_cast<size_t>(v);
  for (uint16_t& stored : variableOffsets) {
    VariableColumn column;
    column.complex = (stored & 0x8000) != 0;
    stored &= 0x7FFF;
    size_t end = stored;
    bool inBounds = end > position && end <= available && end < kPageSize && position >= 1 &&
                    position < kPageSize;
    if (inBounds) {
      column.data = copyOf(record, position, end - position);
      column.hasData = column.data.size() == end - position;
      column.length = static_cast<int32_t>(end - position);
      if (column.complex && looksLikeSparseVector(column)) sparseVector = parseSparseVector(column.data);
      position = end;
    } else {
      column.length = end > position ? static_cast<int32_t>(end - position) : 0;
    }
    variableColumns.push_back(std::move(column));
  }
  return position;
}

bool CPrimaryRecord::followStub(Bytes stub, const PageContext& context, std::vector<uint8_t>& target) {
  if (!context.file || !fits(stub, 1, 8)) return false;
  RowId to = rowIdAt(stub, 1);
  if (to.slot < 0) return false;
  PageBuffer buffer = context.file->readPageBuffer(to.page());
  if (!buffer) return false;
  // The target is read without following stubs again: a stub that points at
  // a stub (or at itself) ends here instead of looping.
  PrimaryRecordPage page(std::move(buffer), context, to.slot);
  if (page.records().empty() || !page.records().front()) return false;
  const CRecord& found = *page.records().front();
  if (found.rawCopy.empty() || found.recordLength <= 0) return false;
  target = found.rawCopy;
  target.push_back(0);
  return true;
}

bool looksLikeSparseVector(const VariableColumn& column) {
  if (!column.hasData || column.data.size() == 16 || column.data.empty()) return false;
  Bytes b(column.data.data(), column.data.size());
  return b[0] == 5 || (b[0] == 0 && u16At(b, 0) == 5);
}

std::unique_ptr<SparseVector> parseSparseVector(Bytes value) {
  auto vector = std::make_unique<SparseVector>();
  size_t t = value.size();
  int k = u16At(value, 2);
  vector->columnCount = static_cast<int16_t>(k);
  size_t idsEnd = 4 + 2 * static_cast<size_t>(k);
  if (idsEnd >= kPageSize || 4 + 4 * static_cast<size_t>(k) >= kPageSize || t <= 4 || idsEnd >= t) {
    return vector;
  }
  size_t start = 4 + 4 * static_cast<size_t>(k);
  for (int j = 0; j < k; ++j) {
    VariableColumn column;
    column.columnId = u16At(value, 4 + 2 * static_cast<size_t>(j));
    size_t end = u16At(value, idsEnd + 2 * static_cast<size_t>(j));
    column.length = static_cast<int32_t>(end) - static_cast<int32_t>(start);
    if (start < end && end - start <= static_cast<size_t>(kMaxFixedData) && start < kMaxFixedData && end <= t) {
      column.data = copyOf(value, start, end - start);
      column.hasData = true;
    }
    vector->columns.push_back(std::move(column));
    start = end;
  }
  return vector;
}

}  // namespace pellora
