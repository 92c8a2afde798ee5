// Display text of the stored date and time types. Day numbers count from
// 1900-01-01 (datetime, smalldatetime) or 0001-01-01 (date, datetime2,
// datetimeoffset) in the proleptic Gregorian calendar; the text is
// YYYY-MM-DD HH:MM:SS, the same in every locale.
//
// Each formatter takes the value's stored bytes. A value too short for its
// type, or one whose date or clock lies outside 0001-01-01 .. 9999-12-31 and
// 00:00:00 .. 23:59:59, gives the empty string.
#pragma once

#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace pellora {

struct CivilDate {
  int64_t year = 1;  // 0 and below before 0001-01-01
  int month = 1;     // 1 to 12
  int day = 1;       // 1 to 31
  int weekday = 1;   // 0 is Sunday
  int dayOfYear = 0;  // from 0
};

// The calendar date `daysAfterYearOne` days after 0001-01-01. Defined for
// every count: negative counts give the years before year 1 (year 0 is the
// year before 1); counts beyond +-2^48 are taken as that bound.
CivilDate civilFromDays(int64_t daysAfterYearOne);

// 8 bytes: signed 32-bit 1/300-second ticks after midnight, then signed
// 32-bit days after 1900-01-01. Fractions of a second are not shown, and a
// year before 1753, the first the type holds, is shown as 1753 (a 29 February
// as 28 February, 1753 having none).
std::string formatDateTime(Bytes value);

// 4 bytes: 16-bit minutes after midnight, then 16-bit days after 1900-01-01.
std::string formatSmallDateTime(Bytes value);

// 3 bytes: days after 0001-01-01. Gives YYYY-MM-DD.
std::string formatDate(Bytes value);

// 3 to 5 bytes counting units of 10^-scale seconds after midnight; the
// scale is 0 to 7. Gives HH:MM:SS, then "." and `scale` digits when the
// scale is not 0.
std::string formatTime(Bytes value, int scale);

// 6 to 8 bytes: the time as for formatTime in all but the last 3 bytes, then
// the 3-byte day after 0001-01-01.
std::string formatDateTime2(Bytes value, int scale);

// 8 to 10 bytes: a UTC time and day as for formatDateTime2, then a signed
// 16-bit offset in minutes. Gives the local date and time (UTC plus the
// offset), a blank and the offset as +H:MM or -H:MM.
std::string formatDateTimeOffset(Bytes value, int scale);

}  // namespace pellora
