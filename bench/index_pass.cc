// index_pass: how much the page index pass of the open costs over a plain
// sequential read of the same file. Both are timed warm from the page cache,
// best of three.
//
//   index_pass [FILE]
//
// Without FILE a synthetic primary file of 2 GiB is generated under $TMPDIR
// (or /tmp) and deleted at the end.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "kit/primary_file.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"
#include "storage/run_flags.h"

namespace {

constexpr uint64_t kGeneratedPages = (2ull << 30) / pellora::kPageSize;
constexpr size_t kReadBlock = 1 << 20;
constexpr int kRounds = 3;

double secondsOf(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double bestOf(const std::function<void()>& work) {
  double best = secondsOf(work);
  for (int i = 1; i < kRounds; ++i) best = std::min(best, secondsOf(work));
  return best;
}

// Sums one byte per page so the reads cannot be optimised away and every
// block is touched.
uint64_t plainRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  std::vector<uint8_t> buffer(kReadBlock);
  uint64_t sum = 0;
  for (;;) {
    ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; i += pellora::kPageSize) sum += buffer[static_cast<size_t>(i)];
  }
  ::close(fd);
  return sum;
}

// Gives the number of objects indexed, so the pass has a result to keep.
size_t indexPass(const std::string& path, bool* valid = nullptr) {
  pellora::RunFlags flags;
  pellora::DatabaseFile file(path, pellora::silentNotifier(), flags);
  if (valid) *valid = file.valid();
  return file.dataPageIndex().size();
}

bool generate(const std::string& path) {
  pellora::kit::PrimaryFileLayout layout;
  layout.userPageCount = kGeneratedPages - layout.firstUserPage;
  layout.pageCount = kGeneratedPages;
  std::string error;
  std::printf("generating %s (%llu pages) ...\n", path.c_str(),
              static_cast<unsigned long long>(kGeneratedPages));
  std::fflush(stdout);
  if (pellora::kit::minimalPrimaryFile(layout).writeTo(path, false, &error)) return true;
  std::fprintf(stderr, "index_pass: %s\n", error.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && std::string(argv[1]).starts_with("-"))) {
    std::fprintf(stderr, "usage: index_pass [FILE]\n");
    return 2;
  }
  bool generated = argc < 2;
  std::string path =
      generated ? pellora::kit::tempRoot() + "/pellora-index-pass-" + std::to_string(::getpid()) + ".mdf"
                : argv[1];
  if (generated && !generate(path)) return 1;

  volatile uint64_t sink = plainRead(path);  // warms the page cache
  bool valid = false;
  sink = sink + indexPass(path, &valid);
  if (!valid) std::fprintf(stderr, "index_pass: %s does not open as a valid data file\n", path.c_str());
  double index = bestOf([&] { sink = sink + indexPass(path); });
  double plain = bestOf([&] { sink = sink + plainRead(path); });
  std::printf("index pass: %.3f s\n", index);
  std::printf("plain read: %.3f s\n", plain);
  std::printf("ratio: %.2f\n", plain > 0 ? index / plain : 0.0);

  if (generated) ::unlink(path.c_str());
  return 0;
}
