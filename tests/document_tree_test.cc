// The document tree: sites, lists and the documents placed under them in
// "SharePointACTUAL", the folder hierarchy of "SharePointData", the folder
// listing a click on one of its nodes gives, and a whole run over a content
// database the kit wrote, checked against the kit's own description of it.
#include "sharepoint/document_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/browser.h"
#include "app/recovery_run.h"
#include "kit/content_db_file.h"
#include "kit/content_db_model.h"
#include "kit/temp_dir.h"

namespace pellora {
namespace {

// ---------------------------------------------------------------------------
// The model alone, from hand-made content.

WebEntry site(const std::string& id, const std::string& title) { return WebEntry{id, "site-collection", title, nullptr}; }
ListEntry list(const std::string& webId, const std::string& id, const std::string& title) {
  return ListEntry{webId, id, title, nullptr};
}
DocumentEntry document(const std::string& webId, const std::string& listId, const std::string& dirName,
                       const std::string& leafName, int64_t size, uint8_t type = 0) {
  DocumentEntry entry;
  entry.id = "doc-" + leafName;
  entry.webId = webId;
  entry.listId = listId;
  entry.dirName = dirName;
  entry.leafName = leafName;
  entry.size = size;
  entry.type = type;
  entry.timeCreated = "2012-03-04 05:06:07.000";
  entry.timeLastModified = "2012-04-05 06:07:08.000";
  return entry;
}

constexpr const char* kWeb = "{11111111-1111-1111-1111-111111111111}";
constexpr const char* kList = "{22222222-2222-2222-2222-222222222222}";

std::vector<std::string> textsOf(const TreeNode& node) {
  std::vector<std::string> texts;
  for (const auto& child : node.children) texts.push_back(child->text);
  return texts;
}

int countNodes(const TreeNode& node, const std::string& text) {
  int count = node.text == text ? 1 : 0;
  for (const auto& child : node.children) count += countNodes(*child, text);
  return count;
}

class DocumentTreeTest : public testing::Test {
 protected:
  // The stages in the order a run takes them; a document is placed under
  // its list only when its ListId can be an identifier, as the scan does.
  void build() {
    tree_.addSites();
    tree_.addLists();
    for (size_t i = 0; i < content_.documents.size(); ++i) {
      if (content_.documents[i].listId.size() > 5) tree_.placeDocument(i);
    }
    tree_.buildDataBranch();
  }

  void oneSiteOneList() {
    content_.sites.push_back(site(kWeb, "Team"));
    content_.lists.push_back(list(kWeb, kList, "Shared Documents"));
  }

  TreeNode& listNode() {
    TreeNode* node = content_.lists.at(0).node;
    EXPECT_NE(node, nullptr);
    return *node;
  }

  // The SharePointData folder at `parts`, null when missing.
  TreeNode* dataFolder(const std::vector<std::string>& parts) {
    TreeNode* node = tree_.dataRoot();
    for (const std::string& part : parts) {
      if (node == nullptr) return nullptr;
      node = node->child(part);
    }
    return node;
  }

