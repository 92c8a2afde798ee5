#include "kit/data_file_builder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "kit/byte_writes.h"

namespace pellora::kit {

namespace {

constexpr size_t kPageNumberOffset = 32;
constexpr size_t kPagesPerWrite = 128;  // 1 MiB per write() call

bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void stampPageNumber(uint8_t* page, uint64_t position) {
  putU32(MutableBytes(page, kPageSize), kPageNumberOffset, static_cast<uint32_t>(position));
}

}  // namespace

DataFileBuilder& DataFileBuilder::pageCount(uint64_t count) {
  pageCount_ = std::max(pageCount_, count);
  return *this;
}

DataFileBuilder& DataFileBuilder::setPage(uint64_t position, const PageBytes& page) {
  pages_[position] = page;
  return pageCount(position + 1);
}

DataFileBuilder& DataFileBuilder::setPage(uint64_t position, PageBuilder page) {
  if (!page.hasPageNumber()) page.pageNumber(static_cast<int32_t>(position));
  return setPage(position, page.build());
}

DataFileBuilder& DataFileBuilder::fillRange(uint64_t first, uint64_t count, const PageBytes& pattern) {
  if (count == 0) return *this;
  ranges_.push_back({first, count, pattern});
  return pageCount(first + count);
}

DataFileBuilder& DataFileBuilder::leadingRemainder(size_t bytes, uint8_t fill) {
  leading_ = bytes, leadingFill_ = fill;
  return *this;
}

DataFileBuilder& DataFileBuilder::trailingRemainder(size_t bytes, uint8_t fill) {
  trailing_ = bytes, trailingFill_ = fill;
  return *this;
}

uint64_t DataFileBuilder::fileLength() const { return leading_ + pageCount_ * kPageSize + trailing_; }

void DataFileBuilder::pageInto(uint64_t position, uint8_t* out) const {
  if (auto it = pages_.find(position); it != pages_.end()) {
    std::memcpy(out, it->second.data(), kPageSize);
    return;
  }
  for (auto range = ranges_.rbegin(); range != ranges_.rend(); ++range) {
    if (position >= range->first && position - range->first < range->count) {
      std::memcpy(out, range->pattern.data(), kPageSize);
      stampPageNumber(out, position);
      return;
    }
  }
  std::memset(out, 0, kPageSize);
  out[0] = 1;   // header version
  out[36] = 1;  // file id
  stampPageNumber(out, position);
}

PageBytes DataFileBuilder::pageAt(uint64_t position) const {
  PageBytes page;
  pageInto(position, page.data());
  return page;
}

std::vector<uint8_t> DataFileBuilder::bytes() const {
  std::vector<uint8_t> out(fileLength());
  std::fill_n(out.begin(), leading_, leadingFill_);
  for (uint64_t p = 0; p < pageCount_; ++p) pageInto(p, out.data() + leading_ + p * kPageSize);
  std::fill(out.end() - static_cast<ptrdiff_t>(trailing_), out.end(), trailingFill_);
  return out;
}

bool DataFileBuilder::writeTo(const std::string& path, bool overwrite, std::string* error) const {
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<uint8_t> block(kPagesPerWrite * kPageSize);
  bool ok = writeAll(fd, std::vector<uint8_t>(leading_, leadingFill_).data(), leading_);
  for (uint64_t p = 0; ok && p < pageCount_;) {
    size_t pages = static_cast<size_t>(std::min<uint64_t>(kPagesPerWrite, pageCount_ - p));
    for (size_t i = 0; i < pages; ++i) pageInto(p + i, block.data() + i * kPageSize);
    ok = writeAll(fd, block.data(), pages * kPageSize);
    p += pages;
  }
  if (ok) ok = writeAll(fd, std::vector<uint8_t>(trailing_, trailingFill_).data(), trailing_);
  if (!ok && error) *error = path + ": " + std::strerror(errno);
  if (::close(fd) != 0 && ok) {
    ok = false;
    if (error) *error = path + ": " + std::strerror(errno);
  }
  return ok;
}

}  // namespace pellora::kit
