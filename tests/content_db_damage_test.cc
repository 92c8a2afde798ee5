// Damaged content databases: whatever the damage, the run ends with an
// outcome, the trees hold what could be read, and every table reads to its
// end without a crash or a read outside a buffer (the sanitizer build
// checks the latter).
#include <gtest/gtest.h>

#include "app/recovery_run.h"
#include "catalog/record_listing.h"
#include "kit/content_db_damage.h"
#include "kit/content_db_file.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

class ContentDbDamage : public testing::TestWithParam<uint64_t> {};

TEST_P(ContentDbDamage, RunAndExportsEndWithWhatCanBeRead) {
  kit::TempDir dir;
  const std::string path = dir.file("damaged.mdf");
  kit::ContentOptions content;
  content.seed = GetParam();
  content.documents = 60;
  kit::DataFileBuilder file = kit::contentDatabaseFile(kit::buildContentModel(content), {});
  kit::damageFile(file, GetParam());
  ASSERT_TRUE(file.writeTo(path));
  std::string error;
  ASSERT_TRUE(kit::truncateDamagedFile(path, &error)) << error;

  // Carving walks the damaged page bodies as well.
  struct Pass {
    bool advanced, carve;
  };
  for (Pass pass : {Pass{false, false}, Pass{true, false}, Pass{true, true}}) {
    const bool advanced = pass.advanced;
    ApplicationState state;
    state.options.dataFilePath = path;
    state.options.logFolder = dir.path() + "/";
    state.options.mode = advanced ? RecoveryOptions::kAdvancedMode : RecoveryOptions::kStandardMode;
    state.options.showDeleted = true;
    state.options.showAdvancedDeleted = pass.carve;
    RecoveryRun run(state, silentNotifier());
    run.begin();
    const ScanOutcome outcome = run.scan();
    EXPECT_FALSE(state.flags.processRunning.load());
    if (outcome != ScanOutcome::kCompleted) continue;
    ASSERT_NE(run.documentTreeModel().top().child("SharePointData"), nullptr);
    TableReader& reader = *run.tableReader();
    for (const char* table : {"AllDocs", "AllDocStreams", "AllLists", "AllWebs", "Webs"}) {
      reader.readTable(table, "U ", {});
      if (!reader.prepared().isTable) continue;
      RecordListModel model;
      RecordListing listing(reader, model, silentNotifier(), run.rowDecoding(false));
      size_t rows = 0;
      listing.forEachRow(advanced, [&](const DecodedRow& row) {
        EXPECT_EQ(row.size(), reader.prepared().columns.size());
        ++rows;
        return true;
      });
      RecordListModel screen;
      RecordListing paging(reader, screen, silentNotifier(), run.rowDecoding(true));
      paging.listFirstScreen(advanced);
      EXPECT_EQ(screen.rows.size(), std::min<size_t>(rows, 1000)) << table;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ContentDbDamage, testing::Values(1, 2, 3, 4, 5, 6));

}  // namespace
}  // namespace pellora
