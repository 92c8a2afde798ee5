// Browsing what a run found: a click on a node of the object tree lists a
// table's first screen, shows a definition or shows a key statement;
// Previous and Next page through the listed table. Each operation runs on
// the caller's thread (a worker, in a windowed front end) and is refused
// while another one runs, as the process-running flag says.
#pragma once

#include <memory>
#include <string>

#include "app/content_model.h"
#include "app/recovery_run.h"
#include "catalog/record_listing.h"

namespace pellora {

inline constexpr const char* kBusyMessage = "Please wait for the running process.";

enum class BrowseResult {
  kDone,
  kBusy,     // another operation runs: the caller shows kBusyMessage
  kNothing,  // nothing to do: no file is open, or the node names nothing
};

class Browser {
 public:
  Browser(RecoveryRun& run, ApplicationState& state, ContentModel& content, Notifier& notifier);

  BrowseResult clickNode(TreeNode& node);
  // A click on a node of the document tree: the documents directly under a
  // list or folder node, with their names and dates.
  BrowseResult clickDocumentNode(TreeNode& node);
  BrowseResult nextScreen();
  BrowseResult previousScreen();
  // A new run is about to replace the tables the listing reads from.
  void forgetListing() { listing_.reset(); }

 private:
  bool enter();
  void leave();
  void log(const std::string& line) { state_.log.append(line); }
  void listTable(TreeNode& node);
  void showDefinition(TreeNode& node);
  void showText(const std::string& text);
  void finishClick(const TreeNode& node);

  RecoveryRun& run_;
  ApplicationState& state_;
  ContentModel& content_;
  Notifier& notifier_;
  std::unique_ptr<RecordListing> listing_;
};

}  // namespace pellora