  TreeModel model_;
  SharePointContent content_;
  DocumentTree tree_{model_, content_};
};

TEST_F(DocumentTreeTest, BothBranchesHangAtTheTopWithFolderIcons) {
  oneSiteOneList();
  build();
  EXPECT_EQ(textsOf(model_.top()), (std::vector<std::string>{"SharePointACTUAL", "SharePointData"}));
  ASSERT_NE(tree_.actualRoot(), nullptr);
  ASSERT_NE(tree_.dataRoot(), nullptr);
  EXPECT_EQ(tree_.actualRoot()->icon, kFolderIcon);
  EXPECT_EQ(tree_.dataRoot()->icon, kFolderIcon);
  // The roots and the sites name no folder that lists documents.
  EXPECT_EQ(tree_.actualRoot()->tagKind, 0);
  EXPECT_EQ(content_.sites[0].node->tagKind, 0);
  EXPECT_EQ(listNode().tagKind, kFolderTag);
  EXPECT_EQ(listNode().icon, kFolderIcon);
}

TEST_F(DocumentTreeTest, SiteWithoutTitleStillGetsItsNode) {
  content_.sites.push_back(site(kWeb, ""));
  content_.sites.push_back(site("{other}", "Second"));
  content_.lists.push_back(list(kWeb, kList, "Docs"));
  build();
  EXPECT_EQ(textsOf(*tree_.actualRoot()), (std::vector<std::string>{"", "Second"}));
  ASSERT_NE(content_.sites[0].node, nullptr);
  EXPECT_EQ(content_.sites[0].node->parent, tree_.actualRoot());
  // Its lists still find it.
  ASSERT_NE(content_.lists[0].node, nullptr);
  EXPECT_EQ(content_.lists[0].node->parent, content_.sites[0].node);
}

TEST_F(DocumentTreeTest, ListGoesUnderTheFirstSiteOfItsWebId) {
  content_.sites.push_back(site(kWeb, "First"));
  content_.sites.push_back(site(kWeb, "Same id"));
  content_.lists.push_back(list(kWeb, kList, "Docs"));
  content_.lists.push_back(list("{no such web}", "{33333333-3333-3333-3333-333333333333}", "Lost"));
  build();
  ASSERT_NE(content_.lists[0].node, nullptr);
  EXPECT_EQ(content_.lists[0].node->parent, content_.sites[0].node);
  EXPECT_TRUE(content_.sites[1].node->children.empty());
  EXPECT_EQ(content_.lists[1].node, nullptr);
  EXPECT_EQ(countNodes(model_.top(), "Lost"), 0);
}

TEST_F(DocumentTreeTest, DocumentsOfTwinListsGoUnderTheFirst) {
  content_.sites.push_back(site(kWeb, "Team"));
  content_.lists.push_back(list(kWeb, kList, "First"));
  content_.lists.push_back(list(kWeb, kList, "Twin"));
  content_.documents.push_back(document(kWeb, kList, "", "a.txt", 10));
  content_.documents.push_back(document(kWeb, kList, "", "b.txt", 10));
  build();
  ASSERT_NE(content_.lists[1].node, nullptr);
  EXPECT_EQ(textsOf(*content_.lists[0].node), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_TRUE(content_.lists[1].node->children.empty());
}

TEST_F(DocumentTreeTest, ListMatchNeedsBothListIdAndWebId) {
  content_.sites.push_back(site(kWeb, "Team"));
  content_.sites.push_back(site("{web-two}", "Other"));
  content_.lists.push_back(list(kWeb, kList, "Docs"));
  // Same ListId, another web: no list of that web has it.
  content_.documents.push_back(document("{web-two}", kList, "x", "elsewhere.txt", 10));
  build();
  EXPECT_TRUE(listNode().children.empty());
  EXPECT_EQ(countNodes(*tree_.actualRoot(), "elsewhere.txt"), 0);
  ASSERT_NE(dataFolder({"x", "elsewhere.txt"}), nullptr);
}

TEST_F(DocumentTreeTest, DocumentWithoutListShowsOnlyInTheDataBranch) {
  oneSiteOneList();
  // A list whose identifier is the text a missing value shows: a NULL
  // ListId must still not match it.
  content_.lists.push_back(list(kWeb, "NULL", "Named NULL"));
  content_.documents.push_back(document(kWeb, "NULL", "sites/team", "default.aspx", 700));
  content_.documents.push_back(document(kWeb, "NULL", "sites/team", "empty.aspx", 0));
  build();
  EXPECT_EQ(countNodes(*tree_.actualRoot(), "default.aspx"), 0);
  EXPECT_TRUE(content_.lists[1].node->children.empty());
  TreeNode* folder = dataFolder({"sites", "team"});
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(textsOf(*folder), (std::vector<std::string>{"default.aspx"}));
  EXPECT_EQ(folder->children[0]->tagKind, kDocumentTag);
  EXPECT_EQ(folder->children[0]->documentIndex, 0);
}

TEST_F(DocumentTreeTest, FolderPathPartsLieSideBySideUnderTheList) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "sites/s1/Shared Documents", "Report.docx", 1200));
  build();
  EXPECT_EQ(textsOf(listNode()), (std::vector<std::string>{"sites", "s1", "Shared Documents", "Report.docx"}));
  for (size_t i = 0; i < 3; ++i) {
    const TreeNode& part = *listNode().children[i];
    EXPECT_EQ(part.tagKind, kFolderTag) << part.text;
    EXPECT_EQ(part.icon, kFolderIcon) << part.text;
    EXPECT_EQ(part.documentIndex, 0) << part.text;
    EXPECT_TRUE(part.children.empty()) << part.text;
  }
  const TreeNode& leaf = *listNode().children[3];
  EXPECT_EQ(leaf.tagKind, kDocumentTag);
  EXPECT_EQ(leaf.icon, "docx");
  // In the data branch the parts nest.
  TreeNode* folder = dataFolder({"sites", "s1", "Shared Documents"});
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(textsOf(*folder), (std::vector<std::string>{"Report.docx"}));
  EXPECT_EQ(textsOf(*tree_.dataRoot()), (std::vector<std::string>{"sites"}));
}

