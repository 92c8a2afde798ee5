// The record listing: screens of 1000 records with Previous and Next, their
// labels, the three listers and the fallback from the allocation map to the
// page chain, blank rows, and the full pass an export makes.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalog/database_catalog.h"
#include "catalog/listing_pages.h"
#include "catalog/record_listing.h"
#include "catalog/table_reader.h"
#include "kit/primary_file.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

// Remembers the last progress position: the listing ends every screen by
// reporting how many pages it knows, which is how far it read a chain.
class ProgressRecorder : public Notifier {
 public:
  void progressPos(int64_t position) override { last = position; }
  int64_t last = -1;
};

// A kit file written to a temporary folder, opened, its catalog mapped and
// the sample table prepared.
class OpenedSample {
 public:
  explicit OpenedSample(const kit::DataFileBuilder& builder, const std::string& table = "SampleTable") {
    path_ = dir_.file("db.mdf");
    EXPECT_TRUE(builder.writeTo(path_));
    file_ = std::make_unique<DatabaseFile>(path_, silentNotifier(), flags_);
    EXPECT_TRUE(file_->valid());
    catalog_ = std::make_unique<DatabaseCatalog>(*file_, CollationRequest{});
    reader_ = std::make_unique<TableReader>(*catalog_, *file_);
    EXPECT_FALSE(reader_->readTable(table, "U ", {}).empty()) << "no table " << table;
  }

  TableReader& reader() { return *reader_; }
  DatabaseFile& file() { return *file_; }

 private:
  kit::TempDir dir_;
  std::string path_;
  RunFlags flags_;
  std::unique_ptr<DatabaseFile> file_;
  std::unique_ptr<DatabaseCatalog> catalog_;
  std::unique_ptr<TableReader> reader_;
};

// One listing of an opened sample, as a record list window holds it.
struct Listing {
  explicit Listing(OpenedSample& sample) : listing(sample.reader(), model, progress, RowDecoding{}) {}
  RecordListModel model;
  ProgressRecorder progress;
  RecordListing listing;
};

using Row = std::vector<std::string>;

Row sampleRow(uint64_t id) { return {std::to_string(id), "row " + std::to_string(id)}; }

// The three ways a table is listed, each over a file the lister can follow:
// the allocation map of the current catalog, the page chain that a SQL
// Server 2000 clustered table starts at its sysindexes first page, and
// Advanced mode's page list.
struct ListerCase {
  const char* name;
  bool sql2000;
  bool advanced;
  Lister lister;
};

constexpr ListerCase kListers[] = {
    {"allocation map", false, false, Lister::kIamWalk},
    {"page chain", true, false, Lister::kPageChain},
    {"page list", false, true, Lister::kPageList},
};

kit::PrimaryFileLayout layoutWith(uint64_t records, bool sql2000 = false) {
  kit::PrimaryFileLayout layout = sql2000 ? kit::sql2000Layout() : kit::PrimaryFileLayout{};
  layout.userRecordCount = records;
  layout.linkedUserPages = true;
  return layout;
}

// The sample catalog; in the SQL Server 2000 layout the table is clustered,
// so that it is listed along its page chain.
kit::CatalogRows catalogFor(const kit::PrimaryFileLayout& layout) {
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  for (kit::LegacyIndexRow& index : rows.legacyIndexes) index.indexId = 1;
  return rows;
}

kit::DataFileBuilder fileWith(uint64_t records, bool sql2000 = false) {
  kit::PrimaryFileLayout layout = layoutWith(records, sql2000);
  return kit::minimalPrimaryFile(layout, catalogFor(layout));
}

// Every row of every screen, going Next until there is none.
std::vector<Row> allScreens(Listing& listed, bool advanced) {
  std::vector<Row> rows;
  listed.listing.listFirstScreen(advanced);
  do {
    rows.insert(rows.end(), listed.model.rows.begin(), listed.model.rows.end());
  } while (listed.listing.showNextScreen());
  return rows;
}

std::vector<std::string> idsOf(const std::vector<Row>& rows) {
  std::vector<std::string> ids;
  for (const Row& row : rows) ids.push_back(row.empty() ? "" : row[0]);
  return ids;
}

