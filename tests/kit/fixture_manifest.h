// The real data files of the shared fixtures folder and the facts that
// MANIFEST.tsv records about each. Tests over them skip when the folder is
// absent.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace pellora::kit {

struct FixtureFile {
  std::string file;  // name inside the fixtures folder
  std::string path;  // full path
  std::map<std::string, std::string> fields;  // column name -> value

  const std::string& field(const std::string& name) const;
  bool isPrimary() const;
};

// The fixtures folder ("" when the shared folder is absent).
std::string fixturesFolder();
// Every row of MANIFEST.tsv; empty when the folder is absent.
std::vector<FixtureFile> loadFixtureManifest();

}  // namespace pellora::kit
