// Display text of the stored money, decimal and floating-point types: plain
// digits with "." as the decimal point and an optional leading "-", the same
// in every locale. A value too short for its type gives the empty string.
#pragma once

#include <string>

#include "platform/bytes.h"

namespace pellora {

// 8 bytes: a signed 64-bit count of 1/10000 units. Always four decimals:
// "32.3800", "0.0123", "-0.0001".
std::string formatMoney(Bytes value);

// 4 bytes: a signed 32-bit count of 1/10000 units, written as formatMoney.
std::string formatSmallMoney(Bytes value);

// A sign byte (0 is negative), then the little-endian magnitude: 4 bytes for
// precision up to 9, 8 up to 19, 12 up to 28, 16 up to 38. The magnitude
// counts units of 10^-scale: 12345 at scale 2 is "123.45", 5 is "0.05".
// A magnitude with more digits than `precision` loses decimals from the end
// until it fits; when even its integer digits do not fit, or precision and
// scale are not 1 <= precision <= 38, 0 <= scale <= precision, the result
// is empty.
std::string formatDecimal(Bytes value, int precision, int scale);

// 8 bytes: an IEEE 754 double, to fifteen significant digits in fixed
// notation without trailing zeros: "0.1", "-123.456". Infinities and NaNs,
// which the type cannot hold, give the empty string.
std::string formatFloat(Bytes value);

// 4 bytes: an IEEE 754 single, to six significant digits in fixed notation
// without trailing zeros, as formatFloat. Never in exponent form.
std::string formatReal(Bytes value);

}  // namespace pellora
