#include "app/open_database.h"


namespace pellora {

namespace {

// The boot page names the database, its version and its collation. A
// collation that is not found leaves the one already recorded in place.
void recordDatabaseIdentity(const BootPageResult& boot, ApplicationState& state) {
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
  CollationRequest collation{&state.collations,
                             state.options.collationAutoDetect ? CollationChoice::kAuto : CollationChoice::kManual,
                             state.options.manualCollationId};
  storage.catalog = std::make_unique<DatabaseCatalog>(*storage.file, collation);
  recordDatabaseIdentity(storage.catalog->boot(), state);
  return true;
}

}  // namespace pellora
