#include "storage/large_value_assembly.h"

#include "storage/lob_structure.h"

namespace pellora {

namespace {

std::vector<RowId> rowsOf(const Internal& node) {
  std::vector<RowId> rows;
  rows.reserve(node.children().size());
  for (const InternalChild& child : node.children()) rows.push_back(child.row);
  return rows;
}

std::vector<RowId> rowsOf(const LargeRootYukon& root) {
  std::vector<RowId> rows;
  rows.reserve(root.fragments().size());
  for (const FragmentReference& fragment : root.fragments()) rows.push_back(fragment.row);
  return rows;
}

}  // namespace

std::vector<RowId> LargeValueAssembly::takeRecord(const TextRecord& record) {
  auto append = [this](Bytes data) {
    if (!data.empty()) fragments_.emplace_back(data.begin(), data.end());
  };
  switch (normalizedStructureType(record.structureType)) {
    case kSmallRootType:
      append(SmallRoot(record).data());
      return {};
    case kDataFragmentType:
      append(LobSData(record).data());
      return {};
    case kInternalType:
      return rowsOf(Internal(record));
    case kLargeRootType:
      return rowsOf(LargeRootYukon(record));
    default:
      return {};
  }
}

void LargeValueAssembly::addRecord(const TextRecord& record, int depth) {
  addReferences(takeRecord(record), depth + 1);
}

bool LargeValueAssembly::enter(RowId row, int depth) {
  if (depth > kMaxLargeValueDepth || !visited_.insert(row).second) {
    complete_ = false;
    return false;
  }
  return true;
}

bool LargeValueAssembly::addReference(RowId row, int depth) {
  if (!enter(row, depth)) return false;
  std::vector<RowId> children;
  {
    // The page goes before the children are fetched: only one page of the
    // value is held at any time.
    std::unique_ptr<TextMixPage> page = source_.page(row.page());
    const TextRecord* record = page ? page->record(row.slot) : nullptr;
    if (!record || !record->hasFixedData) {
      complete_ = false;
      return false;
    }
    children = takeRecord(*record);
  }
  addReferences(children, depth + 1);
  return true;
}

void LargeValueAssembly::addReferences(const std::vector<RowId>& rows, int depth) {
  for (const RowId& row : rows) {
    if (source_.stopRequested()) {
      complete_ = false;
      return;
    }
    addReference(row, depth);
  }
}

std::vector<uint8_t> LargeValueAssembly::joined() const {
  size_t total = 0;
  for (const auto& fragment : fragments_) total += fragment.size();
  std::vector<uint8_t> bytes;
  bytes.reserve(total);
  for (const auto& fragment : fragments_) bytes.insert(bytes.end(), fragment.begin(), fragment.end());
  return bytes;
}

}  // namespace pellora
