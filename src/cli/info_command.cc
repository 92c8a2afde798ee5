#include "cli/info_command.h"

#include <cstdio>
#include <memory>

#include "app/recovery_run.h"
#include "cli/run_options.h"
#include "cli/session.h"

namespace pellora::cli {

namespace {

size_t entryCount(const PageIndex& index) {
  size_t count = 0;
  for (const auto& [id, entries] : index) count += entries.size();
  return count;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

void printIndex(const char* name, const PageIndex& index) {
  std::printf("%s\t%zu entries under %zu object ids\n", name, entryCount(index), index.size());
}

void printInfo(Session& session) {
  const ApplicationState& state = session.state();
  const DatabaseFile& file = *session.run().storage().file;
  const DatabaseCatalog& catalog = *session.run().storage().catalog;
  std::string name = file.databaseName().empty() ? "RepairDataBase" : file.databaseName();
  std::printf("Database name\t%s\n", name.c_str());
  std::printf("Version\t%s\n", trimmed(state.databaseVersionText).c_str());
  std::printf("Collation\t%s\n", state.collationName.empty() ? "Unknown Collation" : state.collationName.c_str());
  std::printf("Pages\t%llu\n", static_cast<unsigned long long>(file.pageCount()));
  std::printf("Data start\t%llu\n", static_cast<unsigned long long>(file.dataStart()));
  printIndex("System page index", file.systemPageIndex());
  printIndex("Data page index", file.dataPageIndex());
  printIndex("IAM page index", file.iamPageIndex());
  std::printf("Objects\t%zu\n", catalog.objects().size());
  std::printf("Columns\t%zu\n", catalog.legacyLayout() ? catalog.legacyColumns().size() : catalog.columns().size());
  std::printf("Allocation units\t%zu\n", catalog.allocUnits().size());
  std::printf("Rowsets\t%zu\n", catalog.rowsets().size());
  std::printf("Catalog layout\t%s\n", catalog.legacyLayout() ? "SQL Server 2000 (legacy)" : "SQL Server 2005 and later");
  if (file.secondaryFiles().empty()) std::printf("Secondary files\tnone\n");
  for (const auto& [id, entry] : file.secondaryFiles()) {
    std::printf("Secondary file\t%d\t%s\t%llu pages\n", id, entry.physicalPath.c_str(),
                static_cast<unsigned long long>(entry.pageCount));
  }
}

// One line per object: id, type code, name, parent object id, schema id.
void printObjects(Session& session) {
  for (const TableInfo& object : session.run().storage().catalog->objects()) {
    std::printf("%d\t%s\t%s\t%d\t%d\n", object.objectId, object.typeCode.c_str(), object.name.c_str(),
                object.parentObjectId, object.schemaId);
  }
}

void addReadingCommand(CLI::App& app, const char* name, const char* description, int& exitStatus,
                       void (*print)(Session&)) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* command = app.add_subcommand(name, description);
  addRunOptions(*command, *options);
  command->callback([options, &exitStatus, print] {
    Session session;
    exitStatus = session.open(*options);
    if (exitStatus == kExitOk) print(session);
  });
}

}  // namespace

void addInfoCommand(CLI::App& app, int& exitStatus) {
  addReadingCommand(app, "info", "Open a data file and show what its pages say about it", exitStatus, printInfo);
  addReadingCommand(app, "objects", "List the objects of the catalog: id, type, name, parent id, schema id",
                    exitStatus, printObjects);
}

}  // namespace pellora::cli
