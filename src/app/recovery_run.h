// One recovery run: the Open command's preparations and the scan driver that
// runs the stages of a run in their fixed order, logging each one.
#pragma once

#include <string>

#include "app/application_state.h"
#include "app/open_database.h"
#include "catalog/object_tree.h"
#include "sharepoint/content_entries.h"

namespace pellora {

enum class ScanOutcome {
  kCompleted,
  kAborted,        // the file was refused, or the user stopped its checks
  kEmptyCatalog,   // the file opened but holds no object
  kNoObjectTree,   // no object of the catalog has a name
};

class RecoveryRun {
 public:
  RecoveryRun(ApplicationState& state, Notifier& notifier);

  // The Open command after the options were confirmed: sets the process-running
  // flag, starts the run's log file and logs the chosen file.
  void begin();
  // The scan driver. Ends with the process-running flag cleared.
  ScanOutcome scan();

  RunStorage& storage() { return storage_; }
  // What the scan found, for browsing afterwards; the reader and the
  // definitions exist once the catalog has been read.
  TreeModel& objectTreeModel() { return objectTreeModel_; }
  TreeModel& documentTreeModel() { return documentTreeModel_; }
  const SharePointContent& content() const { return content_; }
  ObjectTree& objectTree() { return objectTree_; }
  TableReader* tableReader() { return reader_.get(); }
  DefinitionReader* definitionReader() { return definitionReader_.get(); }
  const DefinitionList& definitions() const { return definitions_; }
  // How rows are decoded with this run's collations.
  RowDecoding rowDecoding(bool placeholders);
  const std::string& dataFilePath() const { return dataFilePath_; }

 private:
  void reset();
  void log(const std::string& line) { state_.log.append(line); }
  ScanOutcome abort();
  ScanOutcome fail(ScanOutcome outcome, const char* line);
  void buildObjectTree();
  void readSharePointContent();

  ApplicationState& state_;
  Notifier& notifier_;
  RunStorage storage_;
  std::string dataFilePath_;
  TreeModel objectTreeModel_;
  TreeModel documentTreeModel_;
  SharePointContent content_;
  ObjectTree objectTree_;
  std::unique_ptr<TableReader> reader_;
  std::unique_ptr<DefinitionReader> definitionReader_;
  DefinitionList definitions_;
};

// A path as the log shows it: every backslash doubled.
std::string doubledBackslashes(const std::string& path);

}  // namespace pellora
