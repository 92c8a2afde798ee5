#include "values/binary_xml_decoder.h"

#include <string>
#include <utility>
#include <vector>

#include "values/binary_xml_cursor.h"
#include "values/binary_xml_names.h"
#include "values/binary_xml_namespaces.h"
#include "values/binary_xml_tokens.h"
#include "values/binary_xml_values.h"
#include "values/binary_xml_writer.h"

namespace pellora::binxml {

namespace {

// Where the walk is inside the element grammar
//   ELEMENT qname [ ( ATTRIBUTE qname value* )+ ENDATTRS ] content ENDELEMENT
enum class Place {
  kContent,     // element content or the document level
  kAfterStart,  // right after ELEMENT qname: attributes or content may follow
  kAttribute,   // after ATTRIBUTE qname, collecting its values
};

// What the previous atomic value of a run was, to decide on a separator.
enum class RunKind { kNone, kString, kOther };

struct Document {
  NameTables tables;
  size_t elementDepthAtStart = 0;
  bool atStart = true;  // nothing read yet after the header
};

struct PendingAttribute {
  std::string name;
  std::string value;
  RunKind run = RunKind::kNone;
  bool declaresNamespace = false;
  std::string declaredPrefix;
};

// A namespace binding the text needs for a name to mean what the qname says.
struct RequiredBinding {
  std::string prefix;
  std::string uri;
};

struct ResolvedName {
  std::string text;  // prefix:local or local
  std::string prefix;
  std::string uri;
  bool declaresNamespace = false;
};

// Two adjacent string values are one text split in pieces and join as they
// are; any other pair is two items of a list and gets a space between.
bool needsSeparator(RunKind previous, const AtomicValue& value) {
  if (previous == RunKind::kNone) return false;
  return !(previous == RunKind::kString && value.isString);
}

RunKind runKindOf(const AtomicValue& value) {
  return value.isString ? RunKind::kString : RunKind::kOther;
}

class Decoder {
 public:
  Decoder(Bytes value, const DecodeLimits& limits)
      : in_(value), limits_(limits), out_(limits.maxOutputBytes) {}

  DecodeResult run();

 private:
  bool fail(DecodeStatus status, const char* problem);
  bool truncatedOrCorrupt(const char* problem);
  bool failAtEnd(const char* problem);

  bool readHeader(DecodeStatus onFailure);
  bool step();
  bool stepAfterStart(uint8_t token);
  bool stepInAttribute(uint8_t token);
  bool stepInContent(uint8_t token, bool atDocumentStart);

  bool metadata(uint8_t token);
  bool qnameDefinition();
  bool resolveQName(uint32_t index, ResolvedName& name);
  bool readQNameValue(AtomicValue& value, RequiredBinding& binding);
  bool readValue(uint8_t token, AtomicValue& value);

  bool startElement();
  bool endElement();
  bool startAttribute();
  bool attributeValue(uint8_t token);
  void finishAttribute();
  void addImpliedDeclarations();
  void finishStartTag();

  bool contentValue(uint8_t token);
  bool cdata();
  bool comment();
  bool processingInstruction();
  bool rawXml();
  bool xmlDeclaration();
  bool docType();
  bool startNestedDocument();
  bool endNestedDocument();
  void endContentRun() { contentRun_ = RunKind::kNone; }

  Document& document() { return documents_.back(); }
  bool atDocumentLevel() const { return out_.openElements() == documents_.back().elementDepthAtStart; }
  bool nested() const { return documents_.size() > 1; }