TEST_F(DocumentTreeTest, SameLeafNameTwiceAddsOneListNodeButTwoDataNodes) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "lib/A", "Notes.txt", 10));
  content_.documents.push_back(document(kWeb, kList, "lib/B", "Notes.txt", 20));
  build();
  EXPECT_EQ(countNodes(listNode(), "Notes.txt"), 1);
  TreeNode* notes = listNode().child("Notes.txt");
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->documentIndex, 0);
  TreeNode* a = dataFolder({"lib", "A"});
  TreeNode* b = dataFolder({"lib", "B"});
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(textsOf(*a), (std::vector<std::string>{"Notes.txt"}));
  ASSERT_EQ(textsOf(*b), (std::vector<std::string>{"Notes.txt"}));
  EXPECT_EQ(a->children[0]->documentIndex, 0);
  EXPECT_EQ(b->children[0]->documentIndex, 1);
}

TEST_F(DocumentTreeTest, FolderRowIsAListFolderButNoDataNode) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "sites/team/Shared Documents", "General", 0, 1));
  build();
  TreeNode* general = listNode().child("General");
  ASSERT_NE(general, nullptr);
  EXPECT_EQ(general->tagKind, kFolderTag);
  EXPECT_EQ(general->icon, kFolderIcon);
  EXPECT_EQ(general->documentIndex, 0);
  // Its folder path is created in the data branch; the folder itself is not.
  TreeNode* parent = dataFolder({"sites", "team", "Shared Documents"});
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(parent->children.empty());
  EXPECT_EQ(parent->tagKind, kFolderTag);
  EXPECT_EQ(countNodes(*tree_.dataRoot(), "General"), 0);
}

TEST_F(DocumentTreeTest, EmptyFileIsInNeitherBranch) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "lib", "empty.txt", 0, 0));
  content_.documents.push_back(document(kWeb, kList, "lib", "negative.txt", -5, 0));
  build();
  EXPECT_EQ(countNodes(model_.top(), "empty.txt"), 0);
  EXPECT_EQ(countNodes(model_.top(), "negative.txt"), 0);
  // The path is still made in both.
  EXPECT_NE(listNode().child("lib"), nullptr);
  EXPECT_NE(dataFolder({"lib"}), nullptr);
}

TEST_F(DocumentTreeTest, BlanksAroundPartsMergeInTheDataBranchOnly) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "Docs", "one.txt", 1));
  content_.documents.push_back(document(kWeb, kList, " Docs\t", "two.txt", 2));
  content_.documents.push_back(document(kWeb, kList, "Docs /  Sub", "three.txt", 3));
  build();
  EXPECT_EQ(textsOf(listNode()),
            (std::vector<std::string>{"Docs", "one.txt", " Docs\t", "two.txt", "Docs ", "  Sub", "three.txt"}));
  EXPECT_EQ(textsOf(*tree_.dataRoot()), (std::vector<std::string>{"Docs"}));
  TreeNode* docs = dataFolder({"Docs"});
  ASSERT_NE(docs, nullptr);
  EXPECT_EQ(textsOf(*docs), (std::vector<std::string>{"one.txt", "two.txt", "Sub"}));
  EXPECT_EQ(docs->children[1]->documentIndex, 1);
  TreeNode* sub = dataFolder({"Docs", "Sub"});
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(textsOf(*sub), (std::vector<std::string>{"three.txt"}));
}

TEST_F(DocumentTreeTest, PartsAfterAnExistingOneAreNotAddedAgainUnderTheList) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "lib/A", "one.txt", 1));
  content_.documents.push_back(document(kWeb, kList, "lib/B", "two.txt", 1));
  build();
  // "lib" exists when the second document comes, so "B" is not added.
  EXPECT_EQ(textsOf(listNode()), (std::vector<std::string>{"lib", "A", "one.txt", "two.txt"}));
  EXPECT_NE(dataFolder({"lib", "B", "two.txt"}), nullptr);
}

