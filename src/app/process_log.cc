#include "app/process_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/codepage.h"
#include "platform/paths.h"

namespace pellora {

namespace {

constexpr std::string_view kStartupLine = "application starts";
constexpr std::string_view kLineEnd = "\r\n";
constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};

std::string utf16LittleEndianBytes(std::string_view utf8) {
  std::u16string units = utf8ToUtf16(utf8);
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// Returns 0 or the errno of the failure.
int writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

std::string runSeparator() {
  return std::string(kLineEnd) + std::string(80, '*') + std::string(kLineEnd);
}

}  // namespace

std::string runLogFileName(const std::tm& localTime) {
  char name[128];
  std::snprintf(name, sizeof name, "VantorqSharepointDatabaseRec_log_%d-%d-%d-%d-%d-%d.txt",
                localTime.tm_mday, localTime.tm_mon + 1, localTime.tm_year + 1900,
                localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
  return name;
}

ProcessLog::ProcessLog() { paneLines_.emplace_back(kStartupLine); }

ProcessLog::~ProcessLog() { close(); }

void ProcessLog::append(std::string_view text) {
  addPaneLine(std::string(text));
  if (fd_ >= 0) writeToFile(std::string(text) + std::string(kLineEnd));
}

bool ProcessLog::startRunFile(const std::string& logFolder) {
  std::time_t now = std::time(nullptr);
  std::tm localTime{};
  localtime_r(&now, &localTime);
  return startRunFile(logFolder, localTime);
}

bool ProcessLog::startRunFile(const std::string& logFolder, std::tm localTime) {
  close();
  fileErrorReported_ = false;
  std::string folder = nativePath(logFolder);
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  logFilePath_ = folder + runLogFileName(localTime);

  // Exclusive creation tells a new file (which gets the byte-order mark)
  // from one an earlier run in the same second left (which is appended to).
  bool created = true;
  fd_ = ::open(logFilePath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd_ < 0 && errno == EEXIST) {
    created = false;
    fd_ = ::open(logFilePath_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  }
  if (fd_ < 0) {
    reportFileError(errno);
    return false;
  }
  if (created) {
    int error = writeAll(fd_, reinterpret_cast<const char*>(kByteOrderMark), sizeof kByteOrderMark);
    if (error != 0) {
      reportFileError(error);
      return false;
    }
  }
  return writeToFile(runSeparator());
}

void ProcessLog::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void ProcessLog::addPaneLine(std::string text) {
  paneLines_.push_back(text);
  // The observer gets its own copy: it may append, which can move the rows.
  if (onLine_) onLine_(text);
}

bool ProcessLog::writeToFile(std::string_view text) {
  std::string bytes = utf16LittleEndianBytes(text);
  int error = writeAll(fd_, bytes.data(), bytes.size());
  if (error == 0) return true;
  reportFileError(error);
  return false;
}

void ProcessLog::reportFileError(int error) {
  close();
  if (fileErrorReported_) return;
  fileErrorReported_ = true;
  std::string message =
      "Log file cannot be written: " + logFilePath_ + " (" + std::strerror(error) + ")";
  addPaneLine(message);
  if (onFileError_) onFileError_(message);
}

}  // namespace pellora
