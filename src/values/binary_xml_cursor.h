// Bounded reading of a binary XML value. Every read tests its width against
// the bytes that remain and fails instead of reading past the end; a failed
// read leaves the position where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace pellora::binxml {

class Cursor {
 public:
  explicit Cursor(Bytes bytes) : bytes_(bytes) {}

  size_t offset() const { return offset_; }
  size_t remaining() const { return bytes_.size() - offset_; }
  bool atEnd() const { return offset_ == bytes_.size(); }
  // True once a read has failed for want of bytes (rather than for a value
  // that cannot be), which tells truncation from corruption.
  bool ranOut() const { return ranOut_; }

  bool peekByte(uint8_t& value) const;
  bool readByte(uint8_t& value);
  // The next `count` bytes, as a view into the value.
  bool readBytes(size_t count, Bytes& bytes);
  bool skip(size_t count);

  // Little-endian fixed-width integers.
  bool readU16(uint16_t& value);
  bool readU32(uint32_t& value);
  bool readU64(uint64_t& value);
  // An unsigned little-endian integer of `width` bytes (at most 8).
  bool readUnsigned(size_t width, uint64_t& value);

  // Multi-byte integers: seven bits a byte, low group first, a set top bit
  // meaning another byte follows. Both must fit a signed integer of their
  // width, which bounds mb32 at five bytes and mb64 at ten.
  bool readMb32(uint32_t& value);
  bool readMb64(uint64_t& value);

  // `textdata`: an mb32 count of UTF-16 units, then the units; the result is
  // UTF-8 with lone surrogates as U+FFFD.
  bool readText(std::string& utf8);
  // `textdata64`: the same with an mb64 count.
  bool readText64(std::string& utf8);
  // `count` UTF-16LE units as UTF-8.
  bool readUtf16(uint64_t count, std::string& utf8);

  // `blob` / `blob64`: a byte count, then the bytes.
  bool readBlob(Bytes& bytes);
  bool readBlob64(Bytes& bytes);

 private:
  bool readMultiByte(int maxBytes, uint64_t maxValue, uint64_t& value);

  Bytes bytes_;
  size_t offset_ = 0;
  bool ranOut_ = false;
};

}  // namespace pellora::binxml