TEST_F(DocumentTreeTest, ListWithoutSitePlacesItsFoldersAtTheTopLevel) {
  content_.sites.push_back(site(kWeb, "Team"));
  content_.lists.push_back(list("{lost web}", kList, "Archive"));
  content_.documents.push_back(document("{lost web}", kList, "sites/alt/Archive", "old.pdf", 50));
  build();
  EXPECT_EQ(content_.lists[0].node, nullptr);
  EXPECT_EQ(textsOf(model_.top()),
            (std::vector<std::string>{"SharePointACTUAL", "sites", "alt", "Archive", "SharePointData"}));
  for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(model_.top().children[i]->tagKind, kFolderTag);
  // The document shows in the document tree, outside every site.
  EXPECT_EQ(countNodes(model_.top(), "old.pdf"), 2);
  EXPECT_EQ(countNodes(*content_.sites[0].node, "old.pdf"), 0);
  EXPECT_NE(dataFolder({"sites", "alt", "Archive", "old.pdf"}), nullptr);
}

// The documents of a list without a node go under the first top-level
// node; a second document of the same name there is not added again.
TEST_F(DocumentTreeTest, ListWithoutSiteAddsADocumentOfOneNameOnce) {
  content_.sites.push_back(site(kWeb, "Team"));
  content_.lists.push_back(list("{lost web}", kList, "Archive"));
  content_.documents.push_back(document("{lost web}", kList, "Archive", "old.pdf", 50));
  content_.documents.push_back(document("{lost web}", kList, "Archive", "old.pdf", 60));
  build();
  EXPECT_EQ(textsOf(model_.top()), (std::vector<std::string>{"SharePointACTUAL", "Archive", "SharePointData"}));
  EXPECT_EQ(countNodes(*tree_.actualRoot(), "old.pdf"), 1);
  EXPECT_EQ(countNodes(*content_.sites[0].node, "old.pdf"), 0);
}

TEST_F(DocumentTreeTest, OddFolderPathsAreShownAsStored) {
  const std::string longPart(5000, 'x');
  const std::string control = std::string("a\x01") + "b\x7f";
  struct Case {
    std::string dirName;
    std::vector<std::string> listParts;  // the parts the list node shows
    std::vector<std::string> dataParts;  // the nested folders of the data branch
  };
  const std::vector<Case> cases = {
      {"..", {".."}, {".."}},
      {"../..", {".."}, {"..", ".."}},
      {"//", {}, {}},
      {"", {}, {}},
      {"/lead/", {"lead"}, {"lead"}},
      {"a//b", {"a", "b"}, {"a", "b"}},
      {longPart, {longPart}, {longPart}},
      {control, {control}, {control}},
      {std::string("nul\0in", 6), {std::string("nul\0in", 6)}, {std::string("nul\0in", 6)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.dirName.substr(0, 20)));
    TreeModel model;
    SharePointContent content;
    content.sites.push_back(site(kWeb, "Team"));
    content.lists.push_back(list(kWeb, kList, "Docs"));
    content.documents.push_back(document(kWeb, kList, c.dirName, "f.bin", 9));
    DocumentTree tree(model, content);
    tree.addSites();
    tree.addLists();
    tree.placeDocument(0);
    tree.buildDataBranch();
    std::vector<std::string> expected = c.listParts;
    expected.push_back("f.bin");
    ASSERT_NE(content.lists[0].node, nullptr);
    EXPECT_EQ(textsOf(*content.lists[0].node), expected);
    // The data branch nests the same parts (blanks aside) down to the file.
    TreeNode* node = tree.dataRoot();
    for (const std::string& part : c.dataParts) {
      ASSERT_NE(node, nullptr);
      node = node->child(part);
    }
    if (!c.dataParts.empty()) {
      ASSERT_NE(node, nullptr);
      EXPECT_NE(node->child("f.bin"), nullptr);
    }
  }
}

TEST(DocumentTreeIcon, ExtensionInLowerCaseOrFile) {
  const std::map<std::string, std::string> cases = {
      {"Report.DOCX", "docx"}, {"a.b.Pdf", "pdf"},     {"archive.tar.gz", "gz"}, {"README", "file"},
      {"trailing.", "file"},   {"", "file"},           {"x.JPEG", "jpeg"},       {"Budget 2012.xlsx", "xlsx"},
  };
  for (const auto& [name, icon] : cases) EXPECT_EQ(documentIconOf(name), icon) << name;
}

