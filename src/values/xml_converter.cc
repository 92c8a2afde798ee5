#include "values/xml_converter.h"

#include <utility>

#include "values/binary_xml_decoder.h"

namespace pellora {

std::string convertXmlValue(Bytes value) {
  binxml::DecodeResult result = binxml::decodeBinaryXml(value);
  if (result.status != binxml::DecodeStatus::kOk) return "";
  return std::move(result.text);
}

std::string convertXmlFragments(const std::vector<std::vector<uint8_t>>& fragments) {
  size_t total = 0;
  for (const std::vector<uint8_t>& fragment : fragments) total += fragment.size();
  if (total == 0) return "";
  std::vector<uint8_t> joined;
  joined.reserve(total);
  for (const std::vector<uint8_t>& fragment : fragments) {
    joined.insert(joined.end(), fragment.begin(), fragment.end());
  }
  return convertXmlValue(joined);
}

}  // namespace pellora
