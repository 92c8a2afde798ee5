// The open of a data file: where its pages start, the page indexes, the
// fetchers' ranges, the page-shift correction and the boot page.
#include <gtest/gtest.h>

#include "kit/data_file_builder.h"
#include "kit/primary_file.h"
#include "kit/system_pages.h"
#include "kit/temp_dir.h"
#include "storage/boot_page.h"
#include "storage/database_file.h"
#include "storage/primary_record_page.h"

namespace pellora {
namespace {

// Records what the open reports.
struct RecordingNotifier : Notifier {
  void failure(std::string_view text) override { failures.emplace_back(text); }
  void statusText(std::string_view text) override { stages.emplace_back(text); }
  std::vector<std::string> failures, stages;
};

class OpenTest : public ::testing::Test {
 protected:
  std::string write(const kit::DataFileBuilder& builder, const std::string& name = "db.mdf") {
    std::string path = dir_.file(name);
    EXPECT_TRUE(builder.writeTo(path));
    return path;
  }
  // A file of `pages` pages none of which carries its own position, with one
  // system page so that it is not refused.
  kit::DataFileBuilder unnumberedFile(uint64_t pages) {
    kit::DataFileBuilder builder(pages);
    for (uint64_t p = 0; p < pages; ++p) {
      kit::PageBuilder page;
      page.pageNumber(static_cast<int32_t>(p + 1000)).objectId(p == 3 ? 34 : 0);
      builder.setPage(p, page);
    }
    return builder;
  }

