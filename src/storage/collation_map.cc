#include "storage/collation_map.h"

#include <cstdio>
#include <limits>

namespace pellora {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int32_t clampToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

// Adds one line's entry when it has the three tab-separated columns.
void parseCollationLine(std::string_view line, CollationMap& map) {
  size_t firstTab = line.find('\t');
  if (firstTab == std::string_view::npos || firstTab + 1 == line.size()) return;
  std::string_view rest = line.substr(firstTab + 1);
  size_t secondTab = rest.find('\t');
  if (secondTab == std::string_view::npos) return;
  int64_t id = parseSignedDecimal(rest.substr(0, secondTab));
  int32_t codePage = clampToInt32(parseSignedDecimal(rest.substr(secondTab + 1)));
  map[id] = CollationEntry{std::string(line.substr(0, firstTab)), codePage};
}

}  // namespace

int64_t parseSignedDecimal(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && isBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  // Accumulate as a negative number: its range holds the magnitude of
  // int64 min, so both limits clamp without overflow.
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  for (; at < text.size() && isDigit(text[at]); ++at) {
    int digit = text[at] - '0';
    if (value < (kMin + digit) / 10) {
      value = kMin;
      break;
    }
    value = value * 10 - digit;
  }
  if (negative) return value;
  return value == kMin ? std::numeric_limits<int64_t>::max() : -value;
}

CollationMap parseCollationMap(std::string_view text) {
  CollationMap map;
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) parseCollationLine(line, map);
    lineStart = lineEnd + 1;
  }
  return map;
}

CollationMap loadCollationMap(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return CollationMap();
  std::string text;
  char buffer[16384];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
  std::fclose(file);
  return parseCollationMap(text);
}

std::optional<std::pair<int64_t, CollationEntry>> lookupCollation(const CollationMap& map,
                                                                  int32_t bootId,
                                                                  CollationChoice choice,
                                                                  int64_t manualId) {
  auto hit = [&map](int64_t key) -> std::optional<std::pair<int64_t, CollationEntry>> {
    auto found = map.find(key);
    if (found == map.end()) return std::nullopt;
    return *found;
  };
  if (choice == CollationChoice::kManual) return hit(manualId);
  if (auto exact = hit(bootId)) return exact;
  return hit(static_cast<int64_t>(static_cast<uint32_t>(bootId) & 0xFFFFu));
}

}  // namespace pellora
