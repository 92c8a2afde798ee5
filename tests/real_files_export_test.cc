// `pellora export` over every real data file: every table yields the rows its
// database counts, whichever pages are walked; the rows that are known from
// the sample databases and from the scripts that created the databases come
// out with the values the scripts wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "kit/command_runner.h"
#include "kit/fixture_manifest.h"
#include "kit/sql_script.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

using Row = std::vector<std::string>;
using kit::SqlLiteral;

// Written for NULL, so that a NULL is told apart from an empty string.
constexpr const char* kNullText = "<NULL>";

// ---- Reading the export ----

struct CsvTable {
  Row header;
  std::vector<Row> rows;
  std::string error;  // the first way in which the text breaks RFC 4180 with CRLF line ends
};

// Strict: every record ends with CRLF, a field is either quoted (quotes doubled
// inside) or free of quotes, CR and LF, and every record has the header's
// number of fields.
CsvTable parseCsv(std::string_view text) {
  CsvTable table;
  std::vector<Row> records;
  Row record;
  std::string field;
  size_t i = 0;
  auto fail = [&](const std::string& why) {
    table.error = why + " at byte " + std::to_string(i);
    return table;
  };
  while (i < text.size()) {
    if (text[i] == '"') {
      ++i;
      while (true) {
        if (i >= text.size()) return fail("unterminated quoted field");
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') return fail("quote inside an unquoted field");
        field += text[i++];
      }
    }
    if (i < text.size() && text[i] == ',') {
      record.push_back(std::move(field));
      field.clear();
      ++i;
      continue;
    }
    if (text.substr(i, 2) != "\r\n") return fail("record not ended by CRLF");
    i += 2;
    record.push_back(std::move(field));
    field.clear();
    records.push_back(std::move(record));
    record.clear();
  }
  if (records.empty()) return fail("no header line");
  table.header = std::move(records.front());
  for (size_t r = 1; r < records.size(); ++r) {
    if (records[r].size() != table.header.size()) {
      table.error = "record " + std::to_string(r) + " has " + std::to_string(records[r].size()) +
                    " fields, the header " + std::to_string(table.header.size());
      return table;
    }
    table.rows.push_back(std::move(records[r]));
  }
  return table;
}

bool isValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto lead = static_cast<uint8_t>(s[i++]);
    const int more = lead < 0x80             ? 0
                     : (lead & 0xE0) == 0xC0 ? 1
                     : (lead & 0xF0) == 0xE0 ? 2
                     : (lead & 0xF8) == 0xF0 ? 3
                                             : -1;
    if (more < 0 || (more == 1 && lead < 0xC2)) return false;
    for (int k = 0; k < more; ++k, ++i) {
      if (i >= s.size() || (static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) return false;
    }
  }
  return true;
}

struct Export {
  int exitStatus = -1;
  std::string err;
  bool utf8 = false;
  CsvTable csv;

  int column(std::string_view name) const {
    for (size_t c = 0; c < csv.header.size(); ++c) {
      if (csv.header[c] == name) return static_cast<int>(c);
    }
    return -1;
  }
  // The rows whose `keyColumn` holds `key`.
  std::vector<const Row*> rowsWith(std::string_view keyColumn, std::string_view key) const {
    std::vector<const Row*> found;
    const int c = column(keyColumn);
    if (c < 0) return found;
    for (const Row& row : csv.rows) {
      if (row[static_cast<size_t>(c)] == key) found.push_back(&row);
    }
    return found;
  }
};

const std::string& logFolder() {
  static kit::TempDir folder;
  return folder.path();
}

Export runExport(const std::string& path, const std::string& table, bool advanced, const char* nullText) {
  std::vector<std::string> arguments = {"export", path, table, "--log-dir", logFolder()};
  if (advanced) arguments.emplace_back("--advanced");
  if (nullText != nullptr) arguments.insert(arguments.end(), {"--null", nullText});
  kit::CommandResult result = kit::runPellora(arguments);
  Export out;
  out.exitStatus = result.exitStatus;
  out.err = result.err;
  out.utf8 = isValidUtf8(result.out);
  out.csv = parseCsv(result.out);
  return out;
}

// Each table is exported once per mode and test program run, with NULL written
// as kNullText; the tests of one run share the results.
const Export& exportOf(const kit::FixtureFile& fixture, const std::string& table, bool advanced = false) {
  static std::map<std::tuple<std::string, std::string, bool>, Export> cache;
  auto key = std::make_tuple(fixture.path, table, advanced);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, runExport(fixture.path, table, advanced, kNullText)).first;
  return found->second;
}

// The manifest's "name=rows;..." list.
std::vector<std::pair<std::string, size_t>> manifestTables(const kit::FixtureFile& fixture) {
  std::vector<std::pair<std::string, size_t>> tables;
  std::stringstream in(fixture.field("user_tables"));
  std::string item;
  while (std::getline(in, item, ';')) {
    const size_t equals = item.rfind('=');
    if (item.empty() || equals == std::string::npos) continue;
    tables.emplace_back(item.substr(0, equals), std::stoul(item.substr(equals + 1)));
  }
  return tables;
}

bool hasTables(const kit::FixtureFile& fixture, const std::vector<std::string>& wanted) {
  std::set<std::string> names;
  for (const auto& [name, rows] : manifestTables(fixture)) names.insert(name);
  for (const std::string& name : wanted) {
    if (!names.count(name)) return false;
  }
  return true;
}

std::string shortened(const Row& row) {
  std::string text;
  for (const std::string& field : row) {
    if (!text.empty()) text += " | ";
    text += field.size() > 60 ? field.substr(0, 60) + "..." : field;
  }
  return text;
}

// Empty when both hold the same rows as often; else a few rows of either side.
std::string multisetDifference(const std::vector<Row>& a, const std::vector<Row>& b) {
  std::map<Row, int> count;
  for (const Row& row : a) ++count[row];
  for (const Row& row : b) --count[row];
  std::string out;
  int shown = 0;
  for (const auto& [row, n] : count) {
    if (n == 0 || shown++ == 4) continue;
    out += (n > 0 ? "\n  only in the first:  " : "\n  only in the second: ") + shortened(row);
  }
  return out;
}

class RealFilesExport : public ::testing::Test {
 protected:
  void SetUp() override {
    for (kit::FixtureFile& fixture : kit::loadFixtureManifest()) {
      if (fixture.isPrimary()) primaries_.push_back(std::move(fixture));
    }
    if (primaries_.empty()) GTEST_SKIP() << "../shared/fixtures is absent: real data files not tested";
    ASSERT_FALSE(logFolder().empty());
  }

  std::vector<kit::FixtureFile> primaries_;
};

