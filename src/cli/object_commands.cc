#include "cli/object_commands.h"

#include <cstdio>
#include <memory>

#include "catalog/object_tree.h"
#include "cli/session.h"

namespace pellora::cli {

namespace {

struct ObjectOptions {
  RunOptions run;
  std::string object;
};

RowDecoding decodingFor(Session& session) {
  RowDecoding decoding;
  decoding.collations = &session.state().collations;
  decoding.database = &session.state().databaseCollation;
  decoding.placeholders = false;
  return decoding;
}

void printNode(const TreeNode& node, int level) {
  std::printf("%*s%s%s\n", 2 * level, "", node.bold ? "*" : "", node.text.c_str());
  for (const auto& child : node.children) printNode(*child, level + 1);
}

// Multi-line texts keep their indentation under the node they belong to.
void printIndented(const std::string& text, int level) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::printf("%*s%s\n", 2 * level, "", line.c_str());
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

int printTree(Session& session, const ObjectOptions&) {
  printNode(*session.run().objectTree().root(), 0);
  return kExitOk;
}

int printDefinition(Session& session, const ObjectOptions& options) {
  RunStorage& storage = session.run().storage();
  TableInfo object = storage.catalog->findObject(options.object, "P ");
  // Tables are only found under their own type codes.
  for (const char* tableType : {"U ", "S "}) {
    if (object.objectId == -1) object = storage.catalog->findObject(options.object, tableType);
  }
  if (object.objectId == -1) {
    std::fprintf(stderr, "pellora: no object named \"%s\" in this database\n", options.object.c_str());
    return kExitRefused;
  }
  if (!isNonTableType(object.typeCode) && object.typeCode != "UQ") {
    std::fprintf(stderr, "pellora: \"%s\" is a table (type %s) and has no definition text\n",
                 options.object.c_str(), object.typeCode.c_str());
    return kExitRefused;
  }
  TableReader reader(*storage.catalog, *storage.file);
  DefinitionReader definitions(reader, silentNotifier(), decodingFor(session));
  std::printf("%s\n", definitions.definition(definitionIdOf(*storage.catalog, object)).c_str());
  return kExitOk;
}

int printKeys(Session& session, const ObjectOptions& options) {
  RunStorage& storage = session.run().storage();
  const DatabaseCatalog& catalog = *storage.catalog;
  TableInfo object = catalog.findObject(options.object, "U ");
  if (object.objectId == -1) object = catalog.findObject(options.object, "S ");
  if (object.objectId == -1 || (object.typeCode != "U " && object.typeCode != "S ")) {
    std::fprintf(stderr, "pellora: no table named \"%s\" in this database\n", options.object.c_str());
    return kExitRefused;
  }
  TableReader reader(*storage.catalog, *storage.file);
  DefinitionReader definitions(reader, silentNotifier(), decodingFor(session));
  TreeModel model;
  TreeNode& tableNode = model.appendChild(model.top(), object.name, kObjectNodeData);
  TreeNode& groupNode = model.appendChild(model.top(), object.typeCode == "S " ? "System Tables" : "User Tables");
  tableNode.parent = &groupNode;
  model.insertFirstChild(tableNode, "Columns");
  ObjectTree tree(model, silentNotifier());
  tree.expandTableNode(tableNode, reader, {});
  for (const auto& group : tableNode.children) {
    std::printf("%s\n", group->text.c_str());
    for (const auto& node : group->children) {
      std::printf("  %s\n", node->text.c_str());
      if (group->text == "Columns") continue;
      printIndented(keyNodeText(*node, reader, definitions), 2);
    }
  }
  return kExitOk;
}

void addCommand(CLI::App& app, const char* name, const char* description, const char* argument, int& exitStatus,
                int (*action)(Session&, const ObjectOptions&)) {
  auto options = std::make_shared<ObjectOptions>();
  CLI::App* command = app.add_subcommand(name, description);
  addRunOptions(*command, options->run);
  if (argument != nullptr) command->add_option(argument, options->object, "Name of the object")->required();
  command->callback([options, &exitStatus, action] {
    Session session;
    exitStatus = session.open(options->run);
    if (exitStatus == kExitOk) exitStatus = action(session, *options);
  });
}

}  // namespace

void addObjectCommands(CLI::App& app, int& exitStatus) {
  addCommand(app, "tree", "Show the object tree (tables holding data marked *)", nullptr, exitStatus, printTree);
  addCommand(app, "definition", "Show the stored definition text of a view, procedure, function, trigger, "
             "default or constraint", "OBJECT", exitStatus, printDefinition);
  addCommand(app, "keys", "Show a table's column nodes and its key and constraint groups with their statements",
             "TABLE", exitStatus, printKeys);
}

}  // namespace pellora::cli
