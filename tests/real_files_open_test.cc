// The open, the page indexes and the boot page over every real data file.
#include <gtest/gtest.h>

#include "app/open_database.h"
#include "kit/fixture_manifest.h"
#include "platform/paths.h"
#include "storage/page_header.h"
#include "storage/primary_record_page.h"

namespace pellora {
namespace {

class RealFilesOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    fixtures_ = kit::loadFixtureManifest();
    if (fixtures_.empty()) GTEST_SKIP() << "../shared/fixtures is absent: real data files not tested";
    state_.collations = loadCollationMap(std::string(PELLORA_SOURCE_DIR) + "/data/collation.txt");
  }

  std::vector<kit::FixtureFile> fixtures_;
  ApplicationState state_;
};

TEST_F(RealFilesOpen, EveryPrimaryFileOpensWithTheManifestFacts) {
  for (const kit::FixtureFile& fixture : fixtures_) {
    if (!fixture.isPrimary()) continue;
    SCOPED_TRACE(fixture.file);
    ApplicationState state;
    state.collations = state_.collations;
    RunStorage storage;
    ASSERT_TRUE(OpenDatabase(fixture.path, storage, state, silentNotifier()));
    const DatabaseFile& file = *storage.file;
    EXPECT_EQ(file.dataStart(), 0u);
    for (int32_t id : {34, 41, 7, 5}) EXPECT_TRUE(file.systemPageIndex().count(id)) << "object " << id;
    EXPECT_EQ(state.databaseVersionText, fixture.field("version_text"));
    EXPECT_EQ(file.databaseName(), fixture.field("database_name"));
    EXPECT_EQ(state.collationName, fixture.field("collation_name"));
  }
}

// The secondary files hold leftover disk contents past their first pages:
// every page of them must read without harm, as a primary and attached.
TEST_F(RealFilesOpen, SecondaryFilesOfLeftoverBytesReadWithoutHarm) {
  for (const kit::FixtureFile& fixture : fixtures_) {
    if (fixture.isPrimary()) continue;
    SCOPED_TRACE(fixture.file);
    RunFlags flags;
    flags.showDeleted = true;
    DatabaseFile file(fixture.path, silentNotifier(), flags);
    EXPECT_FALSE(file.readRecordPage({1, 0})) << "position 0 is not a record page";
    size_t records = 0;
    for (uint64_t p = 1; p <= file.pageCount(); ++p) {
      auto page = file.readRecordPage({1, static_cast<int32_t>(p)});
      ASSERT_TRUE(page);
      records += page->records().size();
    }
    EXPECT_GT(records, 0u);
  }
}

// A file row recorded as X:\old\NAME.ndx is looked for beside the primary as
// NAME.ndf and indexed under the row's file id, whatever its headers say.
TEST_F(RealFilesOpen, ListedSecondaryFileIsIndexedUnderItsRowFileId) {
  const kit::FixtureFile* primary = nullptr;
  for (const kit::FixtureFile& fixture : fixtures_) {
    if (fixture.isPrimary()) primary = &fixture;
  }
  ASSERT_NE(primary, nullptr);
  RunFlags flags;
  DatabaseFile file(primary->path, silentNotifier(), flags);
  std::vector<DataFileEntry> rows = {
      {0, 1, "primary", "X:\\old\\primary.mdf", 0, 0, 0},
      {0, 5, "lr4", "X:\\old\\lr4-g1-2.ndx", 0, 0, 0},
      {0, 9, "gone", "X:\\old\\no-such-file.ndf", 0, 0, 0},
  };
  file.attachSecondaryFiles(rows);
  ASSERT_EQ(file.secondaryFiles().size(), 1u);
  const DataFileEntry& attached = file.secondaryFiles().at(5);
  EXPECT_EQ(leafOf(attached.physicalPath), "lr4-g1-2.ndf");
  EXPECT_EQ(attached.pageCount, 256u);
  for (const auto& [objectId, entries] : file.systemPageIndex()) {
    for (const PageIndexEntry& entry : entries) {
      if (entry.fileId != 1) {
        EXPECT_EQ(entry.fileId, 5);
      }
    }
  }
  EXPECT_TRUE(file.readPageBuffer({5, 1}));
  EXPECT_TRUE(file.readPageBuffer({5, 256})) << "the page count itself is in range";
  EXPECT_FALSE(file.readPageBuffer({5, 257}));
  EXPECT_FALSE(file.readPageBuffer({9, 1}));
}

// Counts the record pages of a file whose every slot points at a plausible
// record start, with and without the torn-bit repair.
struct SlotSanity {
  int pagesWithTornBits = 0;
  int plausibleRepaired = 0;
  int plausibleUnrepaired = 0;
};

bool slotsPlausible(const std::vector<uint16_t>& slots, uint16_t freeDataOffset) {
  for (uint16_t slot : slots) {
    if (slot < 96 || slot >= freeDataOffset || slot >= kPageSize) return false;
  }
  return true;
}

TEST_F(RealFilesOpen, TornBitRepairIsWhatMakesSlotArraysRight) {
  int filesWithTornPages = 0;
  for (const kit::FixtureFile& fixture : fixtures_) {
    if (!fixture.isPrimary() || fixture.field("features").find("torn=") == std::string::npos) continue;
    SCOPED_TRACE(fixture.file);
    RunFlags flags;
    DatabaseFile file(fixture.path, silentNotifier(), flags);
    SlotSanity sanity;
    for (const auto& [objectId, entries] : file.dataPageIndex()) {
      for (const PageIndexEntry& entry : entries) {
        PageBuffer raw = file.readPageBuffer({1, static_cast<int32_t>(entry.position)});
        ASSERT_TRUE(raw);
        PageBytes unrepaired = *raw;
        CPage_Header header(*raw);
        if (!header.hasTornBits() || header.slotCount <= 0) continue;
        ++sanity.pagesWithTornBits;
        Bytes repairedBytes(raw->data(), raw->size());
        Bytes unrepairedBytes(unrepaired.data(), unrepaired.size());
        sanity.plausibleRepaired +=
            slotsPlausible(readSlotArray(repairedBytes, header.slotCount), header.freeDataOffset);
        sanity.plausibleUnrepaired +=
            slotsPlausible(readSlotArray(unrepairedBytes, header.slotCount), header.freeDataOffset);
      }
    }
    if (sanity.pagesWithTornBits == 0) continue;
    ++filesWithTornPages;
    EXPECT_EQ(sanity.plausibleRepaired, sanity.pagesWithTornBits);
    EXPECT_LT(sanity.plausibleUnrepaired, sanity.plausibleRepaired);
  }
  EXPECT_GT(filesWithTornPages, 0);
}

}  // namespace
}  // namespace pellora
