// The tables and rows that a database's .sql script creates: the ground truth
// that exports of the real data files are compared with. Only what such
// scripts hold is understood: CREATE TABLE column lists and INSERT ... VALUES
// statements of literals.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellora::kit {

// One value of an INSERT statement's VALUES list.
struct SqlLiteral {
  enum class Kind {
    kNull,
    kString,      // '...' or N'...'
    kNumber,      // as written, with its sign: "-1.5", "18.00", "1E-05"
    kBinary,      // 0x...
    kExpression,  // anything else (a function call, a variable): not a known value
  };
  Kind kind = Kind::kNull;
  // kString: the characters between the quotes as UTF-8, '' turned into ';
  // kNumber: the number as written; kBinary: the hex digits in upper case,
  // without "0x"; kExpression: the tokens as written, joined by blanks.
  std::string text;
  bool unicode = false;  // the string had the N prefix
  // The target of CAST(value AS type), lower case and without blanks
  // ("datetime", "decimal(18,2)"); empty when the value was not cast.
  std::string castType;

  bool operator==(const SqlLiteral&) const = default;
};

struct SqlColumnDefinition {
  std::string name;
  std::string type;       // lower case: "nvarchar", "decimal"
  std::string arguments;  // between the type's parentheses, lower case, no blanks: "50", "max", "18,2"
};

struct SqlTableDefinition {
  std::string name;  // without schema and brackets
  std::vector<SqlColumnDefinition> columns;

  // Null when the table has no column of that name (names compare without case).
  const SqlColumnDefinition* column(std::string_view name) const;
};

struct SqlInsert {
  std::string table;                 // without schema and brackets
  std::vector<std::string> columns;  // as listed; empty when the statement lists none
  std::vector<SqlLiteral> values;
};

struct SqlScript {
  std::vector<SqlTableDefinition> tables;
  std::vector<SqlInsert> inserts;  // one per row: a VALUES list of several rows gives several

  // Null when the script creates no table of that name (compared without case).
  const SqlTableDefinition* table(std::string_view name) const;
};

// The script's bytes as UTF-8. UTF-16LE is recognised by its byte order mark or,
// without one, by zero bytes; text that is valid UTF-8 (ASCII included) stays
// as it is; anything else is Windows-1251. Byte order marks are dropped wherever
// they stand, as scripts joined from several files carry one per file.
std::string scriptTextAsUtf8(std::string_view bytes);

// Reads CREATE TABLE and INSERT statements; comments, other statements and the
// bodies of procedures, functions, triggers and views (up to the next GO) are
// passed over.
SqlScript parseSqlScript(std::string_view utf8);

// Reads and parses the script at `path`; an unreadable file gives an empty script.
SqlScript loadSqlScript(const std::string& path);

}  // namespace pellora::kit
