#include "cli/run_options.h"

#include <cstdio>

namespace pellora::cli {

void addRunOptions(CLI::App& command, RunOptions& options) {
  command.add_option("FILE", options.file, "Primary data file (.mdf)")->required();
  command.add_option("--log-dir", options.logDir, "Folder of the log file (default: current folder)");
  command.add_flag("--advanced", options.advanced, "Advanced mode: every data page of a table");
  command.add_flag("--deleted", options.deleted, "Show deleted records");
  command.add_flag("--carve", options.carve,
                   "Show Advanced Deleted records: carve pages for rows whose slots are gone");
  command.add_option("--collation", options.collation,
                     "Use this collation (name or id) instead of the one the file names");
}

// A manual collation is named by its name or its id in collation.txt.
static bool resolveCollation(const std::string& wanted, const CollationMap& map, int64_t& id) {
  for (const auto& [key, entry] : map) {
    if (entry.name == wanted) {
      id = key;
      return true;
    }
  }
  if (wanted.empty() || wanted.find_first_not_of("-0123456789") != std::string::npos) return false;
  id = parseSignedDecimal(wanted);
  return map.count(id) != 0;
}

int applyRunOptions(const RunOptions& options, ApplicationState& state) {
  OptionsCheck check = validateOpenOptions(options.file, options.logDir);
  if (!check.ok) {
    std::fprintf(stderr, "pellora: %s\n", check.message.c_str());
    return kExitRefused;
  }
  RecoveryOptions& chosen = state.options;
  chosen.dataFilePath = options.file;
  chosen.logFolder = check.logFolder;
  chosen.mode = options.advanced ? RecoveryOptions::kAdvancedMode : RecoveryOptions::kStandardMode;
  chosen.showDeleted = options.deleted || options.carve;
  chosen.showAdvancedDeleted = options.carve;
  chosen.collationAutoDetect = options.collation.empty();
  if (!options.collation.empty() &&
      !resolveCollation(options.collation, state.collations, chosen.manualCollationId)) {
    std::fprintf(stderr, "pellora: unknown collation \"%s\" (see collation.txt)\n",
                 options.collation.c_str());
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace pellora::cli