std::vector<std::string> idRange(uint64_t first, uint64_t last) {
  std::vector<std::string> ids;
  for (uint64_t id = first; id <= last; ++id) ids.push_back(std::to_string(id));
  return ids;
}

void expectScreen(const RecordListModel& model, const std::string& label, const std::string& caption,
                  bool previous, bool next) {
  EXPECT_EQ(model.pageLabel, label);
  EXPECT_EQ(model.caption, caption);
  EXPECT_EQ(model.previousEnabled, previous) << "Previous button on " << label;
  EXPECT_EQ(model.nextEnabled, next) << "Next button on " << label;
}

TEST(RecordListingScreens, ExactlyOneScreenOfRecordsKeepsNextDisabled) {
  for (const ListerCase& c : kListers) {
    SCOPED_TRACE(c.name);
    OpenedSample sample(fileWith(1000, c.sql2000));
    Listing listed(sample);
    EXPECT_TRUE(listed.listing.listFirstScreen(c.advanced));
    EXPECT_EQ(listed.listing.lister(), c.lister);
    EXPECT_EQ(listed.model.columns, (Row{"Id", "Name"}));
    ASSERT_EQ(listed.model.rows.size(), 1000u);
    EXPECT_EQ(listed.model.rows.front(), sampleRow(1));
    EXPECT_EQ(listed.model.rows.back(), sampleRow(1000));
    expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, false);

    EXPECT_FALSE(listed.listing.showNextScreen());
    EXPECT_EQ(listed.listing.pageNumber(), 1);
    EXPECT_EQ(listed.model.rows.size(), 1000u) << "a refused Next leaves the screen as it was";
    expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, false);
    EXPECT_FALSE(listed.listing.showPreviousScreen());
  }
}

TEST(RecordListingScreens, OneRecordPastAScreenIsShownOnASecondScreenAndBack) {
  for (const ListerCase& c : kListers) {
    SCOPED_TRACE(c.name);
    OpenedSample sample(fileWith(1001, c.sql2000));
    Listing listed(sample);
    ASSERT_TRUE(listed.listing.listFirstScreen(c.advanced));
    EXPECT_EQ(listed.model.rows.size(), 1000u);
    expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, true);

    ASSERT_TRUE(listed.listing.showNextScreen());
    EXPECT_EQ(listed.model.rows, (std::vector<Row>{sampleRow(1001)}));
    expectScreen(listed.model, "Page2 - [1](1001-1001) Records", "1000 rows to 1001", true, false);
    EXPECT_FALSE(listed.listing.showNextScreen()) << "there is no third screen";
    EXPECT_EQ(listed.model.rows.size(), 1u);

    ASSERT_TRUE(listed.listing.showPreviousScreen());
    ASSERT_EQ(listed.model.rows.size(), 1000u);
    EXPECT_EQ(listed.model.rows.front(), sampleRow(1));
    EXPECT_EQ(listed.model.rows.back(), sampleRow(1000));
    expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, true);
    EXPECT_FALSE(listed.listing.showPreviousScreen());

    ASSERT_TRUE(listed.listing.showNextScreen()) << "Next works again after Previous";
    EXPECT_EQ(listed.model.rows, (std::vector<Row>{sampleRow(1001)}));
    expectScreen(listed.model, "Page2 - [1](1001-1001) Records", "1000 rows to 1001", true, false);
    EXPECT_EQ(listed.listing.screenStackSize(), 2u) << "going Next again must not add a screen";
  }
}

