// Writing rows as delimited text: CSV as RFC 4180 (fields quoted when they
// hold a comma, a quote or a line break; CRLF line ends) or TSV (tabs, line
// breaks and backslashes escaped with a backslash).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace pellora {

enum class TextFormat { kCsv, kTsv };

std::string csvField(const std::string& value);
std::string tsvField(const std::string& value);

// One line of `fields` in `format`, line end included.
std::string delimitedLine(const std::vector<std::string>& fields, TextFormat format);

}  // namespace pellora
