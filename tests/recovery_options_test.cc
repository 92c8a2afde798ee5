#include "app/recovery_options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pellora {
namespace {

constexpr const char* kBadDataFile =
    "Please select valid SQL file path to continue the recovery process.";
constexpr const char* kBadLogFolder =
    "Please select valid Log file path to continue the recovery process.";

TEST(RecoveryOptionsTest, DefaultsAreCompletedRecoveryWithAutomaticCollation) {
  RecoveryOptions options;
  EXPECT_EQ(options.dataFilePath, "");
  EXPECT_EQ(options.logFolder, "");
  EXPECT_EQ(options.recoveryOption, RecoveryOptions::kCompletedDatabaseRecovery);
  EXPECT_EQ(options.mode, 0);
  EXPECT_FALSE(options.advancedMode());
  EXPECT_FALSE(options.isSql2000);
  EXPECT_FALSE(options.showDeleted);
  EXPECT_FALSE(options.showAdvancedDeleted);
  EXPECT_TRUE(options.collationAutoDetect);
  EXPECT_EQ(options.manualCollationId, 0);
}

TEST(RecoveryOptionsTest, OnlyModeTwoIsAdvanced) {
  RecoveryOptions options;
  for (int mode : {0, 1, 3}) {
    options.mode = mode;
    EXPECT_FALSE(options.advancedMode()) << mode;
  }
  options.mode = RecoveryOptions::kAdvancedMode;
  EXPECT_TRUE(options.advancedMode());
}

class ValidateOpenOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pellora_options_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    for (const char* name : {"wss_content.MDF.old", "data.mdf", "data.ndf", "notes.txt"}) {
      std::ofstream(root_ + "/" + name) << "x";
    }
    std::filesystem::create_directory(root_ + "/folder.mdf");
    std::filesystem::create_directory(root_ + "/logs");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string root_;
};

TEST_F(ValidateOpenOptionsTest, DataFileMustExistAndMentionMdf) {
  struct Case {
    std::string path;
    bool ok;
  };
  const std::vector<Case> cases = {
      {root_ + "/wss_content.MDF.old", true},
      {root_ + "/data.mdf", true},
      {root_ + "/data.ndf", false},
      {root_ + "/notes.txt", false},
      {root_ + "/missing.mdf", false},
      {root_ + "/folder.mdf", false},  // not a file
      {"", false},
  };
  for (const Case& c : cases) {
    OptionsCheck check = validateOpenOptions(c.path, root_ + "/logs/");
    EXPECT_EQ(check.ok, c.ok) << c.path;
    EXPECT_EQ(check.message, c.ok ? "" : kBadDataFile) << c.path;
  }
}

TEST_F(ValidateOpenOptionsTest, DataFileIsCheckedBeforeLogFolder) {
  OptionsCheck check = validateOpenOptions(root_ + "/missing.mdf", root_ + "/missing/");
  EXPECT_EQ(check.message, kBadDataFile);
}

TEST_F(ValidateOpenOptionsTest, LogFolderMustExistAndGetsTrailingSeparator) {
  struct Case {
    std::string folder;
    bool ok;
    std::string normalised;
  };
  const std::vector<Case> cases = {
      {root_ + "/logs", true, root_ + "/logs/"},
      {root_ + "/logs/", true, root_ + "/logs/"},
      {root_ + "\\logs\\", true, root_ + "\\logs\\"},
      {root_ + "/missing", false, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    OptionsCheck check = validateOpenOptions(root_ + "/data.mdf", c.folder);
    EXPECT_EQ(check.ok, c.ok) << c.folder;
    EXPECT_EQ(check.logFolder, c.normalised) << c.folder;
    EXPECT_EQ(check.message, c.ok ? "" : kBadLogFolder) << c.folder;
  }
}

TEST_F(ValidateOpenOptionsTest, WindowsSeparatorsInDataPathAreAccepted) {
  std::string windowsStyle = root_ + "\\data.mdf";
  EXPECT_TRUE(validateOpenOptions(windowsStyle, root_ + "/logs").ok);
}

}  // namespace
}  // namespace pellora
