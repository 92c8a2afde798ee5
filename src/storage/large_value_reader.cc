#include "storage/large_value_reader.h"

#include <new>

#include "storage/record.h"

namespace pellora {

namespace {

constexpr size_t kTextPointerSize = 16;
constexpr size_t kTextPointerRowOffset = 8;
constexpr size_t kInRowRootHeaderSize = 12;
constexpr size_t kInRowRootEntrySize = 12;
constexpr int16_t kLastFileId = 1000;

constexpr size_t kVariantHeaderSize = 8;
constexpr uint8_t kVariantVarbinary = 165;
constexpr uint8_t kVariantBinary = 173;
constexpr uint8_t kVariantNvarchar = 231;
constexpr uint8_t kVariantNchar = 239;

ValueForm variantForm(uint8_t baseType) {
  if (baseType == kVariantVarbinary || baseType == kVariantBinary) return ValueForm::kBinaryHex;
  if (baseType == kVariantNvarchar || baseType == kVariantNchar) return ValueForm::kUnicodeText;
  return ValueForm::kCodePageText;
}

// Hands the gathered value over: to the collector for xml, else as text.
std::string finish(LargeValueAssembly& assembly, const LargeValueRequest& request) {
  if (request.collecting()) {
    for (auto& fragment : assembly.fragments()) request.collector->push_back(std::move(fragment));
    return std::string();
  }
  std::vector<uint8_t> value = assembly.joined();
  return renderLargeValue(value, request);
}

// A value too large for memory reads as nothing rather than ending the run.
template <typename Read>
std::string guarded(Read read) {
  try {
    return read();
  } catch (const std::bad_alloc&) {
    return std::string();
  }
}

}  // namespace

LargeValueRequest requestFor(const CRecord& row, int codePage) {
  LargeValueRequest request;
  request.codePage = codePage;
  request.variant = row.variantValue;
  if (row.binaryValue) {
    request.form = ValueForm::kBinaryHex;
  } else if (row.unicodeValue) {
    request.form = ValueForm::kUnicodeText;
  }
  return request;
}

std::string renderLargeValue(Bytes value, const LargeValueRequest& request) {
  if (!request.variant) return renderValue(value, request.form, request.codePage);
  if (value.empty()) return std::string();
  Bytes body = sliceOf(value, kVariantHeaderSize, value.size());
  return renderValue(body, variantForm(value[0]), request.codePage);
}

std::string readLargeRecord(const TextRecord& record, LargeValueSource& source,
                            const LargeValueRequest& request) {
  return guarded([&] {
    LargeValueAssembly assembly(source);
    assembly.addRecord(record);
    return finish(assembly, request);
  });
}

std::string readTextPointer(LargeValueSource& source, Bytes pointer, const LargeValueRequest& request) {
  if (pointer.size() < kTextPointerSize) return std::string();
  return guarded([&] {
    LargeValueAssembly assembly(source);
    if (!assembly.addReference(rowIdAt(pointer, kTextPointerRowOffset))) return std::string();
    std::string text = finish(assembly, request);
    if (text.empty() && !request.collecting()) return std::string(1, ' ');
    return text;
  });
}

std::string readInRowRoot(LargeValueSource& source, Bytes value, const LargeValueRequest& request) {
  return guarded([&] {
    LargeValueAssembly assembly(source);
    for (size_t at = kInRowRootHeaderSize; fits(value, at, kInRowRootEntrySize); at += kInRowRootEntrySize) {
      if (source.stopRequested()) break;
      if (s32At(value, at) <= 0) continue;
      RowId row = rowIdAt(value, at + 4);
      if (row.fileId > kLastFileId) row.fileId = 1;
      assembly.addReference(row);
    }
    return finish(assembly, request);
  });
}

std::string readLargeRecord(const TextRecord& record, DatabaseFile& file, const LargeValueRequest& request) {
  FileLargeValueSource source(file);
  return readLargeRecord(record, source, request);
}

std::string readTextPointer(DatabaseFile& file, Bytes pointer, const LargeValueRequest& request) {
  FileLargeValueSource source(file);
  return readTextPointer(source, pointer, request);
}

std::string readInRowRoot(DatabaseFile& file, Bytes value, const LargeValueRequest& request) {
  FileLargeValueSource source(file);
  return readInRowRoot(source, value, request);
}

}  // namespace pellora
