#pragma once

#include <CLI/CLI.hpp>

namespace pellora::cli {

// `pellora info FILE`: what the open found out about a data file.
void addInfoCommand(CLI::App& app, int& exitStatus);

}  // namespace pellora::cli
