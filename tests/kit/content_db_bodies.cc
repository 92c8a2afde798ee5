#include "kit/content_db_bodies.h"

#include <string>
#include <string_view>

namespace pellora::kit {

namespace {

std::string_view extensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string_view{} : std::string_view(name).substr(dot + 1);
}

std::string leadingBytes(std::string_view extension, const ContentDoc& doc) {
  if (extension == "docx" || extension == "xlsx" || extension == "pptx" || extension == "zip") {
    return std::string("PK\x03\x04\x14\x00\x06\x00", 8) + "[Content_Types].xml";
  }
  if (extension == "pdf") return "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";
  if (extension == "png") return std::string("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);
  if (extension == "jpg") return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
  if (extension == "aspx") return "<%@ Page Inherits=\"Microsoft.SharePoint.WebPartPages.WebPartPage\" %>\n";
  return "Synthetic document " + doc.leafName + "\n";
}

bool isText(std::string_view extension) { return extension == "txt" || extension == "csv" || extension == "aspx"; }

}  // namespace

std::vector<uint8_t> documentBody(const ContentDoc& doc) {
  if (doc.padding) {
    const std::vector<uint8_t> block = paddingBlock();
    std::vector<uint8_t> body;
    for (int i = 0; i < kPaddingFragments; ++i) body.insert(body.end(), block.begin(), block.end());
    return body;
  }
  const size_t size = static_cast<size_t>(doc.size < 0 ? 0 : doc.size);
  const std::string_view extension = extensionOf(doc.leafName);
  std::string head = leadingBytes(extension, doc);
  std::vector<uint8_t> body(head.begin(), head.end());
  body.resize(std::min(body.size(), size));
  ContentRandom random(doc.bodySeed);
  if (isText(extension)) {
    static constexpr std::string_view kLine = "Zeile mit Umlauten äöü und 中文 text; synthetic content.\n";
    while (body.size() < size) {
      const size_t take = std::min(kLine.size(), size - body.size());
      body.insert(body.end(), kLine.begin(), kLine.begin() + static_cast<ptrdiff_t>(take));
    }
    return body;
  }
  while (body.size() < size) {
    uint64_t v = random.next();
    for (int i = 0; i < 8 && body.size() < size; ++i) body.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  return body;
}

std::vector<uint8_t> paddingBlock() {
  ContentDoc doc;
  doc.leafName = "padding.pdf";
  doc.size = 8000;
  doc.bodySeed = 0x5CA1AB1E;
  return documentBody(doc);
}

}  // namespace pellora::kit
