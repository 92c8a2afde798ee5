// The commands that read a table's rows: list (one screen as the record
// list shows it) and export (every row, as CSV or TSV).
#pragma once

#include <CLI/CLI.hpp>

namespace pellora::cli {

void addTableCommands(CLI::App& app, int& exitStatus);

}  // namespace pellora::cli
