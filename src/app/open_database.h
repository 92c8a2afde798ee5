// Opening a database for a run: the data file with its checks and page
// indexes, then the first steps of mapping it (the boot page and the secondary
// files).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/application_state.h"
#include "storage/database_file.h"

namespace pellora {

// What a run holds of the database it reads.
struct RunStorage {
  std::unique_ptr<DatabaseFile> file;
  // The data files named by the catalog, or found beside the primary.
  std::vector<DataFileEntry> fileList;
  bool advancedMode = false;

  void release() {
    file.reset();
    fileList.clear();
  }
};

// Opens `path` into `storage`; returns whether the file is valid. A stop
// requested while the file is checked makes the open invalid.
bool OpenDatabase(const std::string& path, RunStorage& storage, ApplicationState& state,
                  Notifier& notifier);

}  // namespace pellora
