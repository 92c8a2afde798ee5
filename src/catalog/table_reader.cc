#include "catalog/table_reader.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/system_type_names.h"
#include "platform/byte_text.h"
#include "storage/primary_record_page.h"

namespace pellora {

namespace {

constexpr uint32_t kDataPageType = 1;
constexpr uint8_t kInRowDataUnit = 1;
constexpr int32_t kObjectIdMask = static_cast<int32_t>(0xFCFFFFFF);
constexpr int32_t kSparseStatusBit = 1 << 24;
constexpr int32_t kPrimaryKeyStatus = 0x20;
constexpr int32_t kUniqueIndexStatus = 0x08;
constexpr int32_t kUniqueConstraintStatus = 0x40;

// Pages of an allocation unit are indexed under the middle part of its id;
// its top 16 bits are the index id that the unit's page headers carry.
int32_t pageIndexKeyOf(uint64_t allocationUnitId) { return static_cast<int32_t>(allocationUnitId >> 16); }
uint16_t headerIndexIdOf(uint64_t allocationUnitId) { return static_cast<uint16_t>(allocationUnitId >> 48); }

bool belongsTo(const PageIndexEntry& entry, uint64_t allocationUnitId) {
  return entry.pageType == kDataPageType && entry.indexId == headerIndexIdOf(allocationUnitId);
}

const PageIndexEntry* lastDataEntry(const PageIndex& index, uint64_t allocationUnitId) {
  auto found = index.find(pageIndexKeyOf(allocationUnitId));
  if (found == index.end()) return nullptr;
  const PageIndexEntry* last = nullptr;
  for (const PageIndexEntry& entry : found->second) {
    if (belongsTo(entry, allocationUnitId)) last = &entry;
  }
  return last;
}

// The declared length is given to the decoders only for the types whose
// width the column declares.
bool hasDeclaredLength(TypeCode code) {
  switch (code) {
    case TypeCode::kBinary:
    case TypeCode::kChar:
    case TypeCode::kNChar:
    case TypeCode::kNVarChar:
    case TypeCode::kSysName:
    case TypeCode::kNumeric:
    case TypeCode::kDecimal:
    case TypeCode::kText:
    case TypeCode::kClr:
    case TypeCode::kXml: return true;
    default: return false;
  }
}

bool isVariableCode(TypeCode code) {
  switch (code) {
    case TypeCode::kNVarChar:
    case TypeCode::kUniqueIdentifier:
    case TypeCode::kVarBinary:
    case TypeCode::kVarChar:
    case TypeCode::kNText:
    case TypeCode::kSqlVariant:
    case TypeCode::kImage:
    case TypeCode::kText:
    case TypeCode::kClr:
    case TypeCode::kXml: return true;
    default: return false;
  }
}

TypeCode tableTypeCodeOf(int32_t systemTypeId) {
  return systemTypeId == system_type::kImage ? TypeCode::kImage : typeCodeOf(systemTypeId);
}

ColumnLayout textLayout(const std::string& value) {
  ColumnLayout layout;
  layout.value = value;
  layout.present = true;
  return layout;
}

}  // namespace

ColumnLayout newColumnLayout(const std::string& name, const std::string& typeText, TypeCode code) {
  ColumnLayout layout;
  layout.name = name;
  layout.typeText = typeText;
  layout.typeCode = code;
  if (hasDeclaredLength(code)) layout.declaredLength = static_cast<int16_t>(lengthInTypeText(typeText));
  layout.variableLength = isVariableCode(code);
  const int32_t raw = static_cast<int32_t>(code);
  if (code == TypeCode::kHierarchyId || code == TypeCode::kGeometry || raw > static_cast<int32_t>(TypeCode::kXml)) {
    layout.typeCode = TypeCode::kVarChar;
    layout.variableLength = true;
  } else if (code == TypeCode::kSysName) {
    layout.typeCode = TypeCode::kNVarChar;
    layout.variableLength = true;
  }
  return layout;
}

std::vector<uint8_t> definitionValueBytes(const std::string& hexValue) {
  std::vector<uint8_t> bytes;
  bytes.reserve(hexValue.size() / 2);
  for (size_t i = 2; i + 1 < hexValue.size(); i += 2) {
    const char digits[3] = {hexValue[i], hexValue[i + 1], 0};
    bytes.push_back(static_cast<uint8_t>(std::strtoul(digits, nullptr, 16)));
  }
  return bytes;
}

bool isUtf16Definition(const std::vector<uint8_t>& bytes) {
  return bytes.size() > 1 && std::find(bytes.begin() + 1, bytes.end(), 0) != bytes.end();
}

std::string definitionValueText(const std::string& hexValue) {
  const std::vector<uint8_t> bytes = definitionValueBytes(hexValue);
  Bytes view(bytes.data(), bytes.size());
  return isUtf16Definition(bytes) ? utf16Text(view) : codePageText(view, 0);
}

bool isNonTableType(const std::string& typeCode) {
  static const char* const kTypes[] = {"PK", "X ", "P ", "C ", "FN", "IF", "TR", "V ", "D ", "TT", "F ", "TF"};
  return std::find(std::begin(kTypes), std::end(kTypes), typeCode) != std::end(kTypes);
}

ColumnLayouts TableReader::readTable(const std::string& name, const std::string& typeCode,
                                     const DefinitionList& definitions) {
  TableInfo object = catalog_.findObject(name, typeCode);
  if (object.objectId == -1) return {};
  prepared_ = TableRows();
  pageKeys_.clear();
  prepared_.currentObject = object;
  for (const TableInfo& candidate : catalog_.objects()) {
    if (candidate.parentObjectId == object.objectId) prepared_.constraintObjects.push_back(candidate);
  }
  if (isNonTableType(object.typeCode)) {
    return {textLayout(std::to_string(object.objectId)), textLayout(object.typeCode), textLayout(object.name)};
  }
  if (catalog_.legacyLayout()) {
    auto found = file_.dataPageIndex().find(object.objectId);
    if (found != file_.dataPageIndex().end()) {
      for (const PageIndexEntry& entry : found->second) {
        if (entry.pageType == kDataPageType) prepared_.pages.push_back({static_cast<int16_t>(entry.fileId),
                                                                         static_cast<int32_t>(entry.position)});
      }
    }
  } else {
    chooseRowset();
    chooseAllocationUnit();
    collectTableRowsets();
    collectTableAllocationUnits();
    collectPages();
  }
  collectTableColumns();
  if (!catalog_.legacyLayout()) collectPhysicalLayout();
  collectKeyColumns();
  buildLayouts();
  applyPhysicalLayout(definitions);
  applyKeysAndForeignKeys();
  auto shown = std::find_if(prepared_.columns.begin(), prepared_.columns.end(),
                            [](const ColumnLayout& layout) { return layout.ordinal != kNoOrdinal; });
  prepared_.firstShownColumn =
      shown == prepared_.columns.end() ? 0 : static_cast<size_t>(shown - prepared_.columns.begin());
  prepared_.isTable = true;
  return prepared_.columns;
}

void TableReader::chooseRowset() {
  const int32_t id = prepared_.currentObject.objectId;
  const RowsetInfo* chosen = nullptr;
  const RowsetInfo* last = nullptr;
  for (const RowsetInfo& rowset : catalog_.rowsets()) {
    if (rowset.objectId != id) continue;
    last = &rowset;
    if (rowset.indexId <= 1 && (chosen == nullptr || rowset.indexId <= chosen->indexId)) chosen = &rowset;
  }
  if (chosen != nullptr) {
    prepared_.rowset = *chosen;
    return;
  }
  if (last != nullptr) prepared_.rowset = *last;
  // No heap or clustered rowset row: the index statistics may still name the
  // rowset, whose pages may then be listed more than once.
  for (const IndexInfo& index : catalog_.indexes()) {
    if (index.objectId != id || index.rowsetId == 0) continue;
    prepared_.rowset.rowsetId = index.rowsetId;
    prepared_.rowset.objectId = id;
    if (last == nullptr) prepared_.rowset.indexId = index.indexId;
    prepared_.deduplicating = true;
    break;
  }
}

void TableReader::chooseAllocationUnit() {
  const uint64_t rowsetId = prepared_.rowset.rowsetId;
  const AllocUnitInfo* chosen = nullptr;
  for (const AllocUnitInfo& unit : catalog_.allocUnits()) {
    if (unit.ownerId == rowsetId && unit.type == kInRowDataUnit) chosen = &unit;
  }
  auto set = [](PageId id) { return id.pageNumber != 0; };
  const bool hasPages =
      chosen != nullptr && (set(chosen->firstPage) || set(chosen->rootPage) || set(chosen->firstIamPage));
  if (hasPages) {
    prepared_.allocationUnit = *chosen;
    if (const PageIndexEntry* last = lastDataEntry(file_.dataPageIndex(), chosen->allocUnitId)) {
      prepared_.allocationUnit.firstPage = {static_cast<int16_t>(last->fileId), static_cast<int32_t>(last->position)};
    }
    return;
  }
  AllocUnitInfo unit;
  unit.allocUnitId = rowsetId;
  unit.ownerId = rowsetId;
  unit.type = kInRowDataUnit;
  if (const PageIndexEntry* last = lastDataEntry(file_.dataPageIndex(), rowsetId)) {
    prepared_.deduplicating = true;
    unit.firstPage = {static_cast<int16_t>(last->fileId), static_cast<int32_t>(last->position)};
  }
  prepared_.allocationUnit = unit;
}

void TableReader::collectTableRowsets() {
  const int32_t id = prepared_.currentObject.objectId;
  for (const RowsetInfo& rowset : catalog_.rowsets()) {
    if (rowset.objectId == id) prepared_.tableRowsets.push_back(rowset);
  }
  if (!prepared_.tableRowsets.empty()) return;
  for (const IndexInfo& index : catalog_.indexes()) {
    if (index.objectId != id || index.rowsetId == 0) continue;
    RowsetInfo rowset;
    rowset.rowsetId = index.rowsetId;
    rowset.objectId = id;
    rowset.indexId = index.indexId;
    prepared_.tableRowsets.push_back(rowset);
  }
}

void TableReader::collectTableAllocationUnits() {
  std::vector<AllocUnitInfo> units;
  auto collect = [&](auto matches) {
    for (const RowsetInfo& rowset : prepared_.tableRowsets) {
      for (const AllocUnitInfo& unit : catalog_.allocUnits()) {
        if (matches(unit, rowset)) units.push_back(unit);
      }
    }
  };
  collect([](const AllocUnitInfo& unit, const RowsetInfo& rowset) { return unit.ownerId == rowset.rowsetId; });
  if (prepared_.deduplicating && units.empty()) {
    collect([](const AllocUnitInfo& unit, const RowsetInfo& rowset) { return unit.allocUnitId == rowset.rowsetId; });
    if (units.empty()) {
      for (const RowsetInfo& rowset : prepared_.tableRowsets) {
        AllocUnitInfo unit;
        unit.allocUnitId = rowset.rowsetId;
        unit.ownerId = rowset.rowsetId;
        units.push_back(unit);
      }
    }
  }
  std::set<uint64_t> seen;
  for (const AllocUnitInfo& unit : units) {
    if (seen.insert(unit.allocUnitId).second) prepared_.tableAllocationUnits.push_back(unit);
  }
}

void TableReader::addPagesUnder(int32_t key, std::optional<uint64_t> allocationUnitId) {
  auto found = file_.dataPageIndex().find(key);
  if (found == file_.dataPageIndex().end()) return;
  for (const PageIndexEntry& entry : found->second) {
    if (entry.pageType != kDataPageType) continue;
    if (allocationUnitId && !belongsTo(entry, *allocationUnitId)) continue;
    if (prepared_.deduplicating && !pageKeys_.insert({entry.fileId, entry.position}).second) continue;
    prepared_.pages.push_back({static_cast<int16_t>(entry.fileId), static_cast<int32_t>(entry.position)});
  }
}

void TableReader::collectPages() {
  pageKeys_.clear();
  for (const AllocUnitInfo& unit : prepared_.tableAllocationUnits) {
    addPagesUnder(pageIndexKeyOf(unit.allocUnitId), unit.allocUnitId);
  }
  if (prepared_.pages.empty()) addPagesUnder(prepared_.currentObject.objectId, std::nullopt);
}

void TableReader::collectTableColumns() {
  const int32_t id = prepared_.currentObject.objectId;
  std::set<int32_t> taken;
  if (catalog_.legacyLayout()) {
    for (const LegacyColumnInfo& column : catalog_.legacyColumns()) {
      if ((column.objectId & kObjectIdMask) != (id & kObjectIdMask)) continue;
      if (taken.insert(column.columnId).second) prepared_.legacyTableColumns.push_back(column);
    }
    return;
  }
  for (const ColumnInfo& column : catalog_.columns()) {
    if ((column.objectId & kObjectIdMask) != (id & kObjectIdMask) || column.columnNumber != 0) continue;
    if (taken.insert(column.columnId).second) prepared_.tableColumns.push_back(column);
  }
}

void TableReader::collectPhysicalLayout() {
  const uint64_t rowsetId = prepared_.rowset.rowsetId;
  for (const RowsetColumnInfo& row : catalog_.rowsetColumns()) {
    if (row.rowsetId == rowsetId) prepared_.physicalLayout.push_back(row);
  }
  if (!prepared_.physicalLayout.empty()) return;
  for (HobtColumnInfo row : catalog_.hobtColumns()) {
    if (row.hobtId != rowsetId) continue;
    for (const RowsetColumnMapEntry& map : catalog_.rowsetColumnMap()) {
      if (map.rowsetId == rowsetId && map.rowsetColumnId == row.hobtColumnId) {
        row.rowsetColumnId = map.hobtColumnId;
        break;
      }
    }
    prepared_.hobtLayout.push_back(row);
  }
}

void TableReader::collectKeyColumns() {
  const int32_t id = prepared_.currentObject.objectId;
  for (const IndexInfo& index : catalog_.indexes()) {
    if (index.objectId != id || index.indexId <= 0 || (index.status & 1) == 0) continue;
    for (const IndexColumnInfo& column : catalog_.indexColumns()) {
      if (column.objectId == id && column.indexId == index.indexId) {
        prepared_.keyColumns.push_back({column, index.status});
      }
    }
  }
}

std::string TableReader::typeNameOf(int32_t systemTypeId, int32_t userTypeId) const {
  const ScalarTypeInfo* first = nullptr;
  for (const ScalarTypeInfo& type : catalog_.scalarTypes()) {
    if (userTypeId == systemTypeId && type.typeId == userTypeId && type.systemTypeId == systemTypeId &&
        type.schemaId == 1) {
      return type.name;
    }
    if (first == nullptr && type.typeId == systemTypeId) first = &type;
  }
  if (first != nullptr) return first->name;
  return systemTypeName(systemTypeId);
}

ColumnLayout TableReader::layoutOf(const ColumnInfo& column) const {
  const std::string typeText =
      typeNameOf(column.systemTypeId, column.userTypeId) + "(" + std::to_string(column.maxLength) + ")";
  ColumnLayout layout = newColumnLayout(column.name, typeText, tableTypeCodeOf(column.systemTypeId));
  if (layout.typeCode == TypeCode::kClr) layout.typeCode = clrTypeCodeOf(column.userTypeId);
  layout.nullable = (column.status & 1) == 0;
  layout.sparse = (column.status & kSparseStatusBit) != 0;
  layout.statusBit3 = (column.status & 8) != 0;
  layout.columnId = column.columnId;
  layout.ordinal = column.columnId;
  layout.precision = column.precision;
  layout.scale = column.scale;
  layout.collationId = column.collationId;
  layout.identityText = column.identityText;
  return layout;
}

ColumnLayout TableReader::layoutOf(const LegacyColumnInfo& column) const {
  const std::string typeText =
      typeNameOf(column.xtype, column.userType) + "(" + std::to_string(column.length) + ")";
  ColumnLayout layout = newColumnLayout(column.name, typeText, tableTypeCodeOf(column.xtype));
  layout.nullable = (column.statusByte & 1) == 0;
  layout.columnId = column.columnId;
  layout.ordinal = column.columnId;
  layout.precision = column.precision;
  layout.scale = column.scale;
  layout.collationId = column.collationId;
  layout.leafOffset = column.offset;
  layout.secondOffset = column.fixedOffset;
  return layout;
}

void TableReader::buildLayouts() {
  ColumnLayouts& columns = prepared_.columns;
  for (const ColumnInfo& column : prepared_.tableColumns) {
    if (column.systemTypeId != 0) columns.push_back(layoutOf(column));
  }
  for (const LegacyColumnInfo& column : prepared_.legacyTableColumns) {
    if (column.xtype != 0) columns.push_back(layoutOf(column));
  }
  std::stable_sort(columns.begin(), columns.end(),
                   [](const ColumnLayout& a, const ColumnLayout& b) { return a.columnId < b.columnId; });
}

void TableReader::applyPhysicalLayout(const DefinitionList& definitions) {
  ColumnLayouts& columns = prepared_.columns;
  auto columnWithId = [&](int32_t id) -> ColumnLayout* {
    for (ColumnLayout& layout : columns) {
      if (layout.columnId == id) return &layout;
    }
    return nullptr;
  };
  for (const RowsetColumnInfo& row : prepared_.physicalLayout) {
    if (ColumnLayout* layout = columnWithId(row.rowsetColumnId)) {
      layout->leafOffset = static_cast<int16_t>(row.offset & 0xFFFF);
      layout->ordinal = row.hobtColumnId;
      layout->nullBit = row.nullBit;
      if (layout->typeCode == TypeCode::kBit) layout->bitPosition = row.bitPosition;
      layout->present = true;
    }
  }
  if (prepared_.physicalLayout.empty() && prepared_.hobtLayout.empty()) {
    for (ColumnLayout& layout : columns) layout.present = true;
    return;
  }
  if (!prepared_.hobtLayout.empty()) {
    for (const HobtColumnInfo& row : prepared_.hobtLayout) {
      if (ColumnLayout* layout = columnWithId(row.hobtColumnId)) {
        layout->leafOffset = row.value27;
        layout->nullBit = row.value33;
        layout->ordinal = row.rowsetColumnId;
        layout->present = true;
      }
    }
    return;
  }
  // Columns without a place in the record (computed columns) show the text
  // of their stored definition instead.
  const std::string tableId = std::to_string(prepared_.currentObject.objectId);
  for (ColumnLayout& layout : columns) {
    if (layout.present) continue;
    const std::string subId = std::to_string(layout.ordinal);
    layout.ordinal = kNoOrdinal;
    for (const DefinitionEntry& entry : definitions) {
      if (entry.objectIdText == tableId && entry.subIdText == subId && !entry.valueText.empty()) {
        layout.value += definitionValueText(entry.valueText);
      }
    }
  }
}

void TableReader::applyKeysAndForeignKeys() {
  for (ColumnLayout& layout : prepared_.columns) {
    for (const IndexKeyColumn& key : prepared_.keyColumns) {
      if (key.column.columnId != layout.columnId) continue;
      if (key.indexStatus & kPrimaryKeyStatus) layout.primaryKeyColumn = true;
      if (key.indexStatus & kUniqueIndexStatus) layout.uniqueIndexColumn = true;
      if (key.indexStatus & kUniqueConstraintStatus) {
        layout.uniqueConstraintColumn = true;
        layout.indexKeyProperty = key.column.tinyProperty1;
      }
    }
  }
  for (const ForeignKeyColumnInfo& key : catalog_.foreignKeyColumns()) {
    if (key.parentTableId != prepared_.currentObject.objectId) continue;
    if (key.referencedTableName.empty() || key.referencedColumnName.empty()) continue;
    for (ColumnLayout& layout : prepared_.columns) {
      if (layout.columnId != key.parentColumnId) continue;
      layout.foreignKeyColumn = true;
      layout.referencedTableName = key.referencedTableName;
      layout.referencedColumnName = key.referencedColumnName;
      break;
    }
  }
}

bool TableReader::usesPhysicalLayout() const {
  return !file_.flags().legacyCatalog.load() && !prepared_.physicalLayout.empty();
}

std::vector<DecodedRow> TableReader::readPageRows(PageId id, ColumnLayouts& layouts, const RowDecoding& decoding) {
  std::unique_ptr<PrimaryRecordPage> page = file_.readRecordPage(id);
  if (!page || page->header().pageType != kDataPageType) return {};
  return usesPhysicalLayout() ? decodeRows(*page, layouts, decoding) : decodeRowsLegacy(*page, layouts, decoding);
}

}  // namespace pellora
