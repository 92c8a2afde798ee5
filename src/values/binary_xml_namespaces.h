// The namespace bindings in scope while binary XML is written out as text.
// The binary form names each element's namespace URI directly, so text
// output needs the prefix bindings to decide which xmlns declarations the
// stored ones leave missing.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace pellora::binxml {

class NamespaceScope {
 public:
  // Scopes follow elements: open one at each start tag, close it at the end
  // tag; bindings made in a scope end with it.
  void openScope() { scopeStarts_.push_back(declared_.size()); }
  void closeScope();

  // Binds `prefix` ("" for the default namespace) to `uri` in the innermost
  // scope.
  void bind(const std::string& prefix, const std::string& uri);
  bool boundInInnermostScope(const std::string& prefix) const;

  // True when `prefix` is bound to `uri`. The xml prefix is always bound to
  // its fixed URI; an unbound default namespace counts as the empty URI.
  bool isBoundTo(const std::string& prefix, const std::string& uri) const;

 private:
  struct Binding {
    std::string uri;
    size_t scope;  // number of scopes open when it was made
  };
  std::unordered_map<std::string, std::vector<Binding>> bindings_;
  std::vector<std::string> declared_;  // prefixes, in binding order
  std::vector<size_t> scopeStarts_;    // declared_ size at each open scope
};

inline constexpr const char* kXmlNamespaceUri = "http://www.w3.org/XML/1998/namespace";

}  // namespace pellora::binxml
