#include "catalog/object_tree.h"

#include <algorithm>

namespace pellora {

namespace {

// The group an object's node goes under; none for types without a node.
const char* groupOf(const std::string& typeCode) {
  if (typeCode == "V ") return "Views";
  if (typeCode == "FN" || typeCode == "IF" || typeCode == "TF") return "Function";
  if (typeCode == "P ") return "Store Procedure";
  if (typeCode == "TR") return "Triggers";
  if (typeCode == "D ") return "Default";
  if (typeCode == "U ") return "User Tables";
  if (typeCode == "S ") return "System Tables";
  return nullptr;
}

const char* keyGroupOf(const std::string& typeCode) {
  if (typeCode == "PK") return "PrimaryKey";
  if (typeCode == "F ") return "ForeignKey";
  if (typeCode == "C " || typeCode == "D ") return "Constraint";
  if (typeCode == "UQ") return "Unique";
  return nullptr;
}

// " a , b , " becomes " a , b ": trailing blanks go, then the last comma.
std::string closedColumnList(std::string list) {
  while (!list.empty() && (list.back() == ' ' || list.back() == '\t')) list.pop_back();
  if (!list.empty()) list.pop_back();
  return list;
}

}  // namespace

void ObjectTree::create(const std::string& databaseName) {
  root_ = &model_.appendChild(model_.top(), databaseName.empty() ? "RepairDataBase" : databaseName);
  TreeNode& tables = model_.insertFirstChild(*root_, "Tables");
  model_.insertFirstChild(tables, "User Tables");
  model_.insertFirstChild(tables, "System Tables");
  TreeNode& programmability = model_.insertFirstChild(*root_, "Programmability");
  model_.insertFirstChild(programmability, "Function");
  model_.insertFirstChild(programmability, "Store Procedure");
  model_.insertFirstChild(*root_, "Views");
  model_.insertFirstChild(programmability, "Default");
  model_.insertFirstChild(programmability, "Triggers");
  objects_.clear();
}

TreeNode* ObjectTree::group(const std::string& text) const {
  if (root_ == nullptr) return nullptr;
  if (TreeNode* direct = root_->child(text)) return direct;
  for (const auto& level1 : root_->children) {
    if (TreeNode* found = level1->child(text)) return found;
  }
  return nullptr;
}

bool ObjectTree::fill(TableReader& reader, const DefinitionList& definitions) {
  const std::vector<TableInfo>& objects = reader.catalog().objects();
  if (objects.empty() || root_ == nullptr) return false;
  notifier_.logLine("Creating Tree.........");
  notifier_.progressRange(0, static_cast<int64_t>(objects.size()));
  bool named = false;
  for (size_t i = 0; i < objects.size(); ++i) {
    if (reader.file().flags().stopRequested()) break;
    const TableInfo& object = objects[i];
    if (object.name.empty()) continue;
    named = true;
    if (const char* groupText = groupOf(object.typeCode)) {
      TreeNode& node = model_.insertFirstChild(*group(groupText), object.name, kObjectNodeData);
      if (object.typeCode == "U " || object.typeCode == "S ") {
        model_.insertFirstChild(node, "Columns");
        ColumnLayouts layouts = reader.readTable(object.name, object.typeCode, definitions);
        if (!layouts.empty() && !reader.prepared().pages.empty()) model_.setBold(node, true);
      }
    }
    objects_.push_back({object.name, object.typeCode});
    notifier_.progressPos(static_cast<int64_t>(i));
  }
  model_.sortChildren(*group("Store Procedure"));
  model_.sortChildren(*group("Function"));
  notifier_.logLine("Process done.........");
  notifier_.progressPos(static_cast<int64_t>(objects.size()));
  return named;
}

bool ObjectTree::expandTableNode(TreeNode& tableNode, TableReader& reader, const DefinitionList& definitions) {
  TreeNode* first = tableNode.firstChild();
  if (first == nullptr || first->text != "Columns" || tableNode.parent == nullptr) return false;
  const std::string typeCode = tableNode.parent->text == "System Tables" ? "S " : "U ";
  ColumnLayouts layouts = reader.readTable(tableNode.text, typeCode, definitions);
  const TableRows& table = reader.prepared();
  if (layouts.empty() || !table.isTable) return true;
  TreeNode& columns = *first;
  for (const char* group : {"PrimaryKey", "Constraint", "Unique", "ForeignKey"}) {
    model_.insertFirstChild(tableNode, group);
  }
  for (auto layout = layouts.rbegin(); layout != layouts.rend(); ++layout) {
    if (!layout->name.empty()) model_.insertFirstChild(columns, columnNodeText(*layout));
  }
  const bool legacy = reader.catalog().legacyLayout();
  for (const TableInfo& constraint : table.constraintObjects) {
    const char* groupText = keyGroupOf(constraint.typeCode);
    if (groupText == nullptr) continue;
    int64_t itemData = 0;
    if (constraint.typeCode == "C " || constraint.typeCode == "D ") itemData = 1;
    if (legacy && (constraint.typeCode == "PK" || constraint.typeCode == "UQ")) itemData = constraint.parentObjectId;
    model_.insertFirstChild(*tableNode.child(groupText), constraint.name, itemData);
  }
  return true;
}

std::string columnNodeText(const ColumnLayout& layout) {
  std::string text = layout.name + "  " + layout.typeText;
  if (layout.primaryKeyColumn) {
    text += "[Primary Key]";
  } else if (layout.uniqueConstraintColumn || layout.uniqueIndexColumn) {
    text += "[Unique]";
  }
  if (layout.foreignKeyColumn) {
    text += "  (foreign key) references " + layout.referencedTableName + "( " + layout.referencedColumnName + ")";
  }
  return text;
}

std::string primaryKeyStatement(const std::string& tableName, const std::string& keyColumns) {
  return "ALTER TABLE " + tableName + " ADD PRIMARY KEY (" + keyColumns + ")";
}

std::string uniqueStatement(const std::string& tableName, const std::string& constraintName,
                            const std::string& keyColumns) {
  return "ALTER TABLE[dbo].[" + tableName + "] WITH NOCHECK ADD CONSTRAINT[" + constraintName +
         "] UNIQUE CLUSTERED \r\n(\r\n[" + keyColumns + "] DSC\r\n)";
}

std::string checkStatement(const std::string& tableName, const std::string& constraintName,
                           const std::string& definition) {
  return "ALTER TABLE  [dbo].[" + tableName + "] WITH NOCHECK ADD CONSTRAINT[" + constraintName + "] CHECK " +
         definition;
}

std::string preparedKeyColumns(const TableRows& table, const std::vector<IndexInfo>& indexes,
                               const std::string& constraintName, bool primaryKey) {
  // The index that enforces the constraint carries its name; its key
  // columns, in key order, are the statement's column list.
  const IndexInfo* index = nullptr;
  for (const IndexInfo& candidate : indexes) {
    if (candidate.objectId != table.currentObject.objectId) continue;
    if (candidate.name == constraintName) {
      index = &candidate;
      break;
    }
    if (primaryKey && index == nullptr && (candidate.status & 0x20) != 0) index = &candidate;
  }
  std::vector<const IndexKeyColumn*> keys;
  for (const IndexKeyColumn& key : table.keyColumns) {
    if (index != nullptr && key.column.indexId == index->indexId) keys.push_back(&key);
  }
  std::stable_sort(keys.begin(), keys.end(), [](const IndexKeyColumn* a, const IndexKeyColumn* b) {
    return a->column.keyOrdinal < b->column.keyOrdinal;
  });
  std::string list = " ";
  for (const IndexKeyColumn* key : keys) {
    for (const ColumnLayout& layout : table.columns) {
      if (layout.columnId == key->column.columnId) list += layout.name + " , ";
    }
  }
  if (keys.empty()) {
    // No index row names the constraint: fall back on the columns' key marks.
    for (const ColumnLayout& layout : table.columns) {
      const bool qualifies =
          primaryKey ? layout.primaryKeyColumn : (layout.uniqueConstraintColumn || layout.uniqueIndexColumn);
      if (qualifies) list += layout.name + " , ";
    }
  }
  return closedColumnList(list);
}

std::string legacyKeyColumns(const LegacyTableInfo& table, bool primaryKey) {
  std::string list = " ";
  for (const LegacyColumnRef& column : table.columns) {
    const bool qualifies = primaryKey ? (column.typeStatus & 1) != 0
                                      : (column.typeStatus == 0 || (column.typeStatus & 1) != 0);
    if (qualifies) list += column.name + " , ";
  }
  return closedColumnList(list);
}

std::string definitionIdOf(const DatabaseCatalog& catalog, const TableInfo& object) {
  if (catalog.legacyLayout()) {
    for (const TableInfo& candidate : catalog.objects()) {
      if (candidate.name == object.name) return std::to_string(candidate.objectId);
    }
  }
  return std::to_string(object.objectId);
}

std::string keyNodeText(const TreeNode& node, TableReader& reader, DefinitionReader& definitions) {
  const TreeNode* group = node.parent;
  const TreeNode* tableNode = group ? group->parent : nullptr;
  if (group == nullptr || tableNode == nullptr) return {};
  const std::string& tableName = tableNode->text;
  const DatabaseCatalog& catalog = reader.catalog();
  if (group->text == "PrimaryKey" || group->text == "Unique") {
    const bool primary = group->text == "PrimaryKey";
    if (catalog.legacyLayout()) {
      for (const LegacyTableInfo& table : catalog.legacyTables()) {
        if (table.objectId == node.itemData) {
          const std::string columns = legacyKeyColumns(table, primary);
          return primary ? primaryKeyStatement(table.name, columns) : uniqueStatement(table.name, node.text, columns);
        }
      }
      return primary ? primaryKeyStatement("", "") : uniqueStatement("", node.text, "");
    }
    if (reader.prepared().currentObject.name != tableName) {
      const bool system = tableNode->parent != nullptr && tableNode->parent->text == "System Tables";
      reader.readTable(tableName, system ? "S " : "U ", {});
    }
    const std::string columns = preparedKeyColumns(reader.prepared(), catalog.indexes(), node.text, primary);
    return primary ? primaryKeyStatement(tableName, columns) : uniqueStatement(tableName, node.text, columns);
  }
  const TableInfo object = catalog.findObject(node.text, "P ");
  if (object.objectId == -1) return {};
  const std::string text = definitions.definition(definitionIdOf(catalog, object));
  return group->text == "Constraint" ? checkStatement(tableName, node.text, text) : text;
}

}  // namespace pellora