TEST_F(DocumentTreeTest, NodesCarryTheirIcons) {
  oneSiteOneList();
  content_.documents.push_back(document(kWeb, kList, "lib", "Plan.XLSX", 5));
  content_.documents.push_back(document(kWeb, kList, "lib", "LICENSE", 5));
  content_.documents.push_back(document(kWeb, kList, "lib", "Sub", 0, 1));
  build();
  EXPECT_EQ(listNode().child("lib")->icon, kFolderIcon);
  EXPECT_EQ(listNode().child("Plan.XLSX")->icon, "xlsx");
  EXPECT_EQ(listNode().child("LICENSE")->icon, "file");
  EXPECT_EQ(listNode().child("Sub")->icon, kFolderIcon);
  TreeNode* lib = dataFolder({"lib"});
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib->icon, kFolderIcon);
  EXPECT_EQ(lib->child("Plan.XLSX")->icon, "xlsx");
  EXPECT_EQ(lib->child("LICENSE")->icon, "file");
}

// ---------------------------------------------------------------------------
// Runs over a content database the kit writes.

// A content database written from a seed, scanned by a run.
class ScannedContentDb {
 public:
  ScannedContentDb(kit::ContentLayout layout, bool advanced, uint64_t seed = 7) {
    kit::ContentOptions options;
    options.seed = seed;
    options.documents = 24;
    model_ = kit::buildContentModel(options);
    kit::ContentFileOptions fileOptions;
    fileOptions.layout = layout;
    path_ = dir_.file("content.mdf");
    ok_ = kit::contentDatabaseFile(model_, fileOptions).writeTo(path_);
    state_.options.dataFilePath = path_;
    state_.options.logFolder = dir_.path() + "/";
    if (advanced) state_.options.mode = RecoveryOptions::kAdvancedMode;
    run_.begin();
    outcome_ = run_.scan();
  }

  bool ok() const { return ok_ && outcome_ == ScanOutcome::kCompleted; }
  RecoveryRun& run() { return run_; }
  ApplicationState& state() { return state_; }
  const kit::ContentModel& model() const { return model_; }

  TreeNode* top(const std::string& text) { return run_.documentTreeModel().top().child(text); }
  TreeNode* siteNode(const kit::ContentWeb& web) {
    TreeNode* actual = top("SharePointACTUAL");
    return actual ? actual->child(web.title) : nullptr;
  }
  TreeNode* listNode(const kit::ContentList& list) {
    const kit::ContentWeb* web = webOf(list);
    TreeNode* siteNode = web ? this->siteNode(*web) : nullptr;
    return siteNode ? siteNode->child(list.title) : nullptr;
  }
  // The SharePointData folder of a folder path, null when missing.
  TreeNode* dataFolder(const std::string& dirName) {
    TreeNode* node = top("SharePointData");
    size_t start = 0;
    while (node != nullptr && start <= dirName.size()) {
      size_t end = dirName.find('/', start);
      if (end == std::string::npos) end = dirName.size();
      if (end > start) node = node->child(dirName.substr(start, end - start));
      start = end + 1;
    }
    return node;
  }
  const kit::ContentWeb* webOf(const kit::ContentList& list) const {
    for (const kit::ContentWeb& web : model_.webs) {
      if (web.id.text() == list.webId.text() && web.state == kit::RowState::kLive) return &web;
    }
    return nullptr;
  }
  const kit::ContentList* listOf(const kit::ContentDoc& doc) const {
    if (!doc.listId) return nullptr;
    for (const kit::ContentList& list : model_.lists) {
      if (list.id.text() == doc.listId->text() && list.webId.text() == doc.webId.text() &&
          list.state == kit::RowState::kLive)
        return &list;
    }
    return nullptr;
  }
  std::vector<const kit::ContentDoc*> liveDocs() const {
    std::vector<const kit::ContentDoc*> docs;
    for (const kit::ContentDoc& doc : model_.docs) {
      if (doc.state == kit::RowState::kLive) docs.push_back(&doc);
    }
    return docs;
  }

 private:
  kit::TempDir dir_;
  std::string path_;
  kit::ContentModel model_;
  ApplicationState state_;
  RecoveryRun run_{state_, silentNotifier()};
  bool ok_ = false;
  ScanOutcome outcome_ = ScanOutcome::kAborted;
};

// A tree as lines of indent, text, tag, icon: for comparing two trees.
void dump(const TreeNode& node, int depth, std::vector<std::string>& out) {
  for (const auto& child : node.children) {
    out.push_back(std::string(static_cast<size_t>(depth), ' ') + child->text + "|" +
                  std::string(1, child->tagKind ? child->tagKind : '-') + "|" + child->icon);
    dump(*child, depth + 1, out);
  }
}

