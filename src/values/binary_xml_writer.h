// Writes XML text (UTF-8) item by item, escaping as it goes, for the binary
// XML decoder. The form is fixed so the same stored value always gives the
// same text:
//  - attributes as name="value", one space before each, in the order given;
//  - an element with no content as <a/>, otherwise <a>...</a>;
//  - & < > escaped in text, & < > " in attribute values; tab, LF and CR in
//    attribute values and CR in text as &#9; &#10; &#13;, so a parser reads
//    back the stored characters instead of normalising them;
//  - characters XML 1.0 does not allow (C0 controls other than tab, LF, CR;
//    U+FFFE, U+FFFF) as hexadecimal character references, never dropped,
//    and counted in forbiddenCharacters(); inside CDATA the section is
//    closed around the reference;
//  - "]]>" inside CDATA split across two sections;
//  - comment text, processing-instruction data and raw XML text as stored.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pellora::binxml {

class XmlWriter {
 public:
  // Writing stops, and overLimit() turns true, at the first item that would
  // make the text longer than `maxBytes`.
  explicit XmlWriter(size_t maxBytes) : maxBytes_(maxBytes) {}

  bool overLimit() const { return overLimit_; }
  size_t forbiddenCharacters() const { return forbiddenCharacters_; }
  std::string& text() { return text_; }

  // <?xml version="1.0" standalone="yes"?>; `standalone` empty leaves it out.
  void xmlDeclaration(std::string_view version, std::string_view standalone);
  // <!DOCTYPE name PUBLIC "p" "s" [subset]>; empty parts are left out.
  void docType(std::string_view name, std::string_view systemId, std::string_view publicId,
               std::string_view subset);

  // Opens "<name"; attributes may follow until the start tag is closed.
  void startElement(std::string_view name);
  bool inStartTag() const { return inStartTag_; }
  void attribute(std::string_view name, std::string_view value);
  void closeStartTag();
  void endElement();
  size_t openElements() const { return openNames_.size(); }

  // Content items close a start tag still open.
  void text(std::string_view value);
  void rawXml(std::string_view xml);
  void cdata(std::string_view value);
  void comment(std::string_view value);
  void processingInstruction(std::string_view target, std::string_view data);

 private:
  void append(std::string_view piece);
  void appendEscaped(std::string_view value, bool inAttribute);
  void appendCData(std::string_view value);
  void appendQuoted(std::string_view value);

  std::string text_;
  std::vector<std::string> openNames_;
  bool inStartTag_ = false;
  size_t maxBytes_;
  bool overLimit_ = false;
  size_t forbiddenCharacters_ = 0;
};

}  // namespace pellora::binxml
