#include "kit/content_db_values.h"

#include <cstdio>

#include "kit/utf16.h"

namespace pellora::kit {

namespace {

constexpr int32_t kTicksPerSecond = 300;
constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

const int64_t kDays1900 = daysFromCivil(1900, 1, 1);

}  // namespace

std::string Guid::text() const {
  static constexpr size_t kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    out += kHex[bytes[kOrder[i]] >> 4];
    out += kHex[bytes[kOrder[i]] & 15];
  }
  return out;
}

Guid guidFrom(uint64_t high, uint64_t low) {
  Guid guid;
  for (int i = 0; i < 8; ++i) {
    guid.bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(high >> (8 * i));
    guid.bytes[static_cast<size_t>(8 + i)] = static_cast<uint8_t>(low >> (8 * i));
  }
  // Byte 7 holds the version nibble (its high half), byte 8 the variant.
  guid.bytes[7] = static_cast<uint8_t>((guid.bytes[7] & 0x0F) | 0x40);
  guid.bytes[8] = static_cast<uint8_t>((guid.bytes[8] & 0x3F) | 0x80);
  return guid;
}

std::string DateTime::text() const {
  int y = 0, m = 0, d = 0;
  civilFromDays(kDays1900 + daysAfter1900, y, m, d);
  char out[64];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, secondsOfDay / 3600,
                secondsOfDay / 60 % 60, secondsOfDay % 60);
  return out;
}

std::vector<uint8_t> DateTime::stored() const {
  std::vector<uint8_t> out = storedInt(static_cast<int64_t>(secondsOfDay) * kTicksPerSecond, 4);
  std::vector<uint8_t> days = storedInt(daysAfter1900, 4);
  out.insert(out.end(), days.begin(), days.end());
  return out;
}

DateTime DateTime::plusSeconds(int64_t seconds) const {
  int64_t total = static_cast<int64_t>(daysAfter1900) * kSecondsPerDay + secondsOfDay + seconds;
  return {static_cast<int32_t>(total / kSecondsPerDay), static_cast<int32_t>(total % kSecondsPerDay)};
}

DateTime dateTimeOf(int year, int month, int day, int hour, int minute, int second) {
  return {static_cast<int32_t>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kDays1900),
          hour * 3600 + minute * 60 + second};
}

std::vector<uint8_t> storedInt(int64_t value, size_t width) {
  std::vector<uint8_t> out(width);
  for (size_t i = 0; i < width; ++i) out[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
  return out;
}

std::vector<uint8_t> storedNText(std::string_view utf8) { return utf16leBytes(utf8); }

uint64_t ContentRandom::next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::string hexDigits(const std::vector<uint8_t>& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

}  // namespace pellora::kit