  kit::TempDir dir_;
  RunFlags flags_;
  RecordingNotifier notifier_;
};

TEST_F(OpenTest, DataStartFollowsTheSelfNumberedPages) {
  struct Case {
    const char* name;
    size_t leading, trailing;
    bool numbered;
    uint64_t dataStart;
  } cases[] = {
      {"aligned", 0, 0, true, 0},
      {"4096 bytes at the end", 0, 4096, true, 0},
      {"4096 bytes before the pages", 4096, 0, true, 4096},
      {"no page carries its position, remainder", 4096, 0, false, 4096},
      {"no page carries its position, no remainder", 0, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::DataFileBuilder builder = c.numbered ? kit::minimalPrimaryFile() : unnumberedFile(40);
    if (c.leading) builder.leadingRemainder(c.leading);
    if (c.trailing) builder.trailingRemainder(c.trailing);
    DatabaseFile file(write(builder), notifier_, flags_);
    ASSERT_TRUE(file.valid());
    EXPECT_EQ(file.dataStart(), c.dataStart);
    EXPECT_EQ(file.pageCount(), builder.fileLength() / kPageSize);
    EXPECT_EQ(file.extentCount(), builder.fileLength() / (8 * kPageSize));
  }
}

TEST_F(OpenTest, RefusesFilesWithoutASystemPage) {
  struct Case {
    size_t length;
    const char* message;
  } cases[] = {{0, kNotValidMessage}, {8191, kNotValidMessage}, {8192 * 12, kNotValidMessage}};
  for (const Case& c : cases) {
    kit::DataFileBuilder builder;
    std::string path = dir_.file("short.mdf");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::string zeros(c.length, '\0');
    std::fwrite(zeros.data(), 1, zeros.size(), out);
    std::fclose(out);
    RecordingNotifier notifier;
    DatabaseFile file(path, notifier, flags_);
    EXPECT_FALSE(file.valid()) << c.length;
    ASSERT_EQ(notifier.failures.size(), 1u);
    EXPECT_EQ(notifier.failures[0], c.message);
  }
  RecordingNotifier notifier;
  DatabaseFile missing(dir_.file("none.mdf"), notifier, flags_);
  EXPECT_FALSE(missing.valid());
  EXPECT_EQ(notifier.failures, std::vector<std::string>{kCannotOpenMessage});
}

TEST_F(OpenTest, OnePageFileIsCheckedFromPositionZero) {
  kit::DataFileBuilder builder(1);
  kit::PageBuilder page;
  page.objectId(34).pageNumber(0);
  builder.setPage(0, page);
  DatabaseFile file(write(builder), notifier_, flags_);
  EXPECT_TRUE(file.valid());
  EXPECT_EQ(file.pageCount(), 1u);
  EXPECT_EQ(file.systemPageIndex().at(34).size(), 1u);
}

TEST_F(OpenTest, StopDuringTheOpenIsClearedAndReported) {
  std::string path = write(kit::minimalPrimaryFile());
  flags_.stopRequest = true;
  DatabaseFile file(path, notifier_, flags_);
  EXPECT_TRUE(file.stoppedDuringOpen());
  EXPECT_FALSE(flags_.stopRequest.load());
  EXPECT_TRUE(notifier_.failures.empty()) << "a stopped open is not a damaged file";
}

TEST_F(OpenTest, FetchersKeepToTheirPositions) {
  DatabaseFile file(write(kit::minimalPrimaryFile()), notifier_, flags_);
  ASSERT_TRUE(file.valid());
  int32_t last = static_cast<int32_t>(file.pageCount());
  EXPECT_FALSE(file.readPageBuffer({1, 0}));
  EXPECT_TRUE(file.readCatalogPage({1, 0}));
  EXPECT_TRUE(file.readPageBuffer({1, 9}));
  PageBuffer end = file.readPageBuffer({1, last});
  ASSERT_TRUE(end) << "the page count itself passes the range test";
  EXPECT_EQ(u32At(Bytes(end->data(), end->size()), 32), 0u) << "past the pages the buffer is zeros";
  EXPECT_FALSE(file.readPageBuffer({1, last + 1}));
  EXPECT_FALSE(file.readPageBuffer({1, -1}));
  EXPECT_FALSE(file.readPageBuffer({0, 9}));
  EXPECT_FALSE(file.readPageBuffer({-1, 9}));
  EXPECT_FALSE(file.readPageBuffer({4, 9}));
  auto header = file.readHeaderKeepBuffer({1, 9});
  ASSERT_TRUE(header && file.currentBuffer());
  EXPECT_EQ(header->thisPage.pageNumber, 9);
}

TEST_F(OpenTest, ShiftCorrectionReadsWhereTheWantedPageLies) {
  kit::DataFileBuilder builder = kit::minimalPrimaryFile();
  kit::PageBuilder moved;
  moved.pageNumber(42).objectId(5000);
  builder.setPage(40, moved);  // position 40 carries 42: pages lie 2 too far
  kit::PageBuilder wanted;
  wanted.pageNumber(38).objectId(6000);
  builder.setPage(38, wanted);
  DatabaseFile file(write(builder), notifier_, flags_);
  PageBuffer page = file.readShiftCorrected({1, 40});
  ASSERT_TRUE(page);
  EXPECT_EQ(s32At(Bytes(page->data(), page->size()), 24), 6000);
  PageBuffer straight = file.readShiftCorrected({1, 38});
  EXPECT_EQ(s32At(Bytes(straight->data(), straight->size()), 24), 6000);
}

TEST_F(OpenTest, SecondaryFilesBesideThePrimaryAreFoundByExtension) {
  std::string path = write(kit::minimalPrimaryFile());
  kit::DataFileBuilder secondary(24);
  for (uint64_t p = 0; p < 24; ++p) {
    kit::PageBuilder page;
    page.pageNumber(static_cast<int32_t>(p)).fileId(3).objectId(p == 12 ? 2001 : 0);
    if (p == 12) page.type(kit::PageType::kData);
    secondary.setPage(p, page);
  }
  write(secondary, "extra.NDF");
  write(secondary, "not-data.txt");
  DatabaseFile file(path, notifier_, flags_);
  std::vector<DataFileEntry> rows;
  file.attachSecondaryFiles(rows);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].fileId, 3);
  EXPECT_EQ(file.secondaryFiles().count(3), 1u);
  EXPECT_EQ(file.dataPageIndex().at(2001).front().fileId, 3);
  EXPECT_TRUE(file.readPageBuffer({3, 12}));
}

TEST(BootPage, VersionCaptions) {
  struct Case {
    uint16_t version;
    const char* caption;
  } cases[] = {{539, " SQL Server 2000"}, {611, " SQL Server 2005"}, {655, " SQL Server 2008"},
               {660, " SQL Server 2008 R2"}, {661, " SQL Server 2008 R2"}, {706, " SQL Server 2012"},
               {782, " SQL Server 2014"}, {852, " SQL Server 2016"}, {869, " SQL Server 2017"},
               {904, " SQL Server 2019"}, {957, " SQL Server 2022"}, {1, "Unknown SQL Version"}};
  for (const Case& c : cases) EXPECT_EQ(versionCaption(c.version), c.caption) << c.version;
}

TEST(BootPage, DatabaseNameRule) {
  struct Case {
    std::u16string stored;
    std::string name;
  } cases[] = {
      {u"Northwind", "Northwind"},
      {u"C:\\USERS\\ME\\VISUAL STUDIO\\DB.MDF", "C:\\USERS\\ME\\VISUAL"},
      {u" leading blank", " leading blank"},
      {std::u16string(104, u'A'), std::string(104, 'A')},
      {u"caf\u00e9", "caf\u00e9"},
  };
  for (const Case& c : cases) {
    kit::BootFields fields;
    fields.name = c.stored;
    PageBytes page = kit::bootPage(fields).build();
    page[356] = 'B';  // the byte after the name field: a name never runs into it
    CBootPage boot(Bytes(page.data(), page.size()), {}, CollationChoice::kAuto, 0);
    EXPECT_EQ(boot.databaseName, c.name);
  }
}

TEST(BootPage, CollationByIdOrItsLow16BitsOrByHand) {
  CollationMap map = {{53280, {"Vietnamese_CI_AS", 1258}}, {872468488, {"SQL_Latin1_General_CP1_CI_AS", 1252}}};
  struct Case {
    uint32_t stored;
    CollationChoice choice;
    int64_t manual;
    const char* name;  // nullptr: not found
  } cases[] = {
      {872468488, CollationChoice::kAuto, 0, "SQL_Latin1_General_CP1_CI_AS"},
      {0x00AB0000u | 53280, CollationChoice::kAuto, 0, "Vietnamese_CI_AS"},
      {12345, CollationChoice::kAuto, 0, nullptr},
      {872468488, CollationChoice::kManual, 53280, "Vietnamese_CI_AS"},
      {872468488, CollationChoice::kManual, 777, nullptr},
  };
  for (const Case& c : cases) {
    PageBytes page = kit::bootPage(661, "db", c.stored).build();
    CBootPage boot(Bytes(page.data(), page.size()), map, c.choice, c.manual);
    if (!c.name) {
      EXPECT_FALSE(boot.collation) << c.stored;
    } else {
      ASSERT_TRUE(boot.collation) << c.stored;
      EXPECT_EQ(boot.collation->name, c.name);
    }
  }
}

TEST_F(OpenTest, BootPageIsFoundThroughThePageShift) {
  // The first sysallocunits page lies at 20 but carries 21: every page lies one
  // position early, so the boot page (number 9) is at position 8.
  kit::PrimaryFileLayout layout;
  kit::DataFileBuilder builder = kit::minimalPrimaryFile(layout);
  kit::PageBuilder allocUnits;
  allocUnits.type(kit::PageType::kData).objectId(7).pageNumber(21);
  builder.setPage(layout.sysAllocUnitsPosition, kit::PageBuilder().objectId(0).pageNumber(
                                                     static_cast<int32_t>(layout.sysAllocUnitsPosition)));
  builder.setPage(20, allocUnits);
  kit::PageBuilder boot = kit::bootPage(706, "Shifted", kit::kLatin1GeneralCp1CiAs);
  boot.pageNumber(9);
  builder.setPage(8, boot);
  builder.setPage(9, kit::bootPage(655, "Wrong", kit::kLatin1GeneralCp1CiAs));
  DatabaseFile file(write(builder), notifier_, flags_);
  BootPageResult result = readBootPage(file, {}, CollationChoice::kAuto, 0);
  ASSERT_TRUE(result.read);
  EXPECT_EQ(result.databaseName, "Shifted");
  EXPECT_EQ(result.versionText, " SQL Server 2012");
}

}  // namespace
}  // namespace pellora
