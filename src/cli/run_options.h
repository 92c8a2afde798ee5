// The options every command that reads a data file takes, and their check.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "app/application_state.h"

namespace pellora::cli {

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct RunOptions {
  std::string file;
  std::string logDir = ".";
  bool advanced = false;
  bool deleted = false;
  bool carve = false;
  std::string collation;
};

void addRunOptions(CLI::App& command, RunOptions& options);

// Fills the application state's options as the open dialog's OK would.
// Returns kExitOk, or the exit status after printing why not.
int applyRunOptions(const RunOptions& options, ApplicationState& state);

}  // namespace pellora::cli
