// mkcontentdb: writes a synthetic SharePoint content database as a primary
// data file, for trying the program on the kind of database it is made for
// without a real one. The content is made up from a seed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "kit/content_db_damage.h"
#include "kit/content_db_file.h"
#include "kit/content_db_manifest.h"
#include "kit/content_db_model.h"

namespace {

constexpr const char* kUsage =
    "usage: mkcontentdb [options] OUT.mdf\n"
    "\n"
    "Writes a synthetic SharePoint content database as a primary data file.\n"
    "Everything in it is made up from the seed by the test kit: it holds no\n"
    "data of any real database, site or person.\n"
    "\n"
    "The file has a boot page, the system tables of its catalog (objects,\n"
    "columns with their physical layout, rowsets, allocation units, types,\n"
    "files) and the tables AllDocs, AllDocStreams, AllLists and AllWebs\n"
    "(Webs up to 2007) with sites, lists, nested folders and documents of many\n"
    "types and sizes; bodies longer than 8000 bytes are kept on large-value\n"
    "pages. AllLists is a heap: one list row grew and was moved to another\n"
    "page, where a forwarding stub leads to it. A few document rows are\n"
    "deleted: some stay as ghost records (pellora --deleted shows them),\n"
    "others have lost their slots and only their bytes remain in the page\n"
    "(pellora --carve finds them). The catalog also holds the tables' primary\n"
    "key constraints with their index rows and key columns, and the source\n"
    "text of the views and of a few procedures (pellora keys, definition).\n"
    "\n"
    "  --layout 2010|2007|2005|2000\n"
    "                           generation (default 2010): 2010 has AllWebs with\n"
    "                           a view Webs; 2007 a Webs table; 2005 the 2007\n"
    "                           tables in a SQL Server 2005 file (version 611);\n"
    "                           2000 the 2007 tables in a SQL Server 2000 file\n"
    "                           (version 539): catalog in sysobjects, sysindexes\n"
    "                           and syscolumns, pages found by their object id,\n"
    "                           ntext and image instead of the max types, their\n"
    "                           values (the bodies too) on text pages behind\n"
    "                           text pointers\n"
    "  --seed N                 seed of the content (default 1)\n"
    "  --sites N                sites and subsites (default 3)\n"
    "  --documents N            documents besides the fixed ones (default 40)\n"
    "  --size BYTES|NMiB|NGiB   add padding documents until the file is this large\n"
    "  --damage                 damage the file as disks do: zero some pages, flip\n"
    "                           bits in others, shift the pages by 4096 bytes and\n"
    "                           cut off the end (the manifest still lists all)\n"
    "  --manifest FILE          write a TSV line per site, list, document, folder\n"
    "                           and body, with the values as they are shown and\n"
    "                           its state: live, deleted (a ghost) or carvable\n"
    "  --force                  overwrite OUT.mdf (and the manifest) when they exist\n"
    "  --help                   show this text\n";

struct Arguments {
  pellora::kit::ContentOptions content;
  pellora::kit::ContentFileOptions file;
  uint64_t size = 0;
  bool force = false;
  bool damage = false;
  bool help = false;
  std::string out, manifest, error;
};

bool parseCount(const std::string& text, int64_t low, int64_t high, int64_t& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 12) return false;
  value = std::stoll(text);
  return value >= low && value <= high;
}

bool parseSize(const std::string& text, uint64_t& bytes) {
  struct Unit {
    const char* suffix;
    uint64_t factor;
  };
  for (Unit unit : {Unit{"GiB", 1ULL << 30}, Unit{"MiB", 1ULL << 20}, Unit{"KiB", 1ULL << 10}, Unit{"", 1}}) {
    const std::string suffix = unit.suffix;
    if (!text.ends_with(suffix)) continue;
    int64_t n = 0;
    if (!parseCount(text.substr(0, text.size() - suffix.size()), 1, int64_t{1} << 40, n)) return false;
    bytes = static_cast<uint64_t>(n) * unit.factor;
    return bytes <= (64ULL << 30);
  }
  return false;
}

