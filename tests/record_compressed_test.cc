// The compressed (column-descriptor) record format, the compression
// information record of page-compressed pages, and the expansion of
// compressed records into the image the row decoder reads.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kit/byte_writes.h"
#include "kit/page_builder.h"
#include "storage/compression_info.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"
#include "storage/record_expansion.h"

namespace pellora {
namespace {

using ByteList = std::vector<uint8_t>;

ByteList bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// One compressed record, laid out part by part; every part can be replaced
// by raw bytes to make it wrong.
struct CompressedRecord {
  CompressedRecord(std::vector<int> codes = {}, ByteList shortData = {}, std::vector<ByteList> longValues = {})
      : codes(std::move(codes)), shortData(std::move(shortData)), longValues(std::move(longValues)) {}
  CompressedRecord& withCount(ByteList raw) {
    rawCount = std::move(raw);
    return *this;
  }

  std::vector<int> codes;
  ByteList shortData;
  std::vector<ByteList> longValues;
  uint8_t kind = 0;
  std::optional<ByteList> rawCount;      // instead of the one-byte count
  std::optional<ByteList> rawLongHeader; // flags, count and end offsets

  ByteList build() const {
    size_t n = codes.size();
    ByteList out;
    uint8_t status = static_cast<uint8_t>(0x01 | (kind << 1) | (longValues.empty() && !rawLongHeader ? 0 : 0x20));
    out.push_back(status);
    if (rawCount) {
      out.insert(out.end(), rawCount->begin(), rawCount->end());
    } else {
      out.push_back(static_cast<uint8_t>(n));
    }
    for (size_t i = 0; i < n; i += 2) {
      int high = i + 1 < n ? codes[i + 1] : 0;
      out.push_back(static_cast<uint8_t>(codes[i] | (high << 4)));
    }
    size_t clusters = n == 0 ? 0 : (n - 1) / 30;
    out.insert(out.end(), clusters, 0);
    out.insert(out.end(), shortData.begin(), shortData.end());
    if (rawLongHeader) {
      out.insert(out.end(), rawLongHeader->begin(), rawLongHeader->end());
    } else if (!longValues.empty()) {
      out.push_back(0x01);
      kit::appendU16(out, static_cast<uint16_t>(longValues.size()));
      uint16_t end = 0;
      for (const ByteList& value : longValues) kit::appendU16(out, end = static_cast<uint16_t>(end + value.size()));
    }
    if (rawLongHeader || !longValues.empty()) out.insert(out.end(), clusters, 0);
    for (const ByteList& value : longValues) out.insert(out.end(), value.begin(), value.end());
    return out;
  }
};

// A record read straight from a page at offset 96, without expansion.
struct ParsedRecord {
  explicit ParsedRecord(const ByteList& record, size_t available = kPageSize - 96) {
    kit::PageBuilder builder;
    builder.type(kit::PageType::kData).pageNumber(4).addRecord(record);
    bytes = builder.build();
    CPage_Header header(bytes);
    parsed = std::make_unique<CPrimaryRecord>(header, Bytes(bytes.data(), bytes.size()), 96, available,
                                              PageContext{nullptr, &flags});
  }
  RunFlags flags;
  PageBytes bytes;
  std::unique_ptr<CPrimaryRecord> parsed;
};

std::vector<ByteList> longValuesOf(const CRecord& r) {
  std::vector<ByteList> values;
  for (const VariableColumn& column : r.variableColumns) values.push_back(column.hasData ? column.data : ByteList{});
  return values;
}

TEST(CompressedRecord, ColumnCountCodesClustersAndShortData) {
  std::vector<int> thirty(30, 0), thirtyOne(31, 0);
  thirty[29] = 2;
  thirtyOne[30] = 2;
  std::vector<int> many(129, 0);
  struct Case {
    const char* name;
    CompressedRecord record;
    bool damaged;
    int16_t columnCount;
    int16_t shortDataSize;
    ByteList shortData;
    std::vector<ByteList> longValues;
  } cases[] = {
      {"one of each kind of value",
       {{2, 0, 10, 12}, {0x41, 0x07}, {bytesOf("hello")}}, false, 4, 2, {0x41, 0x07}, {bytesOf("hello")}},
      {"30 columns: no cluster byte", {thirty, {0x99}}, false, 30, 1, {0x99}, {}},
      {"31 columns: one cluster byte", {thirtyOne, {0x99}}, false, 31, 2, {0x99}, {}},
      {"every short size", {{2, 3, 4, 5, 6, 7, 8, 9}, ByteList(36, 0x11)}, false, 8, 36, ByteList(36, 0x11), {}},
      {"codes without short bytes", {{0, 1, 11, 13, 14, 15}, {}}, false, 6, 0, {}, {}},
      {"no columns", {{}, {}}, true, 0, 0, {}, {}},
      // The two-byte count is the little-endian value with its flag bit.
      {"two-byte count 0x0081", CompressedRecord(many).withCount({0x81, 0x00}), false, 129, 4, {}, {}},
      {"two-byte count 0x0481", CompressedRecord(many).withCount({0x81, 0x04}), true, 0, 0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ParsedRecord r(c.record.build());
    EXPECT_TRUE(r.parsed->compressed);
    EXPECT_EQ(r.parsed->damaged, c.damaged);
    if (c.damaged) continue;
    EXPECT_EQ(r.parsed->columnCount, c.columnCount);
    EXPECT_EQ(r.parsed->columnCodes.size(), static_cast<size_t>(c.columnCount));
    EXPECT_EQ(r.parsed->shortDataSize, c.shortDataSize);
    EXPECT_EQ(r.parsed->shortData, c.shortData);
    EXPECT_EQ(r.parsed->fixedDataLength, static_cast<int16_t>(c.shortData.size()));
    EXPECT_EQ(longValuesOf(*r.parsed), c.longValues);
  }
  ParsedRecord mixed(cases[0].record.build());
  EXPECT_EQ(mixed.parsed->columnCodes, (std::vector<int32_t>{2, 0, 10, 12}));
  EXPECT_EQ(mixed.parsed->recordLength, static_cast<int32_t>(cases[0].record.build().size()));
}

TEST(CompressedRecord, DamagedLongDataRegion) {
  // Three columns, all long; the header bytes are given raw.
  auto withHeader = [](ByteList header) {
    CompressedRecord record{{10, 10, 10}, {}, {}};
    record.rawLongHeader = std::move(header);
    ByteList bytes = record.build();
    for (char c : std::string("aaabbbbcc")) bytes.push_back(static_cast<uint8_t>(c));
    return bytes;
  };
  struct Case {
    const char* name;
    ByteList record;
    size_t available;
    std::vector<ByteList> values;  // the entries that have data
    size_t entries;
    size_t offsets;
  } cases[] = {
      {"in bounds", withHeader({1, 3, 0, 3, 0, 7, 0, 9, 0}), 8096,
       {bytesOf("aaa"), bytesOf("bbbb"), bytesOf("cc")}, 3, 3},
      {"complex flag kept apart", withHeader({1, 3, 0, 3, 0x80, 7, 0, 9, 0}), 8096,
       {bytesOf("aaa"), bytesOf("bbbb"), bytesOf("cc")}, 3, 3},
      {"no offset array flag", withHeader({0, 3, 0, 3, 0, 7, 0, 9, 0}), 8096, {}, 0, 0},
      {"more offsets than columns", withHeader({1, 4, 0, 3, 0, 7, 0, 9, 0}), 8096, {}, 0, 0},
      // An impossible length gives an entry without data; the next value is
      // then measured from the same start.
      {"second end beyond the page", withHeader({1, 3, 0, 3, 0, 0, 0x70, 9, 0}), 8096,
       {bytesOf("aaa"), bytesOf("bbbbcc")}, 3, 3},
      // A value running past the available bytes gives no entry at all.
      {"second end past the available bytes", withHeader({1, 3, 0, 3, 0, 20, 0, 9, 0}), 30,
       {bytesOf("aaa"), bytesOf("bbbbcc")}, 2, 3},
      {"ends going backwards", withHeader({1, 3, 0, 3, 0, 2, 0, 9, 0}), 8096,
       {bytesOf("aaa"), bytesOf("bbbbcc")}, 2, 3},
      // 1 + 1 + 2 = 4 bytes before the region; only the first offset lies
      // inside 10 bytes, and its value does not.
      {"offset array cut by the available bytes", withHeader({1, 3, 0, 3, 0, 7, 0, 9, 0}), 10, {}, 0, 1},
      {"region past the available bytes", withHeader({1, 3, 0, 3, 0, 7, 0, 9, 0}), 4, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ParsedRecord r(c.record, c.available);
    ASSERT_FALSE(r.parsed->damaged);
    EXPECT_EQ(r.parsed->longDataStart, 4);
    EXPECT_EQ(r.parsed->longDataOffsets.size(), c.offsets);
    EXPECT_EQ(r.parsed->variableColumns.size(), c.entries);
    std::vector<ByteList> values;
    for (const VariableColumn& column : r.parsed->variableColumns) {
      if (column.hasData) values.push_back(column.data);
    }
    EXPECT_EQ(values, c.values);
  }
  ParsedRecord complex(cases[1].record);
  ASSERT_EQ(complex.parsed->longDataOffsets.size(), 3u);
  EXPECT_TRUE(complex.parsed->longDataOffsets[0].complex);
  EXPECT_EQ(complex.parsed->longDataOffsets[0].end, 3);
  EXPECT_FALSE(complex.parsed->longDataOffsets[1].complex);
}

// A page-compressed page: the compression information record at 96, its
// anchor record at 103, its dictionary at `dictionaryAt`, then one record.
struct CompressedPage {
  CompressedRecord anchor;
  std::vector<ByteList> dictionary;
  uint16_t dictionaryAt = 60;  // counted from page offset 96
  std::optional<uint16_t> infoLength;
  uint8_t flags = 0x06;
  uint8_t typeFlagBits = 0x80;
  std::optional<std::vector<uint16_t>> rawDictionaryEnds;

  kit::PageBuilder build(const ByteList& record) const {
    kit::PageBuilder page;
    page.type(kit::PageType::kData).pageNumber(9).typeFlagBits(typeFlagBits);
    page.writeU8(96, flags).writeU16(99, dictionaryAt);
    page.writeBytes(103, anchor.build());
    uint16_t end = static_cast<uint16_t>(2 + 2 * dictionary.size());
    if (dictionaryAt != 0) end = writeDictionary(page);
    page.writeU16(101, infoLength ? *infoLength : end + dictionaryAt);
    page.addRecordAt(400, record);
    return page;
  }

  // Returns the end of the last entry, counted from the dictionary start.
  uint16_t writeDictionary(kit::PageBuilder& page) const {
    size_t at = 96 + dictionaryAt;
    page.writeU16(at, static_cast<uint16_t>(dictionary.size()));
    uint16_t end = static_cast<uint16_t>(2 + 2 * dictionary.size());
    for (size_t k = 0; k < dictionary.size(); ++k) {
      end = static_cast<uint16_t>(end + dictionary[k].size());
      page.writeU16(at + 2 + 2 * k, rawDictionaryEnds ? (*rawDictionaryEnds)[k] : end);
    }
    page.writeBytes(at + 2 + 2 * dictionary.size(), [&] {
      ByteList entries;
      for (const ByteList& entry : dictionary) entries.insert(entries.end(), entry.begin(), entry.end());
      return entries;
    }());
    return end;
  }
};

std::unique_ptr<PrimaryRecordPage> readPage(const kit::PageBuilder& builder, const ExpansionTable* table,
                                            const RunFlags& flags) {
  return std::make_unique<PrimaryRecordPage>(std::make_unique<PageBytes>(builder.build()),
                                             PageContext{nullptr, &flags, table});
}

std::vector<ByteList> dataOf(const std::vector<StoredValue>& values) {
  std::vector<ByteList> out;
  for (const StoredValue& value : values) out.push_back(value.data);
  return out;
}

TEST(CompressionInfo, AnchorValuesAndDictionary) {
  CompressedPage info;
  // null, empty, a 3-byte value, a page symbol (no anchor value), a long value.
  info.anchor = {{0, 1, 4, 12, 10}, {0xA1, 0xA2, 0xA3, 0x05}, {bytesOf("anchor")}};
  info.dictionary = {bytesOf("one"), bytesOf("two!"), bytesOf("x")};
  ExpansionTable table(5, ExpansionColumn{1, 8, 0});
  RunFlags flags;
  auto page = readPage(info.build(CompressedRecord{{0, 0, 0, 0, 0}}.build()), &table, flags);
  const CompressionInfo& read = page->compressionInfo();
  ASSERT_TRUE(read.present);
  EXPECT_TRUE(read.hasAnchor);
  EXPECT_TRUE(read.hasDictionary);
  EXPECT_EQ(read.head[0], 0x06);
  EXPECT_EQ(read.head[3], 60);
  ASSERT_TRUE(read.anchor);
  EXPECT_FALSE(read.anchor->damaged);
  ASSERT_EQ(read.anchorValues.size(), 5u);
  std::vector<int32_t> lengths;
  for (const StoredValue& value : read.anchorValues) lengths.push_back(value.length);
  EXPECT_EQ(lengths, (std::vector<int32_t>{kNullAnchorValue, kEmptyAnchorValue, 3, 0, 6}));
  EXPECT_EQ(read.anchorValues[2].data, (ByteList{0xA1, 0xA2, 0xA3}));
  EXPECT_EQ(read.anchorValues[4].data, bytesOf("anchor"));
  EXPECT_EQ(dataOf(read.dictionary), (std::vector<ByteList>{bytesOf("one"), bytesOf("two!"), bytesOf("x")}));
  EXPECT_EQ(read.dictionaryEnds, (std::vector<int32_t>{11, 15, 16}));
}

TEST(CompressionInfo, WhenTheRecordOrItsPartsAreIgnored) {
  CompressedPage base;
  base.anchor = {{4}, {1, 2, 3}};
  base.dictionary = {bytesOf("ab"), bytesOf("cd")};
  struct Case {
    const char* name;
    CompressedPage page;
    bool present;
    bool anchor;
    std::vector<ByteList> dictionary;
  };
  auto with = [&](auto change) {
    CompressedPage page = base;
    change(page);
    return page;
  };
  Case cases[] = {
      {"complete", base, true, true, {bytesOf("ab"), bytesOf("cd")}},
      {"page not flagged", with([](CompressedPage& p) { p.typeFlagBits = 0; }), false, false, {}},
      {"length field 0", with([](CompressedPage& p) { p.infoLength = 0; }), false, false, {}},
      {"dictionary only: not read", with([](CompressedPage& p) { p.flags = 0x04; }), true, false, {}},
      {"dictionary offset 0", with([](CompressedPage& p) { p.dictionaryAt = 0; p.infoLength = 200; }), true, true, {}},
      {"dictionary offset at the length", with([](CompressedPage& p) { p.infoLength = 60; }), true, true, {}},
      {"length at 4096", with([](CompressedPage& p) { p.infoLength = 4096; }), true, true, {}},
      // An end past 4096 ends the offsets read.
      {"end offset above 4096", with([](CompressedPage& p) { p.rawDictionaryEnds = {8, 5000}; }), true, true,
       {bytesOf("ab")}},
      // An entry of length 0 keeps its place, so symbol 1 still names "cd".
      {"empty entry", with([](CompressedPage& p) { p.rawDictionaryEnds = {6, 8}; }), true, true,
       {ByteList{}, bytesOf("ab")}},
  };
  ExpansionTable table(1, ExpansionColumn{1, 3, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunFlags flags;
    auto page = readPage(c.page.build(CompressedRecord{{0}}.build()), &table, flags);
    const CompressionInfo& read = page->compressionInfo();
    EXPECT_EQ(read.present, c.present);
    EXPECT_EQ(read.anchor != nullptr, c.anchor);
    EXPECT_EQ(dataOf(read.dictionary), c.dictionary);
  }
}

TEST(CompressionInfo, AnchorWithoutDictionaryStartsAt101) {
  kit::PageBuilder page;
  page.type(kit::PageType::kData).pageNumber(9).typeFlagBits(0x80).writeU8(96, 0x02);
  // The anchor's status byte is the low byte of the length field.
  // The anchor's status byte and column count are the bytes of the length
  // field: 0x0110 is status 0x10 and one column. Then code 2 and its byte.
  ByteList anchor = {0x10, 0x01, 0x02, 0x77};
  page.writeBytes(101, anchor);
  ExpansionTable table(1, ExpansionColumn{1, 1, 0});
  RunFlags flags;
  auto read = readPage(page, &table, flags);
  ASSERT_TRUE(read->compressionInfo().anchor);
  ASSERT_EQ(read->compressionInfo().anchorValues.size(), 1u);
  EXPECT_EQ(read->compressionInfo().anchorValues[0].data, ByteList{0x77});
  flags.legacyCatalog = true;
  EXPECT_FALSE(readPage(page, &table, flags)->compressionInfo().anchor);
}

TEST(StoredInteger, BigEndianWithTheSignBitFlipped) {
  struct Case {
    ByteList stored;
    int64_t value;
  } cases[] = {
      {{0x85}, 5},          {{0x80}, 0},           {{0x7F}, -1},         {{0x81, 0x00}, 256},
      {{0x7F, 0x00}, -256}, {{0xFF, 0xFF}, 32767}, {{}, 0},
      {{0x80, 0, 0, 0, 0, 0, 0, 0x2A}, 42},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<int64_t>(storedIntegerValue(c.stored)), c.value);
  }
}

ExpansionColumn column(int typeCode, int width, int declared = 0) { return {typeCode, width, declared}; }

TEST(Expansion, ImagesColumnByColumn) {
  struct Case {
    const char* name;
    ExpansionTable table;
    CompressedRecord record;
    CompressedRecord anchor;  // no codes: no compression information record
    std::vector<ByteList> dictionary;
    ByteList image;
    std::vector<int32_t> lengths;  // per column; -1 for a null mark
  } cases[] = {
      {"int stored as 0x85", {column(kIntType, 4)}, {{2}, {0x85}}, {}, {}, {5, 0, 0, 0}, {4}},
      {"negative smallint", {column(kSmallIntType, 2)}, {{3}, {0x7F, 0xFE}}, {}, {}, {0xFE, 0xFF}, {2}},
      {"bigint of three bytes", {column(kBigIntType, 8)}, {{4}, {0x81, 0x02, 0x03}}, {}, {}, {3, 2, 1, 0, 0, 0, 0, 0},
       {8}},
      {"nulls take no room",
       {column(kIntType, 4), column(kIntType, 4), column(kIntType, 4)},
       {{2, 0, 2}, {0x81, 0x82}},
       {},
       {},
       {1, 0, 0, 0, 2, 0, 0, 0},
       {4, -1, 4}},
      {"binary(4) with an anchor prefix",
       {column(1, 4)},
       {{4}, {0x02, 0x11, 0x22}},
       {{5}, {0xDE, 0xAD, 0xBE, 0xEF}},
       {},
       {0xDE, 0xAD, 0x11, 0x22},
       {4}},
      {"prefix longer than the anchor value is not applied",
       {column(1, 4)},
       {{4}, {0x05, 0x11, 0x22}},
       {{5}, {0xDE, 0xAD, 0xBE, 0xEF}},
       {},
       {0x05, 0x11, 0x22, 0},
       {4}},
      {"int with an anchor prefix", {column(kIntType, 4)}, {{3}, {0x01, 0x07}}, {{2}, {0x80}}, {}, {7, 0, 0, 0}, {4}},
      {"empty column takes the anchor value", {column(1, 3)}, {{1}, {}}, {{4}, {'a', 'b', 'c'}}, {}, bytesOf("abc"),
       {3}},
      {"empty column without an anchor value", {column(1, 3)}, {{1}, {}}, {}, {}, {}, {0}},
      {"short value in a declared length", {column(1, 8, 3)}, {{4}, bytesOf("xyz")}, {}, {}, bytesOf("xyz"), {3}},
      {"page symbol", {column(1, 4)}, {{12}, {1}}, {{0}, {}}, {bytesOf("ab"), bytesOf("cdef")}, bytesOf("cdef"), {4}},
      {"page symbol past the dictionary", {column(1, 4)}, {{12}, {2}}, {{0}, {}}, {bytesOf("ab"), bytesOf("cd")}, {},
       {0}},
      {"page symbol of 8 bytes", {column(1, 8)}, {{12}, {0}}, {{0}, {}}, {bytesOf("12345678")}, {}, {0}},
      // SCSU starts with its window at U+0080: byte E9 is U+00E9.
      {"nchar with an anchor prefix is decoded",
       {column(kNCharType, 6)},
       {{4}, {0x02, 0xE9, 'C'}},
       {{3}, {'A', 'B'}},
       {},
       {'A', 0, 'B', 0, 0xE9, 0},
       {6}},
      {"nvarchar without a prefix stays as stored", {column(kNVarCharType, 8)}, {{3}, {'A', 0xE9}}, {}, {},
       {'A', 0xE9, 0, 0, 0, 0, 0, 0}, {8}},
      {"long value leaves the image alone", {column(1, 4), column(9, 4)}, {{10, 2}, {0x81}, {bytesOf("long")}}, {}, {},
       {1, 0, 0, 0}, {0, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CompressedPage info;
    info.anchor = c.anchor;
    info.dictionary = c.dictionary;
    if (c.anchor.codes.empty()) info.typeFlagBits = 0;
    RunFlags flags;
    auto page = readPage(info.build(c.record.build()), &c.table, flags);
    ASSERT_EQ(page->records().size(), 1u);
    const auto& r = static_cast<const CPrimaryRecord&>(*page->records()[0]);
    ASSERT_FALSE(r.damaged);
    EXPECT_TRUE(r.expanded);
    EXPECT_EQ(r.fixedData, c.image);
    EXPECT_EQ(r.fixedDataLength, static_cast<int16_t>(c.image.size()));
    std::vector<int32_t> lengths;
    for (const ExpandedColumn& entry : r.expandedColumns) lengths.push_back(entry.nullMark ? -1 : entry.shortDataLength);
    EXPECT_EQ(lengths, c.lengths);
  }
}

TEST(Expansion, LongValueGetsItsAnchorPrefixBackWhenItFits) {
  CompressedPage info;
  info.anchor = {{10, 10}, {}, {bytesOf("prefix"), bytesOf("other")}};
  for (int width : {100, 5}) {
    SCOPED_TRACE(width);
    ExpansionTable table = {column(1, width), column(1, width)};
    RunFlags flags;
    CompressedRecord record{{10, 10}, {}, {ByteList{3, 'x', 'y'}, ByteList{0, 'z'}}};
    auto page = readPage(info.build(record.build()), &table, flags);
    const CRecord& r = *page->records().at(0);
    ASSERT_EQ(r.variableColumns.size(), 2u);
    // 3 + 2 = 5 bytes rebuilt: below a width of 100, not below 5.
    EXPECT_EQ(r.variableColumns[0].data, width == 100 ? bytesOf("prexy") : (ByteList{3, 'x', 'y'}));
    EXPECT_EQ(r.variableColumns[1].data, bytesOf("z"));
  }
}

TEST(Expansion, WhichRecordsAreExpanded) {
  CompressedRecord record{{2, 2}, {0x81, 0x82}};
  ExpansionTable two = {column(kIntType, 4), column(kIntType, 4)};
  ExpansionTable three = {column(kIntType, 4), column(kIntType, 4), column(kIntType, 4)};
  struct Case {
    const char* name;
    const ExpansionTable* table;
    uint8_t kind;
    bool legacy;
    bool expanded;
    ByteList fixedData;
  } cases[] = {
      {"matching table", &two, 0, false, true, {1, 0, 0, 0, 2, 0, 0, 0}},
      {"no current table: empty image", nullptr, 0, false, true, {}},
      {"other column count", &three, 0, false, false, {0x81, 0x82}},
      {"forwarded record", &two, 1, false, false, {0x81, 0x82}},
      {"legacy catalog", &two, 0, true, false, {0x81, 0x82}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CompressedRecord r = record;
    r.kind = c.kind;
    kit::PageBuilder builder;
    builder.type(kit::PageType::kData).pageNumber(9).addRecord(r.build());
    RunFlags flags;
    flags.legacyCatalog = c.legacy;
    auto page = readPage(builder, c.table, flags);
    const auto& read = static_cast<const CPrimaryRecord&>(*page->records().at(0));
    EXPECT_EQ(read.expanded, c.expanded);
    EXPECT_EQ(read.fixedData, c.fixedData);
    EXPECT_EQ(read.shortData, (ByteList{0x81, 0x82})) << "the stored short data stays";
  }
}

}  // namespace
}  // namespace pellora