// Going back and forth over three screens: every screen starts where the one
// before it ended, whichever way it was reached.
TEST(RecordListingScreens, ScreensKeepTheirRecordsWhenVisitedAgain) {
  OpenedSample sample(kit::minimalPrimaryFile(layoutWith(2500)));
  Listing listed(sample);
  ASSERT_TRUE(listed.listing.listFirstScreen(false));
  struct Step {
    bool next;
    const char* label;
    const char* caption;
    uint64_t firstId, lastId;
    bool previousEnabled, nextEnabled;
  } steps[] = {
      {true, "Page2 - [1000](1001-2000) Records", "1000 rows to 2000", 1001, 2000, true, true},
      {true, "Page3 - [500](2001-2500) Records", "2000 rows to 2500", 2001, 2500, true, false},
      {false, "Page2 - [1000](1001-2000) Records", "1000 rows to 2000", 1001, 2000, true, true},
      {false, "Page1 - [1000](1-1000) Records", "0 rows to 1000", 1, 1000, false, true},
      {true, "Page2 - [1000](1001-2000) Records", "1000 rows to 2000", 1001, 2000, true, true},
      {true, "Page3 - [500](2001-2500) Records", "2000 rows to 2500", 2001, 2500, true, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.label);
    ASSERT_TRUE(step.next ? listed.listing.showNextScreen() : listed.listing.showPreviousScreen());
    EXPECT_EQ(idsOf(listed.model.rows), idRange(step.firstId, step.lastId));
    expectScreen(listed.model, step.label, step.caption, step.previousEnabled, step.nextEnabled);
  }
  EXPECT_EQ(listed.listing.screenStackSize(), 3u);
}

TEST(RecordListingScreens, ATableWhosePagesCannotBeFoundShowsAnEmptyLabelledList) {
  struct Case {
    const char* name;
    bool advanced;
    void (*change)(kit::PrimaryFileLayout&, kit::CatalogRows&);
  } cases[] = {
      {"no user pages at all", false, [](kit::PrimaryFileLayout& layout, kit::CatalogRows&) { layout.userPageCount = 0; }},
      {"no user pages, Advanced mode", true,
       [](kit::PrimaryFileLayout& layout, kit::CatalogRows&) { layout.userPageCount = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout;
    kit::CatalogRows rows = kit::sampleCatalog(layout);
    c.change(layout, rows);
    OpenedSample sample(kit::minimalPrimaryFile(layout, rows));
    Listing listed(sample);
    EXPECT_FALSE(listed.listing.listFirstScreen(c.advanced));
    EXPECT_TRUE(listed.model.rows.empty());
    EXPECT_EQ(listed.model.columns, (Row{"Id", "Name"})) << "the headings are shown all the same";
    expectScreen(listed.model, "Page1 - [0](0-0) Records", "0 rows to 0", false, false);
    EXPECT_FALSE(listed.listing.showNextScreen());
    EXPECT_FALSE(listed.listing.showPreviousScreen());
  }
}

// Records 1..count with the given records blank; the Id column may be NULL,
// so that a blank record decodes to a row of NULL and empty cells.
std::unique_ptr<OpenedSample> blankSample(uint64_t count, std::set<uint64_t> blank, std::set<uint64_t> ghosts = {}) {
  kit::PrimaryFileLayout layout = layoutWith(count);
  layout.blankUserRecords = std::move(blank);
  layout.ghostUserRecords = std::move(ghosts);
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  rows.columns[0].status &= ~1;
  return std::make_unique<OpenedSample>(kit::minimalPrimaryFile(layout, rows));
}

std::vector<std::string> idsWithout(uint64_t count, const std::set<uint64_t>& left) {
  std::vector<std::string> ids;
  for (uint64_t id = 1; id <= count; ++id) {
    if (!left.count(id)) ids.push_back(std::to_string(id));
  }
  return ids;
}

TEST(RecordListingScreens, BlankRowsAreNeitherShownNorCounted) {
  struct Case {
    const char* name;
    uint64_t count;
    std::set<uint64_t> blank;
    const char* label;
    const char* caption;
  } cases[] = {
      {"blank rows inside the table", 10, {3, 7}, "Page1 - [8](1-8) Records", "0 rows to 8"},
      {"a blank first row", 5, {1}, "Page1 - [4](1-4) Records", "0 rows to 4"},
      {"only blank rows", 3, {1, 2, 3}, "Page1 - [0](0-0) Records", "0 rows to 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<OpenedSample> sample = blankSample(c.count, c.blank);
    Listing listed(*sample);
    EXPECT_EQ(listed.listing.listFirstScreen(false), c.count != c.blank.size());
    EXPECT_EQ(idsOf(listed.model.rows), idsWithout(c.count, c.blank));
    expectScreen(listed.model, c.label, c.caption, false, false);
  }
}

// A blank row among the first thousand does not take a place on the screen:
// the screen shows a thousand records that are not blank.
TEST(RecordListingScreens, ABlankRowGivesItsPlaceOnTheScreenToTheNextRecord) {
  std::unique_ptr<OpenedSample> sample = blankSample(1002, {5});
  Listing listed(*sample);
  ASSERT_TRUE(listed.listing.listFirstScreen(false));
  EXPECT_EQ(idsOf(listed.model.rows), idsWithout(1001, {5}));
  expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, true);
  ASSERT_TRUE(listed.listing.showNextScreen());
  EXPECT_EQ(idsOf(listed.model.rows), (std::vector<std::string>{"1002"}));
  expectScreen(listed.model, "Page2 - [1](1001-1001) Records", "1000 rows to 1001", true, false);
}

// A deleted record after a full screen is passed over by the decoder, so the
// screen is the last one.
TEST(RecordListingScreens, ADeletedRecordAfterAFullScreenOpensNoFurtherScreen) {
  std::unique_ptr<OpenedSample> sample = blankSample(1001, {}, {1001});
  Listing listed(*sample);
  ASSERT_TRUE(listed.listing.listFirstScreen(false));
  EXPECT_EQ(listed.model.rows.size(), 1000u);
  expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, false);
  EXPECT_FALSE(listed.listing.showNextScreen());
}

// A blank row after the thousandth shown record starts no second screen.
TEST(RecordListingScreens, ABlankRowAfterAFullScreenOpensNoFurtherScreen) {
  std::unique_ptr<OpenedSample> sample = blankSample(1001, {1001});
  Listing listed(*sample);
  ASSERT_TRUE(listed.listing.listFirstScreen(false));
  EXPECT_EQ(listed.model.rows.size(), 1000u);
  expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, false);
  EXPECT_FALSE(listed.listing.showNextScreen());
  EXPECT_EQ(listed.model.pageLabel, "Page1 - [1000](1-1000) Records");
}

