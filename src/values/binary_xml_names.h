// The name and qualified-name tables a binary XML document defines as it
// goes. Names (F0) are strings numbered from 1, index 0 being the empty
// string; qualified names (EF) are triples of name indexes, also numbered from
// 1, with 0 never valid. Indexes are implied by definition order, so a reader
// must count exactly as the writer did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellora::binxml {

struct QName {
  uint32_t namespaceUri = 0;
  uint32_t prefix = 0;
  uint32_t localName = 0;

  // SQL Server sometimes writes (0, 0, 0) entries: they take an index but
  // name nothing.
  bool isBlank() const { return namespaceUri == 0 && prefix == 0 && localName == 0; }
};

class NameTables {
 public:
  NameTables();

  void addName(std::string name) { names_.push_back(std::move(name)); }
  // False when one of the three indexes names nothing yet.
  bool addQName(const QName& qname);
  // The flush token: forget every definition; numbering starts again at 1.
  void clear();

  // Index 0 is the empty string; false for an index not defined yet.
  bool hasName(uint32_t index) const { return index < names_.size(); }
  const std::string& name(uint32_t index) const { return names_[index]; }

  bool hasQName(uint32_t index) const { return index != 0 && index < qnames_.size(); }
  const QName& qname(uint32_t index) const { return qnames_[index]; }

 private:
  std::vector<std::string> names_;
  std::vector<QName> qnames_;
};

}  // namespace pellora::binxml
