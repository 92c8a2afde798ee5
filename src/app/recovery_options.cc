#include "app/recovery_options.h"

#include <sys/stat.h>

#include "platform/paths.h"

namespace pellora {

namespace {

constexpr const char* kInvalidDataFile =
    "Please select valid SQL file path to continue the recovery process.";
constexpr const char* kInvalidLogFolder =
    "Please select valid Log file path to continue the recovery process.";

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Anywhere in the path, so "wss_content.MDF.old" and "x.mdf/copy" pass too.
bool mentionsMdf(const std::string& path) {
  std::string upper;
  upper.reserve(path.size());
  for (char c : path) upper.push_back(asciiUpper(c));
  return upper.find(".MDF") != std::string::npos;
}

bool isExistingFile(const std::string& path) {
  struct stat info;
  return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool existsAtAll(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(nativePath(path).c_str(), &info) == 0;
}

OptionsCheck failed(const char* message) {
  OptionsCheck check;
  check.message = message;
  return check;
}

}  // namespace

OptionsCheck validateOpenOptions(const std::string& path, const std::string& logFolder) {
  if (!mentionsMdf(path) || !isExistingFile(path)) return failed(kInvalidDataFile);
  if (!existsAtAll(logFolder)) return failed(kInvalidLogFolder);
  OptionsCheck check;
  check.ok = true;
  check.logFolder = logFolder;
  if (!isPathSeparator(check.logFolder.back())) check.logFolder.push_back('/');
  return check;
}

}  // namespace pellora
