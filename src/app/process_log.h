// The record of what the system did. Each line goes to the log pane (kept
// here as plain rows, with an observer so a front end can render them as they
// come) and to the log file of the current run, which is UTF-16LE text with
// CRLF line ends. A log file that cannot be written is reported once and the
// run goes on with the pane alone.
//
// Not synchronised: one thread at a time appends and reads.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellora {

class ProcessLog {
 public:
  using Observer = std::function<void(const std::string&)>;

  // Puts the start-up row "application starts" in the pane (never in a file).
  ProcessLog();
  ~ProcessLog();
  ProcessLog(const ProcessLog&) = delete;
  ProcessLog& operator=(const ProcessLog&) = delete;

  // Called with each row added to the pane, including file error rows.
  void setOnLine(Observer observer) { onLine_ = std::move(observer); }
  // Called once with the message when the run's log file fails.
  void setOnFileError(Observer observer) { onFileError_ = std::move(observer); }

  // `text` is UTF-8. Adds a pane row and writes the text plus CRLF to the
  // log file, if one is open.
  void append(std::string_view text);

  // Opens the log file of a run named after `localTime` in `logFolder`
  // (which ends in '/' or '\'), appending if it exists, and writes the run
  // separator. Closes a file that was open. False when the file cannot be
  // created or written; that has been reported.
  bool startRunFile(const std::string& logFolder, std::tm localTime);
  bool startRunFile(const std::string& logFolder);
  void close();

  int logLineCount() const { return static_cast<int>(paneLines_.size()); }
  const std::vector<std::string>& paneLines() const { return paneLines_; }
  // The file of the latest run ("" before any).
  const std::string& logFilePath() const { return logFilePath_; }
  bool hasOpenFile() const { return fd_ >= 0; }

 private:
  void addPaneLine(std::string text);
  // Writes `text` as UTF-16LE; on failure reports and closes the file.
  bool writeToFile(std::string_view text);
  void reportFileError(int error);

  std::vector<std::string> paneLines_;
  Observer onLine_;
  Observer onFileError_;
  std::string logFilePath_;
  int fd_ = -1;
  // The current run's file has already been reported as failing.
  bool fileErrorReported_ = false;
};

// The log file name of a run that starts at `localTime`.
std::string runLogFileName(const std::tm& localTime);

}  // namespace pellora
