#include "kit/content_db_schema.h"

#include <algorithm>
#include <set>

namespace pellora::kit {

namespace {

using T = SqlType;
constexpr bool N = true;    // NULL
constexpr bool NN = false;  // NOT NULL

ContentColumn alias(const char* name, int32_t typeId) { return {name, T::kVarBinary, -1, N, typeId}; }

// AllDocs as the 2013 generation stores it, computed columns left out.
std::vector<ContentColumn> allDocsTail() {
  return {
      {"Id", T::kUniqueIdentifier, 16, NN},
      {"SiteId", T::kUniqueIdentifier, 16, NN},
      {"DirName", T::kNVarChar, 256, NN},
      {"LeafName", T::kNVarChar, 128, NN},
      {"Level", T::kTinyInt, 1, NN},
      {"ParentId", T::kUniqueIdentifier, 16, NN},
      {"DeleteTransactionId", T::kVarBinary, 16, NN},
      {"WebId", T::kUniqueIdentifier, 16, NN},
      {"ListId", T::kUniqueIdentifier, 16, N},
      {"DoclibRowId", T::kInt, 4, N},
      {"Type", T::kTinyInt, 1, NN},
      {"SortBehavior", T::kTinyInt, 1, NN},
      {"Size", T::kInt, 4, N},
      {"InternalVersion", T::kInt, 4, N},
      {"ContentVersion", T::kInt, 4, NN},
      {"NextBSN", T::kBigInt, 8, N},
      {"MetadataNextBSN", T::kBigInt, 8, N},
      {"StreamSchema", T::kTinyInt, 1, N},
      {"BumpVersion", T::kTinyInt, 1, NN},
      {"UIVersion", T::kInt, 4, NN},
      {"ListDataDirty", T::kBit, 1, NN},
      {"DocFlags", T::kInt, 4, N},
      {"ThicketFlag", T::kBit, 1, N},
      {"CharSet", T::kInt, 4, N},
      {"ProgId", T::kNVarChar, 255, N},
      {"TimeCreated", T::kDateTime, 8, NN},
      {"TimeLastModified", T::kDateTime, 8, NN},
      {"NextToLastTimeModified", T::kDateTime, 8, N},
      {"MetaInfoTimeLastModified", T::kDateTime, 8, N},
      {"TimeLastWritten", T::kDateTime, 8, N},
      {"SetupPathVersion", T::kTinyInt, 1, NN},
      {"SetupPath", T::kNVarChar, 255, N},
      {"SetupPathUser", T::kNVarChar, 255, N},
      {"CheckoutUserId", T::kInt, 4, N},
      {"DraftOwnerId", T::kInt, 4, N},
      {"CheckoutDate", T::kDateTime, 8, N},
      {"CheckoutExpires", T::kDateTime, 8, N},
      {"VersionCreatedSinceSTCheckout", T::kBit, 1, NN},
      {"CheckinComment", T::kNVarChar, 1023, N},
      {"VirusVendorID", T::kInt, 4, N},
      {"VirusStatus", T::kTinyInt, 1, N},
      {"VirusInfo", T::kNVarChar, 255, N},
      {"VirusInfoEx", T::kVarBinary, -1, N},
      alias("MetaInfo", kCompressedBinaryType),
      {"MetaInfoSize", T::kInt, 4, N},
      {"MetaInfoVersion", T::kInt, 4, NN},
      alias("UnVersionedMetaInfo", kCompressedBinaryType),
      {"UnVersionedMetaInfoSize", T::kInt, 4, N},
      {"UnVersionedMetaInfoVersion", T::kInt, 4, N},
      {"WelcomePageUrl", T::kNVarChar, 260, N},
      {"WelcomePageParameters", T::kNVarChar, -1, N},
      {"IsCurrentVersion", T::kBit, 1, NN},
      {"AuditFlags", T::kInt, 4, N},
      {"InheritAuditFlags", T::kInt, 4, N},
      {"ScopeId", T::kUniqueIdentifier, 16, NN},
      {"BuildDependencySet", T::kVarBinary, -1, N},
      {"ParentVersion", T::kInt, 4, N},
      {"TransformerId", T::kUniqueIdentifier, 16, N},
      {"ParentLeafName", T::kNVarChar, 128, N},
      {"CtoOffset", T::kSmallInt, 2, N},
      {"ItemChildCount", T::kInt, 4, NN},
      {"FolderChildCount", T::kInt, 4, NN},
      {"FileFormatMetaInfo", T::kVarBinary, -1, N},
      {"FileFormatMetaInfoSize", T::kInt, 4, NN},
      {"FFMConsistent", T::kBit, 1, N},
      {"ListSchemaVersion", T::kInt, 4, N},
      {"ClientId", T::kVarBinary, 16, N},
  };
}

// The columns of shredded storage, which arrived after 2010.
bool isShreddedStorageColumn(const std::string& name) {
  return name == "ContentVersion" || name == "NextBSN" || name == "MetadataNextBSN" || name == "StreamSchema";
}

// The 2007 tables have no compressed alias types: their property bags are
// plain image values.
std::vector<ContentColumn> withoutAliases(std::vector<ContentColumn> columns) {
  for (ContentColumn& column : columns) {
    if (column.aliasTypeId != 0) column = {column.name, T::kImage, 16, N};
  }
  return columns;
}

// `head`, then the columns of `tail` it lacks, in the tail's order.
std::vector<ContentColumn> continued(std::vector<ContentColumn> head, const std::vector<ContentColumn>& tail) {
  std::set<std::string> names;
  for (const ContentColumn& column : head) names.insert(column.name);
  for (const ContentColumn& column : tail) {
    if (names.insert(column.name).second) head.push_back(column);
  }
  return head;
}

std::vector<ContentColumn> allWebsTail() {
  return {
      {"Id", T::kUniqueIdentifier, 16, NN},
      {"SiteId", T::kUniqueIdentifier, 16, NN},
      {"FullUrl", T::kNVarChar, 256, NN},
      {"ParentWebId", T::kUniqueIdentifier, 16, N},
      {"ProductVersion", T::kSmallInt, 2, NN},
      {"TemplateVersion", T::kSmallInt, 2, NN},
      {"FirstUniqueAncestorWebId", T::kUniqueIdentifier, 16, NN},
      {"Author", T::kInt, 4, NN},
      {"Title", T::kNVarChar, 255, N},
      {"TimeCreated", T::kDateTime, 8, NN},
      {"CachedNavDirty", T::kInt, 4, NN},
      {"CachedNav", T::kVarBinary, -1, N},
      {"CachedInheritedNav", T::kVarBinary, -1, N},
      {"CachedNavScope", T::kNVarChar, -1, N},
      {"CachedDataVersion", T::kInt, 4, NN},
      {"Description", T::kNVarChar, -1, N},
      {"DeleteTransactionId", T::kVarBinary, 16, NN},
      {"ScopeId", T::kUniqueIdentifier, 16, NN},
      {"SecurityProvider", T::kUniqueIdentifier, 16, N},
      {"MetaInfo", T::kVarBinary, -1, N},
      {"MetaInfoVersion", T::kInt, 4, NN},
      {"LastMetadataChange", T::kDateTime, 8, NN},
      {"NavStructNextEid", T::kInt, 4, NN},
      {"NavParentWebId", T::kUniqueIdentifier, 16, N},
      {"NextWebGroupId", T::kInt, 4, NN},
      {"DefTheme", T::kNVarChar, 64, N},
      {"AlternateCSSUrl", T::kNVarChar, 260, N},
      {"CustomizedCss", T::kNVarChar, 260, N},
      {"CustomJSUrl", T::kNVarChar, 260, N},
      {"AlternateHeaderUrl", T::kNVarChar, 260, N},
      {"DailyUsageData", T::kVarBinary, -1, N},
      {"DailyUsageDataVersion", T::kInt, 4, NN},
      {"MonthlyUsageData", T::kVarBinary, -1, N},
      {"MonthlyUsageDataVersion", T::kInt, 4, NN},
      {"DayLastAccessed", T::kSmallInt, 2, NN},
      {"WebTemplate", T::kInt, 4, NN},
      {"Language", T::kInt, 4, NN},
      {"Locale", T::kInt, 4, NN},
      {"TimeZone", T::kSmallInt, 2, NN},
      {"Time24", T::kBit, 1, N},
      {"CalendarType", T::kSmallInt, 2, N},
      {"AdjustHijriDays", T::kSmallInt, 2, N},
      {"MeetingCount", T::kSmallInt, 2, NN},
      {"ProvisionConfig", T::kSmallInt, 2, NN},
      {"Flags", T::kInt, 4, NN},
      {"Collation", T::kSmallInt, 2, NN},
      {"RequestAccessEmail", T::kNVarChar, 255, N},
      {"MasterUrl", T::kNVarChar, 260, N},
      {"CustomMasterUrl", T::kNVarChar, 260, N},
      {"SiteLogoUrl", T::kNVarChar, 260, N},
      {"SiteLogoDescription", T::kNVarChar, 255, N},
      {"AuditFlags", T::kInt, 4, N},
      {"InheritAuditFlags", T::kInt, 4, N},
      {"Ancestry", T::kVarBinary, -1, N},
      {"AltCalendarType", T::kTinyInt, 1, N},
      {"CalendarViewOptions", T::kTinyInt, 1, N},
      {"WorkDays", T::kSmallInt, 2, N},
      {"WorkDayStartHour", T::kSmallInt, 2, N},
      {"WorkDayEndHour", T::kSmallInt, 2, N},
      {"UIVersion", T::kTinyInt, 1, N},
      {"ClientTag", T::kSmallInt, 2, NN},
      {"AllowMUI", T::kBit, 1, NN},
  };
}

// The Webs table as the 2003 generation began it; 2007 kept these first.
std::vector<ContentColumn> websHead() {
  return {
      {"Id", T::kUniqueIdentifier, 16, NN},
      {"SiteId", T::kUniqueIdentifier, 16, NN},
      {"FullUrl", T::kNVarChar, 256, NN},
      {"ParentWebId", T::kUniqueIdentifier, 16, N},
      {"FirstUniqueAncestorWebId", T::kUniqueIdentifier, 16, NN},
      {"Author", T::kInt, 4, NN},
      {"Title", T::kNVarChar, 255, N},
      {"TimeCreated", T::kDateTime, 8, NN},
      {"CachedNavDirty", T::kInt, 4, NN},
      {"CachedNav", T::kImage, 16, N},
      {"Description", T::kNText, 16, N},
      {"ACL", T::kImage, 16, N},
      {"AnonymousPermMask", T::kInt, 4, N},
      {"SecurityProvider", T::kUniqueIdentifier, 16, N},
      {"MetaInfo", T::kImage, 16, N},
      {"MetaInfoVersion", T::kInt, 4, NN},
      {"LastMetadataChange", T::kDateTime, 8, NN},
      {"NavStructNextEid", T::kInt, 4, NN},
      {"NextWebGroupId", T::kInt, 4, NN},
      {"DefTheme", T::kNVarChar, 64, N},
      {"AlternateCSSUrl", T::kNVarChar, 260, N},
      {"CustomJSUrl", T::kNVarChar, 260, N},
      {"AlternateHeaderUrl", T::kNVarChar, 260, N},
  };
}

std::vector<ContentColumn> allListsFor(bool compressed) {
  std::vector<ContentColumn> columns = {
      {"tp_SiteId", T::kUniqueIdentifier, 16, NN},
      {"tp_WebId", T::kUniqueIdentifier, 16, NN},
      {"tp_ID", T::kUniqueIdentifier, 16, NN},
      {"tp_Title", T::kNVarChar, 255, NN},
      {"tp_Created", T::kDateTime, 8, NN},
      {"tp_LastSecurityChange", T::kDateTime, 8, NN},
      {"tp_Version", T::kInt, 4, NN},
      {"tp_Author", T::kInt, 4, N},
      {"tp_BaseType", T::kInt, 4, NN},
      {"tp_FeatureId", T::kUniqueIdentifier, 16, N},
      {"tp_ServerTemplate", T::kInt, 4, NN},
      {"tp_RootFolder", T::kUniqueIdentifier, 16, NN},
      {"tp_Template", T::kUniqueIdentifier, 16, N},
      {"tp_ImageUrl", T::kNVarChar, 255, NN},
      {"tp_ReadSecurity", T::kInt, 4, NN},
      {"tp_WriteSecurity", T::kInt, 4, NN},
      {"tp_Subscribed", T::kBit, 1, NN},
      {"tp_Direction", T::kInt, 4, N},
      {"tp_Flags", T::kBigInt, 8, NN},
      {"tp_ThumbnailSize", T::kInt, 4, N},
      {"tp_WebImageWidth", T::kInt, 4, N},
      {"tp_WebImageHeight", T::kInt, 4, N},
      {"tp_Description", T::kNVarChar, -1, NN},
      {"tp_EmailAlias", T::kNVarChar, 128, N},
      {"tp_DeleteTransactionId", T::kVarBinary, 16, NN},
      {"tp_ScopeId", T::kUniqueIdentifier, 16, NN},
      {"tp_HasFGP", T::kBit, 1, NN},
      {"tp_HasInternalFGP", T::kBit, 1, NN},
      {"tp_EventSinkAssembly", T::kNVarChar, 255, N},
      {"tp_EventSinkClass", T::kNVarChar, 255, N},
      {"tp_EventSinkData", T::kNVarChar, 255, N},
      {"tp_MaxRowOrdinal", T::kTinyInt, 1, NN},
      alias("tp_Fields", kCompressedStringType),
      alias("tp_ContentTypes", kCompressedStringType),
      {"tp_AuditFlags", T::kInt, 4, N},
      {"tp_InheritAuditFlags", T::kInt, 4, N},
      {"tp_SendToLocation", T::kNVarChar, 512, N},
      {"tp_ListDataDirty", T::kInt, 4, NN},
      {"tp_CacheParseId", T::kUniqueIdentifier, 16, N},
      {"tp_MaxMajorVersionCount", T::kInt, 4, N},
      {"tp_MaxMajorwithMinorVersionCount", T::kInt, 4, N},
      {"tp_DefaultWorkflowId", T::kUniqueIdentifier, 16, N},
      {"tp_NoThrottleListOperations", T::kBit, 1, NN},
      {"tp_ListSchemaVersion", T::kInt, 4, NN},
  };
  if (compressed) return columns;
  // Up to 2007 the field and content-type schemas are plain ntext.
  for (ContentColumn& column : columns) {
    if (column.aliasTypeId != 0) column = {column.name, T::kNText, 16, N};
  }
  return columns;
}

// SQL Server 2000 has no max types: their values were ntext and image.
std::vector<ContentColumn> withoutMaxTypes(std::vector<ContentColumn> columns) {
  for (ContentColumn& column : columns) {
    if (column.length >= 0) continue;
    column.type = column.type == T::kNVarChar ? T::kNText : T::kImage;
    column.length = 16;
  }
  return columns;
}

std::vector<ContentColumn> forFileOf(ContentLayout layout, std::vector<ContentColumn> columns) {
  return layout == ContentLayout::k2000 ? withoutMaxTypes(std::move(columns)) : columns;
}

std::vector<ContentColumn> withoutColumns(std::vector<ContentColumn> columns, bool (*drop)(const std::string&)) {
  columns.erase(std::remove_if(columns.begin(), columns.end(),
                               [&](const ContentColumn& column) { return drop(column.name); }),
                columns.end());
  return columns;
}

}  // namespace

SqlTypeInfo sqlTypeInfo(SqlType type) {
  switch (type) {
    case T::kUniqueIdentifier: return {36, "uniqueidentifier", 16, 0, 0, false};
    case T::kNVarChar: return {231, "nvarchar", 0, 0, 0, true};
    case T::kVarBinary: return {165, "varbinary", 0, 0, 0, false};
    case T::kVarChar: return {167, "varchar", 0, 0, 0, true};
    case T::kInt: return {56, "int", 4, 10, 0, false};
    case T::kTinyInt: return {48, "tinyint", 1, 3, 0, false};
    case T::kSmallInt: return {52, "smallint", 2, 5, 0, false};
    case T::kBigInt: return {127, "bigint", 8, 19, 0, false};
    case T::kBit: return {104, "bit", 1, 1, 0, false};
    case T::kDateTime: return {61, "datetime", 8, 23, 3, false};
    case T::kFloat: return {62, "float", 8, 53, 0, false};
    case T::kBinary: return {173, "binary", 0, 0, 0, false};
    case T::kImage: return {34, "image", 0, 0, 0, false};
    case T::kNText: return {99, "ntext", 0, 0, 0, true};
  }
  return {56, "int", 4, 10, 0, false};
}

int16_t storedMaxLength(const ContentColumn& column) {
  if (column.length < 0) return -1;
  if (column.type == T::kNVarChar) return static_cast<int16_t>(column.length * 2);
  return column.length;
}

const char* websTableName(ContentLayout layout) { return layout == ContentLayout::k2010 ? "AllWebs" : "Webs"; }

std::vector<ContentColumn> allDocsColumns(ContentLayout layout) {
  if (layout == ContentLayout::k2010) return withoutColumns(allDocsTail(), isShreddedStorageColumn);
  std::vector<ContentColumn> head = {
      {"Id", T::kUniqueIdentifier, 16, NN},
      {"SiteId", T::kUniqueIdentifier, 16, NN},
      {"DirName", T::kNVarChar, 256, NN},
      {"LeafName", T::kNVarChar, 128, NN},
      {"WebId", T::kUniqueIdentifier, 16, NN},
      {"ListId", T::kUniqueIdentifier, 16, N},
      {"DoclibRowId", T::kInt, 4, N},
      {"Type", T::kTinyInt, 1, NN},
      {"Size", T::kInt, 4, N},
      {"MetaInfoSize", T::kInt, 4, N},
      {"Version", T::kInt, 4, N},
      {"UIVersion", T::kInt, 4, NN},
      {"Dirty", T::kBit, 1, N},
      {"ListDataDirty", T::kBit, 1, NN},
      {"CacheParseId", T::kUniqueIdentifier, 16, N},
      {"DocFlags", T::kInt, 4, N},
      {"ThicketFlag", T::kBit, 1, N},
      {"CharSet", T::kInt, 4, N},
      {"ProgId", T::kNVarChar, 255, N},
      {"TimeCreated", T::kDateTime, 8, NN},
      {"TimeLastModified", T::kDateTime, 8, NN},
      {"NextToLastTimeModified", T::kDateTime, 8, N},
  };
  return forFileOf(layout, withoutAliases(continued(head, withoutColumns(allDocsTail(), isShreddedStorageColumn))));
}

std::vector<ContentColumn> allDocStreamsColumns(ContentLayout layout) {
  std::vector<ContentColumn> columns = {
      {"Id", T::kUniqueIdentifier, 16, NN},
      {"SiteId", T::kUniqueIdentifier, 16, NN},
      {"InternalVersion", T::kInt, 4, NN},
      {"Content", T::kVarBinary, -1, N},
  };
  // Remote BLOB storage arrived with 2010.
  if (layout == ContentLayout::k2010) columns.push_back({"RbsId", T::kVarBinary, 800, N});
  return forFileOf(layout, columns);
}

std::vector<ContentColumn> websColumns(ContentLayout layout) {
  if (layout == ContentLayout::k2010) return allWebsTail();
  return forFileOf(layout, continued(websHead(), allWebsTail()));
}

std::vector<ContentColumn> allListsColumns(ContentLayout layout) {
  return forFileOf(layout, allListsFor(layout == ContentLayout::k2010));
}

}  // namespace pellora::kit
