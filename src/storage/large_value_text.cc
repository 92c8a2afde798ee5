#include "storage/large_value_text.h"

namespace pellora {

bool looksLikeLatinUtf16(Bytes bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  for (size_t i = 1; i < bytes.size(); i += 2) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

std::string renderValue(Bytes bytes, ValueForm form, int codePage) {
  switch (form) {
    case ValueForm::kBinaryHex:
      return hexText(bytes);
    case ValueForm::kUnicodeText:
      return utf16Text(bytes);
    case ValueForm::kCodePageText:
      break;
  }
  return looksLikeLatinUtf16(bytes) ? utf16Text(bytes) : codePageText(bytes, codePage);
}

}  // namespace pellora
