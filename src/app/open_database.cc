#include "app/open_database.h"

#include "storage/boot_page.h"

namespace pellora {

namespace {

// The boot page names the database, its version and its collation. A
// collation that is not found leaves the one already recorded in place.
void readDatabaseIdentity(DatabaseFile& file, ApplicationState& state) {
  CollationChoice choice =
      state.options.collationAutoDetect ? CollationChoice::kAuto : CollationChoice::kManual;
  BootPageResult boot = readBootPage(file, state.collations, choice, state.options.manualCollationId);
  state.databaseVersionText = boot.versionText;
  if (boot.collation) {
    state.databaseCollation = *boot.collation;
    state.collationName = boot.collation->name;
  }
}

}  // namespace

bool OpenDatabase(const std::string& path, RunStorage& storage, ApplicationState& state,
                  Notifier& notifier) {
  storage.release();
  storage.file = std::make_unique<DatabaseFile>(path, notifier, state.flags);
  if (!storage.file->valid() || storage.file->stoppedDuringOpen()) return false;
  readDatabaseIdentity(*storage.file, state);
  storage.file->attachSecondaryFiles(storage.fileList);
  return true;
}

}  // namespace pellora
