#include "values/binary_xml_dates.h"

#include <cstdio>
#include <cstdlib>

#include "values/date_time_format.h"

namespace pellora::binxml {

namespace {

constexpr int64_t kDaysTo1900 = 693'595;  // 0001-01-01 .. 1900-01-01
constexpr int64_t kTicksPerMinute = 60 * kTicksPerSecond;

std::string yearMonthDayText(int64_t year, unsigned month, unsigned day) {
  char buffer[48];
  const char* sign = year < 0 ? "-" : "";
  std::snprintf(buffer, sizeof buffer, "%s%04lld-%02u-%02u", sign, static_cast<long long>(std::llabs(year)),
                month, day);
  return buffer;
}

std::string clockText(int64_t hours, int64_t minutes, int64_t seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", static_cast<long long>(hours),
                static_cast<long long>(minutes), static_cast<long long>(seconds));
  return buffer;
}

std::string millisecondsText(int64_t milliseconds) {
  if (milliseconds == 0) return "";
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, ".%03lld", static_cast<long long>(milliseconds));
  return buffer;
}

// hh:mm:ss[.fffffff] of a time of day in ticks (below one day).
std::string tickClockText(int64_t ticks) {
  const int64_t seconds = ticks / kTicksPerSecond;
  std::string text = clockText(seconds / 3600, seconds / 60 % 60, seconds % 60);
  const int64_t fraction = ticks % kTicksPerSecond;
  if (fraction == 0) return text;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, ".%07lld", static_cast<long long>(fraction));
  std::string digits = buffer;
  while (digits.back() == '0') digits.pop_back();
  return text + digits;
}

std::string zoneText(int minutesEast) {
  if (minutesEast == 0) return "Z";
  const int magnitude = std::abs(minutesEast);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%c%02d:%02d", minutesEast < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return buffer;
}

std::string dayText(int64_t daysSince0001) {
  const CivilDate date = civilFromDays(daysSince0001);
  return yearMonthDayText(date.year, static_cast<unsigned>(date.month), static_cast<unsigned>(date.day));
}

// Moves whole days out of `ticks` (which may be negative after a zone shift)
// into `days`.
void carryDays(int64_t& days, int64_t& ticks) {
  int64_t carried = ticks / kTicksPerDay;
  ticks %= kTicksPerDay;
  if (ticks < 0) {
    ticks += kTicksPerDay;
    --carried;
  }
  days += carried;
}

// The packed XSD values: day (1..31), month and year in mixed radix.
struct PackedDate {
  int64_t year;
  unsigned month;
  unsigned day;
};

PackedDate unpackDate(int64_t dayMonthYear) {
  PackedDate date;
  date.day = static_cast<unsigned>(dayMonthYear % 31) + 1;
  dayMonthYear /= 31;
  date.month = static_cast<unsigned>(dayMonthYear % 12) + 1;
  date.year = dayMonthYear / 12 - 9999;
  return date;
}

bool unpackKind(int64_t packed, int kind, int64_t& rest) {
  if (packed < 0 || (packed & 3) != kind) return false;
  rest = packed >> 2;
  return true;
}

}  // namespace

std::string sqlDateTimeText(int32_t daysSince1900, uint32_t ticks300) {
  // ms = floor(ticks / 0.3 + 0.5), in integers.
  int64_t milliseconds = (20 * static_cast<int64_t>(ticks300) + 3) / 6;
  int64_t days = kDaysTo1900 + daysSince1900 + milliseconds / 86'400'000;
  milliseconds %= 86'400'000;
  const int64_t seconds = milliseconds / 1000;
  return dayText(days) + "T" + clockText(seconds / 3600, seconds / 60 % 60, seconds % 60) +
         millisecondsText(milliseconds % 1000);
}

std::string sqlSmallDateTimeText(uint16_t daysSince1900, uint16_t minutes) {
  const int64_t days = kDaysTo1900 + daysSince1900 + minutes / 1440;
  const int64_t minuteOfDay = minutes % 1440;
  return dayText(days) + "T" + clockText(minuteOfDay / 60, minuteOfDay % 60, 0);
}

bool xsdDateText(int64_t packed, std::string& text) {
  int64_t rest;
  if (!unpackKind(packed, 1, rest)) return false;
  const int zoneAdjustment = static_cast<int>(rest % 1740) - kMaxZoneMinutes;
  const PackedDate date = unpackDate(rest / 1740);
  // The stored adjustment is minutes to add to reach UTC, so a zone west of
  // UTC is positive.
  text = yearMonthDayText(date.year, date.month, date.day) + zoneText(-zoneAdjustment);
  return true;
}

bool xsdDateTimeText(int64_t packed, std::string& text) {
  int64_t rest;
  if (!unpackKind(packed, 2, rest)) return false;
  const int64_t milliseconds = rest % 1000;
  rest /= 1000;
  const int64_t seconds = rest % 60;
  rest /= 60;
  const int64_t minutes = rest % 60;
  rest /= 60;
  const int64_t hours = rest % 24;
  const PackedDate date = unpackDate(rest / 24);
  text = yearMonthDayText(date.year, date.month, date.day) + "T" + clockText(hours, minutes, seconds) +
         millisecondsText(milliseconds) + "Z";
  return true;
}

bool xsdTimeText(int64_t packed, std::string& text) {
  int64_t rest;
  if (!unpackKind(packed, 0, rest)) return false;
  const int64_t milliseconds = rest % 1000;
  rest /= 1000;
  const int64_t seconds = rest % 60;
  rest /= 60;
  const int64_t minutes = rest % 60;
  const int64_t hours = rest / 60;
  if (hours > 23) return false;
  text = clockText(hours, minutes, seconds) + millisecondsText(milliseconds) + "Z";
  return true;
}

std::string date2Text(int64_t days) { return dayText(days); }

std::string time2Text(int64_t ticks) { return tickClockText(ticks % kTicksPerDay); }

std::string dateTime2Text(int64_t days, int64_t ticks) {
  carryDays(days, ticks);
  return dayText(days) + "T" + tickClockText(ticks);
}

std::string dateTimeOffsetText(int64_t days, int64_t ticks, int zoneMinutes) {
  ticks += zoneMinutes * kTicksPerMinute;
  return dateTime2Text(days, ticks) + zoneText(zoneMinutes);
}

std::string timeOffsetText(int64_t ticks, int zoneMinutes) {
  int64_t days = 0;
  ticks += zoneMinutes * kTicksPerMinute;
  carryDays(days, ticks);
  return tickClockText(ticks) + zoneText(zoneMinutes);
}

std::string dateOffsetText(int64_t days, int64_t ticks, int zoneMinutes) {
  // Two readings exist of a zoned date: the date as stored with its time
  // ignored, or the UTC moment of local midnight, whose local date is the
  // one meant. A writer of the first kind leaves the time at zero, while a
  // local midnight has a zero UTC time only in zone Z, where both readings
  // agree; so a non-zero time tells the second kind apart.
  if (ticks != 0) {
    ticks += zoneMinutes * kTicksPerMinute;
    carryDays(days, ticks);
  }
  return dayText(days) + zoneText(zoneMinutes);
}

}  // namespace pellora::binxml
