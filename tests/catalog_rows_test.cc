// The row parsers of the system tables: acceptance, defaults of short rows,
// generated names and identity texts.
#include <gtest/gtest.h>

#include <cstring>

#include "catalog/system_rows.h"

namespace pellora {
namespace {

// A row of the given fixed bytes, with UTF-16 variable columns.
std::unique_ptr<CRecord> makeRow(std::vector<uint8_t> fixed, std::vector<std::u16string> variables = {}) {
  auto owned = std::make_unique<CRecord>();
  CRecord& record = *owned;
  record.hasFixedData = !fixed.empty();
  record.fixedData = std::move(fixed);
  for (const std::u16string& text : variables) {
    VariableColumn column;
    for (char16_t unit : text) {
      column.data.push_back(static_cast<uint8_t>(unit & 0xFF));
      column.data.push_back(static_cast<uint8_t>(unit >> 8));
    }
    column.hasData = !column.data.empty();
    column.length = static_cast<int32_t>(column.data.size());
    record.variableColumns.push_back(std::move(column));
  }
  return owned;
}

template <typename T>
void put(std::vector<uint8_t>& bytes, size_t offset, T value) {
  if (bytes.size() < offset + sizeof(T)) bytes.resize(offset + sizeof(T));
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::vector<uint8_t> objectFixed(int32_t id, const char* type, size_t length = 24) {
  std::vector<uint8_t> fixed(length, 0);
  put(fixed, 0, id);
  put(fixed, 4, int32_t{1});
  fixed[13] = static_cast<uint8_t>(type[0]);
  fixed[14] = static_cast<uint8_t>(type[1]);
  put(fixed, 15, int32_t{77});
  fixed.resize(length);
  return fixed;
}

TEST(ObjectRows, AcceptanceFollowsIdAndLength) {
  NameSubstitution names;
  struct Case {
    int32_t id;
    size_t length;
    bool taken;
  } cases[] = {{5, 24, true}, {5, 20, true}, {5, 19, false}, {0, 24, false}, {-3, 24, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << "/" << c.length);
    auto row = makeRow(objectFixed(c.id, "U ", c.length), {u"T"});
    auto object = parseObjectRow(RowFields(*row), false, names);
    EXPECT_EQ(object.has_value(), c.taken);
  }
}

TEST(ObjectRows, FieldsOfAFullRowAndDefaultsOfAShortOne) {
  NameSubstitution names;
  auto full = makeRow(objectFixed(1977058079, "U "), {u"Employees"});
  auto object = parseObjectRow(RowFields(*full), false, names);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->name, "Employees");
  EXPECT_EQ(object->typeCode, "U ");
  EXPECT_EQ(object->parentObjectId, 77);
  EXPECT_EQ(object->schemaId, 1);

  auto shortRow = makeRow(objectFixed(9, "V ", 20), {u"v"});
  object = parseObjectRow(RowFields(*shortRow), false, names);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->internalProperty, -1) << "bytes 20..23 lie beyond a 20-byte row";
}

TEST(ObjectRows, NamelessRowsGetNumberedNamesPerPass) {
  NameSubstitution names;
  auto noName = makeRow(objectFixed(5, "U "));
  auto emptyName = makeRow(objectFixed(6, "U "));
  emptyName->variableColumns.push_back(VariableColumn{});
  EXPECT_EQ(parseObjectRow(RowFields(*noName), false, names)->name, "Repairname0");
  EXPECT_EQ(parseObjectRow(RowFields(*emptyName), false, names)->name, "RepairColumn1");
  EXPECT_EQ(parseObjectRow(RowFields(*noName), false, names)->name, "Repairname2");
  names.restart();
  EXPECT_EQ(parseColumnRow(RowFields(*noName), names).name, "RepairColumn0");
}

TEST(ObjectRows, LegacyLayoutTakesTypeAndParentFromItsOwnPlaces) {
  NameSubstitution names;
  std::vector<uint8_t> fixed(40, 0);
  put(fixed, 0, int32_t{101});
  fixed[4] = 'U', fixed[5] = ' ';
  put(fixed, 24, int32_t{55});
  auto row = makeRow(fixed, {u"authors"});
  auto object = parseObjectRow(RowFields(*row), true, names);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->typeCode, "U ");
  EXPECT_EQ(object->parentObjectId, 55);
}

TEST(ColumnRows, IdentityTextFromTheStoredValue) {
  auto bytes = [](std::initializer_list<std::pair<size_t, int64_t>> fields, size_t length, int width) {
    std::vector<uint8_t> b(length, 0);
    for (auto [at, value] : fields) std::memcpy(b.data() + at, &value, static_cast<size_t>(width));
    return b;
  };
  struct Case {
    std::vector<uint8_t> value;
    const char* text;
  } cases[] = {
      {bytes({{4, 1}, {8, 1}}, 12, 4), "identity(1,1)"},
      {bytes({{4, 5}, {8, 100}}, 16, 4), "identity(100,5)"},
      {bytes({{4, 2}, {8, 0}}, 12, 4), "identity(1,2)"},
      {bytes({{2, 3}, {4, 10}}, 8, 2), "identity(10,3)"},
      {bytes({}, 5, 4), "identity(1,1)"},
      {bytes({{0, 1}, {8, 7}, {16, 5000000000LL}}, 24, 8), "identity(5000000000,7)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(identityText(Bytes(c.value.data(), c.value.size())), c.text);
  }
}

TEST(ColumnRows, ShortRowKeepsDefaultsButTakesItsName) {
  NameSubstitution names;
  auto row = makeRow(std::vector<uint8_t>(36, 1), {u"CustomerID"});
  ColumnInfo column = parseColumnRow(RowFields(*row), names);
  EXPECT_EQ(column.name, "CustomerID");
  EXPECT_EQ(column.objectId, -1);
  EXPECT_EQ(column.maxLength, -1);
}

TEST(FileRows, NamesLoseTrailingBlanks) {
  std::vector<uint8_t> fixed(782, 0);
  put(fixed, 4, int16_t{3});
  std::u16string logical = u"data_2   ", physical = u"D:\\sql\\data_2.ndx";
  for (size_t i = 0; i < logical.size(); ++i) put(fixed, 6 + 2 * i, static_cast<uint16_t>(logical[i]));
  for (size_t i = 0; i < physical.size(); ++i) put(fixed, 262 + 2 * i, static_cast<uint16_t>(physical[i]));
  auto row = makeRow(fixed);
  DataFileEntry file = parseFileRow(RowFields(*row));
  EXPECT_EQ(file.fileId, 3);
  EXPECT_EQ(file.logicalName, "data_2");
  EXPECT_EQ(file.physicalPath, "D:\\sql\\data_2.ndx");
  auto shortRow = makeRow(std::vector<uint8_t>(519, 1));
  EXPECT_EQ(parseFileRow(RowFields(*shortRow)).fileId, 0);
}

}  // namespace
}  // namespace pellora
