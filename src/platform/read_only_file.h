// A data file opened for reading only. Instead of the "no sharing" open of the
// original platform, the descriptor holds an exclusive advisory lock, so that
// a second Pellora process is refused while the first has the file open.
// Nothing here can write to or create a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pellora {

class ReadOnlyFile {
 public:
  enum class OpenResult { kOk, kMissing, kNotRegularFile, kNoAccess, kLocked, kOther };

  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  OpenResult open(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  uint64_t length() const { return length_; }

  // Reads up to `size` bytes at `offset`; returns the count read (short at the
  // end of the file, 0 on an error).
  size_t readAt(uint64_t offset, void* buffer, size_t size) const;
  // Tells the kernel the file will be read forward, so it reads ahead.
  void adviseSequential() const;

 private:
  int fd_ = -1;
  uint64_t length_ = 0;
};

}  // namespace pellora
