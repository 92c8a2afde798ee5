// One use of the engine from the command line: the application state, the
// terminal front end and a recovery run over the chosen file.
#pragma once

#include "app/recovery_run.h"
#include "cli/run_options.h"
#include "cli/terminal_notifier.h"

namespace pellora::cli {

class Session {
 public:
  Session();

  // Checks the options, starts the run's log and runs the scan. Returns the
  // exit status: kExitOk when the file was read.
  int open(const RunOptions& options);

  ApplicationState& state() { return state_; }
  RecoveryRun& run() { return run_; }

 private:
  ApplicationState state_;
  TerminalNotifier notifier_;
  RecoveryRun run_;
};

}  // namespace pellora::cli
