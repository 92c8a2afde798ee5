#include "kit/content_db_catalog.h"

#include "kit/content_db_file.h"

namespace pellora::kit {

namespace {

// Index status bits: 0x01 and 0x08 a unique index, 0x20 the primary key.
constexpr int32_t kPrimaryKeyIndexStatus = 0x01 | 0x08 | 0x20;
// Index column status: a key column, ascending.
constexpr int32_t kKeyColumnStatus = 0x02;
constexpr int32_t kHeapIndexId = 0;
constexpr int32_t kClusteredIndexId = 1;
constexpr int32_t kFirstNonclusteredIndexId = 2;
constexpr int32_t kPrimaryFileGroup = 1;

// Module texts keep the line ends they were typed with.
constexpr const char* kEol = "\r\n";

std::string websViewText() {
  std::string text = std::string("CREATE VIEW [dbo].[Webs]") + kEol + "AS" + kEol + "SELECT" + kEol;
  const std::vector<ContentColumn> columns = websColumns(ContentLayout::k2010);
  for (size_t i = 0; i < columns.size(); ++i) {
    text += "    [" + columns[i].name + "]" + (i + 1 < columns.size() ? "," : "") + kEol;
  }
  return text + "FROM" + kEol + "    [dbo].[AllWebs]" + kEol + "WHERE" + kEol + "    [DeleteTransactionId] = 0x";
}

std::string docsViewText() {
  return std::string("CREATE VIEW [dbo].[Docs]") + kEol + "AS" + kEol +
         "SELECT * FROM [dbo].[AllDocs] WHERE [DeleteTransactionId] = 0x AND [Level] = 1";
}

// The lines of a module, joined with its line ends.
std::string joined(const std::vector<const char*>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += std::string(lines[i]) + (i + 1 < lines.size() ? kEol : "");
  return text;
}

std::vector<ContentModule> procedures() {
  return {
      {kListsOfWebProcedureId, "proc_GetListsOfWeb", "P ",
       joined({"CREATE PROCEDURE [dbo].[proc_GetListsOfWeb]",
               "    @WebId uniqueidentifier",
               "AS",
               "    SET NOCOUNT ON",
               "    SELECT tp_ID, tp_Title, tp_BaseType, tp_ServerTemplate, tp_Created",
               "    FROM AllLists",
               "    WHERE tp_WebId = @WebId AND tp_DeleteTransactionId = 0x",
               "    ORDER BY tp_Title",
               "    RETURN 0"})},
      {kDocStreamProcedureId, "proc_GetDocStream", "P ",
       joined({"CREATE PROCEDURE [dbo].[proc_GetDocStream]",
               "    @SiteId uniqueidentifier,",
               "    @DocId uniqueidentifier",
               "AS",
               "    SET NOCOUNT ON",
               "    SELECT TOP 1 S.Content, D.Size, D.TimeLastModified",
               "    FROM AllDocs AS D",
               "    INNER JOIN AllDocStreams AS S ON S.SiteId = D.SiteId AND S.Id = D.Id",
               "    WHERE D.SiteId = @SiteId AND D.Id = @DocId AND D.DeleteTransactionId = 0x",
               "    ORDER BY S.InternalVersion DESC",
               "    RETURN 0"})},
      {kChildFoldersProcedureId, "proc_ListChildFolders", "P ",
       joined({"CREATE PROCEDURE [dbo].[proc_ListChildFolders]",
               "    @SiteId uniqueidentifier,",
               "    @DirName nvarchar(256)",
               "AS",
               "    -- Folders (Type 1) right under @DirName, e.g. \"Freigegebene Dokumente/Größe\"",
               "    SET NOCOUNT ON",
               "    SELECT Id, LeafName, TimeLastModified",
               "    FROM AllDocs",
               "    WHERE SiteId = @SiteId AND DirName = @DirName AND Type = 1",
               "        AND DeleteTransactionId = 0x AND Level = 1",
               "    ORDER BY LeafName",
               "    RETURN 0"})},
  };
}

}  // namespace

ContentKey primaryKeyOf(const std::string& table) {
  if (table == "AllDocs") return {"AllDocs_PK", {"SiteId", "DeleteTransactionId", "DirName", "LeafName", "Level"}};
  if (table == "AllDocStreams") return {"AllDocStreams_PK", {"SiteId", "Id", "InternalVersion"}};
  if (table == "AllLists") return {"AllLists_PK", {"tp_WebId", "tp_ID"}};
  // AllWebs kept the key name of the table it was renamed from.
  if (table == "AllWebs" || table == "Webs") return {"Webs_PK", {"Id"}};
  return {};
}

std::vector<ContentModule> contentModules(ContentLayout layout) {
  std::vector<ContentModule> modules = {{kDocsViewObjectId, "Docs", "V ", docsViewText()}};
  if (layout == ContentLayout::k2010) modules.push_back({kWebsViewObjectId, "Webs", "V ", websViewText()});
  for (ContentModule& procedure : procedures()) modules.push_back(std::move(procedure));
  return modules;
}

void addPrimaryKey(const ContentTable& table, bool heap, int32_t constraintId, KeyRows& rows) {
  const ContentKey key = primaryKeyOf(table.name());
  if (key.name.empty()) return;
  ObjectRow constraint;
  constraint.objectId = constraintId;
  constraint.name = key.name;
  constraint.typeCode = "PK";
  constraint.parentObjectId = table.objectId();
  rows.objects.push_back(constraint);

  IndexRow index;
  index.objectId = table.objectId();
  index.dataSpaceId = kPrimaryFileGroup;
  if (heap) {
    IndexRow heapRow = index;
    heapRow.indexId = kHeapIndexId;
    heapRow.type = kHeapIndexType;
    heapRow.rowsetId = table.rowsetId();
    rows.indexes.push_back(heapRow);
    // The nonclustered key's own b-tree is not written: its row names no rowset.
    index.indexId = kFirstNonclusteredIndexId;
    index.type = kNonclusteredIndexType;
  } else {
    index.indexId = kClusteredIndexId;
    index.type = kClusteredIndexType;
    index.rowsetId = table.rowsetId();
  }
  index.name = key.name;
  index.status = kPrimaryKeyIndexStatus;
  rows.indexes.push_back(index);

  for (size_t i = 0; i < key.columns.size(); ++i) {
    IndexColumnRow column;
    column.objectId = table.objectId();
    column.indexId = index.indexId;
    column.keyOrdinal = static_cast<int32_t>(i + 1);
    column.status = kKeyColumnStatus;
    column.tinyProperty1 = static_cast<uint8_t>(i + 1);
    for (size_t c = 0; c < table.columns().size(); ++c) {
      if (table.columns()[c].name == key.columns[i]) column.columnId = table.places()[c].columnId;
    }
    rows.indexColumns.push_back(column);
  }
}

}  // namespace pellora::kit