struct RunLayout {
  const char* name;
  kit::ContentLayout layout;
};
constexpr RunLayout kRunLayouts[] = {{"2010", kit::ContentLayout::k2010}, {"2007", kit::ContentLayout::k2007}};

TEST(SharePointRun, ContentHoldsExactlyTheLiveRows) {
  for (const RunLayout& layout : kRunLayouts) {
    SCOPED_TRACE(layout.name);
    ScannedContentDb db(layout.layout, false);
    ASSERT_TRUE(db.ok());
    const SharePointContent& content = db.run().content();

    std::multiset<std::string> expectedSites, gotSites;
    for (const kit::ContentWeb& web : db.model().webs) {
      if (web.state == kit::RowState::kLive) expectedSites.insert(web.id.text() + "|" + web.siteId.text() + "|" + web.title);
    }
    for (const WebEntry& web : content.sites) gotSites.insert(web.id + "|" + web.siteId + "|" + web.title);
    EXPECT_EQ(gotSites, expectedSites);

    std::multiset<std::string> expectedLists, gotLists;
    for (const kit::ContentList& list : db.model().lists) {
      if (list.state == kit::RowState::kLive) expectedLists.insert(list.webId.text() + "|" + list.id.text() + "|" + list.title);
    }
    for (const ListEntry& list : content.lists) gotLists.insert(list.webId + "|" + list.id + "|" + list.title);
    EXPECT_EQ(gotLists, expectedLists);

    std::multiset<std::string> expectedDocs, gotDocs;
    for (const kit::ContentDoc* doc : db.liveDocs()) {
      expectedDocs.insert(doc->id.text() + "|" + doc->webId.text() + "|" + (doc->listId ? doc->listId->text() : "NULL") +
                          "|" + doc->dirName + "|" + doc->leafName + "|" + std::to_string(doc->type) + "|" +
                          std::to_string(doc->isFile() ? doc->size : 0) + "|" + doc->created.text() + "|" +
                          doc->modified.text());
    }
    for (const DocumentEntry& doc : content.documents) {
      gotDocs.insert(doc.id + "|" + doc.webId + "|" + doc.listId + "|" + doc.dirName + "|" + doc.leafName + "|" +
                     std::to_string(doc.type) + "|" + std::to_string(doc.size) + "|" + doc.timeCreated + "|" +
                     doc.timeLastModified);
    }
    EXPECT_EQ(gotDocs, expectedDocs);
  }
}

TEST(SharePointRun, EveryLiveDocumentIsInItsDataFolderAndUnderItsList) {
  for (const RunLayout& layout : kRunLayouts) {
    SCOPED_TRACE(layout.name);
    ScannedContentDb db(layout.layout, false);
    ASSERT_TRUE(db.ok());
    const SharePointContent& content = db.run().content();
    ASSERT_NE(db.top("SharePointACTUAL"), nullptr);
    ASSERT_NE(db.top("SharePointData"), nullptr);
    for (const kit::ContentWeb& web : db.model().webs) {
      if (web.state == kit::RowState::kLive) {
        EXPECT_NE(db.siteNode(web), nullptr) << web.title;
      }
    }
    int placedUnderLists = 0;
    for (const kit::ContentDoc* doc : db.liveDocs()) {
      SCOPED_TRACE(doc->dirName + "/" + doc->leafName);
      TreeNode* folder = db.dataFolder(doc->dirName);
      ASSERT_NE(folder, nullptr);
      if (doc->isFile() && doc->size > 0) {
        // The node names this document: its name, size and dates.
        bool found = false;
        for (const auto& child : folder->children) {
          if (child->tagKind != kDocumentTag || child->text != doc->leafName) continue;
          ASSERT_LT(static_cast<size_t>(child->documentIndex), content.documents.size());
          const DocumentEntry& entry = content.documents[static_cast<size_t>(child->documentIndex)];
          if (entry.id != doc->id.text()) continue;
          found = true;
          EXPECT_EQ(entry.size, doc->size);
          EXPECT_EQ(entry.dirName, doc->dirName);
          EXPECT_EQ(entry.timeCreated, doc->created.text());
          EXPECT_EQ(entry.timeLastModified, doc->modified.text());
        }
        EXPECT_TRUE(found);
      } else {
        // A folder row or an empty file adds no document node.
        const TreeNode* same = folder->child(doc->leafName);
        EXPECT_TRUE(same == nullptr || same->tagKind == kFolderTag);
      }
      const kit::ContentList* list = db.listOf(*doc);
      // An empty file has no node under its list either.
      if (list == nullptr || db.webOf(*list) == nullptr || (doc->isFile() && doc->size <= 0)) continue;
      TreeNode* listNode = db.listNode(*list);
      ASSERT_NE(listNode, nullptr) << list->title;
      TreeNode* node = listNode->child(doc->leafName);
      ASSERT_NE(node, nullptr);
      EXPECT_EQ(node->tagKind, doc->isFile() ? kDocumentTag : kFolderTag);
      ++placedUnderLists;
    }
    EXPECT_GT(placedUnderLists, 10);
    // Pages outside any list stay out of the lists and the sites' own nodes.
    for (const kit::ContentWeb& web : db.model().webs) {
      TreeNode* siteNode = db.siteNode(web);
      if (siteNode != nullptr) {
        EXPECT_EQ(siteNode->child("default.aspx"), nullptr);
      }
    }
  }
}

