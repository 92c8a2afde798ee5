// Files that are not data files, or that cannot be read, are refused with a
// message and exit status 1, and nothing but the log is written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/file.h>
#include <unistd.h>

#include "kit/command_runner.h"

namespace pellora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCannotOpen = "File cannot be open...........";
constexpr const char* kNotValid =
    "Wheteher File is not valid mdf file or file is highly corrupted...........";

class CliBadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/pellora-cli-XXXXXX";
    dir_ = mkdtemp(name);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  kit::CommandResult info(const std::string& path) {
    return kit::runPellora({"info", path, "--log-dir", dir_});
  }

  // The folder holds the input files and the log files of the runs (one
  // per second in which a run started), nothing else.
  void expectOnlyLogWritten(size_t inputs) {
    size_t logs = 0, others = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      std::string name = entry.path().filename().string();
      (name.rfind("VantorqSharepointDatabaseRec_log_", 0) == 0 ? logs : others)++;
    }
    EXPECT_GE(logs, 1u);
    EXPECT_EQ(others, inputs);
  }

  std::string dir_;
};

TEST_F(CliBadInput, RefusesFilesThatHoldNoDataFile) {
  std::mt19937 random(7);
  std::string noise(8192 * 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  struct Case {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"empty.mdf", "", kNotValid},
      {"short.mdf", std::string(8191, 'x'), kNotValid},
      {"zeros.mdf", std::string(8192 * 16, '\0'), kNotValid},
      {"noise.mdf", noise, kNotValid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = write(c.name, c.bytes);
    kit::CommandResult result = info(path);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(fs::file_size(path), c.bytes.size());
  }
  expectOnlyLogWritten(std::size(cases));
}

TEST_F(CliBadInput, RefusesWhatCannotBeOpened) {
  fs::create_directory(dir_ + "/folder.mdf");
  kit::CommandResult folder = info(dir_ + "/folder.mdf");
  EXPECT_EQ(folder.exitStatus, 1);
  EXPECT_NE(folder.err.find("Please select valid SQL file path"), std::string::npos) << folder.err;

  kit::CommandResult missing = info(dir_ + "/missing.mdf");
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_NE(missing.err.find("Please select valid SQL file path"), std::string::npos) << missing.err;
  EXPECT_FALSE(fs::exists(dir_ + "/missing.mdf"));
}

TEST_F(CliBadInput, RefusesAFileThatAnotherPelloraProcessHolds) {
  std::string path = write("held.mdf", std::string(8192 * 16, '\0'));
  int fd = open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
  kit::CommandResult result = info(path);
  close(fd);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_NE(result.err.find(kCannotOpen), std::string::npos) << result.err;
}

TEST_F(CliBadInput, UsageErrorsExitWithTwo) {
  EXPECT_EQ(kit::runPellora({}).exitStatus, 2);
  EXPECT_EQ(kit::runPellora({"info"}).exitStatus, 2);
  EXPECT_EQ(kit::runPellora({"info", "a.mdf", "--no-such-option"}).exitStatus, 2);
  kit::CommandResult help = kit::runPellora({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("info"), std::string::npos);
}

}  // namespace
}  // namespace pellora
