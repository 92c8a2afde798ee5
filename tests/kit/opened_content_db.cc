#include "kit/opened_content_db.h"

#include "catalog/record_listing.h"
#include "kit/content_db_manifest.h"

namespace pellora::kit {

OpenedContentDb::OpenedContentDb(ContentLayout layout, ContentOptions options)
    : OpenedContentDb(layout, buildContentModel(options)) {}

OpenedContentDb::OpenedContentDb(ContentLayout layout, ContentModel model) : model_(std::move(model)) {
  fileOptions_.layout = layout;
  path_ = dir_.file("content.mdf");
  if (!contentDatabaseFile(model_, fileOptions_).writeTo(path_)) return;
  file_ = std::make_unique<DatabaseFile>(path_, silentNotifier(), flags_);
  if (!file_->valid()) return;
  catalog_ = std::make_unique<DatabaseCatalog>(*file_, CollationRequest{});
  reader_ = std::make_unique<TableReader>(*catalog_, *file_);
}

ContentOptions OpenedContentDb::small() {
  ContentOptions options;
  options.documents = 16;
  return options;
}

std::vector<ShownRow> OpenedContentDb::manifest() const { return parseManifest(manifestText(model_)); }

std::vector<ShownRow> OpenedContentDb::rowsOf(const std::string& table, bool advanced) {
  std::vector<ShownRow> rows;
  if (!valid() || reader_->readTable(table, "U ", {}).empty()) return rows;
  RecordListModel model;
  RowDecoding decoding;
  decoding.placeholders = false;
  RecordListing listing(*reader_, model, silentNotifier(), decoding);
  const ColumnLayouts& layouts = reader_->prepared().columns;
  listing.forEachRow(advanced, [&](const DecodedRow& decoded) {
    ShownRow row;
    for (size_t i = 0; i < layouts.size() && i < decoded.size(); ++i) row[layouts[i].name] = decoded[i].display();
    rows.push_back(row);
    return true;
  });
  return rows;
}

std::vector<ShownRow> manifestRowsIn(const std::vector<ShownRow>& manifest, const std::string& kind,
                                     const std::set<std::string>& states) {
  std::vector<ShownRow> out;
  for (const ShownRow& row : manifest) {
    if (row.at("kind") == kind && states.count(row.at("state"))) out.push_back(row);
  }
  return out;
}

std::multiset<std::string> valuesOf(const std::vector<ShownRow>& rows, const std::string& column) {
  std::multiset<std::string> values;
  for (const ShownRow& row : rows) values.insert(row.count(column) ? row.at(column) : "<missing>");
  return values;
}

}  // namespace pellora::kit
