#include "platform/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <atomic>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>

namespace pellora {

namespace {

constexpr int kDefaultAnsiCodePage = 1252;
std::atomic<int> gAnsiCodePage{kDefaultAnsiCodePage};

// ICU names of the Windows tables. The plain "windows-NNNN" aliases resolve
// to the tables Windows itself uses (ICU reports them as ambiguous aliases
// because IBM tables share the number; the warning is harmless).
const char* icuNameOf(int codePage) {
  switch (codePage) {
    case 437: return "ibm-437";
    case 850: return "ibm-850";
    case 874: return "windows-874-2000";
    case 932: return "windows-932";
    case 936: return "windows-936-2000";
    case 949: return "windows-949-2000";
    case 950: return "windows-950-2000";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 65001: return "UTF-8";
    default: return nullptr;
  }
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per code page, opened on first use. A code page that cannot
// be opened is remembered as a null entry so it is not retried on each value.
// ICU converters carry state, so the lock is held for the whole conversion,
// not just the look-up.
class ConverterCache {
 public:
  std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }

  // Requires the lock.
  UConverter* converterFor(int codePage) {
    auto found = converters_.find(codePage);
    if (found != converters_.end()) return found->second.get();
    ConverterPtr opened = open(codePage);
    UConverter* result = opened.get();
    converters_.emplace(codePage, std::move(opened));
    return result;
  }

 private:
  static ConverterPtr open(int codePage) {
    const char* name = icuNameOf(codePage);
    if (name == nullptr) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) return nullptr;
    return converter;
  }

  std::mutex mutex_;
  std::map<int, ConverterPtr> converters_;
};

ConverterCache& converterCache() {
  static ConverterCache cache;
  return cache;
}

// Last resort when not even the 1252 table can be opened (ICU data missing):
// bytes as Latin-1, which keeps ASCII intact.
std::u16string latin1ToUtf16(std::string_view bytes) {
  std::u16string result;
  result.reserve(bytes.size());
  for (char byte : bytes) result.push_back(static_cast<char16_t>(static_cast<uint8_t>(byte)));
  return result;
}

// Converts in pieces so that no length has to fit ICU's 32-bit counts.
std::u16string convertToUtf16(UConverter* converter, std::string_view bytes) {
  std::u16string result;
  result.reserve(bytes.size());
  ucnv_resetToUnicode(converter);
  const char* source = bytes.data();
  const char* sourceLimit = bytes.data() + bytes.size();
  char16_t chunk[4096];
  UErrorCode status;
  do {
    status = U_ZERO_ERROR;
    UChar* target = chunk;
    ucnv_toUnicode(converter, &target, chunk + std::size(chunk), &source, sourceLimit,
                   nullptr, /*flush=*/true, &status);
    result.append(chunk, static_cast<size_t>(target - chunk));
  } while (status == U_BUFFER_OVERFLOW_ERROR);
  // Other errors cannot occur with the default substituting callback; whatever
  // was converted is kept.
  return result;
}

void appendUtf8(std::string& out, UChar32 codePoint) {
  uint8_t buffer[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(buffer, length, codePoint);
  out.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
}

}  // namespace

void setAnsiCodePage(int codePage) { gAnsiCodePage.store(codePage, std::memory_order_relaxed); }

int ansiCodePage() { return gAnsiCodePage.load(std::memory_order_relaxed); }

bool isSupportedCodePage(int codePage) {
  ConverterCache& cache = converterCache();
  auto held = cache.lock();
  return cache.converterFor(codePage) != nullptr;
}

std::string decodeCodePage(std::string_view bytes, int codePage) {
  if (bytes.empty()) return std::string();
  ConverterCache& cache = converterCache();
  std::u16string utf16;
  {
    auto held = cache.lock();
    UConverter* converter = cache.converterFor(codePage);
    if (converter == nullptr) converter = cache.converterFor(ansiCodePage());
    if (converter == nullptr) converter = cache.converterFor(kDefaultAnsiCodePage);
    utf16 = converter != nullptr ? convertToUtf16(converter, bytes) : latin1ToUtf16(bytes);
  }
  return utf16ToUtf8(utf16);
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string result;
  result.reserve(utf8.size());
  const uint8_t* units = reinterpret_cast<const uint8_t*>(utf8.data());
  const size_t length = utf8.size();
  size_t index = 0;
  while (index < length) {
    UChar32 codePoint;
    U8_NEXT_OR_FFFD(units, index, length, codePoint);
    if (U_IS_BMP(codePoint)) {
      result.push_back(static_cast<char16_t>(codePoint));
    } else {
      result.push_back(static_cast<char16_t>(U16_LEAD(codePoint)));
      result.push_back(static_cast<char16_t>(U16_TRAIL(codePoint)));
    }
  }
  return result;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string result;
  result.reserve(utf16.size());
  const size_t length = utf16.size();
  size_t index = 0;
  while (index < length) {
    UChar32 codePoint;
    U16_NEXT_OR_FFFD(utf16.data(), index, length, codePoint);
    appendUtf8(result, codePoint);
  }
  return result;
}

}  // namespace pellora
