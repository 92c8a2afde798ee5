// The stored forms of the values a synthetic content database holds, each
// with the text the row decoder shows for it, so that a manifest can say
// what a reader must find: identifiers, datetimes, Unicode text, integers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellora::kit {

// A uniqueidentifier as stored: the first three groups little-endian.
struct Guid {
  std::array<uint8_t, 16> bytes{};

  // XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX, upper case, in display order.
  std::string text() const;
  std::vector<uint8_t> stored() const { return {bytes.begin(), bytes.end()}; }
  bool operator==(const Guid&) const = default;
};

// A version-4 identifier made from two 64-bit values.
Guid guidFrom(uint64_t high, uint64_t low);

// A datetime to the whole second.
struct DateTime {
  int32_t daysAfter1900 = 0;
  int32_t secondsOfDay = 0;

  // YYYY-MM-DD HH:MM:SS
  std::string text() const;
  // 1/300-second ticks after midnight, then the days, both 32-bit.
  std::vector<uint8_t> stored() const;
  DateTime plusSeconds(int64_t seconds) const;
};

DateTime dateTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Little-endian integers of the column's width.
std::vector<uint8_t> storedInt(int64_t value, size_t width);
// nvarchar: UTF-16LE of the UTF-8 text.
std::vector<uint8_t> storedNText(std::string_view utf8);

// Deterministic 64-bit values from a seed (splitmix64), the same on every
// platform, so a seed always gives the same database.
class ContentRandom {
 public:
  explicit ContentRandom(uint64_t seed) : state_(seed) {}
  uint64_t next();
  // From 0 to bound - 1; 0 when bound is 0.
  uint64_t below(uint64_t bound) { return bound == 0 ? 0 : next() % bound; }
  Guid guid() { return guidFrom(next(), next()); }

 private:
  uint64_t state_;
};

// The hexadecimal digits of `bytes`, upper case, as a binary value shows
// after its "0x".
std::string hexDigits(const std::vector<uint8_t>& bytes);

}  // namespace pellora::kit
