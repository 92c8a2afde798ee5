// The object tree: its root and group nodes, one node per object under its
// group, tables with data in bold, the nodes a table gets on its first
// click; and the texts of column nodes and key statements.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/recovery_run.h"
#include "catalog/database_catalog.h"
#include "catalog/object_tree.h"
#include "catalog/table_reader.h"
#include "kit/primary_file.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora {
namespace {

// The tree below `node` as indented lines, bold nodes marked with "*".
void outlineInto(const TreeNode& node, int level, std::vector<std::string>& lines) {
  lines.push_back(std::string(2 * static_cast<size_t>(level), ' ') + (node.bold ? "*" : "") + node.text);
  for (const auto& child : node.children) outlineInto(*child, level + 1, lines);
}

std::vector<std::string> outline(const TreeNode& node) {
  std::vector<std::string> lines;
  outlineInto(node, 0, lines);
  return lines;
}

std::vector<std::string> childTexts(const TreeNode& node) {
  std::vector<std::string> texts;
  for (const auto& child : node.children) texts.push_back(child->text);
  return texts;
}

kit::ObjectRow object(int32_t id, std::string name, std::string type, int32_t parent = 0) {
  kit::ObjectRow row;
  row.objectId = id;
  row.name = std::move(name);
  row.typeCode = std::move(type);
  row.parentObjectId = parent;
  return row;
}

kit::ColumnRow intColumn(int32_t objectId, int32_t columnId, std::string name) {
  kit::ColumnRow row;
  row.objectId = objectId;
  row.columnId = columnId;
  row.name = std::move(name);
  return row;
}

constexpr int32_t kSampleTableId = 1001;

// The sample catalog with one object of every kind the tree knows, and some
// it has no node for. The objects are listed in an order that neither the
// tree's insertion nor its sorting gives back by chance.
kit::CatalogRows fullCatalog(const kit::PrimaryFileLayout& layout) {
  kit::CatalogRows rows = kit::sampleCatalog(layout);  // SampleTable, SampleView, SampleProcedure
  std::vector<kit::ObjectRow> more = {
      object(1004, "SecondView", "V "),
      object(1005, "zeta_proc", "P "),
      object(1006, "Alpha_proc", "P "),
      object(1007, "beta_proc", "P "),
      object(1008, "fn_b", "FN"),
      object(1009, "fn_A", "IF"),
      object(1010, "fn_c", "TF"),
      object(1011, "trg_audit", "TR"),
      object(1012, "dflt_zero", "D "),
      object(1013, "ZedTable", "U "),
      object(1014, "SysThing", "S "),
      object(1015, "xp_extended", "X "),
      object(1016, "TableTypeRow", "TT"),
      object(1020, "PK_Sample", "PK", kSampleTableId),
      object(1021, "UQ_Name", "UQ", kSampleTableId),
      object(1022, "CK_Id", "C ", kSampleTableId),
      object(1023, "FK_Ref", "F ", kSampleTableId),
      object(1024, "DF_Name", "D ", kSampleTableId),
  };
  rows.objects.insert(rows.objects.end(), more.begin(), more.end());
  // A third column of the sample table, listed before the others: nodes
  // follow the column ids, not the catalog's row order.
  rows.columns.insert(rows.columns.begin(), intColumn(kSampleTableId, 3, "Extra"));
  rows.columns.push_back(intColumn(1013, 1, "Only"));
  rows.columns.push_back(intColumn(1014, 1, "SysColumn"));
  return rows;
}

class ObjectTreeFixture : public testing::Test {
 protected:
  void open(const kit::DataFileBuilder& builder) {
    ASSERT_FALSE(dir_.path().empty());
    path_ = dir_.file("db.mdf");
    ASSERT_TRUE(builder.writeTo(path_));
    file_ = std::make_unique<DatabaseFile>(path_, silentNotifier(), flags_);
    ASSERT_TRUE(file_->valid());
    catalog_ = std::make_unique<DatabaseCatalog>(*file_, CollationRequest{});
    reader_ = std::make_unique<TableReader>(*catalog_, *file_);
  }

  void openFull() {
    kit::PrimaryFileLayout layout;
    open(kit::minimalPrimaryFile(layout, fullCatalog(layout)));
  }

