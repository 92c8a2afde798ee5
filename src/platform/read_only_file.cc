#include "platform/read_only_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellora {

ReadOnlyFile::~ReadOnlyFile() { close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : fd_(other.fd_), length_(other.length_) {
  other.fd_ = -1;
  other.length_ = 0;
}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    length_ = other.length_;
    other.fd_ = -1;
    other.length_ = 0;
  }
  return *this;
}

static ReadOnlyFile::OpenResult resultOfErrno(int error) {
  switch (error) {
    case ENOENT: case ENOTDIR: return ReadOnlyFile::OpenResult::kMissing;
    case EACCES: case EPERM: return ReadOnlyFile::OpenResult::kNoAccess;
    default: return ReadOnlyFile::OpenResult::kOther;
  }
}

ReadOnlyFile::OpenResult ReadOnlyFile::open(const std::string& path) {
  close();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return resultOfErrno(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int error = errno;
    ::close(fd);
    return resultOfErrno(error);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return OpenResult::kNotRegularFile;
  }
  // Stands in for an open without sharing: a second Pellora process that
  // tries to open the same file is refused while this descriptor lives.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return OpenResult::kLocked;
  }
  fd_ = fd;
  length_ = static_cast<uint64_t>(st.st_size);
  return OpenResult::kOk;
}

void ReadOnlyFile::close() {
  if (fd_ >= 0) ::close(fd_);  // closing also releases the lock
  fd_ = -1;
  length_ = 0;
}

size_t ReadOnlyFile::readAt(uint64_t offset, void* buffer, size_t size) const {
  if (fd_ < 0) return 0;
  size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < size) {
    ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

void ReadOnlyFile::adviseSequential() const {
  if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

}  // namespace pellora