// A clean export yields exactly the records the database's own rowset record
// counts, in standard mode (the table's allocation map) and in advanced mode
// (every data page of the table) alike.
TEST_F(RealFilesExport, EveryTableYieldsItsRowCountInBothModes) {
  for (const kit::FixtureFile& fixture : primaries_) {
    SCOPED_TRACE(fixture.file);
    for (const auto& [table, rows] : manifestTables(fixture)) {
      SCOPED_TRACE(table);
      const Export& standard = exportOf(fixture, table, false);
      const Export& advanced = exportOf(fixture, table, true);
      bool readable = true;
      for (const Export* e : {&standard, &advanced}) {
        EXPECT_EQ(e->exitStatus, 0) << e->err;
        EXPECT_TRUE(e->utf8) << "the export is not UTF-8";
        EXPECT_EQ(e->csv.error, "");
        EXPECT_FALSE(e->csv.header.empty());
        EXPECT_EQ(e->csv.rows.size(), rows);
        readable = readable && e->exitStatus == 0 && e->csv.error.empty();
      }
      if (!readable) continue;
      EXPECT_EQ(advanced.csv.header, standard.csv.header);
      EXPECT_EQ(multisetDifference(standard.csv.rows, advanced.csv.rows), "") << "standard vs advanced mode";
    }
  }
}

// ---- Rows known from the sample databases ----

struct KnownValue {
  const char* table;
  const char* keyColumn;
  const char* key;
  const char* column;
  const char* value;
};

const KnownValue kNorthwindValues[] = {
    {"Customers", "CustomerID", "ALFKI", "CompanyName", "Alfreds Futterkiste"},
    {"Customers", "CustomerID", "ALFKI", "ContactName", "Maria Anders"},
    {"Customers", "CustomerID", "ALFKI", "City", "Berlin"},
    {"Customers", "CustomerID", "ALFKI", "Region", kNullText},
    {"Orders", "OrderID", "10248", "CustomerID", "VINET"},
    {"Orders", "OrderID", "10248", "EmployeeID", "5"},
    {"Orders", "OrderID", "10248", "Freight", "32.3800"},
    {"Products", "ProductID", "1", "ProductName", "Chai"},
    {"Products", "ProductID", "1", "UnitPrice", "18.0000"},
    {"Products", "ProductID", "1", "Discontinued", "False"},
    // ntext.
    {"Categories", "CategoryID", "1", "Description", "Soft drinks, coffees, teas, beers, and ales"},
    {"Employees", "EmployeeID", "1", "Notes",
     "Education includes a BA in psychology from Colorado State University in 1970.  She also completed \"The Art of "
     "the Cold Call.\"  Nancy is a member of Toastmasters International."},
};

const KnownValue kPubsValues[] = {
    {"authors", "au_id", "172-32-1176", "au_lname", "White"},
    {"authors", "au_id", "172-32-1176", "au_fname", "Johnson"},
    {"authors", "au_id", "172-32-1176", "phone", "408 496-7223"},
    {"authors", "au_id", "172-32-1176", "contract", "True"},
    {"titles", "title_id", "BU1032", "title", "The Busy Executive's Database Guide"},
    {"titles", "title_id", "BU1032", "price", "19.9900"},
    {"titles", "title_id", "BU1032", "pubdate", "1991-06-12 00:00:00"},
    // char(12): the blanks that pad the value belong to it.
    {"titles", "title_id", "BU1032", "type", "business    "},
    // varchar in code page 1252, written as UTF-8.
    {"publishers", "pub_id", "9901", "city", "M\xC3\xBCnchen"},
};

// Every Northwind copy holds order 10248 on 4 July; one copy's order dates were
// moved on by whole years before it was shared (its stored day numbers say so).
constexpr const char* kOrderDateDayAndTime = "-07-04 00:00:00";
const std::map<std::string, int> kOrderYearsMovedOn = {{"northwind-2008r2.mdf", 16}};

const std::vector<std::string> kNorthwindTables = {"Categories",
                                                   "CustomerCustomerDemo",
                                                   "CustomerDemographics",
                                                   "Customers",
                                                   "EmployeeTerritories",
                                                   "Employees",
                                                   "Order Details",
                                                   "Orders",
                                                   "Products",
                                                   "Region",
                                                   "Shippers",
                                                   "Suppliers",
                                                   "Territories"};

bool isNorthwind(const kit::FixtureFile& fixture) { return hasTables(fixture, kNorthwindTables); }

// The one value of `column` in the row whose `keyColumn` is `key`; a failure
// and nullopt when there is not exactly one such row.
std::optional<std::string> valueOf(const Export& e, const char* keyColumn, const char* key, const char* column) {
  const std::vector<const Row*> rows = e.rowsWith(keyColumn, key);
  const int c = e.column(column);
  if (rows.size() != 1 || c < 0) {
    ADD_FAILURE() << rows.size() << " rows with " << keyColumn << " = " << key << ", column " << column
                  << (c < 0 ? " absent" : "");
    return std::nullopt;
  }
  return (*rows[0])[static_cast<size_t>(c)];
}

TEST_F(RealFilesExport, KnownRowsOfTheSampleDatabases) {
  struct Family {
    const char* name;
    std::vector<std::string> tables;
    std::vector<KnownValue> values;
  };
  const Family families[] = {
      {"Northwind", kNorthwindTables, {std::begin(kNorthwindValues), std::end(kNorthwindValues)}},
      {"pubs", {"authors", "titles", "publishers"}, {std::begin(kPubsValues), std::end(kPubsValues)}},
  };
  for (const Family& family : families) {
    size_t copies = 0;
    for (const kit::FixtureFile& fixture : primaries_) {
      if (!hasTables(fixture, family.tables)) continue;
      ++copies;
      SCOPED_TRACE(fixture.file);
      for (const KnownValue& known : family.values) {
        SCOPED_TRACE(std::string(known.table) + "." + known.column);
        EXPECT_EQ(valueOf(exportOf(fixture, known.table), known.keyColumn, known.key, known.column), known.value);
      }
    }
    EXPECT_GT(copies, 0u) << "no " << family.name << " copy among the fixtures";
  }

  size_t northwindCopies = 0;
  for (const kit::FixtureFile& fixture : primaries_) {
    if (!isNorthwind(fixture)) continue;
    ++northwindCopies;
    SCOPED_TRACE(fixture.file);
    std::optional<std::string> date = valueOf(exportOf(fixture, "Orders"), "OrderID", "10248", "OrderDate");
    if (!date) continue;
    EXPECT_TRUE(date->ends_with(kOrderDateDayAndTime)) << *date;
    auto moved = kOrderYearsMovedOn.find(fixture.file);
    const int year = 1996 + (moved == kOrderYearsMovedOn.end() ? 0 : moved->second);
    EXPECT_EQ(*date, std::to_string(year) + kOrderDateDayAndTime);
  }
  EXPECT_GE(northwindCopies, 2u);
}

// Without --null a NULL is an empty field.
TEST_F(RealFilesExport, NullIsAnEmptyFieldUnlessNamed) {
  for (const kit::FixtureFile& fixture : primaries_) {
    if (!isNorthwind(fixture)) continue;
    SCOPED_TRACE(fixture.file);
    Export plain = runExport(fixture.path, "Customers", false, nullptr);
    ASSERT_EQ(plain.exitStatus, 0) << plain.err;
    EXPECT_EQ(valueOf(plain, "CustomerID", "ALFKI", "Region"), "");
    EXPECT_EQ(valueOf(plain, "CustomerID", "ALFKI", "City"), "Berlin");
    return;  // one copy says it
  }
  FAIL() << "no Northwind copy among the fixtures";
}

