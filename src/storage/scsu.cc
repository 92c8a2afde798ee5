#include "storage/scsu.h"

#include <unicode/ucnv.h>

#include <memory>

namespace pellora {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Pages are built on the thread that reads them, and an ICU converter keeps
// state between calls, so each thread opens its own.
UConverter* scsuConverter() {
  thread_local ConverterPtr converter = [] {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr opened(ucnv_open("SCSU", &status));
    return U_FAILURE(status) ? nullptr : std::move(opened);
  }();
  return converter.get();
}

}  // namespace

std::vector<uint8_t> scsuToUtf16le(Bytes scsu) {
  UConverter* converter = scsuConverter();
  if (!converter) return {scsu.begin(), scsu.end()};
  ucnv_resetToUnicode(converter);
  // One byte gives at most one character, which is at most two UTF-16 units
  // (a window in the supplementary planes); room is left for a substitution
  // at the end of a cut sequence.
  std::vector<UChar> units(2 * scsu.size() + 2);
  const char* source = reinterpret_cast<const char*>(scsu.data());
  const char* sourceLimit = source + scsu.size();
  UChar* target = units.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, units.data() + units.size(), &source, sourceLimit, nullptr,
                 /*flush=*/true, &status);
  std::vector<uint8_t> bytes;
  bytes.reserve(2 * static_cast<size_t>(target - units.data()));
  for (const UChar* unit = units.data(); unit != target; ++unit) {
    bytes.push_back(static_cast<uint8_t>(*unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(*unit >> 8));
  }
  return bytes;
}

}  // namespace pellora
