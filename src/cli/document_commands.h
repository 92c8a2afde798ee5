// The commands that show the SharePoint document tree and a folder's
// document listing.
#pragma once

#include <CLI/CLI.hpp>

namespace pellora::cli {

void addDocumentCommands(CLI::App& app, int& exitStatus);

}  // namespace pellora::cli
