#include "app/browser.h"

#include <cstdio>

#include "sharepoint/document_listing.h"
#include "sharepoint/document_tree.h"

namespace pellora {

namespace {

// Objects whose clicks show their stored definition text.
bool showsDefinition(const std::string& typeCode) {
  static const char* const kTypes[] = {"F ", "P ", "D ", "C ", "PK", "FN", "TR", "IF", "V ", "UQ", "TT", "TF"};
  for (const char* type : kTypes) {
    if (typeCode == type) return true;
  }
  return false;
}

}  // namespace

Browser::Browser(RecoveryRun& run, ApplicationState& state, ContentModel& content, Notifier& notifier)
    : run_(run), state_(state), content_(content), notifier_(notifier) {}

bool Browser::enter() {
  bool idle = false;
  return state_.flags.processRunning.compare_exchange_strong(idle, true);
}

void Browser::leave() { state_.flags.processRunning.store(false); }

BrowseResult Browser::clickNode(TreeNode& node) {
  if (!enter()) return BrowseResult::kBusy;
  content_.records.clearRows();
  content_.setStatusText("");
  content_.records.setLabels("", content_.records.caption);
  content_.setCaption(node.text);
  log("Please wait while " + node.text + " folder is scanning.");
  TableReader* reader = run_.tableReader();
  const bool isRoot = node.parent == nullptr || node.parent->parent == nullptr;
  if (reader == nullptr || isRoot || node.text.empty()) {
    leave();
    return BrowseResult::kNothing;
  }
  listing_.reset();
  const std::string& parent = node.parent->text;
  if (parent == "System Tables" || parent == "User Tables") {
    listTable(node);
  } else if (parent == "PrimaryKey" || parent == "Unique" || parent == "Constraint") {
    showText(keyNodeText(node, *reader, *run_.definitionReader()));
  } else {
    showDefinition(node);
  }
  finishClick(node);
  return BrowseResult::kDone;
}

void Browser::listTable(TreeNode& node) {
  TableReader& reader = *run_.tableReader();
  const std::string typeCode = node.parent->text == "System Tables" ? "S " : "U ";
  if (!run_.objectTree().expandTableNode(node, reader, run_.definitions())) {
    reader.readTable(node.text, typeCode, run_.definitions());
  }
  const TableRows& table = reader.prepared();
  if (!table.isTable || table.columns.empty() || table.currentObject.name != node.text) return;
  content_.showRecords(true);
  listing_ = std::make_unique<RecordListing>(reader, content_.records, notifier_, run_.rowDecoding(true));
  listing_->listFirstScreen(run_.storage().advancedMode);
}

void Browser::showDefinition(TreeNode& node) {
  const DatabaseCatalog& catalog = *run_.storage().catalog;
  const TableInfo object = catalog.findObject(node.text, "P ");
  std::string text;
  if (object.objectId != -1 && showsDefinition(object.typeCode)) {
    text = run_.definitionReader()->definition(definitionIdOf(catalog, object));
  }
  showText(text);
}

void Browser::showText(const std::string& text) {
  content_.showRecords(false);
  content_.setStatusText(text);
}

void Browser::finishClick(const TreeNode& node) {
  RecordListModel& records = content_.records;
  const long long shown = static_cast<long long>(records.rows.size());
  char label[128];
  std::snprintf(label, sizeof label, "Page%d - [%lld](%lld-%lld) Records", 1, shown, shown > 0 ? 1LL : 0LL, shown);
  records.setLabels(label, records.caption);
  records.setButtons(false, listing_ != nullptr && listing_->screenStackSize() >= 2);
  const std::string caption = node.text + "[" + std::to_string(shown) + "]";
  content_.setCaption(caption);
  log(caption);
  leave();
  log("Scanning process completed.");
}

BrowseResult Browser::nextScreen() {
  if (!enter()) return BrowseResult::kBusy;
  const bool moved = listing_ != nullptr && listing_->showNextScreen();
  leave();
  return moved ? BrowseResult::kDone : BrowseResult::kNothing;
}

BrowseResult Browser::previousScreen() {
  if (!enter()) return BrowseResult::kBusy;
  const bool moved = listing_ != nullptr && listing_->showPreviousScreen();
  leave();
  return moved ? BrowseResult::kDone : BrowseResult::kNothing;
}

BrowseResult Browser::clickDocumentNode(TreeNode& node) {
  if (!enter()) return BrowseResult::kBusy;
  RecordListModel& records = content_.records;
  records.clearRows();
  content_.setStatusText("");
  records.setLabels("", records.caption);
  content_.setCaption(node.text);
  log("Please wait while " + node.text + " folder is scanning.");
  content_.showRecords(true);
  records.setColumns({});
  if (node.tagKind != 0) records.setColumns({"File Name ", "Date Created ", "Date Modified "});
  for (const DocumentEntry* document : listedDocuments(node, run_.content().documents)) {
    records.addRow({document->leafName, document->timeCreated, document->timeLastModified});
  }
  leave();
  log("Scanning process completed.");
  return BrowseResult::kDone;
}

}  // namespace pellora
