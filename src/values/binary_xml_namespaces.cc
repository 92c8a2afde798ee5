#include "values/binary_xml_namespaces.h"

namespace pellora::binxml {

void NamespaceScope::closeScope() {
  if (scopeStarts_.empty()) return;
  const size_t start = scopeStarts_.back();
  scopeStarts_.pop_back();
  while (declared_.size() > start) {
    auto found = bindings_.find(declared_.back());
    if (found != bindings_.end()) {
      found->second.pop_back();
      if (found->second.empty()) bindings_.erase(found);
    }
    declared_.pop_back();
  }
}

void NamespaceScope::bind(const std::string& prefix, const std::string& uri) {
  bindings_[prefix].push_back(Binding{uri, scopeStarts_.size()});
  declared_.push_back(prefix);
}

bool NamespaceScope::boundInInnermostScope(const std::string& prefix) const {
  auto found = bindings_.find(prefix);
  return found != bindings_.end() && found->second.back().scope == scopeStarts_.size();
}

bool NamespaceScope::isBoundTo(const std::string& prefix, const std::string& uri) const {
  if (prefix == "xml") return uri == kXmlNamespaceUri;
  auto found = bindings_.find(prefix);
  if (found == bindings_.end()) return prefix.empty() && uri.empty();
  return found->second.back().uri == uri;
}

}  // namespace pellora::binxml
