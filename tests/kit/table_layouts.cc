#include "kit/table_layouts.h"

#include "catalog/table_reader.h"

namespace pellora::kit {

namespace {

const char* typeNameOf(TypeCode code) {
  switch (code) {
    case TypeCode::kBigInt: return "bigint";
    case TypeCode::kBinary: return "binary";
    case TypeCode::kBit: return "bit";
    case TypeCode::kChar: return "char";
    case TypeCode::kInt: return "int";
    case TypeCode::kNChar: return "nchar";
    case TypeCode::kNVarChar: return "nvarchar";
    case TypeCode::kSmallInt: return "smallint";
    case TypeCode::kTinyInt: return "tinyint";
    case TypeCode::kVarBinary: return "varbinary";
    case TypeCode::kVarChar: return "varchar";
    case TypeCode::kImage: return "image";
    case TypeCode::kText: return "text";
    case TypeCode::kClr: return "clr";
    case TypeCode::kXml: return "xml";
    default: return "type";
  }
}

}  // namespace

ColumnLayout columnLayout(int32_t columnId, TypeCode code, int32_t byteLength) {
  ColumnLayout layout = newColumnLayout("c" + std::to_string(columnId),
                                        std::string(typeNameOf(code)) + "(" + std::to_string(byteLength) + ")", code);
  layout.columnId = columnId;
  layout.ordinal = columnId;
  layout.present = true;
  return layout;
}

PageBuilder recordsPage(const std::vector<RecordImage>& records) {
  PageBuilder page;
  page.type(PageType::kData).thisPage({1, 100}).objectId(1001);
  for (const RecordImage& record : records) page.addRecord(Bytes(record.data(), record.size()));
  return page;
}

std::unique_ptr<PrimaryRecordPage> parsedPage(const PageBuilder& page, const RunFlags* flags) {
  return std::make_unique<PrimaryRecordPage>(std::make_unique<PageBytes>(page.build()),
                                             PageContext{nullptr, flags, nullptr});
}

std::unique_ptr<PrimaryRecordPage> parsedPage(const std::vector<RecordImage>& records, const RunFlags* flags) {
  return parsedPage(recordsPage(records), flags);
}

Bytes textBytes(const std::string& text) { return {reinterpret_cast<const uint8_t*>(text.data()), text.size()}; }

}  // namespace pellora::kit
