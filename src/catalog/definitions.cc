#include "catalog/definitions.h"

#include "storage/primary_record_page.h"

namespace pellora {

namespace {

constexpr int32_t kObjectValuesObjectId = 60;
constexpr int32_t kLegacyCommentsObjectId = 6;
constexpr uint32_t kDataPageType = 1;

ColumnLayout pseudoColumn(const char* name, const char* typeText, TypeCode code, int32_t id) {
  ColumnLayout layout;
  layout.name = name;
  layout.typeText = typeText;
  layout.typeCode = code;
  layout.variableLength = code == TypeCode::kSqlVariant || code == TypeCode::kVarBinary;
  layout.columnId = id;
  layout.ordinal = id;
  layout.present = true;
  return layout;
}

std::string cellText(const DecodedRow& row, size_t i) { return i < row.size() ? row[i].text : std::string(); }

}  // namespace

ColumnLayouts objectValuesLayouts() {
  return {pseudoColumn("valclass", "tinyint(1)", TypeCode::kTinyInt, 1),
          pseudoColumn("objid", "int(4)", TypeCode::kInt, 2),
          pseudoColumn("subobjid", "int(4)", TypeCode::kInt, 3),
          pseudoColumn("valnum", "int(4)", TypeCode::kInt, 4),
          pseudoColumn("value", "sql_variant(8016)", TypeCode::kSqlVariant, 5),
          pseudoColumn("imageval", "varbinary(-1)", TypeCode::kVarBinary, 6)};
}

DefinitionReader::DefinitionReader(TableReader& reader, Notifier& notifier, RowDecoding decoding)
    : reader_(reader), notifier_(notifier), decoding_(decoding) {
  if (decoding_.file == nullptr) decoding_.file = &reader_.file();
  if (decoding_.flags == nullptr) decoding_.flags = &reader_.file().flags();
  decoding_.placeholders = false;
}

DefinitionList DefinitionReader::readAll() {
  DatabaseFile& file = reader_.file();
  const bool legacy = reader_.catalog().legacyLayout();
  ColumnLayouts layouts = legacy ? reader_.readTable("syscomments", "S ", {}) : objectValuesLayouts();
  const int32_t objectId = legacy ? kLegacyCommentsObjectId : kObjectValuesObjectId;
  notifier_.logLine("Retrieving Objects of Sysobjvalues System Tables...........");
  DefinitionList entries;
  auto found = file.systemPageIndex().find(objectId);
  const size_t count = found == file.systemPageIndex().end() ? 0 : found->second.size();
  notifier_.progressRange(0, static_cast<int64_t>(count));
  for (size_t i = 0; i < count && !file.flags().stopRequested(); ++i) {
    const PageIndexEntry& entry = found->second[i];
    if (legacy && entry.pageType != kDataPageType) continue;
    auto page = file.readCatalogPage({static_cast<int16_t>(entry.fileId), static_cast<int32_t>(entry.position)});
    if (!page) continue;
    std::vector<DecodedRow> rows = legacy ? decodeDefinitionRowsLegacy(*page, layouts, decoding_)
                                          : decodeDefinitionRows(*page, layouts, decoding_);
    for (const DecodedRow& row : rows) {
      if (row.empty()) continue;
      if (legacy) {
        entries.push_back({cellText(row, 0), cellText(row, 1), row.size() > 4 ? cellText(row, 4) : std::string()});
      } else {
        entries.push_back({cellText(row, 1), cellText(row, 2), cellText(row, row.size() - 1)});
      }
    }
    notifier_.progressPos(static_cast<int64_t>(i));
  }
  notifier_.progressPos(static_cast<int64_t>(count));
  notifier_.logLine("Retrieving  Objects of Sysobjvalues System Tables has been done...........");
  return entries;
}

std::string DefinitionReader::definition(const std::string& objectIdText) {
  if (!cacheLoaded_) {
    cache_ = readAll();
    cacheLoaded_ = !cache_.empty();
  }
  std::string text;
  for (const DefinitionEntry& entry : cache_) {
    if (entry.objectIdText != objectIdText) continue;
    const std::vector<uint8_t> bytes = definitionValueBytes(entry.valueText);
    const bool utf16 = isUtf16Definition(bytes);
    Bytes view(bytes.data(), bytes.size());
    const std::string chunk = utf16 ? utf16Text(view) : codePageText(view, 0);
    // A chunk of 8-bit text that repeats what is there already is a copy.
    if (utf16 || chunk != text) text += chunk;
  }
  return text;
}

}  // namespace pellora
