// TempDir: a fresh folder under $TMPDIR (or /tmp), removed with everything in
// it when the object goes.
#pragma once

#include <string>

namespace pellora::kit {

// $TMPDIR when set and not empty, else /tmp.
std::string tempRoot();

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Empty when the folder could not be made.
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace pellora::kit
