// The collation map: collation id -> name and code page, loaded from
// collation.txt beside the executable. Each line of that file is
// "name<TAB>id<TAB>codepage" (CRLF line ends). The database's boot page gives
// a collation id; its code page decides how 8-bit text values are decoded.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace pellora {

struct CollationEntry {
  std::string name;
  int32_t codePage = 0;
};

using CollationMap = std::map<int64_t, CollationEntry>;

// The collation the open database turned out to use.
struct DatabaseCollation {
  bool resolved = false;
  int64_t id = 0;
  int32_t codePage = 0;
  std::string name;
};

enum class CollationChoice { kAuto, kManual };

// Leading blanks and one sign are accepted; reading stops at the first
// non-digit. Text without digits gives 0; values beyond int64 are clamped.
int64_t parseSignedDecimal(std::string_view text);

// Lines that do not hold two tabs are skipped; a later line with the same id
// replaces an earlier one.
CollationMap parseCollationMap(std::string_view text);

// A file that cannot be read gives an empty map.
CollationMap loadCollationMap(const std::string& path);

// kAuto looks up `bootId`, then its low 16 bits (the collation id without the
// version bits); kManual looks up `manualId`. Gives the key that hit.
std::optional<std::pair<int64_t, CollationEntry>> lookupCollation(const CollationMap& map,
                                                                  int32_t bootId,
                                                                  CollationChoice choice,
                                                                  int64_t manualId);

}  // namespace pellora
