#include "storage/collation_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace pellora {
namespace {

TEST(ParseSignedDecimalTest, ReadsLeadingNumber) {
  struct Case {
    std::string text;
    int64_t value;
  };
  const std::vector<Case> cases = {
      {"1252", 1252},
      {"  42", 42},
      {"\t7", 7},
      {"-15", -15},
      {"+15", 15},
      {"12ab", 12},
      {"1252\r", 1252},
      {"", 0},
      {"abc", 0},
      {"-", 0},
      {"- 5", 0},
      {"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      {"9223372036854775808", std::numeric_limits<int64_t>::max()},
      {"99999999999999999999999", std::numeric_limits<int64_t>::max()},
      {"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(parseSignedDecimal(c.text), c.value) << c.text;
}

TEST(ParseCollationMapTest, ThreeColumnsMapIdToNameAndCodePage) {
  CollationMap map = parseCollationMap(
      "Latin1_General_CI_AS\t53256\t1252\r\n"
      "Cyrillic_General_CI_AS\t53252\t1251\r\n"
      "Last_Line_Without_End\t-3\t932");
  ASSERT_EQ(map.size(), 3u);
  EXPECT_EQ(map[53256].name, "Latin1_General_CI_AS");
  EXPECT_EQ(map[53256].codePage, 1252);
  EXPECT_EQ(map[53252].name, "Cyrillic_General_CI_AS");
  EXPECT_EQ(map[53252].codePage, 1251);
  EXPECT_EQ(map[-3].name, "Last_Line_Without_End");
  EXPECT_EQ(map[-3].codePage, 932);
}

TEST(ParseCollationMapTest, SkipsLinesWithoutTwoTabs) {
  const std::vector<std::string> skipped = {
      "",
      "\r",
      "NoTabAtAll",
      "OneTab\t53256",
      "TabAtEnd\t",
      "TabAtEndCrlf\t\r",
  };
  for (const std::string& line : skipped) {
    EXPECT_TRUE(parseCollationMap(line + "\r\n").empty()) << line;
  }
}

TEST(ParseCollationMapTest, LooseColumnsStillReadAsNumbers) {
  // Empty name, an id that is no number (0) and a fourth column.
  CollationMap map = parseCollationMap("\t5\t1250\r\nOdd\tx\t1253\textra\r\n");
  ASSERT_EQ(map.size(), 2u);
  EXPECT_EQ(map[5].name, "");
  EXPECT_EQ(map[5].codePage, 1250);
  EXPECT_EQ(map[0].name, "Odd");
  EXPECT_EQ(map[0].codePage, 1253);
}

TEST(ParseCollationMapTest, LaterLineWithSameIdWins) {
  CollationMap map = parseCollationMap("First\t10\t1250\r\nSecond\t10\t1251\r\n");
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(map[10].name, "Second");
  EXPECT_EQ(map[10].codePage, 1251);
}

TEST(ParseCollationMapTest, NamesKeepTheirBytes) {
  CollationMap map = parseCollationMap("Caf\xE9\t1\t1252\n");
  EXPECT_EQ(map[1].name, "Caf\xE9");
}

class LookupCollationTest : public ::testing::Test {
 protected:
  CollationMap map_ = parseCollationMap(
      "Full_Id\t872468488\t1252\r\n"
      "Low_Bits\t53256\t1251\r\n"
      "Negative\t-7\t1250\r\n"
      "Manual\t99\t1253\r\n");
};

TEST_F(LookupCollationTest, AutomaticPrefersTheWholeId) {
  auto hit = lookupCollation(map_, 872468488, CollationChoice::kAuto, 99);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->first, 872468488);
  EXPECT_EQ(hit->second.name, "Full_Id");
}

TEST_F(LookupCollationTest, AutomaticFallsBackToLow16Bits) {
  const int32_t bootId = (0x1234 << 16) | 53256;  // absent as a whole
  auto hit = lookupCollation(map_, bootId, CollationChoice::kAuto, 0);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->first, 53256);
  EXPECT_EQ(hit->second.codePage, 1251);
}

TEST_F(LookupCollationTest, AutomaticKeepsTheSign) {
  auto hit = lookupCollation(map_, -7, CollationChoice::kAuto, 0);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->first, -7);
  // The low 16 bits of a negative id are read as unsigned.
  const int32_t negativeWithLowBits = static_cast<int32_t>(0xFFFF0000u | 53256u);
  hit = lookupCollation(map_, negativeWithLowBits, CollationChoice::kAuto, 0);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->first, 53256);
}

TEST_F(LookupCollationTest, ManualUsesOnlyTheChosenId) {
  auto hit = lookupCollation(map_, 872468488, CollationChoice::kManual, 99);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(hit->first, 99);
  EXPECT_EQ(hit->second.name, "Manual");
  EXPECT_FALSE(lookupCollation(map_, 872468488, CollationChoice::kManual, 100).has_value());
}

TEST_F(LookupCollationTest, MissingIdGivesNothing) {
  EXPECT_FALSE(lookupCollation(map_, 12345, CollationChoice::kAuto, 0).has_value());
  EXPECT_FALSE(lookupCollation(CollationMap(), 53256, CollationChoice::kAuto, 0).has_value());
}

TEST(LoadCollationMapTest, MissingFileGivesEmptyMap) {
  EXPECT_TRUE(loadCollationMap("/nonexistent/pellora/collation.txt").empty());
}

TEST(LoadCollationMapTest, ShippedFileMapsKnownCollations) {
  CollationMap map = loadCollationMap(std::string(PELLORA_SOURCE_DIR) + "/data/collation.txt");
  ASSERT_FALSE(map.empty());
  struct Known {
    int32_t bootId;
    const char* name;
    int32_t codePage;
  };
  for (const Known& known : {Known{872468488, "SQL_Latin1_General_CP1_CI_AS", 1252},
                             Known{53280, "Vietnamese_CI_AS", 1258}}) {
    auto hit = lookupCollation(map, known.bootId, CollationChoice::kAuto, 0);
    ASSERT_TRUE(hit.has_value()) << known.name;
    EXPECT_EQ(hit->second.name, known.name);
    EXPECT_EQ(hit->second.codePage, known.codePage);
  }
}

}  // namespace
}  // namespace pellora
