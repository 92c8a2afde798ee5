#include "kit/temp_dir.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace pellora::kit {

std::string tempRoot() {
  const char* root = std::getenv("TMPDIR");
  return root && *root ? root : "/tmp";
}

TempDir::TempDir() {
  std::string pattern = tempRoot() + "/pellora-test-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data())) path_ = name.data();
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const { return path_ + "/" + name; }

}  // namespace pellora::kit
