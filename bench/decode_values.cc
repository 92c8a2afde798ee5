// Values per second of the type decoders for int, datetime, decimal,
// nvarchar and varchar columns, each against a plain pass over the same
// bytes. The values are laid out back to back in memory as a record's
// columns would be; best of 5 runs.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "storage/collation_map.h"
#include "values/value_decoder.h"

namespace {

using pellora::Bytes;
using pellora::ColumnType;
using pellora::TypeCode;

constexpr size_t kValues = 1'000'000;

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Sample {
  const char* name;
  ColumnType column;
  size_t width;  // bytes per value
  std::vector<uint8_t> bytes;
};

ColumnType columnOf(TypeCode code, int32_t byteLength, uint8_t precision = 0, uint8_t scale = 0) {
  ColumnType column;
  column.typeCode = code;
  column.byteLength = byteLength;
  column.declaredLength = static_cast<int16_t>(byteLength);
  column.precision = precision;
  column.scale = scale;
  column.collationId = 872468488;  // Latin1_General_CI_AS
  column.variableLength = code == TypeCode::kNVarChar || code == TypeCode::kVarChar;
  return column;
}

// Random but valid values: dates within the type's range, decimals that fit
// their precision, text of letters.
std::vector<uint8_t> valuesOf(TypeCode code, size_t width, std::mt19937& random) {
  std::vector<uint8_t> bytes(kValues * width);
  for (size_t i = 0; i < kValues; ++i) {
    uint8_t* value = bytes.data() + i * width;
    uint32_t r = random();
    switch (code) {
      case TypeCode::kDateTime: {
        uint32_t ticks = r % 25'920'000, days = 30000 + r % 20000;
        for (int b = 0; b < 4; ++b) value[b] = static_cast<uint8_t>(ticks >> (8 * b));
        for (int b = 0; b < 4; ++b) value[4 + b] = static_cast<uint8_t>(days >> (8 * b));
        break;
      }
      case TypeCode::kDecimal:
        value[0] = r & 1;
        for (size_t b = 1; b < 5; ++b) value[b] = static_cast<uint8_t>(random() >> 8);
        value[4] &= 0x3F;  // below 10^9, the magnitude of precision 9
        break;
      case TypeCode::kNVarChar:
        for (size_t b = 0; b < width; b += 2) value[b] = static_cast<uint8_t>('a' + random() % 26);
        break;
      case TypeCode::kVarChar:
        for (size_t b = 0; b < width; ++b) value[b] = static_cast<uint8_t>('a' + random() % 26);
        break;
      default:
        for (size_t b = 0; b < width; ++b) value[b] = static_cast<uint8_t>(r >> (8 * (b % 4)));
    }
  }
  return bytes;
}

double decodeAll(const Sample& sample, const pellora::CollationContext& collation, size_t& characters) {
  auto start = std::chrono::steady_clock::now();
  characters = 0;
  for (size_t i = 0; i < kValues; ++i) {
    pellora::ValueDescriptor descriptor = pellora::describeValue(sample.column, sample.column.typeCode, nullptr);
    if (descriptor.variable) descriptor.readLength = static_cast<int16_t>(sample.width);
    Bytes value(sample.bytes.data() + i * sample.width, sample.width);
    characters += pellora::decodeValue(descriptor, value, sample.column, collation).size();
  }
  return seconds(start);
}

double plainPass(const Sample& sample, size_t& sum) {
  auto start = std::chrono::steady_clock::now();
  sum = 0;
  for (size_t i = 0; i < kValues; ++i) {
    std::string copy(reinterpret_cast<const char*>(sample.bytes.data() + i * sample.width), sample.width);
    sum += static_cast<uint8_t>(copy[0]) + copy.size();
  }
  return seconds(start);
}

}  // namespace

int main() {
  std::mt19937 random(7);
  std::vector<Sample> samples = {
      {"int", columnOf(TypeCode::kInt, 4), 4, {}},
      {"datetime", columnOf(TypeCode::kDateTime, 8), 8, {}},
      {"decimal(9,2)", columnOf(TypeCode::kDecimal, 5, 9, 2), 5, {}},
      {"nvarchar(20 chars)", columnOf(TypeCode::kNVarChar, 40), 40, {}},
      {"varchar(20 chars)", columnOf(TypeCode::kVarChar, 20), 20, {}},
  };
  pellora::CollationMap collations;
  collations[872468488] = pellora::CollationEntry{"Latin1_General_CI_AS", 1252};
  pellora::DatabaseCollation database{true, 872468488, 1252, "Latin1_General_CI_AS"};
  pellora::CollationContext collation{&collations, &database, true};

  std::printf("%-20s %14s %12s %12s %7s\n", "column", "values/s", "decode s", "plain s", "ratio");
  for (Sample& sample : samples) {
    sample.bytes = valuesOf(sample.column.typeCode, sample.width, random);
    double bestDecode = 1e9, bestPlain = 1e9;
    size_t characters = 0, sum = 0;
    for (int run = 0; run < 5; ++run) {
      bestDecode = std::min(bestDecode, decodeAll(sample, collation, characters));
      bestPlain = std::min(bestPlain, plainPass(sample, sum));
    }
    std::printf("%-20s %14.0f %12.4f %12.4f %7.2f%s\n", sample.name, kValues / bestDecode, bestDecode, bestPlain,
                bestDecode / bestPlain, characters == 0 || sum == 0 ? "  (no output!)" : "");
  }
  return 0;
}
