#include "values/number_format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace pellora {
namespace {

constexpr uint64_t kMoneyUnitsPerWhole = 10000;
constexpr int kMoneyDecimals = 4;
constexpr int kMaxDecimalPrecision = 38;
// 2^128 - 1, the widest magnitude, has 39 digits.
constexpr size_t kMaxMagnitudeDigits = 39;
constexpr int kFloatSignificantDigits = 15;
constexpr int kRealSignificantDigits = 6;
// Decimals printed for a value with more integer digits than significant
// digits; only magnitudes below 2^53 (or 2^24 for a real) have any to show.
constexpr int kDecimalsOfLargeValues = 6;

// Money and smallmoney: an integer count of 1/10000 units.
std::string moneyText(int64_t units) {
  const bool negative = units < 0;
  // Unsigned, so that the most negative count has a magnitude too.
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
  std::array<char, 32> buffer{};
  char* at = buffer.data();
  if (negative) *at++ = '-';
  at = std::to_chars(at, buffer.data() + buffer.size(), magnitude / kMoneyUnitsPerWhole).ptr;
  *at++ = '.';
  uint64_t fraction = magnitude % kMoneyUnitsPerWhole;
  for (int i = kMoneyDecimals - 1; i >= 0; --i) {
    at[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  at += kMoneyDecimals;
  return std::string(buffer.data(), at);
}

size_t decimalMagnitudeWidth(int precision) {
  if (precision <= 9) return 4;
  if (precision <= 19) return 8;
  if (precision <= 28) return 12;
  return 16;
}

// The decimal digits of a little-endian magnitude of up to 16 bytes, most
// significant first, by long division of its 32-bit limbs. Zero is "0".
size_t magnitudeDigits(Bytes magnitude, std::array<char, kMaxMagnitudeDigits>& digits) {
  std::array<uint32_t, 4> limbs{};  // least significant first
  for (size_t i = 0; i < limbs.size(); ++i) limbs[i] = u32At(magnitude, 4 * i);
  std::array<char, kMaxMagnitudeDigits> fromRight{};
  size_t count = 0;
  bool more = true;
  while (more && count < fromRight.size()) {
    uint64_t remainder = 0;
    more = false;
    for (size_t i = limbs.size(); i-- > 0;) {
      const uint64_t current = (remainder << 32) | limbs[i];
      limbs[i] = static_cast<uint32_t>(current / 10);
      remainder = current % 10;
      more = more || limbs[i] != 0;
    }
    fromRight[count++] = static_cast<char>('0' + remainder);
  }
  for (size_t i = 0; i < count; ++i) digits[i] = fromRight[count - 1 - i];
  return count;
}

// `x` rounded to about `significantDigits` significant digits in fixed
// notation, without trailing zeros or a trailing point.
std::string fixedSignificant(double x, int significantDigits) {
  if (!std::isfinite(x)) return {};
  if (x == 0) return "0";
  const double integerDigits = std::ceil(std::log10(std::fabs(x)));
  int decimals = significantDigits - static_cast<int>(integerDigits);
  if (decimals < 0) decimals = kDecimalsOfLargeValues;
  // The longest text, that of the smallest subnormal double, has 341
  // characters; the largest double has 309 integer digits.
  std::array<char, 512> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return {};
  std::string_view text(buffer.data(), static_cast<size_t>(end - buffer.data()));
  if (text.find('.') != std::string_view::npos) {
    text.remove_suffix(text.size() - 1 - text.find_last_not_of('0'));
    if (text.back() == '.') text.remove_suffix(1);
  }
  return std::string(text);
}

}  // namespace

std::string formatMoney(Bytes value) {
  if (value.size() < 8) return {};
  return moneyText(static_cast<int64_t>(u64At(value, 0)));
}

std::string formatSmallMoney(Bytes value) {
  if (value.size() < 4) return {};
  return moneyText(s32At(value, 0));
}

std::string formatDecimal(Bytes value, int precision, int scale) {
  if (precision < 1 || precision > kMaxDecimalPrecision || scale < 0 || scale > precision) {
    return {};
  }
  const size_t width = decimalMagnitudeWidth(precision);
  if (value.size() < 1 + width) return {};
  const bool negative = value[0] == 0;
  std::array<char, kMaxMagnitudeDigits> digits{};
  size_t count = magnitudeDigits(value.subspan(1, width), digits);

  // A magnitude wider than its precision cannot have been written by the
  // engine; it keeps its integer digits and as many decimals as still fit.
  const size_t limit = static_cast<size_t>(precision);
  size_t decimals = static_cast<size_t>(scale);
  while (count > limit && decimals > 0) {
    --count;
    --decimals;
  }
  if (count > limit) return {};

  const bool zero = count == 1 && digits[0] == '0';
  std::array<char, kMaxMagnitudeDigits + 4> text{};
  char* at = text.data();
  if (negative && !zero) *at++ = '-';
  if (count == decimals) {
    // As many digits as the scale: the text starts at the point (".12").
    *at++ = '.';
    for (size_t i = 0; i < count; ++i) *at++ = digits[i];
  } else if (count < decimals) {
    *at++ = '0';
    *at++ = '.';
    for (size_t i = count; i < decimals; ++i) *at++ = '0';
    for (size_t i = 0; i < count; ++i) *at++ = digits[i];
  } else {
    const size_t integerDigits = count - decimals;
    for (size_t i = 0; i < integerDigits; ++i) *at++ = digits[i];
    if (decimals > 0) *at++ = '.';
    for (size_t i = integerDigits; i < count; ++i) *at++ = digits[i];
  }
  return std::string(text.data(), at);
}

std::string formatFloat(Bytes value) {
  if (value.size() < 8) return {};
  return fixedSignificant(std::bit_cast<double>(u64At(value, 0)), kFloatSignificantDigits);
}

std::string formatReal(Bytes value) {
  if (value.size() < 4) return {};
  const float single = std::bit_cast<float>(u32At(value, 0));
  return fixedSignificant(static_cast<double>(single), kRealSignificantDigits);
}

}  // namespace pellora