// The Northwind copies were written by four versions of SQL Server, some with
// torn-page bits, forwarded and compressed-format records; the rows are the
// same in all, large values (ntext notes, image pictures) included.
TEST_F(RealFilesExport, NorthwindCopiesHoldTheSameRows) {
  std::vector<const kit::FixtureFile*> copies;
  for (const kit::FixtureFile& fixture : primaries_) {
    if (isNorthwind(fixture)) copies.push_back(&fixture);
  }
  ASSERT_GE(copies.size(), 2u);
  const kit::FixtureFile* reference = nullptr;
  for (const kit::FixtureFile* copy : copies) {
    if (!kOrderYearsMovedOn.count(copy->file)) reference = copy;
  }
  ASSERT_NE(reference, nullptr);
  static const std::regex kDateTime(R"(^(\d{4})(-\d\d-\d\d \d\d:\d\d:\d\d)$)");
  for (const kit::FixtureFile* copy : copies) {
    if (copy == reference) continue;
    SCOPED_TRACE(copy->file + " vs " + reference->file);
    auto moved = kOrderYearsMovedOn.find(copy->file);
    for (const std::string& table : kNorthwindTables) {
      SCOPED_TRACE(table);
      const Export& expected = exportOf(*reference, table);
      Export got = exportOf(*copy, table);
      if (got.csv.header != expected.csv.header) {
        ADD_FAILURE() << "columns differ: " << shortened(got.csv.header) << " vs " << shortened(expected.csv.header);
        continue;
      }
      if (moved != kOrderYearsMovedOn.end() && table == "Orders") {
        for (const char* column : {"OrderDate", "RequiredDate", "ShippedDate"}) {
          const int c = got.column(column);
          ASSERT_GE(c, 0);
          for (Row& row : got.csv.rows) {
            std::string& field = row[static_cast<size_t>(c)];
            std::smatch m;
            if (!std::regex_match(field, m, kDateTime)) continue;
            field = std::to_string(std::stoi(m[1].str()) - moved->second) + m[2].str();
          }
        }
      }
      EXPECT_EQ(multisetDifference(expected.csv.rows, got.csv.rows), "");
    }
  }
}

// Large binary values come out whole: each begins with its format's signature
// and, where the format has one, ends with its end marker. (The JPEG pictures
// are walked marker by marker below.)
TEST_F(RealFilesExport, LargeBinaryValuesAreWholeFiles) {
  struct BinaryForm {
    const char* table;
    const char* column;
    const char* head;
    const char* tail;
  };
  const BinaryForm forms[] = {
      {"pub_info", "logo", "0x47494638", "3B"},     // GIF
      {"Categories", "Picture", "0x151C2F00", ""},  // OLE-wrapped bitmaps
      {"Employees", "Photo", "0x151C2F00", ""},
      {"sysdiagrams", "definition", "0xD0CF11E0A1B11AE1", ""},  // compound files
      {"__MigrationHistory", "Model", "0x1F8B08", ""},          // gzip
  };
  for (const BinaryForm& form : forms) {
    SCOPED_TRACE(std::string(form.table) + "." + form.column);
    size_t values = 0;
    for (const kit::FixtureFile& fixture : primaries_) {
      if (!hasTables(fixture, {form.table})) continue;
      const Export& e = exportOf(fixture, form.table);
      const int c = e.column(form.column);
      if (c < 0) continue;
      SCOPED_TRACE(fixture.file);
      for (const Row& row : e.csv.rows) {
        const std::string& value = row[static_cast<size_t>(c)];
        if (value == kNullText) continue;
        ++values;
        EXPECT_TRUE(value.starts_with(form.head)) << value.substr(0, 40);
        EXPECT_TRUE(value.ends_with(form.tail))
            << "..." << value.substr(value.size() - std::min<size_t>(value.size(), 40));
        EXPECT_EQ(value.size() % 2, 0u);
      }
    }
    EXPECT_GT(values, 0u) << "no value of this form among the fixtures";
  }
}

std::vector<uint8_t> bytesOfHex(const std::string& value) {
  std::vector<uint8_t> bytes;
  for (size_t i = 2; i + 1 < value.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoul(value.substr(i, 2), nullptr, 16)));
  return bytes;
}

// A JPEG file walked marker by marker: each segment's length leads to the next
// marker, the coded data holds 0xFF only where the format allows it, and the
// end-of-image marker is the last two bytes. Bytes lost, doubled or replaced
// anywhere before the coded data, or at its end, break the walk.
bool isWholeJpeg(const std::vector<uint8_t>& b) {
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return false;
  auto restart = [](uint8_t m) { return m >= 0xD0 && m <= 0xD7; };
  size_t i = 2;
  while (i < b.size()) {
    if (b[i] != 0xFF) return false;
    while (i < b.size() && b[i] == 0xFF) ++i;  // fill bytes before a marker
    if (i >= b.size()) return false;
    const uint8_t marker = b[i++];
    if (marker == 0xD9) return i == b.size();
    if (restart(marker) || marker == 0x01) continue;
    if (i + 2 > b.size()) return false;
    const size_t length = static_cast<size_t>(b[i] << 8 | b[i + 1]);
    if (length < 2) return false;
    i += length;
    if (marker != 0xDA) continue;
    // Coded data after a start of scan: 0xFF stands only before 0x00 or a restart marker.
    while (i + 1 < b.size() && !(b[i] == 0xFF && b[i + 1] != 0x00 && !restart(b[i + 1]))) ++i;
  }
  return false;
}

TEST_F(RealFilesExport, PicturesAreWholeJpegFiles) {
  size_t pictures = 0, largest = 0;
  for (const kit::FixtureFile& fixture : primaries_) {
    if (!hasTables(fixture, {"ProductImages"})) continue;
    SCOPED_TRACE(fixture.file);
    const Export& e = exportOf(fixture, "ProductImages");
    const int c = e.column("ProductImage");
    ASSERT_GE(c, 0);
    for (const Row& row : e.csv.rows) {
      const std::vector<uint8_t> bytes = bytesOfHex(row[static_cast<size_t>(c)]);
      EXPECT_TRUE(isWholeJpeg(bytes)) << "picture " << row[0] << ", " << bytes.size() << " bytes";
      ++pictures;
      largest = std::max(largest, bytes.size());
    }
  }
  EXPECT_GT(pictures, 0u);
  EXPECT_GT(largest, 100000u) << "no picture spans many pages";
}

