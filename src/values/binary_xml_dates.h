// Text forms of the date and time atomic values of binary XML, in the ISO
// 8601 / XML Schema lexical forms. Days count from 0001-01-01 of the
// proleptic Gregorian calendar unless a function says otherwise; years
// outside 1..9999, which only damaged values give, are still written
// (with a minus sign before year 1).
#pragma once

#include <cstdint>
#include <string>

namespace pellora::binxml {

inline constexpr int64_t kTicksPerSecond = 10'000'000;  // 100 ns units
inline constexpr int64_t kTicksPerDay = 86'400 * kTicksPerSecond;
inline constexpr int kMaxZoneMinutes = 14 * 60;

// SQL datetime: days since 1900-01-01 and ticks of 1/300 s since midnight,
// as YYYY-MM-DDThh:mm:ss plus .fff when the milliseconds are not zero. Ticks
// round to the nearest millisecond (1080000 ticks -> 01:00:00).
std::string sqlDateTimeText(int32_t daysSince1900, uint32_t ticks300);
// SQL smalldatetime: days since 1900-01-01 and minutes since midnight, as
// YYYY-MM-DDThh:mm:00.
std::string sqlSmallDateTimeText(uint16_t daysSince1900, uint16_t minutes);

// The packed 64-bit XSD-DATE, XSD-DATETIME and XSD-TIME values: the low two
// bits give the kind (1 date, 2 dateTime, 0 time), the rest is a mixed-radix
// number whose day field runs 1..31 in every month, so an impossible date
// such as 02-31 can be stored and is written as stored. False when the value
// is negative, of another kind, or a time with an hour above 23.
bool xsdDateText(int64_t packed, std::string& text);      // YYYY-MM-DD + zone
bool xsdDateTimeText(int64_t packed, std::string& text);  // ...Thh:mm:ss[.fff]Z
bool xsdTimeText(int64_t packed, std::string& text);      // hh:mm:ss[.fff]Z

// Version-2 values, from days since 0001-01-01 and a time of day in 100 ns
// ticks; a time of a day or more carries into the date. Fractions keep up to
// seven digits without trailing zeros. Zones are minutes east of UTC
// (-840..840) and written Z when zero.
std::string date2Text(int64_t days);
std::string time2Text(int64_t ticks);
std::string dateTime2Text(int64_t days, int64_t ticks);
// Offset values store the UTC moment; the text shows local time and zone.
std::string dateTimeOffsetText(int64_t days, int64_t ticks, int zoneMinutes);
std::string timeOffsetText(int64_t ticks, int zoneMinutes);
std::string dateOffsetText(int64_t days, int64_t ticks, int zoneMinutes);

}  // namespace pellora::binxml
