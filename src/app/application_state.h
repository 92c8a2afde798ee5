// The one application-state object: what the user chose, what the open found
// out about the database, the flags the engine's loops consult and the
// process log. A front end owns one instance and hands parts of it down.
#pragma once

#include <string>

#include "app/process_log.h"
#include "app/recovery_options.h"
#include "storage/collation_map.h"
#include "storage/run_flags.h"

namespace pellora {

struct ApplicationState {
  RunFlags flags;
  RecoveryOptions options;
  CollationMap collations;
  DatabaseCollation databaseCollation;
  std::string databaseVersionText;
  std::string collationName;
  ProcessLog log;

  // The record readers see the deleted-row options only through the flags.
  void applyOptionsToFlags() {
    flags.showDeleted.store(options.showDeleted);
    flags.carveDeleted.store(options.showAdvancedDeleted);
  }
};

}  // namespace pellora
