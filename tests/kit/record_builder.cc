#include "kit/record_builder.h"

#include <cstdlib>

#include "kit/byte_writes.h"

namespace pellora::kit {

RecordBuilder& RecordBuilder::kind(int kind) {
  kind_ = kind;
  return *this;
}

RecordBuilder& RecordBuilder::statusB(uint8_t v) {
  statusB_ = v;
  return *this;
}

RecordBuilder& RecordBuilder::statusA(uint8_t raw) {
  rawStatusA_ = raw;
  return *this;
}

RecordBuilder& RecordBuilder::fixed(Bytes bytes) {
  appendBytes(fixed_, bytes);
  return *this;
}

RecordBuilder& RecordBuilder::fixedU8(uint8_t v) {
  appendU8(fixed_, v);
  return *this;
}

RecordBuilder& RecordBuilder::fixedU16(uint16_t v) {
  appendU16(fixed_, v);
  return *this;
}

RecordBuilder& RecordBuilder::fixedU32(uint32_t v) {
  appendU32(fixed_, v);
  return *this;
}

RecordBuilder& RecordBuilder::fixedU64(uint64_t v) {
  appendU64(fixed_, v);
  return *this;
}

RecordBuilder& RecordBuilder::columnCount(uint16_t n) {
  columnCount_ = n;
  return *this;
}

RecordBuilder& RecordBuilder::columnCountOffset(uint16_t offset) {
  columnCountOffset_ = offset;
  return *this;
}

RecordBuilder& RecordBuilder::fixedOnly() {
  fixedOnly_ = true;
  nullBitmap_ = false;
  return *this;
}

RecordBuilder& RecordBuilder::withoutNullBitmap() {
  nullBitmap_ = false;
  return *this;
}

RecordBuilder& RecordBuilder::nullColumn(int index) {
  nullColumns_.push_back(index);
  return *this;
}

RecordBuilder& RecordBuilder::nullBitmapBytes(std::vector<uint8_t> bytes) {
  nullBitmapBytes_ = std::move(bytes);
  return *this;
}

RecordBuilder& RecordBuilder::variable(Bytes value, bool complex) {
  variables_.push_back({{value.begin(), value.end()}, complex, std::nullopt});
  return *this;
}

RecordBuilder& RecordBuilder::variableEndOffset(int i, uint16_t raw) {
  if (i < 0 || static_cast<size_t>(i) >= variables_.size()) std::abort();
  variables_[static_cast<size_t>(i)].rawEnd = raw;
  return *this;
}

uint8_t RecordBuilder::statusAByte() const {
  if (rawStatusA_) return *rawStatusA_;
  uint8_t status = static_cast<uint8_t>((kind_ & 7) << 1);
  if (nullBitmap_) status |= kNullBitmapStatus;
  if (!variables_.empty() && !fixedOnly_) status |= kVariableColumnsStatus;
  return status;
}

uint16_t RecordBuilder::effectiveColumnCount() const {
  return columnCount_ ? *columnCount_ : static_cast<uint16_t>(variables_.size());
}

std::vector<uint8_t> RecordBuilder::nullBitmap() const {
  if (nullBitmapBytes_) return *nullBitmapBytes_;
  std::vector<uint8_t> bitmap((effectiveColumnCount() + 7u) / 8u, 0);
  for (int index : nullColumns_) {
    if (index < 0) continue;
    size_t byte = static_cast<size_t>(index) / 8;
    if (byte < bitmap.size()) bitmap[byte] |= static_cast<uint8_t>(1u << (index % 8));
  }
  return bitmap;
}

std::vector<uint8_t> RecordBuilder::build() const {
  std::vector<uint8_t> out;
  appendU8(out, statusAByte());
  appendU8(out, statusB_);
  appendU16(out, columnCountOffset_ ? *columnCountOffset_ : static_cast<uint16_t>(4 + fixed_.size()));
  appendBytes(out, fixed_);
  if (fixedOnly_) return out;
  appendU16(out, effectiveColumnCount());
  if (nullBitmap_) appendBytes(out, nullBitmap());
  if (variables_.empty()) return out;
  appendU16(out, static_cast<uint16_t>(variables_.size()));
  size_t end = out.size() + 2 * variables_.size();
  for (const Variable& v : variables_) {
    end += v.value.size();
    uint16_t stored = static_cast<uint16_t>(end) | (v.complex ? kComplexColumnBit : 0);
    appendU16(out, v.rawEnd ? *v.rawEnd : stored);
  }
  for (const Variable& v : variables_) appendBytes(out, v.value);
  return out;
}

std::vector<uint8_t> forwardingStub(RowId target) {
  std::vector<uint8_t> out;
  appendU8(out, 2 << 1);
  appendU32(out, static_cast<uint32_t>(target.pageNumber));
  appendU16(out, static_cast<uint16_t>(target.fileId));
  appendU16(out, static_cast<uint16_t>(target.slot));
  return out;
}

std::vector<uint8_t> backPointer(RowId stub) {
  constexpr uint16_t kBackPointerTag = 0x0400;
  std::vector<uint8_t> out;
  appendU16(out, kBackPointerTag);
  const std::vector<uint8_t> stubRecord = forwardingStub(stub);
  out.insert(out.end(), stubRecord.begin() + 1, stubRecord.end());
  return out;
}

}  // namespace pellora::kit