// The pr_info texts of pubs repeat one sentence, blank lines between, up to
// 65 kB of it across several text pages: a piece lost, doubled or put out of
// order breaks a sentence.
TEST_F(RealFilesExport, MultiPageTextIsItsSentenceRepeated) {
  size_t texts = 0, longest = 0;
  for (const kit::FixtureFile& fixture : primaries_) {
    if (!hasTables(fixture, {"pub_info"})) continue;
    SCOPED_TRACE(fixture.file);
    const Export& e = exportOf(fixture, "pub_info");
    const int c = e.column("pr_info");
    ASSERT_GE(c, 0);
    for (const Row& row : e.csv.rows) {
      const std::string& text = row[static_cast<size_t>(c)];
      SCOPED_TRACE(row[0]);
      const std::string sentence = text.substr(0, text.find("\r\n"));
      EXPECT_TRUE(sentence.starts_with("This is sample text data for ")) << sentence;
      EXPECT_NE(sentence.find("publisher " + row[0] + " in the pubs database."), std::string::npos) << sentence;
      // A text column in code page 1252.
      if (row[0] == "9901") {
        EXPECT_TRUE(sentence.ends_with("located in M\xC3\xBCnchen, Germany.")) << sentence;
      }
      for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find("\r\n\r\n", at), text.size());
        EXPECT_EQ(text.substr(at, end - at), sentence) << "at byte " << at << " of " << text.size();
        at = end + 4;
      }
      ++texts;
      longest = std::max(longest, text.size());
    }
  }
  EXPECT_GT(texts, 0u);
  EXPECT_GT(longest, 16000u) << "no text spans several pages";
}

// These keys were made by NEWID() or Guid.NewGuid(): random GUIDs of version 4,
// whose third group starts with 4 and fourth with 8, 9, A or B only when the
// sixteen bytes are shown in the order SQL Server shows them.
TEST_F(RealFilesExport, RandomKeysAreVersion4Guids) {
  struct GuidColumn {
    const char* table;
    const char* column;
  };
  const GuidColumn columns[] = {{"aspnet_Applications", "ApplicationId"},
                                {"aspnet_Users", "UserId"},
                                {"aspnet_Roles", "RoleId"},
                                {"Product", "Id"},
                                {"ProductOption", "Id"},
                                {"CMS_Content", "ContentGUID"},
                                {"CMS_Page", "PageGuid"}};
  static const std::regex kVersion4(R"(^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$)");
  for (const GuidColumn& guid : columns) {
    SCOPED_TRACE(std::string(guid.table) + "." + guid.column);
    size_t values = 0;
    for (const kit::FixtureFile& fixture : primaries_) {
      if (!hasTables(fixture, {guid.table})) continue;
      const Export& e = exportOf(fixture, guid.table);
      const int c = e.column(guid.column);
      if (c < 0) continue;
      SCOPED_TRACE(fixture.file);
      for (const Row& row : e.csv.rows) {
        EXPECT_TRUE(std::regex_match(row[static_cast<size_t>(c)], kVersion4)) << row[static_cast<size_t>(c)];
        ++values;
      }
    }
    EXPECT_GT(values, 0u);
  }
}

// Values that the databases keep twice agree: every foreign key names a row
// of the table it refers to, and the lowered copies of names are the names in
// lower case. A value decoded wrongly in one of the two places breaks this.
TEST_F(RealFilesExport, ValuesKeptTwiceAgree) {
  struct Reference {
    const char* table;
    const char* column;
    const char* target;
    const char* targetColumn;
  };
  const Reference references[] = {
      {"Orders", "CustomerID", "Customers", "CustomerID"},  // nchar(5)
      {"Orders", "EmployeeID", "Employees", "EmployeeID"},
      {"Order Details", "OrderID", "Orders", "OrderID"},
      {"Order Details", "ProductID", "Products", "ProductID"},
      {"Products", "CategoryID", "Categories", "CategoryID"},
      {"Products", "SupplierID", "Suppliers", "SupplierID"},
      {"EmployeeTerritories", "TerritoryID", "Territories", "TerritoryID"},
      {"Territories", "RegionID", "Region", "RegionID"},
      {"titleauthor", "au_id", "authors", "au_id"},  // varchar(11)
      {"titleauthor", "title_id", "titles", "title_id"},
      {"sales", "stor_id", "stores", "stor_id"},  // char(4)
      {"employee", "job_id", "jobs", "job_id"},   // smallint and tinyint
      {"roysched", "title_id", "titles", "title_id"},
      {"aspnet_Membership", "UserId", "aspnet_Users", "UserId"},  // uniqueidentifier
      {"aspnet_UsersInRoles", "RoleId", "aspnet_Roles", "RoleId"},
      {"aspnet_Users", "ApplicationId", "aspnet_Applications", "ApplicationId"},
      {"ProductOption", "ProductId", "Product", "Id"},
      {"Students", "MajorId", "Majors", "Id"},  // char(3)
      {"Albums", "ArtistId", "Artists", "ArtistId"},
      {"FOOD", "NAMECATEGORY", "CATEGORY", "NAME"},  // Vietnamese nvarchar
      {"OrderItem", "ItemId", "Item", "ItemId"},
      {"CartItems", "ProductId", "Products", "ProductID"},
  };
  for (const Reference& reference : references) {
    SCOPED_TRACE(std::string(reference.table) + "." + reference.column + " -> " + reference.target);
    size_t checked = 0;
    for (const kit::FixtureFile& fixture : primaries_) {
      if (!hasTables(fixture, {reference.table, reference.target})) continue;
      const Export& from = exportOf(fixture, reference.table);
      const Export& to = exportOf(fixture, reference.target);
      const int c = from.column(reference.column);
      const int t = to.column(reference.targetColumn);
      if (c < 0 || t < 0) continue;
      SCOPED_TRACE(fixture.file);
      std::set<std::string> keys;
      for (const Row& row : to.csv.rows) keys.insert(row[static_cast<size_t>(t)]);
      for (const Row& row : from.csv.rows) {
        const std::string& value = row[static_cast<size_t>(c)];
        if (value == kNullText) continue;
        EXPECT_TRUE(keys.count(value)) << value << " names no row";
        ++checked;
      }
    }
    EXPECT_GT(checked, 0u);
  }

  struct Lowered {
    const char* table;
    const char* column;
    const char* loweredColumn;
  };
  const Lowered lowered[] = {{"aspnet_Users", "UserName", "LoweredUserName"},
                             {"aspnet_Membership", "Email", "LoweredEmail"},
                             {"aspnet_Roles", "RoleName", "LoweredRoleName"},
                             {"aspnet_Applications", "ApplicationName", "LoweredApplicationName"}};
  for (const Lowered& pair : lowered) {
    SCOPED_TRACE(std::string(pair.table) + "." + pair.column);
    size_t checked = 0;
    for (const kit::FixtureFile& fixture : primaries_) {
      if (!hasTables(fixture, {pair.table})) continue;
      const Export& e = exportOf(fixture, pair.table);
      const int c = e.column(pair.column);
      const int l = e.column(pair.loweredColumn);
      if (c < 0 || l < 0) continue;
      SCOPED_TRACE(fixture.file);
      for (const Row& row : e.csv.rows) {
        const std::string& value = row[static_cast<size_t>(c)];
        // Only ASCII names: lower case beyond it follows .NET's rules, not these.
        if (std::any_of(value.begin(), value.end(), [](char ch) { return static_cast<uint8_t>(ch) >= 0x80; })) continue;
        std::string expected = value;
        for (char& ch : expected) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(row[static_cast<size_t>(l)], expected);
        ++checked;
      }
    }
    EXPECT_GT(checked, 0u);
  }
}

