#include "values/binary_xml_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace pellora::binxml {

namespace {

// The magnitude of a signed value, correct for the most negative one too.
uint64_t magnitudeOf(int64_t value) {
  return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

// Up to 128 bits as four 32-bit limbs, least significant first.
using Limbs = std::array<uint32_t, 4>;

bool isZero(const Limbs& limbs) {
  return limbs[0] == 0 && limbs[1] == 0 && limbs[2] == 0 && limbs[3] == 0;
}

// Divides in place by 10 and returns the remainder.
unsigned divideByTen(Limbs& limbs) {
  uint64_t remainder = 0;
  for (size_t i = limbs.size(); i-- > 0;) {
    const uint64_t current = (remainder << 32) | limbs[i];
    limbs[i] = static_cast<uint32_t>(current / 10);
    remainder = current % 10;
  }
  return static_cast<unsigned>(remainder);
}

std::string decimalDigits(Bytes magnitude) {
  Limbs limbs{};
  for (size_t i = 0; i < magnitude.size() && i < 16; ++i) {
    limbs[i / 4] |= static_cast<uint32_t>(magnitude[i]) << (8 * (i % 4));
  }
  std::string reversed;
  do {
    reversed.push_back(static_cast<char>('0' + divideByTen(limbs)));
  } while (!isZero(limbs));
  return std::string(reversed.rbegin(), reversed.rend());
}

// Splits the shortest scientific form "d.ddde+XX" into its digits and the
// decimal exponent of the first digit.
void shortestDigits(std::string_view scientific, std::string& digits, int& exponent) {
  const size_t e = scientific.find('e');
  digits.clear();
  for (char c : scientific.substr(0, e)) {
    if (c != '.') digits.push_back(c);
  }
  exponent = 0;
  std::string_view exponentText = scientific.substr(e + 1);
  if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
}

std::string positionalText(const std::string& digits, int exponent) {
  if (exponent < 0) return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  const size_t integerDigits = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) return digits + std::string(integerDigits - digits.size(), '0');
  return digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

std::string exponentText(const std::string& digits, int exponent) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  text += exponent < 0 ? "E-" : "E+";
  const std::string magnitude = std::to_string(std::abs(exponent));
  if (magnitude.size() < 2) text += '0';
  return text + magnitude;
}

template <typename Float>
std::string floatingText(Float value, int positionalLimit) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
  std::string sign;
  if (!scientific.empty() && scientific[0] == '-') {
    sign = "-";
    scientific.remove_prefix(1);
  }
  std::string digits;
  int exponent;
  shortestDigits(scientific, digits, exponent);
  if (exponent >= -4 && exponent < positionalLimit) return sign + positionalText(digits, exponent);
  return sign + exponentText(digits, exponent);
}

}  // namespace

std::string moneyText(int64_t tenThousandths) {
  const uint64_t magnitude = magnitudeOf(tenThousandths);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
  const std::string sign = tenThousandths < 0 ? "-" : "";
  return sign + std::to_string(magnitude / 10000) + "." + fraction;
}

std::string decimalText(Bytes magnitude, unsigned scale, bool negative, bool trimFraction) {
  std::string digits = decimalDigits(magnitude);
  const bool zero = digits == "0";
  if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
  std::string text = digits;
  if (scale > 0) {
    const size_t point = digits.size() - scale;
    std::string fraction = digits.substr(point);
    if (trimFraction) {
      while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    }
    text = digits.substr(0, point);
    if (!fraction.empty()) text += "." + fraction;
  }
  return negative && !zero ? "-" + text : text;
}

std::string doubleText(double value) { return floatingText(value, 15); }

std::string floatText(float value) { return floatingText(value, 7); }

std::string uuidText(Bytes raw) {
  static const char kHex[] = "0123456789abcdef";
  // Byte order of the text: the three leading fields are little-endian.
  static const int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::string text;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    const uint8_t byte = raw[static_cast<size_t>(kOrder[i])];
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

std::string base64Text(Bytes raw) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((raw.size() + 2) / 3 * 4);
  for (size_t i = 0; i < raw.size(); i += 3) {
    const size_t count = std::min<size_t>(3, raw.size() - i);
    uint32_t group = static_cast<uint32_t>(raw[i]) << 16;
    if (count > 1) group |= static_cast<uint32_t>(raw[i + 1]) << 8;
    if (count > 2) group |= raw[i + 2];
    text += kAlphabet[(group >> 18) & 0x3F];
    text += kAlphabet[(group >> 12) & 0x3F];
    text += count > 1 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    text += count > 2 ? kAlphabet[group & 0x3F] : '=';
  }
  return text;
}

std::string upperHexText(Bytes raw) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(raw.size() * 2);
  for (uint8_t byte : raw) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}

}  // namespace pellora::binxml
