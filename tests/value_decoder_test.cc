#include "values/value_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "values/variant_decoder.h"

namespace pellora {
namespace {

using ByteVector = std::vector<uint8_t>;

ColumnType columnOf(TypeCode code, int32_t byteLength, int16_t declared = 0, uint8_t precision = 0,
                    uint8_t scale = 0) {
  ColumnType column;
  column.typeCode = code;
  column.byteLength = byteLength;
  column.declaredLength = declared;
  column.precision = precision;
  column.scale = scale;
  return column;
}

std::string decode(const ColumnType& column, const ByteVector& bytes,
                   const CollationContext& collation = {}) {
  ValueDescriptor descriptor = describeValue(column, column.typeCode, nullptr);
  // As the row decoder does, a variable value is read to its entry's length.
  if (descriptor.variable) descriptor.readLength = static_cast<int16_t>(bytes.size());
  return decodeValue(descriptor, Bytes(bytes.data(), bytes.size()), column, collation);
}

struct DecodeCase {
  const char* what;
  ColumnType column;
  ByteVector bytes;
  std::string expected;
};

class ValueDecoderCases : public testing::TestWithParam<DecodeCase> {};

TEST_P(ValueDecoderCases, ShowsStoredBytes) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(decode(c.column, c.bytes), c.expected) << c.what;
}

const DecodeCase kFixedCases[] = {
    {"int -1", columnOf(TypeCode::kInt, 4), {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
    {"tinyint is unsigned", columnOf(TypeCode::kTinyInt, 1), {0xFF}, "255"},
    {"smallint minimum", columnOf(TypeCode::kSmallInt, 2), {0x00, 0x80}, "-32768"},
    {"bigint minimum", columnOf(TypeCode::kBigInt, 8), {0, 0, 0, 0, 0, 0, 0, 0x80}, "-9223372036854775808"},
    {"int cut short", columnOf(TypeCode::kInt, 4), {0x01, 0x02}, ""},
    {"binary(3)", columnOf(TypeCode::kBinary, 3, 3), {0x00, 0x01, 0xFF}, "0x0001FF"},
    {"binary(3) with two bytes left", columnOf(TypeCode::kBinary, 3, 3), {0x00, 0x01}, ""},
    {"timestamp", columnOf(TypeCode::kTimestamp, 8), {0, 0, 0, 0, 0, 0, 0x07, 0xD1}, "0x00000000000007D1"},
    {"uniqueidentifier",
     columnOf(TypeCode::kUniqueIdentifier, 16),
     {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
     "00112233-4455-6677-8899-AABBCCDDEEFF"},
    {"uniqueidentifier cut short", columnOf(TypeCode::kUniqueIdentifier, 16), {0x33, 0x22}, ""},
    {"datetime 2000-01-01 noon", columnOf(TypeCode::kDateTime, 8),
     {0x00, 0xC1, 0xC5, 0x00, 0xAC, 0x8E, 0x00, 0x00}, "2000-01-01 12:00:00"},
    {"datetime with seven bytes", columnOf(TypeCode::kDateTime, 8), {0, 0, 0, 0, 0, 0, 0}, ""},
    {"smalldatetime", columnOf(TypeCode::kSmallDateTime, 4), {0x3C, 0x00, 0xAC, 0x8E}, "2000-01-01 01:00:00"},
    {"date", columnOf(TypeCode::kDate, 3), {0x07, 0x24, 0x0B}, "2000-01-01"},
    {"time(0) takes three bytes", columnOf(TypeCode::kTime, 3, 0, 0, 0), {0x10, 0x0E, 0x00}, "01:00:00"},
    {"money", columnOf(TypeCode::kMoney, 8), {0xD8, 0xF0, 0x04, 0x00, 0, 0, 0, 0}, "32.3800"},
    {"smallmoney negative", columnOf(TypeCode::kSmallMoney, 4), {0xFF, 0xFF, 0xFF, 0xFF}, "-0.0001"},
    {"decimal(5,2)", columnOf(TypeCode::kDecimal, 5, 5, 5, 2), {0x01, 0x39, 0x30, 0x00, 0x00}, "123.45"},
    {"numeric(9,2) negative", columnOf(TypeCode::kNumeric, 5, 0, 9, 2), {0x00, 0x05, 0, 0, 0}, "-0.05"},
    {"decimal missing its magnitude", columnOf(TypeCode::kDecimal, 5, 5, 5, 2), {0x01, 0x39}, ""},
    {"float", columnOf(TypeCode::kFloat, 8), {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, "1"},
    {"float infinity shows 0", columnOf(TypeCode::kFloat, 8), {0, 0, 0, 0, 0, 0, 0xF0, 0x7F}, "0"},
    {"real", columnOf(TypeCode::kReal, 4), {0x00, 0x00, 0xC0, 0x3F}, "1.5"},
    {"real NaN shows 0", columnOf(TypeCode::kReal, 4), {0x00, 0x00, 0xC0, 0x7F}, "0"},
    {"image has no in-row value", columnOf(TypeCode::kImage, 16), {1, 2, 3}, ""},
    {"unassigned code", columnOf(TypeCode::kUnassigned12, 8), {1, 2, 3, 4, 5, 6, 7, 8}, ""},
    {"no bytes at all", columnOf(TypeCode::kInt, 4), {}, ""},
};
INSTANTIATE_TEST_SUITE_P(Fixed, ValueDecoderCases, testing::ValuesIn(kFixedCases));

ColumnType variable(ColumnType column) {
  column.variableLength = true;
  return column;
}

const DecodeCase kVariableCases[] = {
    {"nvarchar stops at NUL", variable(columnOf(TypeCode::kNVarChar, 20, 20)),
     {'a', 0, 'b', 0, 0, 0, 'c', 0}, "ab"},
    {"nvarchar non-Latin", variable(columnOf(TypeCode::kNVarChar, 20, 20)), {0xB0, 0x65, 0x2C, 0x67},
     "\xE6\x96\xB0\xE6\x9C\xAC"},
    {"nchar keeps trailing blanks", columnOf(TypeCode::kNChar, 6, 6), {'a', 0, ' ', 0, ' ', 0}, "a  "},
    {"varbinary has no prefix here", variable(columnOf(TypeCode::kVarBinary, 10, 10)), {0xAB, 0x01}, "AB01"},
    {"hierarchyid", variable(columnOf(TypeCode::kHierarchyId, 892, 892)), {0x58}, "0x58"},
    {"geometry", variable(columnOf(TypeCode::kGeometry, -1, -1)), {0xE6, 0x10}, "E610"},
    {"ntext in UTF-16", columnOf(TypeCode::kNText, 16, 16), {0x61, 0x00, 0x62, 0x00}, "ab"},
    {"ntext in 8-bit text", columnOf(TypeCode::kNText, 4, 4), {0x61, 0x62, 0x63, 0x00}, "abc"},
    {"xml that does not convert shows a blank", variable(columnOf(TypeCode::kXml, -1, -1)), {0x01, 0x02}, " "},
};
INSTANTIATE_TEST_SUITE_P(Variable, ValueDecoderCases, testing::ValuesIn(kVariableCases));

TEST(ValueDecoder, VariableValueReadsOnlyItsReadLength) {
  ColumnType column = variable(columnOf(TypeCode::kVarBinary, 10, 10));
  ValueDescriptor descriptor = describeValue(column, column.typeCode, nullptr);
  descriptor.readLength = 2;
  ByteVector bytes = {0x01, 0x02, 0x03, 0x04};
  EXPECT_EQ(decodeValue(descriptor, Bytes(bytes.data(), bytes.size()), column, {}), "0102");
  EXPECT_EQ(descriptor.available, 2u);
}

TEST(ValueDecoder, DeclaredLengthBeyondTheBytesReadsWhatIsThere) {
  // A catalog that claims more than the record holds must not send the
  // decoder past the entry it was given.
  ColumnType column = variable(columnOf(TypeCode::kVarChar, 8000, 8000));
  EXPECT_EQ(decode(column, {'h', 'i'}), "hi");
}

TEST(ValueDecoder, StoredLengthIsTheColumnsByteLength) {
  ColumnType column = columnOf(TypeCode::kDateTime2, 7, 0, 0, 3);
  ValueDescriptor descriptor = describeValue(column, column.typeCode, nullptr);
  ByteVector bytes = {0x00, 0x00, 0x00, 0x00, 0x07, 0x24, 0x0B, 0xEE};
  EXPECT_EQ(decodeValue(descriptor, Bytes(bytes.data(), bytes.size()), column, {}), "2000-01-01 00:00:00.000");
  EXPECT_EQ(descriptor.storedLength, 7);
}

TEST(ValueDecoder, BitColumnsShareBytes) {
  // Ten bit columns: the first eight take the bits of one byte, least
  // significant first; the ninth starts the next byte.
  ColumnType column = columnOf(TypeCode::kBit, 1);
  ByteVector fixed = {0x55, 0x01};
  BitCursor cursor;
  size_t offset = 0;
  std::vector<std::string> shown;
  std::vector<int> advances;
  for (int i = 0; i < 10; ++i) {
    ValueDescriptor descriptor = describeValue(column, TypeCode::kBit, &cursor);
    Bytes at(fixed.data() + offset, fixed.size() - offset);
    shown.push_back(decodeValue(descriptor, at, column, {}));
    advances.push_back(descriptor.storedLength);
    offset += static_cast<size_t>(descriptor.storedLength);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"True", "False", "True", "False", "True", "False", "True",
                                             "False", "True", "False"}));
  EXPECT_EQ(advances, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
}

TEST(ValueDecoder, BitWithoutCursorIsEmpty) {
  EXPECT_EQ(decode(columnOf(TypeCode::kBit, 1), {0x01}), "");
}

// The 1251 code page of a Cyrillic collation applies while listing; the
// definition reader (listing mode off) reads the same bytes in the ANSI page.
TEST(ValueDecoder, CharUsesTheCollationCodePageOnlyWhileListing) {
  CollationMap map;
  map[53256] = CollationEntry{"Cyrillic_General_CI_AS", 1251};
  DatabaseCollation database{true, 53256, 1251, "Cyrillic_General_CI_AS"};
  ColumnType column = columnOf(TypeCode::kChar, 5, 5);
  column.collationId = 53256;
  ByteVector bytes = {0xCF, 0xF0, 0xE8, 0x20, 0x20};
  CollationContext listing{&map, &database, true};
  CollationContext definitions{&map, &database, false};
  EXPECT_EQ(decode(column, bytes, listing), "\xD0\x9F\xD1\x80\xD0\xB8  ");
  EXPECT_EQ(decode(column, bytes, definitions), decodeCodePage("\xCF\xF0\xE8  ", ansiCodePage()));
}

TEST(ValueDecoder, CodePageOfColumnFallsBackInOrder) {
  CollationMap map;
  map[1] = CollationEntry{"A", 1250};
  DatabaseCollation database{true, 2, 1253, "B"};
  CollationContext context{&map, &database, true};
  EXPECT_EQ(codePageOfColumn(2, context), 1253);
  EXPECT_EQ(codePageOfColumn(1, context), 1250);
  EXPECT_EQ(codePageOfColumn(3, context), ansiCodePage());
  EXPECT_EQ(codePageOfColumn(0, context), ansiCodePage());
  EXPECT_EQ(codePageOfColumn(-1, context), ansiCodePage());
  CollationContext unresolved{&map, nullptr, true};
  EXPECT_EQ(codePageOfColumn(1, unresolved), 1250);
  EXPECT_EQ(codePageOfColumn(2, unresolved), ansiCodePage());
}

TEST(TypeCodes, SystemTypeIdsMapToTheirCodes) {
  EXPECT_EQ(typeCodeOf(56), TypeCode::kInt);
  EXPECT_EQ(typeCodeOf(232), TypeCode::kSysName);
  EXPECT_EQ(typeCodeOf(34), TypeCode::kText);
  EXPECT_EQ(typeCodeOf(241), TypeCode::kXml);
  EXPECT_EQ(typeCodeOf(12345), TypeCode::kChar);
  EXPECT_EQ(clrTypeCodeOf(128), TypeCode::kHierarchyId);
  EXPECT_EQ(clrTypeCodeOf(129), TypeCode::kGeometry);
  EXPECT_EQ(clrTypeCodeOf(130), TypeCode::kClr);
}

struct VariantCase {
  const char* what;
  ByteVector bytes;
  std::string expected;
};

class VariantCases : public testing::TestWithParam<VariantCase> {};

TEST_P(VariantCases, ShowsTheBaseTypesValue) {
  const VariantCase& c = GetParam();
  ValueDescriptor descriptor;
  EXPECT_EQ(decodeVariantValue(descriptor, Bytes(c.bytes.data(), c.bytes.size())), c.expected) << c.what;
}

const VariantCase kVariantCases[] = {
    {"int", {56, 1, 0x2A, 0, 0, 0}, "42"},
    {"int one byte short", {56, 1, 0x2A, 0, 0}, ""},
    {"int one byte long", {56, 1, 0x2A, 0, 0, 0, 0}, ""},
    {"tinyint", {48, 1, 0xFF}, "255"},
    {"smallint", {52, 1, 0x00, 0x80}, "-32768"},
    {"bigint", {127, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
    {"bit", {104, 1, 0x01}, "True"},
    {"bit with two bytes", {104, 1, 0x01, 0x00}, ""},
    {"money", {60, 1, 0xD8, 0xF0, 0x04, 0x00, 0, 0, 0, 0}, "32.3800"},
    {"datetime", {61, 1, 0x00, 0xC1, 0xC5, 0x00, 0xAC, 0x8E, 0x00, 0x00}, "2000-01-01 12:00:00"},
    {"date", {40, 1, 0x07, 0x24, 0x0B}, "2000-01-01"},
    {"time(0)", {41, 1, 0, 0x10, 0x0E, 0x00}, "01:00:00"},
    {"time without its value", {41, 1}, ""},
    {"decimal(5,2)", {106, 1, 5, 2, 0x01, 0x39, 0x30, 0x00, 0x00}, "123.45"},
    {"decimal without magnitude", {106, 1, 5}, ""},
    {"varchar", {167, 1, 0x0A, 0x00, 0x09, 0x04, 0xD0, 0x00, 'h', 'i'}, "hi"},
    {"varchar without its properties", {167, 1, 0x0A, 0x00}, ""},
    {"char has the same properties as varchar", {175, 1, 0x0A, 0x00, 0x09, 0x04, 0xD0, 0x00, 'o', 'k'}, "ok"},
    {"nvarchar", {231, 1, 0x0A, 0x00, 0x09, 0x04, 0xD0, 0x00, 'h', 0, 'i', 0}, "hi"},
    {"varbinary shows hex", {165, 1, 0x0A, 0x00, 0xAB, 0xCD}, "0xABCD"},
    {"clr type", {240, 1, 0x01, 0x02}, "0x0102"},
    {"uniqueidentifier",
     {36, 1, 0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
     "00112233-4455-6677-8899-AABBCCDDEEFF"},
    {"unknown base type", {200, 1, 1, 2, 3}, ""},
    {"header only", {56}, ""},
};
INSTANTIATE_TEST_SUITE_P(SqlVariant, VariantCases, testing::ValuesIn(kVariantCases));

TEST(ValueDecoder, SparseSqlVariantDecodesItsBaseType) {
  // A sql_variant in a sparse column reaches the decoder as its whole value,
  // header included: it must read as the base type, not as text.
  ColumnType column = variable(columnOf(TypeCode::kSqlVariant, 8016, 8016));
  EXPECT_EQ(decode(column, {56, 1, 0x2A, 0, 0, 0}), "42");
}

TEST(ValueDecoder, ResultDoesNotFollowTheLocale) {
  // Number formatting must not pick up a decimal comma from the locale.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(decode(columnOf(TypeCode::kReal, 4), {0x00, 0x00, 0xC0, 0x3F}), "1.5");
  EXPECT_EQ(decode(columnOf(TypeCode::kMoney, 8), {0xD8, 0xF0, 0x04, 0x00, 0, 0, 0, 0}), "32.3800");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace pellora
