// mksample: writes a small synthetic primary data file built by the test kit,
// for trying the program without a real database.
#include <cstdio>
#include <filesystem>
#include <string>

#include "kit/primary_file.h"

namespace {

constexpr const char* kUsage =
    "usage: mksample [--force] [--sql2000] OUT.mdf\n"
    "\n"
    "Writes a small synthetic primary data file (SQL Server 2008 R2 format,\n"
    "database \"PelloraSample\", collation SQL_Latin1_General_CP1_CI_AS).\n"
    "Its catalog holds the table SampleTable (Id int identity, Name varchar(50))\n"
    "with 96 rows, the view SampleView and the procedure SampleProcedure.\n"
    "The file is made up by the test kit; it holds no data of any real database.\n"
    "\n"
    "  --force     overwrite OUT.mdf when it exists\n"
    "  --sql2000   write a SQL Server 2000 file: version 539, its catalog in\n"
    "              sysobjects, sysindexes and syscolumns\n"
    "  --help      show this text\n";

struct Arguments {
  bool force = false;
  bool sql2000 = false;
  bool help = false;
  std::string out;
  std::string error;
};

Arguments parseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      args.help = true;
    } else if (arg == "--force") {
      args.force = true;
    } else if (arg == "--sql2000") {
      args.sql2000 = true;
    } else if (arg.starts_with("-") && arg != "-") {
      args.error = "unknown option " + arg;
    } else if (!args.out.empty()) {
      args.error = "more than one output file given";
    } else {
      args.out = arg;
    }
  }
  if (args.out.empty() && args.error.empty() && !args.help) args.error = "no output file given";
  return args;
}

pellora::kit::PrimaryFileLayout sampleLayout(bool sql2000) {
  pellora::kit::PrimaryFileLayout layout =
      sql2000 ? pellora::kit::sql2000Layout() : pellora::kit::PrimaryFileLayout{};
  layout.databaseName = "PelloraSample";
  layout.collationId = 872468488;
  layout.userPageCount = 24;
  layout.pageCount = 64;  // 512 KiB
  return layout;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args = parseArguments(argc, argv);
  if (args.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!args.error.empty()) {
    std::fprintf(stderr, "mksample: %s\n\n%s", args.error.c_str(), kUsage);
    return 2;
  }
  std::error_code ignored;
  if (!args.force && std::filesystem::exists(args.out, ignored)) {
    std::fprintf(stderr, "mksample: %s exists; use --force to overwrite it\n", args.out.c_str());
    return 1;
  }
  std::string error;
  if (!pellora::kit::minimalPrimaryFile(sampleLayout(args.sql2000)).writeTo(args.out, args.force, &error)) {
    std::fprintf(stderr, "mksample: cannot write %s\n", error.c_str());
    return 1;
  }
  return 0;
}
