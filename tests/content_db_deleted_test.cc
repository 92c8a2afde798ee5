// Deleted and moved rows of the synthetic content database. Ghost rows show
// only with "Show deleted records"; rows whose slots were reclaimed only
// when the pages are carved as well; each once, with the values it was
// written with. The list row that grew and was moved to another page of its
// heap shows once and whole, in Standard and Advanced mode and in an export.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "kit/command_runner.h"
#include "kit/content_db_bodies.h"
#include "kit/content_db_file.h"
#include "kit/opened_content_db.h"
#include "kit/temp_dir.h"
#include "storage/primary_record_page.h"
#include "storage/record.h"

namespace pellora {
namespace {

using Row = kit::ShownRow;

struct NamedLayout {
  const char* name;
  kit::ContentLayout layout;
};
constexpr NamedLayout kLayouts[] = {
    {"2010", kit::ContentLayout::k2010}, {"2007", kit::ContentLayout::k2007}, {"2005", kit::ContentLayout::k2005}};

struct TableKind {
  const char* table;
  const char* kind;
};
constexpr TableKind kDocTables[] = {{"AllDocs", "doc"}, {"AllDocStreams", "stream"}};

void setDeletedOptions(kit::OpenedContentDb& db, bool showDeleted, bool carve) {
  db.flags().showDeleted = showDeleted;
  db.flags().carveDeleted = carve;
}

size_t countOf(const kit::ContentModel& model, kit::RowState state) {
  return static_cast<size_t>(
      std::count_if(model.docs.begin(), model.docs.end(), [&](const kit::ContentDoc& d) { return d.state == state; }));
}

TEST(ContentDbDeletedRows, EachStateShowsUnderItsOptionsOnlyAndOnce) {
  struct OptionCase {
    const char* name;
    bool showDeleted, carve;
    std::set<std::string> states;
  };
  const OptionCase cases[] = {
      {"neither", false, false, {"live"}},
      {"deleted records", true, false, {"live", "deleted"}},
      {"carving alone", false, true, {"live"}},  // carving needs deleted records on too
      {"deleted records and carving", true, true, {"live", "deleted", "carvable"}},
  };
  // The 2005 file holds the 2007 tables.
  for (const NamedLayout& layout : {kLayouts[0], kLayouts[1]}) {
    SCOPED_TRACE(layout.name);
    kit::OpenedContentDb db(layout.layout);
    ASSERT_TRUE(db.valid());
    ASSERT_GE(countOf(db.model(), kit::RowState::kDeleted), 1u);
    ASSERT_GE(countOf(db.model(), kit::RowState::kCarvable), 1u);
    const std::vector<Row> manifest = db.manifest();
    for (const OptionCase& c : cases) {
      setDeletedOptions(db, c.showDeleted, c.carve);
      for (bool advanced : {false, true}) {
        for (const TableKind& t : kDocTables) {
          SCOPED_TRACE(std::string(c.name) + (advanced ? ", Advanced, " : ", Standard, ") + t.table);
          EXPECT_EQ(kit::valuesOf(db.rowsOf(t.table, advanced), "Id"),
                    kit::valuesOf(kit::manifestRowsIn(manifest, t.kind, c.states), "Id"));
        }
      }
    }
  }
}

TEST(ContentDbDeletedRows, CarvedRowsHoldTheValuesTheyWereWrittenWith) {
  kit::OpenedContentDb db(kit::ContentLayout::k2010);
  ASSERT_TRUE(db.valid());
  setDeletedOptions(db, true, true);
  std::map<std::string, Row> docs, streams;
  for (const Row& row : db.rowsOf("AllDocs")) docs[row.at("Id")] = row;
  for (const Row& row : db.rowsOf("AllDocStreams")) streams[row.at("Id")] = row;
  size_t carvable = 0;
  for (const Row& expected : kit::manifestRowsIn(db.manifest(), "doc", {"carvable"})) {
    SCOPED_TRACE(expected.at("LeafName"));
    ++carvable;
    ASSERT_TRUE(docs.count(expected.at("Id")));
    const Row& row = docs.at(expected.at("Id"));
    for (const char* column : {"SiteId", "WebId", "ListId", "DirName", "LeafName", "Type", "Size", "TimeCreated",
                               "TimeLastModified"}) {
      EXPECT_EQ(row.at(column), expected.at(column)) << column;
    }
  }
  EXPECT_EQ(carvable, countOf(db.model(), kit::RowState::kCarvable));
  for (const kit::ContentDoc& doc : db.model().docs) {
    if (doc.state != kit::RowState::kCarvable) continue;
    ASSERT_TRUE(streams.count(doc.id.text())) << doc.leafName;
    EXPECT_EQ(streams.at(doc.id.text()).at("Content"), "0x" + kit::hexDigits(kit::documentBody(doc))) << doc.leafName;
  }
}

// Carving reads every record start it finds, so rows laid over one another
// would still be found, each cut short by the next. The spans of the slotted
// and the carved records must lie apart, and the carved ones be exactly the
// rows whose slots were reclaimed.
TEST(ContentDbDeletedRows, RowsOfEveryStateLieApartInThePageBody) {
  kit::OpenedContentDb db(kit::ContentLayout::k2010);
  ASSERT_TRUE(db.valid());
  setDeletedOptions(db, true, true);
  for (const TableKind& t : kDocTables) {
    SCOPED_TRACE(t.table);
    ASSERT_FALSE(db.reader().readTable(t.table, "U ", {}).empty());
    size_t carved = 0;
    for (PageId id : db.reader().prepared().pages) {
      std::unique_ptr<PrimaryRecordPage> page = db.file().readRecordPage(id);
      ASSERT_NE(page, nullptr);
      std::vector<std::pair<size_t, size_t>> spans;
      for (size_t i = 0; i < page->slots().size(); ++i) {
        const CRecord* record = page->records().at(i).get();
        ASSERT_NE(record, nullptr) << "page " << id.pageNumber << " slot " << i;
        ASSERT_GT(record->recordLength, 0);
        spans.emplace_back(page->slots()[i], page->slots()[i] + static_cast<size_t>(record->recordLength));
        if (i >= page->storedSlotCount()) {
          ++carved;
          EXPECT_EQ(record->kind, kDeletedRecord);
        }
      }
      std::sort(spans.begin(), spans.end());
      for (size_t i = 1; i < spans.size(); ++i) {
        EXPECT_LE(spans[i - 1].second, spans[i].first) << "page " << id.pageNumber << " at " << spans[i].first;
      }
    }
    EXPECT_EQ(carved, kit::manifestRowsIn(db.manifest(), t.kind, {"carvable"}).size());
  }
}

// The model with its moved list, and the same model with nothing moved.
std::pair<kit::ContentModel, kit::ContentModel> movedAndUnmoved() {
  kit::ContentModel moved = kit::buildContentModel(kit::OpenedContentDb::small());
  kit::ContentModel unmoved = moved;
  for (kit::ContentList& list : unmoved.lists) list.moved = false;
  return {std::move(moved), std::move(unmoved)};
}

const kit::ContentList* movedList(const kit::ContentModel& model) {
  for (const kit::ContentList& list : model.lists) {
    if (list.moved) return &list;
  }
  return nullptr;
}

// Stubs of AllLists that lead to a row.
int followedStubs(kit::OpenedContentDb& db) {
  int stubs = 0;
  if (db.reader().readTable("AllLists", "U ", {}).empty()) return -1;
  for (PageId id : db.reader().prepared().pages) {
    std::unique_ptr<PrimaryRecordPage> page = db.file().readRecordPage(id);
    if (!page) continue;
    for (const auto& record : page->records()) {
      const auto* primary = dynamic_cast<const CPrimaryRecord*>(record.get());
      if (primary && primary->kind == kForwardingStub && primary->fixedDataLength != kUnreadableStub) ++stubs;
    }
  }
  return stubs;
}

TEST(ContentDbForwardedRow, TheMovedListShowsOnceAndWholeInEitherMode) {
  for (const NamedLayout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    auto [movedModel, unmovedModel] = movedAndUnmoved();
    kit::OpenedContentDb db(layout.layout, movedModel);
    kit::OpenedContentDb reference(layout.layout, unmovedModel);
    ASSERT_TRUE(db.valid() && reference.valid());
    const kit::ContentList* list = movedList(db.model());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(followedStubs(db), 1) << "the list row is not reached through a forwarding stub";
    ASSERT_EQ(followedStubs(reference), 0);
    const std::string id = list->id.text();
    Row expected;
    for (const Row& row : reference.rowsOf("AllLists")) {
      if (row.at("tp_ID") == id) expected = row;
    }
    ASSERT_FALSE(expected.empty()) << "the list is missing without the move";
    ASSERT_EQ(expected.at("tp_Description"), list->description);
    for (bool advanced : {false, true}) {
      SCOPED_TRACE(advanced ? "Advanced" : "Standard");
      std::vector<Row> found;
      for (const Row& row : db.rowsOf("AllLists", advanced)) {
        if (row.at("tp_ID") == id) found.push_back(row);
      }
      ASSERT_EQ(found.size(), 1u);
      EXPECT_EQ(found[0], expected);
    }
  }
}

TEST(ContentDbForwardedRow, AnExportWritesTheMovedListOnce) {
  kit::TempDir dir;
  const std::string path = dir.file("content.mdf");
  const kit::ContentModel model = movedAndUnmoved().first;
  ASSERT_TRUE(kit::contentDatabaseFile(model, {}).writeTo(path));
  const kit::ContentList* list = movedList(model);
  ASSERT_NE(list, nullptr);
  for (bool advanced : {false, true}) {
    SCOPED_TRACE(advanced ? "Advanced" : "Standard");
    std::vector<std::string> arguments = {"export", path, "AllLists", "--log-dir", dir.path()};
    if (advanced) arguments.emplace_back("--advanced");
    const kit::CommandResult result = kit::runPellora(arguments);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    size_t occurrences = 0;
    for (size_t at = 0; (at = result.out.find(list->id.text(), at)) != std::string::npos; at += 1) ++occurrences;
    EXPECT_EQ(occurrences, 1u);
    EXPECT_NE(result.out.find(list->description), std::string::npos);
  }
}

}  // namespace
}  // namespace pellora
