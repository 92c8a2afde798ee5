#include "values/column_code_page.h"

#include "platform/codepage.h"

namespace pellora {

namespace {

int lookedUpCodePage(const CollationContext& context, int32_t collationId) {
  if (context.collations == nullptr) return ansiCodePage();
  auto found = context.collations->find(collationId);
  if (found == context.collations->end()) return ansiCodePage();
  return found->second.codePage;
}

}  // namespace

int codePageOfColumn(int32_t collationId, const CollationContext& context) {
  if (collationId == -1 || collationId == 0 || !context.listingMode) return ansiCodePage();
  const DatabaseCollation* database = context.database;
  if (database != nullptr && database->resolved && database->id == collationId) {
    return database->codePage;
  }
  return lookedUpCodePage(context, collationId);
}

}  // namespace pellora
