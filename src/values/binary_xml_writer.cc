#include "values/binary_xml_writer.h"

#include <cstdio>

namespace pellora::binxml {

namespace {

// Length of the character XML 1.0 forbids that starts at `i`, or 0. The text
// is UTF-8, so U+FFFE and U+FFFF are the only forbidden characters above the
// C0 controls (lone surrogates already became U+FFFD).
size_t forbiddenAt(std::string_view text, size_t i, unsigned& codePoint) {
  const auto byte = static_cast<unsigned char>(text[i]);
  if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') {
    codePoint = byte;
    return 1;
  }
  if (byte == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF) {
    const auto last = static_cast<unsigned char>(text[i + 2]);
    if (last == 0xBE || last == 0xBF) {
      codePoint = last == 0xBE ? 0xFFFE : 0xFFFF;
      return 3;
    }
  }
  return 0;
}

std::string characterReference(unsigned codePoint) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "&#x%X;", codePoint);
  return buffer;
}

// The replacement of an ordinary character that must be escaped, or null.
const char* entityFor(char c, bool inAttribute) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\r': return "&#13;";
    case '"': return inAttribute ? "&quot;" : nullptr;
    case '\t': return inAttribute ? "&#9;" : nullptr;
    case '\n': return inAttribute ? "&#10;" : nullptr;
    default: return nullptr;
  }
}

}  // namespace

void XmlWriter::append(std::string_view piece) {
  if (overLimit_) return;
  if (piece.size() > maxBytes_ - text_.size()) {
    overLimit_ = true;
    return;
  }
  text_.append(piece);
}

void XmlWriter::appendEscaped(std::string_view value, bool inAttribute) {
  size_t plainStart = 0;
  for (size_t i = 0; i < value.size();) {
    unsigned codePoint = 0;
    const size_t forbidden = forbiddenAt(value, i, codePoint);
    const char* entity = forbidden ? nullptr : entityFor(value[i], inAttribute);
    if (!forbidden && !entity) {
      ++i;
      continue;
    }
    append(value.substr(plainStart, i - plainStart));
    if (forbidden) {
      ++forbiddenCharacters_;
      append(characterReference(codePoint));
      i += forbidden;
    } else {
      append(entity);
      ++i;
    }
    plainStart = i;
  }
  append(value.substr(plainStart));
}

void XmlWriter::appendCData(std::string_view value) {
  append("<![CDATA[");
  size_t plainStart = 0;
  for (size_t i = 0; i < value.size();) {
    unsigned codePoint = 0;
    const size_t forbidden = forbiddenAt(value, i, codePoint);
    const bool closer = value.substr(i, 3) == "]]>";
    if (!forbidden && !closer) {
      ++i;
      continue;
    }
    append(value.substr(plainStart, i - plainStart));
    if (forbidden) {
      ++forbiddenCharacters_;
      append("]]>" + characterReference(codePoint) + "<![CDATA[");
      i += forbidden;
    } else {
      // "]]" ends this section, ">" starts the next.
      append("]]]]><![CDATA[>");
      i += 3;
    }
    plainStart = i;
  }
  append(value.substr(plainStart));
  append("]]>");
}

void XmlWriter::appendQuoted(std::string_view value) {
  const char quote = value.find('"') == std::string_view::npos ? '"' : '\'';
  append(std::string_view(&quote, 1));
  append(value);
  append(std::string_view(&quote, 1));
}

void XmlWriter::xmlDeclaration(std::string_view version, std::string_view standalone) {
  append("<?xml version=\"");
  appendEscaped(version, true);
  append("\"");
  if (!standalone.empty()) {
    append(" standalone=\"");
    append(standalone);
    append("\"");
  }
  append("?>");
}

void XmlWriter::docType(std::string_view name, std::string_view systemId, std::string_view publicId,
                        std::string_view subset) {
  closeStartTag();
  append("<!DOCTYPE ");
  append(name);
  if (!publicId.empty()) {
    append(" PUBLIC ");
    appendQuoted(publicId);
    if (!systemId.empty()) append(" ");
  } else if (!systemId.empty()) {
    append(" SYSTEM ");
  }
  if (!systemId.empty()) appendQuoted(systemId);
  if (!subset.empty()) {
    append(" [");
    append(subset);
    append("]");
  }
  append(">");
}

void XmlWriter::startElement(std::string_view name) {
  closeStartTag();
  append("<");
  append(name);
  openNames_.emplace_back(name);
  inStartTag_ = true;
}

void XmlWriter::attribute(std::string_view name, std::string_view value) {
  if (!inStartTag_) return;
  append(" ");
  append(name);
  append("=\"");
  appendEscaped(value, true);
  append("\"");
}

void XmlWriter::closeStartTag() {
  if (!inStartTag_) return;
  append(">");
  inStartTag_ = false;
}

void XmlWriter::endElement() {
  if (openNames_.empty()) return;
  if (inStartTag_) {
    append("/>");
    inStartTag_ = false;
  } else {
    append("</");
    append(openNames_.back());
    append(">");
  }
  openNames_.pop_back();
}

void XmlWriter::text(std::string_view value) {
  closeStartTag();
  appendEscaped(value, false);
}

void XmlWriter::rawXml(std::string_view xml) {
  closeStartTag();
  append(xml);
}

void XmlWriter::cdata(std::string_view value) {
  closeStartTag();
  appendCData(value);
}

void XmlWriter::comment(std::string_view value) {
  closeStartTag();
  append("<!--");
  append(value);
  append("-->");
}

void XmlWriter::processingInstruction(std::string_view target, std::string_view data) {
  closeStartTag();
  append("<?");
  append(target);
  if (!data.empty()) {
    append(" ");
    append(data);
  }
  append("?>");
}

}  // namespace pellora::binxml
