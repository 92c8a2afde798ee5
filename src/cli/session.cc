#include "cli/session.h"

#include <cstdio>

#include "platform/paths.h"

namespace pellora::cli {

Session::Session() : notifier_(state_), run_(state_, notifier_) {
  state_.collations = loadCollationMap(executableFolder() + "collation.txt");
  state_.log.setOnFileError([](const std::string& message) {
    std::fprintf(stderr, "pellora: %s\n", message.c_str());
  });
  installStopHandler(state_.flags);
}

int Session::open(const RunOptions& options) {
  int status = applyRunOptions(options, state_);
  if (status != kExitOk) return status;
  run_.begin();
  ScanOutcome outcome = run_.scan();
  notifier_.finish();
  switch (outcome) {
    case ScanOutcome::kCompleted:
      return kExitOk;
    case ScanOutcome::kEmptyCatalog:
    case ScanOutcome::kNoObjectTree:
      std::fprintf(stderr, "pellora: %s\n", state_.log.paneLines().back().c_str());
      return kExitRefused;
    case ScanOutcome::kAborted:
      if (notifier_.lastFailure().empty()) std::fprintf(stderr, "pellora: Scanning process aborted.\n");
      return kExitRefused;
  }
  return kExitRefused;
}

}  // namespace pellora::cli