// ---- The scripts that created the databases ----

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

size_t codePoints(std::string_view utf8) {
  size_t n = 0;
  for (char c : utf8) n += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
  return n;
}

// Integer value of the column's type arguments at `index` ("18,2": 18, 2).
std::optional<int> typeArgument(const kit::SqlColumnDefinition& column, size_t index) {
  std::stringstream in(column.arguments);
  std::string part;
  for (size_t k = 0; std::getline(in, part, ','); ++k) {
    if (k == index) {
      if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
      return std::stoi(part);
    }
  }
  return std::nullopt;
}

// `number` with exactly `scale` decimals, rounded half away from zero as the
// conversion to money or decimal rounds.
std::optional<std::string> fixedPoint(const std::string& number, int scale) {
  std::string digits = number;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    negative = digits[0] == '-';
    digits.erase(0, 1);
  }
  if (digits.find_first_of("eE") != std::string::npos) {
    char text[128];
    std::snprintf(text, sizeof text, "%.*f", scale, std::strtod(digits.c_str(), nullptr));
    digits = text;
  }
  const size_t point = digits.find('.');
  std::string whole = digits.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : digits.substr(point + 1);
  if ((whole + fraction).find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const bool roundUp = fraction.size() > static_cast<size_t>(scale) && fraction[static_cast<size_t>(scale)] >= '5';
  fraction.resize(static_cast<size_t>(scale), '0');
  std::string all = (whole.empty() ? "0" : whole) + fraction;
  if (roundUp) {
    size_t k = all.size();
    while (k > 0 && all[k - 1] == '9') all[--k] = '0';
    if (k == 0)
      all.insert(0, "1");
    else
      ++all[k - 1];
  }
  whole = all.substr(0, all.size() - static_cast<size_t>(scale));
  fraction = all.substr(all.size() - static_cast<size_t>(scale));
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  std::string text = whole + (scale > 0 ? "." + fraction : "");
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  return (negative && !zero ? "-" : "") + text;
}

