// Large values: the structures they are stored as, how a value is gathered
// from its tree whatever shape the tree has (or whatever damage it carries),
// and the forms it is rendered in.
#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "kit/byte_writes.h"
#include "kit/large_value_pages.h"
#include "kit/primary_file.h"
#include "kit/temp_dir.h"
#include "kit/utf16.h"
#include "storage/database_file.h"
#include "storage/large_value_reader.h"

namespace pellora {
namespace {

using kit::FragmentEntry;
using kit::RecordBytes;

RowId row(int32_t page, int16_t slot, int16_t file = 1) { return {file, page, slot}; }

RecordBytes bytesOf(std::string_view text) { return RecordBytes(text.begin(), text.end()); }

LargeValueRequest as(ValueForm form, int codePage = 1252) {
  LargeValueRequest request;
  request.form = form;
  request.codePage = codePage;
  return request;
}

std::string readPointer(LargeValueSource& source, RowId target, const LargeValueRequest& request) {
  return readTextPointer(source, kit::textPointer(target), request);
}

// `value` cut after each of `sizes` bytes; the rest is the last piece.
std::vector<RecordBytes> split(const RecordBytes& value, std::vector<size_t> sizes) {
  std::vector<RecordBytes> pieces;
  size_t at = 0;
  for (size_t size : sizes) {
    pieces.emplace_back(value.begin() + at, value.begin() + at + size);
    at += size;
  }
  pieces.emplace_back(value.begin() + at, value.end());
  return pieces;
}

std::vector<RecordBytes> fragmentsOf(const std::vector<RecordBytes>& pieces) {
  std::vector<RecordBytes> records;
  for (const RecordBytes& piece : pieces) records.push_back(kit::dataFragmentRecord(piece));
  return records;
}

// A small root holding `data`, read through a text pointer and as a record
// handed over directly: both entry points render the same.
TEST(LargeValueForms, SmallRootInEachForm) {
  LargeValueRequest variant = as(ValueForm::kCodePageText);
  variant.variant = true;
  RecordBytes nvarcharVariant = {231, 0, 0, 0, 0, 0, 0, 0};
  kit::appendBytes(nvarcharVariant, kit::utf16leBytes("Жук"));
  RecordBytes varbinaryVariant = {165, 0, 0, 0, 0, 0, 0, 0, 0x0A, 0xB0};
  struct Case {
    const char* name;
    RecordBytes data;
    LargeValueRequest request;
    std::string expected;
  } cases[] = {
      {"UTF-16 Latin stored as 8-bit text", {0x41, 0, 0x42, 0, 0x43, 0}, as(ValueForm::kCodePageText), "ABC"},
      {"binary", {0x00, 0xAB, 0x5F}, as(ValueForm::kBinaryHex), "00AB5F"},
      {"binary with its zero bytes", {0x41, 0x00, 0x42, 0x00}, as(ValueForm::kBinaryHex), "41004200"},
      {"code page 1251", bytesOf("\xCF\xF0\xE8\xE2\xE5\xF2"), as(ValueForm::kCodePageText, 1251), "Привет"},
      {"code page 1252", bytesOf("caf\xE9"), as(ValueForm::kCodePageText, 1252), "café"},
      {"8-bit text ends at a zero byte", bytesOf(std::string_view("AB\0CD", 5)), as(ValueForm::kCodePageText),
       "AB"},
      {"UTF-16 Latin", kit::utf16leBytes("ABC"), as(ValueForm::kUnicodeText), "ABC"},
      {"UTF-16 beyond Latin", kit::utf16leBytes("Привет 日本 😀"), as(ValueForm::kUnicodeText),
       "Привет 日本 😀"},
      {"variant of nvarchar", nvarcharVariant, variant, "Жук"},
      {"variant of varbinary", varbinaryVariant, variant, "0AB0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordBytes record = kit::smallRootRecord(c.data);
    kit::MemoryLargeValueSource source;
    source.add({1, 100}, {record});
    EXPECT_EQ(readPointer(source, row(100, 0), c.request), c.expected);
    EXPECT_EQ(readLargeRecord(TextRecord(record), source, c.request), c.expected);
  }
}

TEST(LargeValueTextPointer, WhatThePointerNames) {
  kit::PageBuilder page = kit::largeValuePage(
      {1, 100},
      {kit::smallRootRecord(bytesOf("ABC")), kit::smallRootRecord({}), kit::dataFragmentRecord({})});
  // Slot 3 points into the header, at bytes that would read as a small root;
  // slot 4 points one past the page.
  page.writeBytes(64, kit::smallRootRecord(bytesOf("HDR"))).slot(3, 64).slot(4, kPageSize);
  kit::MemoryLargeValueSource source;
  source.add({1, 100}, page);
  RecordBytes shortPointer = kit::textPointer(row(100, 0));
  shortPointer.pop_back();
  struct Case {
    const char* name;
    RecordBytes pointer;
    std::string expected;
  } cases[] = {
      {"a record", kit::textPointer(row(100, 0)), "ABC"},
      {"an empty small root", kit::textPointer(row(100, 1)), " "},
      {"an empty fragment", kit::textPointer(row(100, 2)), " "},
      {"a missing page", kit::textPointer(row(101, 0)), ""},
      {"a file without the page", kit::textPointer(row(100, 0, 2)), ""},
      {"a slot past the slot list", kit::textPointer(row(100, 5)), ""},
      {"a negative slot", kit::textPointer(row(100, -1)), ""},
      {"a slot inside the header", kit::textPointer(row(100, 3)), ""},
      {"a slot past the page", kit::textPointer(row(100, 4)), ""},
      {"a pointer of 15 bytes", shortPointer, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(readTextPointer(source, c.pointer, as(ValueForm::kCodePageText)), c.expected);
  }
}

class LargeValueInRowRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    source_.add({1, 100}, {kit::dataFragmentRecord(bytesOf("A")), kit::dataFragmentRecord(bytesOf("B")),
                           kit::dataFragmentRecord(bytesOf("C"))});
  }
  std::string read(Bytes value) { return readInRowRoot(source_, value, as(ValueForm::kCodePageText)); }

  kit::MemoryLargeValueSource source_;
};

TEST_F(LargeValueInRowRoot, FileIdsAbove1000AreFileOne) {
  struct Case {
    int16_t fileId;
    std::string expected;
  } cases[] = {{1, "A"}, {1000, ""}, {1001, "A"}, {32767, "A"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileId);
    EXPECT_EQ(read(kit::inRowRoot({{1, row(100, 0, c.fileId)}})), c.expected);
  }
}

TEST_F(LargeValueInRowRoot, EntriesWithoutLengthAreSkippedUnread) {
  RecordBytes value =
      kit::inRowRoot({{0, row(100, 0)}, {-5, row(100, 1)}, {1, row(100, 2)}, {INT32_MIN, row(100, 0)}});
  EXPECT_EQ(read(value), "C");
  EXPECT_EQ(source_.fetches(), 1);
}

TEST_F(LargeValueInRowRoot, EntriesPastTheValuesEndAreNotRead) {
  RecordBytes value = kit::inRowRoot({{1, row(100, 0)}, {1, row(100, 1)}, {1, row(100, 2)}});
  struct Case {
    size_t length;
    std::string expected;
    int fetches;
  } cases[] = {
      {value.size(), "ABC", 3},
      {value.size() - 1, "AB", 2},  // the last entry lacks its slot's high byte
      {12 + 12, "A", 1},
      {12, "", 0},
      {5, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    int before = source_.fetches();
    EXPECT_EQ(read(Bytes(value).first(c.length)), c.expected);
    EXPECT_EQ(source_.fetches() - before, c.fetches);
  }
}

// The shapes a value's tree takes. Fragments are on page 201 in slot order
// unless the shape spreads them over pages of their own.
enum class Shape {
  kInternal,
  kLargeRoot4,
  kLargeRoot5,
  kLargeRoot6,
  kTwoLevels,
  kPagePerFragment,
  kInRowRoot,
  kInRowRootOverInternal,
};

struct ShapeCase {
  const char* name;
  Shape shape;
};

// Lays `pieces` out as `shape` in `source` and reads the value.
std::string readShape(Shape shape, const std::vector<RecordBytes>& pieces,
                      kit::MemoryLargeValueSource& source, const LargeValueRequest& request) {
  std::vector<RowId> rows;
  std::vector<FragmentEntry> entries;
  if (shape == Shape::kPagePerFragment) {
    for (size_t i = 0; i < pieces.size(); ++i) {
      int32_t page = 210 + static_cast<int32_t>(i);
      source.add({1, page}, {kit::dataFragmentRecord(pieces[i])});
      rows.push_back(row(page, 0));
    }
  } else {
    source.add({1, 201}, fragmentsOf(pieces));
    for (size_t i = 0; i < pieces.size(); ++i) rows.push_back(row(201, static_cast<int16_t>(i)));
  }
  for (size_t i = 0; i < pieces.size(); ++i)
    entries.push_back({static_cast<int32_t>(pieces[i].size()), rows[i]});

  auto largeRoot = [&](uint16_t type) {
    source.add({1, 200}, {kit::largeRootRecord(entries, type)});
    return readPointer(source, row(200, 0), request);
  };
  switch (shape) {
    case Shape::kInternal:
    case Shape::kPagePerFragment:
      source.add({1, 200}, {kit::internalRecord(rows)});
      return readPointer(source, row(200, 0), request);
    case Shape::kLargeRoot4:
      return largeRoot(4);
    case Shape::kLargeRoot5:
      return largeRoot(5);
    case Shape::kLargeRoot6:
      return largeRoot(6);
    case Shape::kTwoLevels: {
      auto middle = rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2);
      std::vector<RowId> front(rows.begin(), middle);
      std::vector<RowId> back(middle, rows.end());
      source.add({1, 200}, {kit::internalRecord({row(200, 1), row(200, 2)}), kit::internalRecord(front),
                            kit::internalRecord(back)});
      return readPointer(source, row(200, 0), request);
    }
    case Shape::kInRowRoot:
      return readInRowRoot(source, kit::inRowRoot(entries), request);
    case Shape::kInRowRootOverInternal: {
      std::vector<RowId> front(rows.begin(), rows.begin() + 1);
      std::vector<RowId> back(rows.begin() + 1, rows.end());
      source.add({1, 200}, {kit::internalRecord(front), kit::internalRecord(back)});
      return readInRowRoot(source, kit::inRowRoot({{1, row(200, 0)}, {1, row(200, 1)}}), request);
    }
  }
  return "unknown shape";
}

// Rendering happens once over the whole value: a character cut between two
// fragments, a UTF-16 code unit split in its middle or a zero byte at a
// fragment's end must not change what comes out.
TEST(LargeValueTree, SplitValuesComeOutWholeInEveryShapeAndForm) {
  RecordBytes cyrillic = bytesOf("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0");
  RecordBytes unicode = kit::utf16leBytes("Привет 😀");  // the pair takes bytes 14-17
  RecordBytes binary = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  struct Value {
    const char* name;
    std::vector<RecordBytes> pieces;
    LargeValueRequest request;
    std::string expected;
  } values[] = {
      {"8-bit text", split(cyrillic, {4, 4}), as(ValueForm::kCodePageText, 1251), "Привет, мир"},
      {"UTF-16 cut inside code units", split(unicode, {3, 12}), as(ValueForm::kUnicodeText), "Привет 😀"},
      {"UTF-16 without the mark", split(kit::utf16leBytes("Hello"), {1, 6}), as(ValueForm::kCodePageText),
       "Hello"},
      {"binary over zero bytes",
       {{0xDE, 0xAD}, {0xBE, 0x00}, {0x00, 0x01}},
       as(ValueForm::kBinaryHex),
       "DEADBE000001"},
      {"binary in one fragment", {binary}, as(ValueForm::kBinaryHex), "0123456789ABCDEF"},
  };
  ShapeCase shapes[] = {
      {"internal node", Shape::kInternal},
      {"large root type 4", Shape::kLargeRoot4},
      {"large root type 5", Shape::kLargeRoot5},
      {"large root type 6", Shape::kLargeRoot6},
      {"two levels of internal nodes", Shape::kTwoLevels},
      {"a page per fragment", Shape::kPagePerFragment},
      {"in-row root", Shape::kInRowRoot},
      {"in-row root over internal nodes", Shape::kInRowRootOverInternal},
  };
  for (const Value& value : values) {
    for (const ShapeCase& shape : shapes) {
      SCOPED_TRACE(std::string(value.name) + ", " + shape.name);
      kit::MemoryLargeValueSource source;
      EXPECT_EQ(readShape(shape.shape, value.pieces, source, value.request), value.expected);
      // Each page goes before the next is fetched.
      EXPECT_EQ(source.mostPagesHeld(), 1);
    }
  }
}

TEST(LargeValueTree, MissingReferenceLosesOnlyWhatItNames) {
  kit::MemoryLargeValueSource source;
  source.add({1, 201}, fragmentsOf({bytesOf("A"), bytesOf("B"), bytesOf("C")}));
  std::vector<RowId> children = {row(201, 0), row(202, 0), row(201, 1), row(201, 9), row(201, 2)};
  std::vector<FragmentEntry> entries;
  for (const RowId& child : children) entries.push_back({1, child});
  source.add({1, 200}, {kit::internalRecord(children), kit::largeRootRecord(entries)});
  for (int16_t root : {0, 1}) {
    SCOPED_TRACE(root == 0 ? "internal node" : "large root");
    EXPECT_EQ(readPointer(source, row(200, root), as(ValueForm::kCodePageText)), "ABC");
  }
  EXPECT_EQ(readInRowRoot(source, kit::inRowRoot(entries), as(ValueForm::kCodePageText)), "ABC");
}

// Damaged trees can list a node again below itself. The walk must end and
// take each fragment once, whether it starts from a pointer (the root's row
// known) or from the root record itself (its row unknown).
TEST(LargeValueTree, TreeThatRefersBackToItselfEnds) {
  RecordBytes a = kit::dataFragmentRecord(bytesOf("A"));
  RecordBytes b = kit::dataFragmentRecord(bytesOf("B"));
  struct Case {
    const char* name;
    std::vector<RecordBytes> records;  // slot 0 is the root
    std::string expected;
  } cases[] = {
      {"internal node lists itself",
       {kit::internalRecord({row(300, 1), row(300, 0), row(300, 2)}), a, b},
       "AB"},
      {"two nodes list each other",
       {kit::internalRecord({row(300, 2), row(300, 1)}), kit::internalRecord({row(300, 3), row(300, 0)}), a,
        b},
       "AB"},
      {"large root lists itself", {kit::largeRootRecord({{1, row(300, 1)}, {5, row(300, 0)}}), a}, "A"},
      {"fragment listed twice", {kit::internalRecord({row(300, 1), row(300, 1)}), a}, "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::MemoryLargeValueSource source;
    source.add({1, 300}, c.records);
    EXPECT_EQ(readPointer(source, row(300, 0), as(ValueForm::kCodePageText)), c.expected);
    EXPECT_LE(source.fetches(), static_cast<int>(c.records.size()));
    EXPECT_EQ(readLargeRecord(TextRecord(c.records[0]), source, as(ValueForm::kCodePageText)), c.expected);
  }
}

// A chain of internal nodes, node i listing node i + 1, ending in the
// fragment "Z" `nodes` levels below the root.
TEST(LargeValueTree, ChainDeeperThanTheLimitEnds) {
  constexpr int kPerPage = 100;
  auto rowOf = [](int i) { return row(500 + i / kPerPage, static_cast<int16_t>(i % kPerPage)); };
  struct Case {
    int nodes;
    std::string expected;
  } cases[] = {
      {kMaxLargeValueDepth, "Z"},
      {kMaxLargeValueDepth + 1, " "},
      {1000, " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nodes);
    std::map<int32_t, std::vector<RecordBytes>> pages;
    for (int i = 0; i < c.nodes; ++i)
      pages[rowOf(i).pageNumber].push_back(kit::internalRecord({rowOf(i + 1)}));
    pages[rowOf(c.nodes).pageNumber].push_back(kit::dataFragmentRecord(bytesOf("Z")));
    kit::MemoryLargeValueSource source;
    for (const auto& [number, records] : pages) source.add({1, number}, records);
    EXPECT_EQ(readPointer(source, rowOf(0), as(ValueForm::kCodePageText)), c.expected);
    EXPECT_EQ(source.fetches(), kMaxLargeValueDepth + 1)
        << "the root and the levels below it that are followed";
  }
}

// xml values are handed over as fragments for the xml decoder to join.
TEST(LargeValueCollector, FragmentsGoToTheCollectorInOrder) {
  kit::MemoryLargeValueSource source;
  std::vector<RecordBytes> pieces = {bytesOf("<a>"), bytesOf("x"), bytesOf("</a>")};
  source.add({1, 201}, fragmentsOf(pieces));
  source.add({1, 200},
             {kit::internalRecord({row(201, 0), row(201, 1), row(201, 2)}), kit::smallRootRecord({})});
  RecordBytes inRow = kit::inRowRoot({{3, row(201, 0)}, {1, row(201, 1)}, {4, row(201, 2)}});

  // The in-row root always names the three fragments; the pointer names
  // either the internal node over them or an empty small root.
  struct Case {
    const char* name;
    bool collect, withCollector;
    RowId pointerTarget;
    std::string pointerText, inRowText;
    size_t pointerCollected, inRowCollected;  // after the one already there
  } cases[] = {
      {"collecting", true, true, row(200, 0), "", "", 3, 3},
      {"collecting an empty value", true, true, row(200, 1), "", "", 0, 3},
      {"collect without a collector", true, false, row(200, 0), "<a>x</a>", "<a>x</a>", 0, 0},
      {"a collector not asked to collect", false, true, row(200, 0), "<a>x</a>", "<a>x</a>", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FragmentList pointerFragments = {bytesOf("before")}, inRowFragments = {bytesOf("before")};
    LargeValueRequest request = as(ValueForm::kCodePageText);
    request.collect = c.collect;
    request.collector = c.withCollector ? &pointerFragments : nullptr;
    EXPECT_EQ(readPointer(source, c.pointerTarget, request), c.pointerText);
    request.collector = c.withCollector ? &inRowFragments : nullptr;
    EXPECT_EQ(readInRowRoot(source, inRow, request), c.inRowText);

    std::pair<const FragmentList*, size_t> results[] = {{&pointerFragments, c.pointerCollected},
                                                        {&inRowFragments, c.inRowCollected}};
    for (const auto& [fragments, collected] : results) {
      ASSERT_EQ(fragments->size(), 1 + collected);
      EXPECT_EQ(fragments->front(), bytesOf("before"));
      for (size_t i = 0; i < collected; ++i) EXPECT_EQ((*fragments)[1 + i], pieces[i]) << i;
    }
  }
}

TEST(LargeValueStop, StopRequestEndsTheWalk) {
  RecordBytes inRow = kit::inRowRoot({{1, row(201, 0)}, {1, row(201, 1)}, {1, row(201, 2)}});
  struct Case {
    const char* name;
    bool pointer;
    int stopAfter;
    std::string expected;
  } cases[] = {
      {"pointer, stop after the first fragment", true, 2, "A"},
      {"in-row root, stop after the first fragment", false, 1, "A"},
      {"in-row root, stop before anything", false, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::MemoryLargeValueSource source;
    source.add({1, 201}, fragmentsOf({bytesOf("A"), bytesOf("B"), bytesOf("C")}));
    source.add({1, 200}, {kit::internalRecord({row(201, 0), row(201, 1), row(201, 2)})});
    source.stopAfter(c.stopAfter);
    std::string text = c.pointer ? readPointer(source, row(200, 0), as(ValueForm::kCodePageText))
                                 : readInRowRoot(source, inRow, as(ValueForm::kCodePageText));
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(source.fetches(), c.stopAfter) << "no page is fetched once the stop is seen";
  }
}

// Records too short for their structure, or claiming more than they hold.
// Each is read through a pointer of its own and as the middle child of an
// internal node between the fragments "A" and "C".
TEST(LargeValueOddRecords, ShortAndOverlongRecordsGiveOnlyWhatTheyHold) {
  RecordBytes eightBytes = {1, 0, 0, 0, 0, 0, 0, 0};
  RecordBytes unknownType = {1, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0x41, 0x42};
  RecordBytes overcounted = kit::internalRecord({row(400, 3)});
  kit::putU16(overcounted, 4 + 12, 40);  // the child count
  RecordBytes undercounted = kit::internalRecord({row(400, 3), row(400, 0)});
  kit::putU16(undercounted, 4 + 12, 1);
  struct Case {
    const char* name;
    RecordBytes record;
    uint16_t offset;  // 0: after the other records
    std::string alone, inTree;
  } cases[] = {
      {"fixed part of 8 bytes", kit::largeValueRecord(eightBytes), 0, " ", "AC"},
      {"no fixed part", kit::largeValueRecord({}), 0, "", "AC"},
      {"stored length below the record header", kit::largeValueRecord(eightBytes, 2), 0, "", "AC"},
      {"fragment of its header alone", kit::dataFragmentRecord({}), 0, " ", "AC"},
      {"unknown structure type", kit::largeValueRecord(unknownType), 0, " ", "AC"},
      {"stored length past the page's end", kit::largeValueRecord(eightBytes, 4000), 8150, "", "AC"},
      {"small root claiming more than it holds", kit::smallRootRecord(bytesOf("xyz"), 200, 1), 0, "xyz",
       "AxyzC"},
      {"small root claiming more than a page", kit::smallRootRecord(bytesOf("xyz"), 9000, 1), 0, " ", "AC"},
      {"internal node counting more children than it lists", overcounted, 0, "B", "ABC"},
      {"internal node counting fewer children than it lists", undercounted, 0, "B", "ABC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Slots: 0 "A", 1 "C", 2 the internal node, 3 "B", 4 the odd record.
    kit::PageBuilder page = kit::largeValuePage(
        {1, 400}, {kit::dataFragmentRecord(bytesOf("A")), kit::dataFragmentRecord(bytesOf("C")),
                   kit::internalRecord({row(400, 0), row(400, 4), row(400, 1)}),
                   kit::dataFragmentRecord(bytesOf("B"))});
    page.addRecordAt(c.offset ? c.offset : page.appendOffset(), c.record);
    kit::MemoryLargeValueSource source;
    source.add({1, 400}, page);
    EXPECT_EQ(readPointer(source, row(400, 4), as(ValueForm::kCodePageText)), c.alone);
    EXPECT_EQ(readPointer(source, row(400, 2), as(ValueForm::kCodePageText)), c.inTree);
    // The record on its own, in a buffer of exactly its size.
    TextRecord exact{Bytes(c.record)};
    EXPECT_EQ(readLargeRecord(exact, source, as(ValueForm::kCodePageText)), c.alone == " " ? "" : c.alone);
  }
}

// Through a real data file: the file source refuses pages that are not
// large-value pages or that carry another page number, after the
// page-shift correction has had its try.
class LargeValueFile : public ::testing::Test {
 protected:
  void SetUp() override {
    kit::DataFileBuilder builder = kit::minimalPrimaryFile();
    auto text = [](std::string_view data) { return kit::smallRootRecord(bytesOf(data)); };
    builder.setPage(
        48,
        kit::largeValuePage(
            {1, 48},
            {text("good"), kit::dataFragmentRecord(bytesOf("-part")),
             kit::largeRootRecord(
                 {{4, row(48, 0)}, {5, row(48, 1)}, {9, row(49, 0)}, {13, row(51, 0)}, {8, row(54, 0)}})}));
    builder.setPage(49, kit::largeValuePage({1, 49}, {text("data page")}, kit::PageType::kData));
    builder.setPage(50, kit::largeValuePage({1, 50}, {text("page 50")}));
    builder.setPage(51, kit::largeValuePage({1, 52}, {text("page 52 at 51")}));
    builder.setPage(52, kit::largeValuePage({1, 52}, {text("tree page")}, kit::PageType::kTextTree));
    builder.setPage(53, kit::largeValuePage({1, 54}, {text("-shifted")}));
    builder.setPage(54, kit::largeValuePage({1, 55}, {text("page 55 at 54")}));
    path_ = dir_.file("lv.mdf");
    ASSERT_TRUE(builder.writeTo(path_));
  }

  kit::TempDir dir_;
  std::string path_;
  RunFlags flags_;
};

TEST_F(LargeValueFile, PointerFindsItsPageOnlyWhereThePageIsRight) {
  DatabaseFile file(path_, silentNotifier(), flags_);
  ASSERT_TRUE(file.valid());
  struct Case {
    const char* name;
    RowId target;
    std::string expected;
  } cases[] = {
      {"a large-value page", row(48, 0), "good"},
      {"a text tree page", row(52, 0), "tree page"},
      {"a data page", row(49, 0), ""},
      {"a page whose shift correction lands on another number", row(51, 0), ""},
      {"a page found by the shift correction", row(54, 0), "-shifted"},
      {"past the file's end", row(5000, 0), ""},
      {"a file not attached", row(48, 0, 3), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(readTextPointer(file, kit::textPointer(c.target), as(ValueForm::kCodePageText)), c.expected);
  }
  // The root's fragments: the two on page 48, none from the data page or the
  // page numbered 52 that stands at 51, and the one the correction finds.
  EXPECT_EQ(readTextPointer(file, kit::textPointer(row(48, 2)), as(ValueForm::kCodePageText)),
            "good-part-shifted");
}

}  // namespace
}  // namespace pellora
