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
  std::string name = file.databaseName().empty() ? "RepairDataBase" : file.databaseName();
  std::printf("Database name\t%s\n", name.c_str());
  std::printf("Version\t%s\n", trimmed(state.databaseVersionText).c_str());
  std::printf("Collation\t%s\n", state.collationName.empty() ? "Unknown Collation" : state.collationName.c_str());
  std::printf("Pages\t%llu\n", static_cast<unsigned long long>(file.pageCount()));
  std::printf("Data start\t%llu\n", static_cast<unsigned long long>(file.dataStart()));
  printIndex("System page index", file.systemPageIndex());
  printIndex("Data page index", file.dataPageIndex());
  printIndex("IAM page index", file.iamPageIndex());
  if (file.secondaryFiles().empty()) std::printf("Secondary files\tnone\n");
  for (const auto& [id, entry] : file.secondaryFiles()) {
    std::printf("Secondary file\t%d\t%s\t%llu pages\n", id, entry.physicalPath.c_str(),
                static_cast<unsigned long long>(entry.pageCount));
  }
}

}  // namespace

void addInfoCommand(CLI::App& app, int& exitStatus) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* command = app.add_subcommand("info", "Open a data file and show what its pages say about it");
  addRunOptions(*command, *options);
  command->callback([options, &exitStatus] {
    Session session;
    exitStatus = session.open(*options);
    if (exitStatus == kExitOk) printInfo(session);
  });
}

}  // namespace pellora::cli
