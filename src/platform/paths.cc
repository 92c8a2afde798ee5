#include "platform/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace pellora {

bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

static size_t lastSeparator(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (isPathSeparator(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

std::string folderOf(std::string_view path) {
  size_t at = lastSeparator(path);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string leafOf(std::string_view path) {
  size_t at = lastSeparator(path);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string nativePath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

static bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
  if (tail.size() > text.size()) return false;
  return std::equal(tail.begin(), tail.end(), text.end() - tail.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

std::vector<std::string> filesWithExtension(const std::string& folder, std::string_view extension) {
  std::vector<std::string> found;
  std::error_code error;
  std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : std::filesystem::path(nativePath(folder));
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (endsWithIgnoringCase(name, extension)) found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string executableFolder() {
  std::error_code error;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return exe.parent_path().string() + "/";
}

}  // namespace pellora
