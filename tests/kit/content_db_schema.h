// The SharePoint tables a synthetic content database holds, column by
// column in their physical order, for each product generation: the column
// sets of AllDocs, AllDocStreams, AllWebs (Webs up to 2007) and AllLists.
// Computed columns are left out: they are not stored in the rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellora::kit {

// Which generation the database looks like: the file format follows the SQL
// Server of the era (2000: version 539, 2005: 611, else 2008 R2: 661), the
// tables follow the SharePoint release.
enum class ContentLayout {
  k2005,  // SharePoint 2007 tables in a SQL Server 2005 file
  k2007,  // SharePoint 2007 tables: Webs is a table
  k2010,  // SharePoint 2010 tables: AllWebs, with a view Webs over it
  // The 2007 tables in a SQL Server 2000 file: the old catalog (sysobjects,
  // sysindexes, syscolumns), no max types (ntext and image instead, their
  // values on text pages behind text pointers).
  k2000,
};

enum class SqlType {
  kUniqueIdentifier,
  kNVarChar,  // length in characters; -1 for max
  kVarBinary, // length in bytes; -1 for max
  kVarChar,
  kInt,
  kTinyInt,
  kSmallInt,
  kBigInt,
  kBit,
  kDateTime,
  kFloat,
  kBinary,
  kImage,
  kNText,
};

// Alias types of the 2010 tables, resolved to their base type varbinary(max).
constexpr int32_t kCompressedBinaryType = 257;
constexpr int32_t kCompressedStringType = 258;

struct ContentColumn {
  std::string name;
  SqlType type = SqlType::kInt;
  int16_t length = 0;  // as declared: characters for nvarchar, bytes otherwise
  bool nullable = true;
  int32_t aliasTypeId = 0;  // 0: none
};

struct SqlTypeInfo {
  uint8_t systemTypeId;
  const char* name;
  int16_t fixedWidth;  // 0: the value lives in the variable part
  uint8_t precision;
  uint8_t scale;
  bool text;  // carries a collation
};

SqlTypeInfo sqlTypeInfo(SqlType type);
// The byte length syscolpars keeps: -1 for max, characters * 2 for nvarchar,
// 16 for the large-object types' text pointer.
int16_t storedMaxLength(const ContentColumn& column);

const char* websTableName(ContentLayout layout);
std::vector<ContentColumn> allDocsColumns(ContentLayout layout);
std::vector<ContentColumn> allDocStreamsColumns(ContentLayout layout);
std::vector<ContentColumn> websColumns(ContentLayout layout);
std::vector<ContentColumn> allListsColumns(ContentLayout layout);

}  // namespace pellora::kit
