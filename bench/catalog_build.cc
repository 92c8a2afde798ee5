// Time of opening a data file and mapping its catalog, against a plain read
// of the same file, both from the page cache; best of 5.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "catalog/database_catalog.h"
#include "storage/database_file.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double plainRead(const char* path) {
  auto start = std::chrono::steady_clock::now();
  int fd = open(path, O_RDONLY);
  std::vector<char> buffer(1 << 20);
  size_t sum = 0;
  for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) sum += static_cast<size_t>(buffer[0] + n);
  close(fd);
  double elapsed = seconds(start);
  return sum == 0 ? elapsed : elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: catalog_build FILE.mdf\n");
    return 2;
  }
  double bestOpen = 1e9, bestRead = 1e9;
  size_t objects = 0;
  plainRead(argv[1]);
  for (int i = 0; i < 5; ++i) {
    bestRead = std::min(bestRead, plainRead(argv[1]));
    auto start = std::chrono::steady_clock::now();
    pellora::RunFlags flags;
    pellora::DatabaseFile file(argv[1], pellora::silentNotifier(), flags);
    if (!file.valid()) {
      std::fprintf(stderr, "catalog_build: %s is not a readable data file\n", argv[1]);
      return 1;
    }
    pellora::DatabaseCatalog catalog(file, {});
    objects = catalog.objects().size();
    bestOpen = std::min(bestOpen, seconds(start));
  }
  std::printf("objects: %zu\nopen and catalog: %.4f s\nplain read: %.4f s\nratio: %.2f\n", objects, bestOpen,
              bestRead, bestOpen / bestRead);
  return 0;
}
