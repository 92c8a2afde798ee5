// The content of a synthetic SharePoint content database, made up from a
// seed: one site collection with its webs (sites and subsites), their lists
// and libraries, and the folders and documents in them, including the odd
// cases a recovery tool meets (a list whose site is gone, a document whose
// list is gone, files of every size, Unicode names, deleted documents, a
// list row that grew and was moved). Nothing is stored here but the values;
// the records are made elsewhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kit/content_db_values.h"

namespace pellora::kit {

enum class RowState {
  kLive,
  kDeleted,  // removed by the engine: the record stays on its page as a ghost
  // Removed, and the ghost cleaned up: its slot is gone, but its bytes stay
  // in the page body until the space is used again; only carving finds it.
  kCarvable,
};

struct ContentWeb {
  Guid id, siteId;
  std::optional<Guid> parentId;
  std::string fullUrl;  // server-relative, without a leading "/"
  std::string title;
  DateTime created, lastChange;
  int32_t webTemplate = 1;
  RowState state = RowState::kLive;
};

struct ContentList {
  Guid id, webId, siteId, rootFolderId;
  std::string title;
  int32_t baseType = 1;          // 1 a document library, 0 a generic list
  int32_t serverTemplate = 101;  // 101 document library, 107 tasks
  DateTime created;
  std::string description;
  RowState state = RowState::kLive;
  // The row grew (a long description was added) after its page had filled:
  // it lives on another page, and a forwarding stub keeps its place.
  bool moved = false;
};

struct ContentDoc {
  Guid id, siteId, webId, parentId, scopeId;
  std::optional<Guid> listId;
  std::string dirName;  // the parent folder's path, parts separated by "/"
  std::string leafName;
  int type = 0;  // 0 a file, 1 a folder
  int64_t size = 0;  // the body's length; files only
  uint64_t bodySeed = 0;
  int32_t doclibRowId = 0;
  DateTime created, modified;
  RowState state = RowState::kLive;
  // A document added only to fill the file to a size: its body is
  // kPaddingFragments copies of paddingBlock().
  bool padding = false;

  bool isFile() const { return type == 0; }
};

constexpr int kPaddingFragments = 5;

struct ContentModel {
  Guid siteId;
  std::vector<ContentWeb> webs;
  std::vector<ContentList> lists;
  std::vector<ContentDoc> docs;
};

struct ContentOptions {
  uint64_t seed = 1;
  int sites = 3;
  int documents = 40;
  // A few document rows are deleted: two are ghosts, two more have lost
  // their slots (carvable).
  bool deletedRows = true;
};

ContentModel buildContentModel(const ContentOptions& options);

// Adds `count` padding documents to the first library, in a folder of
// their own; for filling a file to a size.
void addBulkDocuments(ContentModel& model, uint64_t seed, int64_t count);

}  // namespace pellora::kit
