// The table and object commands as a user runs them: list and its screens,
// export as CSV and TSV, tree, definition and keys, and the messages for
// names that are not tables of the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/command_runner.h"
#include "kit/primary_file.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

kit::PrimaryFileLayout layoutWith(uint64_t records) {
  kit::PrimaryFileLayout layout;
  layout.userRecordCount = records;
  return layout;
}

// Names that delimited text has to quote or escape, and a NULL name.
kit::PrimaryFileLayout awkwardNames() {
  kit::PrimaryFileLayout layout = layoutWith(6);
  layout.userRecordNames = {{1, "a,b"}, {2, "say \"hi\""}, {3, "two\r\nlines"},
                            {4, std::nullopt}, {5, "tab\there"}, {6, "back\\slash"}};
  return layout;
}

kit::CatalogRows nullableNames(const kit::PrimaryFileLayout& layout) {
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  rows.columns[1].status = 0;  // Name may be NULL
  return rows;
}

class TableCommands : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  std::string write(const kit::DataFileBuilder& builder, const std::string& name = "db.mdf") {
    std::string path = dir_.file(name);
    EXPECT_TRUE(builder.writeTo(path));
    return path;
  }

  // Runs pellora with the log kept in the temporary folder.
  kit::CommandResult run(std::vector<std::string> arguments) {
    arguments.push_back("--log-dir");
    arguments.push_back(dir_.path());
    return kit::runPellora(arguments);
  }

  kit::TempDir dir_;
};

