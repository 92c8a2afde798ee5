// The compressed (column-descriptor) record format: status byte A, the
// column count, one 4-bit code per column, cluster bytes, the short data
// region, an optional null bitmap and the long data region.
#include "storage/record.h"
#include "storage/record_limits.h"

namespace pellora {

namespace {

constexpr uint8_t kTwoByteCountFlag = 0x80;
constexpr uint8_t kOffsetArrayFlag = 0x01;
constexpr uint16_t kComplexFlag = 0x8000;
constexpr int kColumnsPerCluster = 30;
constexpr size_t kShortDataLimit = 8059;

size_t clusterCountOf(int columnCount) {
  return static_cast<size_t>((columnCount - 1) / kColumnsPerCluster);
}

}  // namespace

int shortSizeOf(int32_t code) {
  if (code >= kFirstShortCode && code <= kLastShortCode) return code - 1;
  return code == kPageSymbolCode ? 1 : 0;
}

void CPrimaryRecord::parseCompressed(Bytes record, size_t available) {
  // The two-byte count is taken as the plain little-endian value, flag bit
  // included; counts it makes above the column limit leave the record damaged.
  size_t countWidth = (u8At(record, 1) & kTwoByteCountFlag) ? 2 : 1;
  int n = countWidth == 1 ? u8At(record, 1) : u16At(record, 1);
  if (n == 0 || n > kMaxColumns) {
    damaged = true;
    return;
  }
  columnCount = static_cast<int16_t>(n);
  size_t start = readColumnCodes(record, countWidth, available);

  int shortTotal = 0;
  for (int32_t code : columnCodes) shortTotal += shortSizeOf(code);
  size_t clusters = clusterCountOf(n);
  shortDataSize = static_cast<int16_t>(clusters + static_cast<size_t>(shortTotal));
  fixedDataLength = static_cast<int16_t>(shortTotal);

  size_t position = start;
  size_t s = static_cast<size_t>(shortTotal);
  if (shortTotal > 0 && shortTotal < kMaxFixedData && s <= available && start + s <= kShortDataLimit &&
      start + s <= available) {
    shortData = copyOf(record, start, s);
    fixedData = shortData;
    hasFixedData = true;
    position = start + s;
  }
  if (hasNullBitmap) {
    size_t bitmapLength = (static_cast<size_t>(n) + 7) / 8;
    nullBitmap = copyOf(record, position, bitmapLength);
    position += bitmapLength;
  }
  if (hasVariableColumns) position = readLongData(record, position, available);
  recordLength = static_cast<int32_t>(position);
}

// Reads the codes, two per byte, low nibble first; returns the offset of the
// short data region, which lies past the codes and the cluster bytes.
size_t CPrimaryRecord::readColumnCodes(Bytes record, size_t countWidth, size_t available) {
  size_t n = static_cast<size_t>(columnCount);
  size_t first = 1 + countWidth;
  columnCodes.reserve(n);
  for (size_t at = first; columnCodes.size() < n && at < available && at < record.size(); ++at) {
    columnCodes.push_back(record[at] & 0x0F);
    if (columnCodes.size() < n) columnCodes.push_back(record[at] >> 4);
  }
  return first + (n + 1) / 2 + clusterCountOf(columnCount);
}

// The long data region at `position`: a flags byte, the offset array, the
// cluster bytes, then the long values. Returns the offset past the last value
// read.
size_t CPrimaryRecord::readLongData(Bytes record, size_t position, size_t available) {
  variableColumns.clear();
  longDataStart = static_cast<int32_t>(position);
  size_t q = position;
  if (q < available) {
    uint8_t flags = record[q];
    position = q + 1;
    if ((flags & kOffsetArrayFlag) && q + 3 < available) {
      int m = u16At(record, q + 1);
      if (m > 0 && m <= columnCount) {
        for (size_t k = 0; k < static_cast<size_t>(m); ++k) {
          size_t at = q + 3 + 2 * k;
          if (at + 2 > available) break;
          uint16_t stored = u16At(record, at);
          longDataOffsets.push_back({static_cast<uint16_t>(stored & ~kComplexFlag), (stored & kComplexFlag) != 0});
        }
        position = q + 3 + 2 * static_cast<size_t>(m);
      }
    }
  }
  variableColumnCount = static_cast<int16_t>(longDataOffsets.size());
  position += clusterCountOf(columnCount);
  if (longDataOffsets.empty() || longDataOffsets.size() >= static_cast<size_t>(kMaxColumns)) return position;

  int previousEnd = 0;
  for (const LongDataOffset& offset : longDataOffsets) {
    int length = static_cast<int>(offset.end) - previousEnd;
    if (length <= 0) continue;
    size_t size = static_cast<size_t>(length);
    VariableColumn column;
    column.complex = offset.complex;
    column.length = length;
    bool plausible = size < available && length < kPageSize && previousEnd < kPageSize;
    if (plausible) {
      // A value running past the record is left out and the next one is
      // measured from the same start.
      if (position + size >= static_cast<size_t>(kPageSize) || position + size > available) continue;
      column.data = copyOf(record, position, size);
      column.hasData = column.data.size() == size;
      previousEnd = offset.end;
      position += size;
    }
    variableColumns.push_back(std::move(column));
  }
  return position;
}

}  // namespace pellora
