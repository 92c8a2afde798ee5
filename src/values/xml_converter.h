// The text of xml column values. SQL Server keeps them in its binary XML
// form (a header DF FF, version, code page 1200, then one-byte tokens); these
// functions turn the stored bytes into XML text in UTF-8.
//
// The text has one fixed form, so a value always converts the same way:
//  - no XML declaration unless the value stores one; a stored declaration
//    keeps its version and standalone flag but not its encoding name, which
//    described the original text and not this UTF-8;
//  - no whitespace of its own: only the stored text, comments and the like;
//  - attributes as name="value" in stored order, namespace declarations
//    among them where stored; declarations the stored ones leave missing
//    (a prefix or default namespace used but not declared in scope) are
//    added after the stored attributes of the element that first needs them;
//  - an element with no content as <a/>, one with content, even an empty
//    string (which SQL Server stores to mark it), as <a>...</a>;
//  - escaping and characters XML forbids as binary_xml_writer.h describes;
//  - typed values in XML Schema lexical forms (binary as base64, xs:hexBinary
//    as upper-case hex, datetime as 2006-01-02T03:04:05.500); adjacent
//    values join directly when both are strings and with one space
//    otherwise, in element content as in attribute values (list items);
//  - several top-level elements or text (a fragment) written one after the
//    other; a nested document's content written in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bytes.h"

namespace pellora {

// An xml value stored in the row. Returns "" when the bytes are not a whole,
// valid binary XML value: no header, an unknown or misplaced token, a length
// past the end, an undefined name, elements left open, nesting beyond the
// limits. (binary_xml_decoder.h gives the partial text and the fault.)
std::string convertXmlValue(Bytes value);

// A value whose fragments were collected from large-value pages, in order:
// they are joined and decoded as one value. No bytes at all give "".
std::string convertXmlFragments(const std::vector<std::vector<uint8_t>>& fragments);

}  // namespace pellora
