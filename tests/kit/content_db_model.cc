#include "kit/content_db_model.h"

#include <array>
#include <map>

namespace pellora::kit {

namespace {

struct WebName {
  const char* slug;
  const char* title;
};

constexpr WebName kWebNames[] = {
    {"", "Team Site"},
    {"projekte", "Projekte & Planung"},
    {"marketing", "市场部"},
    {"ventes", "Équipe Ventes"},
    {"support", "Support"},
};

constexpr const char* kLeafBases[] = {
    "Bericht Größe", "报告",          "Quarterly Report", "Präsentation Q3", "Résumé",
    "Budget 2014",   "Протокол",      "notes",            "Plan & Ziele",    "Überblick",
    "Angebot Müller", "会议记录",     "Invoice 0042",     "Diagramm",        "Logo",
};

constexpr const char* kExtensions[] = {".docx", ".txt", ".xlsx", ".pdf", ".pptx", ".png", ".jpg", ".zip", ".csv"};

// Folders of every library, each as its path below the library.
constexpr const char* kFolders[] = {"Folder A", "Folder A/Sub 1", "Folder A/Sub 1/Tief unten", "Berichte 2014"};

// Sizes by document number: tiny, in-row, around the in-row limit, large
// values of one to a few hundred fragments, and one empty file.
int64_t sizeFor(int d, ContentRandom& random) {
  if (d == 5) return 0;
  if (d == 6) return 1'200'000 + static_cast<int64_t>(random.below(300'000));
  switch (d % 7) {
    case 0: return 1 + static_cast<int64_t>(random.below(500));
    case 1: return 500 + static_cast<int64_t>(random.below(6500));
    case 2: return 9000 + static_cast<int64_t>(random.below(31000));
    case 3: return 7800 + static_cast<int64_t>(random.below(400));
    case 4: return 100'000 + static_cast<int64_t>(random.below(200'000));
    default: return 2000 + static_cast<int64_t>(random.below(40'000));
  }
}

DateTime someTimeIn(ContentRandom& random, int fromYear, int years) {
  return dateTimeOf(fromYear, 1, 1).plusSeconds(static_cast<int64_t>(random.below(static_cast<uint64_t>(years) * 365 * 86400)));
}

class ModelBuilder {
 public:
  ModelBuilder(const ContentOptions& options) : options_(options), random_(options.seed) {}

  ContentModel build() {
    model_.siteId = random_.guid();
    addWebs();
    for (size_t w = 0; w < model_.webs.size(); ++w) addListsOf(w);
    addOrphanList();
    addDocuments();
    addDocumentOfMissingList();
    if (options_.deletedRows) markDeleted();
    moveOneList();
    return std::move(model_);
  }

 private:
  struct Library {
    size_t list;
    std::string path;  // the root folder's full path
    std::vector<Guid> folderIds;  // the root folder, then kFolders
    std::vector<std::string> folderPaths;
  };

  void addWebs() {
    const int count = std::max(options_.sites, 1);
    for (int w = 0; w < count; ++w) {
      ContentWeb web;
      web.id = random_.guid();
      web.siteId = model_.siteId;
      const size_t n = static_cast<size_t>(w);
      const bool named = n < std::size(kWebNames);
      const std::string slug = named ? kWebNames[n].slug : "sub" + std::to_string(w);
      web.title = named ? kWebNames[n].title : "Subsite " + std::to_string(w);
      web.fullUrl = w == 0 ? "sites/team" : "sites/team/" + slug;
      if (w > 0) web.parentId = model_.webs[0].id;
      web.created = someTimeIn(random_, 2011, 1);
      web.lastChange = web.created.plusSeconds(static_cast<int64_t>(random_.below(400 * 86400)));
      web.webTemplate = w == 0 ? 1 : 2;
      model_.webs.push_back(web);
      webRootPage(web);
    }
  }

  // Every web has its welcome page outside any list.
  void webRootPage(const ContentWeb& web) {
    ContentDoc page = newDoc(web.id, std::nullopt, web.id, web.fullUrl, "default.aspx", 0);
    page.size = 600 + static_cast<int64_t>(random_.below(900));
    page.created = page.modified = web.created;
    model_.docs.push_back(page);
  }

  ContentDoc newDoc(const Guid& webId, std::optional<Guid> listId, const Guid& parentId, std::string dirName,
                    std::string leafName, int type) {
    ContentDoc doc;
    doc.id = random_.guid();
    doc.siteId = model_.siteId;
    doc.webId = webId;
    doc.listId = listId;
    doc.parentId = parentId;
    doc.scopeId = model_.siteId;
    doc.dirName = std::move(dirName);
    doc.leafName = std::move(leafName);
    doc.type = type;
    doc.bodySeed = random_.next();
    doc.created = someTimeIn(random_, 2012, 3);
    doc.modified = doc.created.plusSeconds(static_cast<int64_t>(random_.below(200 * 86400)));
    return doc;
  }

  size_t addList(const Guid& webId, const std::string& webUrl, const std::string& title, const std::string& folder,
                 int32_t baseType, int32_t serverTemplate) {
    ContentList list;
    list.id = random_.guid();
    list.webId = webId;
    list.siteId = model_.siteId;
    list.rootFolderId = random_.guid();
    list.title = title;
    list.baseType = baseType;
    list.serverTemplate = serverTemplate;
    list.created = someTimeIn(random_, 2011, 1);
    model_.lists.push_back(list);
    // The list's root folder is an AllDocs row of its own.
    const size_t slash = folder.rfind('/');
    std::string dir = slash == std::string::npos ? webUrl : webUrl + "/" + folder.substr(0, slash);
    std::string leaf = slash == std::string::npos ? folder : folder.substr(slash + 1);
    ContentDoc root = newDoc(webId, list.id, webId, dir, leaf, 1);
    root.id = list.rootFolderId;
    root.created = root.modified = list.created;
    model_.docs.push_back(root);
    if (baseType == 1) {
      Library library{model_.lists.size() - 1, webUrl + "/" + folder, {root.id}, {webUrl + "/" + folder}};
      addFolders(library, webId);
      libraries_.push_back(library);
    }
    return model_.lists.size() - 1;
  }

  void addFolders(Library& library, const Guid& webId) {
    std::map<std::string, Guid> ids{{"", library.folderIds[0]}};
    for (const char* folder : kFolders) {
      const std::string path = folder;
      const size_t slash = path.rfind('/');
      const std::string parent = slash == std::string::npos ? "" : path.substr(0, slash);
      const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
      const std::string dir = parent.empty() ? library.path : library.path + "/" + parent;
      ContentDoc row = newDoc(webId, model_.lists[library.list].id, ids[parent], dir, leaf, 1);
      row.doclibRowId = ++rowIds_[library.list];
      ids[path] = row.id;
      library.folderIds.push_back(row.id);
      library.folderPaths.push_back(library.path + "/" + path);
      model_.docs.push_back(row);
    }
  }

  void addListsOf(size_t w) {
    const ContentWeb web = model_.webs[w];
    addList(web.id, web.fullUrl, w == 1 ? "Dokumente" : "Shared Documents", w == 1 ? "Dokumente" : "Shared Documents",
            1, 101);
    if (w == 0) addList(web.id, web.fullUrl, "Site Assets", "SiteAssets", 1, 101);
    addList(web.id, web.fullUrl, "Tasks", "Lists/Tasks", 0, 107);
  }

  // A library whose web row is gone: its rows still name the old web.
  void addOrphanList() {
    const Guid lostWeb = random_.guid();
    addList(lostWeb, "sites/team/alt", "Archiv (verwaist)", "Archiv", 1, 101);
  }

  void addDocuments() {
    for (int d = 0; d < options_.documents; ++d) {
      const Library& library = libraries_[d < 2 ? 0 : random_.below(libraries_.size())];
      const size_t folder = d < 2 ? static_cast<size_t>(d) : random_.below(library.folderIds.size());
      const size_t base = static_cast<size_t>(d) % std::size(kLeafBases);
      std::string leaf = kLeafBases[base];
      if (static_cast<size_t>(d) >= std::size(kLeafBases)) leaf += " " + std::to_string(d);
      const char* extension = d == 0 ? ".docx" : d == 1 ? ".txt" : kExtensions[random_.below(std::size(kExtensions))];
      const ContentList& list = model_.lists[library.list];
      ContentDoc doc = newDoc(list.webId, list.id, library.folderIds[folder], library.folderPaths[folder],
                              leaf + extension, 0);
      doc.size = sizeFor(d, random_);
      doc.doclibRowId = ++rowIds_[library.list];
      model_.docs.push_back(doc);
    }
  }

  void addDocumentOfMissingList() {
    const ContentWeb& web = model_.webs[0];
    ContentDoc doc = newDoc(web.id, random_.guid(), random_.guid(), web.fullUrl + "/Verlorene Liste", "verwaist.pdf", 0);
    doc.size = 3000 + static_cast<int64_t>(random_.below(20000));
    doc.doclibRowId = 1;
    model_.docs.push_back(doc);
  }

  // Two documents deleted as ghosts, wherever they fall in the table, and
  // up to two whose slots were reclaimed.
  void markDeleted() {
    std::vector<size_t> files;
    for (size_t i = 0; i < model_.docs.size(); ++i) {
      if (model_.docs[i].isFile() && model_.docs[i].listId && model_.docs[i].leafName != "default.aspx") files.push_back(i);
    }
    if (files.size() < 4) return;
    model_.docs[files[files.size() / 2]].state = RowState::kDeleted;
    model_.docs[files[files.size() - 2]].state = RowState::kDeleted;
    markCarvable(files);
  }

  // Small files only: their rows fit in what a page has left beside rows
  // that keep their slots (a page without slots is not carved at all).
  void markCarvable(const std::vector<size_t>& files) {
    constexpr int64_t kSmallBody = 500;
    std::vector<size_t> small;
    for (size_t i : files) {
      if (model_.docs[i].state == RowState::kLive && model_.docs[i].size <= kSmallBody) small.push_back(i);
    }
    if (small.empty()) return;
    model_.docs[small.back()].state = RowState::kCarvable;
    model_.docs[small[small.size() / 2]].state = RowState::kCarvable;
  }

  // One list row grew by a long description after it was written, and had
  // to move to another page. With three sites or more the row is longer
  // than what its old page has left after the stub that keeps its place,
  // so a reader that cuts it there loses most of it.
  void moveOneList() {
    ContentList& list = model_.lists[model_.lists.size() - 2];
    list.moved = true;
    for (int step = 1; step <= 48; ++step) {
      list.description +=
          "Schritt " + std::to_string(step) + ": Termine prüfen, Berichte ablegen, Änderungen eintragen. ";
    }
  }

  ContentOptions options_;
  ContentRandom random_;
  ContentModel model_;
  std::vector<Library> libraries_;
  std::map<size_t, int32_t> rowIds_;
};

}  // namespace

ContentModel buildContentModel(const ContentOptions& options) { return ModelBuilder(options).build(); }

void addBulkDocuments(ContentModel& model, uint64_t seed, int64_t count) {
  const int64_t largeSize = 8000 * kPaddingFragments;
  ContentRandom random(seed ^ 0xB01CB01CULL);
  const ContentList& list = model.lists.front();
  const std::string dir = model.webs.front().fullUrl + "/Shared Documents/Massenablage";
  for (int64_t i = 0; i < count; ++i) {
    ContentDoc doc;
    doc.id = random.guid();
    doc.siteId = model.siteId;
    doc.webId = list.webId;
    doc.listId = list.id;
    doc.parentId = list.rootFolderId;
    doc.scopeId = model.siteId;
    doc.dirName = dir;
    doc.leafName = "Scan " + std::to_string(i + 1) + ".pdf";
    doc.size = largeSize;
    doc.padding = true;
    doc.bodySeed = random.next();
    doc.doclibRowId = 100000 + static_cast<int32_t>(i);
    doc.created = dateTimeOf(2015, 6, 1).plusSeconds(i * 37);
    doc.modified = doc.created.plusSeconds(3600);
    model.docs.push_back(doc);
  }
}

}  // namespace pellora::kit