Arguments parseArguments(int argc, char** argv) {
  Arguments args;
  auto fail = [&](const std::string& message) {
    if (args.error.empty()) args.error = message;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        fail(arg + " needs a value");
        return {};
      }
      return argv[++i];
    };
    int64_t n = 0;
    if (arg == "--help" || arg == "-h") {
      args.help = true;
    } else if (arg == "--force") {
      args.force = true;
    } else if (arg == "--damage") {
      args.damage = true;
    } else if (arg == "--layout") {
      const std::string v = value();
      if (v == "2010") args.file.layout = pellora::kit::ContentLayout::k2010;
      else if (v == "2007") args.file.layout = pellora::kit::ContentLayout::k2007;
      else if (v == "2005") args.file.layout = pellora::kit::ContentLayout::k2005;
      else if (v == "2000") args.file.layout = pellora::kit::ContentLayout::k2000;
      else fail("--layout takes 2010, 2007, 2005 or 2000");
    } else if (arg == "--seed") {
      if (parseCount(value(), 0, INT64_MAX, n)) args.content.seed = static_cast<uint64_t>(n);
      else fail("--seed takes a number");
    } else if (arg == "--sites") {
      if (parseCount(value(), 1, 200, n)) args.content.sites = static_cast<int>(n);
      else fail("--sites takes a number from 1 to 200");
    } else if (arg == "--documents") {
      if (parseCount(value(), 0, 100000, n)) args.content.documents = static_cast<int>(n);
      else fail("--documents takes a number from 0 to 100000");
    } else if (arg == "--size") {
      if (!parseSize(value(), args.size)) fail("--size takes BYTES, NKiB, NMiB or NGiB, at most 64GiB");
    } else if (arg == "--manifest") {
      args.manifest = value();
      if (args.manifest.empty()) fail("--manifest needs a file name");
    } else if (arg.starts_with("-") && arg != "-") {
      fail("unknown option " + arg);
    } else if (!args.out.empty()) {
      fail("more than one output file given");
    } else {
      args.out = arg;
    }
  }
  if (args.out.empty() && !args.help) fail("no output file given");
  if (!args.manifest.empty() && args.manifest == args.out) fail("the manifest and the data file must differ");
  return args;
}

bool exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

// Padding documents to reach `size`: each takes its body's pages and a
// share of a row page, so the estimate is made from what the others took.
void padTo(pellora::kit::ContentModel& model, const Arguments& args) {
  const uint64_t have = pellora::kit::contentDatabaseFile(model, args.file).fileLength();
  if (args.size <= have) return;
  const uint64_t perDocument = (pellora::kit::kPaddingFragments * 8192ULL) + 8192ULL / 12;
  pellora::kit::addBulkDocuments(model, args.content.seed, static_cast<int64_t>((args.size - have) / perDocument));
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args = parseArguments(argc, argv);
  if (args.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!args.error.empty()) {
    std::fprintf(stderr, "mkcontentdb: %s\n\n%s", args.error.c_str(), kUsage);
    return 2;
  }
  for (const std::string& path : {args.out, args.manifest}) {
    if (!path.empty() && !args.force && exists(path)) {
      std::fprintf(stderr, "mkcontentdb: %s exists; use --force to overwrite it\n", path.c_str());
      return 1;
    }
  }
  pellora::kit::ContentModel model = pellora::kit::buildContentModel(args.content);
  if (args.size > 0) padTo(model, args);
  pellora::kit::DataFileBuilder file = pellora::kit::contentDatabaseFile(model, args.file);
  if (args.size > file.fileLength()) file.pageCount(args.size / 8192);
  if (args.damage) pellora::kit::damageFile(file, args.content.seed);
  std::string error;
  if (!file.writeTo(args.out, args.force, &error) ||
      (args.damage && !pellora::kit::truncateDamagedFile(args.out, &error))) {
    std::fprintf(stderr, "mkcontentdb: cannot write %s\n", error.c_str());
    return 1;
  }
  if (!args.manifest.empty()) {
    std::ofstream manifest(args.manifest, std::ios::binary | std::ios::trunc);
    manifest << pellora::kit::manifestText(model);
    if (!manifest.flush()) {
      std::fprintf(stderr, "mkcontentdb: cannot write %s\n", args.manifest.c_str());
      return 1;
    }
  }
  return 0;
}
