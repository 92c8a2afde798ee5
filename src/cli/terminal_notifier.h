// The command line's front end for the engine's reports: a progress bar on
// stderr while stderr is a terminal, failures on stderr, log lines into the
// process log.
#pragma once

#include <string>

#include "app/application_state.h"
#include "storage/notifier.h"

namespace pellora::cli {

class TerminalNotifier : public Notifier {
 public:
  explicit TerminalNotifier(ApplicationState& state);
  ~TerminalNotifier() override;

  void progressRange(int64_t low, int64_t high) override;
  void statusText(std::string_view text) override;
  void failure(std::string_view text) override;
  void progressPos(int64_t position) override;
  void logLine(std::string_view text) override;

  // Removes the progress bar from the screen.
  void finish();
  const std::string& lastFailure() const { return lastFailure_; }

 private:
  void draw();

  ApplicationState& state_;
  bool showProgress_;
  int64_t low_ = 0, high_ = 0, position_ = 0;
  int lastPercent_ = -1;
  std::string stage_;
  std::string lastFailure_;
  bool drawn_ = false;
};

// Ctrl+C requests a stop; a second one ends the process at once.
void installStopHandler(RunFlags& flags);

}  // namespace pellora::cli
