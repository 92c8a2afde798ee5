// A synthetic SharePoint content database as one primary data file: the
// boot page, allocation pages, the system tables the catalog is read from
// (objects, columns with their physical layout, rowsets, allocation units,
// type names, files, the tables' primary keys with their indexes and key
// columns, the source text of the views and procedures), and for every
// SharePoint table its IAM pages, its
// data pages and, for the document bodies, large-value pages. AllLists is
// kept as a heap, so the list row that grew (ContentList::moved) lies on a
// page of its own behind a forwarding stub; the other tables are clustered.
// Deleted documents stay as ghosts or, their slots reclaimed, as bytes in
// the page body (RowState).
//
// In a SQL Server 2000 file (ContentLayout::k2000) the catalog is
// sysobjects, sysindexes and syscolumns instead, the pages carry their
// table's object id and index id, and every ntext and image value, the
// bodies among them, lies on text pages behind a text pointer.
#pragma once

#include <cstdint>
#include <string>

#include "kit/content_db_model.h"
#include "kit/content_db_schema.h"
#include "kit/data_file_builder.h"

namespace pellora::kit {

constexpr uint32_t kLatin1GeneralCiAsKsWs = 4104;
// From SQL Server 2005 on, bodies up to this length stay in their row;
// longer ones go to large-value pages.
constexpr int64_t kInRowBodyLimit = 8000;

struct ContentFileOptions {
  ContentLayout layout = ContentLayout::k2010;
  std::string databaseName = "WSS_Content";
  uint32_t collationId = kLatin1GeneralCiAsKsWs;
};

// Object ids of the SharePoint objects in the catalog.
constexpr int32_t kAllDocsObjectId = 85575343;
constexpr int32_t kAllDocStreamsObjectId = 101575400;
constexpr int32_t kAllListsObjectId = 117575457;
constexpr int32_t kWebsObjectId = 149575571;
constexpr int32_t kWebsViewObjectId = 165575628;
constexpr int32_t kDocsViewObjectId = 181575685;

DataFileBuilder contentDatabaseFile(const ContentModel& model, const ContentFileOptions& options);

// The boot page version of the layout's SQL Server.
uint16_t fileVersionOf(ContentLayout layout);

}  // namespace pellora::kit