std::string lines(const std::vector<std::string>& texts, const char* end = "\n") {
  std::string out;
  for (const std::string& text : texts) out += text + end;
  return out;
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

TEST_F(TableCommands, ListPrintsTheHeadingsTheRowsAndTheLabels) {
  struct Case {
    const char* name;
    kit::PrimaryFileLayout layout;
    std::vector<std::string> expected;
  } cases[] = {
      {"plain rows", layoutWith(3),
       {"Id\tName", "1\trow 1", "2\trow 2", "3\trow 3", "Page1 - [3](1-3) Records", "0 rows to 3"}},
      {"cells are escaped as in TSV, NULL shown as such", awkwardNames(),
       {"Id\tName", "1\ta,b", "2\tsay \"hi\"", "3\ttwo\\r\\nlines", "4\tNULL", "5\ttab\\there",
        "6\tback\\\\slash", "Page1 - [6](1-6) Records", "0 rows to 6"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = write(kit::minimalPrimaryFile(c.layout, nullableNames(c.layout)));
    for (bool advanced : {false, true}) {
      std::vector<std::string> arguments = {"list", path, "SampleTable"};
      if (advanced) arguments.push_back("--advanced");
      kit::CommandResult result = run(arguments);
      EXPECT_EQ(result.exitStatus, 0) << result.err;
      EXPECT_EQ(result.out, lines(c.expected)) << (advanced ? "Advanced mode" : "Standard mode");
    }
  }
}

TEST_F(TableCommands, ListShowsTheScreenAskedFor) {
  std::string path = write(kit::minimalPrimaryFile(layoutWith(1001)));
  kit::CommandResult first = run({"list", path, "SampleTable"});
  EXPECT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_EQ(countOf(first.out, "\n"), 1003u) << "headings, 1000 rows and the two labels";
  EXPECT_NE(first.out.find("\n1000\trow 1000\nPage1 - [1000](1-1000) Records\n0 rows to 1000\n"), std::string::npos);

  kit::CommandResult second = run({"list", path, "SampleTable", "--screen", "2"});
  EXPECT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.out, lines({"Id\tName", "1001\trow 1001", "Page2 - [1](1001-1001) Records", "1000 rows to 1001"}));

  kit::CommandResult beyond = run({"list", path, "SampleTable", "--screen", "3"});
  EXPECT_EQ(beyond.exitStatus, 1);
  EXPECT_EQ(beyond.out, "");
  EXPECT_NE(beyond.err.find("table \"SampleTable\" has 2 screen(s); there is no screen 3"), std::string::npos)
      << beyond.err;

  EXPECT_EQ(run({"list", path, "SampleTable", "--screen", "0"}).exitStatus, 2) << "screens count from 1";
}

TEST_F(TableCommands, ExportWritesEveryRowAsCsvOrTsv) {
  kit::PrimaryFileLayout layout = awkwardNames();
  std::string path = write(kit::minimalPrimaryFile(layout, nullableNames(layout)));
  const std::string csvHead = "Id,Name\r\n1,\"a,b\"\r\n2,\"say \"\"hi\"\"\"\r\n3,\"two\r\nlines\"\r\n";
  const std::string csvTail = "5,tab\there\r\n6,back\\slash\r\n";
  const std::string tsvHead = "Id\tName\n1\ta,b\n2\tsay \"hi\"\n3\ttwo\\r\\nlines\n";
  const std::string tsvTail = "5\ttab\\there\n6\tback\\\\slash\n";
  struct Case {
    const char* name;
    std::vector<std::string> options;
    std::string expected;
  } cases[] = {
      {"CSV by default, NULL empty", {}, csvHead + "4,\r\n" + csvTail},
      {"CSV", {"--format", "csv"}, csvHead + "4,\r\n" + csvTail},
      {"CSV with a NULL text", {"--null", "NULL"}, csvHead + "4,NULL\r\n" + csvTail},
      {"a NULL text is quoted like any value", {"--null", "n/a, none"}, csvHead + "4,\"n/a, none\"\r\n" + csvTail},
      {"CSV in Advanced mode", {"--advanced"}, csvHead + "4,\r\n" + csvTail},
      {"TSV", {"--format", "tsv"}, tsvHead + "4\t\n" + tsvTail},
      {"TSV with a NULL text", {"--format", "tsv", "--null", "\\N"}, tsvHead + "4\t\\\\N\n" + tsvTail},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> arguments = {"export", path, "SampleTable"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    kit::CommandResult result = run(arguments);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, c.expected);
  }
  EXPECT_EQ(run({"export", path, "SampleTable", "--format", "xml"}).exitStatus, 2);
}

TEST_F(TableCommands, ExportWritesAllScreensWithoutLabels) {
  std::string path = write(kit::minimalPrimaryFile(layoutWith(2001)));
  kit::CommandResult result = run({"export", path, "SampleTable"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(countOf(result.out, "\r\n"), 2002u);
  EXPECT_EQ(result.out.substr(0, 22), "Id,Name\r\n1,row 1\r\n2,ro");
  EXPECT_NE(result.out.find("\r\n1000,row 1000\r\n1001,row 1001\r\n"), std::string::npos);
  EXPECT_TRUE(result.out.ends_with("\r\n2001,row 2001\r\n"));
  EXPECT_EQ(result.out.find("Records"), std::string::npos);
}

TEST_F(TableCommands, NamesThatAreNotTablesAreRefused) {
  std::string path = write(kit::minimalPrimaryFile());
  struct Case {
    const char* command;
    const char* name;
    const char* message;
  } cases[] = {
      {"list", "NoSuchTable", "no table named \"NoSuchTable\" in this database"},
      {"list", "SampleView", "\"SampleView\" is not a table (type V )"},
      {"list", "SampleProcedure", "\"SampleProcedure\" is not a table (type P )"},
      {"list", "", "no table named \"\" in this database"},
      {"list", "sampletable", "no table named \"sampletable\""},
      {"export", "NoSuchTable", "no table named \"NoSuchTable\" in this database"},
      {"export", "SampleView", "\"SampleView\" is not a table (type V )"},
      {"export", "", "no table named \"\" in this database"},
      {"keys", "NoSuchTable", "no table named \"NoSuchTable\" in this database"},
      {"keys", "SampleView", "no table named \"SampleView\" in this database"},
      {"keys", "", "no table named \"\" in this database"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " \"" + c.name + "\"");
    kit::CommandResult result = run({c.command, path, c.name});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "") << "nothing is written for a refused name";
  }
}

TEST_F(TableCommands, TreeMarksTablesThatHoldData) {
  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  kit::ObjectRow empty = rows.objects[0];
  empty.objectId = 1010;
  empty.name = "EmptyTable";
  rows.objects.push_back(empty);
  kit::ColumnRow only = rows.columns[0];
  only.objectId = 1010;
  rows.columns.push_back(only);
  std::string path = write(kit::minimalPrimaryFile(layout, rows));
  kit::CommandResult result = run({"tree", path});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, lines({
                            "PelloraSample",
                            "  Views",
                            "    SampleView",
                            "  Programmability",
                            "    Triggers",
                            "    Default",
                            "    Store Procedure",
                            "      SampleProcedure",
                            "    Function",
                            "  Tables",
                            "    System Tables",
                            "    User Tables",
                            "      EmptyTable",
                            "        Columns",
                            "      *SampleTable",
                            "        Columns",
                        }));
}

TEST_F(TableCommands, DefinitionIsShownForProgrammabilityObjectsOnly) {
  std::string path = write(kit::minimalPrimaryFile());
  // The sample holds no definition text: the view's is empty.
  kit::CommandResult view = run({"definition", path, "SampleView"});
  EXPECT_EQ(view.exitStatus, 0) << view.err;
  EXPECT_EQ(view.err, "");

  kit::CommandResult table = run({"definition", path, "SampleTable"});
  EXPECT_EQ(table.exitStatus, 1);
  EXPECT_NE(table.err, "");
  EXPECT_EQ(table.out, "");

  kit::CommandResult missing = run({"definition", path, "NoSuchView"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_NE(missing.err.find("no object named \"NoSuchView\""), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");
}

// A table has no definition text; the command says so rather than
// reporting it missing.
TEST_F(TableCommands, DefinitionOfATableSaysItIsATable) {
  std::string path = write(kit::minimalPrimaryFile());
  kit::CommandResult table = run({"definition", path, "SampleTable"});
  EXPECT_EQ(table.exitStatus, 1);
  EXPECT_NE(table.err.find("\"SampleTable\" is a table (type U ) and has no definition text"), std::string::npos)
      << table.err;
}

TEST_F(TableCommands, KeysListsTheGroupsTheirConstraintsAndTheColumns) {
  kit::PrimaryFileLayout layout;
  kit::CatalogRows rows = kit::sampleCatalog(layout);
  auto constraint = [&](int32_t id, const char* name, const char* type) {
    kit::ObjectRow row = rows.objects[0];
    row.objectId = id;
    row.name = name;
    row.typeCode = type;
    row.parentObjectId = layout.userObjectId;
    rows.objects.push_back(row);
  };
  constraint(1020, "PK_Sample", "PK");
  constraint(1021, "CK_Id", "C ");
  std::string path = write(kit::minimalPrimaryFile(layout, rows));
  kit::CommandResult result = run({"keys", path, "SampleTable"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  // The file has no index rows: the key's column list is empty.
  EXPECT_EQ(result.out, lines({
                            "ForeignKey",
                            "Unique",
                            "Constraint",
                            "  CK_Id",
                            "    ALTER TABLE  [dbo].[SampleTable] WITH NOCHECK ADD CONSTRAINT[CK_Id] CHECK ",
                            "PrimaryKey",
                            "  PK_Sample",
                            "    ALTER TABLE SampleTable ADD PRIMARY KEY ()",
                            "Columns",
                            "  Id  int(4)",
                            "  Name  varchar(50)",
                        }));
}

}  // namespace
}  // namespace pellora
