// The one-byte tokens of SQL Server's binary XML (the stored form of xml
// values, described publicly as "SQL Server Binary XML Structure"). A byte is
// a token only where the grammar expects one; payload bytes that follow a
// token are never read as tokens.
#pragma once

#include <cstdint>

namespace pellora::binxml {

// Every document, nested ones included, starts with these five bytes:
// signature DF FF, a version byte, then code page 1200 (UTF-16LE).
inline constexpr uint8_t kSignature0 = 0xDF;
inline constexpr uint8_t kSignature1 = 0xFF;
inline constexpr uint16_t kUtf16CodePage = 1200;
inline constexpr uint8_t kMaxVersion = 2;

enum Token : uint8_t {
  // Structure and metadata.
  kXmlDecl = 0xFE,
  kEncoding = 0xFD,
  kDocType = 0xFC,
  kSystem = 0xFB,
  kPublic = 0xFA,
  kSubset = 0xF9,
  kElement = 0xF8,
  kEndElement = 0xF7,
  kAttribute = 0xF6,
  kEndAttributes = 0xF5,
  kProcessingInstruction = 0xF4,
  kComment = 0xF3,
  kCData = 0xF2,
  kCDataEnd = 0xF1,
  kNameDef = 0xF0,
  kQNameDef = 0xEF,
  kXmlText = 0xED,
  kNest = 0xEC,
  kEndNest = 0xEB,
  kExtension = 0xEA,
  kFlushNames = 0xE9,

  // Atomic values of the SQL type system.
  kSqlSmallInt = 0x01,
  kSqlInt = 0x02,
  kSqlReal = 0x03,
  kSqlFloat = 0x04,
  kSqlMoney = 0x05,
  kSqlBit = 0x06,
  kSqlTinyInt = 0x07,
  kSqlBigInt = 0x08,
  kSqlUuid = 0x09,
  kSqlDecimal = 0x0A,
  kSqlNumeric = 0x0B,
  kSqlBinary = 0x0C,
  kSqlChar = 0x0D,
  kSqlNChar = 0x0E,
  kSqlVarBinary = 0x0F,
  kSqlVarChar = 0x10,
  kSqlNVarChar = 0x11,
  kSqlDateTime = 0x12,
  kSqlSmallDateTime = 0x13,
  kSqlSmallMoney = 0x14,
  kSqlText = 0x16,
  kSqlImage = 0x17,
  kSqlNText = 0x18,
  kSqlUdt = 0x1B,

  // Date and time values added by format version 2.
  kXsdTimeOffset = 0x7A,
  kXsdDateTimeOffset = 0x7B,
  kXsdDateOffset = 0x7C,
  kXsdTime2 = 0x7D,
  kXsdDateTime2 = 0x7E,
  kXsdDate2 = 0x7F,

  // Atomic values of the XML Schema type system.
  kXsdTime = 0x81,
  kXsdDateTime = 0x82,
  kXsdDate = 0x83,
  kXsdBinHex = 0x84,
  kXsdBase64 = 0x85,
  kXsdBoolean = 0x86,
  kXsdDecimal = 0x87,
  kXsdByte = 0x88,
  kXsdUnsignedShort = 0x89,
  kXsdUnsignedInt = 0x8A,
  kXsdUnsignedLong = 0x8B,
  kXsdQName = 0x8C,
};

// True for the tokens that carry one atomic value (text, number, date...).
// XSD-QNAME counts: its payload names a qualified name.
inline bool isAtomicToken(uint8_t token) {
  if (token >= kSqlSmallInt && token <= kSqlSmallMoney) return true;
  if (token >= kSqlText && token <= kSqlNText) return true;
  if (token == kSqlUdt) return true;
  if (token >= kXsdTimeOffset && token <= kXsdDate2) return true;
  return token >= kXsdTime && token <= kXsdQName;
}

// True for the tokens that only feed the decoder's tables or are skipped:
// they produce no text and may appear between almost any two items.
inline bool isMetadataToken(uint8_t token) {
  return token == kNameDef || token == kQNameDef || token == kExtension || token == kFlushNames;
}

}  // namespace pellora::binxml
