#include "values/date_time_format.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace pellora {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kDaysPer100Years = 36524;
constexpr int64_t kDaysPer4Years = 1461;
constexpr int64_t kDaysPerYear = 365;
// Days from 0001-01-01 to 1900-01-01, the base of datetime and smalldatetime.
constexpr int64_t kDaysBefore1900 = 693595;
// The day number of 9999-12-31, the last day any of the types holds.
constexpr int64_t kLastDay = 3652058;
constexpr int64_t kDayCountLimit = int64_t{1} << 48;
constexpr int64_t kDateTimeTicksPerSecond = 300;
constexpr int64_t kFirstDateTimeYear = 1753;
constexpr int kMaxScale = 7;
// Offsets beyond fourteen hours either way are not stored by the engine.
constexpr int kMaxOffsetMinutes = 14 * 60;

constexpr std::array<int, 13> kMonthStarts = {0, 31, 59, 90, 120, 151, 181,
                                              212, 243, 273, 304, 334, 365};
constexpr std::array<uint64_t, kMaxScale + 1> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

bool isLeapYear(int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Division rounding down, so that days before 0001-01-01 fall in the years
// before it rather than being folded onto the years after.
int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

// The day of the year, from 0, on which month `monthIndex` (0 to 11) starts.
int64_t monthStart(int monthIndex, bool leapYear) {
  return kMonthStarts[static_cast<size_t>(monthIndex)] + (leapYear && monthIndex >= 2 ? 1 : 0);
}

bool isStoredDay(int64_t dayNumber) { return dayNumber >= 0 && dayNumber <= kLastDay; }

// The unsigned little-endian integer of `width` (at most 8) bytes at `offset`.
uint64_t unsignedAt(Bytes b, size_t offset, size_t width) {
  uint64_t v = 0;
  for (size_t i = width; i-- > 0;) v = (v << 8) | u8At(b, offset + i);
  return v;
}

// A time of day counted in units of 10^-scale seconds.
struct ClockValue {
  int64_t secondsOfDay = 0;
  uint64_t fraction = 0;
  bool valid = false;
};

ClockValue clockFromUnits(uint64_t units, int scale) {
  ClockValue clock;
  const uint64_t unit = kPowersOfTen[static_cast<size_t>(scale)];
  const uint64_t seconds = units / unit;
  if (seconds >= static_cast<uint64_t>(kSecondsPerDay)) return clock;
  clock.secondsOfDay = static_cast<int64_t>(seconds);
  clock.fraction = units % unit;
  clock.valid = true;
  return clock;
}

bool isScale(int scale) { return scale >= 0 && scale <= kMaxScale; }

// Builds a short ASCII text in place; the longest date-time text is 34
// characters, so the fixed buffer never fills.
class TextBuilder {
 public:
  void put(char c) {
    if (length_ < buffer_.size()) buffer_[length_++] = c;
  }
  // `value` as exactly `width` digits, leading zeros kept.
  void putDigits(uint64_t value, int width) {
    size_t at = length_ + static_cast<size_t>(width);
    if (at > buffer_.size()) return;
    for (int i = 0; i < width; ++i) {
      buffer_[--at] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    length_ += static_cast<size_t>(width);
  }
  // `value` without leading zeros.
  void putNumber(uint64_t value) {
    int width = 1;
    for (uint64_t rest = value / 10; rest != 0; rest /= 10) ++width;
    putDigits(value, width);
  }
  void putDate(const CivilDate& date) {
    putDigits(static_cast<uint64_t>(date.year), 4);
    put('-');
    putDigits(static_cast<uint64_t>(date.month), 2);
    put('-');
    putDigits(static_cast<uint64_t>(date.day), 2);
  }
  void putClock(int64_t secondsOfDay) {
    putDigits(static_cast<uint64_t>(secondsOfDay / 3600), 2);
    put(':');
    putDigits(static_cast<uint64_t>(secondsOfDay / 60 % 60), 2);
    put(':');
    putDigits(static_cast<uint64_t>(secondsOfDay % 60), 2);
  }
  void putFraction(uint64_t fraction, int scale) {
    if (scale == 0) return;
    put('.');
    putDigits(fraction, scale);
  }
  std::string text() const { return std::string(buffer_.data(), length_); }

 private:
  std::array<char, 48> buffer_{};
  size_t length_ = 0;
};

void putDateTime(TextBuilder& text, int64_t dayNumber, const ClockValue& clock, int scale) {
  text.putDate(civilFromDays(dayNumber));
  text.put(' ');
  text.putClock(clock.secondsOfDay);
  text.putFraction(clock.fraction, scale);
}

}  // namespace

CivilDate civilFromDays(int64_t daysAfterYearOne) {
  // Far beyond any stored date, but it keeps the arithmetic below in range.
  daysAfterYearOne = std::clamp(daysAfterYearOne, -kDayCountLimit, kDayCountLimit);
  const int64_t cycles = floorDiv(daysAfterYearOne, kDaysPer400Years);
  int64_t rest = daysAfterYearOne - cycles * kDaysPer400Years;
  // The last day of a 400-year cycle closes a fourth century of 36525 days,
  // and the last day of a 4-year group a fourth year of 366 days.
  const int64_t centuries = std::min<int64_t>(rest / kDaysPer100Years, 3);
  rest -= centuries * kDaysPer100Years;
  const int64_t groups = rest / kDaysPer4Years;
  rest %= kDaysPer4Years;
  const int64_t years = std::min<int64_t>(rest / kDaysPerYear, 3);
  rest -= years * kDaysPerYear;

  CivilDate date;
  date.year = 400 * cycles + 100 * centuries + 4 * groups + years + 1;
  date.dayOfYear = static_cast<int>(rest);
  const bool leapYear = isLeapYear(date.year);
  int month = 11;
  while (monthStart(month, leapYear) > rest) --month;
  date.month = month + 1;
  date.day = static_cast<int>(rest - monthStart(month, leapYear)) + 1;
  // 0001-01-01 was a Monday.
  date.weekday = static_cast<int>(floorMod(daysAfterYearOne + 1, 7));
  return date;
}

std::string formatDateTime(Bytes value) {
  if (value.size() < 8) return {};
  const int64_t ticks = s32At(value, 0);
  const int64_t dayNumber = s32At(value, 4) + kDaysBefore1900;
  if (ticks < 0 || ticks >= kSecondsPerDay * kDateTimeTicksPerSecond) return {};
  if (!isStoredDay(dayNumber)) return {};

  CivilDate date = civilFromDays(dayNumber);
  if (date.year < kFirstDateTimeYear) {
    date.year = kFirstDateTimeYear;
    // 1753 has no 29 February.
    if (date.month == 2 && date.day == 29) date.day = 28;
  }
  TextBuilder text;
  text.putDate(date);
  text.put(' ');
  // Whole seconds only; the integer division cuts the fraction off, as the
  // clock of a stored datetime is never rounded up into the next second.
  text.putClock(ticks / kDateTimeTicksPerSecond);
  return text.text();
}

std::string formatSmallDateTime(Bytes value) {
  if (value.size() < 4) return {};
  const int64_t minutes = u16At(value, 0);
  const int64_t dayNumber = u16At(value, 2) + kDaysBefore1900;
  if (minutes >= 24 * 60) return {};
  TextBuilder text;
  text.putDate(civilFromDays(dayNumber));
  text.put(' ');
  text.putClock(minutes * 60);
  return text.text();
}

std::string formatDate(Bytes value) {
  if (value.size() < 3) return {};
  const int64_t dayNumber = static_cast<int64_t>(unsignedAt(value, 0, 3));
  if (!isStoredDay(dayNumber)) return {};
  TextBuilder text;
  text.putDate(civilFromDays(dayNumber));
  return text.text();
}

std::string formatTime(Bytes value, int scale) {
  if (value.size() < 3 || value.size() > 5 || !isScale(scale)) return {};
  const ClockValue clock = clockFromUnits(unsignedAt(value, 0, value.size()), scale);
  if (!clock.valid) return {};
  TextBuilder text;
  text.putClock(clock.secondsOfDay);
  text.putFraction(clock.fraction, scale);
  return text.text();
}

std::string formatDateTime2(Bytes value, int scale) {
  if (value.size() < 6 || value.size() > 8 || !isScale(scale)) return {};
  const size_t timeWidth = value.size() - 3;
  const ClockValue clock = clockFromUnits(unsignedAt(value, 0, timeWidth), scale);
  const int64_t dayNumber = static_cast<int64_t>(unsignedAt(value, timeWidth, 3));
  if (!clock.valid || !isStoredDay(dayNumber)) return {};
  TextBuilder text;
  putDateTime(text, dayNumber, clock, scale);
  return text.text();
}

std::string formatDateTimeOffset(Bytes value, int scale) {
  if (value.size() < 8 || value.size() > 10 || !isScale(scale)) return {};
  const size_t timeWidth = value.size() - 5;
  const ClockValue utc = clockFromUnits(unsignedAt(value, 0, timeWidth), scale);
  const int64_t utcDay = static_cast<int64_t>(unsignedAt(value, timeWidth, 3));
  const int offsetMinutes = s16At(value, timeWidth + 3);
  if (!utc.valid || !isStoredDay(utcDay)) return {};
  if (offsetMinutes < -kMaxOffsetMinutes || offsetMinutes > kMaxOffsetMinutes) return {};

  // The value is stored in UTC; the offset moves it, across midnight when it
  // must, to the local date and time it was written in.
  const int64_t localSeconds =
      utcDay * kSecondsPerDay + utc.secondsOfDay + int64_t{offsetMinutes} * 60;
  const int64_t localDay = floorDiv(localSeconds, kSecondsPerDay);
  if (!isStoredDay(localDay)) return {};
  ClockValue local = utc;
  local.secondsOfDay = localSeconds - localDay * kSecondsPerDay;

  TextBuilder text;
  putDateTime(text, localDay, local, scale);
  // Two blanks part a fraction from the offset, one the seconds; the offset's
  // hours and minutes carry no leading zeros ("+5:30", "-8:0").
  text.put(' ');
  if (scale > 0) text.put(' ');
  text.put(offsetMinutes < 0 ? '-' : '+');
  const int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  text.putNumber(static_cast<uint64_t>(magnitude / 60));
  text.put(':');
  text.putNumber(static_cast<uint64_t>(magnitude % 60));
  return text.text();
}

}  // namespace pellora
