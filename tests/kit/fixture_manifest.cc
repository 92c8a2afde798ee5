#include "kit/fixture_manifest.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#ifndef PELLORA_SHARED_DIR
#define PELLORA_SHARED_DIR "../shared"
#endif

namespace pellora::kit {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(line);
  while (std::getline(in, part, '\t')) parts.push_back(part);
  if (!line.empty() && line.back() == '\t') parts.emplace_back();
  return parts;
}

}  // namespace

const std::string& FixtureFile::field(const std::string& name) const {
  static const std::string none;
  auto it = fields.find(name);
  return it == fields.end() ? none : it->second;
}

bool FixtureFile::isPrimary() const { return field("version") != "-" && !field("version").empty(); }

std::string fixturesFolder() {
  std::string folder = std::string(PELLORA_SHARED_DIR) + "/fixtures";
  return std::filesystem::exists(folder + "/MANIFEST.tsv") ? folder : std::string();
}

std::vector<FixtureFile> loadFixtureManifest() {
  std::vector<FixtureFile> rows;
  std::string folder = fixturesFolder();
  if (folder.empty()) return rows;
  std::ifstream in(folder + "/MANIFEST.tsv");
  std::string line;
  if (!std::getline(in, line)) return rows;
  std::vector<std::string> header = splitTabs(line);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> values = splitTabs(line);
    FixtureFile row;
    for (size_t i = 0; i < header.size() && i < values.size(); ++i) row.fields[header[i]] = values[i];
    row.file = row.field("file");
    row.path = folder + "/" + row.file;
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace pellora::kit
