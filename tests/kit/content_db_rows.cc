#include "kit/content_db_rows.h"

namespace pellora::kit {

namespace {

constexpr int32_t kPublishedLevel = 1;
constexpr int32_t kFirstMajorVersion = 512;  // 1.0
constexpr int32_t kHasStreamFlag = 0x100;
constexpr int32_t kCustomisedFlag = 0x40;
constexpr int32_t kEnglishUs = 1033;

std::vector<uint8_t> i32(int64_t v) { return storedInt(v, 4); }
std::vector<uint8_t> i16(int64_t v) { return storedInt(v, 2); }
std::vector<uint8_t> i8(int64_t v) { return storedInt(v, 1); }

std::string progIdOf(const std::string& leafName) {
  if (leafName.ends_with(".docx")) return "Word.Document";
  if (leafName.ends_with(".xlsx")) return "Excel.Sheet";
  if (leafName.ends_with(".pptx")) return "PowerPoint.Show";
  return {};
}

}  // namespace

std::vector<Cell> webRow(const ContentTable& t, const ContentWeb& web) {
  std::vector<Cell> row = t.blankRow();
  t.set(row, "Id", web.id.stored());
  t.set(row, "SiteId", web.siteId.stored());
  t.set(row, "FullUrl", storedNText(web.fullUrl));
  if (web.parentId) t.set(row, "ParentWebId", web.parentId->stored());
  t.set(row, "ProductVersion", i16(web.parentId ? 4 : 3));
  t.set(row, "TemplateVersion", i16(1));
  t.set(row, "FirstUniqueAncestorWebId", web.id.stored());
  t.set(row, "Author", i32(1));
  t.set(row, "Title", storedNText(web.title));
  t.set(row, "TimeCreated", web.created.stored());
  t.set(row, "CachedDataVersion", i32(1));
  t.set(row, "ScopeId", web.siteId.stored());
  t.set(row, "MetaInfoVersion", i32(1));
  t.set(row, "LastMetadataChange", web.lastChange.stored());
  t.set(row, "NavStructNextEid", i32(1030));
  t.set(row, "NextWebGroupId", i32(1));
  t.set(row, "AnonymousPermMask", i32(0));
  t.set(row, "WebTemplate", i32(web.webTemplate));
  t.set(row, "Language", i32(kEnglishUs));
  t.set(row, "Locale", i32(kEnglishUs));
  t.set(row, "TimeZone", i16(13));
  t.set(row, "ProvisionConfig", i16(0));
  t.set(row, "Collation", i16(25));
  t.set(row, "MasterUrl", storedNText("/" + web.fullUrl + "/_catalogs/masterpage/v4.master"));
  t.set(row, "CustomMasterUrl", storedNText("/" + web.fullUrl + "/_catalogs/masterpage/v4.master"));
  t.set(row, "UIVersion", i8(4));
  t.set(row, "ClientTag", i16(0));
  return row;
}

std::vector<Cell> listRow(const ContentTable& t, const ContentList& list) {
  std::vector<Cell> row = t.blankRow();
  t.set(row, "tp_SiteId", list.siteId.stored());
  t.set(row, "tp_WebId", list.webId.stored());
  t.set(row, "tp_ID", list.id.stored());
  t.set(row, "tp_Title", storedNText(list.title));
  t.set(row, "tp_Created", list.created.stored());
  t.set(row, "tp_LastSecurityChange", list.created.stored());
  t.set(row, "tp_Version", i32(3));
  t.set(row, "tp_Author", i32(1));
  t.set(row, "tp_BaseType", i32(list.baseType));
  t.set(row, "tp_ServerTemplate", i32(list.serverTemplate));
  t.set(row, "tp_RootFolder", list.rootFolderId.stored());
  t.set(row, "tp_ImageUrl", storedNText(list.baseType == 1 ? "/_layouts/images/itdl.png" : "/_layouts/images/ittask.png"));
  t.set(row, "tp_ReadSecurity", i32(1));
  t.set(row, "tp_WriteSecurity", i32(1));
  t.set(row, "tp_Flags", storedInt(0x1000, 8));
  t.set(row, "tp_Description", storedNText(list.description));
  t.set(row, "tp_ScopeId", list.siteId.stored());
  t.set(row, "tp_ListSchemaVersion", i32(1));
  return row;
}

std::vector<Cell> docRow(const ContentTable& t, const ContentDoc& doc) {
  std::vector<Cell> row = t.blankRow();
  t.set(row, "Id", doc.id.stored());
  t.set(row, "SiteId", doc.siteId.stored());
  t.set(row, "DirName", storedNText(doc.dirName));
  t.set(row, "LeafName", storedNText(doc.leafName));
  t.set(row, "Level", i8(kPublishedLevel));
  t.set(row, "ParentId", doc.parentId.stored());
  // A live row's delete transaction is the empty value; the blank row holds it.
  t.set(row, "WebId", doc.webId.stored());
  if (doc.listId) t.set(row, "ListId", doc.listId->stored());
  if (doc.doclibRowId > 0) t.set(row, "DoclibRowId", i32(doc.doclibRowId));
  t.set(row, "Type", i8(doc.type));
  if (doc.isFile()) {
    t.set(row, "Size", i32(doc.size));
    t.set(row, "DocFlags", i32(kHasStreamFlag | (doc.listId ? 0 : kCustomisedFlag)));
    t.set(row, "CharSet", i32(65001));
    const std::string progId = progIdOf(doc.leafName);
    if (!progId.empty()) t.set(row, "ProgId", storedNText(progId));
    t.set(row, "MetaInfoSize", i32(0));
    t.set(row, "TimeLastWritten", doc.modified.stored());
  } else {
    t.set(row, "DocFlags", i32(0));
  }
  t.set(row, "Version", i32(1));
  t.set(row, "InternalVersion", i32(256));
  t.set(row, "UIVersion", i32(kFirstMajorVersion));
  t.set(row, "TimeCreated", doc.created.stored());
  t.set(row, "TimeLastModified", doc.modified.stored());
  t.set(row, "MetaInfoTimeLastModified", doc.modified.stored());
  t.set(row, "SetupPathVersion", i8(4));
  t.set(row, "MetaInfoVersion", i32(1));
  t.set(row, "IsCurrentVersion", i8(1));
  t.set(row, "ScopeId", doc.scopeId.stored());
  return row;
}

std::vector<Cell> streamRow(const ContentTable& t, const ContentDoc& doc, std::vector<uint8_t> content,
                            bool largeValue) {
  std::vector<Cell> row = t.blankRow();
  t.set(row, "Id", doc.id.stored());
  t.set(row, "SiteId", doc.siteId.stored());
  t.set(row, "InternalVersion", i32(256));
  t.set(row, "Content", std::move(content), largeValue);
  return row;
}

}  // namespace pellora::kit
