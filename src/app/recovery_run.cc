#include "app/recovery_run.h"

namespace pellora {

namespace {
constexpr const char* kUnknownVersion = "Unknown SQL Version";
}

std::string doubledBackslashes(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    out.push_back(c);
    if (c == '\\') out.push_back('\\');
  }
  return out;
}

RecoveryRun::RecoveryRun(ApplicationState& state, Notifier& notifier)
    : state_(state), notifier_(notifier) {}

void RecoveryRun::begin() {
  state_.flags.processRunning.store(true);
  dataFilePath_ = state_.options.dataFilePath;
  state_.log.startRunFile(state_.options.logFolder);
  log(dataFilePath_ + " File is selected for recovery....");
  reset();
}

void RecoveryRun::reset() {
  storage_.release();
}

ScanOutcome RecoveryRun::abort() {
  storage_.release();
  state_.flags.processRunning.store(false);
  log("Scanning process aborted.");
  return ScanOutcome::kAborted;
}

ScanOutcome RecoveryRun::scan() {
  state_.flags.legacyCatalog.store(false);
  reset();
  state_.applyOptionsToFlags();
  if (!dataFilePath_.empty()) log("Browse File Path:\t" + doubledBackslashes(dataFilePath_) + "\r\n");
  storage_.advancedMode = state_.options.advancedMode();
  log(storage_.advancedMode ? "Advanced mode is selected for file recovery."
                            : "Standard mode is selected for file recovery.");
  log("Scanning of file starts...");
  if (!OpenDatabase(dataFilePath_, storage_, state_, notifier_)) return abort();
  if (!storage_.catalog) return abort();
  if (storage_.catalog->objects().empty()) {
    storage_.release();
    log("Either it is not valid mdf file or highly corrupted, select another file to recover.");
    state_.flags.processRunning.store(false);
    return ScanOutcome::kEmptyCatalog;
  }
  if (state_.databaseVersionText.empty()) {
    state_.databaseVersionText = std::string("Database version: ") + kUnknownVersion;
    log(state_.databaseVersionText);
  } else {
    log("Database version: " + state_.databaseVersionText);
  }
  state_.flags.processRunning.store(false);
  log("Scanning completed for selected mdf file.");
  return ScanOutcome::kCompleted;
}

}  // namespace pellora
