// The object tree: the database's tables, views and programmability
// objects under fixed group nodes, tables in bold when they hold data; the
// column, key and constraint nodes a table gets on its first click; and the
// ALTER TABLE statements its key nodes show.
#pragma once

#include <string>
#include <vector>

#include "catalog/definitions.h"
#include "catalog/table_reader.h"
#include "catalog/tree_model.h"
#include "storage/notifier.h"

namespace pellora {

// Item data of object nodes (structural nodes carry 0).
constexpr int64_t kObjectNodeData = 1;

struct TreeObject {
  std::string name;
  std::string typeCode;
};

class ObjectTree {
 public:
  ObjectTree(TreeModel& model, Notifier& notifier) : model_(model), notifier_(notifier) {}

  // The root (the database name, "RepairDataBase" when it has none) and the
  // group nodes below it.
  void create(const std::string& databaseName);
  // One node per named object under its group; tables are prepared to mark
  // those with data. False when no object has a name.
  bool fill(TableReader& reader, const DefinitionList& definitions);

  // On a table's first click: its column nodes and the four key groups with
  // their constraint nodes. True when the table was prepared here.
  bool expandTableNode(TreeNode& tableNode, TableReader& reader, const DefinitionList& definitions);

  TreeNode* root() const { return root_; }
  TreeNode* group(const std::string& text) const;
  const std::vector<TreeObject>& objects() const { return objects_; }

 private:
  TreeModel& model_;
  Notifier& notifier_;
  TreeNode* root_ = nullptr;
  std::vector<TreeObject> objects_;
};

// "name  type[Primary Key]  (foreign key) references table( column)".
std::string columnNodeText(const ColumnLayout& layout);

// The statements key nodes show. The table name and key columns come from
// the prepared table (or, in legacy catalogs, from the legacy table whose id
// the node carries).
std::string primaryKeyStatement(const std::string& tableName, const std::string& keyColumns);
std::string uniqueStatement(const std::string& tableName, const std::string& constraintName,
                            const std::string& keyColumns);
std::string checkStatement(const std::string& tableName, const std::string& constraintName,
                           const std::string& definition);

// The key columns of constraint `constraintName` of the prepared table, in
// key order, joined with " , ", for its PRIMARY KEY or UNIQUE statement.
std::string preparedKeyColumns(const TableRows& table, const std::vector<IndexInfo>& indexes,
                               const std::string& constraintName, bool primaryKey);
// The same from a legacy table's column references (its type status bits).
std::string legacyKeyColumns(const LegacyTableInfo& table, bool primaryKey);

// The text a node under one of a table's key groups shows: the PRIMARY KEY
// or UNIQUE statement, the CHECK statement of a constraint, or a foreign
// key's definition. `node` hangs under its group node, which hangs under the
// table node. Prepares the table when another one is prepared.
std::string keyNodeText(const TreeNode& node, TableReader& reader, DefinitionReader& definitions);

// The id text the definition rows of the object `name` carry: in legacy
// catalogs that of the first object with that name.
std::string definitionIdOf(const DatabaseCatalog& catalog, const TableInfo& object);

}  // namespace pellora
