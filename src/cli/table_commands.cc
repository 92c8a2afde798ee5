#include "cli/table_commands.h"

#include <cstdio>
#include <memory>

#include "app/delimited_text.h"
#include "app/table_export.h"
#include "catalog/record_listing.h"
#include "cli/session.h"

namespace pellora::cli {

namespace {

struct TableOptions {
  RunOptions run;
  std::string table;
  int64_t screen = 1;
  std::string format = "csv";
  std::optional<std::string> nullText;
};

// Prepares `name` as a user or a system table. Prints why not and gives the
// exit status when it is not a table of this database.
int prepareTable(Session& session, TableReader& reader, const std::string& name) {
  const DatabaseCatalog& catalog = *session.run().storage().catalog;
  TableInfo object = catalog.findObject(name, "U ");
  if (object.objectId == -1) object = catalog.findObject(name, "S ");
  if (object.objectId == -1) {
    std::fprintf(stderr, "pellora: no table named \"%s\" in this database\n", name.c_str());
    return kExitRefused;
  }
  if (object.typeCode != "U " && object.typeCode != "S ") {
    std::fprintf(stderr, "pellora: \"%s\" is not a table (type %s)\n", name.c_str(), object.typeCode.c_str());
    return kExitRefused;
  }
  reader.readTable(name, object.typeCode, {});
  return kExitOk;
}

RowDecoding decodingFor(Session& session, bool placeholders) {
  RowDecoding decoding;
  decoding.collations = &session.state().collations;
  decoding.database = &session.state().databaseCollation;
  decoding.placeholders = placeholders;
  return decoding;
}

void printLine(const std::vector<std::string>& fields) {
  std::fputs(delimitedLine(fields, TextFormat::kTsv).c_str(), stdout);
}

int listScreen(Session& session, const TableOptions& options) {
  RunStorage& storage = session.run().storage();
  TableReader reader(*storage.catalog, *storage.file);
  if (int status = prepareTable(session, reader, options.table); status != kExitOk) return status;
  RecordListModel model;
  RecordListing listing(reader, model, silentNotifier(), decodingFor(session, true));
  listing.listFirstScreen(storage.advancedMode);
  for (int64_t screen = 1; screen < options.screen; ++screen) {
    if (!listing.showNextScreen()) {
      std::fprintf(stderr, "pellora: table \"%s\" has %lld screen(s); there is no screen %lld\n",
                   options.table.c_str(), static_cast<long long>(screen), static_cast<long long>(options.screen));
      return kExitRefused;
    }
  }
  printLine(model.columns);
  for (const auto& row : model.rows) printLine(row);
  std::printf("%s\n%s\n", model.pageLabel.c_str(), model.caption.c_str());
  return kExitOk;
}

int exportTable(Session& session, const TableOptions& options) {
  RunStorage& storage = session.run().storage();
  TableReader reader(*storage.catalog, *storage.file);
  if (int status = prepareTable(session, reader, options.table); status != kExitOk) return status;
  TableExport how;
  how.format = options.format == "tsv" ? TextFormat::kTsv : TextFormat::kCsv;
  how.nullText = options.nullText.value_or("");
  how.advancedMode = storage.advancedMode;
  how.legacyCatalog = storage.catalog->legacyLayout();
  const bool written = exportPreparedTable(reader, decodingFor(session, false), how, silentNotifier(),
                                           [](const std::string& line) { return std::fwrite(line.data(), 1, line.size(), stdout) == line.size(); });
  return written && std::fflush(stdout) == 0 ? kExitOk : kExitRefused;
}

void addCommand(CLI::App& app, const char* name, const char* description, int& exitStatus,
                int (*action)(Session&, const TableOptions&), bool exporting) {
  auto options = std::make_shared<TableOptions>();
  CLI::App* command = app.add_subcommand(name, description);
  addRunOptions(*command, options->run);
  command->add_option("TABLE", options->table, "Name of the table")->required();
  if (exporting) {
    command->add_option("--format", options->format, "csv (default) or tsv")->check(CLI::IsMember({"csv", "tsv"}));
    command->add_option("--null", options->nullText, "Text written for NULL (default: an empty field)");
  } else {
    command->add_option("--screen", options->screen, "Screen of 1000 records to show (default 1)")
        ->check(CLI::PositiveNumber);
  }
  command->callback([options, &exitStatus, action] {
    Session session;
    exitStatus = session.open(options->run);
    if (exitStatus == kExitOk) exitStatus = action(session, *options);
  });
}

}  // namespace

void addTableCommands(CLI::App& app, int& exitStatus) {
  addCommand(app, "list", "Show one screen of a table's records as the record list does", exitStatus, listScreen,
             false);
  addCommand(app, "export", "Write every record of a table to standard output as CSV or TSV", exitStatus,
             exportTable, true);
}

}  // namespace pellora::cli
