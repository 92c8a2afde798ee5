// The boot page: SQL Server version, database name and collation of the
// database as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "storage/collation_map.h"
#include "storage/page_id.h"

namespace pellora {

class DatabaseFile;

// The caption of a boot-page version number, " SQL Server 2008 R2" and the
// like, or "Unknown SQL Version".
std::string versionCaption(uint16_t versionNumber);

// The boot record's fields, parsed from the bytes of the page. The buffer is
// not kept.
class CBootPage {
 public:
  CBootPage(Bytes page, const CollationMap& collations, CollationChoice choice, int64_t manualId);

  uint16_t versionNumber = 0;
  uint16_t createVersion = 0;
  std::string databaseName;
  PageId pageId;
  uint32_t value132 = 0, value136 = 0, value412 = 0, value416 = 0;
  uint16_t value408 = 0;
  int64_t collationId = 0;  // the id looked up last
  std::optional<DatabaseCollation> collation;  // set on a hit
};

// The database name rule: the low byte of each UTF-16 unit up to the first
// zero, in the ANSI code page, cut before the first blank after the first
// character.
std::string bootDatabaseName(Bytes nameUnits);

struct BootPageResult {
  bool read = false;
  uint16_t versionNumber = 0;
  std::string versionText;
  std::string databaseName;
  std::optional<DatabaseCollation> collation;
};

// Finds the boot page through the page shift of the system pages, reads it and
// sets the file's database name.
BootPageResult readBootPage(DatabaseFile& file, const CollationMap& collations,
                            CollationChoice choice, int64_t manualId);

}  // namespace pellora
