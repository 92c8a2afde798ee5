// One Pellora window per user session: a lock file in the user's runtime
// folder, named after the product's instance mark. The lock goes with the
// process, also when it crashes, so a stale lock never blocks a new start.
#pragma once

#include <memory>

#include <QString>

class QLockFile;

namespace pellora::ui {

class SingleInstance {
 public:
  // `folder` empty: the user's runtime folder.
  explicit SingleInstance(const QString& folder = {});
  ~SingleInstance();

  // True when this process now holds the mark; false when another holds it.
  bool claim();
  QString lockPath() const { return path_; }

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

inline constexpr const char* kInstanceMark = "Global\\{VANTORQTOOLSHAREPOINTREC.0_EXE_RUNNING1}";

// Claims the mark; when another instance holds it, tells the user so and
// returns false (the application then does not start).
bool startAsOnlyInstance(SingleInstance& instance);

}  // namespace pellora::ui
