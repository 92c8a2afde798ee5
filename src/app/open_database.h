// Opening a database for a run: the data file with its checks and page
// indexes, then its catalog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/application_state.h"
#include "catalog/database_catalog.h"
#include "storage/database_file.h"

namespace pellora {

// What a run holds of the database it reads.
struct RunStorage {
  std::unique_ptr<DatabaseFile> file;
  std::unique_ptr<DatabaseCatalog> catalog;
  bool advancedMode = false;

  void release() {
    catalog.reset();
    file.reset();
  }
};

// Opens `path` into `storage`; returns whether the file is valid. A stop
// requested while the file is checked makes the open invalid.
bool OpenDatabase(const std::string& path, RunStorage& storage, ApplicationState& state,
                  Notifier& notifier);

}  // namespace pellora
