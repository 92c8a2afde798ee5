// The commands that show the object tree, a definition and a table's keys.
#pragma once

#include <CLI/CLI.hpp>

namespace pellora::cli {

void addObjectCommands(CLI::App& app, int& exitStatus);

}  // namespace pellora::cli
