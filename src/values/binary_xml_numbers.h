// Text forms of the numeric and binary atomic values of binary XML. They
// follow the maker's own reader where it renders a type, and the XML Schema
// lexical forms otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace pellora::binxml {

// Money types hold the value times 10000; the text has two to four decimals
// (10.3001, 10.00, -2.50).
std::string moneyText(int64_t tenThousandths);

// A decimal of the given scale from its unsigned little-endian magnitude
// (4, 8, 12 or 16 bytes). The digits are zero-padded to the scale (0.05);
// `trimFraction` drops trailing fractional zeros, as xs:decimal does
// (1.500 -> 1.5, 2.00 -> 2). Zero never gets a minus sign.
std::string decimalText(Bytes magnitude, unsigned scale, bool negative, bool trimFraction);

// The shortest text that reads back to the same value, in the form of .NET's
// XmlConvert: INF, -INF, NaN; plain digits for decimal exponents from -4 up
// to below 15 (7 for single precision), otherwise 1.5E+20 / 1E-07.
std::string doubleText(double value);
std::string floatText(float value);

// A GUID stored in Windows layout (three little-endian fields, then eight
// bytes as they are), as lower-case xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx.
// `raw` must hold 16 bytes.
std::string uuidText(Bytes raw);

std::string base64Text(Bytes raw);
std::string upperHexText(Bytes raw);

}  // namespace pellora::binxml
