#include "kit/content_db_manifest.h"

#include <sstream>
#include <vector>

#include "kit/content_db_file.h"

namespace pellora::kit {

const char* const kManifestHeader =
    "kind\tstate\tId\tSiteId\tWebId\tListId\tTitle\tDirName\tLeafName\tType\tSize\tTimeCreated\tTimeLastModified";

namespace {

std::vector<std::string> splitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

void line(std::string& out, const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += '\t';
    out += fields[i];
  }
  out += '\n';
}

}  // namespace

const char* stateName(RowState state) {
  switch (state) {
    case RowState::kDeleted: return "deleted";
    case RowState::kCarvable: return "carvable";
    default: return "live";
  }
}

std::string manifestText(const ContentModel& model) {
  std::string out = kManifestHeader;
  out += '\n';
  for (const ContentWeb& web : model.webs) {
    line(out, {"web", stateName(web.state), web.id.text(), web.siteId.text(), web.id.text(), "", web.title,
               web.fullUrl, "", "", "", web.created.text(), web.lastChange.text()});
  }
  for (const ContentList& list : model.lists) {
    line(out, {"list", stateName(list.state), list.id.text(), list.siteId.text(), list.webId.text(), list.id.text(),
               list.title, "", "", "", "", list.created.text(), ""});
  }
  for (const ContentDoc& doc : model.docs) {
    line(out, {"doc", stateName(doc.state), doc.id.text(), doc.siteId.text(), doc.webId.text(),
               doc.listId ? doc.listId->text() : "NULL", "", doc.dirName, doc.leafName, std::to_string(doc.type),
               doc.isFile() ? std::to_string(doc.size) : "NULL", doc.created.text(), doc.modified.text()});
  }
  for (const ContentDoc& doc : model.docs) {
    if (!doc.isFile()) continue;
    line(out, {"stream", stateName(doc.state), doc.id.text(), doc.siteId.text(), doc.webId.text(),
               doc.listId ? doc.listId->text() : "NULL", "", "", doc.leafName, "", std::to_string(doc.size), "", ""});
  }
  return out;
}

std::vector<std::map<std::string, std::string>> parseManifest(const std::string& text) {
  std::vector<std::map<std::string, std::string>> rows;
  std::istringstream in(text);
  std::string line;
  std::vector<std::string> header;
  while (std::getline(in, line)) {
    if (header.empty()) {
      header = splitFields(line);
      continue;
    }
    const std::vector<std::string> fields = splitFields(line);
    std::map<std::string, std::string> row;
    for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
    rows.push_back(row);
  }
  return rows;
}

std::vector<ManifestTable> manifestTables(const std::string& websTable) {
  return {
      {websTable, "web", "Id",
       {{"SiteId", "SiteId"}, {"Title", "Title"}, {"FullUrl", "DirName"}, {"TimeCreated", "TimeCreated"}}},
      {"AllLists", "list", "tp_ID", {{"tp_WebId", "WebId"}, {"tp_Title", "Title"}, {"tp_Created", "TimeCreated"}}},
      {"AllDocs", "doc", "Id",
       {{"SiteId", "SiteId"}, {"WebId", "WebId"}, {"ListId", "ListId"}, {"DirName", "DirName"},
        {"LeafName", "LeafName"}, {"Type", "Type"}, {"Size", "Size"}, {"TimeCreated", "TimeCreated"},
        {"TimeLastModified", "TimeLastModified"}}},
  };
}

}  // namespace pellora::kit
