#include "cli/document_commands.h"

#include <cstdio>
#include <memory>

#include "app/browser.h"
#include "cli/session.h"
#include "app/delimited_text.h"
#include "sharepoint/document_tree.h"

namespace pellora::cli {

namespace {

struct DocumentOptions {
  RunOptions run;
  std::string path;
};

void printNode(const TreeNode& node, const SharePointContent& content, int level) {
  std::printf("%*s%s", 2 * level, "", node.text.c_str());
  const auto index = static_cast<size_t>(node.documentIndex);
  if (node.tagKind == kDocumentTag && index < content.documents.size()) {
    const DocumentEntry& document = content.documents[index];
    std::printf("\t%lld\t%s\t%s", static_cast<long long>(document.size), document.timeCreated.c_str(),
                document.timeLastModified.c_str());
  }
  std::printf("\n");
  for (const auto& child : node.children) printNode(*child, content, level + 1);
}

int printDocuments(Session& session, const DocumentOptions&) {
  RecoveryRun& run = session.run();
  for (const auto& top : run.documentTreeModel().top().children) printNode(*top, run.content(), 0);
  return kExitOk;
}

// The node at `path`: node texts from the top level down, joined by "/".
TreeNode* nodeAt(TreeNode& top, const std::string& path) {
  TreeNode* current = &top;
  size_t start = 0;
  while (current != nullptr && start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    current = current->child(path.substr(start, end - start));
    start = end + 1;
  }
  return current;
}

int listFolder(Session& session, const DocumentOptions& options) {
  RecoveryRun& run = session.run();
  TreeNode* node = nodeAt(run.documentTreeModel().top(), options.path);
  if (node == nullptr) {
    std::fprintf(stderr, "pellora: no node \"%s\" in the document tree\n", options.path.c_str());
    return kExitRefused;
  }
  ContentModel content;
  Browser browser(run, session.state(), content, silentNotifier());
  browser.clickDocumentNode(*node);
  if (!content.records.columns.empty()) {
    std::fputs(delimitedLine(content.records.columns, TextFormat::kTsv).c_str(), stdout);
  }
  for (const auto& row : content.records.rows) std::fputs(delimitedLine(row, TextFormat::kTsv).c_str(), stdout);
  return kExitOk;
}

void addCommand(CLI::App& app, const char* name, const char* description, bool withPath, int& exitStatus,
                int (*action)(Session&, const DocumentOptions&)) {
  auto options = std::make_shared<DocumentOptions>();
  CLI::App* command = app.add_subcommand(name, description);
  addRunOptions(*command, options->run);
  if (withPath) {
    command->add_option("PATH", options->path, "Node texts joined by \"/\", e.g. SharePointACTUAL/Site/Library")
        ->required();
  }
  command->callback([options, &exitStatus, action] {
    Session session;
    exitStatus = session.open(options->run);
    if (exitStatus == kExitOk) exitStatus = action(session, *options);
  });
}

}  // namespace

void addDocumentCommands(CLI::App& app, int& exitStatus) {
  addCommand(app, "docs", "Show the SharePoint document tree, documents with their size and dates", false,
             exitStatus, printDocuments);
  addCommand(app, "folder", "List the documents directly under a node of the document tree", true, exitStatus,
             listFolder);
}

}  // namespace pellora::cli
