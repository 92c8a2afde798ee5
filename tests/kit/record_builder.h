// RecordBuilder: one uncompressed record, laid out as
//   status A, status B, column-count offset (2), fixed data,
//   column count (2), null bitmap, variable count (2), end offsets, values.
// Each part can be left out or given a wrong value on purpose.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "storage/page_id.h"

namespace pellora::kit {

constexpr uint8_t kNullBitmapStatus = 0x10;
constexpr uint8_t kVariableColumnsStatus = 0x20;
constexpr uint16_t kComplexColumnBit = 0x8000;

class RecordBuilder {
 public:
  // A primary record with a null bitmap and no columns yet.
  RecordBuilder() = default;

  // Record kind, status A bits 1-3 (0 primary, 1 forwarded, 6 ghost, ...).
  RecordBuilder& kind(int kind);
  RecordBuilder& statusB(uint8_t v);
  // Replaces the whole of status A; the null-bitmap and variable-column bits
  // then no longer follow the parts added.
  RecordBuilder& statusA(uint8_t raw);

  // Fixed data, appended in call order.
  RecordBuilder& fixed(Bytes bytes);
  RecordBuilder& fixedU8(uint8_t v);
  RecordBuilder& fixedU16(uint16_t v);
  RecordBuilder& fixedU32(uint32_t v);
  RecordBuilder& fixedU64(uint64_t v);

  // The column count; by default the number of variable columns.
  RecordBuilder& columnCount(uint16_t n);
  // Stores this value at bytes 2-3 instead of 4 + fixed length.
  RecordBuilder& columnCountOffset(uint16_t offset);
  // Only status, column-count offset and fixed data: the shape of the records
  // of allocation pages and of the boot page.
  RecordBuilder& fixedOnly();

  RecordBuilder& withoutNullBitmap();
  // Marks column `index` (0-based) null in the bitmap.
  RecordBuilder& nullColumn(int index);
  // The bitmap bytes as given, whatever their count.
  RecordBuilder& nullBitmapBytes(std::vector<uint8_t> bytes);

  // A variable column; its end offset is computed, with bit 15 when complex.
  RecordBuilder& variable(Bytes value, bool complex = false);
  // Stores `raw` as variable column i's end offset instead of the computed one.
  RecordBuilder& variableEndOffset(int i, uint16_t raw);

  std::vector<uint8_t> build() const;

 private:
  uint8_t statusAByte() const;
  uint16_t effectiveColumnCount() const;
  std::vector<uint8_t> nullBitmap() const;

  int kind_ = 0;
  uint8_t statusB_ = 0;
  std::optional<uint8_t> rawStatusA_;
  std::vector<uint8_t> fixed_;
  std::optional<uint16_t> columnCount_;
  std::optional<uint16_t> columnCountOffset_;
  bool fixedOnly_ = false;
  bool nullBitmap_ = true;
  std::vector<int> nullColumns_;
  std::optional<std::vector<uint8_t>> nullBitmapBytes_;
  struct Variable {
    std::vector<uint8_t> value;
    bool complex;
    std::optional<uint16_t> rawEnd;
  };
  std::vector<Variable> variables_;
};

// A forwarding stub: status 0x04, then the target row's page number, file id
// and slot.
std::vector<uint8_t> forwardingStub(RowId target);
// The back pointer a forwarded record keeps as its last variable column
// (complex): a 2-byte tag, then the stub's row id as a stub stores one.
std::vector<uint8_t> backPointer(RowId stub);

}  // namespace pellora::kit
