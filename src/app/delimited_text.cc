#include "app/delimited_text.h"

namespace pellora {

std::string csvField(const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string tsvField(const std::string& value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '\t': escaped += "\\t"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case '\\': escaped += "\\\\"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string delimitedLine(const std::vector<std::string>& fields, TextFormat format) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += format == TextFormat::kCsv ? ',' : '\t';
    line += format == TextFormat::kCsv ? csvField(fields[i]) : tsvField(fields[i]);
  }
  line += format == TextFormat::kCsv ? "\r\n" : "\n";
  return line;
}

}  // namespace pellora
