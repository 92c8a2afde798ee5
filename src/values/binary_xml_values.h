// Reading the atomic values of binary XML (numbers, text, binary, dates) and
// rendering them as text. XSD-QNAME is not among them here: its payload is a
// reference into the decoder's name tables.
#pragma once

#include <cstdint>
#include <string>

#include "values/binary_xml_cursor.h"

namespace pellora::binxml {

struct AtomicValue {
  std::string text;       // UTF-8, not yet escaped for XML
  bool isString = false;  // from a character-string token (nvarchar, char...)
};

// Reads the payload of atomic token `token` from `in`. False when the payload
// does not fit in the bytes left or is not a valid value of its type.
bool readAtomicValue(uint8_t token, Cursor& in, AtomicValue& value);

}  // namespace pellora::binxml
