#include "storage/forwarded_row.h"

#include "storage/database_file.h"
#include "storage/record.h"

namespace pellora {

namespace {

constexpr size_t kBackPointerLength = 10;
constexpr size_t kBackPointerRowId = 2;  // after the tag
constexpr size_t kStubLength = 9;

bool isStubTo(Bytes page, uint16_t offset, RowId target) {
  if (!fits(page, offset, kStubLength)) return false;
  const int32_t kind = (page[offset] >> 1) & 7;
  return kind == kForwardingStub && rowIdAt(page, offset + 1u) == target;
}

}  // namespace

std::optional<RowId> backPointerOf(const CRecord& record) {
  if (record.kind != kForwardedRecord || record.compressed || record.variableColumns.empty()) return std::nullopt;
  const VariableColumn& last = record.variableColumns.back();
  if (!last.complex || !last.hasData || last.data.size() != kBackPointerLength) return std::nullopt;
  return rowIdAt(Bytes(last.data.data(), last.data.size()), kBackPointerRowId);
}

bool isReadAtItsStub(const CRecord& record, RowId self, const PageContext& context) {
  const std::optional<RowId> stub = backPointerOf(record);
  if (!stub || stub->slot < 0 || !context.file) return false;
  RecordPage page(context.file->readPageBuffer(stub->page()), context);
  const std::vector<uint16_t>& slots = page.slots();
  const size_t slot = static_cast<size_t>(stub->slot);
  return slot < slots.size() && isStubTo(page.bytes(), slots[slot], self);
}

}  // namespace pellora
