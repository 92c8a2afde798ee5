// Rows a heap moved to another page: read at their forwarding stub, whole,
// wherever on its page the stub lies; and not read a second time where they
// lie, unless their back pointer leads to no stub that points at them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "kit/data_file_builder.h"
#include "kit/page_builder.h"
#include "kit/record_builder.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {
namespace {

constexpr int32_t kHomePage = 1;  // the stubs, where the rows were
constexpr int32_t kAwayPage = 2;  // the moved rows
constexpr uint16_t kLateStubOffset = 8000;
constexpr size_t kLongValue = 3000;

std::string textOf(const VariableColumn& column) { return {column.data.begin(), column.data.end()}; }

// A moved row: a 4-byte fixed column, one variable text and, when given,
// the back pointer.
std::vector<uint8_t> movedRow(const std::string& text, std::optional<RowId> stub) {
  kit::RecordBuilder builder;
  builder.kind(kForwardedRecord).columnCount(3).fixedU32(7);
  builder.variable({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  std::vector<uint8_t> pointer;
  if (stub) {
    pointer = kit::backPointer(*stub);
    builder.variable({pointer.data(), pointer.size()}, true);
  }
  return builder.build();
}

struct MovedCase {
  const char* name;
  std::string text;
  std::optional<RowId> backPointer;
  bool readAtStub;
};

// Slot i of the away page holds the moved row of case i.
const std::vector<MovedCase>& movedCases() {
  static const std::vector<MovedCase> cases = {
      {"its stub points at it", "alpha", RowId{1, kHomePage, 0}, true},
      {"no back pointer", "bravo", std::nullopt, false},
      {"back pointer to a row that is no stub", "charlie", RowId{1, kHomePage, 1}, false},
      {"back pointer to a stub of another row", "delta", RowId{1, kHomePage, 2}, false},
      {"back pointer beyond the file", "echo", RowId{1, 99, 0}, false},
      {"back pointer past the slot count", "foxtrot", RowId{1, kHomePage, 9}, false},
      {"its stub near the end of its page", std::string(kLongValue, 'g'), RowId{1, kHomePage, 3}, true},
  };
  return cases;
}

class ForwardedRows : public ::testing::Test {
 protected:
  void SetUp() override {
    kit::PageBuilder away;
    away.type(kit::PageType::kData).thisPage({1, kAwayPage});
    for (const MovedCase& c : movedCases()) {
      const std::vector<uint8_t> row = movedRow(c.text, c.backPointer);
      away.addRecord({row.data(), row.size()});
    }
    kit::PageBuilder home;
    home.type(kit::PageType::kData).thisPage({1, kHomePage});
    const std::vector<uint8_t> toFirst = kit::forwardingStub({1, kAwayPage, 0});
    const std::vector<uint8_t> plain = kit::RecordBuilder().fixedU32(1).build();
    const std::vector<uint8_t> toSecond = kit::forwardingStub({1, kAwayPage, 1});
    const std::vector<uint8_t> toLast = kit::forwardingStub({1, kAwayPage, 6});
    home.addRecord({toFirst.data(), toFirst.size()})
        .addRecord({plain.data(), plain.size()})
        .addRecord({toSecond.data(), toSecond.size()})
        .addRecordAt(kLateStubOffset, {toLast.data(), toLast.size()});

    kit::DataFileBuilder file(4);
    file.setPage(kHomePage, home).setPage(kAwayPage, away);
    path_ = dir_.file("heap.mdf");
    ASSERT_TRUE(file.writeTo(path_));
  }

  kit::TempDir dir_;
  std::string path_;
  RunFlags flags_;
};

TEST_F(ForwardedRows, AMovedRowIsLeftOutWhereItLiesOnlyWhileItsStubPointsAtIt) {
  DatabaseFile file(path_, silentNotifier(), flags_);
  auto page = file.readRecordPage({1, kAwayPage});
  ASSERT_TRUE(page);
  ASSERT_EQ(page->records().size(), movedCases().size());
  for (size_t i = 0; i < movedCases().size(); ++i) {
    const MovedCase& c = movedCases()[i];
    SCOPED_TRACE(c.name);
    const CRecord* record = page->records()[i].get();
    if (c.readAtStub) {
      EXPECT_EQ(record, nullptr);
      continue;
    }
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->kind, kForwardedRecord);
    ASSERT_FALSE(record->variableColumns.empty());
    EXPECT_EQ(textOf(record->variableColumns[0]), c.text);
  }
}

// A stub keeps the place of its row, often near the end of a page, while
// the moved row may be longer than what is left of that page.
TEST_F(ForwardedRows, AStubGivesTheWholeRowWhereverItLies) {
  DatabaseFile file(path_, silentNotifier(), flags_);
  auto page = file.readRecordPage({1, kHomePage});
  ASSERT_TRUE(page);
  ASSERT_EQ(page->records().size(), 4u);
  for (size_t slot : {size_t{0}, size_t{3}}) {
    const MovedCase& c = movedCases()[slot == 0 ? 0 : 6];
    SCOPED_TRACE(c.name);
    const auto* record = dynamic_cast<const CPrimaryRecord*>(page->records()[slot].get());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->kind, kForwardingStub);
    EXPECT_EQ(record->fixedData, (std::vector<uint8_t>{7, 0, 0, 0}));
    ASSERT_GE(record->variableColumns.size(), 1u);
    EXPECT_TRUE(record->variableColumns[0].hasData);
    // Thousands of letters would flood the log on failure.
    EXPECT_EQ(record->variableColumns[0].data.size(), c.text.size());
    EXPECT_TRUE(textOf(record->variableColumns[0]) == c.text);
  }
}

}  // namespace
}  // namespace pellora
