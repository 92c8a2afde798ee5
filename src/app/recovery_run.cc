#include "app/recovery_run.h"

#include "sharepoint/sharepoint_scan.h"

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
    : state_(state), notifier_(notifier), objectTree_(objectTreeModel_, notifier) {}

RowDecoding RecoveryRun::rowDecoding(bool placeholders) {
  RowDecoding decoding;
  decoding.file = storage_.file.get();
  decoding.flags = &state_.flags;
  decoding.collations = &state_.collations;
  decoding.database = &state_.databaseCollation;
  decoding.placeholders = placeholders;
  return decoding;
}

void RecoveryRun::begin() {
  state_.flags.processRunning.store(true);
  dataFilePath_ = state_.options.dataFilePath;
  state_.log.startRunFile(state_.options.logFolder);
  log(dataFilePath_ + " File is selected for recovery....");
  reset();
}

void RecoveryRun::reset() {
  definitions_.clear();
  definitionReader_.reset();
  reader_.reset();
  storage_.release();
  objectTreeModel_.clear();
  documentTreeModel_.clear();
  content_.clear();
}

ScanOutcome RecoveryRun::abort() {
  return fail(ScanOutcome::kAborted, "Scanning process aborted.");
}

ScanOutcome RecoveryRun::fail(ScanOutcome outcome, const char* line) {
  reset();
  state_.flags.processRunning.store(false);
  log(line);
  return outcome;
}

// The object tree with every named object, tables with data in bold; then
// the definitions that computed columns and programmability nodes show.
void RecoveryRun::buildObjectTree() {
  const std::string& name = storage_.file->databaseName();
  objectTree_.create(name);
  reader_ = std::make_unique<TableReader>(*storage_.catalog, *storage_.file);
  definitionReader_ = std::make_unique<DefinitionReader>(*reader_, notifier_, rowDecoding(false));
}

// Sites, lists and documents of the content tables, and the document tree.
void RecoveryRun::readSharePointContent() {
  SharePointScan sharepoint(*reader_, notifier_, rowDecoding(true), storage_.advancedMode, documentTreeModel_,
                            content_);
  sharepoint.readSites();
  sharepoint.readLists();
  if (state_.collationName.empty()) state_.collationName = "Unknown Collation";
  log("Collation Type: " + state_.collationName);
  sharepoint.readDocuments();
  sharepoint.buildDataBranch();
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
    return fail(ScanOutcome::kEmptyCatalog,
                "Either it is not valid mdf file or highly corrupted, select another file to recover.");
  }
  if (state_.databaseVersionText.empty()) {
    state_.databaseVersionText = std::string("Database version: ") + kUnknownVersion;
    log(state_.databaseVersionText);
  } else {
    log("Database version: " + state_.databaseVersionText);
  }
  buildObjectTree();
  readSharePointContent();
  if (!objectTree_.fill(*reader_, definitions_)) {
    return fail(ScanOutcome::kNoObjectTree,
                "Whether it is not valid mdf file or highly corrupted, select another file to recover.");
  }
  if (TreeNode* userTables = objectTree_.group("User Tables")) objectTreeModel_.sortChildren(*userTables);
  if (!storage_.catalog->legacyLayout()) definitions_ = definitionReader_->readAll();
  state_.flags.processRunning.store(false);
  notifier_.statusText("Scanning completed for selected mdf file");
  log("Scanning completed for selected mdf file.");
  return ScanOutcome::kCompleted;
}

}  // namespace pellora
