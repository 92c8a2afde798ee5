#include "values/binary_xml_names.h"

namespace pellora::binxml {

NameTables::NameTables() { clear(); }

void NameTables::clear() {
  names_.assign(1, std::string());
  qnames_.assign(1, QName{});  // index 0 is never a valid reference
}

bool NameTables::addQName(const QName& qname) {
  if (!hasName(qname.namespaceUri) || !hasName(qname.prefix) || !hasName(qname.localName)) {
    return false;
  }
  qnames_.push_back(qname);
  return true;
}

}  // namespace pellora::binxml