  Cursor in_;
  DecodeLimits limits_;
  XmlWriter out_;
  NamespaceScope scope_;
  std::vector<Document> documents_;
  Place place_ = Place::kContent;
  PendingAttribute attribute_;
  std::vector<RequiredBinding> required_;  // of the start tag still open
  RunKind contentRun_ = RunKind::kNone;
  size_t tokenOffset_ = 0;
  DecodeStatus status_ = DecodeStatus::kOk;
  const char* problem_ = "";
};

bool Decoder::fail(DecodeStatus status, const char* problem) {
  status_ = status;
  problem_ = problem;
  return false;
}

// A read that failed either wanted more bytes than are left or found a value
// that cannot be; the cursor knows which.
bool Decoder::truncatedOrCorrupt(const char* problem) {
  return fail(in_.ranOut() ? DecodeStatus::kTruncated : DecodeStatus::kCorrupt, problem);
}

// The bytes ended where the grammar wants more.
bool Decoder::failAtEnd(const char* problem) {
  tokenOffset_ = in_.offset();
  return fail(DecodeStatus::kTruncated, problem);
}

bool Decoder::readHeader(DecodeStatus onFailure) {
  Bytes header;
  if (!in_.readBytes(5, header)) {
    return fail(onFailure == DecodeStatus::kNotBinaryXml ? onFailure : DecodeStatus::kTruncated,
                "no binary XML header");
  }
  const bool signature = header[0] == kSignature0 && header[1] == kSignature1;
  const bool utf16 = (header[3] | (header[4] << 8)) == kUtf16CodePage;
  // Version 0 is read as version 1, as SQL Server does. Version-2 tokens are
  // accepted in every version: only their meaning matters for text.
  if (!signature || header[2] > kMaxVersion || !utf16) {
    return fail(onFailure, "no binary XML header");
  }
  return true;
}

DecodeResult Decoder::run() {
  documents_.emplace_back();
  bool ok = readHeader(DecodeStatus::kNotBinaryXml);
  while (ok && !in_.atEnd()) {
    tokenOffset_ = in_.offset();
    ok = step();
    if (ok && out_.overLimit()) ok = fail(DecodeStatus::kTooLarge, "text longer than the output limit");
  }
  if (ok && place_ == Place::kAttribute) ok = failAtEnd("ends in an attribute");
  if (ok && nested()) ok = failAtEnd("ends inside a nested document");
  if (ok && out_.openElements() > 0) ok = failAtEnd("ends with elements open");

  DecodeResult result;
  result.status = status_;
  result.problem = problem_;
  result.problemOffset = ok ? 0 : tokenOffset_;
  while (out_.openElements() > 0) out_.endElement();
  result.forbiddenCharacters = out_.forbiddenCharacters();
  result.text = std::move(out_.text());
  return result;
}

bool Decoder::step() {
  uint8_t token;
  in_.readByte(token);
  const bool atDocumentStart = document().atStart;
  document().atStart = false;
  switch (place_) {
    case Place::kAfterStart: return stepAfterStart(token);
    case Place::kAttribute: return stepInAttribute(token);
    case Place::kContent: break;
  }
  return stepInContent(token, atDocumentStart);
}

bool Decoder::stepAfterStart(uint8_t token) {
  if (isMetadataToken(token)) return metadata(token);
  if (token == kAttribute) return startAttribute();
  place_ = Place::kContent;  // no attributes: the token is content
  return stepInContent(token, false);
}

bool Decoder::stepInAttribute(uint8_t token) {
  if (isMetadataToken(token)) return metadata(token);
  if (isAtomicToken(token)) return attributeValue(token);
  if (token == kAttribute) {
    finishAttribute();
    return startAttribute();
  }
  if (token == kEndAttributes) {
    finishAttribute();
    place_ = Place::kContent;
    return true;
  }
  return fail(DecodeStatus::kCorrupt, "unexpected token among attributes");
}

bool Decoder::stepInContent(uint8_t token, bool atDocumentStart) {
  if (isMetadataToken(token)) return metadata(token);
  if (isAtomicToken(token)) return contentValue(token);
  endContentRun();
  switch (token) {
    case kElement: return startElement();
    case kEndElement: return endElement();
    case kCData: return cdata();
    case kComment: return comment();
    case kProcessingInstruction: return processingInstruction();
    case kXmlText: return rawXml();
    case kNest: return startNestedDocument();
    case kEndNest: return endNestedDocument();
    case kXmlDecl:
      if (!atDocumentStart) return fail(DecodeStatus::kCorrupt, "XML declaration after the start");
      return xmlDeclaration();
    case kDocType:
      if (!atDocumentLevel()) return fail(DecodeStatus::kCorrupt, "document type inside an element");
      return docType();
    default: return fail(DecodeStatus::kCorrupt, "unexpected or unknown token");
  }
}

bool Decoder::metadata(uint8_t token) {
  switch (token) {
    case kNameDef: {
      std::string name;
      if (!in_.readText(name)) return truncatedOrCorrupt("name definition does not fit");
      document().tables.addName(std::move(name));
      return true;
    }
    case kQNameDef: return qnameDefinition();
    case kExtension: {
      uint32_t length;
      if (!in_.readMb32(length) || !in_.skip(length)) return truncatedOrCorrupt("extension does not fit");
      return true;
    }
    case kFlushNames: document().tables.clear(); return true;
    default: return fail(DecodeStatus::kCorrupt, "not a metadata token");
  }
}

bool Decoder::qnameDefinition() {
  QName qname;
  if (!in_.readMb32(qname.namespaceUri) || !in_.readMb32(qname.prefix) || !in_.readMb32(qname.localName)) {
    return truncatedOrCorrupt("qualified-name definition does not fit");
  }
  if (!document().tables.addQName(qname)) {
    return fail(DecodeStatus::kCorrupt, "qualified name of undefined names");
  }
  return true;
}

bool Decoder::resolveQName(uint32_t index, ResolvedName& name) {
  const NameTables& tables = document().tables;
  if (!tables.hasQName(index) || tables.qname(index).isBlank()) {
    return fail(DecodeStatus::kCorrupt, "reference to an undefined qualified name");
  }
  const QName& qname = tables.qname(index);
  name.prefix = tables.name(qname.prefix);
  name.uri = tables.name(qname.namespaceUri);
  // A local name of 0 marks a namespace declaration, its prefix name being
  // "xmlns" or "xmlns:p".
  name.declaresNamespace = qname.localName == 0;
  if (name.declaresNamespace) {
    name.text = name.prefix;
    return true;
  }
  const std::string& local = tables.name(qname.localName);
  name.text = name.prefix.empty() ? local : name.prefix + ":" + local;
  return true;
}

bool Decoder::readQNameValue(AtomicValue& value, RequiredBinding& binding) {
  uint32_t index;
  if (!in_.readMb32(index)) return truncatedOrCorrupt("qualified-name value does not fit");
  ResolvedName name;
  if (!resolveQName(index, name)) return false;
  if (name.declaresNamespace) {
    return fail(DecodeStatus::kCorrupt, "qualified-name value without a local name");
  }
  value.text = name.text;
  value.isString = false;
  binding = RequiredBinding{name.prefix, name.uri};
  return true;
}

// Any atomic value; a qualified name also asks for its prefix's binding on
// the start tag, when that is still open.
bool Decoder::readValue(uint8_t token, AtomicValue& value) {
  if (token == kXsdQName) {
    RequiredBinding binding;
    if (!readQNameValue(value, binding)) return false;
    if (out_.inStartTag()) required_.push_back(std::move(binding));
    return true;
  }
  if (!readAtomicValue(token, in_, value)) return truncatedOrCorrupt("value does not fit or is invalid");
  return true;
}

bool Decoder::startElement() {
  uint32_t index;
  if (!in_.readMb32(index)) return truncatedOrCorrupt("element name does not fit");
  ResolvedName name;
  if (!resolveQName(index, name)) return false;
  if (name.declaresNamespace) return fail(DecodeStatus::kCorrupt, "element without a local name");
  if (out_.openElements() >= limits_.maxElementDepth) {
    return fail(DecodeStatus::kTooDeep, "elements nested too deep");
  }
  finishStartTag();
  scope_.openScope();
  out_.startElement(name.text);
  // An unprefixed element is in the default namespace, so that needs
  // binding too (to "" when the element is in no namespace).
  required_.assign(1, RequiredBinding{name.prefix, name.uri});
  place_ = Place::kAfterStart;
  return true;
}

bool Decoder::endElement() {
  if (atDocumentLevel()) return fail(DecodeStatus::kCorrupt, "end tag without an element");
  if (out_.inStartTag()) addImpliedDeclarations();
  out_.endElement();
  scope_.closeScope();
  return true;
}

bool Decoder::startAttribute() {
  uint32_t index;
  if (!in_.readMb32(index)) return truncatedOrCorrupt("attribute name does not fit");
  ResolvedName name;
  if (!resolveQName(index, name)) return false;
  attribute_ = PendingAttribute{};
  attribute_.name = name.text;
  if (name.declaresNamespace) {
    if (name.prefix == "xmlns") {
      attribute_.declaresNamespace = true;
    } else if (name.prefix.size() > 6 && name.prefix.compare(0, 6, "xmlns:") == 0) {
      attribute_.declaresNamespace = true;
      attribute_.declaredPrefix = name.prefix.substr(6);
    } else {
      return fail(DecodeStatus::kCorrupt, "attribute without a local name");
    }
  } else if (!name.prefix.empty()) {
    // Unprefixed attributes are in no namespace whatever the default is.
    required_.push_back(RequiredBinding{name.prefix, name.uri});
  }
  place_ = Place::kAttribute;
  return true;
}

bool Decoder::attributeValue(uint8_t token) {
  AtomicValue value;
  if (!readValue(token, value)) return false;
  if (needsSeparator(attribute_.run, value)) attribute_.value += ' ';
  attribute_.value += value.text;
  attribute_.run = runKindOf(value);
  return true;
}

void Decoder::finishAttribute() {
  if (attribute_.declaresNamespace) scope_.bind(attribute_.declaredPrefix, attribute_.value);
  out_.attribute(attribute_.name, attribute_.value);
}

// Adds the xmlns declarations that the stored ones leave missing for the
// names of the start tag, after the stored attributes. A prefix already
// declared on this element to another URI is left alone: a second
// declaration would make the tag invalid.
void Decoder::addImpliedDeclarations() {
  for (const RequiredBinding& binding : required_) {
    if (binding.prefix == "xml" || binding.prefix == "xmlns") continue;
    if (scope_.isBoundTo(binding.prefix, binding.uri)) continue;
    if (scope_.boundInInnermostScope(binding.prefix)) continue;
    if (!binding.prefix.empty() && binding.uri.empty()) continue;  // xmlns:p="" is not XML 1.0
    out_.attribute(binding.prefix.empty() ? "xmlns" : "xmlns:" + binding.prefix, binding.uri);
    scope_.bind(binding.prefix, binding.uri);
  }
  required_.clear();
}

void Decoder::finishStartTag() {
  if (!out_.inStartTag()) return;
  addImpliedDeclarations();
  out_.closeStartTag();
}

// Text of element content or of the document level. Even an empty string
// counts as content: SQL Server writes one to mark <a></a> apart from <a/>.
bool Decoder::contentValue(uint8_t token) {
  AtomicValue value;
  if (!readValue(token, value)) return false;
  finishStartTag();
  if (needsSeparator(contentRun_, value)) value.text.insert(0, 1, ' ');
  out_.text(value.text);
  contentRun_ = runKindOf(value);
  return true;
}

// One or more chunks make one CDATA section, which CDATAEND closes.
bool Decoder::cdata() {
  std::string section;
  for (;;) {
    std::string chunk;
    if (!in_.readText(chunk)) return truncatedOrCorrupt("CDATA does not fit");
    section += chunk;
    uint8_t next;
    if (!in_.readByte(next)) return failAtEnd("CDATA without its end");
    if (next == kCDataEnd) break;
    if (next != kCData) return fail(DecodeStatus::kCorrupt, "CDATA without its end");
  }
  finishStartTag();
  out_.cdata(section);
  return true;
}

bool Decoder::comment() {
  std::string text;
  if (!in_.readText(text)) return truncatedOrCorrupt("comment does not fit");
  finishStartTag();
  out_.comment(text);
  return true;
}

bool Decoder::processingInstruction() {
  uint32_t target;
  if (!in_.readMb32(target)) return truncatedOrCorrupt("processing instruction does not fit");
  const NameTables& tables = document().tables;
  if (target == 0 || !tables.hasName(target)) {
    return fail(DecodeStatus::kCorrupt, "processing instruction of an undefined name");
  }
  const std::string targetName = tables.name(target);
  std::string data;
  if (!in_.readText(data)) return truncatedOrCorrupt("processing instruction does not fit");
  finishStartTag();
  out_.processingInstruction(targetName, data);
  return true;
}

// Token ED holds XML already in text form. Only the maker's reader knows it
// (it parses the string in place); whether SQL Server writes it is not
// known, so it is copied as it is, with no check of its markup.
bool Decoder::rawXml() {
  std::string xml;
  if (!in_.readText(xml)) return truncatedOrCorrupt("XML text does not fit");
  finishStartTag();
  out_.rawXml(xml);
  return true;
}

// The stored encoding name describes the text the value was parsed from; the
// text written here is UTF-8, so the name is left out rather than left wrong.
bool Decoder::xmlDeclaration() {
  std::string version;
  std::string encoding;
  if (!in_.readText(version)) return truncatedOrCorrupt("XML declaration does not fit");
  uint8_t next;
  if (in_.peekByte(next) && next == kEncoding) {
    in_.readByte(next);
    if (!in_.readText(encoding)) return truncatedOrCorrupt("XML declaration does not fit");
  }
  uint8_t standalone;
  if (!in_.readByte(standalone)) return failAtEnd("XML declaration does not fit");
  if (standalone > 2) return fail(DecodeStatus::kCorrupt, "XML declaration with a bad standalone flag");
  // A nested document's declaration cannot stand in the middle of the text.
  if (nested()) return true;
  out_.xmlDeclaration(version, standalone == 0 ? "" : standalone == 1 ? "yes" : "no");
  return true;
}

bool Decoder::docType() {
  std::string name;
  if (!in_.readText(name)) return truncatedOrCorrupt("document type does not fit");
  std::string parts[3];  // system id, public id, subset, each optional, in this order
  const uint8_t partTokens[3] = {kSystem, kPublic, kSubset};
  for (int i = 0; i < 3; ++i) {
    uint8_t next;
    if (!in_.peekByte(next) || next != partTokens[i]) continue;
    in_.readByte(next);
    if (!in_.readText(parts[i])) return truncatedOrCorrupt("document type does not fit");
  }
  // Like the maker's reader, drop the document type of a nested document.
  if (nested()) return true;
  finishStartTag();
  out_.docType(name, parts[0], parts[1], parts[2]);
  return true;
}

// A nested document has a header of its own and its own name tables, numbered
// from 1 again, but shares the namespace scope and emits in place.
bool Decoder::startNestedDocument() {
  if (documents_.size() >= limits_.maxNestedDocuments) {
    return fail(DecodeStatus::kTooDeep, "nested documents too deep");
  }
  if (!readHeader(DecodeStatus::kCorrupt)) return false;
  finishStartTag();
  documents_.emplace_back();
  document().elementDepthAtStart = out_.openElements();
  return true;
}

bool Decoder::endNestedDocument() {
  if (!nested()) return fail(DecodeStatus::kCorrupt, "end of a nested document outside one");
  if (!atDocumentLevel()) return fail(DecodeStatus::kCorrupt, "nested document ends with elements open");
  documents_.pop_back();
  return true;
}

}  // namespace

DecodeResult decodeBinaryXml(Bytes value, const DecodeLimits& limits) {
  return Decoder(value, limits).run();
}

}  // namespace pellora::binxml