TEST(SharePointRun, OrphanListAndMissingListStayOutOfTheSites) {
  ScannedContentDb db(kit::ContentLayout::k2010, false);
  ASSERT_TRUE(db.ok());
  for (const kit::ContentWeb& web : db.model().webs) {
    TreeNode* siteNode = db.siteNode(web);
    ASSERT_NE(siteNode, nullptr);
    EXPECT_EQ(countNodes(*siteNode, "Archiv (verwaist)"), 0);
    EXPECT_EQ(countNodes(*siteNode, "verwaist.pdf"), 0);
  }
  // The document whose list is gone is still in its folder.
  TreeNode* lost = db.dataFolder(db.model().webs[0].fullUrl + "/Verlorene Liste");
  ASSERT_NE(lost, nullptr);
  EXPECT_NE(lost->child("verwaist.pdf"), nullptr);
}

TEST(SharePointRun, AdvancedModeGivesTheSameTree) {
  for (const RunLayout& layout : kRunLayouts) {
    SCOPED_TRACE(layout.name);
    ScannedContentDb standard(layout.layout, false);
    ScannedContentDb advanced(layout.layout, true);
    ASSERT_TRUE(standard.ok());
    ASSERT_TRUE(advanced.ok());
    std::vector<std::string> a, b;
    dump(standard.run().documentTreeModel().top(), 0, a);
    dump(advanced.run().documentTreeModel().top(), 0, b);
    EXPECT_GT(a.size(), 20u);
    EXPECT_EQ(a, b);
  }
}

// ---------------------------------------------------------------------------
// Folder listings: a click on a node of the document tree.

class FolderListing : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db_.ok()); }

  std::vector<std::vector<std::string>> rowsOfDocumentsUnder(const TreeNode& node) {
    std::vector<std::vector<std::string>> rows;
    const auto& documents = db_.run().content().documents;
    for (const auto& child : node.children) {
      if (child->tagKind != kDocumentTag) continue;
      const DocumentEntry& entry = documents.at(static_cast<size_t>(child->documentIndex));
      rows.push_back({entry.leafName, entry.timeCreated, entry.timeLastModified});
    }
    return rows;
  }

  BrowseResult click(TreeNode& node) { return browser_.clickDocumentNode(node); }
  const std::string& lastLogLine() { return db_.state().log.paneLines().back(); }

  static const std::vector<std::string>& headings() {
    static const std::vector<std::string> kHeadings = {"File Name ", "Date Created ", "Date Modified "};
    return kHeadings;
  }

  const kit::ContentList& firstLibrary() { return db_.model().lists.front(); }

  ScannedContentDb db_{kit::ContentLayout::k2010, false};
  ContentModel content_;
  Browser browser_{db_.run(), db_.state(), content_, silentNotifier()};
};

TEST_F(FolderListing, ListNodeListsTheDocumentsDirectlyUnderIt) {
  const kit::ContentList& library = firstLibrary();
  TreeNode* node = db_.listNode(library);
  ASSERT_NE(node, nullptr);
  ASSERT_EQ(click(*node), BrowseResult::kDone);
  EXPECT_TRUE(content_.recordsShown);
  EXPECT_EQ(content_.records.columns, headings());
  EXPECT_EQ(content_.records.rows, rowsOfDocumentsUnder(*node));
  // Against the written content: every live file with a body of this list,
  // each name once, and no folder.
  std::set<std::string> expected;
  for (const kit::ContentDoc* doc : db_.liveDocs()) {
    if (db_.listOf(*doc) == &library && doc->isFile() && doc->size > 0) expected.insert(doc->leafName);
  }
  std::set<std::string> listed;
  for (const auto& row : content_.records.rows) {
    EXPECT_TRUE(listed.insert(row.at(0)).second) << row.at(0);
  }
  EXPECT_EQ(listed, expected);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(lastLogLine(), "Scanning process completed.");
  EXPECT_FALSE(db_.state().flags.processRunning.load());
}

