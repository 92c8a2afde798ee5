// A synthetic content database written to a temporary folder and opened as
// the program opens a file, with its catalog and table reader, so a test can
// list a table's rows (as column name to shown text, large values in full)
// and compare them with the model and manifest the file was made from.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "catalog/database_catalog.h"
#include "catalog/table_reader.h"
#include "kit/content_db_file.h"
#include "kit/content_db_model.h"
#include "kit/temp_dir.h"
#include "storage/database_file.h"

namespace pellora::kit {

using ShownRow = std::map<std::string, std::string>;

class OpenedContentDb {
 public:
  explicit OpenedContentDb(ContentLayout layout, ContentOptions options = small());
  OpenedContentDb(ContentLayout layout, ContentModel model);

  // 16 documents: every case of the model, and quick to write.
  static ContentOptions small();

  bool valid() const { return catalog_ != nullptr; }
  const std::string& path() const { return path_; }
  DatabaseFile& file() { return *file_; }
  DatabaseCatalog& catalog() { return *catalog_; }
  TableReader& reader() { return *reader_; }
  // The flags the file reads its pages with ("Show deleted records" and
  // carving among them); they apply from the next listing on.
  RunFlags& flags() { return flags_; }
  const ContentModel& model() const { return model_; }
  std::vector<ShownRow> manifest() const;

  // Every row the listing of `table` gives, through the allocation map
  // (Standard mode) or every data page of the table (Advanced mode). Empty
  // when the file has no such table.
  std::vector<ShownRow> rowsOf(const std::string& table, bool advanced = false);

 private:
  TempDir dir_;
  std::string path_;
  ContentFileOptions fileOptions_;
  ContentModel model_;
  RunFlags flags_;
  std::unique_ptr<DatabaseFile> file_;
  std::unique_ptr<DatabaseCatalog> catalog_;
  std::unique_ptr<TableReader> reader_;
};

// The rows of `manifest` of `kind` ("web", "list", "doc", "stream") whose
// state is one of `states`.
std::vector<ShownRow> manifestRowsIn(const std::vector<ShownRow>& manifest, const std::string& kind,
                                     const std::set<std::string>& states);

// The values of `column` in `rows`, "<missing>" where a row lacks it.
std::multiset<std::string> valuesOf(const std::vector<ShownRow>& rows, const std::string& column);

}  // namespace pellora::kit
