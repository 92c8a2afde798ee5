// The catalog of the synthetic content database beyond its tables, read as
// a user reads it with the program: every SharePoint table's primary key
// statement names its key columns in key order (through the index named
// like the constraint, clustered or, on the heap AllLists, nonclustered),
// the views and procedures give back exactly the source text stored for
// them, and the procedures appear in the object tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/command_runner.h"
#include "kit/content_db_catalog.h"
#include "kit/content_db_file.h"
#include "kit/opened_content_db.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

struct LayoutCase {
  const char* name;
  kit::ContentLayout layout;
  const char* websTable;
  std::vector<std::string> modules;  // the views and procedures, by name
};

const LayoutCase kLayouts[] = {
    {"2010", kit::ContentLayout::k2010, "AllWebs",
     {"Docs", "Webs", "proc_GetListsOfWeb", "proc_GetDocStream", "proc_ListChildFolders"}},
    {"2007", kit::ContentLayout::k2007, "Webs", {"Docs", "proc_GetListsOfWeb", "proc_GetDocStream", "proc_ListChildFolders"}},
    {"2005", kit::ContentLayout::k2005, "Webs", {"Docs", "proc_GetListsOfWeb", "proc_GetDocStream", "proc_ListChildFolders"}},
};

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// The lines of `text` after the line `heading` that are indented deeper than it.
std::vector<std::string> linesUnder(const std::string& text, const std::string& heading) {
  std::vector<std::string> lines;
  const size_t start = text.find("\n" + heading + "\n");
  if (start == std::string::npos) return lines;
  const size_t indent = heading.find_first_not_of(' ');
  for (size_t at = start + heading.size() + 2; at < text.size();) {
    const size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    const size_t lineIndent = line.find_first_not_of(' ');
    if (lineIndent == std::string::npos || lineIndent <= indent) break;
    lines.push_back(line.substr(lineIndent));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

class ContentDbCatalog : public testing::TestWithParam<LayoutCase> {
 protected:
  // Written for the program alone: a file the test kept open could not be
  // opened by it.
  void SetUp() override {
    kit::ContentFileOptions options;
    options.layout = GetParam().layout;
    path_ = dir_.file("content.mdf");
    ASSERT_TRUE(kit::contentDatabaseFile(kit::buildContentModel(kit::OpenedContentDb::small()), options).writeTo(path_));
  }

  kit::CommandResult run(const std::string& command, const std::string& object = "") {
    std::vector<std::string> arguments = {command, path_};
    if (!object.empty()) arguments.push_back(object);
    arguments.insert(arguments.end(), {"--log-dir", dir_.path()});
    return kit::runPellora(arguments);
  }

  kit::TempDir dir_;
  std::string path_;
};

INSTANTIATE_TEST_SUITE_P(ContentDb, ContentDbCatalog, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return std::string("Layout") + info.param.name; });

TEST_P(ContentDbCatalog, KeysShowEachTablesPrimaryKeyWithItsColumnsInKeyOrder) {
  struct KeyCase {
    std::string table, constraint, columns;
    size_t keyColumns;
  };
  const std::vector<KeyCase> cases = {
      {"AllDocs", "AllDocs_PK", " SiteId , DeleteTransactionId , DirName , LeafName , Level ", 5},
      {"AllDocStreams", "AllDocStreams_PK", " SiteId , Id , InternalVersion ", 3},
      // A heap: the key is a nonclustered index beside the heap's index row.
      {"AllLists", "AllLists_PK", " tp_WebId , tp_ID ", 2},
      {GetParam().websTable, "Webs_PK", " Id ", 1},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.table);
    const kit::CommandResult result = run("keys", c.table);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(linesUnder(result.out, "PrimaryKey"),
              (std::vector<std::string>{c.constraint, "ALTER TABLE " + c.table + " ADD PRIMARY KEY (" + c.columns + ")"}))
        << result.out;
    // The key columns, and only they, are marked in the column list.
    EXPECT_EQ(countOf(result.out, "[Primary Key]"), c.keyColumns) << result.out;
  }
}

TEST_P(ContentDbCatalog, DefinitionGivesExactlyTheStoredTextOfEachViewAndProcedure) {
  std::vector<std::string> names;
  for (const kit::ContentModule& module : kit::contentModules(GetParam().layout)) {
    SCOPED_TRACE(module.name);
    names.push_back(module.name);
    const kit::CommandResult result = run("definition", module.name);
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, module.text + "\n");
  }
  EXPECT_EQ(names, GetParam().modules);
}

TEST_P(ContentDbCatalog, TreeListsTheProceduresByNameAndGivesKeysNoNode) {
  const kit::CommandResult result = run("tree");
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(linesUnder(result.out, "    Store Procedure"),
            (std::vector<std::string>{"proc_GetDocStream", "proc_GetListsOfWeb", "proc_ListChildFolders"}));
  EXPECT_EQ(result.out.find("_PK"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace pellora