TEST_F(FolderListing, DataFolderListsItsOwnDocumentsNotItsSubfolders) {
  const std::string root = db_.model().webs[0].fullUrl + "/Shared Documents";
  TreeNode* folder = db_.dataFolder(root);
  ASSERT_NE(folder, nullptr);
  ASSERT_EQ(folder->tagKind, kFolderTag);
  ASSERT_EQ(click(*folder), BrowseResult::kDone);
  EXPECT_EQ(content_.records.columns, headings());
  std::multiset<std::vector<std::string>> expected, got;
  for (const kit::ContentDoc* doc : db_.liveDocs()) {
    if (doc->dirName == root && doc->isFile() && doc->size > 0)
      expected.insert({doc->leafName, doc->created.text(), doc->modified.text()});
  }
  for (const auto& row : content_.records.rows) got.insert(row);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(got, expected);
  EXPECT_EQ(content_.records.rows, rowsOfDocumentsUnder(*folder));
  // It has subfolders with documents of their own, not listed here.
  bool subfolderWithDocuments = false;
  for (const auto& child : folder->children) {
    if (child->tagKind == kFolderTag && !rowsOfDocumentsUnder(*child).empty()) subfolderWithDocuments = true;
  }
  EXPECT_TRUE(subfolderWithDocuments);
}

TEST_F(FolderListing, NodesWithoutTagListNothing) {
  TreeNode* actual = db_.top("SharePointACTUAL");
  TreeNode* data = db_.top("SharePointData");
  ASSERT_NE(actual, nullptr);
  ASSERT_NE(data, nullptr);
  TreeNode* siteNode = db_.siteNode(db_.model().webs[0]);
  ASSERT_NE(siteNode, nullptr);
  for (TreeNode* node : {actual, data, siteNode}) {
    SCOPED_TRACE(node->text);
    // A listing before: the click must clear it.
    ASSERT_EQ(click(*db_.listNode(firstLibrary())), BrowseResult::kDone);
    ASSERT_FALSE(content_.records.rows.empty());
    ASSERT_EQ(click(*node), BrowseResult::kDone);
    EXPECT_TRUE(content_.records.columns.empty());
    EXPECT_TRUE(content_.records.rows.empty());
    EXPECT_EQ(lastLogLine(), "Scanning process completed.");
    EXPECT_EQ(content_.caption, node->text);
  }
}

TEST_F(FolderListing, DocumentNodeGivesHeadingsAndNoRows) {
  TreeNode* node = db_.listNode(firstLibrary());
  ASSERT_NE(node, nullptr);
  TreeNode* documentNode = nullptr;
  for (const auto& child : node->children) {
    if (child->tagKind == kDocumentTag) documentNode = child.get();
  }
  ASSERT_NE(documentNode, nullptr);
  ASSERT_EQ(click(*documentNode), BrowseResult::kDone);
  EXPECT_EQ(content_.records.columns, headings());
  EXPECT_TRUE(content_.records.rows.empty());
  EXPECT_EQ(lastLogLine(), "Scanning process completed.");
}

TEST_F(FolderListing, RefusedWhileAnotherProcessRuns) {
  TreeNode* node = db_.listNode(firstLibrary());
  ASSERT_NE(node, nullptr);
  const size_t logLines = db_.state().log.paneLines().size();
  db_.state().flags.processRunning.store(true);
  EXPECT_EQ(click(*node), BrowseResult::kBusy);
  EXPECT_TRUE(content_.records.columns.empty());
  EXPECT_TRUE(content_.records.rows.empty());
  EXPECT_EQ(db_.state().log.paneLines().size(), logLines);
  // The running process keeps its flag.
  EXPECT_TRUE(db_.state().flags.processRunning.load());
  db_.state().flags.processRunning.store(false);
  EXPECT_EQ(click(*node), BrowseResult::kDone);
  EXPECT_FALSE(content_.records.rows.empty());
}

}  // namespace
}  // namespace pellora
