#include "app/process_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pellora {
namespace {

std::tm timeOf(int day, int month, int year, int hour, int minute, int second) {
  std::tm t{};
  t.tm_mday = day;
  t.tm_mon = month - 1;
  t.tm_year = year - 1900;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

// UTF-16LE bytes of `units`, written out here independently of the log.
std::string le(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

const std::string kBom = "\xFF\xFE";
const std::string kSeparator =
    le(u"\r\n" + std::u16string(80, u'*') + u"\r\n");

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ProcessLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pellora_log_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = std::string(pattern) + "/";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  const std::tm runTime_ = timeOf(9, 3, 2026, 7, 5, 3);
  std::string folder_;
  ProcessLog log_;
};

TEST(RunLogFileNameTest, NumbersHaveNoLeadingZeros) {
  EXPECT_EQ(runLogFileName(timeOf(9, 3, 2026, 7, 5, 3)),
            "VantorqSharepointDatabaseRec_log_9-3-2026-7-5-3.txt");
  EXPECT_EQ(runLogFileName(timeOf(31, 12, 1999, 23, 59, 0)),
            "VantorqSharepointDatabaseRec_log_31-12-1999-23-59-0.txt");
}

TEST_F(ProcessLogTest, StartsWithStartupRowThatNoFileGets) {
  EXPECT_EQ(log_.logLineCount(), 1);
  EXPECT_EQ(log_.paneLines(), std::vector<std::string>{"application starts"});
  ASSERT_TRUE(log_.startRunFile(folder_, runTime_));
  EXPECT_EQ(log_.logLineCount(), 1);  // the separator is not a pane row
  EXPECT_EQ(readBytes(log_.logFilePath()), kBom + kSeparator);
}

TEST_F(ProcessLogTest, NewFileHoldsMarkSeparatorAndLines) {
  ASSERT_TRUE(log_.startRunFile(folder_, runTime_));
  EXPECT_EQ(log_.logFilePath(), folder_ + "VantorqSharepointDatabaseRec_log_9-3-2026-7-5-3.txt");
  log_.append("Scan starts");
  log_.append("");
  // Written straight through: readable while the file is still open.
  EXPECT_EQ(readBytes(log_.logFilePath()), kBom + kSeparator + le(u"Scan starts\r\n\r\n"));
  EXPECT_EQ(log_.logLineCount(), 3);
  EXPECT_EQ(log_.paneLines()[1], "Scan starts");
  EXPECT_EQ(log_.paneLines()[2], "");
}

TEST_F(ProcessLogTest, SecondRunInSameSecondAppends) {
  ASSERT_TRUE(log_.startRunFile(folder_, runTime_));
  log_.append("first");
  ASSERT_TRUE(log_.startRunFile(folder_, runTime_));
  log_.append("second");
  log_.close();
  EXPECT_EQ(readBytes(folder_ + "VantorqSharepointDatabaseRec_log_9-3-2026-7-5-3.txt"),
            kBom + kSeparator + le(u"first\r\n") + kSeparator + le(u"second\r\n"));

  // Another log object (a later start of the program) appends likewise.
  ProcessLog later;
  ASSERT_TRUE(later.startRunFile(folder_, runTime_));
  EXPECT_EQ(readBytes(later.logFilePath()),
            kBom + kSeparator + le(u"first\r\n") + kSeparator + le(u"second\r\n") + kSeparator);
}

TEST_F(ProcessLogTest, TextIsWrittenAsUtf16) {
  ASSERT_TRUE(log_.startRunFile(folder_, runTime_));
  log_.append("ends in CRLF\r\n");
  log_.append("caf\u00E9 \u20AC \U0001F600");
  EXPECT_EQ(readBytes(log_.logFilePath()),
            kBom + kSeparator + le(u"ends in CRLF\r\n\r\n") +
                le(u"caf\u00E9 \u20AC \U0001F600\r\n"));
  EXPECT_EQ(log_.paneLines()[2], "caf\u00E9 \u20AC \U0001F600");
}

TEST_F(ProcessLogTest, FolderMayUseBackslashes) {
  std::string windowsStyle = folder_;
  for (char& c : windowsStyle) {
    if (c == '/') c = '\\';
  }
  ASSERT_TRUE(log_.startRunFile(windowsStyle, runTime_));
  log_.close();
  EXPECT_TRUE(std::filesystem::exists(folder_ + runLogFileName(runTime_)));
}

TEST_F(ProcessLogTest, ObserverSeesEachPaneRow) {
  std::vector<std::string> seen;
  log_.setOnLine([&seen](const std::string& line) { seen.push_back(line); });
  log_.append("one");
  log_.append("two");
  EXPECT_EQ(seen, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(log_.paneLines().size(), 3u);
}

TEST_F(ProcessLogTest, UnwritableFileIsReportedOnceAndPaneGoesOn) {
  std::ofstream(folder_ + "plain_file") << "x";
  std::vector<std::string> badFolders = {
      folder_ + "missing/",
      folder_ + "plain_file/",  // a file where a folder should be
  };
  // Permissions do not stop root, so the read-only case needs another user.
  if (geteuid() != 0) {
    std::filesystem::create_directory(folder_ + "read_only");
    std::filesystem::permissions(folder_ + "read_only", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
    badFolders.push_back(folder_ + "read_only/");
  }
  for (const std::string& badFolder : badFolders) {
    ProcessLog log;
    std::vector<std::string> errors;
    std::vector<std::string> seen;
    log.setOnFileError([&errors](const std::string& message) { errors.push_back(message); });
    log.setOnLine([&seen](const std::string& line) { seen.push_back(line); });

    EXPECT_FALSE(log.startRunFile(badFolder, runTime_));
    log.append("still shown");
    log.append("and this");

    ASSERT_EQ(errors.size(), 1u) << badFolder;
    EXPECT_NE(errors[0].find("Log file cannot be written: " + badFolder), std::string::npos)
        << errors[0];
    EXPECT_NE(errors[0].find('('), std::string::npos) << "carries the reason";
    EXPECT_EQ(seen, (std::vector<std::string>{errors[0], "still shown", "and this"}));
    EXPECT_EQ(log.logLineCount(), 4);
    EXPECT_FALSE(log.hasOpenFile());

    // A later run into a good folder logs to its file again.
    EXPECT_TRUE(log.startRunFile(folder_, timeOf(1, 1, 2030, 0, 0, 0)));
    log.append("recovered");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(readBytes(log.logFilePath()), kBom + kSeparator + le(u"recovered\r\n"));
    log.close();
    std::filesystem::remove(log.logFilePath());
  }
}

TEST_F(ProcessLogTest, WithoutRunFileOnlyThePaneGetsLines) {
  log_.append("pane only");
  EXPECT_EQ(log_.logFilePath(), "");
  EXPECT_EQ(log_.logLineCount(), 2);
}

}  // namespace
}  // namespace pellora