  kit::TempDir dir_;
  std::string path_;
  RunFlags flags_;
  std::unique_ptr<DatabaseFile> file_;
  std::unique_ptr<DatabaseCatalog> catalog_;
  std::unique_ptr<TableReader> reader_;
  TreeModel model_;
  ObjectTree tree_{model_, silentNotifier()};
};

using ObjectTreeNodes = ObjectTreeFixture;
using ObjectTreeExpand = ObjectTreeFixture;

TEST(ObjectTreeGroups, RootAndGroupNodesInDisplayOrder) {
  struct Case {
    const char* databaseName;
    const char* rootText;
  } cases[] = {{"PelloraSample", "PelloraSample"}, {"", "RepairDataBase"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rootText);
    TreeModel model;
    ObjectTree tree(model, silentNotifier());
    tree.create(c.databaseName);
    ASSERT_EQ(model.top().children.size(), 1u);
    ASSERT_EQ(tree.root(), model.top().firstChild());
    std::vector<std::string> expected = {
        c.rootText,           "  Views",    "  Programmability", "    Triggers",   "    Default",
        "    Store Procedure", "    Function", "  Tables",          "    System Tables", "    User Tables",
    };
    EXPECT_EQ(outline(*tree.root()), expected);
    for (const char* group : {"Views", "Triggers", "Default", "Store Procedure", "Function", "System Tables",
                              "User Tables"}) {
      ASSERT_NE(tree.group(group), nullptr) << group;
      EXPECT_EQ(tree.group(group)->text, group);
    }
    EXPECT_EQ(tree.group("Columns"), nullptr);
  }
}

TEST_F(ObjectTreeNodes, EveryObjectGoesUnderItsGroupAndTablesWithDataAreBold) {
  openFull();
  tree_.create("PelloraSample");
  ASSERT_TRUE(tree_.fill(*reader_, {}));
  std::vector<std::string> expected = {
      "PelloraSample",
      "  Views",
      "    SecondView",  // nodes go in first: the objects list read backwards
      "    SampleView",
      "  Programmability",
      "    Triggers",
      "      trg_audit",
      "    Default",
      "      DF_Name",
      "      dflt_zero",
      "    Store Procedure",  // sorted by name, whatever the case
      "      Alpha_proc",
      "      beta_proc",
      "      SampleProcedure",
      "      zeta_proc",
      "    Function",
      "      fn_A",
      "      fn_b",
      "      fn_c",
      "  Tables",
      "    System Tables",
      "      SysThing",
      "        Columns",
      "    User Tables",
      "      ZedTable",
      "        Columns",
      "      *SampleTable",
      "        Columns",
  };
  EXPECT_EQ(outline(*tree_.root()), expected);

  for (const char* name : {"SampleView", "SampleProcedure", "SampleTable", "fn_A"}) {
    SCOPED_TRACE(name);
    bool found = false;
    for (const auto& group : {"Views", "Store Procedure", "User Tables", "Function"}) {
      if (TreeNode* node = tree_.group(group)->child(name)) {
        EXPECT_EQ(node->itemData, kObjectNodeData);
        found = true;
      }
    }
    EXPECT_TRUE(found);
  }
  EXPECT_EQ(tree_.group("Views")->itemData, 0) << "group nodes carry no item data";

  // Objects without a node are still known to the tree.
  std::vector<std::string> known;
  for (const TreeObject& known_object : tree_.objects()) known.push_back(known_object.name);
  EXPECT_NE(std::find(known.begin(), known.end(), "xp_extended"), known.end());
  EXPECT_NE(std::find(known.begin(), known.end(), "TableTypeRow"), known.end());
}

TEST_F(ObjectTreeNodes, FillNeedsTheRootAndSomeObject) {
  openFull();
  EXPECT_FALSE(tree_.fill(*reader_, {})) << "no root was created";
  EXPECT_TRUE(model_.top().children.empty());
}

// The scan of a recovery run builds the tree, then sorts the user tables.
TEST(ObjectTreeScan, TheScanBuildsTheTreeWithSortedUserTables) {
  kit::TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  kit::PrimaryFileLayout layout;
  ASSERT_TRUE(kit::minimalPrimaryFile(layout, fullCatalog(layout)).writeTo(dir.file("db.mdf")));
  ApplicationState state;
  state.options.dataFilePath = dir.file("db.mdf");
  state.options.logFolder = dir.path() + "/";
  RecoveryRun run(state, silentNotifier());
  run.begin();
  ASSERT_EQ(run.scan(), ScanOutcome::kCompleted);
  ASSERT_NE(run.objectTree().root(), nullptr);
  EXPECT_EQ(run.objectTree().root()->text, "PelloraSample");
  const TreeNode* userTables = run.objectTree().group("User Tables");
  ASSERT_NE(userTables, nullptr);
  EXPECT_EQ(childTexts(*userTables), (std::vector<std::string>{"SampleTable", "ZedTable"}));
  EXPECT_TRUE(userTables->child("SampleTable")->bold);
  EXPECT_FALSE(userTables->child("ZedTable")->bold);
  EXPECT_NE(run.tableReader(), nullptr);
}

TEST_F(ObjectTreeExpand, ATableGetsItsKeyGroupsAndColumnsOnce) {
  openFull();
  tree_.create("PelloraSample");
  ASSERT_TRUE(tree_.fill(*reader_, {}));
  TreeNode* table = tree_.group("User Tables")->child("SampleTable");
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(tree_.expandTableNode(*table, *reader_, {}));
  std::vector<std::string> expected = {
      "*SampleTable",
      "  ForeignKey",
      "    FK_Ref",
      "  Unique",
      "    UQ_Name",
      "  Constraint",
      "    DF_Name",
      "    CK_Id",
      "  PrimaryKey",
      "    PK_Sample",
      "  Columns",
      "    Id  int(4)",
      "    Name  varchar(50)",
      "    Extra  int(4)",
  };
  EXPECT_EQ(outline(*table), expected);
  // Check and default constraints are told apart from keys by their item data.
  EXPECT_EQ(table->child("Constraint")->child("CK_Id")->itemData, 1);
  EXPECT_EQ(table->child("Constraint")->child("DF_Name")->itemData, 1);
  EXPECT_EQ(table->child("PrimaryKey")->child("PK_Sample")->itemData, 0);
  EXPECT_EQ(table->child("Unique")->child("UQ_Name")->itemData, 0);

  EXPECT_FALSE(tree_.expandTableNode(*table, *reader_, {})) << "a table is expanded on its first click only";
  EXPECT_EQ(outline(*table), expected);
}

TEST_F(ObjectTreeExpand, ASystemTableIsLookedUpAsOne) {
  openFull();
  tree_.create("PelloraSample");
  ASSERT_TRUE(tree_.fill(*reader_, {}));
  TreeNode* table = tree_.group("System Tables")->child("SysThing");
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(tree_.expandTableNode(*table, *reader_, {}));
  EXPECT_EQ(childTexts(*table),
            (std::vector<std::string>{"ForeignKey", "Unique", "Constraint", "PrimaryKey", "Columns"}));
  EXPECT_EQ(childTexts(*table->child("Columns")), (std::vector<std::string>{"SysColumn  int(4)"}));
}

TEST_F(ObjectTreeExpand, NodesThatAreNotUnexpandedTablesAreLeftAlone) {
  openFull();
  tree_.create("PelloraSample");
  ASSERT_TRUE(tree_.fill(*reader_, {}));
  TreeNode* view = tree_.group("Views")->child("SampleView");
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(tree_.expandTableNode(*view, *reader_, {}));
  EXPECT_TRUE(view->children.empty());
  TreeNode orphan;
  orphan.text = "SampleTable";
  model_.insertFirstChild(orphan, "Columns");
  EXPECT_FALSE(tree_.expandTableNode(orphan, *reader_, {})) << "a node without a group";
  EXPECT_EQ(orphan.children.size(), 1u);
}

ColumnLayout column(const std::string& name, const std::string& type) {
  ColumnLayout layout;
  layout.name = name;
  layout.typeText = type;
  return layout;
}

TEST(KeyStatements, ColumnNodeTextsShowKeysAndReferences) {
  struct Case {
    const char* name;
    bool primary, uniqueIndex, uniqueConstraint, foreign;
    const char* expected;
  } cases[] = {
      {"plain column", false, false, false, false, "Id  int(4)"},
      {"primary key", true, false, false, false, "Id  int(4)[Primary Key]"},
      {"unique index", false, true, false, false, "Id  int(4)[Unique]"},
      {"unique constraint", false, false, true, false, "Id  int(4)[Unique]"},
      {"primary key wins over unique", true, true, true, false, "Id  int(4)[Primary Key]"},
      {"foreign key", false, false, false, true, "Id  int(4)  (foreign key) references Orders( OrderId)"},
      {"primary and foreign key", true, false, false, true,
       "Id  int(4)[Primary Key]  (foreign key) references Orders( OrderId)"},
      {"unique and foreign key", false, true, false, true,
       "Id  int(4)[Unique]  (foreign key) references Orders( OrderId)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ColumnLayout layout = column("Id", "int(4)");
    layout.primaryKeyColumn = c.primary;
    layout.uniqueIndexColumn = c.uniqueIndex;
    layout.uniqueConstraintColumn = c.uniqueConstraint;
    layout.foreignKeyColumn = c.foreign;
    layout.referencedTableName = "Orders";
    layout.referencedColumnName = "OrderId";
    EXPECT_EQ(columnNodeText(layout), c.expected);
  }
}

TEST(KeyStatements, StatementFormats) {
  struct Case {
    const char* name;
    std::string statement;
    const char* expected;
  } cases[] = {
      {"primary key", primaryKeyStatement("Orders", " Id , Line "), "ALTER TABLE Orders ADD PRIMARY KEY ( Id , Line )"},
      {"unique", uniqueStatement("Orders", "UQ_Code", " Code "),
       "ALTER TABLE[dbo].[Orders] WITH NOCHECK ADD CONSTRAINT[UQ_Code] UNIQUE CLUSTERED \r\n(\r\n[ Code ] DSC\r\n)"},
      {"check", checkStatement("Orders", "CK_Qty", "([Qty]>(0))"),
       "ALTER TABLE  [dbo].[Orders] WITH NOCHECK ADD CONSTRAINT[CK_Qty] CHECK ([Qty]>(0))"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.statement, c.expected);
  }
}

TEST(KeyStatements, LegacyKeyColumnsFollowTheTypeStatusBits) {
  LegacyTableInfo table;
  table.objectId = 5;
  table.columns = {{"a", 1, 1}, {"b", 2, 0}, {"c", 3, 2}, {"d", 4, 3}};
  const LegacyTableInfo empty;
  struct Case {
    const char* name;
    const LegacyTableInfo& table;
    bool primary;
    const char* expected;
  } cases[] = {
      {"primary key: bit 1 set", table, true, " a , d "},
      {"unique: no bits, or bit 1", table, false, " a , b , d "},
      {"no columns", empty, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(legacyKeyColumns(c.table, c.primary), c.expected);
  }
}

// A table with three columns and two indexes: the primary key on b, a unique
// key on (a, c) whose columns are listed out of key order. Another table has
// an index of its own.
TableRows keyedTable() {
  TableRows table;
  table.currentObject.objectId = 7;
  table.columns = {column("a", "int(4)"), column("b", "int(4)"), column("c", "int(4)")};
  for (int32_t i = 0; i < 3; ++i) table.columns[static_cast<size_t>(i)].columnId = i + 1;
  table.columns[2].uniqueIndexColumn = true;  // the marks the index rows would give
  table.columns[1].primaryKeyColumn = true;
  auto key = [](int32_t indexId, int32_t columnId, int32_t keyOrdinal) {
    IndexKeyColumn column;
    column.column.objectId = 7;
    column.column.indexId = indexId;
    column.column.columnId = columnId;
    column.column.keyOrdinal = keyOrdinal;
    return column;
  };
  table.keyColumns = {key(1, 2, 1), key(2, 3, 2), key(2, 1, 1)};
  return table;
}

std::vector<IndexInfo> keyedIndexes() {
  auto index = [](int32_t objectId, int32_t indexId, const char* name, int32_t status) {
    IndexInfo info;
    info.objectId = objectId;
    info.indexId = indexId;
    info.name = name;
    info.status = status;
    return info;
  };
  return {index(8, 2, "UQ_Other", 0x09), index(7, 1, "PK_T", 0x21), index(7, 2, "UQ_T", 0x09)};
}

TEST(KeyStatements, PreparedKeyColumnsAreThoseOfTheIndexNamedLikeTheConstraint) {
  const TableRows table = keyedTable();
  const std::vector<IndexInfo> indexes = keyedIndexes();
  struct Case {
    const char* name;
    const char* constraint;
    bool primary;
    const char* expected;
  } cases[] = {
      {"unique key, in key order", "UQ_T", false, " a , c "},
      {"primary key by its name", "PK_T", true, " b "},
      {"primary key whose index has another name", "PK_Renamed", true, " b "},
      {"an index of another table is not taken", "UQ_Other", false, " c "},
      {"no index: the columns' key marks", "UQ_Missing", false, " c "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(preparedKeyColumns(table, indexes, c.constraint, c.primary), c.expected);
  }
  EXPECT_EQ(primaryKeyStatement("T", preparedKeyColumns(table, indexes, "PK_T", true)),
            "ALTER TABLE T ADD PRIMARY KEY ( b )");
}

}  // namespace
}  // namespace pellora