TEST(RecordListingPages, StandardAndAdvancedModesListTheSameRows) {
  for (bool sql2000 : {false, true}) {
    SCOPED_TRACE(sql2000 ? "SQL Server 2000 catalog" : "current catalog");
    OpenedSample sample(fileWith(2345, sql2000));
    Listing standard(sample);
    const std::vector<Row> standardRows = allScreens(standard, false);
    Listing advanced(sample);
    const std::vector<Row> advancedRows = allScreens(advanced, true);
    EXPECT_EQ(advanced.listing.lister(), Lister::kPageList);
    EXPECT_NE(standard.listing.lister(), Lister::kPageList);
    EXPECT_EQ(idsOf(standardRows), idRange(1, 2345));
    EXPECT_EQ(standardRows, advancedRows);
  }
}

// The page chain is followed only as far as the screen needs: a thousand
// records of four to a page are 250 pages, and one more shows where the next
// screen starts.
TEST(RecordListingPages, TheFirstScreenOfALongChainReadsOnlyThePagesItShows) {
  struct Case {
    const char* name;
    bool sql2000;
    bool breakIam;
  } cases[] = {
      {"SQL Server 2000 clustered table", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout = layoutWith(16000, c.sql2000);  // 4000 pages
    kit::CatalogRows rows = catalogFor(layout);
    if (c.breakIam) rows.allocUnits[0].firstIamPage = {1, 900000};
    OpenedSample sample(kit::minimalPrimaryFile(layout, rows));
    Listing listed(sample);
    ASSERT_TRUE(listed.listing.listFirstScreen(false));
    EXPECT_EQ(listed.listing.lister(), Lister::kPageChain);
    EXPECT_EQ(listed.model.rows.size(), 1000u);
    EXPECT_TRUE(listed.model.nextEnabled);
    EXPECT_GE(listed.progress.last, 250);
    EXPECT_LE(listed.progress.last, 251) << "pages known after the first screen";
  }
}

TEST(RecordListingPages, AChainIsReadOnlyAsFarAsItIsAsked) {
  kit::PrimaryFileLayout layout = layoutWith(40);  // 10 records' pages, 16 pages in all
  OpenedSample sample(kit::minimalPrimaryFile(layout));
  const PageId first{1, static_cast<int32_t>(layout.firstUserPage)};
  ListingPages chain = ListingPages::pageChain(sample.file(), first);
  EXPECT_EQ(chain.knownCount(), 0u);
  EXPECT_EQ(chain.at(0), first);
  EXPECT_EQ(chain.knownCount(), 1u);
  EXPECT_EQ(chain.at(4), (PageId{1, first.pageNumber + 4}));
  EXPECT_EQ(chain.knownCount(), 5u);
  EXPECT_FALSE(chain.complete());
  EXPECT_EQ(chain.at(2), (PageId{1, first.pageNumber + 2})) << "pages already known are not read again";
  EXPECT_EQ(chain.knownCount(), 5u);
  EXPECT_EQ(chain.at(1000), std::nullopt);
  EXPECT_TRUE(chain.complete());
  EXPECT_EQ(chain.knownCount(), kit::userPagesOf(layout));

  EXPECT_EQ(ListingPages::pageChain(sample.file(), {1, 0}).at(0), std::nullopt);
  EXPECT_EQ(ListingPages::pageChain(sample.file(), {0, 40}).at(0), std::nullopt);
  ListingPages list = ListingPages::pageList({{1, 40}, {0, 41}, {1, 0}, {1, 42}});
  EXPECT_EQ(list.knownCount(), 2u) << "entries without a file id or a page number are left out";
  EXPECT_EQ(list.at(1), (PageId{1, 42}));
  EXPECT_EQ(list.at(2), std::nullopt);
}

TEST(RecordListingPages, AHeapWhoseFirstIamPageIsUnreadableIsListedFromItsIndexedPages) {
  struct Case {
    const char* name;
    bool pastTheEnd;  // else the IAM page's position holds an empty page
    bool linked;      // the data pages carry next-page links
  } cases[] = {
      {"IAM page past the end of the file", true, true},
      {"IAM page overwritten with an empty page", false, true},
      {"unlinked heap pages, as SQL Server leaves them", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout = layoutWith(1200);
    layout.linkedUserPages = c.linked;
    kit::CatalogRows rows = kit::sampleCatalog(layout);
    if (c.pastTheEnd) rows.allocUnits[0].firstIamPage = {1, 900000};
    kit::DataFileBuilder file = kit::minimalPrimaryFile(layout, rows);
    if (!c.pastTheEnd) file.setPage(layout.iamPosition, kit::PageBuilder());
    OpenedSample sample(file);

    Listing listed(sample);
    ASSERT_TRUE(listed.listing.listFirstScreen(false));
    EXPECT_EQ(listed.listing.lister(), Lister::kPageList);
    EXPECT_EQ(idsOf(listed.model.rows), idRange(1, 1000));
    expectScreen(listed.model, "Page1 - [1000](1-1000) Records", "0 rows to 1000", false, true);
    ASSERT_TRUE(listed.listing.showNextScreen());
    EXPECT_EQ(idsOf(listed.model.rows), idRange(1001, 1200));

    Listing exported(sample);
    std::vector<std::string> ids;
    exported.listing.forEachRow(false, [&](const DecodedRow& row) { return ids.push_back(row[0].text), true; });
    EXPECT_EQ(exported.listing.lister(), Lister::kPageList);
    EXPECT_EQ(ids, idRange(1, 1200)) << "an export falls back the same way";
  }
}

// Only a heap is looked for along the page chain: the pages of an index are
// not its rows.
TEST(RecordListingPages, AClusteredTableWhoseIamPageIsUnreadableListsNothing) {
  kit::PrimaryFileLayout layout = layoutWith(40);
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  rows.allocUnits[0].firstIamPage = {1, 900000};
  rows.rowsets[0].indexId = 1;
  OpenedSample sample(kit::minimalPrimaryFile(layout, rows));
  Listing listed(sample);
  EXPECT_FALSE(listed.listing.listFirstScreen(false));
  EXPECT_EQ(listed.listing.lister(), Lister::kIamWalk);
  expectScreen(listed.model, "Page1 - [0](0-0) Records", "0 rows to 0", false, false);
}

TEST(RecordListingPages, ANextPageChainThatLoopsEnds) {
  struct Case {
    const char* name;
    uint64_t from, to;  // user page `from` links back to user page `to`
    uint64_t lastId;    // the records reached before the loop
  } cases[] = {
      {"last page back to the first", 9, 0, 40},
      {"a page to itself", 3, 3, 16},
      {"a page to an earlier one", 5, 2, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kit::PrimaryFileLayout layout = layoutWith(40, true);  // ten pages of records, sixteen in all
    kit::DataFileBuilder file = kit::minimalPrimaryFile(layout, catalogFor(layout));
    file.setPage(layout.firstUserPage + c.from,
                 kit::userPage(layout, c.from).nextPage({1, static_cast<int32_t>(layout.firstUserPage + c.to)}));
    OpenedSample sample(file);

    Listing exported(sample);
    std::vector<std::string> ids;
    exported.listing.forEachRow(false, [&](const DecodedRow& row) { return ids.push_back(row[0].text), true; });
    EXPECT_EQ(ids, idRange(1, c.lastId)) << "every page of the loop once";

    Listing listed(sample);
    EXPECT_TRUE(listed.listing.listFirstScreen(false));
    EXPECT_EQ(idsOf(listed.model.rows), idRange(1, c.lastId));
    EXPECT_FALSE(listed.model.nextEnabled);
  }
}

TEST(RecordListingRows, ForEachRowVisitsEveryRowOnceInListingOrder) {
  for (const ListerCase& c : kListers) {
    SCOPED_TRACE(c.name);
    OpenedSample sample(fileWith(2501, c.sql2000));
    Listing listed(sample);
    std::vector<std::string> ids;
    listed.listing.forEachRow(c.advanced, [&](const DecodedRow& row) {
      EXPECT_EQ(row.size(), 2u);
      ids.push_back(row[0].text);
      return true;
    });
    EXPECT_EQ(listed.listing.lister(), c.lister);
    EXPECT_EQ(ids, idRange(1, 2501)) << "no screens, no row twice, none left out";
    EXPECT_TRUE(listed.model.rows.empty()) << "the pass does not fill the screen";
  }
}

TEST(RecordListingRows, ForEachRowPassesOverBlankRowsAndStopsWhenAsked) {
  std::unique_ptr<OpenedSample> owned = blankSample(30, {2, 17});
  OpenedSample& sample = *owned;
  Listing all(sample);
  std::vector<std::string> ids;
  all.listing.forEachRow(false, [&](const DecodedRow& row) { return ids.push_back(row[0].display()), true; });
  EXPECT_EQ(ids, idsWithout(30, {2, 17}));

  Listing stopped(sample);
  ids.clear();
  stopped.listing.forEachRow(false, [&](const DecodedRow& row) {
    ids.push_back(row[0].text);
    return ids.size() < 5;
  });
  EXPECT_EQ(ids, (std::vector<std::string>{"1", "3", "4", "5", "6"})) << "the row that said stop is the last";
}

// An export after the screens were listed starts again from the first row.
TEST(RecordListingRows, ForEachRowAfterScreensStartsFromTheFirstRow) {
  OpenedSample sample(kit::minimalPrimaryFile(layoutWith(1500)));
  Listing listed(sample);
  ASSERT_TRUE(listed.listing.listFirstScreen(false));
  ASSERT_TRUE(listed.listing.showNextScreen());
  size_t count = 0;
  std::string first;
  listed.listing.forEachRow(false, [&](const DecodedRow& row) {
    if (count++ == 0) first = row[0].text;
    return true;
  });
  EXPECT_EQ(first, "1");
  EXPECT_EQ(count, 1500u);
}

}  // namespace
}  // namespace pellora
