// Browsing after a scan: node clicks and paging on the run's models.
#include "app/browser.h"

#include <gtest/gtest.h>

#include "kit/primary_file.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

class BrowserTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file("sample.mdf");
    kit::PrimaryFileLayout layout;
    layout.userPageCount = 264;  // 1056 rows: two screens
    ASSERT_TRUE(kit::minimalPrimaryFile(layout).writeTo(path_));
    state_.options.dataFilePath = path_;
    state_.options.logFolder = dir_.path() + "/";
    run_.begin();
    ASSERT_EQ(run_.scan(), ScanOutcome::kCompleted);
  }

  TreeNode& node(const std::string& group, const std::string& text) {
    TreeNode* parent = run_.objectTree().group(group);
    EXPECT_NE(parent, nullptr);
    TreeNode* found = parent ? parent->child(text) : nullptr;
    EXPECT_NE(found, nullptr) << text;
    return *found;
  }

  kit::TempDir dir_;
  std::string path_;
  ApplicationState state_;
  RecoveryRun run_{state_, silentNotifier()};
  ContentModel content_;
  Browser browser_{run_, state_, content_, silentNotifier()};
};

TEST_F(BrowserTest, TableClickListsItsFirstScreenAndAddsItsNodesOnce) {
  TreeNode& table = node("User Tables", "SampleTable");
  ASSERT_EQ(browser_.clickNode(table), BrowseResult::kDone);
  EXPECT_TRUE(content_.recordsShown);
  EXPECT_EQ(content_.records.columns, (std::vector<std::string>{"Id", "Name"}));
  EXPECT_EQ(content_.records.rows.size(), 1000u);
  EXPECT_EQ(content_.records.pageLabel, "Page1 - [1000](1-1000) Records");
  EXPECT_TRUE(content_.records.nextEnabled);
  EXPECT_EQ(content_.caption, "SampleTable[1000]");
  EXPECT_EQ(state_.log.paneLines().back(), "Scanning process completed.");
  EXPECT_FALSE(state_.flags.processRunning.load());

  const size_t children = table.children.size();
  ASSERT_EQ(browser_.clickNode(table), BrowseResult::kDone);
  EXPECT_EQ(table.children.size(), children);
  EXPECT_EQ(content_.records.rows.size(), 1000u);
}

TEST_F(BrowserTest, PagingMovesBetweenScreens) {
  ASSERT_EQ(browser_.clickNode(node("User Tables", "SampleTable")), BrowseResult::kDone);
  ASSERT_EQ(browser_.nextScreen(), BrowseResult::kDone);
  EXPECT_EQ(content_.records.rows.size(), 56u);
  EXPECT_EQ(content_.records.pageLabel, "Page2 - [56](1001-1056) Records");
  EXPECT_EQ(content_.records.caption, "1000 rows to 1056");
  EXPECT_FALSE(content_.records.nextEnabled);
  EXPECT_EQ(browser_.nextScreen(), BrowseResult::kNothing);
  ASSERT_EQ(browser_.previousScreen(), BrowseResult::kDone);
  EXPECT_EQ(content_.records.pageLabel, "Page1 - [1000](1-1000) Records");
  EXPECT_EQ(content_.records.caption, "0 rows to 1000");
  ASSERT_EQ(browser_.nextScreen(), BrowseResult::kDone);
  EXPECT_EQ(content_.records.rows.size(), 56u);
}

TEST_F(BrowserTest, EverythingIsRefusedWhileAnotherOperationRuns) {
  state_.flags.processRunning = true;
  EXPECT_EQ(browser_.clickNode(node("User Tables", "SampleTable")), BrowseResult::kBusy);
  EXPECT_EQ(browser_.nextScreen(), BrowseResult::kBusy);
  EXPECT_EQ(browser_.previousScreen(), BrowseResult::kBusy);
  EXPECT_TRUE(content_.records.rows.empty());
}

TEST_F(BrowserTest, ViewClickShowsTheStatusTextInsteadOfRecords) {
  ASSERT_EQ(browser_.clickNode(node("User Tables", "SampleTable")), BrowseResult::kDone);
  ASSERT_EQ(browser_.clickNode(node("Views", "SampleView")), BrowseResult::kDone);
  EXPECT_FALSE(content_.recordsShown);
  EXPECT_TRUE(content_.records.rows.empty());
  EXPECT_EQ(content_.records.pageLabel, "Page1 - [0](0-0) Records");
  EXPECT_EQ(content_.caption, "SampleView[0]");
  EXPECT_EQ(browser_.nextScreen(), BrowseResult::kNothing);
}

TEST_F(BrowserTest, RootAndGroupClicksDoNothing) {
  EXPECT_EQ(browser_.clickNode(*run_.objectTree().root()), BrowseResult::kNothing);
  EXPECT_FALSE(state_.flags.processRunning.load());
}

}  // namespace
}  // namespace pellora