// A float in fixed notation with fifteen significant digits and no trailing
// zeros: the literal "7.740" or "7.74E0" and the stored double both give "7.74".
std::string fifteenDigits(double x) {
  if (x == 0) return "0";
  char mantissa[64];
  std::snprintf(mantissa, sizeof mantissa, "%.14e", std::fabs(x));
  const std::string digits = std::string(1, mantissa[0]) + std::string(mantissa + 2, 14);
  const int exponent = std::atoi(std::strchr(mantissa, 'e') + 1);
  std::string text;
  if (exponent >= 14) {
    text = digits + std::string(static_cast<size_t>(exponent - 14), '0');
  } else if (exponent >= 0) {
    text = digits.substr(0, static_cast<size_t>(exponent + 1)) + "." + digits.substr(static_cast<size_t>(exponent + 1));
  } else {
    text = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return (x < 0 ? "-" : "") + text;
}

struct DateTimeParts {
  std::string date;      // YYYY-MM-DD
  std::string time;      // HH:MM:SS, or empty
  std::string fraction;  // digits after the seconds' point
};

std::string civilDate(std::chrono::sys_days day) {
  const std::chrono::year_month_day ymd(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return text;
}

uint64_t bigEndian(const std::string& hex, size_t firstByte, size_t bytes) {
  return std::stoull(hex.substr(firstByte * 2, bytes * 2), nullptr, 16);
}

// The date and time a literal names: an ISO text ("2021-06-28T10:57:01.000",
// "2021-06-28 10:57:01", "20210628") or the binary form of the cast's type
// that older scripts write (CAST(0x00009E4A00000000 AS DateTime)).
std::optional<DateTimeParts> dateTimeOf(const SqlLiteral& literal, const std::string& type) {
  using namespace std::chrono;
  if (literal.kind == SqlLiteral::Kind::kBinary) {
    const std::string& hex = literal.text;
    char time[16];
    if (type == "datetime" && hex.size() == 16) {
      // Days after 1900-01-01, then 1/300 seconds after midnight; big-endian.
      const auto days = static_cast<int32_t>(bigEndian(hex, 0, 4));
      const auto seconds = static_cast<int64_t>(static_cast<int32_t>(bigEndian(hex, 4, 4)) / 300);
      std::snprintf(time, sizeof time, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                    static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
      return DateTimeParts{civilDate(sys_days(year(1900) / 1 / 1) + std::chrono::days(days)), time, ""};
    }
    if (type == "smalldatetime" && hex.size() == 8) {
      // Days after 1900-01-01, then minutes after midnight; big-endian.
      const auto minutes = static_cast<unsigned>(bigEndian(hex, 2, 2));
      std::snprintf(time, sizeof time, "%02u:%02u:00", minutes / 60, minutes % 60);
      return DateTimeParts{civilDate(sys_days(year(1900) / 1 / 1) + std::chrono::days(bigEndian(hex, 0, 2))), time, ""};
    }
    if (type == "date" && hex.size() >= 6) {
      // The stored form: days after 0001-01-01, little-endian, in three bytes.
      const uint64_t days = bigEndian(hex, 0, 1) | bigEndian(hex, 1, 1) << 8 | bigEndian(hex, 2, 1) << 16;
      return DateTimeParts{civilDate(sys_days(year(1) / 1 / 1) + std::chrono::days(days)), "", ""};
    }
    return std::nullopt;
  }
  if (literal.kind != SqlLiteral::Kind::kString) return std::nullopt;
  static const std::regex kIso(R"(^(\d{4})-?(\d\d)-?(\d\d)(?:[T ](\d\d):(\d\d)(?::(\d\d)(?:\.(\d+))?)?)?$)");
  std::smatch m;
  if (!std::regex_match(literal.text, m, kIso)) return std::nullopt;
  DateTimeParts parts{m[1].str() + "-" + m[2].str() + "-" + m[3].str(), "", m[7].str()};
  if (m[4].matched) parts.time = m[4].str() + ":" + m[5].str() + ":" + (m[6].matched ? m[6].str() : "00");
  return parts;
}

bool isOneOf(const std::string& type, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (type == name) return true;
  }
  return false;
}

// The text the export writes for `literal` stored in `column`; nullopt with the
// reason in `why` for a literal whose stored value cannot be told from the
// script alone. Each rule turns the script's way of writing a value into the
// export's way of writing the same value, and no more.
std::optional<std::string> exportedText(const SqlLiteral& literal, const kit::SqlColumnDefinition& column,
                                        std::string& why) {
  using Kind = SqlLiteral::Kind;
  const std::string& type = column.type;
  const std::string& text = literal.text;
  if (literal.kind == Kind::kNull) return kNullText;
  if (literal.kind == Kind::kExpression) {
    why = "not a literal: " + text;
    return std::nullopt;
  }
  if (isOneOf(type, {"int", "bigint", "smallint", "tinyint"})) {
    // Digits as written, less a plus sign and leading zeros.
    if (literal.kind == Kind::kBinary || text.find_first_of(".eE") != std::string::npos) {
      why = "integer written as " + text;
      return std::nullopt;
    }
    return std::to_string(std::stoll(text));
  }
  if (type == "bit") {
    // 1 or any other number but 0 is true; strings 'true' and 'false' too.
    if (literal.kind == Kind::kString) return lower(text) == "true" ? "True" : "False";
    return std::strtod(text.c_str(), nullptr) != 0 ? "True" : "False";
  }
  if (type == "float") {
    // "7.740", "7.74E0" and "7.74" are one double, shown with fifteen digits.
    return fifteenDigits(std::strtod(text.c_str(), nullptr));
  }
  if (type == "real") {
    std::ostringstream shown;
    shown << static_cast<double>(std::strtof(text.c_str(), nullptr));
    return shown.str();
  }
  if (isOneOf(type, {"money", "smallmoney"})) {
    // Money always shows four decimals: 18.00 is 18.0000.
    auto shown = fixedPoint(text, 4);
    if (!shown) why = "money written as " + text;
    return shown;
  }
  if (isOneOf(type, {"decimal", "numeric"})) {
    // Exactly the column's scale of decimals: 18 in decimal(18,2) is 18.00.
    auto shown = fixedPoint(text, typeArgument(column, 1).value_or(0));
    if (!shown) why = "decimal written as " + text;
    return shown;
  }
  if (isOneOf(type, {"datetime", "smalldatetime", "date", "datetime2", "time"})) {
    auto parts = dateTimeOf(literal, type);
    if (!parts) {
      why = type + " written as " + text;
      return std::nullopt;
    }
    if (type == "date") return parts->date;
    // datetime: no fractions of a second. Scripts write the stored 1/300 s
    // steps (.997 at most), so cutting them never reaches the next second.
    const std::string clock = parts->time.empty() ? "00:00:00" : parts->time;
    if (type == "datetime") return parts->date + " " + clock;
    if (type == "smalldatetime") {
      if (clock.substr(6) != "00") {
        why = "smalldatetime with seconds rounds to a minute: " + text;
        return std::nullopt;
      }
      return parts->date + " " + clock;
    }
    // datetime2 and time: as many fraction digits as the column's scale.
    const size_t scale = static_cast<size_t>(typeArgument(column, 0).value_or(7));
    std::string fraction = parts->fraction;
    if (fraction.size() > scale && fraction.find_first_not_of('0', scale) != std::string::npos) {
      why = type + " with more fraction digits than its scale: " + text;
      return std::nullopt;
    }
    fraction.resize(scale, '0');
    const std::string shown = type == "time" ? clock : parts->date + " " + clock;
    return scale == 0 ? shown : shown + "." + fraction;
  }
  if (type == "uniqueidentifier") return upper(text);  // shown in upper case, without braces
  if (isOneOf(type, {"binary", "varbinary", "image", "timestamp", "rowversion"})) {
    if (literal.kind != Kind::kBinary) {
      why = "binary written as " + text;
      return std::nullopt;
    }
    if (text.empty()) {
      why = "empty binary value";
      return std::nullopt;
    }
    // binary(n) is padded with zero bytes to its width.
    std::string hex = text;
    if (type == "binary")
      hex.resize(std::max<size_t>(hex.size(), 2 * static_cast<size_t>(typeArgument(column, 0).value_or(1))), '0');
    return "0x" + hex;
  }
  if (literal.kind == Kind::kBinary) {
    why = "binary written into a " + type + " column";
    return std::nullopt;
  }
  if (isOneOf(type, {"char", "nchar"})) {
    // Fixed-width text keeps the blanks that pad it to its width.
    const size_t width = static_cast<size_t>(typeArgument(column, 0).value_or(1));
    const size_t length = codePoints(text);
    return length >= width ? text : text + std::string(width - length, ' ');
  }
  return text;
}

// The export writes a decimal whose digits all lie behind the point without
// the zero before it (".50"); the zero is put back before comparing.
std::string comparableExported(const std::string& value, const kit::SqlColumnDefinition& column) {
  if (!isOneOf(column.type, {"decimal", "numeric"})) return value;
  if (value.starts_with(".")) return "0" + value;
  if (value.starts_with("-.")) return "-0" + value.substr(1);
  return value;
}

// What the scripts hold that no longer holds in the databases: they were used
// after the script was written. Checked against the record bytes: the live
// slot holds the value named here (earlier versions of the row remain only as
// unreferenced bytes of the page), or the row is gone and the database's own
// row count (see the first test) no longer counts it.
struct ChangedSinceScript {
  const char* file;
  const char* table;
  const char* key;     // value of the INSERT's first column
  const char* column;  // nullptr: the row was deleted
  const char* value;   // what the data file holds now
};
const ChangedSinceScript kChangedSinceScript[] = {
    {"ql-quancafe-2012.mdf", "ACCOUNT", "admin", "DISPLAYNAME", "Qu\xE1\xBA\xA3n L\xC3\xBD"},
    {"ql-quancafe-2012.mdf", "FOOD", "CF Pin \xC3\xB3", nullptr, nullptr},
    {"ql-quancafe-2012.mdf", "TABLEF", "B\xC3\xA0n 22", nullptr, nullptr},
    {"ql-quancafe-2012.mdf", "TABLEF", "B\xC3\xA0n 23", nullptr, nullptr},
    {"ql-quancafe-2012.mdf", "TABLEF", "B\xC3\xA0n 24", nullptr, nullptr},
    {"littleitaly-vineyard-2005.mdf", "ProductCategory", "Membership", nullptr, nullptr},
};

const ChangedSinceScript* changedSinceScript(const std::string& file, const std::string& table, const std::string& key,
                                             const char* column) {
  for (const ChangedSinceScript& change : kChangedSinceScript) {
    if (file == change.file && table == change.table && key == change.key &&
        (column == nullptr ? change.column == nullptr
                           : change.column != nullptr && std::string(column) == change.column)) {
      return &change;
    }
  }
  return nullptr;
}

struct ScriptedFixture {
  const kit::FixtureFile* fixture;
  std::string scriptPath;
};

std::vector<ScriptedFixture> scriptedFixtures(const std::vector<kit::FixtureFile>& primaries) {
  std::vector<ScriptedFixture> out;
  for (const kit::FixtureFile& fixture : primaries) {
    const std::string& script = fixture.field("script");
    if (script.empty() || script == "-") continue;
    out.push_back({&fixture, kit::fixturesFolder() + "/" + script});
  }
  return out;
}

// The parser finds every table and every row of each script: a statement it
// passed over would silently leave its values unchecked below.
TEST_F(RealFilesExport, ScriptsParseIntoTheirTablesAndRows) {
  struct Expected {
    const char* file;
    size_t tables;
    size_t inserts;
  };
  const Expected expected[] = {
      {"java5-2017.mdf", 3, 47},
      {"littleitaly-vineyard-2005.mdf", 11, 11},
      {"mushroomteahouse-2016.mdf", 8, 0},
      {"ql-quancafe-2012.mdf", 5, 61},
  };
  std::vector<ScriptedFixture> scripted = scriptedFixtures(primaries_);
  ASSERT_EQ(scripted.size(), std::size(expected));
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    auto found = std::find_if(scripted.begin(), scripted.end(),
                              [&](const ScriptedFixture& s) { return s.fixture->file == e.file; });
    ASSERT_NE(found, scripted.end());
    kit::SqlScript script = kit::loadSqlScript(found->scriptPath);
    EXPECT_EQ(script.tables.size(), e.tables);
    EXPECT_EQ(script.inserts.size(), e.inserts);
  }
}

// Every table a script creates is a table of the data file, with the script's
// columns in the script's order.
TEST_F(RealFilesExport, ScriptTablesHaveTheScriptColumns) {
  for (const ScriptedFixture& scripted : scriptedFixtures(primaries_)) {
    SCOPED_TRACE(scripted.fixture->file);
    kit::SqlScript script = kit::loadSqlScript(scripted.scriptPath);
    for (const kit::SqlTableDefinition& table : script.tables) {
      SCOPED_TRACE(table.name);
      if (!hasTables(*scripted.fixture, {table.name})) {
        ADD_FAILURE() << "not a table of the data file";
        continue;
      }
      Row names;
      for (const kit::SqlColumnDefinition& column : table.columns) names.push_back(column.name);
      EXPECT_EQ(exportOf(*scripted.fixture, table.name).csv.header, names);
    }
  }
}

// Each row a script inserts is found by the value of its first column, and
// every value the script gives it is the value exported.
TEST_F(RealFilesExport, RowsMatchTheScriptThatInsertedThem) {
  std::set<const ChangedSinceScript*> used;
  for (const ScriptedFixture& scripted : scriptedFixtures(primaries_)) {
    const std::string& file = scripted.fixture->file;
    SCOPED_TRACE(file);
    kit::SqlScript script = kit::loadSqlScript(scripted.scriptPath);
    std::map<std::string, size_t> comparedRows;
    for (const kit::SqlInsert& insert : script.inserts) {
      const kit::SqlTableDefinition* table = script.table(insert.table);
      if (table == nullptr) {
        ADD_FAILURE() << "the script inserts into " << insert.table << " but does not create it";
        continue;
      }
      std::vector<const kit::SqlColumnDefinition*> columns;
      if (insert.columns.empty()) {
        for (const kit::SqlColumnDefinition& column : table->columns) columns.push_back(&column);
      } else {
        for (const std::string& name : insert.columns) columns.push_back(table->column(name));
      }
      SCOPED_TRACE(insert.table);
      if (columns.size() != insert.values.size() || columns.empty() || columns[0] == nullptr) {
        ADD_FAILURE() << columns.size() << " columns for " << insert.values.size() << " values";
        continue;
      }
      const Export& e = exportOf(*scripted.fixture, table->name);
      std::string why;
      const std::optional<std::string> key = exportedText(insert.values[0], *columns[0], why);
      if (!key) {
        ADD_FAILURE() << "key: " << why;
        continue;
      }
      SCOPED_TRACE(columns[0]->name + " = " + *key);

      std::vector<const Row*> rows = e.rowsWith(columns[0]->name, *key);
      if (const ChangedSinceScript* deleted = changedSinceScript(file, table->name, *key, nullptr)) {
        used.insert(deleted);
        EXPECT_TRUE(rows.empty()) << "listed as deleted since the script, yet exported";
        continue;
      }
      if (rows.size() != 1) {
        ADD_FAILURE() << rows.size() << " rows exported with this key";
        continue;
      }
      const Row& row = *rows[0];
      for (size_t v = 0; v < columns.size(); ++v) {
        if (columns[v] == nullptr) {
          ADD_FAILURE() << insert.columns[v] << " is not a column of the script's table";
          continue;
        }
        const kit::SqlColumnDefinition& column = *columns[v];
        SCOPED_TRACE(column.name + " " + column.type + "(" + column.arguments + ")");
        std::optional<std::string> expected = exportedText(insert.values[v], column, why);
        if (!expected) {
          ADD_FAILURE() << why;
          continue;
        }
        if (const ChangedSinceScript* change = changedSinceScript(file, table->name, *key, column.name.c_str())) {
          used.insert(change);
          EXPECT_NE(*expected, change->value) << "listed as changed since the script, yet still the script's value";
          expected = change->value;
        }
        const int c = e.column(column.name);
        if (c < 0) {
          ADD_FAILURE() << "not an exported column";
          continue;
        }
        EXPECT_EQ(comparableExported(row[static_cast<size_t>(c)], column), *expected);
      }
      ++comparedRows[table->name];
    }
    // Every table the script fills has rows that were compared.
    for (const kit::SqlInsert& insert : script.inserts) {
      if (const kit::SqlTableDefinition* table = script.table(insert.table)) {
        EXPECT_GT(comparedRows[table->name], 0u) << insert.table;
      }
    }
  }
  for (const ChangedSinceScript& change : kChangedSinceScript) {
    EXPECT_TRUE(used.count(&change)) << "stale entry: " << change.file << " " << change.table << " " << change.key;
  }
}

// ---- The script reader itself ----

TEST(SqlScriptReading, LiteralFormsOfInsertStatements) {
  using Kind = SqlLiteral::Kind;
  struct Case {
    const char* sql;
    const char* table;
    std::vector<std::string> columns;
    std::vector<SqlLiteral> values;
  };
  const Case cases[] = {
      {"INSERT [dbo].[Users] ([Id], [Name]) VALUES (N'it''s', NULL)",
       "Users",
       {"Id", "Name"},
       {{Kind::kString, "it's", true, ""}, {Kind::kNull, "", false, ""}}},
      {"insert into [Order Details] values (-1.5, +2, 1E-05, 0x00ff, 0x, 'x')",
       "Order Details",
       {},
       {{Kind::kNumber, "-1.5", false, ""},
        {Kind::kNumber, "2", false, ""},
        {Kind::kNumber, "1E-05", false, ""},
        {Kind::kBinary, "00FF", false, ""},
        {Kind::kBinary, "", false, ""},
        {Kind::kString, "x", false, ""}}},
      {"INSERT T (a, b, c) VALUES (CAST(N'2021-06-28T10:57:01.000' AS DateTime), "
       "CAST(18.00 AS Decimal(18, 2)), CAST(0x00009E4A00000000 AS DateTime))",
       "T",
       {"a", "b", "c"},
       {{Kind::kString, "2021-06-28T10:57:01.000", true, "datetime"},
        {Kind::kNumber, "18.00", false, "decimal(18,2)"},
        {Kind::kBinary, "00009E4A00000000", false, "datetime"}}},
      {"INSERT T (a) VALUES (GETDATE()), (@value)", "T", {"a"}, {{Kind::kExpression, "GETDATE ( )", false, ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    kit::SqlScript script = kit::parseSqlScript(c.sql);
    ASSERT_FALSE(script.inserts.empty());
    EXPECT_EQ(script.inserts[0].table, c.table);
    EXPECT_EQ(script.inserts[0].columns, c.columns);
    EXPECT_EQ(script.inserts[0].values, c.values);
  }
}

TEST(SqlScriptReading, RowsOfOneStatementCommentsAndProcedureBodies) {
  kit::SqlScript script = kit::parseSqlScript(
      "-- INSERT T VALUES (0)\n"
      "/* INSERT T VALUES (0) /* nested */ INSERT T VALUES (0) */\n"
      "INSERT INTO T (a) VALUES (1), (2)\n"
      "GO\n"
      "CREATE PROCEDURE p AS INSERT T (a) VALUES (@a)\n"
      "GO\n"
      "INSERT T (a) VALUES ('--not a comment')\n"
      "INSERT T (a) SELECT a FROM U\n");
  std::vector<std::string> values;
  for (const kit::SqlInsert& insert : script.inserts) values.push_back(insert.values.at(0).text);
  EXPECT_EQ(values, (std::vector<std::string>{"1", "2", "--not a comment"}));
}

TEST(SqlScriptReading, ColumnsAndTypesOfCreateTable) {
  kit::SqlScript script = kit::parseSqlScript(
      "CREATE TABLE [dbo].[Item] (\n"
      "    [ItemId] INT IDENTITY (1, 1) NOT NULL,\n"
      "    [Price] DECIMAL (18, 2) NOT NULL DEFAULT ((0)),\n"
      "    [Image] VARBINARY (MAX) NULL,\n"
      "    [Code] [char](3) NOT NULL,\n"
      "    CONSTRAINT [PK_dbo.Item] PRIMARY KEY CLUSTERED ([ItemId] ASC)\n"
      ");\n"
      "ALTER TABLE [dbo].[Item] ADD CONSTRAINT x CHECK (Price > 0)\n");
  ASSERT_EQ(script.tables.size(), 1u);
  const kit::SqlTableDefinition& table = script.tables[0];
  EXPECT_EQ(table.name, "Item");
  std::vector<std::string> columns;
  for (const kit::SqlColumnDefinition& c : table.columns)
    columns.push_back(c.name + " " + c.type + "(" + c.arguments + ")");
  EXPECT_EQ(columns,
            (std::vector<std::string>{"ItemId int()", "Price decimal(18,2)", "Image varbinary(max)", "Code char(3)"}));
  EXPECT_NE(script.table("ITEM"), nullptr);
  EXPECT_NE(table.column("price"), nullptr);
}

TEST(SqlScriptReading, ScriptEncodings) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"UTF-16LE with byte order mark",
       std::string("\xFF\xFE"
                   "A\0\xB0\x1E",
                   6),
       "A\xE1\xBA\xB0"},
      {"UTF-16LE without one", std::string("G\0O\0", 4), "GO"},
      {"UTF-8 with a mark per joined file", "\xEF\xBB\xBFG\xC3\xA0\n\xEF\xBB\xBFO", "G\xC3\xA0\nO"},
      {"Windows-1251", "\xCF\xF0\xE8 -- \xEB\xE0\xE1", "\xD0\x9F\xD1\x80\xD0\xB8 -- \xD0\xBB\xD0\xB0\xD0\xB1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(kit::scriptTextAsUtf8(c.bytes), c.utf8);
  }
}

// The export's way of writing each literal form that scripts use.
TEST(SqlScriptReading, ExportedTextOfLiteralForms) {
  using Kind = SqlLiteral::Kind;
  struct Case {
    SqlLiteral literal;
    kit::SqlColumnDefinition column;
    const char* exported;  // nullptr: not told from the script alone
  };
  const Case cases[] = {
      {{Kind::kString, "2021-06-28T10:57:01.997", true, "datetime"}, {"c", "datetime", ""}, "2021-06-28 10:57:01"},
      {{Kind::kBinary, "00009E4A0001A5E0", false, "datetime"}, {"c", "datetime", ""}, "2010-12-12 00:06:00"},
      {{Kind::kBinary, "9E4A003C", false, "smalldatetime"}, {"c", "smalldatetime", ""}, "2010-12-12 01:00:00"},
      {{Kind::kString, "1985-11-10", true, "date"}, {"c", "date", ""}, "1985-11-10"},
      {{Kind::kString, "2020-02-29T23:59:59.1234567", true, "datetime2"}, {"c", "datetime2", "3"}, nullptr},
      {{Kind::kString, "2020-02-29T23:59:59.12", true, "datetime2"},
       {"c", "datetime2", "3"},
       "2020-02-29 23:59:59.120"},
      {{Kind::kNumber, "18.00", false, ""}, {"c", "money", ""}, "18.0000"},
      {{Kind::kNumber, "-0.00005", false, ""}, {"c", "smallmoney", ""}, "-0.0001"},
      {{Kind::kNumber, "9.995", false, "decimal(18,2)"}, {"c", "decimal", "18,2"}, "10.00"},
      {{Kind::kNumber, "7", false, ""}, {"c", "numeric", "5,0"}, "7"},
      {{Kind::kNumber, "6.10", false, ""}, {"c", "float", ""}, "6.1"},
      {{Kind::kNumber, "1E-05", false, ""}, {"c", "float", ""}, "0.00001"},
      {{Kind::kNumber, "2E14", false, ""}, {"c", "float", ""}, "200000000000000"},
      {{Kind::kNumber, "1", false, ""}, {"c", "bit", ""}, "True"},
      {{Kind::kNumber, "+042", false, ""}, {"c", "int", ""}, "42"},
      {{Kind::kString, "ab", true, ""}, {"c", "nchar", "4"}, "ab  "},
      {{Kind::kString, "5a1f0c3e-0000-4000-8000-00000000abcd", true, ""},
       {"c", "uniqueidentifier", ""},
       "5A1F0C3E-0000-4000-8000-00000000ABCD"},
      {{Kind::kBinary, "01FF", false, ""}, {"c", "binary", "4"}, "0x01FF0000"},
      {{Kind::kBinary, "01FF", false, ""}, {"c", "varbinary", "max"}, "0x01FF"},
      {{Kind::kNull, "", false, ""}, {"c", "varchar", "10"}, kNullText},
      {{Kind::kExpression, "GETDATE ( )", false, ""}, {"c", "datetime", ""}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.literal.text + " as " + c.column.type + "(" + c.column.arguments + ")");
    std::string why;
    std::optional<std::string> got = exportedText(c.literal, c.column, why);
    if (c.exported == nullptr) {
      EXPECT_FALSE(got) << *got;
    } else {
      EXPECT_EQ(got, c.exported) << why;
    }
  }
}

}  // namespace
}  // namespace pellora
