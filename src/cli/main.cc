// pellora: reads SQL Server data files without a server.
#include <CLI/CLI.hpp>

#include "cli/document_commands.h"
#include "cli/info_command.h"
#include "cli/object_commands.h"
#include "cli/run_options.h"
#include "cli/table_commands.h"

int main(int argc, char** argv) {
  CLI::App app{"Vantorq Pellora v17.0: reads SQL Server data files (.mdf, .ndf) page by page, "
               "without a server, and never writes to them."};
  app.require_subcommand(1);
  int exitStatus = pellora::cli::kExitOk;
  pellora::cli::addInfoCommand(app, exitStatus);
  pellora::cli::addTableCommands(app, exitStatus);
  pellora::cli::addObjectCommands(app, exitStatus);
  pellora::cli::addDocumentCommands(app, exitStatus);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int code = app.exit(error);
    return code == 0 ? 0 : pellora::cli::kExitUsage;
  }
  return exitStatus;
}
