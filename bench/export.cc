// Export speed and memory, and the time to a table's first screen.
//
// Builds with the test kit a table of at least 1 GiB of data pages (an int
// and a varchar column per row), decodes every row as the export does and
// formats it as CSV into a sink, and compares that with a plain read of the
// same pages. Then lists the first screen of a 10-million-row table and of a
// 10-thousand-row table. The data files are made in a temporary folder and
// removed afterwards.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalog/record_listing.h"
#include "kit/primary_file.h"

namespace {

using namespace pellora;

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long maxResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string makeFile(const std::filesystem::path& folder, const char* name, uint64_t pages, int perPage) {
  kit::PrimaryFileLayout layout;
  layout.userPageCount = pages;
  layout.recordsPerUserPage = perPage;
  const std::string path = (folder / name).string();
  std::string error;
  if (!kit::minimalPrimaryFile(layout).writeTo(path, true, &error)) {
    std::fprintf(stderr, "export bench: cannot write %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
  return path;
}

// The pages of the table read as they lie in the file, 1 MiB at a time.
double plainRead(const std::string& path, uint64_t firstPage, uint64_t pages) {
  // A plain descriptor: the open data file holds the file's lock.
  std::vector<uint8_t> buffer(1 << 20);
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  auto start = std::chrono::steady_clock::now();
  uint64_t offset = firstPage * kPageSize, end = (firstPage + pages) * kPageSize;
  size_t sum = 0;
  while (offset < end) {
    ssize_t got = ::pread(fd, buffer.data(), std::min<uint64_t>(buffer.size(), end - offset),
                          static_cast<off_t>(offset));
    if (got <= 0) break;
    sum += buffer[static_cast<size_t>(got) - 1];
    offset += static_cast<uint64_t>(got);
  }
  double elapsed = seconds(start);
  ::close(fd);
  return sum == 1 ? elapsed + 0 : elapsed;
}

struct Opened {
  RunFlags flags;
  std::unique_ptr<DatabaseFile> file;
  std::unique_ptr<DatabaseCatalog> catalog;
  std::unique_ptr<TableReader> reader;
};

std::unique_ptr<Opened> openTable(const std::string& path) {
  auto opened = std::make_unique<Opened>();
  opened->file = std::make_unique<DatabaseFile>(path, silentNotifier(), opened->flags);
  opened->catalog = std::make_unique<DatabaseCatalog>(*opened->file, CollationRequest{});
  opened->reader = std::make_unique<TableReader>(*opened->catalog, *opened->file);
  opened->reader->readTable("SampleTable", "U ", {});
  return opened;
}

void benchExport(const std::filesystem::path& folder) {
  constexpr uint64_t kPages = 131072;  // 1 GiB of data pages
  const std::string path = makeFile(folder, "export.mdf", kPages, 250);
  auto opened = openTable(path);
  const kit::PrimaryFileLayout layout;
  plainRead(path, layout.firstUserPage, kPages);
  const double raw = plainRead(path, layout.firstUserPage, kPages);
  RecordListModel model;
  RowDecoding decoding;
  decoding.placeholders = false;
  RecordListing listing(*opened->reader, model, silentNotifier(), decoding);
  std::FILE* sink = std::fopen("/dev/null", "w");
  const long rssBefore = maxResidentKiB();
  uint64_t rows = 0;
  std::string line;
  auto start = std::chrono::steady_clock::now();
  listing.forEachRow(false, [&](const DecodedRow& row) {
    line.clear();
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += ',';
      line += row[i].display();
    }
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), sink);
    ++rows;
    return true;
  });
  const double exported = seconds(start);
  std::fclose(sink);
  std::printf("export: %llu rows of %llu pages (%.0f MiB)\n", static_cast<unsigned long long>(rows),
              static_cast<unsigned long long>(kPages), kPages * kPageSize / 1048576.0);
  std::printf("  export time %.3f s, plain read %.3f s, ratio %.2f\n", exported, raw, exported / raw);
  std::printf("  peak resident memory %ld KiB before the export, %ld KiB after\n", rssBefore, maxResidentKiB());
}

double firstScreen(const std::string& path, int64_t& shown) {
  auto opened = openTable(path);
  RecordListModel model;
  RecordListing listing(*opened->reader, model, silentNotifier(), RowDecoding{});
  auto start = std::chrono::steady_clock::now();
  listing.listFirstScreen(false);
  double elapsed = seconds(start);
  shown = static_cast<int64_t>(model.rows.size());
  return elapsed;
}

void benchFirstScreen(const std::filesystem::path& folder) {
  const std::string small = makeFile(folder, "small.mdf", 40, 250);    // 10 000 rows
  const std::string large = makeFile(folder, "large.mdf", 40000, 250);  // 10 000 000 rows
  double best[2] = {1e9, 1e9};
  int64_t shown[2] = {0, 0};
  for (int run = 0; run < 5; ++run) {
    best[0] = std::min(best[0], firstScreen(small, shown[0]));
    best[1] = std::min(best[1], firstScreen(large, shown[1]));
  }
  std::printf("first screen: 10 thousand rows %.4f s (%lld shown), 10 million rows %.4f s (%lld shown), ratio %.2f\n",
              best[0], static_cast<long long>(shown[0]), best[1], static_cast<long long>(shown[1]),
              best[1] / best[0]);
}

}  // namespace

int main() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pellora-bench-export";
  std::filesystem::create_directories(folder);
  benchFirstScreen(folder);
  benchExport(folder);
  std::filesystem::remove_all(folder);
  return 0;
}
