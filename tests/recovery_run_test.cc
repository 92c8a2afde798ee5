// The scan driver's log lines and outcomes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/recovery_run.h"
#include "kit/temp_dir.h"
#include "platform/codepage.h"

namespace pellora {
namespace {

std::vector<std::string> runLines(ApplicationState& state, ScanOutcome expected) {
  RecoveryRun run(state, silentNotifier());
  run.begin();
  EXPECT_EQ(run.scan(), expected);
  EXPECT_FALSE(state.flags.processRunning.load());
  const auto& lines = state.log.paneLines();
  return {lines.begin() + 1, lines.end()};  // after "application starts"
}

TEST(RecoveryRun, RefusedFileEndsWithAbortedAndItsLog) {
  kit::TempDir dir;
  std::string path = dir.file("bad.mdf");
  std::ofstream(path) << std::string(100, 'x');
  ApplicationState state;
  state.options.dataFilePath = path;
  state.options.logFolder = dir.path() + "/";
  state.options.mode = RecoveryOptions::kAdvancedMode;
  std::vector<std::string> lines = runLines(state, ScanOutcome::kAborted);
  std::vector<std::string> expected = {
      path + " File is selected for recovery....",
      "Browse File Path:\t" + path + "\r\n",
      "Advanced mode is selected for file recovery.",
      "Scanning of file starts...",
      "Scanning process aborted.",
  };
  EXPECT_EQ(lines, expected);

  std::ifstream in(state.log.logFilePath(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::u16string text(reinterpret_cast<const char16_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  std::string utf8 = utf16ToUtf8(text);
  EXPECT_NE(utf8.find(std::string(80, '*')), std::string::npos);
  EXPECT_NE(utf8.find("Scanning process aborted.\r\n"), std::string::npos);
}

TEST(RecoveryRun, BackslashesOfTheBrowsedPathAreDoubled) {
  EXPECT_EQ(doubledBackslashes("D:\\Data\\wss.mdf"), "D:\\\\Data\\\\wss.mdf");
}

}  // namespace
}  // namespace pellora
