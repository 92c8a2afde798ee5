#include "values/value_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace pellora {
namespace {

using ByteVector = std::vector<uint8_t>;

// `value` as `width` little-endian bytes, zeros past its eighth.
ByteVector le(uint64_t value, size_t width) {
  ByteVector bytes;
  for (size_t i = 0; i < width; ++i) {
    bytes.push_back(i < 8 ? static_cast<uint8_t>(value >> (8 * i)) : 0);
  }
  return bytes;
}

ByteVector operator+(ByteVector a, const ByteVector& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

ByteVector dateTimeBytes(int32_t ticks, int32_t days) {
  return le(static_cast<uint32_t>(ticks), 4) + le(static_cast<uint32_t>(days), 4);
}

ByteVector doubleBytes(double x) { return le(std::bit_cast<uint64_t>(x), 8); }
ByteVector singleBytes(float x) { return le(std::bit_cast<uint32_t>(x), 4); }

// Day numbers after 0001-01-01 and after 1900-01-01 of a few dates.
constexpr int64_t kDay2000Jan1 = 730119;
constexpr int64_t kDay2000Feb29 = 730178;
constexpr int64_t kDay9999Dec31 = 3652058;
constexpr int32_t kDays1900To1996Jul4 = 35248;
constexpr int32_t kDays1900To1753Jan1 = -53690;
constexpr int32_t kDays1900To1700May10 = -72919;
constexpr int32_t kDays1900To1752Feb29 = -53997;
constexpr int32_t kDays1900To9999Dec31 = 2958463;

struct ValueCase {
  ByteVector bytes;
  std::string text;
};

// ---------------------------------------------------------------- calendar

struct CivilCase {
  int64_t days;
  int64_t year;
  int month;
  int day;
  int weekday;
  int dayOfYear;
};

TEST(CivilFromDaysTest, MapsDayNumbersToGregorianDates) {
  const std::vector<CivilCase> cases = {
      {0, 1, 1, 1, 1, 0},                    // a Monday
      {1460, 4, 12, 31, 5, 365},             // last day of a 4-year group
      {146096, 400, 12, 31, 0, 365},         // last day of a 400-year cycle
      {693595, 1900, 1, 1, 1, 0},
      {693654, 1900, 3, 1, 4, 59},           // 1900 has no 29 February
      {kDay2000Feb29, 2000, 2, 29, 2, 59},   // 2000 has one
      {728843, 1996, 7, 4, 4, 185},
      {kDay9999Dec31, 9999, 12, 31, 5, 364},
      {-1, 0, 12, 31, 0, 365},               // the day before, in leap year 0
  };
  for (const CivilCase& c : cases) {
    const CivilDate date = civilFromDays(c.days);
    EXPECT_EQ(date.year, c.year) << c.days;
    EXPECT_EQ(date.month, c.month) << c.days;
    EXPECT_EQ(date.day, c.day) << c.days;
    EXPECT_EQ(date.weekday, c.weekday) << c.days;
    EXPECT_EQ(date.dayOfYear, c.dayOfYear) << c.days;
  }
}

TEST(CivilFromDaysTest, EveryDayFollowsTheDayBefore) {
  // Walks a span with century and 400-year boundaries on both sides of 0.
  CivilDate previous = civilFromDays(-150000);
  for (int64_t n = -149999; n <= 150000; ++n) {
    const CivilDate date = civilFromDays(n);
    const bool newYear = date.month == 1 && date.day == 1;
    if (newYear) {
      EXPECT_EQ(date.year, previous.year + 1) << n;
      EXPECT_EQ(date.dayOfYear, 0) << n;
    } else {
      EXPECT_EQ(date.year, previous.year) << n;
      EXPECT_EQ(date.dayOfYear, previous.dayOfYear + 1) << n;
      const bool newMonth = date.day == 1;
      EXPECT_EQ(date.month, previous.month + (newMonth ? 1 : 0)) << n;
      if (!newMonth) {
        EXPECT_EQ(date.day, previous.day + 1) << n;
      }
    }
    EXPECT_EQ(date.weekday, (previous.weekday + 1) % 7) << n;
    previous = date;
  }
}

TEST(CivilFromDaysTest, ExtremeCountsStayDefined) {
  EXPECT_GT(civilFromDays(std::numeric_limits<int64_t>::max()).year, 9999);
  EXPECT_LT(civilFromDays(std::numeric_limits<int64_t>::min()).year, 0);
}

// ---------------------------------------------------------------- datetime

TEST(DateTimeFormatTest, DateTime) {
  const std::vector<ValueCase> cases = {
      {dateTimeBytes(0, 0), "1900-01-01 00:00:00"},
      {dateTimeBytes(0, kDays1900To1996Jul4), "1996-07-04 00:00:00"},  // Northwind order 10248
      {dateTimeBytes(25919999, 0), "1900-01-01 23:59:59"},
      {dateTimeBytes(299, 0), "1900-01-01 00:00:00"},  // fractions are cut, not rounded
      {dateTimeBytes(3661 * 300 + 299, 0), "1900-01-01 01:01:01"},
      {dateTimeBytes(0, kDays1900To1753Jan1), "1753-01-01 00:00:00"},
      {dateTimeBytes(0, kDays1900To9999Dec31), "9999-12-31 00:00:00"},
      // Before the type's first year: shown in 1753, still a real date.
      {dateTimeBytes(0, kDays1900To1700May10), "1753-05-10 00:00:00"},
      {dateTimeBytes(0, kDays1900To1752Feb29), "1753-02-28 00:00:00"},
      // Impossible clocks and dates.
      {dateTimeBytes(25920000, 0), ""},
      {dateTimeBytes(26000000, 0), ""},
      {dateTimeBytes(-1, 0), ""},
      {dateTimeBytes(std::numeric_limits<int32_t>::min(), 0), ""},
      {dateTimeBytes(0, kDays1900To9999Dec31 + 1), ""},
      {dateTimeBytes(0, -693596), ""},  // before 0001-01-01
      {dateTimeBytes(0, std::numeric_limits<int32_t>::max()), ""},
      {dateTimeBytes(0, std::numeric_limits<int32_t>::min()), ""},
      {ByteVector(7, 0), ""},
      {{}, ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatDateTime(c.bytes), c.text) << c.text;
}

TEST(DateTimeFormatTest, SmallDateTime) {
  const std::vector<ValueCase> cases = {
      {le(0, 2) + le(0, 2), "1900-01-01 00:00:00"},
      {le(61, 2) + le(kDays1900To1996Jul4, 2), "1996-07-04 01:01:00"},
      {le(1439, 2) + le(65535, 2), "2079-06-06 23:59:00"},
      {le(1440, 2) + le(0, 2), ""},
      {le(0xFFFF, 2) + le(0, 2), ""},
      {ByteVector(3, 0), ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatSmallDateTime(c.bytes), c.text) << c.text;
}

TEST(DateTimeFormatTest, Date) {
  const std::vector<ValueCase> cases = {
      {le(0, 3), "0001-01-01"},
      {le(kDay2000Feb29, 3), "2000-02-29"},
      {le(kDay9999Dec31, 3), "9999-12-31"},
      {le(kDay9999Dec31 + 1, 3), ""},
      {le(0xFFFFFF, 3), ""},
      {le(0, 2), ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatDate(c.bytes), c.text) << c.text;
}

struct ScaledCase {
  ByteVector bytes;
  int scale;
  std::string text;
};

TEST(DateTimeFormatTest, Time) {
  const std::vector<ScaledCase> cases = {
      {le(0, 3), 0, "00:00:00"},
      {le(86399, 3), 0, "23:59:59"},
      {le(1, 5), 7, "00:00:00.0000001"},
      {le(863999999999, 5), 7, "23:59:59.9999999"},
      {le(4529607, 3), 2, "12:34:56.07"},  // leading zeros of the fraction kept
      {le(45296789, 4), 3, "12:34:56.789"},
      // A count of a day or more is no time of day: nothing is shown of it.
      {le(86400000, 4), 3, ""},
      {le(86400, 3), 0, ""},
      {le(0xFFFFFFFFFF, 5), 7, ""},
      // Scales beyond 0-7 and widths beyond 3-5 bytes are not stored.
      {le(1, 5), 8, ""},
      {le(1, 5), -1, ""},
      {le(1, 2), 0, ""},
      {le(1, 6), 7, ""},
  };
  for (const ScaledCase& c : cases) {
    EXPECT_EQ(formatTime(c.bytes, c.scale), c.text) << c.text << " scale " << c.scale;
  }
}

TEST(DateTimeFormatTest, DateTime2) {
  const std::vector<ScaledCase> cases = {
      {le(0, 3) + le(0, 3), 0, "0001-01-01 00:00:00"},
      {le(86399, 3) + le(kDay2000Jan1, 3), 0, "2000-01-01 23:59:59"},
      {le(45296789, 4) + le(kDay2000Feb29, 3), 3, "2000-02-29 12:34:56.789"},
      // Eight bytes: the day number is in bytes 5-7.
      {le(1, 5) + le(kDay9999Dec31, 3), 7, "9999-12-31 00:00:00.0000001"},
      {le(863999999999, 5) + le(kDay2000Jan1, 3), 7, "2000-01-01 23:59:59.9999999"},
      {le(0, 5) + le(kDay9999Dec31 + 1, 3), 7, ""},
      {le(86400, 3) + le(0, 3), 0, ""},
      {le(864000000000, 5) + le(0, 3), 7, ""},
      {le(0, 2) + le(0, 3), 0, ""},
      {le(0, 6) + le(0, 3), 7, ""},
      {le(0, 5) + le(0, 3), 9, ""},
  };
  for (const ScaledCase& c : cases) {
    EXPECT_EQ(formatDateTime2(c.bytes, c.scale), c.text) << c.text << " scale " << c.scale;
  }
}

ByteVector offsetBytes(uint64_t time, size_t timeWidth, int64_t day, int16_t offsetMinutes) {
  return le(time, timeWidth) + le(static_cast<uint64_t>(day), 3) +
         le(static_cast<uint16_t>(offsetMinutes), 2);
}

TEST(DateTimeFormatTest, DateTimeOffsetShowsLocalTimeAndOffset) {
  const uint64_t threeAm = 3 * 3600;
  const std::vector<ScaledCase> cases = {
      {offsetBytes(0, 3, kDay2000Jan1, 330), 0, "2000-01-01 05:30:00 +5:30"},
      {offsetBytes(1, 5, kDay2000Jan1, 0), 7, "2000-01-01 00:00:00.0000001  +0:0"},
      {offsetBytes(45296123, 4, kDay2000Jan1, 65), 3, "2000-01-01 13:39:56.123  +1:5"},
      // A negative offset, taking the local time back across midnight.
      {offsetBytes(threeAm, 3, kDay2000Jan1, -480), 0, "1999-12-31 19:00:00 -8:0"},
      {offsetBytes(threeAm, 3, kDay2000Jan1, -90), 0, "2000-01-01 01:30:00 -1:30"},
      {offsetBytes(23 * 3600, 3, kDay2000Feb29 - 1, 120), 0, "2000-02-29 01:00:00 +2:0"},
      {offsetBytes(0, 3, kDay2000Jan1, 840), 0, "2000-01-01 14:00:00 +14:0"},
      {offsetBytes(0, 3, kDay2000Jan1, -840), 0, "1999-12-31 10:00:00 -14:0"},
      // Local times outside 0001-01-01 .. 9999-12-31.
      {offsetBytes(23 * 3600 + 1800, 3, kDay9999Dec31, 60), 0, ""},
      {offsetBytes(1800, 3, 0, -60), 0, ""},
      // Offsets the engine never stores, and damaged times and widths.
      {offsetBytes(0, 3, kDay2000Jan1, 841), 0, ""},
      {offsetBytes(0, 3, kDay2000Jan1, std::numeric_limits<int16_t>::min()), 0, ""},
      {offsetBytes(86400, 3, kDay2000Jan1, 0), 0, ""},
      {offsetBytes(0, 2, kDay2000Jan1, 0), 0, ""},
      {offsetBytes(0, 6, kDay2000Jan1, 0), 7, ""},
      {offsetBytes(0, 5, kDay2000Jan1, 0), 8, ""},
  };
  for (const ScaledCase& c : cases) {
    EXPECT_EQ(formatDateTimeOffset(c.bytes, c.scale), c.text) << c.text << " scale " << c.scale;
  }
}

// ---------------------------------------------------------------- money

TEST(NumberFormatTest, Money) {
  const std::vector<ValueCase> cases = {
      {{0xD8, 0xF0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}, "32.3800"},  // Northwind Freight
      {le(180000, 8), "18.0000"},
      {le(199900, 8), "19.9900"},  // pubs price
      {le(10000, 8), "1.0000"},
      {le(123, 8), "0.0123"},
      {le(0, 8), "0.0000"},
      {le(static_cast<uint64_t>(-1), 8), "-0.0001"},
      {le(static_cast<uint64_t>(-10000), 8), "-1.0000"},
      {le(0x7FFFFFFFFFFFFFFF, 8), "922337203685477.5807"},
      {le(0x8000000000000000, 8), "-922337203685477.5808"},
      {le(0, 7), ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatMoney(c.bytes), c.text) << c.text;
}

TEST(NumberFormatTest, SmallMoney) {
  const std::vector<ValueCase> cases = {
      {le(12345, 4), "1.2345"},
      {le(1, 4), "0.0001"},
      {le(0, 4), "0.0000"},
      {le(static_cast<uint32_t>(-750), 4), "-0.0750"},
      {le(static_cast<uint32_t>(-75000), 4), "-7.5000"},
      {le(0x7FFFFFFF, 4), "214748.3647"},
      {le(0x80000000, 4), "-214748.3648"},
      {le(0, 3), ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatSmallMoney(c.bytes), c.text) << c.text;
}

// ---------------------------------------------------------------- decimal

struct DecimalCase {
  ByteVector bytes;  // sign byte and magnitude
  int precision;
  int scale;
  std::string text;
};

ByteVector positive(const ByteVector& magnitude) { return ByteVector{1} + magnitude; }
ByteVector negative(const ByteVector& magnitude) { return ByteVector{0} + magnitude; }

TEST(NumberFormatTest, DecimalPlacesThePointByScale) {
  const std::vector<DecimalCase> cases = {
      {positive(le(12345, 4)), 5, 2, "123.45"},
      {negative(le(12345, 4)), 5, 2, "-123.45"},
      {{0x7F, 0x39, 0x30, 0, 0}, 5, 2, "123.45"},  // any sign byte but 0 is positive
      {positive(le(12, 4)), 5, 2, ".12"},
      {positive(le(5, 4)), 5, 2, "0.05"},
      {positive(le(5, 4)), 5, 3, "0.005"},
      {negative(le(5, 4)), 5, 3, "-0.005"},
      {positive(le(0, 4)), 5, 2, "0.00"},
      {negative(le(0, 4)), 5, 2, "0.00"},  // no negative zero
      {positive(le(0, 4)), 5, 0, "0"},
      {positive(le(99999, 4)), 5, 0, "99999"},
      {positive(le(12345, 4)), 5, 5, ".12345"},
      {positive(le(1999900, 8)), 19, 4, "199.9900"},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(formatDecimal(c.bytes, c.precision, c.scale), c.text)
        << c.text << " (" << c.precision << "," << c.scale << ")";
  }
}

TEST(NumberFormatTest, DecimalMagnitudeWidthFollowsPrecision) {
  const ByteVector all = positive(le(0xFFFFFFFFFFFFFFFF, 8) + le(0xFFFFFFFFFFFFFFFF, 8));
  const std::vector<DecimalCase> cases = {
      // Only the precision's bytes are read, whatever follows them.
      {positive(le(42, 4)) + le(0xFF, 1), 9, 0, "42"},
      {positive(le(42, 8)) + le(0xFF, 1), 19, 0, "42"},
      {positive(le(0, 8) + le(1, 4)) + le(0xFF, 1), 20, 0, "18446744073709551616"},
      {positive(le(0, 8) + le(1, 4)), 28, 0, "18446744073709551616"},
      {positive(le(0, 12) + le(1, 4)), 29, 0, "79228162514264337593543950336"},
      {positive(le(0x098A223FFFFFFFFF, 8) + le(0x4B3B4CA85A86C47A, 8)), 38, 0,
       "99999999999999999999999999999999999999"},
      {positive(le(1, 16)), 38, 38, "0.00000000000000000000000000000000000001"},
      // 2^128 - 1 has 39 digits, more than any precision.
      {all, 38, 0, ""},
      // Too few bytes for the precision.
      {positive(le(42, 4)), 10, 0, ""},
      {positive(le(42, 12)), 29, 0, ""},
      {{}, 5, 0, ""},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(formatDecimal(c.bytes, c.precision, c.scale), c.text)
        << c.text << " (" << c.precision << "," << c.scale << ")";
  }
}

TEST(NumberFormatTest, DecimalWiderThanPrecisionLosesDecimalsOrIsEmpty) {
  const std::vector<DecimalCase> cases = {
      {positive(le(123456, 4)), 5, 2, "1234.5"},
      {positive(le(1234567, 4)), 5, 2, "12345"},  // no point left behind
      {negative(le(1234567, 4)), 5, 2, "-12345"},
      {positive(le(12345678, 4)), 5, 2, ""},
      {positive(le(100000, 4)), 5, 0, ""},
      // Precision and scale the engine never declares.
      {positive(le(1, 4)), 0, 0, ""},
      {positive(le(1, 16)), 39, 0, ""},
      {positive(le(1, 4)), 5, -1, ""},
      {positive(le(1, 4)), 5, 6, ""},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(formatDecimal(c.bytes, c.precision, c.scale), c.text)
        << c.text << " (" << c.precision << "," << c.scale << ")";
  }
}

// ---------------------------------------------------------------- float, real

struct FloatCase {
  double value;
  std::string text;
};

TEST(NumberFormatTest, FloatToFifteenSignificantDigits) {
  const std::vector<FloatCase> cases = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {100.0, "100"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},
      {-123.456, "-123.456"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {123456789.123456789, "123456789.123457"},
      {0.00001, "0.00001"},
      {-1e-20, "-0.00000000000000000001"},
      {2e14, "200000000000000"},
      {1e15, "1000000000000000"},
      {1e16, "10000000000000000"},
      // Past fifteen integer digits every digit of the stored value shows.
      {1234567890123456.5, "1234567890123456.5"},
      {1.2345678901234567e20, "123456789012345667584"},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(formatFloat(doubleBytes(c.value)), c.text) << c.text;
}

TEST(NumberFormatTest, FloatExtremesAndDamage) {
  const std::string largest = formatFloat(doubleBytes(std::numeric_limits<double>::max()));
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
  const std::string smallest = formatFloat(doubleBytes(std::numeric_limits<double>::denorm_min()));
  EXPECT_EQ(smallest.substr(0, 5), "0.000");
  EXPECT_EQ(smallest.substr(smallest.size() - 15), "494065645841247");
  EXPECT_EQ(formatFloat(doubleBytes(-std::numeric_limits<double>::denorm_min())).front(), '-');

  EXPECT_EQ(formatFloat(doubleBytes(std::numeric_limits<double>::infinity())), "");
  EXPECT_EQ(formatFloat(doubleBytes(-std::numeric_limits<double>::infinity())), "");
  EXPECT_EQ(formatFloat(doubleBytes(std::numeric_limits<double>::quiet_NaN())), "");
  EXPECT_EQ(formatFloat(ByteVector(7, 0)), "");
}

TEST(NumberFormatTest, RealToSixSignificantDigitsWithoutExponent) {
  const std::vector<FloatCase> cases = {
      {0.0f, "0"},
      {0.1f, "0.1"},
      {-2.5f, "-2.5"},
      {3.14159265f, "3.14159"},
      {123456.7f, "123457"},
      {1234567.0f, "1234567"},
      {0.00001f, "0.00001"},
      {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440"},
  };
  for (const FloatCase& c : cases) {
    EXPECT_EQ(formatReal(singleBytes(static_cast<float>(c.value))), c.text) << c.text;
  }
  EXPECT_EQ(formatReal(singleBytes(std::numeric_limits<float>::infinity())), "");
  EXPECT_EQ(formatReal(singleBytes(std::numeric_limits<float>::quiet_NaN())), "");
  EXPECT_EQ(formatReal(ByteVector(3, 0)), "");
}

// ---------------------------------------------------------------- guid

TEST(ValueFormatTest, Guid) {
  const std::vector<ValueCase> cases = {
      {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE,
        0xFF},
       "33221100-5544-7766-8899-AABBCCDDEEFF"},
      {ByteVector(16, 0), "00000000-0000-0000-0000-000000000000"},
      {ByteVector(15, 0xAB), ""},
  };
  for (const ValueCase& c : cases) EXPECT_EQ(formatGuid(c.bytes), c.text) << c.text;
}

// ---------------------------------------------------------------- all formatters

// Every formatter once, over values whose text a locale could change: a
// decimal point, a thousands grouping, digits of a date.
std::vector<std::string> sampleTexts() {
  return {
      formatDateTime(dateTimeBytes(25919999, kDays1900To1996Jul4)),
      formatSmallDateTime(le(1439, 2) + le(65535, 2)),
      formatDate(le(kDay2000Feb29, 3)),
      formatTime(le(863999999999, 5), 7),
      formatDateTime2(le(45296789, 4) + le(kDay2000Feb29, 3), 3),
      formatDateTimeOffset(offsetBytes(0, 3, kDay2000Jan1, 330), 0),
      formatMoney(le(12345678901234, 8)),
      formatSmallMoney(le(static_cast<uint32_t>(-12345678), 4)),
      formatDecimal(positive(le(123456789, 4)), 9, 2),
      formatFloat(doubleBytes(-1234567.125)),
      formatReal(singleBytes(1234.5f)),
      formatGuid(ByteVector(16, 0x5A)),
  };
}

// Writes ',' as the decimal point and groups thousands with '.'.
class CommaDecimalPoint : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(ValueFormatTest, TextDoesNotDependOnTheLocale) {
  const std::vector<std::string> classic = sampleTexts();
  EXPECT_EQ(classic[9], "-1234567.125");
  EXPECT_EQ(classic[10], "1234.5");

  const std::string savedCLocale = std::setlocale(LC_ALL, nullptr);
  const std::locale savedLocale =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimalPoint));
  // A C locale with another decimal point as well, where one is installed.
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  }
  std::ostringstream probe;
  probe << 1234.5;
  const std::vector<std::string> localised = sampleTexts();
  std::locale::global(savedLocale);
  std::setlocale(LC_ALL, savedCLocale.c_str());

  ASSERT_EQ(probe.str(), "1.234,5");  // the locale was in force
  EXPECT_EQ(localised, classic);
}

// Damaged bytes of every length and pattern: each formatter returns printable
// ASCII or nothing. Run under the sanitizers this also shows that nothing is
// read past the value.
TEST(ValueFormatTest, DamagedBytesGiveTextOrNothing) {
  uint32_t seed = 12345;
  auto nextByte = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<uint8_t>(seed >> 16);
  };
  auto printable = [](const std::string& text) {
    for (char c : text) {
      if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
  };
  for (size_t length = 0; length <= 18; ++length) {
    for (int pattern = 0; pattern < 8; ++pattern) {
      ByteVector bytes(length);
      for (uint8_t& b : bytes) {
        b = pattern == 0 ? 0x00 : pattern == 1 ? 0xFF : pattern == 2 ? 0x80 : nextByte();
      }
      // An exact-size span, so that a read past it is one the sanitizer sees.
      const Bytes value(bytes.data(), bytes.size());
      std::vector<std::string> texts = {formatDateTime(value), formatSmallDateTime(value),
                                        formatDate(value),     formatMoney(value),
                                        formatSmallMoney(value), formatFloat(value),
                                        formatReal(value),     formatGuid(value)};
      for (int scale = -2; scale <= 40; ++scale) {
        texts.push_back(formatTime(value, scale));
        texts.push_back(formatDateTime2(value, scale));
        texts.push_back(formatDateTimeOffset(value, scale));
        for (int precision : {-1, 0, 1, 9, 10, 19, 20, 28, 29, 38, 39, 255}) {
          texts.push_back(formatDecimal(value, precision, scale));
        }
      }
      for (const std::string& text : texts) {
        EXPECT_TRUE(printable(text)) << "length " << length << " pattern " << pattern;
        EXPECT_LE(text.size(), 400u);
      }
    }
  }
}

}  // namespace
}  // namespace pellora
