#include "storage/compression_info.h"

#include <algorithm>

#include "storage/record_limits.h"

namespace pellora {

namespace {

constexpr uint8_t kAnchorFlag = 0x02;
constexpr uint8_t kDictionaryFlag = 0x04;
constexpr size_t kDictionaryOffsetField = 99;
constexpr size_t kLengthField = 101;
constexpr size_t kAnchorWithDictionary = 103;
constexpr size_t kAnchorWithoutDictionary = 101;
// The record, and so its dictionary, lies in the first half of the page.
constexpr size_t kInfoLimit = 4096;
constexpr size_t kDictionaryOffsetLimit = 4000;

std::unique_ptr<CPrimaryRecord> anchorAt(const CPage_Header& header, Bytes page, size_t offset,
                                         size_t available, const PageContext& context) {
  return std::make_unique<CPrimaryRecord>(header, page, offset, available, context,
                                          RecordReading{.followStubs = false, .forceCompressed = true});
}

// The dictionary at page offset 96 + dictionaryOffset: a count, that many end
// offsets counted from the dictionary start, then the entries' bytes. Entry k
// spans from the previous end (the end of the offset array for the first) to
// end k.
void readDictionary(Bytes page, size_t dictionaryOffset, size_t infoLength, CompressionInfo& info) {
  size_t start = kCompressionInfoOffset + dictionaryOffset;
  size_t count = u16At(page, start);
  for (size_t k = 0; k < count; ++k) {
    size_t at = start + 2 + 2 * k;
    if (!fits(page, at, 2)) break;
    uint16_t end = u16At(page, at);
    if (end > kInfoLimit) break;
    info.dictionaryEnds.push_back(end);
  }
  int32_t previousEnd = static_cast<int32_t>(2 + 2 * count);
  for (int32_t end : info.dictionaryEnds) {
    StoredValue entry;
    entry.length = end - previousEnd;
    size_t entryStart = start + static_cast<size_t>(std::max(previousEnd, 0));
    bool plausible = entry.length > 0 && static_cast<size_t>(entry.length) < infoLength && entryStart < kInfoLimit;
    if (plausible) {
      entry.data = copyOf(page, entryStart, static_cast<size_t>(entry.length));
      if (!entry.hasData()) entry.data.clear();
    }
    info.dictionary.push_back(std::move(entry));
    previousEnd = end;
  }
}

}  // namespace

CompressionInfo readCompressionInfo(const CPage_Header& header, Bytes page, const PageContext& context) {
  CompressionInfo info;
  size_t length = u16At(page, kLengthField);
  if (!header.hasCompressionInfo() || length == 0) return info;
  info.present = true;
  Bytes head = sliceOf(page, kCompressionInfoOffset, info.head.size());
  std::copy(head.begin(), head.end(), info.head.begin());
  info.hasAnchor = (info.head[0] & kAnchorFlag) != 0;
  info.hasDictionary = (info.head[0] & kDictionaryFlag) != 0;

  if (info.hasAnchor && info.hasDictionary) {
    info.anchor = anchorAt(header, page, kAnchorWithDictionary, length, context);
    size_t dictionaryOffset = u16At(page, kDictionaryOffsetField);
    if (!info.anchor->damaged && dictionaryOffset != 0 && dictionaryOffset < length && length < kInfoLimit &&
        dictionaryOffset < kDictionaryOffsetLimit) {
      readDictionary(page, dictionaryOffset, length, info);
    }
  } else if (info.hasAnchor && !context.legacyCatalog()) {
    info.anchor = anchorAt(header, page, kAnchorWithoutDictionary, length, context);
  }
  if (info.anchor && !info.anchor->damaged && !context.legacyCatalog()) {
    info.anchorValues = splitAnchorValues(*info.anchor, context);
  }
  return info;
}

std::vector<StoredValue> splitAnchorValues(const CPrimaryRecord& anchor, const PageContext& context) {
  std::vector<StoredValue> values;
  if (!context.currentTable) return values;
  size_t columns = std::min(anchor.columnCodes.size(), context.currentTable->size());
  Bytes shortData(anchor.shortData.data(), anchor.shortData.size());
  size_t shortPosition = 0;
  size_t longIndex = 0;
  for (size_t i = 0; i < columns && !context.stopRequested(); ++i) {
    int32_t code = anchor.columnCodes[i];
    StoredValue value;
    if (code == kNullCode) {
      value.length = kNullAnchorValue;
    } else if (code == kEmptyCode) {
      value.length = kEmptyAnchorValue;
    } else if (code >= kFirstShortCode && code <= kLastShortCode) {
      size_t size = static_cast<size_t>(shortSizeOf(code));
      value.data = copyOf(shortData, shortPosition, size);
      value.length = static_cast<int32_t>(value.data.size());
      shortPosition += size;
    } else if (code == kLongCode) {
      if (longIndex < anchor.variableColumns.size() && anchor.variableColumns[longIndex].hasData) {
        value.data = anchor.variableColumns[longIndex].data;
        value.length = static_cast<int32_t>(value.data.size());
      }
      ++longIndex;
    } else {
      // A page symbol has no anchor value; its byte is passed over so that
      // the values after it are read from the right place.
      shortPosition += static_cast<size_t>(shortSizeOf(code));
    }
    values.push_back(std::move(value));
  }
  return values;
}

}  // namespace pellora
