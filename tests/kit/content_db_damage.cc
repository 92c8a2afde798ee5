#include "kit/content_db_damage.h"

#include <filesystem>
#include <random>

namespace pellora::kit {

namespace {
constexpr uint64_t kKeptPages = 16;
constexpr size_t kShift = 4096;
constexpr uint64_t kCutBytes = 3 * 8192;
}  // namespace

void damageFile(DataFileBuilder& file, uint64_t seed) {
  const uint64_t pages = file.pageCount();
  if (pages <= kKeptPages) return;
  std::mt19937_64 random(seed ^ 0x5DA3A6E5ULL);
  std::uniform_int_distribution<uint64_t> anyPage(kKeptPages, pages - 1);
  const uint64_t hits = std::max<uint64_t>(1, (pages - kKeptPages) / 50);
  for (uint64_t i = 0; i < hits; ++i) file.setPage(anyPage(random), PageBytes{});
  std::uniform_int_distribution<size_t> anyBit(0, 8 * PageBytes{}.size() - 1);
  for (uint64_t i = 0; i < hits; ++i) {
    const uint64_t position = anyPage(random);
    PageBytes page = file.pageAt(position);
    for (int flip = 0; flip < 8; ++flip) {
      const size_t bit = anyBit(random);
      page[bit / 8] = static_cast<uint8_t>(page[bit / 8] ^ (1u << (bit % 8)));
    }
    file.setPage(position, page);
  }
  file.leadingRemainder(kShift);
}

bool truncateDamagedFile(const std::string& path, std::string* error) {
  std::error_code code;
  const uint64_t length = std::filesystem::file_size(path, code);
  if (!code && length > kCutBytes) std::filesystem::resize_file(path, length - kCutBytes, code);
  if (code && error) *error = code.message();
  return !code;
}

}  // namespace pellora::kit
