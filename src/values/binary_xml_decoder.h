// Decodes one binary XML document (the stored form of SQL Server xml values)
// into XML text. The walk is iterative with an explicit element stack, checks
// every length against the bytes left, and stops at the first byte that
// breaks the format, keeping what it had decoded.
#pragma once

#include <cstddef>
#include <string>

#include "platform/bytes.h"

namespace pellora::binxml {

struct DecodeLimits {
  size_t maxElementDepth = 1024;  // SQL Server itself allows 128 levels
  size_t maxNestedDocuments = 64;
  // One byte can repeat a long name, so the text is capped, not the input.
  size_t maxOutputBytes = size_t{1} << 30;
};

enum class DecodeStatus {
  kOk,
  kNotBinaryXml,  // no binary XML header (signature, version 0..2, UTF-16)
  kTruncated,     // the bytes end inside an item or with elements open
  kCorrupt,       // an unknown or misplaced token, an invalid value or name
  kTooDeep,       // beyond the element depth or nested-document limit
  kTooLarge,      // the text would exceed the output limit
};

struct DecodeResult {
  DecodeStatus status = DecodeStatus::kOk;
  const char* problem = "";  // what went wrong, for logs; empty when kOk
  size_t problemOffset = 0;  // offset of the token where decoding stopped
  // The whole document when kOk. Otherwise the text decoded before the
  // fault, with the elements still open closed, so a salvage can show it.
  std::string text;
  // Characters XML 1.0 forbids, written as character references.
  size_t forbiddenCharacters = 0;
};

DecodeResult decodeBinaryXml(Bytes value, const DecodeLimits& limits = {});

}  // namespace pellora::binxml
