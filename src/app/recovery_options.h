// What the user chose in the open dialog, and the check of that choice that
// both front ends run when the dialog is confirmed.
#pragma once

#include <cstdint>
#include <string>

namespace pellora {

struct RecoveryOptions {
  static constexpr int kCompletedDatabaseRecovery = 1;
  static constexpr int kDocumentRecovery = 2;
  static constexpr int kStandardMode = 1;
  static constexpr int kAdvancedMode = 2;

  std::string dataFilePath;
  // Ends in a separator once set.
  std::string logFolder;
  int recoveryOption = kCompletedDatabaseRecovery;
  // 0 means no choice was made, which reads as Standard.
  int mode = 0;
  bool isSql2000 = false;
  bool showDeleted = false;
  bool showAdvancedDeleted = false;
  bool collationAutoDetect = true;
  int64_t manualCollationId = 0;

  bool advancedMode() const { return mode == kAdvancedMode; }
};

struct OptionsCheck {
  bool ok = false;
  // On success: the log folder, ending in a separator.
  std::string logFolder;
  // On failure: the text to show the user.
  std::string message;
};

// The data file must exist and have ".MDF" (any letter case) in its path; the
// log folder must exist.
OptionsCheck validateOpenOptions(const std::string& path, const std::string& logFolder);

}  // namespace pellora
